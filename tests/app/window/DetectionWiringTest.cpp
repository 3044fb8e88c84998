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
#include <QRegularExpression>

#include <set>

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
            if (shownName(*action) == model) {
                return action;
            }
        }
        return nullptr;
    }

    // An entry's text as read, without its mnemonic marker and, in a list
    // submenu, without the key in front of the name ("&4 Y300" is "Y300").
    static QString shownName(const QAction& action) {
        return action.text().remove(QRegularExpression(QStringLiteral("^&\\w "))).remove('&');
    }

    // Checks every entry of `menu` and its submenus has a mnemonic of its
    // own within its menu.
    static void expectDistinctMnemonics(const QMenu& menu) {
        std::set<QChar> keys;
        for (const QAction* action : menu.actions()) {
            if (action->isSeparator()) {
                continue;
            }
            const QString text = action->text();
            const qsizetype marker = text.indexOf('&');
            ASSERT_TRUE(marker >= 0 && marker + 1 < text.size()) << text.toStdString();
            EXPECT_TRUE(keys.insert(text[marker + 1].toLower()).second)
                << text.toStdString() << " in " << menu.title().toStdString();
            if (action->menu() != nullptr) {
                expectDistinctMnemonics(*action->menu());
            }
        }
    }

    static QAction* entry(const QMenu& menu, const QString& name) {
        for (QAction* action : menu.actions()) {
            if (shownName(*action) == name) {
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

TEST_F(SimulatorMenuTest, EveryEntryHasItsOwnMnemonic) {
    auto window = makeWindow();
    SimulatorMenu menu(*window->menuBar());
    EXPECT_EQ(menu.menu().title(), "&Simulator");
    expectDistinctMnemonics(menu.menu());
}

// The body entries act on the camera plugged in last, not on the first one.
TEST_F(SimulatorMenuTest, BodyEntriesActOnTheLastPluggedCamera) {
    const int first = vsim::SimControl::attach("Y800");
    auto window = makeWindow();
    SimulatorMenu menu(*window->menuBar());
    ASSERT_TRUE(menu.plugIn("Y4"));
    const int plugged = menu.bodyCamera();
    ASSERT_NE(plugged, first);
    const uint32_t shots = vsim::SimControl::getUnsigned(plugged, orv::kCapRemainContinuous);
    ASSERT_TRUE(menu.shutterAction().isEnabled());
    menu.shutterAction().trigger();
    EXPECT_EQ(vsim::SimControl::getUnsigned(plugged, orv::kCapRemainContinuous), shots - 1);
    EXPECT_EQ(vsim::SimControl::getUnsigned(first, orv::kCapRemainContinuous), shots);

    QAction* lenses = entry(menu.menu(), "Change lens");
    ASSERT_NE(lenses, nullptr);
    QAction* manual = entry(*lenses->menu(), "35mm f/2 without processor");
    ASSERT_NE(manual, nullptr);
    manual->trigger();
    EXPECT_EQ(vsim::SimControl::mountedLens(plugged), "35mm f/2 without processor");
    EXPECT_EQ(vsim::SimControl::mountedLens(first), "18-105mm f/3.5-5.6");

    QAction* live = entry(menu.menu(), "Live view");
    ASSERT_NE(live, nullptr);
    QAction* three = entry(*live->menu(), "Three faces");
    ASSERT_NE(three, nullptr);
    three->trigger();
    EXPECT_EQ(vsim::SimControl::liveViewState(plugged).faces, 3u);
    EXPECT_EQ(vsim::SimControl::liveViewState(first).faces, 0u);
}

TEST_F(SimulatorMenuTest, UnknownModelIsNotPlugged) {
    auto window = makeWindow();
    SimulatorMenu menu(*window->menuBar());
    EXPECT_FALSE(menu.plugIn("Z1"));
    EXPECT_TRUE(vsim::SimControl::cameras().empty());
}

} // namespace
