// Refreshing single settings after the camera changed a value: only the
// rows of that capability move, and the camera is only read, never written.
#include "ConnectionTestSupport.h"

#include "camera/CameraTypes.h"

#include <QAbstractSlider>

#include <functional>
#include <map>

using namespace orv;
using vsim::SimControl;

namespace {

// Every control's visible state, by object name.
std::map<QString, QString> snapshot(const QWidget& root) {
    std::map<QString, QString> states;
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        QString state =
            QStringLiteral("%1 %2 %3").arg(w->isEnabled()).arg(w->isHidden()).arg(w->toolTip());
        if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
            state += QStringLiteral(" #%1").arg(combo->currentIndex());
            for (int i = 0; i < combo->count(); ++i) {
                state += QLatin1Char('|') + combo->itemText(i);
            }
        } else if (const auto* slider = qobject_cast<const QAbstractSlider*>(w)) {
            state += QStringLiteral(" =%1").arg(slider->value());
        } else if (const auto* spin = qobject_cast<const QSpinBox*>(w)) {
            state += QStringLiteral(" =%1").arg(spin->value());
        } else if (const auto* bar = qobject_cast<const QProgressBar*>(w)) {
            state += QStringLiteral(" =%1").arg(bar->value());
        }
        states[w->objectName()] = state;
    }
    return states;
}

// Names of the controls whose state differs between two snapshots.
std::vector<std::string> changed(const std::map<QString, QString>& before,
                                 const std::map<QString, QString>& after) {
    std::vector<std::string> names;
    for (const auto& [name, state] : after) {
        if (before.at(name) != state) {
            names.push_back(name.toStdString());
        }
    }
    return names;
}

// Entry calls since the last clear that are neither reads nor idling.
std::vector<uint32_t> nonReadingCommands() {
    std::vector<uint32_t> commands;
    for (const vsim::CallRecord& call : SimControl::callLog()) {
        if (call.command != kCmdGet && call.command != kCmdGetArray && call.command != kCmdIdle) {
            commands.push_back(call.command);
        }
    }
    return commands;
}

} // namespace

class SettingsRefreshTest : public ConnectionTest {};

// One row of each shape: a plain enumeration, an unsigned value, the image
// size (its handler writes at connect) and the compensation scale (its
// handler writes when the position moves).
TEST_F(SettingsRefreshTest, RefreshMovesOnlyTheBoundControlAndOnlyReads) {
    struct Case {
        uint32_t capId;
        std::function<void(int)> turnDial;
        std::vector<std::string> moved;
        std::function<void()> check;
    };
    const ShootingControls& s = controls.shooting;
    const std::vector<Case> cases = {
        {kCapSensitivity,
         [](int camera) { SimControl::setEnumIndex(camera, kCapSensitivity, 7); },
         {"cbISO"},
         [&] { EXPECT_EQ(s.cbISO->currentText(), "500"); }},
        {kCapImageColorSpace,
         [](int camera) { SimControl::setUnsigned(camera, kCapImageColorSpace, 1); },
         {"cbColorSpace"},
         [&] { EXPECT_EQ(s.cbColorSpace->currentIndex(), 1); }},
        {kCapImageSize,
         [](int camera) { SimControl::setEnumIndex(camera, kCapImageSize, 2); },
         {"cbImageSize"},
         [&] {
             EXPECT_EQ(s.cbImageSize->currentIndex(), 2);
             EXPECT_EQ(s.cbImageSize->toolTip(), "Image size setting\r\n2144x1424");
         }},
        {kCapExposureComp,
         [](int camera) {
             orv::RangeRecord range = SimControl::getRange(camera, kCapExposureComp);
             range.valueIndex = 21;
             SimControl::setRange(camera, kCapExposureComp, range);
         },
         {"tbExpoCorr"},
         [&] { EXPECT_EQ(s.tbExpoCorr->value(), 21); }},
    };
    const int camera = connectTo("Y800");
    ASSERT_TRUE(session->connected());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.capId);
        c.turnDial(camera);
        const auto before = snapshot(*controls.root);
        SimControl::clearCallLog();
        connection->settingsFill().refresh(c.capId);

        EXPECT_EQ(changed(before, snapshot(*controls.root)), c.moved);
        c.check();
        EXPECT_GT(SimControl::countCalls(kCmdGet, c.capId), 0);
        EXPECT_EQ(nonReadingCommands(), std::vector<uint32_t>{});
    }
    EXPECT_EQ(SimControl::getRange(camera, kCapExposureComp).valueIndex, 21u);
}

TEST_F(SettingsRefreshTest, UnboundCapabilityOrNoConnectionRefreshesNothing) {
    const int camera = connectTo("Y800");
    SettingsFill& fill = connection->settingsFill();
    const std::vector<uint32_t> bound = fill.boundCapabilities();
    EXPECT_EQ(bound.front(), kCapSensitivity);
    EXPECT_EQ(std::count(bound.begin(), bound.end(), kCapExposureMode), 1);
    EXPECT_TRUE(fill.isBound(kCapBatteryLevel));
    EXPECT_FALSE(fill.isBound(kCapLensInfo));

    SimControl::setText(camera, kCapLensInfo, "85mm f/1.4");
    SimControl::setEnumIndex(camera, kCapSensitivity, 7);
    auto before = snapshot(*controls.root);
    SimControl::clearCallLog();
    fill.refresh(kCapLensInfo);
    EXPECT_TRUE(SimControl::callLog().empty());
    EXPECT_EQ(changed(before, snapshot(*controls.root)), std::vector<std::string>{});

    connection->bDSLRDisconnClick();
    before = snapshot(*controls.root);
    SimControl::clearCallLog();
    fill.refresh(kCapSensitivity);
    EXPECT_TRUE(SimControl::callLog().empty());
    EXPECT_EQ(changed(before, snapshot(*controls.root)), std::vector<std::string>{});
}

// The camera's dial moved from "M" to "P" and then to "S": the window takes
// each mode and what follows from it, and never writes its own back.
TEST_F(SettingsRefreshTest, ExposureModeIsTakenFromTheCameraNotWritten) {
    const int camera = connectTo("Y800"); // the window shows "M"
    const ShootingControls& s = controls.shooting;
    ASSERT_EQ(s.cbMode->currentIndex(), 3);
    ASSERT_TRUE(s.cbShutter->isEnabled());
    ASSERT_FALSE(s.tbExpoCorr->isEnabled());

    SimControl::setEnumIndex(camera, kCapExposureMode, 0);
    SimControl::setEnumIndex(camera, kCapShutterSpeed, 5);
    SimControl::clearCallLog();
    connection->settingsFill().refresh(kCapExposureMode);

    EXPECT_EQ(nonReadingCommands(), std::vector<uint32_t>{});
    EXPECT_EQ(SimControl::getEnumIndex(camera, kCapExposureMode), 0u);
    EXPECT_EQ(s.cbMode->currentIndex(), 0);
    EXPECT_FALSE(s.cbShutter->isEnabled());
    EXPECT_EQ(s.cbShutter->currentIndex(), 5);
    EXPECT_TRUE(s.tbExpoCorr->isEnabled());

    SimControl::setEnumIndex(camera, kCapExposureMode, 2);
    SimControl::clearCallLog();
    connection->settingsFill().refresh(kCapExposureMode);

    EXPECT_EQ(nonReadingCommands(), std::vector<uint32_t>{});
    EXPECT_EQ(SimControl::getEnumIndex(camera, kCapExposureMode), 2u);
    EXPECT_EQ(s.cbMode->currentIndex(), 2);
    EXPECT_TRUE(s.cbShutter->isEnabled());
    EXPECT_TRUE(s.tbExpoCorr->isEnabled());
}
