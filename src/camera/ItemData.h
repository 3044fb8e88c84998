#pragma once
// The data of a camera item as the module delivers it: still files in
// chunks through the data procedure of an acquire, movies through chunked
// reads. The receiver checks every record before a byte is taken and hands
// the bytes on to a sink, which decides where they go; nothing here knows
// about files or names.
#include "camera/CompletionRecord.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Where the files of one acquire go.
class ItemDataSink {
public:
    struct FileStart {
        uint32_t kind = 0;     // kind bits of the record (image, thumbnail, file)
        uint32_t fileType = 0; // file data: 1 JPEG, 2 TIFF, 4 ORW, ...; raw data: 0
        bool rawImage = false; // rows of raw image data instead of a file
        uint64_t totalBytes = 0;
    };

    virtual ~ItemDataSink() = default;
    // False refuses the file (the sink has said why).
    virtual bool beginFile(const FileStart& start) = 0;
    virtual bool appendFile(const uint8_t* data, std::size_t size) = 0;
    // Every announced byte has arrived.
    virtual bool endFile() = 0;
    // The file was begun but will not be completed.
    virtual void dropFile() = 0;
    // The module reports a file that stays on the card, by name.
    virtual void fileOnDisk(const std::string& name) = 0;
    // A record that cannot be taken; said once per acquire.
    virtual void refused(const std::string& reason) = 0;
};

// The data procedure's reference during one acquire.
class DataReceiver {
public:
    // A still file beyond this is not a camera file but a broken record.
    static constexpr uint64_t kMaxFileBytes = uint64_t{2} << 30;
    static constexpr std::size_t kFileNameBytes = 256;

    DataReceiver(ItemDataSink& sink, uint32_t itemId) : m_sink(&sink), m_itemId(itemId) {}
    ~DataReceiver();
    DataReceiver(const DataReceiver&) = delete;
    DataReceiver& operator=(const DataReceiver&) = delete;

    // What the module calls: 0 accepted, -118 refused.
    static int32_t DataProc(intptr_t reference, const void* info, const void* data);
    int32_t take(const void* info, const void* data);

    // The acquire is over (or given up): later calls are refused and a file
    // still open is dropped.
    void detach();

    uint32_t itemId() const { return m_itemId; }
    // The module marked the last chunk of an image as removable.
    bool TransferDone() const { return m_transferDone; }
    bool failed() const { return m_failed; }
    // Chunks taken so far: waits measure progress by it.
    const uint64_t& chunkCount() const { return m_chunks; }

private:
    int32_t takeFileData(const void* info, const uint8_t* data);
    int32_t takeRawData(const void* info, const uint8_t* data);
    // A chunk of `size` bytes of a file of `total` bytes.
    int32_t takeChunk(const ItemDataSink::FileStart& start, const uint8_t* data, uint64_t size,
                      bool removable);
    int32_t refuse(const std::string& reason);

    ItemDataSink* m_sink;
    uint32_t m_itemId;
    bool m_fileOpen = false;
    uint64_t m_received = 0;
    uint64_t m_total = 0;
    uint64_t m_chunks = 0;
    bool m_transferDone = false;
    bool m_failed = false;
};

// Keeps the receiver alive as long as the acquire's completion record, so a
// late call after the wait gave up finds a detached receiver, not freed memory.
class ReceiverHold : public CompletionExtra {
public:
    explicit ReceiverHold(std::shared_ptr<DataReceiver> receiver)
        : m_receiver(std::move(receiver)) {}

private:
    std::shared_ptr<DataReceiver> m_receiver;
};

// Where a movie goes while it is read chunk by chunk.
class MovieSink {
public:
    virtual ~MovieSink() = default;
    // The movie's size is known; false stops before the first read.
    virtual bool beginMovie(uint64_t totalBytes) = 0;
    virtual bool appendMovie(const uint8_t* data, std::size_t size) = 0;
    // After every chunk: progress, and the window's turn to run.
    virtual void movieProgress(uint64_t receivedBytes, uint64_t totalBytes) = 0;
};

struct MovieReadResult {
    bool started = false; // the size could be read and the sink took the movie
    uint64_t totalBytes = 0;
    uint64_t receivedBytes = 0;
    std::string error; // why the reading stopped early, empty when complete
    bool complete() const { return started && error.empty() && receivedBytes == totalBytes; }
};
