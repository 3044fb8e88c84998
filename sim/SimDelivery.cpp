#include "SimDelivery.h"

#include "SimResult.h"

#include <algorithm>

namespace vsim {

namespace {

// Chunks per acquire and idle call: enough to move a picture quickly, few
// enough that one idle call never keeps the program for long.
constexpr int kChunksPerIdle = 4;
constexpr uint32_t kImageData = 1;

} // namespace

SimItem* SimDelivery::itemOf(const OpenObject& object) {
    SimCamera* camera = m_world.camera(object.camera);
    SimItem* item = camera != nullptr ? camera->findItem(object.itemId) : nullptr;
    return item != nullptr && item->findData(object.id) != nullptr ? item : nullptr;
}

// ---- Acquire ------------------------------------------------------------------

int32_t SimDelivery::beginAcquire(const OpenObject& object) {
    SimItem* item = itemOf(object);
    if (item == nullptr) {
        return kErrDeviceGone;
    }
    // Movies are not acquired; the data procedure must be there before the
    // first chunk can go out.
    if (object.id != kImageData || object.dataProc.procedure == 0) {
        return kErrNotReady;
    }
    if (m_world.transfers().acquire(object.handle) != nullptr) {
        return kErrBusy;
    }
    const SimDeliverySettings& settings = m_world.deliverySettings();
    std::vector<SimFile> files = itemFiles(*item, settings);
    if (files.empty()) {
        return kErrNotReady;
    }
    m_world.transfers().addAcquire(object.handle, SimAcquire(std::move(files), settings.chunkSize));
    return kOk;
}

void SimDelivery::holdCompletion(uint64_t handle, const PendingCompletion& completion, bool park) {
    if (RunningAcquire* running = m_world.transfers().acquire(handle)) {
        running->completion = completion;
        running->parkCompletion = park;
    }
}

void SimDelivery::idle() {
    for (const uint64_t handle : m_world.transfers().acquireHandles()) {
        for (int i = 0; i < kChunksPerIdle && step(handle); ++i) {
        }
    }
}

bool SimDelivery::step(uint64_t handle) {
    RunningAcquire* running = m_world.transfers().acquire(handle);
    if (running == nullptr || running->delivering) {
        return false; // an idle call from inside the data procedure leaves it alone
    }
    const OpenObject* object = m_world.objects().byHandle(handle);
    const int32_t blocked = object == nullptr                 ? kErrFailed
                            : itemOf(*object) == nullptr      ? kErrDeviceGone
                            : object->dataProc.procedure == 0 ? kErrNotReady
                                                              : kOk;
    if (blocked != kOk) {
        finish(handle, blocked);
        return false;
    }
    const std::optional<SimChunk> chunk = running->acquire.next();
    if (!chunk.has_value()) {
        finish(handle, kOk);
        return false;
    }
    const auto procedure = reinterpret_cast<orv::DataProcFn>(object->dataProc.procedure);
    const intptr_t reference = object->dataProc.reference;
    running->delivering = true;
    const int32_t answer = procedure(reference, chunk->info(), chunk->data.data());
    running = m_world.transfers().acquire(handle);
    if (running == nullptr) {
        return false; // the module was closed from inside the procedure
    }
    running->delivering = false;
    if (answer != 0) {
        // The program could not take the chunk: the rest would be lost too.
        finish(handle, orv::resultByte(answer) < 0 ? answer : kErrFailed);
        return false;
    }
    if (running->acquire.done()) {
        finish(handle, kOk);
        return false;
    }
    return true;
}

void SimDelivery::finish(uint64_t handle, int32_t result) {
    RunningAcquire* running = m_world.transfers().acquire(handle);
    if (running->completion.has_value()) {
        PendingCompletion completion = *running->completion;
        completion.result = result;
        if (running->parkCompletion) {
            m_world.queue().park(completion);
        } else {
            m_world.queue().pushCompletion(completion);
        }
    }
    m_world.transfers().removeAcquire(handle);
}

} // namespace vsim
