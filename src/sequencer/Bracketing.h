#pragma once
// Exposure brackets as pure functions: the order of the frames' offsets,
// the exposure compensation index of each frame (P, A and S, where the
// camera keeps the exposure and the compensation moves it), and the shutter
// speed entry of each frame (M, where the shutter speed moves it).
#include "camera/CameraTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bracketing {

// The EV steps a bracket offers: 1/3, 1/2, 2/3, 1, 2 and 3 EV.
const std::vector<double>& stepChoices();
// Its text: "1/3", "1/2", "2/3", "1", "2", "3".
std::string stepText(double stepEv);

// Offsets in steps for `frames` frames: 0, -1, +1, -2, +2, ... The base
// exposure comes first, so that a bracket cut short still has it. An even
// count ends on the darker side: 4 frames are 0, -1, +1, -2 (a highlight
// kept is worth more than a shadow lifted). Fewer than 1 frame: none.
std::vector<int> offsetOrder(int frames);

// One frame of a bracket: the value's index and how it came about.
struct Frame {
    int offset = 0;       // in steps, as offsetOrder gives it
    uint32_t index = 0;   // compensation range index or shutter speed list index
    bool clamped = false; // the wanted exposure lay beyond the camera's end
    // Same index as an earlier frame (clamped, or a step finer than the
    // camera's list): the runner skips it rather than take the same
    // exposure twice.
    bool repeat = false;
};

// Steps of the compensation range per EV: (steps - 1) / (upper - lower);
// 0 for a range without steps.
double stepsPerEv(const orv::RangeRecord& range);

// The compensation index for `offset` steps of `stepEv` from `baseIndex`,
// the nearest step (halves away from zero), kept within the range.
Frame compensationFrame(const orv::RangeRecord& range, uint32_t baseIndex, int offset,
                        double stepEv);

// A shutter speed text in seconds: 30" is 30 s, 1"5 and 1.5" are 1.5 s,
// 1/8 is 0.125 s. "Bulb" and every other text are not a time.
std::optional<double> shutterSeconds(const std::string& text);

// The shutter speed entry whose time is nearest (by log2 distance, that is
// in EV) to base seconds * 2^(offset * stepEv): a negative offset is a
// shorter time, so darker, as with compensation. Entries that are not a
// time are never chosen; nullopt when `baseIndex` is not a time. Clamped
// when the wanted time lies more than a sixth of an EV beyond the list's
// shortest or longest time (the nominal texts are rounded: 1/60 for 1/64).
std::optional<Frame> shutterFrame(const std::vector<std::string>& texts, uint32_t baseIndex,
                                  int offset, double stepEv);

// The whole bracket, in order, with repeats marked. Empty when the base
// cannot be bracketed (a shutter base that is not a time).
std::vector<Frame> compensationBracket(const orv::RangeRecord& range, uint32_t baseIndex,
                                       int frames, double stepEv);
std::vector<Frame> shutterBracket(const std::vector<std::string>& texts, uint32_t baseIndex,
                                  int frames, double stepEv);

} // namespace bracketing
