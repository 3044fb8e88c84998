// Movie mode against the simulated camera: the Movie and Rec buttons, the
// microphone settings and the sound meter, a recording that arrives in the
// image folder as a QuickTime movie, a camera that refuses or ends a
// recording, and the settings controls while movie mode is on.
#include "ConnectedWindow.h"
#include "SimControl.h"
#include "images/NamingState.h"
#include "liveview/LiveViewLoop.h"
#include "liveview/SoundMeter.h"
#include "widgets/PaintBox.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

using namespace orv;
using vsim::SimControl;

namespace {

// The stream ffprobe finds in a movie file; empty when it rejects the file.
QString probe(const QString& file) {
    const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    if (ffprobe.isEmpty()) {
        return QStringLiteral("<ffprobe missing: scripts/install-deps installs ffmpeg>");
    }
    QProcess p;
    p.start(ffprobe, {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                      "stream=codec_name,width,height,nb_read_frames", "-of", "csv=p=0", file});
    p.waitForFinished(60000);
    return p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()).trimmed() : QString();
}

} // namespace

class MovieTest : public ConnectedWindowTest {
protected:
    // A body whose live view header carries the movie time and the sound.
    void startMovieMode() {
        connectTo("Y4");
        SimControl::freezeLiveScene(0);
        c().movie.sbMovie->click();
        ASSERT_TRUE(c().movie.sbMovie->isChecked());
    }
    void TearDown() override {
        SimControl::clearFaults();
        ConnectedWindowTest::TearDown();
    }
    LiveViewLoop& loop() { return m_window->liveViewLoop(); }
    void frames(int count) {
        for (int i = 0; i < count; ++i) {
            loop().tLiveViewTimer();
        }
    }
    QRgb pixel(int x, int y) { return c().liveView.pbLiveView->canvas().pixel(x, y); }
    // The top pixel of the left column's segment `i` and what the meter
    // shows there for the last frame's sound.
    QRgb segmentPixel(int i) {
        const int h = loop().fields().jpegHeight / 2;
        return pixel(20, h + 42 - 6 * i);
    }
    QRgb meterColour(int i) {
        const LiveViewFields& f = loop().fields();
        return 0xFF000000u | SoundMeterColours(f.soundLevelLeft, f.soundPeakLeft)[size_t(i)];
    }
    QString folder() const { return QString::fromStdString(m_window->naming().CurImgDir()); }
    QStringList isoItems() const {
        QStringList items;
        for (int i = 0; i < c().shooting.cbISO->count(); ++i) {
            items << c().shooting.cbISO->itemText(i);
        }
        return items;
    }
    WindowControls& c() const { return m_window->controls(); }
};

TEST_F(MovieTest, MicrophoneChoicesWriteTheirCodesAndTheMeterFollowsThem) {
    startMovieMode();
    const MovieControls& m = c().movie;
    // The camera's 0 reads as "Auto".
    EXPECT_EQ(m.cbMicLevelType->currentText(), "Auto");
    frames(1);
    for (int i = 0; i < kSoundMeterSegments; ++i) {
        EXPECT_EQ(segmentPixel(i), meterColour(i)) << i;
    }

    m.cbMicLevelType->setCurrentIndex(1); // "Off"
    EXPECT_EQ(SimControl::getUnsigned(m_camera, kCapMovieMicrophone), 4u);
    EXPECT_FALSE(m.udMicLevel->isEnabled());
    frames(1);
    EXPECT_NE(segmentPixel(0), 0xFFFFFFFFu); // the camera hears nothing: segment 0 would be lit
    EXPECT_NE(segmentPixel(13), 0xFF666666u);

    m.cbMicLevelType->setCurrentIndex(2); // "Manual"
    EXPECT_EQ(SimControl::getUnsigned(m_camera, kCapMovieMicrophone), 5u);
    EXPECT_TRUE(m.udMicLevel->isEnabled());
    m.udMicLevel->stepBy(3);
    EXPECT_EQ(SimControl::getRange(m_camera, kCapMovieMicValue).value, m.udMicLevel->value());
    EXPECT_EQ(m.ieMicLevel->text(), QString::number(m.udMicLevel->value()));

    m.cbMicLevelType->setCurrentIndex(0); // "Auto"
    EXPECT_EQ(SimControl::getUnsigned(m_camera, kCapMovieMicrophone), 0u);
    EXPECT_FALSE(m.udMicLevel->isEnabled());
    frames(1);
    EXPECT_EQ(segmentPixel(13), meterColour(13));

    // Size and quality go to the camera as their indexes.
    m.cbMovieSize->setCurrentIndex(4);
    EXPECT_EQ(SimControl::getUnsigned(m_camera, kCapMovieScreenSize), 4u);
    m.cbMovieQuality->setCurrentIndex(0);
    EXPECT_EQ(SimControl::getUnsigned(m_camera, kCapMovieQuality), 0u);
}

TEST_F(MovieTest, TwoSecondsOfRecordingArriveInTheFolderAsAMovieFfprobeReads) {
    startMovieMode();
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, kCapLiveViewSelector), 1u);
    EXPECT_TRUE(c().movie.sbRecord->isEnabled());
    c().focus.cbLVzoom->setCurrentIndex(2);
    ASSERT_EQ(SimControl::getEnumIndex(m_camera, kCapLiveViewZoom), 2u);

    SimControl::clearCallLog();
    c().movie.sbRecord->click();
    ASSERT_TRUE(c().movie.sbRecord->isChecked());
    ASSERT_TRUE(SimControl::recordingState(m_camera).recording);
    // The zoom went back to the full view before the recording began.
    const std::vector<vsim::CallRecord> calls = SimControl::callLog();
    const auto setOf = [&](uint32_t capId) {
        return std::find_if(calls.begin(), calls.end(), [capId](const vsim::CallRecord& r) {
            return r.command == kCmdSet && r.param == capId;
        });
    };
    EXPECT_LT(setOf(kCapLiveViewZoom), setOf(kCapMovieRecordStatus));
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, kCapLiveViewZoom), 0u);
    EXPECT_EQ(c().focus.cbLVzoom->currentIndex(), 0);

    SimControl::skipTime(2000);
    frames(1);
    EXPECT_EQ(c().movie.lMovieTime->text(), "00:02");
    EXPECT_EQ(c().liveView.lLVtime->text(), "-");

    c().movie.sbRecord->click();
    const vsim::RecordingState recorded = SimControl::recordingState(m_camera);
    EXPECT_FALSE(recorded.recording);
    // 25 a second; the simulated clock also runs on in real time, so a slow
    // (sanitizer) build may record a frame or two more.
    EXPECT_GE(recorded.lastFrames, 50u);
    EXPECT_LT(recorded.lastFrames, 75u);
    poll(3);
    const QFileInfo movie(folder() + "Image_00001.mov");
    ASSERT_TRUE(movie.exists());
    EXPECT_EQ(movie.size(), recorded.lastSize);
    EXPECT_EQ(probe(movie.filePath()), QStringLiteral("mjpeg,640,424,%1").arg(recorded.lastFrames));
    EXPECT_TRUE(c().images.chMOV->isChecked());
}

TEST_F(MovieTest, ACardThatRefusesOrEndsARecordingPutsRecUpWithAnErrorLine) {
    startMovieMode();
    ASSERT_TRUE(SimControl::setCardState(m_camera, vsim::kCardFull));
    c().movie.sbRecord->click();
    EXPECT_FALSE(c().movie.sbRecord->isChecked());
    EXPECT_FALSE(SimControl::recordingState(m_camera).recording);
    EXPECT_TRUE(logged(*m_window, "ERROR: Movie recording did not start: Card full."))
        << ::testing::PrintToString(messages(*m_window));

    // A card that fills up during the recording ends it; what was recorded arrives.
    ASSERT_TRUE(SimControl::setCardState(m_camera, vsim::kCardOk));
    c().movie.sbRecord->click();
    ASSERT_TRUE(c().movie.sbRecord->isChecked());
    SimControl::skipTime(1000);
    ASSERT_TRUE(SimControl::setCardState(m_camera, vsim::kCardFull));
    poll(3);
    EXPECT_FALSE(c().movie.sbRecord->isChecked());
    EXPECT_TRUE(logged(*m_window, "ERROR: Movie recording was stopped by the camera: Card full."));
    EXPECT_EQ(QFileInfo(folder() + "Image_00001.mov").size(),
              SimControl::recordingState(m_camera).lastSize);
}

TEST_F(MovieTest, TheSettingsFollowMovieModeAndLeavingItEndsTheRecording) {
    connectTo("Y4");
    const QStringList stillIso = isoItems();
    c().movie.sbMovie->click();
    const QStringList movieIso = isoItems();
    EXPECT_EQ(c().shooting.cbPrimarySlot->toolTip(), "Movie record destination");
    // The scale stands for the movie compensation's steps (19 here, 31 for stills).
    EXPECT_EQ(c().shooting.tbExpoCorr->maximum(), 18);
    c().shooting.cbISO->setCurrentIndex(3);
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, kCapMovieSensitivity), 3u);

    // Still settings turned on the body do not reach the movie lists.
    const int isoShown = c().shooting.cbISO->currentIndex();
    ASSERT_TRUE(SimControl::turnDial(m_camera, kCapSensitivity, 2));
    poll();
    EXPECT_EQ(isoItems(), movieIso);
    EXPECT_EQ(c().shooting.cbISO->currentIndex(), isoShown);
    // New movie lists from the camera are taken at once.
    ASSERT_TRUE(SimControl::setEnumValues(m_camera, kCapMovieSensitivity, {100, 200, 400}, 1));
    raise(kEvCapListChanged, kCapMovieSensitivity);
    EXPECT_EQ(isoItems().size(), 3);
    EXPECT_EQ(c().shooting.cbISO->currentIndex(), 1);
    RangeRecord comp = SimControl::getRange(m_camera, kCapMovieExposureComp);
    comp.lower = -2.0;
    comp.upper = 2.0;
    comp.steps = 13;
    comp.valueIndex = 6;
    ASSERT_TRUE(SimControl::setRange(m_camera, kCapMovieExposureComp, comp));
    raise(kEvCapListChanged, kCapMovieExposureComp);
    EXPECT_EQ(c().shooting.tbExpoCorr->maximum(), 12);
    EXPECT_EQ(c().shooting.tbExpoCorr->value(), 6);

    // Photo live view ends the recording and lets go of the Rec button.
    c().movie.sbRecord->click();
    ASSERT_TRUE(SimControl::recordingState(m_camera).recording);
    c().liveView.sbLiveView->click();
    EXPECT_FALSE(SimControl::recordingState(m_camera).recording);
    EXPECT_FALSE(c().movie.sbMovie->isChecked());
    EXPECT_FALSE(c().movie.sbRecord->isChecked());
    EXPECT_FALSE(c().movie.sbRecord->isEnabled());
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, kCapLiveViewSelector), 0u);
    EXPECT_EQ(isoItems(), stillIso);

    // Back to movie mode, recording, then movie mode off: live view ends too.
    c().movie.sbMovie->click();
    EXPECT_FALSE(c().liveView.sbLiveView->isChecked());
    c().movie.sbRecord->click();
    ASSERT_TRUE(SimControl::recordingState(m_camera).recording);
    c().movie.sbMovie->click();
    EXPECT_FALSE(SimControl::recordingState(m_camera).recording);
    EXPECT_EQ(SimControl::getUnsigned(m_camera, kCapLiveViewStatus), 0u);
    EXPECT_EQ(isoItems(), stillIso);
    EXPECT_EQ(c().shooting.tbExpoCorr->maximum(), 30);
    EXPECT_EQ(c().shooting.cbPrimarySlot->toolTip(), "Primary slot");
    EXPECT_FALSE(c().movie.sbRecord->isEnabled());
}
