// Picture and movie data, fetched through the entry point as the program
// fetches them: acquires delivering chunks to the data procedure, movie
// reads into a buffer, and the faults a camera's delivery can have.
#include "SimTestSupport.h"
#include "sim_control.h"

#include <turbojpeg.h>

#include <algorithm>
#include <string>

using namespace simtest;
using vsim::Fault;
using vsim::ListedFile;
using vsim::SimControl;

namespace {

constexpr uint32_t kMiB = 1u << 20;
constexpr uint32_t kPictureFile = orv::kKindImage | orv::kKindFile;
constexpr uint32_t kImageData = 1;
constexpr uint32_t kVideoData = 4;
// Quality entries of the simulated bodies.
constexpr uint32_t kBasic = 0;
constexpr uint32_t kFine = 2;
constexpr uint32_t kRawOnly = 3;
constexpr uint32_t kRawFine = 6;

// One chunk as the program's data procedure saw it.
// The records are packed; aligned here, their fields can be compared in place.
struct Chunk {
    bool rawRows = false;
    alignas(8) orv::FileDataInfo file{};
    alignas(8) orv::RawDataInfo rows{};
    std::vector<uint8_t> data;
    int completionsBefore = 0;
};

// The program's data procedure: keeps every chunk (reading all the bytes
// the record announces) and answers `failure` from chunk `failAt` on.
struct Receiver {
    std::vector<Chunk> chunks;
    const Completion* completion = nullptr;
    size_t failAt = SIZE_MAX;
    int32_t failure = 0;

    static int32_t onData(intptr_t ref, const void* info, const void* data) {
        auto* self = reinterpret_cast<Receiver*>(ref);
        Chunk chunk;
        uint32_t kind = 0;
        std::memcpy(&kind, info, sizeof kind);
        chunk.rawRows = (kind & orv::kKindFile) == 0;
        size_t length = 0;
        if (chunk.rawRows) {
            std::memcpy(&chunk.rows, info, sizeof chunk.rows);
            length = size_t{chunk.rows.rowsInChunk} * chunk.rows.bytesPerRow;
        } else {
            std::memcpy(&chunk.file, info, sizeof chunk.file);
            length = chunk.file.chunkLength;
        }
        const auto* bytes = static_cast<const uint8_t*>(data);
        chunk.data.assign(bytes, bytes + length);
        chunk.completionsBefore = self->completion != nullptr ? self->completion->calls : 0;
        self->chunks.push_back(std::move(chunk));
        return self->chunks.size() > self->failAt ? self->failure : 0;
    }
};

// Bytes of each file of an acquire of file records, checked to come in
// order without gaps.
std::vector<std::vector<uint8_t>> filesOf(const std::vector<Chunk>& chunks) {
    std::vector<std::vector<uint8_t>> files;
    for (const Chunk& c : chunks) {
        EXPECT_FALSE(c.rawRows);
        if (c.file.chunkOffset == 0) {
            files.emplace_back();
        }
        if (files.empty()) {
            ADD_FAILURE() << "a file begins at offset " << c.file.chunkOffset;
            return files;
        }
        EXPECT_EQ(c.file.chunkOffset, files.back().size());
        files.back().insert(files.back().end(), c.data.begin(), c.data.end());
    }
    return files;
}

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    // Mean of the three channels at a point given in fractions of the sides.
    int brightness(double x, double y) const {
        const size_t at =
            (static_cast<size_t>(y * (height - 1)) * width + static_cast<size_t>(x * (width - 1))) *
            3;
        return (rgb[at] + rgb[at + 1] + rgb[at + 2]) / 3;
    }
};

Decoded decodeJpeg(const std::vector<uint8_t>& jpeg) {
    Decoded out;
    tjhandle handle = tjInitDecompress();
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(handle, jpeg.data(), jpeg.size(), &out.width, &out.height, &subsampling,
                            &colorspace) == 0) {
        out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
        if (tjDecompress2(handle, jpeg.data(), jpeg.size(), out.rgb.data(), out.width, 0,
                          out.height, TJPF_RGB, 0) != 0) {
            out = {};
        }
    }
    tjDestroy(handle);
    return out;
}

uint32_t le32(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

class SimDataTest : public SimFixture {
protected:
    void SetUp() override {
        SimFixture::SetUp();
        m_camera = SimControl::attach("Y800");
        m_source = openSource(m_camera);
        installEvents(m_source, &m_events);
    }

    orv::VendorObject* open(orv::VendorObject* parent, uint32_t id) {
        m_objects.push_back(std::make_unique<orv::VendorObject>());
        orv::VendorObject* object = m_objects.back().get();
        EXPECT_EQ(call(parent, orv::kCmdOpen, id, orv::kDtObject, addr(object)), 0);
        return object;
    }

    orv::VendorObject* openData(uint32_t itemId, uint32_t dataId) {
        return open(open(m_source, itemId), dataId);
    }

    // The item the last child-added on the source announced.
    uint32_t newestItem() {
        for (int i = 0; i < 3; ++i) {
            idle(m_source);
        }
        const auto added = std::find_if(m_events.rbegin(), m_events.rend(), [](const Event& e) {
            return e.event == orv::kEvChildAdded;
        });
        return added == m_events.rend() ? 0 : static_cast<uint32_t>(added->data);
    }

    uint32_t releaseByProgram() {
        EXPECT_EQ(request(m_source, orv::kCmdStart, orv::kCapCapture, orv::kDtNone, 0), 0);
        return newestItem();
    }

    // Sets the data procedure, starts Acquire and idles the data object
    // until the completion came; returns the start's result.
    int32_t acquire(orv::VendorObject* data, int idleLimit = 100) {
        m_receiver.completion = &m_done;
        const orv::CallbackPair proc{reinterpret_cast<uintptr_t>(&Receiver::onData),
                                     addr(&m_receiver)};
        EXPECT_EQ(request(data, orv::kCmdSet, orv::kCapDataProc, orv::kDtCallback, addr(&proc)), 0);
        const int32_t started =
            call(data, orv::kCmdStart, orv::kCapAcquire, orv::kDtNone, 0, &m_done);
        for (int i = 0; i < idleLimit && m_done.calls == 0; ++i) {
            const size_t before = m_receiver.chunks.size();
            idle(data);
            m_chunksPerIdle.push_back(m_receiver.chunks.size() - before);
        }
        return started;
    }

    std::vector<uint8_t> expected(uint32_t itemId, uint32_t fileIndex) {
        return SimControl::fileBytes(m_camera, itemId, kImageData, fileIndex);
    }

    void expectRemoveObjectOnlyOnLast() {
        for (size_t i = 0; i < m_receiver.chunks.size(); ++i) {
            const Chunk& c = m_receiver.chunks[i];
            const uint32_t remove = c.rawRows ? c.rows.removeObject : c.file.removeObject;
            EXPECT_EQ(remove, i + 1 == m_receiver.chunks.size() ? 1u : 0u) << "chunk " << i;
        }
    }

    int m_camera = 0;
    orv::VendorObject* m_source = nullptr;
    std::vector<Event> m_events;
    std::vector<std::unique_ptr<orv::VendorObject>> m_objects;
    Receiver m_receiver;
    Completion m_done;
    std::vector<size_t> m_chunksPerIdle;
};

TEST_F(SimDataTest, RawPlusFineReleaseDeliversOrwAndJpegInOneAcquire) {
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapCompression, kRawFine));
    ASSERT_TRUE(SimControl::setJpegSize(320, 200));
    ASSERT_TRUE(SimControl::setRawSize(3 * kMiB + 77));
    const uint32_t itemId = releaseByProgram();
    ASSERT_NE(itemId, 0u);
    orv::VendorObject* data = openData(itemId, kImageData);

    ASSERT_EQ(acquire(data), 0);
    ASSERT_EQ(m_done.calls, 1);
    EXPECT_EQ(m_done.result, 0);
    ASSERT_EQ(m_receiver.chunks.size(), 5u) << "four chunks of ORW, one of JPEG";
    for (const Chunk& c : m_receiver.chunks) {
        EXPECT_FALSE(c.rawRows);
        EXPECT_EQ(c.file.kind, kPictureFile);
        EXPECT_EQ(c.file.fileOnDisk, 0u);
        EXPECT_LE(c.file.chunkLength, kMiB);
        EXPECT_EQ(c.completionsBefore, 0) << "the completion follows the last chunk";
    }
    expectRemoveObjectOnlyOnLast();
    // The program stays responsive: the data come over several idle calls.
    EXPECT_LE(*std::max_element(m_chunksPerIdle.begin(), m_chunksPerIdle.end()), 4u);
    EXPECT_GT(std::count_if(m_chunksPerIdle.begin(), m_chunksPerIdle.end(),
                            [](size_t n) { return n > 0; }),
              1);

    const std::vector<std::vector<uint8_t>> files = filesOf(m_receiver.chunks);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(m_receiver.chunks.front().file.fileType, orv::kFileOrw);
    EXPECT_EQ(m_receiver.chunks.front().file.totalLength, 3 * kMiB + 77);
    EXPECT_TRUE(files[0] == expected(itemId, 0)) << "ORW byte for byte";
    EXPECT_EQ(std::string(files[0].begin(), files[0].begin() + 6), "ORWSIM");
    EXPECT_EQ(le32(files[0], 6), itemId);
    EXPECT_EQ(le32(files[0], 10), 3 * kMiB + 77);

    const Chunk& jpegChunk = m_receiver.chunks.back();
    EXPECT_EQ(jpegChunk.file.fileType, orv::kFileJpeg);
    EXPECT_EQ(jpegChunk.file.totalLength, files[1].size());
    EXPECT_TRUE(files[1] == expected(itemId, 1)) << "the JPEG is made the same way every time";
    const Decoded picture = decodeJpeg(files[1]);
    EXPECT_EQ(picture.width, 320);
    EXPECT_EQ(picture.height, 200);
    ASSERT_FALSE(picture.rgb.empty());
    EXPECT_LT(picture.brightness(0.1, 0.5) + 60, picture.brightness(0.9, 0.5));

    for (int i = 0; i < 5; ++i) {
        idle(data);
    }
    EXPECT_EQ(m_receiver.chunks.size(), 5u);
    EXPECT_EQ(m_done.calls, 1);
    EXPECT_EQ(SimControl::pendingCompletions(), 0);
}

TEST_F(SimDataTest, QualitySizeAndSceneShapeTheFilesOfEveryRelease) {
    // JPEG only, at the image size setting; the body's own button.
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapCompression, kBasic));
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapImageSize, 2)); // 2144x1424
    ASSERT_TRUE(SimControl::pressShutter(m_camera));
    const uint32_t basic = newestItem();
    ASSERT_EQ(acquire(openData(basic, kImageData)), 0);
    EXPECT_EQ(m_done.result, 0);
    ASSERT_FALSE(m_receiver.chunks.empty());
    EXPECT_EQ(m_receiver.chunks.front().file.fileType, orv::kFileJpeg);
    expectRemoveObjectOnlyOnLast();
    std::vector<std::vector<uint8_t>> files = filesOf(m_receiver.chunks);
    ASSERT_EQ(files.size(), 1u);
    const Decoded full = decodeJpeg(files[0]);
    EXPECT_EQ(full.width, 2144);
    EXPECT_EQ(full.height, 1424);

    // RAW alone: the ORW file of the default size.
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapCompression, kRawOnly));
    const uint32_t raw = releaseByProgram();
    m_receiver = {};
    m_done = {};
    ASSERT_EQ(acquire(openData(raw, kImageData)), 0);
    EXPECT_EQ(m_done.result, 0);
    files = filesOf(m_receiver.chunks);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(m_receiver.chunks.front().file.fileType, orv::kFileOrw);
    EXPECT_EQ(files[0].size(), 8 * kMiB);
    EXPECT_TRUE(files[0] == expected(raw, 0));
    expectRemoveObjectOnlyOnLast();

    // A bulb exposure ends in a picture too, of the brighter scene.
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapCompression, kFine));
    ASSERT_TRUE(SimControl::setJpegSize(96, 64));
    SimControl::turnDial(m_camera, orv::kCapShutterSpeed, -100); // "Bulb"
    ASSERT_TRUE(SimControl::setSceneBrightness(m_camera, 1.0));
    ASSERT_TRUE(SimControl::pressShutter(m_camera));
    ASSERT_TRUE(SimControl::pressShutter(m_camera));
    const uint32_t bulb = newestItem();
    ASSERT_NE(bulb, raw);
    m_receiver = {};
    m_done = {};
    ASSERT_EQ(acquire(openData(bulb, kImageData)), 0);
    files = filesOf(m_receiver.chunks);
    ASSERT_EQ(files.size(), 1u);
    const Decoded bright = decodeJpeg(files[0]);
    ASSERT_EQ(bright.width, 96);
    EXPECT_GT(bright.brightness(0.5, 0.5), full.brightness(0.5, 0.5) + 40);
}

TEST_F(SimDataTest, MovieReadIn16MiBStepsReassemblesByteForByte) {
    constexpr uint32_t kSize = 36 * kMiB + 4321;
    constexpr uint32_t kBuffer = 16 * kMiB;
    const uint32_t movie = SimControl::addMovieItem(m_camera, kSize);
    ASSERT_NE(movie, 0u);
    orv::VendorObject* data = openData(movie, kVideoData);
    orv::MovieReadBlock block{};
    ASSERT_EQ(request(data, orv::kCmdGet, orv::kCapMovieRead, orv::kDtGeneric, addr(&block)), 0);
    ASSERT_EQ(block.sizeField, kSize);

    std::vector<uint8_t> buffer(kBuffer);
    std::vector<uint8_t> want(kBuffer);
    block = {2, 0, 0, kBuffer, reinterpret_cast<uintptr_t>(buffer.data())};
    int reads = 0;
    while (block.offset < kSize) {
        ASSERT_EQ(
            request(data, orv::kCmdGetArray, orv::kCapMovieRead, orv::kDtGeneric, addr(&block)), 0);
        ASSERT_EQ(block.delivered, std::min(kBuffer, kSize - block.offset));
        ASSERT_EQ(vsim_data_file_bytes(m_camera, movie, kVideoData, 0, block.offset, want.data(),
                                       block.delivered),
                  kSize);
        ASSERT_TRUE(std::equal(want.begin(), want.begin() + block.delivered, buffer.begin()))
            << "at " << block.offset;
        block.offset += block.delivered;
        ++reads;
    }
    EXPECT_EQ(reads, 3);
    ASSERT_EQ(request(data, orv::kCmdGetArray, orv::kCapMovieRead, orv::kDtGeneric, addr(&block)),
              0);
    EXPECT_EQ(block.delivered, 0u) << "nothing past the end";

    // The movie the body writes to its card has the default size.
    const uint32_t card = SimControl::addCardMovie(m_camera);
    orv::MovieReadBlock cardBlock{};
    ASSERT_EQ(request(openData(card, kVideoData), orv::kCmdGet, orv::kCapMovieRead, orv::kDtGeneric,
                      addr(&cardBlock)),
              0);
    EXPECT_EQ(cardBlock.sizeField, 32 * kMiB);
}

TEST_F(SimDataTest, DataProcOutOfMemoryEndsTheAcquireWithAnError) {
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapCompression, kRawFine));
    ASSERT_TRUE(SimControl::setJpegSize(64, 48));
    ASSERT_TRUE(SimControl::setRawSize(4 * kMiB));
    orv::VendorObject* data = openData(releaseByProgram(), kImageData);
    m_receiver.failAt = 1;
    m_receiver.failure = orv::kResultOutOfMemory;
    ASSERT_EQ(acquire(data), 0);
    ASSERT_EQ(m_done.calls, 1);
    EXPECT_EQ(orv::resultByte(m_done.result), orv::kResultOutOfMemory);
    for (int i = 0; i < 5; ++i) {
        idle(data);
    }
    EXPECT_EQ(m_receiver.chunks.size(), 2u) << "no chunk after the refused one";
    EXPECT_EQ(m_done.calls, 1);
    EXPECT_EQ(SimControl::pendingCompletions(), 0);
}

TEST_F(SimDataTest, ChunkTooLongIsDeliveredAsAnnounced) {
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapCompression, kRawOnly));
    ASSERT_TRUE(SimControl::setRawSize(2 * kMiB + 10));
    Fault tooLong;
    tooLong.kind = Fault::Kind::ChunkTooLong;
    tooLong.param = orv::kCapAcquire;
    tooLong.afterChunks = 1;
    SimControl::injectFault(tooLong);
    const uint32_t itemId = releaseByProgram();
    ASSERT_EQ(acquire(openData(itemId, kImageData)), 0);
    EXPECT_EQ(m_done.result, 0);
    ASSERT_EQ(m_receiver.chunks.size(), 2u) << "the long chunk takes the rest of the file";
    const orv::FileDataInfo& info = m_receiver.chunks[1].file;
    EXPECT_EQ(info.chunkOffset, kMiB);
    EXPECT_GT(uint64_t{info.chunkOffset} + info.chunkLength, uint64_t{info.totalLength});
    // The receiver read all chunkLength bytes (the sanitizer run checks they exist).
    const std::vector<uint8_t> orw = expected(itemId, 0);
    const std::vector<uint8_t>& tail = m_receiver.chunks[1].data;
    ASSERT_EQ(tail.size(), info.chunkLength);
    EXPECT_TRUE(std::equal(orw.begin() + kMiB, orw.end(), tail.begin()));
    EXPECT_EQ(m_receiver.chunks[1].file.removeObject, 1u);
}

TEST_F(SimDataTest, DataFaultsBendTheAcquire) {
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapCompression, kRawOnly));
    ASSERT_TRUE(SimControl::setRawSize(3 * kMiB));
    const auto acquireWith = [this](Fault::Kind kind, int afterChunks, int32_t result) {
        Fault fault;
        fault.kind = kind;
        fault.command = orv::kCmdStart;
        fault.param = orv::kCapAcquire;
        fault.afterChunks = afterChunks;
        fault.result = result;
        fault.count = 1;
        SimControl::injectFault(fault);
        m_receiver = {};
        m_done = {};
        EXPECT_EQ(acquire(openData(releaseByProgram(), kImageData), 30), 0);
    };

    acquireWith(Fault::Kind::ChunkFails, 2, -120);
    EXPECT_EQ(m_receiver.chunks.size(), 2u);
    EXPECT_EQ(m_done.calls, 1);
    EXPECT_EQ(m_done.result, -120);

    acquireWith(Fault::Kind::NoRemoveObject, 0, 0);
    EXPECT_EQ(m_receiver.chunks.size(), 3u);
    EXPECT_EQ(m_done.result, 0);
    EXPECT_TRUE(std::none_of(m_receiver.chunks.begin(), m_receiver.chunks.end(),
                             [](const Chunk& c) { return c.file.removeObject != 0; }));

    for (const auto& [kind, total] : {std::pair{Fault::Kind::ZeroTotal, 0u},
                                      std::pair{Fault::Kind::AbsurdTotal, 0xFFFFFFF0u}}) {
        acquireWith(kind, 0, 0);
        ASSERT_EQ(m_receiver.chunks.size(), 3u);
        for (const Chunk& c : m_receiver.chunks) {
            EXPECT_EQ(c.file.totalLength, total);
        }
        EXPECT_EQ(filesOf(m_receiver.chunks).front().size(), 3 * kMiB) << "real data all the same";
        EXPECT_EQ(m_receiver.chunks.back().file.removeObject, 1u);
    }

    acquireWith(Fault::Kind::NeverComplete, 0, 0);
    EXPECT_EQ(m_receiver.chunks.size(), 3u);
    EXPECT_EQ(m_receiver.chunks.back().file.removeObject, 1u);
    EXPECT_EQ(m_done.calls, 0) << "the completion is parked";
    EXPECT_EQ(SimControl::pendingCompletions(), 1);
}

TEST_F(SimDataTest, MovieReadFaults) {
    const uint32_t movie = SimControl::addMovieItem(m_camera, 3 * kMiB);
    orv::VendorObject* data = openData(movie, kVideoData);
    Fault fails;
    fails.kind = Fault::Kind::ChunkFails;
    fails.param = orv::kCapMovieRead;
    fails.afterChunks = 1;
    fails.result = -120;
    fails.count = 1;
    SimControl::injectFault(fails);
    orv::MovieReadBlock block{};
    ASSERT_EQ(request(data, orv::kCmdGet, orv::kCapMovieRead, orv::kDtGeneric, addr(&block)), 0);
    std::vector<uint8_t> buffer(kMiB);
    block = {2, 0, 0, kMiB, reinterpret_cast<uintptr_t>(buffer.data())};
    EXPECT_EQ(request(data, orv::kCmdGetArray, orv::kCapMovieRead, orv::kDtGeneric, addr(&block)),
              0);
    block.offset += block.delivered;
    EXPECT_EQ(request(data, orv::kCmdGetArray, orv::kCapMovieRead, orv::kDtGeneric, addr(&block)),
              -120)
        << "the second read fails";
    EXPECT_EQ(request(data, orv::kCmdGetArray, orv::kCapMovieRead, orv::kDtGeneric, addr(&block)),
              0)
        << "and a retry succeeds";
    EXPECT_EQ(block.delivered, kMiB);

    for (const auto& [kind, total] : {std::pair{Fault::Kind::ZeroTotal, 0u},
                                      std::pair{Fault::Kind::AbsurdTotal, 0xFFFFFFF0u}}) {
        Fault fault;
        fault.kind = kind;
        fault.param = orv::kCapMovieRead;
        fault.count = 1;
        SimControl::injectFault(fault);
        orv::MovieReadBlock size{};
        ASSERT_EQ(request(data, orv::kCmdGet, orv::kCapMovieRead, orv::kDtGeneric, addr(&size)), 0);
        EXPECT_EQ(size.sizeField, total);
    }
    // Past the real end an absurd total reads nothing.
    block = {2, 3 * kMiB, 0, kMiB, reinterpret_cast<uintptr_t>(buffer.data())};
    EXPECT_EQ(request(data, orv::kCmdGetArray, orv::kCapMovieRead, orv::kDtGeneric, addr(&block)),
              0);
    EXPECT_EQ(block.delivered, 0u);
}

TEST_F(SimDataTest, TestItemsDeliverTheirListedFiles) {
    constexpr uint32_t kRowBytes = 600;
    constexpr uint32_t kRows = 2000; // more than one chunk of 1 MiB
    const uint32_t itemId = SimControl::addFileItem(
        m_camera, {{kPictureFile, orv::kFileJpeg, 5'000'000, true, false, 0},
                   {orv::kKindImage, 0, kRowBytes * kRows, false, true, kRowBytes},
                   {orv::kKindThumbnail | orv::kKindFile, orv::kFileJpeg, 5000, false, false, 0}});
    ASSERT_NE(itemId, 0u);
    orv::VendorObject* data = openData(itemId, kImageData);
    uint32_t kinds = 0;
    ASSERT_EQ(request(data, orv::kCmdGet, orv::kCapDataKinds, orv::kDtUnsigned, addr(&kinds)), 0);
    EXPECT_EQ(kinds, 0x19u);
    ASSERT_EQ(acquire(data), 0);
    EXPECT_EQ(m_done.result, 0);
    ASSERT_EQ(m_receiver.chunks.size(), 4u);
    expectRemoveObjectOnlyOnLast();

    const Chunk& onDisk = m_receiver.chunks[0];
    EXPECT_EQ(onDisk.file.fileOnDisk, 1u);
    EXPECT_EQ(onDisk.file.chunkLength, 256u);
    EXPECT_EQ(onDisk.file.totalLength, 5'000'000u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(onDisk.data.data())),
              "/DCIM/100ORVEL/DSC_0001.JPG");
    EXPECT_TRUE(onDisk.data == expected(itemId, 0));
    EXPECT_TRUE(
        std::all_of(onDisk.data.begin() + 27, onDisk.data.end(), [](uint8_t b) { return b == 0; }));

    std::vector<uint8_t> rows;
    uint32_t rowCount = 0;
    for (size_t i = 1; i <= 2; ++i) {
        const Chunk& c = m_receiver.chunks[i];
        ASSERT_TRUE(c.rawRows);
        EXPECT_EQ(c.rows.kind, uint32_t{orv::kKindImage});
        EXPECT_EQ(c.rows.totalHeight, kRows);
        EXPECT_EQ(c.rows.bytesPerRow, kRowBytes);
        rowCount += c.rows.rowsInChunk;
        rows.insert(rows.end(), c.data.begin(), c.data.end());
    }
    EXPECT_EQ(rowCount, kRows);
    EXPECT_TRUE(rows == expected(itemId, 1));

    const Chunk& thumbnail = m_receiver.chunks[3];
    EXPECT_EQ(thumbnail.file.kind, uint32_t{orv::kKindThumbnail | orv::kKindFile});
    EXPECT_EQ(thumbnail.file.totalLength, 5000u);
    EXPECT_TRUE(thumbnail.data == expected(itemId, 2));

    // An item with neither image nor video data has no data object at all.
    const uint32_t empty = SimControl::addFileItem(m_camera, {});
    ASSERT_NE(empty, 0u);
    orv::VendorObject* item = open(m_source, empty);
    ASSERT_EQ(request(item, orv::kCmdGet, orv::kCapDataKinds, orv::kDtUnsigned, addr(&kinds)), 0);
    EXPECT_EQ(kinds, 0u);
    std::vector<Event> children;
    installEvents(item, &children);
    ASSERT_EQ(request(item, orv::kCmdEnumChildren, 0, orv::kDtNone, 0), 0);
    EXPECT_TRUE(children.empty());
    orv::VendorObject none{};
    EXPECT_LT(orv::resultByte(call(item, orv::kCmdOpen, kImageData, orv::kDtObject, addr(&none))),
              0);
}

// The production log fixes each picture's bytes when it is taken, and the
// camera holds an item until the program took every byte of it.
TEST_F(SimDataTest, TheProductionLogKnowsEveryFileAndTheCameraHoldsWhatWasNotTaken) {
    const auto fnv = [](const std::vector<uint8_t>& bytes) {
        uint64_t hash = 0xCBF29CE484222325ull;
        for (const uint8_t b : bytes) {
            hash = (hash ^ b) * 0x100000001B3ull;
        }
        return hash;
    };
    SimControl::setProductionLog(true);
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapCompression, kRawFine));
    ASSERT_TRUE(SimControl::setJpegSize(96, 64));
    ASSERT_TRUE(SimControl::setRawSize(kMiB + 5));
    const uint32_t pair = releaseByProgram();
    const uint32_t movie = SimControl::addMovieItem(m_camera, 3000);
    ASSERT_TRUE(SimControl::setJpegSize(320, 200)); // for the pictures after these
    ASSERT_TRUE(SimControl::setRawSize(2 * kMiB));
    const std::vector<vsim::ProducedFile> made = SimControl::productionLog();
    ASSERT_EQ(made.size(), 3u);
    EXPECT_EQ(made[0].fileType, orv::kFileOrw);
    EXPECT_EQ(made[0].size, kMiB + 5);
    EXPECT_EQ(made[1].fileType, orv::kFileJpeg);
    EXPECT_EQ(made[2].itemId, movie);
    EXPECT_EQ(made[2].size, 3000u);
    EXPECT_TRUE(SimControl::itemHeld(m_camera, pair));

    ASSERT_EQ(acquire(openData(pair, kImageData)), 0);
    const std::vector<std::vector<uint8_t>> files = filesOf(m_receiver.chunks);
    ASSERT_EQ(files.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(files[i].size(), made[i].size);
        EXPECT_EQ(fnv(files[i]), made[i].checksum) << "file " << i;
    }
    EXPECT_FALSE(SimControl::itemHeld(m_camera, pair));

    // A read that stops short of the movie's end leaves it on the card.
    orv::VendorObject* video = openData(movie, kVideoData);
    std::vector<uint8_t> buffer(2000);
    orv::MovieReadBlock block{2, 0, 0, 2000, reinterpret_cast<uintptr_t>(buffer.data())};
    ASSERT_EQ(request(video, orv::kCmdGetArray, orv::kCapMovieRead, orv::kDtGeneric, addr(&block)),
              0);
    EXPECT_TRUE(SimControl::itemHeld(m_camera, movie));
    block.offset = 2000;
    ASSERT_EQ(request(video, orv::kCmdGetArray, orv::kCapMovieRead, orv::kDtGeneric, addr(&block)),
              0);
    EXPECT_FALSE(SimControl::itemHeld(m_camera, movie));

    // The program refused the last chunk: the picture stays.
    const uint32_t refused = releaseByProgram();
    m_receiver = {};
    m_done = {};
    m_receiver.failAt = 2; // two chunks of ORW, then the JPEG
    m_receiver.failure = orv::kResultOutOfMemory;
    ASSERT_EQ(acquire(openData(refused, kImageData)), 0);
    ASSERT_EQ(m_receiver.chunks.size(), 3u);
    EXPECT_TRUE(SimControl::itemHeld(m_camera, refused));
}

} // namespace
