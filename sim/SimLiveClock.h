#pragma once
// The time live view runs on: a monotonic clock that tests may move on, and
// the scene's phase counter, which a test or the demo may hold still.
#include "SimLiveGeometry.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace vsim {

class SimLiveClock {
public:
    SimLiveClock() { reset(); }

    void reset() {
        m_epoch = std::chrono::steady_clock::now();
        m_skipped_ms = 0;
        m_frozenTick.reset();
    }

    uint64_t now_ms() const {
        const auto elapsed = std::chrono::steady_clock::now() - m_epoch;
        return static_cast<uint64_t>(
                   std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()) +
               m_skipped_ms;
    }
    // Time passes at once by `ms`, for tests of what takes seconds.
    void skip(uint64_t ms) { m_skipped_ms += ms; }

    // The scene's ticks, kScenePhasesPerSecond a second; held while frozen.
    uint64_t sceneTick() const {
        return m_frozenTick ? *m_frozenTick : now_ms() * kScenePhasesPerSecond / 1000;
    }
    uint32_t scenePhase() const { return static_cast<uint32_t>(sceneTick() % kScenePhases); }
    void freeze(uint32_t phase) { m_frozenTick = phase % kScenePhases; }
    void thaw() { m_frozenTick.reset(); }
    bool frozen() const { return m_frozenTick.has_value(); }

private:
    std::chrono::steady_clock::time_point m_epoch;
    uint64_t m_skipped_ms = 0;
    std::optional<uint64_t> m_frozenTick;
};

} // namespace vsim
