#include "liveview/Guides.h"

#include "liveview/AidSettings.h"
#include "liveview/LiveViewPainting.h"
#include "liveview/LumaPlane.h"

#include <algorithm>
#include <cstdint>

namespace {

// 1/phi^2 and 1/phi in millionths: they add up to one, so the two golden
// lines mirror each other.
constexpr int kGoldenNear = 381966;
constexpr int kGoldenFar = 618034;
constexpr int kMillion = 1000000;

// Lightens the pixel halfway to white: a guide reads on dark and light.
inline void lighten(uint32_t& pixel) {
    pixel = 0xFF808080u + ((pixel >> 1) & 0x007F7F7Fu);
}

void verticalLine(QImage& image, const GuideLine& line, int width, int height) {
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int x = line.first; x < std::min(line.first + line.count, width); ++x) {
            lighten(row[x]);
        }
    }
}

void horizontalLine(QImage& image, const GuideLine& line, int width, int height) {
    for (int y = line.first; y < std::min(line.first + line.count, height); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            lighten(row[x]);
        }
    }
}

// Both diagonals, one pixel per step along the longer side.
void diagonals(QImage& image, int width, int height) {
    const int steps = std::max(width, height);
    for (int i = 0; i < steps; ++i) {
        const int64_t along = steps > 1 ? i : 0;
        const int64_t span = std::max(steps - 1, 1);
        const int x = static_cast<int>((along * (width - 1) * 2 + span) / (2 * span));
        const int y = static_cast<int>((along * (height - 1) * 2 + span) / (2 * span));
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        lighten(row[x]);
        if (width - 1 - x != x) {
            lighten(row[width - 1 - x]);
        }
    }
}

} // namespace

GuideLine GuideAt(int size, int num, int den) {
    const int64_t scaled = static_cast<int64_t>(size) * num;
    const auto pixel = static_cast<int>(scaled / den);
    if (scaled % den == 0 && pixel > 0) {
        return {pixel - 1, 2};
    }
    return {pixel, 1};
}

GuideSet GuideLines(int size, int bits) {
    GuideSet set;
    const auto add = [&set, size](int num, int den) {
        set.lines[static_cast<size_t>(set.count++)] = GuideAt(size, num, den);
    };
    if ((bits & kGuideThirds) != 0) {
        add(1, 3);
        add(2, 3);
    }
    if ((bits & kGuideGolden) != 0) {
        add(kGoldenNear, kMillion);
        add(kGoldenFar, kMillion);
    }
    if ((bits & kGuideCross) != 0) {
        add(1, 2);
    }
    return set;
}

void DrawGuides(QImage& image, int width, int height, int bits) {
    width = std::min(width, image.width());
    height = std::min(height, image.height());
    if (bits == 0 || width < 2 || height < 2) {
        return;
    }
    const GuideSet columns = GuideLines(width, bits);
    const GuideSet rows = GuideLines(height, bits);
    for (int i = 0; i < columns.count; ++i) {
        verticalLine(image, columns.lines[static_cast<size_t>(i)], width, height);
    }
    for (int i = 0; i < rows.count; ++i) {
        horizontalLine(image, rows.lines[static_cast<size_t>(i)], width, height);
    }
    if ((bits & kGuideDiagonals) != 0) {
        diagonals(image, width, height);
    }
}

namespace {

// The box of `size` centred on (x, y) within a width x height picture, and
// the rounded mean percentage of what `lumaAt` gives for its pixels.
template <typename LumaAt>
SpotReading meanOfBox(int width, int height, int x, int y, int size, LumaAt lumaAt) {
    SpotReading spot;
    const int half = size / 2;
    spot.box = {std::max(x - half, 0), std::max(y - half, 0), std::min(x - half + size, width),
                std::min(y - half + size, height)};
    if (spot.box.right <= spot.box.left || spot.box.bottom <= spot.box.top) {
        return spot;
    }
    uint64_t sum = 0;
    for (int row = spot.box.top; row < spot.box.bottom; ++row) {
        for (int column = spot.box.left; column < spot.box.right; ++column) {
            sum += lumaAt(column, row);
        }
    }
    const uint64_t pixels = static_cast<uint64_t>(spot.box.right - spot.box.left) *
                            static_cast<uint64_t>(spot.box.bottom - spot.box.top);
    spot.percent = static_cast<int>((sum * 100 * 2 + pixels * 255) / (pixels * 255 * 2));
    return spot;
}

} // namespace

SpotReading SpotMeter(const QImage& image, int x, int y, int size) {
    return meanOfBox(image.width(), image.height(), x, y, size, [&image](int column, int row) {
        return LumaOf(reinterpret_cast<const uint32_t*>(image.constScanLine(row))[column]);
    });
}

SpotReading SpotMeter(const LumaView& luma, int x, int y, int size) {
    return meanOfBox(luma.width, luma.height, x, y, size,
                     [&luma](int column, int row) { return luma.row(row)[column]; });
}

void DrawSpot(QImage& image, const SpotReading& spot) {
    if (spot.percent < 0) {
        return;
    }
    const PixelBox outer{spot.box.left - 1, spot.box.top - 1, spot.box.right + 1,
                         spot.box.bottom + 1};
    FramePixelBox(image, outer, 0xFF000000);
    FramePixelBox(image, spot.box, 0xFFFFFFFF);
}
