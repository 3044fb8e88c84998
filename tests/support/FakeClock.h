#pragma once
// A clock that stands still until told: sleeping moves it on at once, so a
// wait limit runs out without real time passing, and log stamps show the
// time of day a test chose.
#include "camera/Clock.h"

#include <chrono>

class FakeClock final : public Clock {
public:
    TimePoint now() const override { return m_now; }
    void sleepFor(std::chrono::milliseconds duration) override {
        m_now += duration;
        ++m_sleeps;
    }
    std::chrono::milliseconds timeOfDay() const override { return m_timeOfDay; }

    void advance(std::chrono::milliseconds duration) { m_now += duration; }
    void setTimeOfDay(int hours, int minutes, int seconds) {
        m_timeOfDay = std::chrono::hours(hours) + std::chrono::minutes(minutes) +
                      std::chrono::seconds(seconds);
    }
    int sleeps() const { return m_sleeps; }

private:
    TimePoint m_now{};
    std::chrono::milliseconds m_timeOfDay{std::chrono::hours(12)};
    int m_sleeps = 0;
};
