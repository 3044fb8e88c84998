#pragma once
// The soak's clocks: the longest stretch without a sign of progress (a log
// line, a received file, a capture), which shows whether every wait of the
// program ended within its limit, and the memory the process holds.
#include <chrono>
#include <cstdint>

class SoakWatch {
public:
    using Clock = std::chrono::steady_clock;

    // Something happened: the stall since the last event ends here.
    void progress();
    // Starts counting afresh (a wait that is the soak's own, not the program's).
    void restart() { m_last = Clock::now(); }
    Clock::duration longestStall() const { return m_longest; }

private:
    Clock::time_point m_last = Clock::now();
    Clock::duration m_longest{};
};

// Resident memory of this process in bytes (0 when it cannot be read).
uint64_t residentBytes();
