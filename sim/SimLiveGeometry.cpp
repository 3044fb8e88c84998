#include "SimLiveGeometry.h"

#include "SimLiveState.h"

#include <algorithm>
#include <cmath>

namespace vsim {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int32_t kWideAf = 960; // width; the height keeps the sensor's 3:2
constexpr int32_t kNormalAf = 480;
constexpr int32_t kMaxFaceWidth = 900;
// Defocus of one focus unit spreads a point over this many sensor units.
constexpr double kBlurPerFocusUnit = 0.05;
constexpr uint32_t kSoundMax = 14;
constexpr uint64_t kPeakTicks = kScenePhasesPerSecond / 2;

// Zoom values as their texts name them ("25%" shows a quarter of a sensor
// unit per pixel, ...); 0 and unknown values show the whole frame.
uint32_t zoomPercent(uint32_t zoomValue) {
    switch (zoomValue & 0x7F) {
    case 1:
        return 25;
    case 2:
        return 33;
    case 3:
        return 50;
    case 4:
        return 66;
    case 5:
        return 100;
    case 6:
        return 200;
    case 7:
        return 13;
    default:
        return 0;
    }
}

int32_t clampCentre(int32_t value, int32_t size, int32_t limit) {
    return std::clamp(value, size / 2, std::max(size / 2, limit - size / 2));
}

// One side's loudness 0-1: syllables about four a second, phrases of two
// seconds with short pauses between them.
double speech(double tick, double seed) {
    const double syllable = 0.5 + 0.5 * std::sin(kTwoPi * tick / 6.0 + seed);
    const double phrase = std::fmod(tick + seed * 11.0, 70.0) < 52.0 ? 1.0 : 0.0;
    const double loudness = 0.65 + 0.35 * std::sin(kTwoPi * tick / 90.0 + seed);
    return phrase * syllable * syllable * loudness;
}

uint8_t level(double loudness) {
    return static_cast<uint8_t>(std::lround(std::clamp(loudness, 0.0, 1.0) * kSoundMax));
}

} // namespace

SimArea displayArea(uint32_t zoomValue, int32_t pointX, int32_t pointY, uint32_t jpegWidth,
                    uint32_t jpegHeight) {
    const int64_t jw = std::max<uint32_t>(jpegWidth, 1);
    const int64_t jh = std::max<uint32_t>(jpegHeight, 1);
    // The largest area of the JPEG's aspect the sensor holds.
    int64_t fullWidth = kSensorWidth;
    int64_t fullHeight = fullWidth * jh / jw;
    if (fullHeight > kSensorHeight) {
        fullHeight = kSensorHeight;
        fullWidth = fullHeight * jw / jh;
    }
    const uint32_t percent = zoomPercent(zoomValue);
    const int64_t width = percent == 0 ? fullWidth : std::min(fullWidth, jw * 100 / percent);
    if (width >= fullWidth) {
        return {kSensorWidth / 2, kSensorHeight / 2, static_cast<int32_t>(fullWidth),
                static_cast<int32_t>(fullHeight)};
    }
    SimArea area;
    area.width = static_cast<int32_t>(width);
    area.height = static_cast<int32_t>(std::min(fullHeight, (width * jh + jw / 2) / jw));
    area.cx = clampCentre(pointX, area.width, kSensorWidth);
    area.cy = clampCentre(pointY, area.height, kSensorHeight);
    return area;
}

SimArea afArea(uint32_t mode, int32_t pointX, int32_t pointY) {
    const bool normal = mode == 2 || mode == 3;
    SimArea area;
    area.width = normal ? kNormalAf : kWideAf;
    area.height = area.width * 2 / 3;
    area.cx = clampCentre(pointX, area.width, kSensorWidth);
    area.cy = clampCentre(pointY, area.height, kSensorHeight);
    return area;
}

std::vector<SimArea> facesAt(uint32_t phase, uint32_t count) {
    const uint32_t n = std::min(count, kMaxHeaderFaces);
    std::vector<SimArea> faces;
    if (n == 0) {
        return faces;
    }
    // A grid a little wider than high, filled row by row.
    const auto columns = std::min<uint32_t>(
        n, static_cast<uint32_t>(std::ceil(std::sqrt(static_cast<double>(n) * 1.5))));
    const uint32_t rows = (n + columns - 1) / columns;
    const double cellWidth = static_cast<double>(kSensorWidth) / columns;
    const double cellHeight = static_cast<double>(kSensorHeight) / rows;
    const double width =
        std::min(std::min(cellWidth, cellHeight * 1.5) * 0.5, static_cast<double>(kMaxFaceWidth));
    const double orbit = 0.12 * std::min(cellWidth, cellHeight);
    for (uint32_t i = 0; i < n; ++i) {
        const double angle = kTwoPi * (static_cast<double>(phase % kScenePhases) / kScenePhases +
                                       static_cast<double>(i) / n);
        SimArea face;
        face.width = static_cast<int32_t>(width);
        face.height = static_cast<int32_t>(width * 1.25);
        face.cx = static_cast<int32_t>((i % columns + 0.5) * cellWidth + orbit * std::cos(angle));
        face.cy = static_cast<int32_t>((i / columns + 0.5) * cellHeight + orbit * std::sin(angle));
        faces.push_back(face);
    }
    return faces;
}

uint32_t blurRadius(int32_t defocus, const SimArea& shown, uint32_t jpegWidth) {
    if (shown.width <= 0) {
        return 0;
    }
    const double pixels =
        std::abs(static_cast<double>(defocus)) * kBlurPerFocusUnit * jpegWidth / shown.width;
    const uint32_t cap = std::max<uint32_t>(4, jpegWidth / 40);
    return std::min(cap, static_cast<uint32_t>(std::lround(pixels)));
}

SimSound soundAt(uint64_t tick) {
    SimSound sound;
    const uint64_t first = tick >= kPeakTicks ? tick - kPeakTicks : 0;
    for (uint64_t t = first; t <= tick; ++t) {
        const auto at = static_cast<double>(t);
        const uint8_t left = level(speech(at, 0.0));
        const uint8_t right = level(0.8 * speech(at, 1.3));
        sound.peakLeft = std::max(sound.peakLeft, left);
        sound.peakRight = std::max(sound.peakRight, right);
        if (t == tick) {
            sound.levelLeft = left;
            sound.levelRight = right;
        }
    }
    return sound;
}

} // namespace vsim
