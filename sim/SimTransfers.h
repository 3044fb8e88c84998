#pragma once
// Data transfers in progress, by the open data object they run on: still
// acquires with the completion they owe, and the state of movie reads.
#include "SimAcquire.h"
#include "SimQueue.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace vsim {

struct RunningAcquire {
    SimAcquire acquire;
    std::optional<PendingCompletion> completion; // given when the start had one
    bool parkCompletion = false;                 // a fault keeps it from ever arriving
    bool delivering = false;                     // inside its data procedure now
};

struct MovieRead {
    DataFaults faults;
    uint32_t reads = 0;
};

class SimTransfers {
public:
    RunningAcquire* acquire(uint64_t handle) {
        const auto it = m_acquires.find(handle);
        return it == m_acquires.end() ? nullptr : &it->second;
    }
    void addAcquire(uint64_t handle, SimAcquire acquire) {
        m_acquires.emplace(handle, RunningAcquire{std::move(acquire), std::nullopt, false, false});
    }
    void removeAcquire(uint64_t handle) { m_acquires.erase(handle); }
    std::vector<uint64_t> acquireHandles() const {
        std::vector<uint64_t> handles;
        for (const auto& [handle, running] : m_acquires) {
            handles.push_back(handle);
        }
        return handles;
    }
    // Completions held until their acquire ends.
    int heldCompletions() const {
        int held = 0;
        for (const auto& [handle, running] : m_acquires) {
            held += running.completion.has_value() ? 1 : 0;
        }
        return held;
    }

    MovieRead& movieRead(uint64_t handle) { return m_movieReads[handle]; }

    void clear() {
        m_acquires.clear();
        m_movieReads.clear();
    }

private:
    std::map<uint64_t, RunningAcquire> m_acquires;
    std::map<uint64_t, MovieRead> m_movieReads;
};

} // namespace vsim
