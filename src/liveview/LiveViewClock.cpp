#include "liveview/LiveViewClock.h"

#include <cstdio>

void FrameRateCounter::frame(int32_t halfSecondTicks) {
    const int32_t second = halfSecondTicks / 2;
    if (second != m_second) {
        m_shown = m_counter;
        m_counter = 0;
    } else {
        ++m_counter;
    }
    m_second = second;
}

int32_t RemainingTime::seconds(uint16_t field, int32_t elapsedSeconds) {
    if (field != m_last) {
        ++m_changes;
    }
    m_last = field;
    return m_changes >= kChangesNeeded ? field : elapsedSeconds;
}

std::string MovieTimeText(uint32_t movieTime_ms) {
    const uint32_t seconds = movieTime_ms / 1000;
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u", seconds / 60, seconds % 60);
    return text;
}

std::string LiveViewTimeText(int32_t seconds) {
    const int32_t s = seconds < 0 ? 0 : seconds;
    char text[24];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
    return text;
}
