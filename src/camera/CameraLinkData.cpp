// CameraLink: the data of items (still files through an acquire, movies
// through chunked reads).
#include "camera/CameraLink.h"

#include "camera/CapabilityValues.h"

#include <algorithm>

using namespace orv;

namespace {

std::string bytesText(uint64_t bytes) {
    return std::to_string(bytes) + " bytes";
}

} // namespace

CameraLink::Acquire CameraLink::AcquireDataObject(CamObject* dataObject,
                                                  const std::shared_ptr<DataReceiver>& receiver) {
    if (!dataObject || !isLive(dataObject) ||
        !CapabilitySupports(dataObject, kCapDataProc, kOpSet)) {
        return Acquire::NotStarted;
    }
    const CamObjectRef ref = refOf(dataObject);
    const CallbackPair pair{reinterpret_cast<uintptr_t>(&DataReceiver::DataProc),
                            reinterpret_cast<intptr_t>(receiver.get())};
    if (!values().setCallback(dataObject, kCapDataProc, pair)) {
        return Acquire::NotStarted;
    }
    ModuleRequest acquire{kCmdStart, kCapAcquire, kDtNone};
    // However large the file, the wait only ends when the chunks stop coming.
    acquire.waitLimit = m_waitLimit;
    acquire.progress = &receiver->chunkCount();
    RequestOutcome outcome;
    if (CamObject* live = resolve(ref)) {
        outcome = Submit(live, acquire, std::make_unique<ReceiverHold>(receiver));
    }
    if (!outcome.completed) {
        // A late chunk finds a receiver that takes nothing.
        receiver->detach();
    }
    if (CamObject* live = resolve(ref)) {
        values().clearValue(live, kCapDataProc);
    }
    if (outcome.accepted()) {
        return acceptedResult(outcome.completionResult) ? Acquire::Completed : Acquire::Failed;
    }
    const bool refusedAtOnce =
        !outcome.completed && receiver->chunkCount() == 0 && !acceptedResult(outcome.result);
    return refusedAtOnce ? Acquire::NotStarted : Acquire::Incomplete;
}

MovieReadResult CameraLink::ReadMovie(CamObject* dataObject, MovieSink& sink,
                                      uint32_t bufferBytes) {
    MovieReadResult result;
    const CamObjectRef ref = refOf(dataObject);
    if (!dataObject || !isLive(dataObject)) {
        return result;
    }
    ModuleRequest size{kCmdGet, kCapMovieRead, kDtGeneric};
    size.setBlock(MovieReadBlock{});
    MovieReadBlock block{};
    if (!Submit(dataObject, size).ok() || !size.readBlock(block)) {
        result.error = "the movie's size could not be read";
        return result;
    }
    result.totalBytes = block.sizeField;
    if (!sink.beginMovie(result.totalBytes)) {
        return result;
    }
    result.started = true;
    // Ticks that come while the window runs between chunks wait their turn.
    const CallScope reading(*this);
    std::vector<uint8_t> buffer(bufferBytes);
    while (result.receivedBytes < result.totalBytes && result.error.empty()) {
        CamObject* live = resolve(ref);
        if (!live) {
            result.error = "the camera closed the movie";
            break;
        }
        ModuleRequest chunk{kCmdGetArray, kCapMovieRead, kDtGeneric};
        chunk.contents = std::move(buffer);
        chunk.setBlock(MovieReadBlock{2, static_cast<uint32_t>(result.receivedBytes), 0,
                                      bufferBytes,
                                      reinterpret_cast<uintptr_t>(chunk.contents.data())});
        const bool read = Submit(live, chunk).ok() && chunk.readBlock(block);
        buffer = std::move(chunk.contents);
        const uint64_t left = result.totalBytes - result.receivedBytes;
        if (!read || buffer.size() != bufferBytes) {
            result.error = "the camera did not deliver the next chunk";
        } else if (block.delivered == 0 ||
                   block.delivered > std::min<uint64_t>(left, bufferBytes)) {
            result.error = "the camera delivered " + bytesText(block.delivered) + " where " +
                           bytesText(std::min<uint64_t>(left, bufferBytes)) + " fit";
        } else if (!sink.appendMovie(buffer.data(), block.delivered)) {
            result.error = "the movie could not be written";
        } else {
            result.receivedBytes += block.delivered;
            sink.movieProgress(result.receivedBytes, result.totalBytes);
        }
    }
    return result;
}
