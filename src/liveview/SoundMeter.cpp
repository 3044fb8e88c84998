#include "liveview/SoundMeter.h"

namespace {

constexpr int kBandAbove = 38; // rows above the middle
constexpr int kBandBelow = 48; // rows from the middle down, the middle's own included
constexpr int kBandLeft = 13;
constexpr int kBandRight = 43;
constexpr int kBottomSegment = 42; // top row of segment 0, below the middle
constexpr int kSegmentPitch = 6;
constexpr int kSegmentHeight = 4;
constexpr int kLeftColumn = 15;
constexpr int kRightColumn = 29;
constexpr int kColumnWidth = 12;
constexpr int kFirstYellow = 9;
constexpr int kRedSegment = 13;

uint32_t segmentColour(int segment) {
    if (segment >= kRedSegment) {
        return soundmeter::kRed;
    }
    return segment >= kFirstYellow ? soundmeter::kYellow : soundmeter::kWhite;
}

} // namespace

SoundMeterColumn SoundMeterColours(uint8_t level, uint8_t peak) {
    SoundMeterColumn column{};
    for (int i = 0; i < kSoundMeterSegments; ++i) {
        const bool lit = i < level || i == peak;
        column[static_cast<size_t>(i)] = lit ? segmentColour(i) : soundmeter::kUnlit;
    }
    return column;
}

SoundMeterPlace SoundMeterLayout(int frameHeight) {
    const int middle = frameHeight / 2;
    SoundMeterPlace place;
    place.band = {kBandLeft, middle - kBandAbove, kBandRight, middle + kBandBelow};
    for (int i = 0; i < kSoundMeterSegments; ++i) {
        const int top = middle + kBottomSegment - kSegmentPitch * i;
        const auto at = static_cast<size_t>(i);
        place.left[at] = {kLeftColumn, top, kLeftColumn + kColumnWidth, top + kSegmentHeight};
        place.right[at] = {kRightColumn, top, kRightColumn + kColumnWidth, top + kSegmentHeight};
    }
    return place;
}
