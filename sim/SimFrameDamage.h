#pragma once
// The damage a live view frame fault does to a JPEG, for testing how the
// program copes with frames a camera got wrong.
#include "SimLiveState.h"

#include <cstdint>
#include <vector>

namespace vsim {

// The bytes delivered in place of `jpeg` under `fault`: a frame header the
// decoder refuses (zero width and height), the data cut in the middle of
// the entropy-coded data (no end-of-image marker), or cut in the middle of
// the last marker segment before the scan, so that segment's length runs
// past the end. Unchanged for LiveViewFault::None, or when `jpeg` does not have
// the expected segments.
std::vector<uint8_t> damagedJpeg(const std::vector<uint8_t>& jpeg, LiveViewFault fault);

} // namespace vsim
