#include "images/ImageTransfer.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/ItemData.h"
#include "camera/LogSink.h"
#include "images/ImageNaming.h"
#include "images/ItemFiles.h"
#include "images/MovieFile.h"
#include "images/NamingState.h"
#include "session/CameraSession.h"

#include <memory>

using namespace orv;

namespace {

constexpr uint32_t kImageChild = 1;
constexpr uint32_t kVideoChild = 4;

// The extension of the data object's own name, as the camera wrote it.
std::string nameExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

} // namespace

ImageTransfer::ImageTransfer(CameraSession& session, NamingState& naming, FileSystem& fileSystem,
                             LogSink& log)
    : m_session(session), m_link(session.link()), m_naming(naming), m_fileSystem(fileSystem),
      m_log(log) {}

int ImageTransfer::PendingItemCount() const {
    return m_session.pendingItemCount();
}

void ImageTransfer::connectionOpened() {
    m_naming.clearLastItemTag();
    m_reported.clear();
    m_kept.clear();
    m_refusedSince.clear();
}

void ImageTransfer::DownloadNewImages() {
    CamObject* source = m_link.CurrentSource();
    // Every item leaves the loop closed or ends the pass, so it ends.
    while (source && source->childCount() > 0) {
        CamObject* item = CameraLink::ChildAt(source, 0);
        if (!item || fetchItem(*source, *item) == Next::StopPass) {
            return;
        }
        source = m_link.CurrentSource();
    }
}

ImageTransfer::Next ImageTransfer::fetchItem(CamObject& source, CamObject& item) {
    const CamObjectRef sourceRef = m_link.refOf(&source);
    const CamObjectRef itemRef = m_link.refOf(&item);
    const uint32_t itemId = item.id();
    const int64_t number = m_naming.numberItem(naming::itemTag(itemId));
    const std::optional<uint32_t> kinds = m_link.values().readUnsigned(&item, kCapDataKinds);
    if (!kinds) {
        return keepForLater(itemId, "CAMERA: The data kinds of item " + naming::itemTag(itemId) +
                                        " could not be read.");
    }
    if (*kinds & kKindImage) {
        return fetchStill(sourceRef, itemRef, number);
    }
    if (*kinds & kKindVideo) {
        return fetchMovie(sourceRef, itemRef, number);
    }
    return passOver(sourceRef, itemId, "holds neither an image nor a movie");
}

ImageTransfer::Next ImageTransfer::fetchStill(const CamObjectRef& source, const CamObjectRef& item,
                                              int64_t number) {
    const uint32_t itemId = item.object->id();
    ItemFiles files(m_naming, m_fileSystem, m_log, number);
    if (const auto kept = m_kept.find(itemId); kept != m_kept.end()) {
        files.resume(kept->second);
    }
    CameraLink::Acquire acquired = CameraLink::Acquire::NotStarted;
    for (int attempt = 1;; ++attempt) {
        if (!acquireStill(item, files, acquired)) {
            if (attempt == 1) {
                return passOver(source, itemId, "has no image data");
            }
            break;
        }
        if (!brokeOff(acquired, files) || attempt == kAcquireAttempts) {
            break;
        }
        m_log.log("CAMERA: The image data of item " + naming::itemTag(itemId) +
                  " broke off; it is fetched again.");
        // The files of the try before are on disk: they are not written twice.
        files.resume(files.progress());
    }
    if (!files.writeError().empty()) {
        m_kept[itemId] = files.progress();
        return keepForLater(itemId, "Image not saved: " + files.writeError() +
                                        ". It stays in the camera; it is tried again.");
    }
    if (files.dataError().empty() && !m_transferDone &&
        acquired == CameraLink::Acquire::NotStarted) {
        if (refusedTooLong(itemId)) {
            return passOver(source, itemId,
                            "refused its image data for " + std::to_string(kRefusalLimit.count()) +
                                " s");
        }
        return keepForLater(itemId, "CAMERA: The image data of item " + naming::itemTag(itemId) +
                                        " could not be fetched; it is tried again.");
    }
    // From here the item is done with; what it wrote stays on disk.
    for (const ReceivedFile& file : files.writtenFiles()) {
        reportReceived(file);
    }
    if (!files.dataError().empty()) {
        return passOver(source, itemId, "sent broken image data (" + files.dataError() + ")");
    }
    // The camera marked the data complete and every file is written: what a
    // missing completion after that could add is nothing.
    if (m_transferDone) {
        closeItem(source, itemId);
        return Next::Item;
    }
    if (acquired == CameraLink::Acquire::Incomplete) {
        return passOver(source, itemId, "did not deliver its image data");
    }
    if (acquired == CameraLink::Acquire::Failed) {
        return passOver(source, itemId,
                        "broke off its image data " + std::to_string(kAcquireAttempts) + " times");
    }
    return passOver(source, itemId, "did not mark the end of its image data");
}

bool ImageTransfer::acquireStill(const CamObjectRef& item, ItemFiles& files,
                                 CameraLink::Acquire& acquired) {
    m_transferDone = false;
    CamObject* data = dataChild(item, kImageChild);
    if (!data) {
        return false;
    }
    const uint32_t itemId = item.object->id();
    const std::string cameraName = m_link.values().getText(data, kCapName);
    m_log.log("Image file <bl><b>" + m_naming.CurImgPrefix() +
              naming::ZeroPad(files.number(), naming::kNumberWidth) + nameExtension(cameraName) +
              "</b></bl> downloading.");
    const auto receiver = std::make_shared<DataReceiver>(files, itemId);
    acquired = m_link.AcquireDataObject(data, receiver);
    receiver->detach();
    m_transferDone = receiver->TransferDone();
    if (CamObject* live = m_link.resolve(item)) {
        m_link.CloseChild(live, kImageChild);
    }
    return true;
}

// The camera ended the acquire with an error and nothing else went wrong:
// another try may bring the rest.
bool ImageTransfer::brokeOff(CameraLink::Acquire acquired, const ItemFiles& files) const {
    return acquired == CameraLink::Acquire::Failed && !m_transferDone &&
           files.writeError().empty() && files.dataError().empty();
}

ImageTransfer::Next ImageTransfer::fetchMovie(const CamObjectRef& source, const CamObjectRef& item,
                                              int64_t number) {
    const uint32_t itemId = item.object->id();
    CamObject* data = dataChild(item, kVideoChild);
    if (!data) {
        return passOver(source, itemId, "has no movie data");
    }
    m_naming.setActImgNo(number);
    MovieFile movie(m_naming, m_fileSystem, m_log, number, m_progress);
    const MovieReadResult result = m_link.ReadMovie(data, movie);
    const bool kept = movie.finish(result);
    if (CamObject* live = m_link.resolve(item)) {
        m_link.CloseChild(live, kVideoChild);
    }
    if (!kept && !movie.writeError().empty()) {
        return keepForLater(itemId, "Movie not saved: " + movie.writeError() +
                                        ". It stays in the camera; it is tried again.");
    }
    if (kept) {
        reportReceived(receivedFileAt(movie.path(), movie.number()));
    }
    if (!result.started || !kept) {
        const std::string why = result.error.empty() ? movie.refusal() : result.error;
        return passOver(source, itemId, "did not deliver its movie (" + why + ")");
    }
    if (!result.complete()) {
        return passOver(source, itemId, "sent only part of its movie");
    }
    closeItem(source, itemId);
    return Next::Item;
}

CamObject* ImageTransfer::dataChild(const CamObjectRef& item, uint32_t childId) {
    CamObject* live = m_link.resolve(item);
    if (!live) {
        return nullptr;
    }
    if (CamObject* found = CameraLink::FindChild(live, childId)) {
        return found;
    }
    if (!m_link.OpenChild(live, childId)) {
        return nullptr;
    }
    live = m_link.resolve(item);
    return live ? CameraLink::FindChild(live, childId) : nullptr;
}

void ImageTransfer::reportReceived(const ReceivedFile& file) {
    if (m_received) {
        m_received(file);
    }
}

void ImageTransfer::closeItem(const CamObjectRef& source, uint32_t itemId) {
    if (CamObject* live = m_link.resolve(source)) {
        m_link.CloseChild(live, itemId);
    }
    m_reported.erase(itemId);
    m_kept.erase(itemId);
    m_refusedSince.erase(itemId);
    m_session.itemDone();
}

ImageTransfer::Next ImageTransfer::passOver(const CamObjectRef& source, uint32_t itemId,
                                            const std::string& why) {
    m_log.elog("CAMERA: Item " + naming::itemTag(itemId) + " " + why +
               "; it is left on the camera.");
    closeItem(source, itemId);
    // A source closed meanwhile ends the pass.
    return m_link.resolve(source) ? Next::Item : Next::StopPass;
}

bool ImageTransfer::refusedTooLong(uint32_t itemId) {
    const Clock::TimePoint now = m_link.clock().now();
    const auto [since, first] = m_refusedSince.try_emplace(itemId, now);
    return !first && now - since->second >= kRefusalLimit;
}

ImageTransfer::Next ImageTransfer::keepForLater(uint32_t itemId, const std::string& why) {
    if (m_reported.insert(itemId).second) {
        m_log.elog(why);
    }
    return Next::StopPass;
}
