#pragma once
// The sound meter over the live image in movie live view: two columns of
// 14 segments (left and right microphone) on a darkened band at the left
// edge of the frame, vertically around its middle. Which segments are lit
// and where everything goes are pure functions of the header's sound bytes
// and the frame height; the drawing clips them to the frame.
#include "liveview/LiveViewGeometry.h"

#include <array>
#include <cstdint>

constexpr int kSoundMeterSegments = 14;

// Segment colours as 0xRRGGBB.
namespace soundmeter {
constexpr uint32_t kWhite = 0xFFFFFF;  // segments 0 to 8
constexpr uint32_t kYellow = 0xFFFF00; // 9 to 12
constexpr uint32_t kRed = 0xFF0000;    // 13
constexpr uint32_t kUnlit = 0x666666;
} // namespace soundmeter

// One column's colours, bottom segment first: a segment is lit below the
// level and at the peak (a peak remembers the loudest of the last moments).
using SoundMeterColumn = std::array<uint32_t, kSoundMeterSegments>;
SoundMeterColumn SoundMeterColours(uint8_t level, uint8_t peak);

// Where the meter goes on a frame `frameHeight` rows high (boxes exclude
// their right and bottom edges; they may reach outside a small frame).
struct SoundMeterPlace {
    PixelBox band; // darkened to 7/8
    std::array<PixelBox, kSoundMeterSegments> left;
    std::array<PixelBox, kSoundMeterSegments> right;
};
SoundMeterPlace SoundMeterLayout(int frameHeight);
