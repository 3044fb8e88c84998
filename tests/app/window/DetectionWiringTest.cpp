// Plug and unplug events reaching the window: the camera list, the Start
// button, automatic connection through the deferred-action timer, and the
// end of the camera connection when its camera is pulled out. Also the
// Simulator menu that produces those events in a simulated run.
#include "WindowTestSupport.h"

#include "connection/CameraConnection.h"
#include "connection/DeferredAction.h"
#include "simulated/SimulatorMenu.h"

#include <QMenu>
#include <QMenuBar>

namespace {

using DetectionWiringTest = WindowTest;

TEST_F(DetectionWiringTest, ArrivalListsTheCameraAndEnablesStart) {
    auto window = makeWindow();
    start(*window);
    vsim::SimControl::attach("Y800");
    deliverEvents();
    EXPECT_TRUE(logged(*window, "USB event Y800 connected"));
    EXPECT_EQ(window->controls().camera.cbDSLR->currentText(), "Y800");
    EXPECT_TRUE(window->controls().camera.bDSLRConnect->isEnabled());
    EXPECT_FALSE(window->controls().timers.Timer->isActive()) << "Auto is not ticked";
}

TEST_F(DetectionWiringTest, ArrivalWithAutoConnectsThroughTheDeferredTimer) {
    auto window = makeWindow();
    start(*window);
    window->controls().camera.chDSLRAutoConnect->setChecked(true);
    vsim::SimControl::attach("Y800");
    deliverEvents();

    const DeferredAction& deferred = window->deferredAction();
    EXPECT_EQ(deferred.pendingAction(), DeferredAction::Action::Connect);
    EXPECT_TRUE(window->controls().timers.Timer->isActive());
    EXPECT_EQ(window->controls().timers.Timer->interval(), 100);
    EXPECT_FALSE(window->session().connected()) << "not before the timer fires";

    window->deferredAction().TimerTimer();
    EXPECT_TRUE(window->session().connected());
    EXPECT_FALSE(window->controls().camera.cbDSLR->isEnabled());
}

TEST_F(DetectionWiringTest, UnpluggingTheConnectedCameraEndsTheConnection) {
    const int camera = vsim::SimControl::attach("Y800");
    auto window = makeWindow();
    start(*window);
    window->controls().camera.bDSLRConnect->click();
    ASSERT_TRUE(window->session().connected());

    vsim::SimControl::detach(camera);
    deliverEvents();

    EXPECT_FALSE(window->session().connected());
    EXPECT_FALSE(window->cameraConnected());
    const int unplugged = lineIndex(*window, "USB event Y800 disconnected");
    const int stopped = lineIndex(*window, "CAMERA Y800 control stopped.");
    ASSERT_GE(unplugged, 0);
    EXPECT_GT(stopped, unplugged);
    EXPECT_EQ(window->controls().camera.cbDSLR->count(), 0);
    EXPECT_FALSE(window->controls().camera.bDSLRConnect->isEnabled());
    EXPECT_TRUE(window->controls().camera.pDSLRctrl->isHidden());
    EXPECT_FALSE(window->controls().camera.lConnectCam->isHidden());
}

TEST_F(DetectionWiringTest, UnpluggingAnotherCameraKeepsTheConnection) {
    vsim::SimControl::attach("Y800");
    const int other = vsim::SimControl::attach("Y4");
    auto window = makeWindow();
    start(*window);
    window->controls().camera.bDSLRConnect->click();
    ASSERT_TRUE(window->session().connected());

    vsim::SimControl::detach(other);
    deliverEvents();

    EXPECT_TRUE(window->session().connected());
    EXPECT_EQ(window->controls().camera.cbDSLR->count(), 1);
    window->close();
}

TEST_F(DetectionWiringTest, ArrivalWhileConnectedNeitherSelectsNorArms) {
    vsim::SimControl::attach("Y800");
    auto window = makeWindow();
    start(*window);
    window->controls().camera.chDSLRAutoConnect->setChecked(true);
    window->controls().camera.bDSLRConnect->click();
    ASSERT_TRUE(window->session().connected());

    vsim::SimControl::attach("Y4");
    deliverEvents();

    EXPECT_EQ(window->controls().camera.cbDSLR->count(), 2);
    EXPECT_EQ(window->controls().camera.cbDSLR->currentText(), "Y800");
    EXPECT_FALSE(window->controls().timers.Timer->isActive());
    window->close();
}

TEST_F(DetectionWiringTest, IdentityOfTheSelectedCameraComesFromTheDeviceList) {
    const int camera = vsim::SimControl::attach("Y800");
    auto window = makeWindow();
    start(*window);
    const CameraIdentity identity = window->readIdentity("Y800", 1);
    EXPECT_EQ(identity.serial.toStdString(), vsim::SimControl::serialNumber(camera));
    EXPECT_EQ(identity.firmware.toStdString(), vsim::SimControl::firmwareVersion(camera));
    EXPECT_EQ(window->controls().info.lCamSerialVal->text().toStdString(),
              vsim::SimControl::serialNumber(camera).substr(0, 7));
    EXPECT_TRUE(window->readIdentity("Y800", 2).serial.isEmpty());
}

TEST_F(DetectionWiringTest, LogButtonShowsTheLogPage) {
    vsim::SimControl::attach("Y800");
    auto window = makeWindow();
    start(*window);
    window->controls().camera.bDSLRConnect->click();
    window->controls().camera.bLog->click();
    EXPECT_EQ(window->currentPage(), Page::Status);
    EXPECT_EQ(window->width(), 650) << "the page rules ran";
    window->close();
}

class SimulatorMenuTest : public WindowTest {
protected:
    QAction* plugAction(SimulatorMenu& menu, const QString& model) {
        for (QAction* action : menu.plugMenu().actions()) {
            if (action->text() == model) {
                return action;
            }
        }
        return nullptr;
    }
};

TEST_F(SimulatorMenuTest, PlugsAndUnplugsCamerasTheWindowSees) {
    vsim::SimControl::attach("Y800");
    auto window = makeWindow();
    SimulatorMenu menu(*window->menuBar());
    start(*window);
    EXPECT_EQ(menu.plugMenu().actions().size(),
              static_cast<qsizetype>(vsim::SimControl::knownModels().size()));

    QAction* y4 = plugAction(menu, "Y4");
    ASSERT_NE(y4, nullptr);
    y4->trigger();
    deliverEvents();
    EXPECT_TRUE(logged(*window, "USB event Y4 connected"));
    EXPECT_EQ(window->controls().camera.cbDSLR->count(), 2);

    menu.unplugAction().trigger(); // the one plugged in last: Y4
    deliverEvents();
    EXPECT_TRUE(logged(*window, "USB event Y4 disconnected"));
    ASSERT_EQ(window->controls().camera.cbDSLR->count(), 1);
    EXPECT_EQ(window->controls().camera.cbDSLR->itemText(0), "Y800");

    menu.unplugAction().trigger(); // then the camera the run started with
    deliverEvents();
    EXPECT_EQ(window->controls().camera.cbDSLR->count(), 0);
    EXPECT_FALSE(menu.unplugLast()) << "nothing left to unplug";
    EXPECT_FALSE(menu.unplugAction().isEnabled());
    EXPECT_FALSE(menu.shutterAction().isEnabled());
}

TEST_F(SimulatorMenuTest, UnknownModelIsNotPlugged) {
    auto window = makeWindow();
    SimulatorMenu menu(*window->menuBar());
    EXPECT_FALSE(menu.plugIn("Z1"));
    EXPECT_TRUE(vsim::SimControl::cameras().empty());
}

} // namespace
