#pragma once
// The live view's counters and time texts. The frame rate is counted from
// the state poll's half-second ticks, not from a clock; the remaining time
// is the camera's own only once its field has been seen changing.
#include <cstdint>
#include <string>

class FrameRateCounter {
public:
    // One frame at the poll's tick count.
    void frame(int32_t halfSecondTicks);
    // Frames counted in the previous second.
    int32_t FpsShown() const { return m_shown; }

private:
    int32_t m_second = 0;
    int32_t m_counter = 0;
    int32_t m_shown = 0;
};

class RemainingTime {
public:
    // The time to show for a frame whose remaining-time field is `field`,
    // `elapsedSeconds` after live view started.
    int32_t seconds(uint16_t field, int32_t elapsedSeconds);

private:
    // Changes seen before the camera's value is believed.
    static constexpr int32_t kChangesNeeded = 3;
    uint16_t m_last = 0;
    int32_t m_changes = 0;
};

// "nn:ss" of the movie time in milliseconds.
std::string MovieTimeText(uint32_t movieTime_ms);
// "h:nn:ss".
std::string LiveViewTimeText(int32_t seconds);
