// The files of one item, from the data procedure's chunks to named files in
// a real folder: names, numbers, clashes and failed writes.
#include "images/ItemFiles.h"
#include "camera/CameraTypes.h"
#include "camera/ItemData.h"
#include "camera/LogSink.h"
#include "images/NamingState.h"
#include "images/PosixFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

using namespace orv;

namespace {

class QuietLog : public LogSink {
public:
    void log(const std::string& text) override { lines.push_back(text); }
    void dslrLog(const std::string&) override {}
    void elog(const std::string& text) override { lines.push_back("ERROR " + text); }
    std::vector<std::string> lines;
};

// The real file system, with a disk that fills up after `room` bytes.
class FillingFileSystem : public PosixFileSystem {
public:
    explicit FillingFileSystem(uint64_t room) : m_room(room) {}
    Written write(int fd, const void* data, std::size_t size) override {
        if (size > m_room) {
            return {0, ENOSPC};
        }
        m_room -= size;
        return PosixFileSystem::write(fd, data, size);
    }

private:
    uint64_t m_room;
};

std::vector<uint8_t> pattern(std::size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(seed + i * 7);
    }
    return bytes;
}

class ItemFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_naming.setCurImgDir(m_dir.path().toStdString());
    }

    // Delivers `files` (type, bytes) as one acquire in chunks of `chunk`.
    void deliver(ItemFiles& files,
                 const std::vector<std::pair<uint16_t, std::vector<uint8_t>>>& data,
                 uint32_t kind = kKindImage | kKindFile, uint32_t chunk = 1000) {
        DataReceiver receiver(files, 1);
        for (std::size_t f = 0; f < data.size(); ++f) {
            const std::vector<uint8_t>& bytes = data[f].second;
            for (std::size_t at = 0; at < bytes.size(); at += chunk) {
                FileDataInfo info{};
                info.kind = kind;
                info.fileType = data[f].first;
                info.totalLength = static_cast<uint32_t>(bytes.size());
                info.chunkOffset = static_cast<uint32_t>(at);
                info.chunkLength =
                    static_cast<uint32_t>(std::min<std::size_t>(chunk, bytes.size() - at));
                info.removeObject = f + 1 == data.size() && at + chunk >= bytes.size();
                receiver.take(&info, bytes.data() + at);
            }
        }
    }

    QByteArray read(const QString& name) const {
        QFile f(m_dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static QByteArray bytes(const std::vector<uint8_t>& v) {
        return QByteArray(reinterpret_cast<const char*>(v.data()),
                          static_cast<qsizetype>(v.size()));
    }
    QStringList names() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir m_dir;
    NamingState m_naming;
    PosixFileSystem m_fs;
    QuietLog m_log;
};

} // namespace

TEST_F(ItemFilesTest, RawAndJpegOfOneItemShareItsNumberAndTypesGetTheirExtensions) {
    const auto orw = pattern(2500, 1);
    const auto jpg = pattern(1200, 2);
    const auto ddf = pattern(10, 3);
    const auto other = pattern(20, 4);
    ItemFiles files(m_naming, m_fs, m_log, 7);
    deliver(files, {{kFileOrw, orw}, {kFileJpeg, jpg}, {kFileDdf, ddf}, {0x77, other}});
    EXPECT_EQ(read("Image_00007.orw"), bytes(orw));
    EXPECT_EQ(read("Image_00007.jpg"), bytes(jpg));
    EXPECT_EQ(read("Image_00007.ddf"), bytes(ddf));
    EXPECT_EQ(read("Image_00007.dat"), bytes(other));
    EXPECT_EQ(m_naming.ActImgNo(), 7);
    EXPECT_TRUE(m_naming.NewFileFlag());

    ItemFiles thumb(m_naming, m_fs, m_log, 8);
    deliver(thumb, {{kFileJpeg, jpg}}, kKindThumbnail | kKindFile);
    EXPECT_EQ(read("Thumb00008.jpg"), bytes(jpg));
    EXPECT_EQ(names().size(), 5);
}

TEST_F(ItemFilesTest, ANameInUseMovesTheWholeItemToTheNextFreeNumber) {
    QFile existing(m_dir.filePath("image_00004.JPG")); // another program's, other case
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    QFile next(m_dir.filePath("Image_00005.tif"));
    ASSERT_TRUE(next.open(QIODevice::WriteOnly));
    next.close();
    m_naming.setImageCounter(4);

    const auto orw = pattern(3000, 5);
    const auto jpg = pattern(900, 6);
    ItemFiles files(m_naming, m_fs, m_log, 4);
    deliver(files, {{kFileOrw, orw}, {kFileJpeg, jpg}});
    EXPECT_EQ(read("image_00004.JPG"), "keep me");
    EXPECT_EQ(read("Image_00006.orw"), bytes(orw));
    EXPECT_EQ(read("Image_00006.jpg"), bytes(jpg));
    EXPECT_EQ(m_naming.ImageCounter(), 6);
    EXPECT_EQ(m_log.lines.size(), 1u);
    EXPECT_EQ(m_naming.numberItem("next"), 7);
}

TEST_F(ItemFilesTest, AFullDiskKeepsNothingHalfWrittenAndSaysWhere) {
    FillingFileSystem full(1500);
    const auto jpg = pattern(4000, 7);
    ItemFiles files(m_naming, full, m_log, 1);
    deliver(files, {{kFileJpeg, jpg}});
    EXPECT_NE(files.writeError().find("Image_00001.jpg: No space left on device"),
              std::string::npos)
        << files.writeError();
    EXPECT_TRUE(names().isEmpty()) << names().join(",").toStdString();
    EXPECT_FALSE(m_naming.NewFileFlag());
}
