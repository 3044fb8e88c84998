// The window follows the camera: events of the simulated body arrive with
// the poll, update the controls and write their log lines.
#include "ConnectedWindow.h"

#include "camera/CameraLink.h"
#include "camera/SourceShortcuts.h"
#include "connection/DeferredAction.h"

#include <QFont>

#include <algorithm>

using vsim::SimControl;

class CameraEventsTest : public ConnectedWindowTest {};

TEST_F(CameraEventsTest, EventLinesOnlyWhileLogAllEventIsTicked) {
    connectTo("Y800");
    logAllEvents(false);
    const size_t before = messages(*m_window).size();
    raise(0x108, 0);
    EXPECT_EQ(messages(*m_window).size(), before) << "0x108 unticked writes nothing";

    logAllEvents(true);
    raise(0x108, 0);
    raise(0x10A, 0x2001);
    raise(0x120, 0);
    EXPECT_TRUE(logged(*m_window, "CAMERA Event Capture complete"));
    EXPECT_TRUE(logged(*m_window, "CAMERA Event Recording was stopped by error (0x2001)."));
    EXPECT_TRUE(
        logged(*m_window, "CAMERA Event Detected unknown Event to the Source object: 0120"));
}

TEST_F(CameraEventsTest, NewItemIsOpenedAndCountedWithoutALine) {
    connectTo("Y800");
    holdTransfers();
    const size_t before = messages(*m_window).size();
    ASSERT_NE(SimControl::addItem(m_camera, 0x0C), 0u);
    poll();
    EXPECT_EQ(m_window->session().pendingItemCount(), 1);
    EXPECT_EQ(messages(*m_window).size(), before);
}

TEST_F(CameraEventsTest, DialsTurnedOnTheBodyShowInTheWindow) {
    connectTo("Y800");
    logAllEvents(true);
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapSensitivity, 3));
    ASSERT_TRUE(SimControl::setUnsigned(m_camera, orv::kCapRemainContinuous, 17));
    ASSERT_TRUE(SimControl::setInteger(m_camera, orv::kCapBatteryLevel, 140));
    poll();
    EXPECT_EQ(c().shooting.cbISO->currentIndex(), 3);
    EXPECT_EQ(c().shooting.lRemainPic->text(), "17");
    EXPECT_EQ(c().shooting.pbBatteryLevel->value(), 100) << "above 100 taken as 100";
    const std::vector<std::string> lines = messages(*m_window);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& m) {
        return m.rfind("CAMERA Event Sensitivity: ", 0) == 0;
    }));
}

TEST_F(CameraEventsTest, ExposureMeterFollowsTheMeteredExposure) {
    connectTo("Y800");
    const std::pair<double, int> readings[] = {{-5.0, 0}, {5.0, 30}, {0.3, 16}, {-9.0, 0}};
    for (const auto& [stops, position] : readings) {
        ASSERT_TRUE(SimControl::setFloat(m_camera, orv::kCapExposureStatus, stops));
        poll();
        EXPECT_EQ(c().shooting.tbExposureStatus->value(), position) << stops;
    }
}

TEST_F(CameraEventsTest, EachShutterLockChangeTogglesTheShutterControl) {
    connectTo("Y800");
    const bool before = c().shooting.cbShutter->isEnabled();
    for (int i = 0; i < 3; ++i) {
        raise(orv::kEvCapListChanged, orv::kCapShutterSpeedLock);
    }
    EXPECT_EQ(c().shooting.cbShutter->isEnabled(), !before);
}

TEST_F(CameraEventsTest, AfModeChangeKeepsManualFocusWhileLocked) {
    connectTo("Y800");
    c().shooting.sbLock->click();
    ASSERT_TRUE(c().shooting.sbLock->isChecked());
    ASSERT_TRUE(SimControl::setUnsigned(m_camera, orv::kCapAfMode, 1));
    raise(orv::kEvCapListChanged, orv::kCapAfMode);
    ASSERT_EQ(c().focus.cbAFmode->count(), 3);
    EXPECT_EQ(c().focus.cbAFmode->itemText(2), "MF");
    EXPECT_EQ(c().focus.cbAFmode->currentText(), "AF-C");
}

TEST_F(CameraEventsTest, LensWithoutProcessorLeavesOnlyManualFocus) {
    connectTo("Y800");
    ASSERT_TRUE(SimControl::setText(m_camera, orv::kCapLensInfo, ""));
    poll();
    EXPECT_EQ(c().focus.cbAFmode->currentText(), "MF");
    EXPECT_FALSE(c().focus.cbAFmode->isEnabled());
    EXPECT_FALSE(c().focus.bAF->isEnabled());
    EXPECT_EQ(c().camera.lCamInfo->text(), "Y800");
}

TEST_F(CameraEventsTest, BlinkingValuesAreBoldOnOddTicksOnly) {
    connectTo("Y800");
    ASSERT_TRUE(SimControl::setUnsigned(m_camera, orv::kCapBlinkingStatus, 3));
    raise(orv::kEvCapListChanged, orv::kCapBlinkingStatus);
    for (int i = 0; i < 2; ++i) {
        const bool odd = m_window->statePoll().tickCount() % 2 == 1;
        EXPECT_EQ(c().shooting.cbShutter->font().bold(), odd);
        EXPECT_EQ(c().shooting.cbAperture->font().bold(), odd);
        poll();
    }
}

TEST_F(CameraEventsTest, ClocksChangeOnlyWhileTheInfoPageShows) {
    connectTo("Y800");
    c().info.lCamTimeVal->setText("unchanged");
    c().info.lPCTimeVal->setText("unchanged");
    poll();
    EXPECT_EQ(c().info.lCamTimeVal->text(), "unchanged");
    EXPECT_EQ(c().info.lPCTimeVal->text(), "unchanged");
    c().pages.PageControl->setCurrentIndex(static_cast<int>(Page::Info));
    poll();
    EXPECT_EQ(c().info.lCamTimeVal->text().toStdString(),
              m_window->cameraLink().shortcuts().clockText());
    EXPECT_NE(c().info.lPCTimeVal->text(), "unchanged");
}

TEST_F(CameraEventsTest, ACameraThatStopsAnsweringIsReportedOnce) {
    connectTo("Y800");
    SimControl::injectFault({vsim::Fault::Kind::FailIdle, orv::kCmdIdle, 0, 0, -1, 4});
    poll(4);
    const auto errors =
        std::count_if(m_window->messageLog().lines().begin(), m_window->messageLog().lines().end(),
                      [](const LogLine& line) { return line.error; });
    EXPECT_EQ(errors, 1);
    EXPECT_TRUE(logged(*m_window, "ERROR: CAMERA: The camera does not answer."));
    poll();
    EXPECT_TRUE(logged(*m_window, "CAMERA: The camera answers again."));
}

TEST_F(CameraEventsTest, DeferredConnectWhileConnectedChangesNothingVisible) {
    connectTo("Y800");
    const size_t before = messages(*m_window).size();
    m_window->deferredAction().arm(DeferredAction::Action::Connect, 1);
    m_window->deferredAction().TimerTimer();
    EXPECT_TRUE(m_window->session().connected());
    EXPECT_FALSE(c().camera.cbDSLR->isEnabled());
    EXPECT_EQ(messages(*m_window).size(), before);
}

TEST_F(CameraEventsTest, MovieFileOnTheCardIsCountedLoggedOrNot) {
    connectTo("Y800");
    holdTransfers();
    ASSERT_NE(SimControl::addCardMovie(m_camera), 0u);
    poll();
    EXPECT_EQ(m_window->session().pendingItemCount(), 1) << "counted also when not logged";
    logAllEvents(true);
    ASSERT_NE(SimControl::addCardMovie(m_camera), 0u);
    poll();
    EXPECT_EQ(m_window->session().pendingItemCount(), 2);
    const std::vector<std::string> lines = messages(*m_window);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& m) {
        return m.rfind("CAMERA Event A movie file (", 0) == 0 &&
               m.find(") added in card.") != std::string::npos;
    }));
}

TEST_F(CameraEventsTest, ShutterPressedOnTheBodyAnnouncesAnItem) {
    connectTo("Y800");
    holdTransfers();
    logAllEvents(true);
    ASSERT_TRUE(SimControl::pressShutter(m_camera));
    poll(2);
    EXPECT_EQ(m_window->session().pendingItemCount(), 1);
    EXPECT_TRUE(logged(*m_window, "CAMERA Event Capture complete"));
}

TEST_F(CameraEventsTest, LensChangeRenewsTheApertureList) {
    connectTo("Y800");
    logAllEvents(true);
    // Several events in one idle call: each is handled after the one before,
    // none inside another's requests.
    ASSERT_TRUE(SimControl::mountLens(m_camera, "50mm f/1.8"));
    poll();
    EXPECT_EQ(c().shooting.cbAperture->itemText(0), "f/1.8");
    EXPECT_EQ(c().camera.lCamInfo->text(), "Y800, 50mm f/1.8");
    EXPECT_TRUE(logged(*m_window, "CAMERA Event Lens info: 50mm f/1.8"));
}
