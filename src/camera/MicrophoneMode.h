#pragma once
// The microphone setting "Movie rec microphone" (0x8285) and the index of
// the window's list "Auto", "Off", "Manual". The camera knows two
// equivalent sets of values, 1-3 and 4-6; the window writes "Auto" as 0
// and the others from the second set, and reads either set back.
#include <cstdint>

namespace orv {

constexpr int kMicrophoneAuto = 0;
constexpr int kMicrophoneOff = 1;
constexpr int kMicrophoneManual = 2;

// The value written for list index `index`: "Auto" 0, "Off" 4, "Manual" 5.
constexpr uint32_t MicrophoneModeValue(int index) {
    return index <= kMicrophoneAuto ? 0u : static_cast<uint32_t>(index) + 3u;
}

// The list index for the camera's `value`; a value beyond the list gives an
// index beyond it (no selection).
constexpr int MicrophoneModeIndex(uint32_t value) {
    return static_cast<int>(value > 3u ? value - 3u : value);
}

} // namespace orv
