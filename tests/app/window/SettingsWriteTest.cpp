// The camera follows the window: each control writes its capability, the
// camera's echo neither writes again nor moves the control, and the capture
// buttons release, focus and lock.
#include "ConnectedWindow.h"
#include "connection/CompensationScale.h"

#include <cmath>

using vsim::SimControl;

class SettingsWriteTest : public ConnectedWindowTest {
protected:
    // A choice as the user makes it (the change handler runs).
    static void choose(QComboBox* combo, int index) { combo->setCurrentIndex(index); }
};

TEST_F(SettingsWriteTest, AChoiceReachesTheCameraOnceAndItsEchoChangesNothing) {
    connectTo("Y800");
    SimControl::clearCallLog();
    choose(c().shooting.cbISO, 2);
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, orv::kCapSensitivity), 2u);
    poll(); // the camera's value-changed event
    EXPECT_EQ(writes(orv::kCapSensitivity), 1);
    EXPECT_EQ(c().shooting.cbISO->currentIndex(), 2);
}

TEST_F(SettingsWriteTest, ModeChoiceRereadsExposureAndGatesTheCompensation) {
    connectTo("Y800");
    choose(c().shooting.cbMode, 3);
    choose(c().shooting.cbMode, 1); // "A"
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, orv::kCapExposureMode), 1u);
    EXPECT_TRUE(c().shooting.tbExpoCorr->isEnabled());
    EXPECT_EQ(c().shooting.cbAperture->currentIndex(),
              static_cast<int>(SimControl::getEnumIndex(m_camera, orv::kCapAperture)));
    choose(c().shooting.cbMode, 3); // "M"
    EXPECT_FALSE(c().shooting.tbExpoCorr->isEnabled());
}

TEST_F(SettingsWriteTest, MovieModeWritesTheMovieSensitivityOnly) {
    connectTo("Y800");
    c().movie.sbMovie->setChecked(true);
    SimControl::clearCallLog();
    choose(c().shooting.cbISO, 1);
    EXPECT_EQ(writes(orv::kCapMovieSensitivity), 1);
    EXPECT_EQ(writes(orv::kCapSensitivity), 0);
}

TEST_F(SettingsWriteTest, ImageAreaAndColourTemperatureWriteTheCameraValues) {
    connectTo("Y3S"); // image areas "FF", "APS", "5:4"
    ASSERT_EQ(c().shooting.cbCCDmode->count(), 3);
    choose(c().shooting.cbCCDmode, 0);
    choose(c().shooting.cbCCDmode, 1); // "APS"
    EXPECT_EQ(SimControl::getUnsigned(m_camera, orv::kCapCcdDataMode), 4u);
    // 2500 K to 10000 K in 76 steps: 5600 K is step 31.
    choose(c().shooting.cbColorTemp, c().shooting.cbColorTemp->findText("5600"));
    EXPECT_EQ(SimControl::getRange(m_camera, orv::kCapWbColorTemp).valueIndex, 31u);
}

TEST_F(SettingsWriteTest, BulbOpensWithTheFirstClickAndClosesWithTheSecond) {
    connectTo("Y800");
    QComboBox* shutter = c().shooting.cbShutter;
    choose(shutter, shutter->findText("Bulb"));
    ASSERT_EQ(shutter->currentText(), "Bulb");
    QPushButton* expo = c().shooting.bExpo;

    expo->click();
    EXPECT_TRUE(m_window->connection().captureButtons().captureFlag());
    EXPECT_TRUE(SimControl::getBoolean(m_camera, orv::kCapLockCamera));
    EXPECT_EQ(expo->text(), "End") << "the window shows that the shutter is open";

    // A terminate the camera refuses leaves the exposure running.
    SimControl::injectFault(
        {vsim::Fault::Kind::FailWithResult, orv::kCmdStart, orv::kCapTerminateCapture, 0, -1, 1});
    expo->click();
    EXPECT_TRUE(m_window->connection().captureButtons().captureFlag());

    SimControl::clearCallLog();
    expo->click();
    EXPECT_EQ(SimControl::countCalls(orv::kCmdStart, orv::kCapTerminateCapture), 1);
    EXPECT_FALSE(m_window->connection().captureButtons().captureFlag());
    EXPECT_FALSE(SimControl::getBoolean(m_camera, orv::kCapLockCamera));
    EXPECT_EQ(expo->text(), "Expo");
}

TEST_F(SettingsWriteTest, LockOffersManualFocusAndReleasingRestoresTheCameraMode) {
    connectTo("Y800");
    QComboBox* afMode = c().focus.cbAFmode;
    ASSERT_EQ(afMode->count(), 2);
    c().shooting.sbLock->click();
    EXPECT_TRUE(SimControl::getBoolean(m_camera, orv::kCapLockCamera));
    EXPECT_EQ(afMode->count(), 3);
    c().shooting.sbLock->click();
    EXPECT_FALSE(SimControl::getBoolean(m_camera, orv::kCapLockCamera));
    EXPECT_EQ(afMode->count(), 2);
    EXPECT_EQ(afMode->currentIndex(),
              static_cast<int>(SimControl::getUnsigned(m_camera, orv::kCapAfMode)));
}

TEST(ExposureScaleLayout, ThirdsFromMinusThreeToPlusThree) {
    const ExposureScaleGeometry scale = ExposureScaleLayout(-3.0, 3.0, 19);
    EXPECT_EQ(scale.labelText, "-3  -2  -1   0  +1  +2  +3  ");
    EXPECT_EQ(scale.labelLeft, 52);
    EXPECT_EQ(scale.sliderLeft, 48);
    EXPECT_EQ(scale.maximum, 18);
    EXPECT_EQ(scale.sliderWidth, 139);
    // The design-time scale, -5 to +5 in thirds.
    const ExposureScaleGeometry full = ExposureScaleLayout(-5.0, 5.0, 31);
    EXPECT_EQ(full.labelText, "-5  -4  -3  -2  -1   0  +1  +2  +3  +4  +5  ");
    EXPECT_EQ(full.sliderLeft, 8);
    EXPECT_EQ(full.sliderWidth, 223);
}

// A damaged range (NaN, astronomic bounds, billions of steps) gives a scale
// of at most -10 to +10 stops and 1000 steps.
TEST(ExposureScaleLayout, ADamagedRangeIsCutToTenStopsAndAThousandSteps) {
    const ExposureScaleGeometry cut = ExposureScaleLayout(-7.0, 12.4, 4000000000u);
    EXPECT_EQ(cut.labelText, "-7  -6  -5  -4  -3  -2  -1   0  +1  +2  +3  +4  +5  +6  +7  +8  +9  "
                             "+10  ");
    EXPECT_EQ(cut.maximum, 999);
    EXPECT_EQ(cut.sliderWidth, 7006);
    const ExposureScaleGeometry unknown = ExposureScaleLayout(std::nan(""), std::nan(""), 3);
    EXPECT_EQ(unknown.labelText, " 0  ");
    EXPECT_EQ(unknown.labelLeft, 112);
    EXPECT_EQ(ExposureScaleLayout(1e300, 1e300, 1).labelText, "+10  ");
}

TEST_F(SettingsWriteTest, ExposureReportsOfTheOtherModeLeaveTheControlsAlone) {
    connectTo("Y800");
    const int stillIso = c().shooting.cbISO->currentIndex();
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapMovieSensitivity, 4));
    poll();
    EXPECT_EQ(c().shooting.cbISO->currentIndex(), stillIso) << "a movie value in still mode";
    c().movie.sbMovie->setChecked(true);
    const int shown = c().shooting.cbISO->currentIndex();
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapSensitivity, 5));
    poll();
    EXPECT_EQ(c().shooting.cbISO->currentIndex(), shown) << "a still value in movie mode";
}
