#pragma once
// The module handing picture and movie data to the program: acquires that
// deliver an item's files chunk by chunk to the data procedure during idle
// calls and complete after the last chunk, and movie reads into the
// program's buffer. One instance serves one entry call; what lasts between
// calls lives in the world's transfers.
#include "SimWorld.h"

#include <cstdint>
#include <optional>

namespace vsim {

class SimDelivery {
public:
    explicit SimDelivery(SimWorld& world) : m_world(world) {}

    // Start of Acquire 0x14 on an open data object; the entry call's result.
    int32_t beginAcquire(const OpenObject& object);
    // The start's completion waits for the end of its acquire.
    void holdCompletion(uint64_t handle, const PendingCompletion& completion, bool park);
    // One idle call's share: a few chunks of every running acquire.
    void idle();

    // Movie Read 0x8317: get writes the total size, get-array one chunk.
    int32_t movieSize(const OpenObject& object, uint32_t dataType, intptr_t data);
    int32_t movieChunk(const OpenObject& object, uint32_t dataType, intptr_t data);

private:
    // Delivers one chunk of the acquire on `handle`; false once it ended.
    bool step(uint64_t handle);
    // Why the acquire must end before its next chunk; none while it can go on.
    std::optional<int32_t> stopReason(const RunningAcquire& running, const OpenObject* object);
    void finish(uint64_t handle, int32_t result);
    SimItem* itemOf(const OpenObject& object);
    int32_t movieItem(const OpenObject& object, uint32_t dataType, intptr_t data, SimItem*& item);
    DataFaults takeFaults(uint32_t command, uint32_t param);

    SimWorld& m_world;
};

} // namespace vsim
