// The transfer without a window, against the simulated camera: every file
// it writes under its final name is reported once, with its number and
// kind, and an item kept for another try reports nothing until it arrives.
#include "VantoraTest.h"
#include "camera/CameraLink.h"
#include "images/ImageTransfer.h"
#include "images/NamingState.h"
#include "images/PosixFileSystem.h"
#include "session/CameraSession.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using vsim::ListedFile;
using vsim::SimControl;

namespace {

using Seen = std::tuple<std::string, int64_t, std::string>; // file name, number, kind

// The real file system, on a disk that can fill up and be freed again.
class FillingFileSystem : public PosixFileSystem {
public:
    Written write(int fd, const void* data, std::size_t size) override {
        if (size > room) {
            return {0, ENOSPC};
        }
        room -= size;
        return PosixFileSystem::write(fd, data, size);
    }
    uint64_t room = std::numeric_limits<uint64_t>::max();
};

} // namespace

TEST(ReceivedFileAt, TheKindIsTheLowerCaseExtensionOfTheName) {
    const ReceivedFile file = receivedFileAt("/pictures/2024.05/Image_00042.ORW", 42);
    EXPECT_EQ(file.path, "/pictures/2024.05/Image_00042.ORW");
    EXPECT_EQ(file.number, 42);
    EXPECT_EQ(file.kind, "orw");
    EXPECT_EQ(receivedFileAt("/pictures/2024.05/Image_00042", 42).kind, "");
    EXPECT_EQ(receivedFileAt("/pictures/.hidden", 1).kind, "");
}

class ImageTransferFilesTest : public VantoraTest {
protected:
    void SetUp() override {
        m_link.setClock(m_clock);
        m_camera = SimControl::attach("Y800");
        ASSERT_TRUE(m_link.OpenCameraModule("Y800"));
        ASSERT_TRUE(m_link.SelectSource("Y800", 1));
        ASSERT_TRUE(QDir().mkpath(folder()));
        ASSERT_TRUE(m_naming.setCurImgDir(folder().toStdString()));
        m_transfer.setFileReceived([this](const ReceivedFile& file) {
            EXPECT_TRUE(QFile::exists(QString::fromStdString(file.path))) << file.path;
            const std::string name = file.path.substr(file.path.rfind('/') + 1);
            m_seen.emplace_back(name, file.number, file.kind);
        });
    }

    QString folder() const { return tempPath(QStringLiteral("pictures/")); }

    // A picture as a 4000-byte JPEG and a 6000-byte raw file.
    static std::pair<ListedFile, ListedFile> jpegAndRaw() {
        ListedFile jpeg;
        jpeg.size = 4000;
        ListedFile raw;
        raw.fileType = orv::kFileOrw;
        raw.size = 6000;
        return {jpeg, raw};
    }

    // What the connection layer does when the camera announces an item.
    void announce(uint32_t itemId) {
        CamObject* source = m_link.CurrentSource();
        ASSERT_TRUE(m_link.OpenChild(source, itemId));
        ASSERT_TRUE(m_link.EnumerateChildren(CameraLink::FindChild(source, itemId)));
    }

    CameraLink m_link{&m_sink};
    CameraSession m_session{m_link};
    NamingState m_naming;
    FillingFileSystem m_fileSystem;
    ImageTransfer m_transfer{m_session, m_naming, m_fileSystem, m_sink};
    std::vector<Seen> m_seen;
    int m_camera = 0;
};

TEST_F(ImageTransferFilesTest, EachWrittenFileIsReportedOnceAndAKeptItemOnlyWhenItArrives) {
    const auto [jpeg, raw] = jpegAndRaw();
    announce(SimControl::addFileItem(m_camera, {jpeg, raw}));
    announce(SimControl::addMovieItem(m_camera, 3000));
    m_transfer.DownloadNewImages();
    EXPECT_EQ(m_seen, (std::vector<Seen>{{"Image_00001.jpg", 1, "jpg"},
                                         {"Image_00001.orw", 1, "orw"},
                                         {"Image_00002.mov", 2, "mov"}}));

    // The folder is gone: the picture stays in the camera, nothing reported.
    m_seen.clear();
    announce(SimControl::addFileItem(m_camera, {jpeg}));
    ASSERT_TRUE(QDir(folder()).removeRecursively());
    m_transfer.DownloadNewImages();
    EXPECT_TRUE(m_seen.empty());
    EXPECT_EQ(m_sink.errorLines.size(), 1u);

    ASSERT_TRUE(QDir().mkpath(folder()));
    m_transfer.DownloadNewImages();
    EXPECT_EQ(m_seen, (std::vector<Seen>{{"Image_00003.jpg", 3, "jpg"}}));
}

// The disk fills up inside the pair's second file: the first is on disk
// already, so the next try writes only the second, under the same number.
TEST_F(ImageTransferFilesTest, AKeptPairWritesOnlyTheFileItStillLacks) {
    const auto [jpeg, raw] = jpegAndRaw();
    announce(SimControl::addFileItem(m_camera, {jpeg, raw}));
    m_fileSystem.room = 5000;
    m_transfer.DownloadNewImages();
    EXPECT_TRUE(m_seen.empty());
    EXPECT_EQ(m_link.CurrentSource()->childCount(), 1u); // kept

    m_fileSystem.room = std::numeric_limits<uint64_t>::max();
    m_transfer.DownloadNewImages();
    EXPECT_EQ(m_seen,
              (std::vector<Seen>{{"Image_00001.jpg", 1, "jpg"}, {"Image_00001.orw", 1, "orw"}}));
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files),
              (QStringList{"Image_00001.jpg", "Image_00001.orw"}));
    EXPECT_EQ(m_link.CurrentSource()->childCount(), 0u);
}

// The camera breaks off an acquire inside the raw file: the transfer fetches
// the item again, a few times at most, and never writes the JPEG twice.
TEST_F(ImageTransferFilesTest, AnAcquireThatEndsInAnErrorIsTriedAgainWithoutDoubles) {
    ASSERT_TRUE(SimControl::setChunkSize(1000));
    const auto [jpeg, raw] = jpegAndRaw();
    vsim::Fault brokenOff;
    brokenOff.kind = vsim::Fault::Kind::ChunkFails;
    brokenOff.command = orv::kCmdStart;
    brokenOff.param = orv::kCapAcquire;
    brokenOff.afterChunks = 5;
    brokenOff.result = -128;
    brokenOff.count = 2;
    SimControl::injectFault(brokenOff);
    announce(SimControl::addFileItem(m_camera, {jpeg, raw}));
    m_transfer.DownloadNewImages();
    EXPECT_EQ(m_seen,
              (std::vector<Seen>{{"Image_00001.jpg", 1, "jpg"}, {"Image_00001.orw", 1, "orw"}}));
    EXPECT_TRUE(m_sink.errorLines.empty());

    // Broken off every time: given up after the last try, the JPEG once.
    m_seen.clear();
    brokenOff.count = -1;
    SimControl::injectFault(brokenOff);
    announce(SimControl::addFileItem(m_camera, {jpeg, raw}));
    m_transfer.DownloadNewImages();
    EXPECT_EQ(m_seen, (std::vector<Seen>{{"Image_00002.jpg", 2, "jpg"}}));
    ASSERT_EQ(m_sink.errorLines.size(), 1u);
    EXPECT_NE(m_sink.errorLines[0].find("broke off its image data 3 times"), std::string::npos);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 3);
    EXPECT_EQ(m_link.CurrentSource()->childCount(), 0u);
}

// The camera delivers not one byte of a movie: no empty file takes the
// movie's name, and the log says the movie is still on the camera.
TEST_F(ImageTransferFilesTest, AMovieOfWhichNothingArrivedLeavesNoEmptyFile) {
    vsim::Fault nothing;
    nothing.kind = vsim::Fault::Kind::ChunkFails;
    nothing.command = orv::kCmdGet;
    nothing.param = orv::kCapMovieRead;
    nothing.result = -128;
    nothing.count = 1;
    SimControl::injectFault(nothing);
    announce(SimControl::addMovieItem(m_camera, 3000));
    m_transfer.DownloadNewImages();
    EXPECT_TRUE(m_seen.empty());
    EXPECT_TRUE(QDir(folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    ASSERT_EQ(m_sink.errorLines.size(), 1u);
    EXPECT_NE(m_sink.errorLines[0].find("left on the camera"), std::string::npos);
}

// The camera refuses one item's data and never stops: after a minute the
// item is given up (it stays on the card) and the pictures behind it come.
TEST_F(ImageTransferFilesTest, AnItemRefusedForAMinuteNoLongerHoldsUpTheOthers) {
    vsim::Fault refused;
    refused.kind = vsim::Fault::Kind::FailWithResult;
    refused.command = orv::kCmdStart;
    refused.param = orv::kCapAcquire;
    refused.result = -128;
    SimControl::injectFault(refused);
    const auto [jpeg, raw] = jpegAndRaw();
    announce(SimControl::addFileItem(m_camera, {jpeg}));
    m_transfer.DownloadNewImages();
    m_clock.advance(std::chrono::seconds(59));
    m_transfer.DownloadNewImages();
    EXPECT_TRUE(m_seen.empty());
    EXPECT_EQ(m_sink.errorLines.size(), 1u); // said once: "tried again"
    EXPECT_EQ(m_link.CurrentSource()->childCount(), 1u);

    announce(SimControl::addFileItem(m_camera, {jpeg, raw}));
    m_clock.advance(std::chrono::seconds(1));
    m_transfer.DownloadNewImages();
    ASSERT_EQ(m_sink.errorLines.size(), 3u); // given up; the next one refused
    EXPECT_NE(
        m_sink.errorLines[1].find("refused its image data for 60 s; it is left on the camera"),
        std::string::npos);

    // Busy for a moment only: the second item arrives.
    SimControl::clearFaults();
    m_transfer.DownloadNewImages();
    EXPECT_EQ(m_seen,
              (std::vector<Seen>{{"Image_00002.jpg", 2, "jpg"}, {"Image_00002.orw", 2, "orw"}}));
    EXPECT_EQ(m_link.CurrentSource()->childCount(), 0u);
}
