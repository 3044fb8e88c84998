#include "SimDelivery.h"

#include "SimResult.h"

#include <algorithm>
#include <cstring>

namespace vsim {

namespace {

// Chunks per acquire and idle call: enough to move a picture quickly, few
// enough that one idle call never keeps the program for long.
constexpr int kChunksPerIdle = 4;
constexpr uint32_t kAbsurdTotal = 0xFFFFFFF0;
constexpr uint32_t kMovieReadChunk = 2; // MovieReadBlock::mode of a chunk read
constexpr uint32_t kImageData = 1;

template <typename T> void storeAt(intptr_t data, size_t offset, T value) {
    std::memcpy(reinterpret_cast<char*>(data) + offset, &value, sizeof value);
}

} // namespace

SimItem* SimDelivery::itemOf(const OpenObject& object) {
    SimCamera* camera = m_world.camera(object.camera);
    SimItem* item = camera != nullptr ? camera->findItem(object.itemId) : nullptr;
    return item != nullptr && item->findData(object.id) != nullptr ? item : nullptr;
}

DataFaults SimDelivery::takeFaults(uint32_t command, uint32_t param) {
    const auto take = [&](Fault::Kind kind) {
        return m_world.faults().take(kind, command, param, orv::kObjData);
    };
    const auto passing = [](const Fault& f) {
        return static_cast<uint32_t>(std::max(f.afterChunks, 0));
    };
    DataFaults faults;
    if (const auto hit = take(Fault::Kind::ChunkTooLong)) {
        faults.tooLongAfter = passing(*hit);
    }
    if (const auto hit = take(Fault::Kind::ChunkFails)) {
        faults.failAfter = passing(*hit);
        faults.failResult = hit->result;
    }
    faults.noRemoveObject = take(Fault::Kind::NoRemoveObject).has_value();
    if (take(Fault::Kind::ZeroTotal)) {
        faults.announcedTotal = 0;
    }
    if (take(Fault::Kind::AbsurdTotal)) {
        faults.announcedTotal = kAbsurdTotal;
    }
    return faults;
}

// ---- Acquire ------------------------------------------------------------------

int32_t SimDelivery::beginAcquire(const OpenObject& object) {
    SimItem* item = itemOf(object);
    if (item == nullptr) {
        return kErrDeviceGone;
    }
    // A movie is read through Movie Read; the data procedure must be there
    // before the first chunk can go out.
    if (object.id != kImageData || object.dataProc.procedure == 0) {
        return kErrNotReady;
    }
    if (m_world.transfers().acquire(object.handle) != nullptr) {
        return kErrBusy;
    }
    const SimDeliverySettings& settings = m_world.deliverySettings();
    std::vector<SimFile> files = itemFiles(*item);
    if (files.empty()) {
        return kErrNotReady;
    }
    m_world.transfers().addAcquire(object.handle,
                                   SimAcquire(std::move(files), settings.chunkSize,
                                              takeFaults(orv::kCmdStart, orv::kCapAcquire)));
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
    if (const std::optional<int32_t> reason = stopReason(*running, object)) {
        finish(handle, *reason);
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
        // The program has every file: the camera lets the picture go.
        const OpenObject* still = m_world.objects().byHandle(handle);
        if (SimItem* item = still != nullptr ? itemOf(*still) : nullptr) {
            item->taken = true;
        }
        finish(handle, kOk);
        return false;
    }
    return true;
}

std::optional<int32_t> SimDelivery::stopReason(const RunningAcquire& running,
                                               const OpenObject* object) {
    if (object == nullptr) {
        return kErrFailed; // the program closed the data object
    }
    if (itemOf(*object) == nullptr) {
        return kErrDeviceGone;
    }
    if (object->dataProc.procedure == 0) {
        return kErrNotReady;
    }
    return running.acquire.failureDue();
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

// ---- Movie read ---------------------------------------------------------------

// A movie request needs a generic block and the item still there.
int32_t SimDelivery::movieItem(const OpenObject& object, uint32_t dataType, intptr_t data,
                               SimItem*& item) {
    if (dataType != orv::kDtGeneric) {
        return kErrWrongDataType;
    }
    if (data == 0) {
        return kErrNoData;
    }
    item = itemOf(object);
    return item == nullptr ? kErrDeviceGone : kOk;
}

int32_t SimDelivery::movieSize(const OpenObject& object, uint32_t dataType, intptr_t data) {
    SimItem* item = nullptr;
    if (const int32_t r = movieItem(object, dataType, data, item); r != kOk) {
        return r;
    }
    // Asking for the size begins a read: faults armed now act on it.
    MovieRead& read = m_world.transfers().movieRead(object.handle);
    read = MovieRead{takeFaults(orv::kCmdGet, orv::kCapMovieRead), 0};
    storeAt(data, offsetof(orv::MovieReadBlock, sizeField),
            read.faults.announcedTotal.value_or(item->movieSize));
    return kOk;
}

int32_t SimDelivery::movieChunk(const OpenObject& object, uint32_t dataType, intptr_t data) {
    SimItem* item = nullptr;
    if (const int32_t r = movieItem(object, dataType, data, item); r != kOk) {
        return r;
    }
    orv::MovieReadBlock block{};
    std::memcpy(&block, reinterpret_cast<const void*>(data), sizeof block);
    if (block.mode != kMovieReadChunk) {
        return kErrBadValue;
    }
    if (block.buffer == 0) {
        return kErrNoData;
    }
    MovieRead& read = m_world.transfers().movieRead(object.handle);
    if (read.faults.failAfter == read.reads++) {
        return read.faults.failResult;
    }
    const SimContent movie = movieContent(*item);
    const uint32_t left = block.offset < movie.size ? movie.size - block.offset : 0;
    const uint32_t count = std::min(block.sizeField, left);
    movie.read(block.offset, reinterpret_cast<uint8_t*>(block.buffer), count);
    storeAt(data, offsetof(orv::MovieReadBlock, delivered), count);
    if (count > 0 && count == left) {
        item->taken = true; // the movie's last byte went out
    }
    return kOk;
}

} // namespace vsim
