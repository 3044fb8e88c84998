// The window's start-up, activation and close against the simulator: the
// first log line, camera detection, instance numbers, the settings read at
// creation and written at close, and automatic connection.
#include "WindowTestSupport.h"

#include "connection/CameraConnection.h"
#include "log/StatusBar.h"

#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>

#include <gmock/gmock.h>

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;

constexpr uint32_t kLensInfo = 0x8144;

// The pieces of a log line written in bold.
std::vector<std::string> boldPieces(const LogLine& line) {
    std::vector<std::string> pieces;
    for (std::size_t i = 0; i < line.runs.size(); ++i) {
        const int end =
            i + 1 < line.runs.size() ? line.runs[i + 1].start : static_cast<int>(line.plain.size());
        if (line.runs[i].style.bold && end > line.runs[i].start) {
            pieces.push_back(line.plain.substr(line.runs[i].start, end - line.runs[i].start));
        }
    }
    return pieces;
}

using StartUpTest = WindowTest;

TEST_F(StartUpTest, ProgramStartIsTheFirstLineThenTheLongStampTakesOver) {
    auto window = makeWindow();
    const auto& lines = window->messageLog().lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_THAT(lines.front().plain, MatchesRegex("[0-9]{1,2}:[0-9]{2}:[0-9]{2}: Program start"));
    EXPECT_EQ(window->messageLog().stampFormat(), StampFormat::LongHour);
    EXPECT_EQ(window->statusBarPanel().panelText(0), " Ready. ");
    EXPECT_EQ(window->statusBarPanel().panelText(1), " Program start ");
    EXPECT_EQ(window->windowTitle(), "Vantora 0.24b");
}

TEST_F(StartUpTest, LogPageSitsOnTheStatusPageAndTheStatusBarIsTheWindows) {
    auto window = makeWindow();
    const QWidget* log = window->findChild<QWidget*>(QStringLiteral("reMessage"));
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(window->controls().pages.tsLog->isAncestorOf(log));
    EXPECT_EQ(window->statusBar(), &window->statusBarPanel());
}

TEST_F(StartUpTest, WithoutCameraStartStaysDisabled) {
    auto window = makeWindow();
    start(*window);
    EXPECT_TRUE(logged(*window, "Orvel DSLR not detected."));
    EXPECT_FALSE(window->controls().camera.bDSLRConnect->isEnabled());
    EXPECT_EQ(window->controls().camera.cbDSLR->count(), 0);
    EXPECT_FALSE(window->controls().camera.lConnectCam->isHidden());
}

TEST_F(StartUpTest, WithOneCameraItIsListedAndStartEnabled) {
    vsim::SimControl::attach("Y800");
    auto window = makeWindow();
    start(*window);
    EXPECT_TRUE(logged(*window, "Detected Orvel DSLR: Y800"));
    const CameraGroupControls& cam = window->controls().camera;
    EXPECT_TRUE(cam.bDSLRConnect->isEnabled());
    ASSERT_EQ(cam.cbDSLR->count(), 1);
    EXPECT_EQ(cam.cbDSLR->currentText(), "Y800");
    // The selection was set by detection, not by the user: the selector's
    // change handler (which sets the hint) did not run.
    EXPECT_FALSE(cam.cbDSLR->toolTip().contains("Serial"));
    EXPECT_FALSE(cam.lAvailable->isHidden());
    EXPECT_FALSE(window->session().connected());
}

TEST_F(StartUpTest, EveryActivationDetectsAgain) {
    auto window = makeWindow();
    start(*window);
    vsim::SimControl::attach("Y4"); // its plug event is not delivered yet
    window->FormActivate();
    EXPECT_TRUE(logged(*window, "Detected Orvel DSLR: Y4"));
    EXPECT_TRUE(window->controls().camera.bDSLRConnect->isEnabled());
}

TEST_F(StartUpTest, InstancesAreNumberedFromOneAndNumbersAreReused) {
    auto first = makeWindow();
    auto second = makeWindow();
    EXPECT_EQ(first->InstanceNo(), 1);
    EXPECT_EQ(second->InstanceNo(), 2);
    first->close();
    EXPECT_FALSE(first->holdsInstanceLock());
    auto third = makeWindow();
    EXPECT_EQ(third->InstanceNo(), 1);
}

TEST_F(StartUpTest, LogLinesAreMirroredIntoTheLogFile) {
    WindowServices s = services();
    s.logFile = m_dir.filePath(QStringLiteral("run.log"));
    TfMain window(s);
    QFile file(s.logFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Program start"));
}

TEST_F(StartUpTest, LogAllEventFollowsItsCheckBox) {
    auto window = makeWindow();
    const std::size_t before = window->messageLog().lines().size();
    window->messageLog().DSLRlog("traffic");
    EXPECT_EQ(window->messageLog().lines().size(), before);
    window->controls().camera.chLogAllDSLR->setChecked(true);
    window->messageLog().DSLRlog("traffic");
    EXPECT_TRUE(logged(*window, "traffic"));
}

TEST_F(StartUpTest, AnErrorLineResetsThePendingErrorCode) {
    auto window = makeWindow();
    window->connection().setPendingErrorCode(CameraConnection::kErrorCameraNotAvailable);
    window->connection().reportError();
    EXPECT_EQ(window->connection().pendingErrorCode(), 0);
    EXPECT_TRUE(window->messageLog().lines().back().error);
    EXPECT_TRUE(window->statusBarPanel().errorShown());
}

class SettingsTest : public WindowTest {
protected:
    void store(const std::vector<std::pair<QString, QVariant>>& values) const {
        QSettings s(settingsFile(), QSettings::IniFormat);
        for (const auto& [name, value] : values) {
            s.setValue(name, value);
        }
    }
    QVariant stored(const QString& name) const {
        return QSettings(settingsFile(), QSettings::IniFormat).value(name);
    }
};

TEST_F(SettingsTest, FirstRunKeepsTheDefaultsAndWritesNothingUntilClose) {
    auto window = makeWindow();
    EXPECT_EQ(window->controls().images.eImgPrefix->text(), "Image_");
    EXPECT_EQ(window->CurImgPrefix(), "Image_");
    EXPECT_TRUE(window->controls().images.sbPreview->isChecked());
    EXPECT_FALSE(QFileInfo::exists(settingsFile()));
    window->close();
    EXPECT_TRUE(QFileInfo::exists(settingsFile()));
}

TEST_F(SettingsTest, StoredValuesAreRestoredAtCreation) {
    store({{"Height", 620},
           {"logAllDSLR", 1},
           {"DSLRAutoConnect", 1},
           {"ImgPrefix", "Trip_"},
           {"ImgDir", "/tmp/pictures/"},
           {"Preview", 0},
           {"ClosePreview", 1},
           {"PreWidth", 1000},
           {"SecWidth", 720}});
    auto window = makeWindow();
    const WindowControls& c = window->controls();
    EXPECT_EQ(window->height(), 620);
    EXPECT_TRUE(c.camera.chLogAllDSLR->isChecked());
    EXPECT_TRUE(c.camera.chDSLRAutoConnect->isChecked());
    EXPECT_EQ(c.images.eImgPrefix->text(), "Trip_");
    EXPECT_EQ(window->CurImgPrefix(), "Trip_");
    EXPECT_EQ(c.images.eImageDir->text(), "/tmp/pictures/");
    EXPECT_FALSE(c.images.sbPreview->isChecked());
    EXPECT_TRUE(c.images.chCloseImage->isChecked());
    EXPECT_EQ(window->layoutRules().previewWidth(), 1000);
    EXPECT_EQ(window->layoutRules().pagesWidth(), 720);
    EXPECT_EQ(stored("Version").toString(), "0.24b");
}

TEST_F(SettingsTest, RestoredPreviewWidthSurvivesTheFirstShow) {
    store({{"PreWidth", 1000}});
    auto window = makeWindow();
    start(*window);
    EXPECT_EQ(window->width(), 1000);
}

TEST_F(SettingsTest, RestoredSizeNeverExceedsTheScreen) {
    // Stored at 125 % scaling, read back on a smaller screen.
    store({{"Height", 1800}, {"PreWidth", 2600}});
    auto window = makeWindow();
    start(*window);
    const QSize screen = window->screen()->availableGeometry().size();
    EXPECT_LE(window->height(), screen.height());
    EXPECT_LE(window->width(), screen.width());
}

TEST_F(SettingsTest, CloseWhileConnectedStopsTheCameraBeforeSaving) {
    vsim::SimControl::attach("Y800");
    auto window = makeWindow();
    start(*window);
    window->controls().camera.bDSLRConnect->click();
    ASSERT_TRUE(window->session().connected());
    bool fileExistedAtStop = true;
    QObject::connect(&window->session(), &CameraSession::closed,
                     [&] { fileExistedAtStop = QFileInfo::exists(settingsFile()); });
    window->controls().images.eImgPrefix->setText("Shot_");
    window->controls().camera.chDSLRAutoConnect->setChecked(true);

    window->close();

    EXPECT_FALSE(window->session().connected());
    EXPECT_TRUE(logged(*window, "CAMERA Y800 control stopped."));
    EXPECT_FALSE(fileExistedAtStop) << "settings must be written after the disconnect";
    EXPECT_EQ(stored("ImgPrefix").toString(), "Shot_");
    EXPECT_EQ(stored("DSLRAutoConnect").toInt(), 1);
    EXPECT_EQ(stored("WindowState").toInt(), 0);
    EXPECT_EQ(stored("Height").toInt(), window->height());
}

TEST_F(SettingsTest, AutoTickedInASecondRunConnectsByItself) {
    {
        auto first = makeWindow();
        start(*first);
        first->controls().camera.chDSLRAutoConnect->setChecked(true);
        first->close();
    }
    const int camera = vsim::SimControl::attach("Y800");
    vsim::SimControl::removeCapability(camera, kLensInfo); // no lens text in the line
    auto second = makeWindow();
    start(*second);

    ASSERT_TRUE(second->session().connected());
    const int index = lineIndex(*second, "CAMERA Y800 control started on USB 2.0 port.");
    ASSERT_GE(index, 0);
    EXPECT_THAT(boldPieces(second->messageLog().lines()[index]), ElementsAre("Y800", "USB 2.0"));
    EXPECT_FALSE(second->controls().camera.bDSLRConnect->isEnabled());
    second->close();
}

} // namespace
