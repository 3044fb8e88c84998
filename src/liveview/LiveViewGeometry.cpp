#include "liveview/LiveViewGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// The AF area or face box on the live image: k scales sensor units to JPEG
// pixels around the shown area's centre.
PixelBox imageBox(const SensorArea& box, const LiveViewFields& f, double k) {
    const int halfWidth = box.width / 2;
    const int halfHeight = box.height / 2;
    const int dx = box.centreX - f.shown.centreX;
    const int dy = box.centreY - f.shown.centreY;
    const int middleX = kLiveFrameWidth / 2;
    const int middleY = f.jpegHeight / 2;
    return {RoundHalfEven((dx - halfWidth) * k) + middleX,
            RoundHalfEven((dy - halfHeight) * k) + middleY,
            RoundHalfEven((dx + halfWidth) * k) + middleX,
            RoundHalfEven((dy + halfHeight) * k) + middleY};
}

PixelBox navigatorBox(const SensorArea& box, double n) {
    const int halfWidth = box.width / 2;
    const int halfHeight = box.height / 2;
    return {RoundHalfEven((box.centreX - halfWidth) * n),
            RoundHalfEven((box.centreY - halfHeight) * n),
            RoundHalfEven((box.centreX + halfWidth) * n),
            RoundHalfEven((box.centreY + halfHeight) * n)};
}

template <typename BoxOf> OverlayFrames framesOf(const LiveViewFields& f, BoxOf boxOf) {
    OverlayFrames frames;
    frames.valid = true;
    frames.faces = f.faceCount > 0;
    frames.inFocus = f.inFocus;
    if (!frames.faces) {
        frames.count = 1;
        frames.boxes[0] = boxOf(f.afArea);
        return frames;
    }
    frames.count = f.faceCount;
    for (int i = 0; i < f.faceCount; ++i) {
        frames.boxes[static_cast<size_t>(i)] = boxOf(f.faces[static_cast<size_t>(i)]);
    }
    return frames;
}

} // namespace

int RoundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double farOff = kFarOffPixels;
    // The default floating-point rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(std::clamp(value, -farOff, farOff)));
}

OverlayFrames LiveImageFrames(const LiveViewFields& f) {
    if (f.shown.width == 0) {
        return {};
    }
    const double k = static_cast<double>(f.jpegWidth) / f.shown.width;
    return framesOf(f, [&](const SensorArea& box) { return imageBox(box, f, k); });
}

NavigatorGeometry Navigator(const LiveViewFields& f, int navigatorWidth) {
    NavigatorGeometry nav;
    if (f.wholeWidth == 0 || navigatorWidth <= 0) {
        return nav;
    }
    const double n = static_cast<double>(navigatorWidth) / f.wholeWidth;
    nav.valid = true;
    nav.height = navigatorWidth * f.wholeHeight / f.wholeWidth;
    const int centreX = RoundHalfEven(f.shown.centreX * n);
    const int centreY = RoundHalfEven(f.shown.centreY * n);
    const int halfWidth = RoundHalfEven((f.shown.width / 2) * n);
    const int halfHeight = RoundHalfEven((f.shown.height / 2) * n);
    nav.shown = {centreX - halfWidth, centreY - halfHeight, centreX + halfWidth,
                 centreY + halfHeight};
    nav.frames = framesOf(f, [n](const SensorArea& box) { return navigatorBox(box, n); });
    return nav;
}

std::optional<SensorPoint> LiveImageClickPoint(const LiveViewFields& f, int x, int y) {
    if (f.jpegWidth == 0 || f.shown.width == 0) {
        return std::nullopt;
    }
    const double k = static_cast<double>(f.shown.width) / f.jpegWidth;
    return SensorPoint{RoundHalfEven(k * x + f.shown.centreX - f.shown.width / 2.0),
                       RoundHalfEven(k * y + f.shown.centreY - f.shown.height / 2.0)};
}

std::optional<SensorPoint> NavigatorClickPoint(const LiveViewFields& f, int navigatorWidth, int x,
                                               int y) {
    if (f.wholeWidth == 0 || navigatorWidth <= 0) {
        return std::nullopt;
    }
    const double k = static_cast<double>(f.wholeWidth) / navigatorWidth;
    return SensorPoint{RoundHalfEven(k * x), RoundHalfEven(k * y)};
}
