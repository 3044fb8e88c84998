// Pictures and movies from the simulated camera into the image folder, as
// the poll fetches them: names, numbers, bytes, and every fault that must
// neither lose a picture nor stop the ones after it.
#include "ConnectedWindow.h"
#include "SimControl.h"
#include "images/NamingState.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProgressBar>

#include <chrono>

using vsim::Fault;
using vsim::ListedFile;
using vsim::SimControl;

namespace {

QByteArray bytesOf(const std::vector<uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

} // namespace

class TransferTest : public SmallPicturesWindowTest {
protected:
    QString folder() const { return QString::fromStdString(m_window->naming().CurImgDir()); }
    QByteArray read(const QString& name) const {
        QFile f(folder() + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList files() const {
        return QDir(folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    uint32_t addJpeg(uint32_t size) {
        ListedFile jpeg;
        jpeg.size = size;
        return SimControl::addFileItem(m_camera, {jpeg});
    }
    int errorLines() {
        int n = 0;
        for (const std::string& m : messages(*m_window)) {
            n += m.rfind("ERROR: ", 0) == 0;
        }
        return n;
    }
};

TEST_F(TransferTest, ReleasedPicturesLandUnderTheNextNumbersAndTheIndicatorsFollow) {
    connectTo("Y800");
    QFile earlier(folder() + "Image_00004.jpg");
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("taken before");
    earlier.close();
    m_window->imageBrowser().eImageDirExit(); // the folder is scanned again

    ASSERT_TRUE(SimControl::pressShutter(m_camera));
    poll(2);
    EXPECT_EQ(read("Image_00004.jpg"), "taken before");
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(read("Image_00005.jpg"), "JPG"));
    EXPECT_EQ(picture.size(), QSize(320, 240));
    EXPECT_TRUE(logged(*m_window, "Image file Image_00005.JPG downloading."));
    EXPECT_EQ(c().images.lActImg->text(), "00005");
    EXPECT_TRUE(c().images.chJPG->isChecked());
    EXPECT_TRUE(c().images.ProgressBar->isHidden());
    EXPECT_EQ(m_window->session().pendingItemCount(), 0);

    // RAW and JPEG of one shot share the next number.
    c().shooting.cbCompression->setCurrentIndex(c().shooting.cbCompression->findText("RAW+Fine"));
    ASSERT_TRUE(SimControl::pressShutter(m_camera));
    poll(2);
    EXPECT_TRUE(QFile::exists(folder() + "Image_00006.orw"));
    EXPECT_TRUE(QFile::exists(folder() + "Image_00006.jpg"));
    EXPECT_TRUE(c().images.chORW->isChecked());
    EXPECT_EQ(files().size(), 4) << files().join(",").toStdString();
    EXPECT_EQ(errorLines(), 0);
}

TEST_F(TransferTest, AFailedWriteIsSaidOnceAndThePictureArrivesWhenTheFolderIsBack) {
    connectTo("Y800");
    const uint32_t item = addJpeg(300000);
    const QByteArray expected = bytesOf(SimControl::fileBytes(m_camera, item, 1, 0));
    const QString dir = folder();
    ASSERT_TRUE(QDir(dir).removeRecursively());
    poll(3);
    EXPECT_EQ(errorLines(), 1) << ::testing::PrintToString(messages(*m_window));
    EXPECT_EQ(m_window->session().pendingItemCount(), 1);

    ASSERT_TRUE(QDir().mkpath(dir));
    poll();
    EXPECT_EQ(read("Image_00001.jpg"), expected);
    EXPECT_EQ(files(), QStringList{"Image_00001.jpg"});
    EXPECT_EQ(m_window->session().pendingItemCount(), 0);
}

TEST_F(TransferTest, BrokenItemsArePassedOverAndTheOnesAfterThemStillArrive) {
    connectTo("Y800");
    m_window->session().link().setWaitLimit(std::chrono::milliseconds(200));
    SimControl::addFileItem(m_camera, {}); // neither image nor movie
    Fault tooLong;
    tooLong.kind = Fault::Kind::ChunkTooLong;
    tooLong.count = 1;
    SimControl::injectFault(tooLong);
    addJpeg(5000);
    poll();
    Fault stuck;
    stuck.kind = Fault::Kind::NeverComplete;
    stuck.command = orv::kCmdStart;
    stuck.param = orv::kCapAcquire;
    stuck.count = 1;
    SimControl::injectFault(stuck);
    addJpeg(5000);
    poll();
    const uint32_t good = addJpeg(7000);
    const QByteArray expected = bytesOf(SimControl::fileBytes(m_camera, good, 1, 0));
    poll(2);

    // The empty item, the broken chunk, and the acquire that delivered all
    // its data but never completed (its picture is kept).
    EXPECT_EQ(errorLines(), 3) << ::testing::PrintToString(messages(*m_window));
    // Each item took a number; nothing half-written stays behind.
    EXPECT_EQ(files(), (QStringList{"Image_00003.jpg", "Image_00004.jpg"}));
    EXPECT_EQ(read("Image_00004.jpg"), expected);
    EXPECT_EQ(m_window->session().pendingItemCount(), 0);
}

TEST_F(TransferTest, AMovieArrivesWholeAndABrokenReadKeepsWhatCame) {
    connectTo("Y800");
    const uint32_t size = (40u << 20) + 123;
    const uint32_t whole = SimControl::addMovieItem(m_camera, size);
    const QByteArray expected = bytesOf(SimControl::fileBytes(m_camera, whole, 4, 0));
    poll(2);
    EXPECT_EQ(read("Image_00001.mov"), expected);
    EXPECT_TRUE(c().images.chMOV->isChecked());

    Fault breaks;
    breaks.kind = Fault::Kind::ChunkFails;
    breaks.afterChunks = 1;
    breaks.count = 1;
    SimControl::injectFault(breaks);
    const uint32_t cut = SimControl::addMovieItem(m_camera, size);
    const QByteArray head = bytesOf(SimControl::fileBytes(m_camera, cut, 4, 0)).left(16 << 20);
    poll(2);
    EXPECT_EQ(read("Image_00002.mov"), head);
    EXPECT_TRUE(logged(*m_window, "ERROR: Movie " + folder().toStdString() +
                                      "Image_00002.mov is incomplete: 16777216 of " +
                                      std::to_string(size) +
                                      " bytes arrived (the camera did not deliver the next "
                                      "chunk)."))
        << ::testing::PrintToString(messages(*m_window));
    EXPECT_EQ(m_window->session().pendingItemCount(), 0);
}
