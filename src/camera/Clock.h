#pragma once
// The clocks the program reads: a monotonic one for time limits and
// intervals, and the local time of day for log stamps. Passed in, so tests
// run a wait limit out or stamp a line without waiting for real time.
#include <chrono>

class Clock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~Clock() = default;
    // Monotonic: never jumps when the wall clock is set.
    virtual TimePoint now() const = 0;
    // Waits `duration`; a fake clock just moves on by it.
    virtual void sleepFor(std::chrono::milliseconds duration) = 0;
    // Local time of day, since midnight.
    virtual std::chrono::milliseconds timeOfDay() const = 0;
};

// The machine's clocks; stateless, shared by everything that is not given
// another clock.
Clock& SystemClock();
