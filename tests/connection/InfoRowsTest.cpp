// The Info page's pure rules: where rows go, how camera texts are shown and
// limited, which lens number is kept, and when the camera clock is written.
#include "camera/CameraTypes.h"
#include "connection/CameraClock.h"
#include "connection/InfoRowLayout.h"

#include <gtest/gtest.h>

using namespace inforows;

TEST(InfoRows, TextRowsStackTwentyFourPixelsApart) {
    const TextRowPlace first = textRowPlace(0);
    EXPECT_EQ(first.label.topLeft(), QPoint(8, 16));
    EXPECT_EQ(first.edit, QRect(152, 13, 166, 21));
    EXPECT_EQ(first.enableBox, QRect(133, 15, 17, 17));
    // The label ends before the enable box begins.
    EXPECT_LT(first.label.right(), first.enableBox.left());
    const TextRowPlace third = textRowPlace(2);
    EXPECT_EQ(third.label.top(), 64);
    EXPECT_EQ(third.edit.top(), 61);
    EXPECT_EQ(third.enableBox.top(), 63);
    EXPECT_EQ(textsGroupHeight(0), 45);
    EXPECT_EQ(textsGroupHeight(15), 405);
    EXPECT_EQ(saveButtonTop(textsGroupHeight(15)), 16 + 24 * 15);
}

TEST(InfoRows, PaddedCameraFieldsKeepTheirWidth) {
    // A preset name the camera pads with blanks to 19 characters.
    const RowText preset = rowText("PRESET 1           ");
    EXPECT_EQ(preset.shown, QStringLiteral("PRESET 1"));
    EXPECT_EQ(preset.maxLength, 19);
    EXPECT_EQ(rowText("                   ").maxLength, 19);
    EXPECT_EQ(rowText("  left").maxLength, 6);
    // Plain texts are trimmed before the row is made: always 40.
    EXPECT_EQ(rowText(trimBlanks("  Studio North \t")).shown, QStringLiteral("Studio North"));
    EXPECT_EQ(rowText("Studio North").maxLength, 40);
    EXPECT_EQ(rowText("").maxLength, 40);
    // A text longer than 40 is shown whole: saving it back must not cut it.
    const std::string comment(50, 'x');
    EXPECT_EQ(rowText(comment).shown.size(), 50);
    EXPECT_EQ(rowText(comment).maxLength, 50);
    // Characters, not bytes.
    EXPECT_EQ(rowText("\xC3\xA9t\xC3\xA9   ").maxLength, 6);
}

TEST(InfoRows, NameArraysAndTheirSuffixes) {
    EXPECT_TRUE(isNameArray(orv::kCapShootingBankName));
    EXPECT_TRUE(isNameArray(orv::kCapWbPresetName));
    EXPECT_TRUE(isNameArray(orv::kCapCustomBankName));
    EXPECT_FALSE(isNameArray(orv::kCapUserComment));
    EXPECT_EQ(elementSuffix(orv::kCapShootingBankName, 0), QStringLiteral(" A"));
    EXPECT_EQ(elementSuffix(orv::kCapCustomBankName, 3), QStringLiteral(" D"));
    EXPECT_EQ(elementSuffix(orv::kCapWbPresetName, 0), QStringLiteral(" 1"));
    EXPECT_EQ(elementSuffix(orv::kCapWbPresetName, 3), QStringLiteral(" 4"));
    const uint32_t key = rowKey(orv::kCapWbPresetName, 2);
    EXPECT_EQ(key, 0x00028191u);
    EXPECT_EQ(rowCapability(key), orv::kCapWbPresetName);
    EXPECT_EQ(rowElement(key), 2u);
}

TEST(InfoRows, LensRowsAndTheLensNumberKept) {
    const LensRowPlace first = lensRowPlace(0);
    EXPECT_EQ(first.label.topLeft(), QPoint(12, 20));
    EXPECT_EQ(first.focal, QRect(28, 16, 68, 21));
    EXPECT_EQ(first.aperture, QRect(101, 16, 52, 21));
    EXPECT_EQ(first.radio, QRect(159, 18, 17, 17));
    const LensRowPlace last = lensRowPlace(8);
    EXPECT_EQ(last.focal.top(), 216);
    EXPECT_EQ(last.radio.top(), 218);
    EXPECT_EQ(lensNumberToKeep(std::vector<bool>(9, false)), 0u);
    EXPECT_EQ(lensNumberToKeep({false, false, false, true, false, false, false, false, false}), 3u);
    EXPECT_EQ(lensNumberToKeep({false, true, false, false, false, true, false, false, false}), 5u);
}

TEST(CameraClock, WrittenTwentyFiveMillisecondsBeforeTheWholeSecond) {
    const QDate day(2026, 3, 14);
    const ClockAdjustPlan late = PlanClockAdjust(QDateTime(day, QTime(12, 0, 0, 990)));
    EXPECT_EQ(late.sleep_ms, 0);
    EXPECT_EQ(late.target, QDateTime(day, QTime(12, 0, 1)));
    const ClockAdjustPlan early = PlanClockAdjust(QDateTime(day, QTime(12, 0, 0, 100)));
    EXPECT_EQ(early.sleep_ms, 875);
    EXPECT_EQ(early.target, QDateTime(day, QTime(12, 0, 1)));
    // On the whole second the next one is the target; 25 ms before it, no sleep.
    EXPECT_EQ(PlanClockAdjust(QDateTime(day, QTime(12, 0, 0, 0))).sleep_ms, 975);
    EXPECT_EQ(PlanClockAdjust(QDateTime(day, QTime(12, 0, 0, 975))).sleep_ms, 0);
    EXPECT_EQ(PlanClockAdjust(QDateTime(day, QTime(12, 0, 0, 974))).sleep_ms, 1);
}

TEST(CameraClock, TheTargetSecondAsTheCameraRecord) {
    const ClockAdjustPlan plan =
        PlanClockAdjust(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 500)));
    const orv::DateTimeRecord record = ClockRecordOf(plan.target);
    EXPECT_EQ(record.year, 2025);
    EXPECT_EQ(record.month, 1); // from 1; the access layer converts for the camera
    EXPECT_EQ(record.day, 1);
    EXPECT_EQ(record.hour, 0);
    EXPECT_EQ(record.minute, 0);
    EXPECT_EQ(record.second, 0);
    EXPECT_EQ(record.subSecond, 0u);
}
