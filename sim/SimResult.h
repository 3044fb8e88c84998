#pragma once
// Results the simulated module returns. Failures are negative so that their
// low byte, read as a signed 8-bit number, is negative as the program expects.
#include <cstdint>

namespace vsim {

enum SimResult : int32_t {
    kOk = 0,
    kErrFailed = -128,            // 0x80 generic failure
    kErrUnknownObject = -127,     // 0x81 object not opened by this module
    kErrUnknownCapability = -126, // 0x82
    kErrWrongDataType = -125,     // 0x83
    kErrArrayTooSmall = -124,     // 0x84
    kErrNotPermitted = -123,      // 0x85 operation bit missing
    kErrBadValue = -122,          // 0x86
    kErrNoData = -121,            // 0x87 null data address
    kErrDeviceGone = -120,        // 0x88 camera unplugged
    kErrNotReady = -119,          // 0x89 not available in this state
    kErrUnknownCommand = -117,    // 0x8B
    kErrBusy = -116,              // 0x8C
};

inline bool succeeded(int32_t result) {
    const auto low = static_cast<int8_t>(result & 0xFF);
    return low == 0 || low == 1;
}

} // namespace vsim
