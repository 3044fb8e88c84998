#pragma once
// Fetches the items that wait in the camera, oldest first: still files
// through an acquire of the item's image data, movies through chunked reads,
// each file into the image directory under the item's number. Nothing is
// lost: an item whose files could not be written stays in the camera and
// counted as pending, and a later poll tries again, writing only the files
// it still lacks; the user hears of it once per item. An item that cannot be
// fetched at all (no data, data that breaks the rules, an acquire that never
// ends) is said, closed and passed over, so the ones after it still arrive.
// No widgets: the window and a windowless program use it alike.
#include "camera/CameraLink.h"
#include "camera/Clock.h"
#include "images/ItemFiles.h"
#include "images/ReceivedFile.h"
#include "session/StatePoll.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

class CameraSession;
class CamObject;
class FileSystem;
class LogSink;
class NamingState;
struct CamObjectRef;

class ImageTransfer : public PendingItemFetcher {
public:
    ImageTransfer(CameraSession& session, NamingState& naming, FileSystem& fileSystem,
                  LogSink& log);

    // Per cent of a movie received; the window also lets itself run here.
    void setProgress(std::function<void(int percent)> progress) {
        m_progress = std::move(progress);
    }

    // Each file written under its final name, once it is on disk (a JPEG and
    // a RAW of one shot are two files); none of an item kept for another try.
    void setFileReceived(std::function<void(const ReceivedFile&)> received) {
        m_received = std::move(received);
    }

    void DownloadNewImages() override;

    // The last still's data ended with the camera's mark that it is complete.
    bool TransferDone() const { return m_transferDone; }
    int PendingItemCount() const;
    // A new connection: items are counted and reported afresh.
    void connectionOpened();

private:
    // An acquire the camera ends with an error is tried this often in all.
    static constexpr int kAcquireAttempts = 3;
    // A camera refuses an acquire while it is busy (writing a burst to its
    // card): a refusal lasting this long is no longer busyness, and the items
    // behind it must not wait for ever.
    static constexpr std::chrono::seconds kRefusalLimit{60};
    enum class Next { Item, StopPass };

    Next fetchItem(CamObject& source, CamObject& item);
    Next fetchStill(const CamObjectRef& source, const CamObjectRef& item, int64_t number);
    // One acquire of the item's image data into `files`; false when the item
    // has no image data.
    bool acquireStill(const CamObjectRef& item, ItemFiles& files, CameraLink::Acquire& acquired);
    bool brokeOff(CameraLink::Acquire acquired, const ItemFiles& files) const;
    Next fetchMovie(const CamObjectRef& source, const CamObjectRef& item, int64_t number);
    // Closes the item in the program (it stays on the camera's card).
    void closeItem(const CamObjectRef& source, uint32_t itemId);
    // Gives up on an item: said once, closed, no longer pending.
    Next passOver(const CamObjectRef& source, uint32_t itemId, const std::string& why);
    // Keeps an item for a later try: said once.
    Next keepForLater(uint32_t itemId, const std::string& why);
    // True when the camera has refused the item's data for kRefusalLimit.
    bool refusedTooLong(uint32_t itemId);
    CamObject* dataChild(const CamObjectRef& item, uint32_t childId);
    void reportReceived(const ReceivedFile& file);

    CameraSession& m_session;
    CameraLink& m_link;
    NamingState& m_naming;
    FileSystem& m_fileSystem;
    LogSink& m_log;
    std::function<void(int)> m_progress;
    std::function<void(const ReceivedFile&)> m_received;
    std::set<uint32_t> m_reported;
    // Items kept after some of their files were written: what is on disk.
    std::map<uint32_t, ItemFiles::Progress> m_kept;
    // Items whose acquire the camera refused, since when.
    std::map<uint32_t, Clock::TimePoint> m_refusedSince;
    bool m_transferDone = false;
};
