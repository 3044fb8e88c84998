// The data procedure of an acquire fed with what a module may send: file
// chunks, names of files left on the card, raw image rows and records of no
// known kind, each record and chunk exactly as long as it claims, with the
// sink refusing one of its calls. The receiver must hand on only whole
// chunks that fit the announced file, and refuse the rest once.
// Input (little-endian): u8 the sink call that fails, u8 the record before
// which the acquire is given up, then records: u8 flags (bits 0-1: 0 file
// chunk, 1 raw rows, 2 and 3 another kind; 0x10 file on card; 0x20 last
// chunk; 0x40 with 3: no record at all; 0x80 no data) and the fields of
// its shape: file u8 kind, u16 type, u32 total, u16 chunk length; rows u8
// kind, u32 rows in all, u16 row length, u8 rows in the chunk; other u8 kind.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "camera/CameraTypes.h"
#include "camera/ItemData.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

using namespace orv;

namespace {

constexpr int kMaxRecords = 64;
// Chunks stay small enough to allocate; totals may be anything.
constexpr uint32_t kMaxChunkBytes = 0xFFFF;
constexpr uint32_t kMaxRowBytes = 4096;
constexpr uint32_t kMaxRowsInChunk = 64;

// A copy of exactly `size` bytes on the heap, so that a read beyond is caught.
struct ExactBuffer {
    explicit ExactBuffer(size_t size, uint8_t fill = 0)
        : bytes(std::make_unique<uint8_t[]>(size)), size(size) {
        std::fill(bytes.get(), bytes.get() + size, fill);
    }
    std::unique_ptr<uint8_t[]> bytes;
    size_t size;
};

template <typename Record> ExactBuffer recordBuffer(const Record& record) {
    ExactBuffer buffer(sizeof record);
    std::memcpy(buffer.bytes.get(), &record, sizeof record);
    return buffer;
}

// Checks the sink's side of the contract; refuses the call numbered `failingCall`.
class CheckingSink : public ItemDataSink {
public:
    explicit CheckingSink(int failingCall) : m_failingCall(failingCall) {}

    // The chunk of the record being taken: appends must be exactly it.
    void expectChunk(const uint8_t* data, size_t size) {
        m_chunk = data;
        m_chunkSize = size;
    }

    bool beginFile(const FileStart& start) override {
        FUZZ_CHECK(!m_open && m_refusals == 0);
        FUZZ_CHECK(start.totalBytes > 0 && start.totalBytes <= DataReceiver::kMaxFileBytes);
        // A refused file is not open.
        m_open = answer();
        m_received = 0;
        m_total = start.totalBytes;
        return m_open;
    }
    bool appendFile(const uint8_t* data, size_t size) override {
        FUZZ_CHECK(m_open && size > 0);
        FUZZ_CHECK(data == m_chunk && size == m_chunkSize);
        m_received += size;
        FUZZ_CHECK(m_received <= m_total);
        return answer();
    }
    bool endFile() override {
        FUZZ_CHECK(m_open && m_received == m_total);
        m_open = false;
        ++m_ended;
        return answer();
    }
    void dropFile() override {
        FUZZ_CHECK(m_open);
        m_open = false;
    }
    void fileOnDisk(const std::string& name) override {
        FUZZ_CHECK(name.size() <= DataReceiver::kFileNameBytes);
    }
    void refused(const std::string& reason) override {
        FUZZ_CHECK(!reason.empty());
        ++m_refusals;
        FUZZ_CHECK(m_refusals == 1);
        FUZZ_CHECK(!m_open);
    }

    bool open() const { return m_open; }
    int ended() const { return m_ended; }

private:
    bool answer() { return m_calls++ != m_failingCall; }

    int m_failingCall;
    int m_calls = 0;
    bool m_open = false;
    uint64_t m_received = 0;
    uint64_t m_total = 0;
    int m_ended = 0;
    int m_refusals = 0;
    const uint8_t* m_chunk = nullptr;
    size_t m_chunkSize = 0;
};

// One call of the data procedure: the record and its data.
struct DataCall {
    ExactBuffer info{0};
    bool withInfo = true;
    ExactBuffer data{0};
    bool withData = true;
    bool lastOfImage = false; // the record marks the last chunk of an image
};

DataCall fileChunk(FuzzInput& input, uint8_t flags) {
    FileDataInfo record{};
    record.kind = kKindFile | (input.number<uint8_t>() & ~uint32_t{kKindFile});
    record.fileType = input.number<uint16_t>();
    record.totalLength = input.number<uint32_t>();
    record.chunkLength = input.number<uint16_t>() % (kMaxChunkBytes + 1);
    record.fileOnDisk = (flags & 0x10) ? 1 : 0;
    record.removeObject = (flags & 0x20) ? 1 : 0;
    DataCall call;
    call.info = recordBuffer(record);
    // A file left on the card sends its name in a 256-byte field, which
    // need not hold an end.
    call.data = ExactBuffer(record.fileOnDisk ? DataReceiver::kFileNameBytes : record.chunkLength,
                            record.fileOnDisk ? 'N' : 0x5A);
    call.lastOfImage = record.removeObject && (record.kind & kKindImage);
    return call;
}

DataCall rawRows(FuzzInput& input, uint8_t flags) {
    RawDataInfo record{};
    record.kind = kKindImage | (input.number<uint8_t>() & ~uint32_t{kKindFile});
    record.totalHeight = input.number<uint32_t>();
    record.bytesPerRow = input.number<uint16_t>() % (kMaxRowBytes + 1);
    record.rowsInChunk = input.number<uint8_t>() % (kMaxRowsInChunk + 1);
    record.removeObject = (flags & 0x20) ? 1 : 0;
    DataCall call;
    call.info = recordBuffer(record);
    call.data = ExactBuffer(size_t{record.bytesPerRow} * record.rowsInChunk, 0xA5);
    call.lastOfImage = record.removeObject != 0;
    return call;
}

// A record of no kind the receiver takes: only its kind is read.
DataCall otherKind(FuzzInput& input) {
    const uint32_t kind = input.number<uint8_t>() & ~uint32_t{kKindFile | kKindImage};
    DataCall call;
    call.info = recordBuffer(kind);
    return call;
}

DataCall nextCall(FuzzInput& input) {
    const auto flags = input.number<uint8_t>();
    DataCall call = (flags & 3) == 0   ? fileChunk(input, flags)
                    : (flags & 3) == 1 ? rawRows(input, flags)
                                       : otherKind(input);
    call.withInfo = (flags & 0x40) == 0 || (flags & 3) != 3;
    call.withData = (flags & 0x80) == 0;
    return call;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    CheckingSink sink(input.number<uint8_t>());
    const int detachAfter = input.number<uint8_t>() % (kMaxRecords + 1);
    DataReceiver receiver(sink, 1);
    bool refusing = false;
    for (int i = 0; i < kMaxRecords && !input.empty(); ++i) {
        if (i == detachAfter) {
            receiver.detach();
            FUZZ_CHECK(!sink.open());
            refusing = true;
        }
        const DataCall call = nextCall(input);
        const uint8_t* chunk = call.withData ? call.data.bytes.get() : nullptr;
        sink.expectChunk(chunk, call.data.size);
        const int endedBefore = sink.ended();
        const bool doneBefore = receiver.TransferDone();
        const int32_t result =
            DataReceiver::DataProc(reinterpret_cast<intptr_t>(&receiver),
                                   call.withInfo ? call.info.bytes.get() : nullptr, chunk);
        FUZZ_CHECK(result == 0 || result == kResultOutOfMemory);
        // Once refused or detached, the acquire takes nothing more.
        FUZZ_CHECK(!refusing || result == kResultOutOfMemory);
        refusing = refusing || result != 0;
        if (i < detachAfter) {
            FUZZ_CHECK(receiver.failed() == refusing);
        }
        if (receiver.TransferDone() && !doneBefore) {
            FUZZ_CHECK(call.lastOfImage && sink.ended() == endedBefore + 1);
        }
    }
    receiver.detach();
    FUZZ_CHECK(!sink.open());
    return 0;
}
