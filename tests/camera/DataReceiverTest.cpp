// The data procedure's checks: what it takes, what it refuses, and that no
// record, however broken, makes it read or hand on more than it was given.
#include "camera/CameraTypes.h"
#include "camera/ItemData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace orv;

namespace {

// Records what reaches it and checks the sink's side of the contract.
class RecordingSink : public ItemDataSink {
public:
    struct File {
        FileStart start;
        std::vector<uint8_t> bytes;
        bool ended = false;
        bool dropped = false;
    };

    bool beginFile(const FileStart& start) override {
        EXPECT_FALSE(open) << "a file begun while another is open";
        open = true;
        files.push_back({start, {}, false, false});
        return acceptBegin;
    }
    bool appendFile(const uint8_t* data, std::size_t size) override {
        EXPECT_TRUE(open);
        File& f = files.back();
        f.bytes.insert(f.bytes.end(), data, data + size);
        EXPECT_LE(f.bytes.size(), f.start.totalBytes) << "more bytes than announced";
        return acceptAppend;
    }
    bool endFile() override {
        EXPECT_TRUE(open);
        EXPECT_EQ(files.back().bytes.size(), files.back().start.totalBytes);
        open = false;
        files.back().ended = true;
        return true;
    }
    void dropFile() override {
        open = false;
        files.back().dropped = true;
    }
    void fileOnDisk(const std::string& name) override { onDisk.push_back(name); }
    void refused(const std::string& reason) override { refusals.push_back(reason); }

    std::vector<File> files;
    std::vector<std::string> onDisk;
    std::vector<std::string> refusals;
    bool open = false;
    bool acceptBegin = true;
    bool acceptAppend = true;
};

FileDataInfo fileChunk(uint32_t kind, uint16_t type, uint32_t total, uint32_t length,
                       bool last = false) {
    FileDataInfo info{};
    info.kind = kind;
    info.fileType = type;
    info.totalLength = total;
    info.chunkLength = length;
    info.removeObject = last ? 1 : 0;
    return info;
}

} // namespace

TEST(DataReceiverTest, ChunksOfOneAcquireMakeWholeFilesAndTheLastMarksTheItemDone) {
    RecordingSink sink;
    DataReceiver receiver(sink, 0x10001);
    const std::vector<uint8_t> raw(10, 0xAB);
    const std::vector<uint8_t> jpeg{1, 2, 3, 4, 5, 6};
    const uint32_t image = kKindImage | kKindFile;
    auto info = fileChunk(image, kFileOrw, 10, 6);
    EXPECT_EQ(receiver.take(&info, raw.data()), 0);
    info = fileChunk(image, kFileOrw, 10, 4);
    EXPECT_EQ(receiver.take(&info, raw.data() + 6), 0);
    EXPECT_FALSE(receiver.TransferDone());
    info = fileChunk(image, kFileJpeg, 6, 6, true);
    EXPECT_EQ(receiver.take(&info, jpeg.data()), 0);

    ASSERT_EQ(sink.files.size(), 2u);
    EXPECT_EQ(sink.files[0].bytes, raw);
    EXPECT_EQ(sink.files[0].start.fileType, kFileOrw);
    EXPECT_EQ(sink.files[1].bytes, jpeg);
    EXPECT_TRUE(receiver.TransferDone());
}

TEST(DataReceiverTest, ThumbnailsRawRowsAndFilesOnTheCard) {
    RecordingSink sink;
    DataReceiver receiver(sink, 1);
    // A removable thumbnail is not the image: the item is not done by it.
    const std::vector<uint8_t> thumb(3, 7);
    auto info = fileChunk(kKindThumbnail | kKindFile, kFileJpeg, 3, 3, true);
    EXPECT_EQ(receiver.take(&info, thumb.data()), 0);
    EXPECT_FALSE(receiver.TransferDone());

    // Raw rows: total = rows x row length, computed without wrapping.
    RawDataInfo rows{};
    rows.kind = kKindImage;
    rows.totalHeight = 4;
    rows.bytesPerRow = 5;
    rows.rowsInChunk = 4;
    rows.removeObject = 1;
    const std::vector<uint8_t> pixels(20, 9);
    EXPECT_EQ(receiver.take(&rows, pixels.data()), 0);
    ASSERT_EQ(sink.files.size(), 2u);
    EXPECT_TRUE(sink.files[1].start.rawImage);
    EXPECT_EQ(sink.files[1].bytes.size(), 20u);
    EXPECT_TRUE(receiver.TransferDone());

    // A name of 256 characters without an end is cut at 256, not read beyond.
    std::vector<char> name(DataReceiver::kFileNameBytes, 'N');
    auto onCard = fileChunk(kKindImage | kKindFile, kFileJpeg, 1000, 256);
    onCard.fileOnDisk = 1;
    EXPECT_EQ(receiver.take(&onCard, name.data()), 0);
    ASSERT_EQ(sink.onDisk.size(), 1u);
    EXPECT_EQ(sink.onDisk[0], std::string(256, 'N'));
    EXPECT_EQ(sink.files.size(), 2u);
}

TEST(DataReceiverTest, BrokenRecordsAreRefusedOnceAndNothingRunsPastTheAnnouncedTotal) {
    struct Case {
        const char* what;
        FileDataInfo first;
        FileDataInfo second;
    };
    const uint32_t image = kKindImage | kKindFile;
    const Case cases[] = {
        {"chunk longer than announced", fileChunk(image, 1, 8, 6), fileChunk(image, 1, 8, 6)},
        {"total of 0", fileChunk(image, 1, 0, 0), fileChunk(image, 1, 8, 8)},
        {"absurd total", fileChunk(image, 1, 0xFFFFFFF0u, 4), fileChunk(image, 1, 8, 8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingSink sink;
        DataReceiver receiver(sink, 1);
        const std::vector<uint8_t> data(8, 1);
        receiver.take(&c.first, data.data());
        EXPECT_EQ(receiver.take(&c.second, data.data()), kResultOutOfMemory);
        EXPECT_EQ(receiver.take(&c.second, data.data()), kResultOutOfMemory);
        EXPECT_EQ(sink.refusals.size(), 1u);
        EXPECT_FALSE(sink.open);
        for (const auto& f : sink.files) {
            EXPECT_FALSE(f.ended);
        }
    }
}

TEST(DataReceiverTest, AFailedWriteStopsTheAcquireAndDetachDropsAnOpenFile) {
    RecordingSink sink;
    sink.acceptAppend = false;
    DataReceiver receiver(sink, 1);
    const std::vector<uint8_t> data(4, 1);
    auto info = fileChunk(kKindImage | kKindFile, 1, 8, 4);
    EXPECT_EQ(receiver.take(&info, data.data()), kResultOutOfMemory);
    EXPECT_TRUE(sink.files.at(0).dropped);
    EXPECT_EQ(receiver.take(&info, data.data()), kResultOutOfMemory);
    EXPECT_EQ(sink.files.size(), 1u);

    RecordingSink other;
    DataReceiver late(other, 2);
    EXPECT_EQ(late.take(&info, data.data()), 0);
    late.detach();
    EXPECT_TRUE(other.files.at(0).dropped);
    EXPECT_EQ(late.take(&info, data.data()), kResultOutOfMemory);
}

// Random records and chunk sequences; each chunk's data is exactly as long
// as its record says, so the sanitizers catch any read beyond it.
TEST(DataReceiverTest, RandomRecordsNeverOverrunTheirData) {
    std::mt19937 random(20261209);
    const uint32_t kinds[] = {
        0,          kKindImage, kKindFile, kKindImage | kKindFile, kKindThumbnail | kKindFile,
        kKindVideo, 0xFFFFFFFFu};
    for (int round = 0; round < 3000; ++round) {
        RecordingSink sink;
        sink.acceptAppend = random() % 50 != 0;
        DataReceiver receiver(sink, round);
        const int chunks = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < chunks; ++i) {
            std::vector<uint8_t> info(sizeof(RawDataInfo));
            for (uint8_t& b : info) {
                b = static_cast<uint8_t>(random());
            }
            const uint32_t kind = kinds[random() % std::size(kinds)];
            std::memcpy(info.data(), &kind, sizeof kind);
            FileDataInfo file{};
            std::memcpy(&file, info.data(), sizeof file);
            file.totalLength %= 64;
            file.chunkLength %= 80;
            file.fileOnDisk = random() % 10 == 0;
            std::memcpy(info.data(), &file, sizeof file);
            RawDataInfo rows{};
            std::memcpy(&rows, info.data(), sizeof rows);
            rows.totalHeight %= 9;
            rows.rowsInChunk %= 12;
            rows.bytesPerRow %= 9;
            std::size_t length = (kind & kKindFile) ? (file.fileOnDisk ? 256 : file.chunkLength)
                                                    : size_t{rows.bytesPerRow} * rows.rowsInChunk;
            if (!(kind & kKindFile)) {
                std::memcpy(info.data(), &rows, sizeof rows);
            }
            std::vector<uint8_t> data(length, 0x5A);
            receiver.take(info.data(), data.empty() ? nullptr : data.data());
        }
        receiver.detach();
        EXPECT_FALSE(sink.open);
        EXPECT_LE(sink.refusals.size(), 1u);
    }
}
