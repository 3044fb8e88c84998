#pragma once
// The camera body's clock: once set to a date and time it runs on with the
// world's clock, a whole second at a time, as a real body's clock does.
#include "SimCapability.h"

#include <cstdint>

namespace vsim {

// `set` (months from 0) advanced by the whole seconds in `elapsed_ms`; the
// sub-second field is kept.
orv::DateTimeRecord clockAfter(const orv::DateTimeRecord& set, uint64_t elapsed_ms);

// What the clock capability shows at `now_ms` of the world's clock.
orv::DateTimeRecord clockShows(const SimCapability& clock, uint64_t now_ms);

// The clock now reads `value` (months from 0) and runs on from `now_ms`.
void setClock(SimCapability& clock, const orv::DateTimeRecord& value, uint64_t now_ms);

} // namespace vsim
