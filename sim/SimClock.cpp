#include "SimClock.h"

#include <ctime>

namespace vsim {

orv::DateTimeRecord clockAfter(const orv::DateTimeRecord& set, uint64_t elapsed_ms) {
    // Calendar arithmetic in UTC, so that no time zone change moves the clock.
    std::tm t{};
    t.tm_year = set.year - 1900;
    t.tm_mon = set.month;
    t.tm_mday = set.day;
    t.tm_hour = set.hour;
    t.tm_min = set.minute;
    t.tm_sec = set.second;
    const std::time_t moved = timegm(&t) + static_cast<std::time_t>(elapsed_ms / 1000);
    std::tm out{};
    if (gmtime_r(&moved, &out) == nullptr) {
        return set;
    }
    orv::DateTimeRecord now = set;
    now.year = static_cast<uint16_t>(out.tm_year + 1900);
    now.month = static_cast<uint16_t>(out.tm_mon);
    now.day = static_cast<uint16_t>(out.tm_mday);
    now.hour = static_cast<uint16_t>(out.tm_hour);
    now.minute = static_cast<uint16_t>(out.tm_min);
    now.second = static_cast<uint16_t>(out.tm_sec);
    return now;
}

orv::DateTimeRecord clockShows(const SimCapability& clock, uint64_t now_ms) {
    const uint64_t elapsed = now_ms > clock.dateTimeSet_ms ? now_ms - clock.dateTimeSet_ms : 0;
    return clockAfter(clock.dateTime, elapsed);
}

void setClock(SimCapability& clock, const orv::DateTimeRecord& value, uint64_t now_ms) {
    clock.dateTime = value;
    clock.dateTimeSet_ms = now_ms;
}

} // namespace vsim
