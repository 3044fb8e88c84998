// Typed capability values, their defaults, and the current-source shortcuts.
#include "camera/CapabilityValues.h"
#include "CameraTestSupport.h"
#include "camera/SourceShortcuts.h"

#include <cstring>
#include <functional>

using vsim::SimControl;

namespace {

// One getter: reads through the link and says whether it gave its default.
struct GetterCase {
    const char* name;
    uint32_t capId;
    std::function<void(int camera)> arrange; // makes the camera hold a non-default value
    std::function<bool(CameraLink& link, CamObject* source)> readsDefault;
};

std::vector<GetterCase> getterCases() {
    using orv::DateTimeRecord;
    return {
        {"boolean", orv::kCapLockCamera,
         [](int c) { SimControl::setBoolean(c, orv::kCapLockCamera, true); },
         [](CameraLink& l, CamObject* s) {
             return !l.values().getBoolean(s, orv::kCapLockCamera);
         }},
        {"integer", orv::kCapBatteryLevel,
         [](int c) { SimControl::setInteger(c, orv::kCapBatteryLevel, 42); },
         [](CameraLink& l, CamObject* s) {
             return l.values().getInteger(s, orv::kCapBatteryLevel) == 0;
         }},
        {"unsigned", orv::kCapMeteringMode,
         [](int c) { SimControl::setUnsigned(c, orv::kCapMeteringMode, 2); },
         [](CameraLink& l, CamObject* s) {
             return l.values().getUnsigned(s, orv::kCapMeteringMode) == 0;
         }},
        {"float", orv::kCapExposureStatus,
         [](int c) { SimControl::setFloat(c, orv::kCapExposureStatus, 1.5); },
         [](CameraLink& l, CamObject* s) {
             return l.values().getFloat(s, orv::kCapExposureStatus) == 0.0;
         }},
        {"text", orv::kCapLensInfo, [](int) {},
         [](CameraLink& l, CamObject* s) {
             return l.values().getText(s, orv::kCapLensInfo).empty();
         }},
        {"date-time", orv::kCapClockDateTime, [](int) {},
         [](CameraLink& l, CamObject* s) {
             DateTimeRecord dt{1999, 77, 1, 0, 0, 0, 0};
             l.values().getDateTime(s, orv::kCapClockDateTime, dt);
             return dt.year == 1999 && dt.month == 77;
         }},
        {"range", orv::kCapExposureComp, [](int) {},
         [](CameraLink& l, CamObject* s) {
             orv::RangeRecord r = l.values().getRange(s, orv::kCapExposureComp);
             return r.steps == 0 && r.upper == 0.0 && r.lower == 0.0;
         }},
        {"enum index", orv::kCapSensitivity, [](int) {},
         [](CameraLink& l, CamObject* s) {
             return l.values().getEnumIndex(s, orv::kCapSensitivity) == -1;
         }},
        {"enum text", orv::kCapAperture, [](int) {},
         [](CameraLink& l, CamObject* s) {
             return l.values().getEnumText(s, orv::kCapAperture).empty();
         }},
        {"enum lines", orv::kCapAperture, [](int) {},
         [](CameraLink& l, CamObject* s) {
             return l.values().getEnumLines(s, orv::kCapAperture).empty();
         }},
        {"text array", orv::kCapWbPresetName, [](int) {},
         [](CameraLink& l, CamObject* s) {
             return l.values().getTextArray(s, orv::kCapWbPresetName).empty();
         }},
        {"generic 0x39", orv::kCapGenericText, [](int) {},
         [](CameraLink& l, CamObject*) { return l.values().getGenericText().empty(); }},
    };
}

class GetterDefaults : public CameraTest {
protected:
    void SetUp() override {
        CameraTest::SetUp();
        camera = connect("Y800");
    }
    int camera = 0;
};

} // namespace

TEST_F(GetterDefaults, EveryGetterReadsTheCameraWhenAllowed) {
    for (const GetterCase& c : getterCases()) {
        c.arrange(camera);
        EXPECT_FALSE(c.readsDefault(*link, source())) << c.name;
    }
}

TEST_F(GetterDefaults, MissingCapabilityGivesDefaultAndSendsNothing) {
    for (const GetterCase& c : getterCases()) {
        SimControl::removeCapability(camera, c.capId); // some cases share one
        EXPECT_FALSE(SimControl::removeCapability(camera, c.capId)) << c.name;
    }
    ASSERT_TRUE(link->RefreshCapabilities(source()));
    SimControl::clearCallLog();
    for (const GetterCase& c : getterCases()) {
        EXPECT_TRUE(c.readsDefault(*link, source())) << c.name;
    }
    EXPECT_TRUE(SimControl::callLog().empty());
}

TEST_F(GetterDefaults, MissingGetBitGivesDefaultAndSendsNothing) {
    for (const GetterCase& c : getterCases()) {
        c.arrange(camera);
        ASSERT_TRUE(SimControl::setOperations(camera, c.capId, orv::kOpSet)) << c.name;
    }
    ASSERT_TRUE(link->RefreshCapabilities(source()));
    SimControl::clearCallLog();
    for (const GetterCase& c : getterCases()) {
        EXPECT_TRUE(c.readsDefault(*link, source())) << c.name;
    }
    EXPECT_TRUE(SimControl::callLog().empty());
}

TEST_F(GetterDefaults, FailingRequestGivesDefault) {
    for (const GetterCase& c : getterCases()) {
        c.arrange(camera);
        SimControl::clearFaults();
        SimControl::injectFault(
            {vsim::Fault::Kind::FailWithResult, orv::kCmdGet, c.capId, 0, -1, -1});
        EXPECT_TRUE(c.readsDefault(*link, source())) << c.name;
    }
}

TEST_F(GetterDefaults, WrongValueTypeGivesDefaultAndSendsNothing) {
    SimControl::clearCallLog();
    CapabilityValues& values = link->values();
    EXPECT_EQ(values.getUnsigned(source(), orv::kCapBatteryLevel), 0u); // integer
    EXPECT_EQ(values.getInteger(source(), orv::kCapMeteringMode), 0);   // unsigned
    EXPECT_EQ(values.getText(source(), orv::kCapSensitivity), "");      // enumeration
    EXPECT_EQ(values.getEnumIndex(source(), orv::kCapLensInfo), -1);    // text
    EXPECT_FALSE(values.getBoolean(source(), orv::kCapExposureStatus)); // float
    EXPECT_TRUE(values.getTextArray(source(), orv::kCapSensitivity).empty());
    EXPECT_FALSE(values.start(source(), orv::kCapLensInfo));
    EXPECT_TRUE(SimControl::callLog().empty());
}

TEST_F(GetterDefaults, SetWithoutTheSetBitSendsNothing) {
    ASSERT_TRUE(SimControl::setOperations(camera, orv::kCapMeteringMode, orv::kOpGet));
    ASSERT_TRUE(SimControl::setOperations(camera, orv::kCapSensitivity, orv::kOpGet));
    ASSERT_TRUE(link->RefreshCapabilities(source()));
    SimControl::clearCallLog();
    EXPECT_FALSE(link->values().setUnsigned(source(), orv::kCapMeteringMode, 1));
    EXPECT_FALSE(link->values().setEnumIndex(source(), orv::kCapSensitivity, 1));
    EXPECT_FALSE(link->values().setPoint(source(), orv::kCapLensInfo, {1, 2}));
    EXPECT_TRUE(SimControl::callLog().empty());
    EXPECT_FALSE(link->values().setUnsigned(nullptr, orv::kCapMeteringMode, 1));
}

TEST_F(GetterDefaults, MonthsCountFromOneOutsideTheModule) {
    SimControl::setDateTime(camera, orv::kCapClockDateTime, {2024, 0, 15, 8, 30, 5, 0});
    orv::DateTimeRecord dt{};
    ASSERT_TRUE(link->values().getDateTime(source(), orv::kCapClockDateTime, dt));
    EXPECT_EQ(dt.month, 1);
    EXPECT_EQ(link->shortcuts().clockText(), "2024.01.15. 08:30:05");
    dt.month = 12;
    ASSERT_TRUE(link->values().setDateTime(source(), orv::kCapClockDateTime, dt));
    EXPECT_EQ(SimControl::getDateTime(camera, orv::kCapClockDateTime).month, 11);
    dt.month = 0;
    EXPECT_FALSE(link->values().setDateTime(source(), orv::kCapClockDateTime, dt));
}

TEST_F(GetterDefaults, RangeByValueRoundsHalvesToEven) {
    SimControl::setRange(camera, orv::kCapExposureComp, {0, 0, 0, 0, 0.0, 4.0, 5});
    ASSERT_TRUE(link->values().setRangeByValue(source(), orv::kCapExposureComp, 2.5));
    EXPECT_EQ(SimControl::getRange(camera, orv::kCapExposureComp).valueIndex, 2u);
    ASSERT_TRUE(link->values().setRangeByValue(source(), orv::kCapExposureComp, 3.5));
    EXPECT_EQ(SimControl::getRange(camera, orv::kCapExposureComp).valueIndex, 4u);
    EXPECT_DOUBLE_EQ(link->values().getRange(source(), orv::kCapExposureComp).value, 4.0);
    // Out of range values stay on the scale.
    ASSERT_TRUE(link->values().setRangeByValue(source(), orv::kCapExposureComp, -30.0));
    EXPECT_EQ(SimControl::getRange(camera, orv::kCapExposureComp).valueIndex, 0u);
}

TEST_F(GetterDefaults, RangeWithoutStepsStoresTheValue) {
    SimControl::setRange(camera, orv::kCapExposureComp, {0, 0, 3, 0, 0.0, 4.0, 0});
    ASSERT_TRUE(link->values().setRangeByValue(source(), orv::kCapExposureComp, 2.5));
    orv::RangeRecord stored = SimControl::getRange(camera, orv::kCapExposureComp);
    EXPECT_DOUBLE_EQ(stored.value, 2.5);
    EXPECT_EQ(stored.valueIndex, 3u);
    EXPECT_DOUBLE_EQ(link->values().getRange(source(), orv::kCapExposureComp).value, 2.5);
}

TEST(RangeMath, SingleStepRangesGiveTheLowerBound) {
    orv::RangeRecord one{9.0, 0, 0, 0, 2500.0, 10000.0, 1};
    EXPECT_EQ(RangeValueForIndex(one, 0), 2500.0);
    EXPECT_EQ(RangeIndexForValue(one, 5000.0), 0u);
    orv::RangeRecord none{9.0, 0, 3, 0, 2500.0, 10000.0, 0};
    EXPECT_EQ(RangeValueForIndex(none, 3), 2500.0);
    orv::RangeRecord flat{0, 0, 0, 0, 5.0, 5.0, 4};
    EXPECT_EQ(RangeIndexForValue(flat, 5.0), 0u);
    orv::RangeRecord normal{0, 0, 0, 0, 2500.0, 10000.0, 76};
    EXPECT_EQ(RangeIndexForValue(normal, 5200.0), 27u);
    EXPECT_EQ(RangeValueForIndex(normal, 27), 5200.0);
}

TEST_F(GetterDefaults, ColorTemperatureByIndexAndSingleStep) {
    SimControl::setRange(camera, orv::kCapWbColorTemp, {0, 0, 0, 0, 2500.0, 10000.0, 76});
    ASSERT_TRUE(link->shortcuts().setColorTemperature(5200));
    EXPECT_EQ(SimControl::getRange(camera, orv::kCapWbColorTemp).valueIndex, 27u);
    EXPECT_EQ(link->shortcuts().colorTemperature(), 5200);
    SimControl::setRange(camera, orv::kCapWbColorTemp, {0, 0, 0, 0, 2500.0, 10000.0, 1});
    EXPECT_EQ(link->shortcuts().colorTemperature(), 2500);
    ASSERT_TRUE(link->shortcuts().setColorTemperature(7000));
    EXPECT_EQ(SimControl::getRange(camera, orv::kCapWbColorTemp).valueIndex, 0u);
}

TEST_F(GetterDefaults, ExposureStatusAndBatteryAreClamped) {
    SimControl::setFloat(camera, orv::kCapExposureStatus, 7.3);
    EXPECT_EQ(link->shortcuts().exposureStatus(), 5.0);
    SimControl::setFloat(camera, orv::kCapExposureStatus, -9.0);
    EXPECT_EQ(link->shortcuts().exposureStatus(), -5.0);
    SimControl::setFloat(camera, orv::kCapExposureStatus, -1.5);
    EXPECT_EQ(link->shortcuts().exposureStatus(), -1.5);
    SimControl::setInteger(camera, orv::kCapBatteryLevel, 255);
    EXPECT_EQ(link->shortcuts().batteryLevel(), 100);
    SimControl::setInteger(camera, orv::kCapBatteryLevel, 64);
    EXPECT_EQ(link->shortcuts().batteryLevel(), 64);
}

TEST_F(GetterDefaults, LongTextIsCutAtACharacterBoundary) {
    std::string text;
    for (int i = 0; i < 200; ++i) {
        text += "\xC3\xA9"; // two bytes each
    }
    ASSERT_TRUE(link->values().setText(source(), orv::kCapUserComment, text));
    const std::string stored = SimControl::getText(camera, orv::kCapUserComment);
    EXPECT_EQ(stored.size(), 254u);
    EXPECT_EQ(stored, text.substr(0, 254));
    EXPECT_EQ(CutUtf8("abc", 2), "ab");
    EXPECT_EQ(CutUtf8("a\xE2\x82\xAC", 3), "a");
}

TEST_F(GetterDefaults, UnsignedEnumWithoutValueNameShowsTheNumber) {
    SimControl::setEnumValues(camera, orv::kCapSensitivity, {100, 200, 12345}, 2);
    EXPECT_EQ(link->values().getEnumText(source(), orv::kCapSensitivity), "12345");
    EXPECT_EQ(link->shortcuts().index(orv::kCapSensitivity), 2);
    EXPECT_EQ(link->shortcuts().lines(orv::kCapSensitivity), "100\r\n200\r\n12345\r\n");
    ASSERT_TRUE(link->shortcuts().setIndex(orv::kCapSensitivity, 1));
    EXPECT_EQ(SimControl::getEnumIndex(camera, orv::kCapSensitivity), 1u);
}

TEST_F(GetterDefaults, PackedTextEnumsGiveTheCurrentLine) {
    const std::string lines = link->values().getEnumLines(source(), orv::kCapAperture);
    const int32_t index = link->values().getEnumIndex(source(), orv::kCapAperture);
    ASSERT_GE(index, 0);
    std::vector<std::string> split;
    for (size_t start = 0, end; (end = lines.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        split.push_back(lines.substr(start, end - start));
    }
    ASSERT_GT(split.size(), static_cast<size_t>(index));
    EXPECT_EQ(link->values().getEnumText(source(), orv::kCapAperture), split[index]);
}

TEST_F(GetterDefaults, FocusPreferredAreaGivesGridOffsets) {
    ASSERT_EQ(link->AfPointCount(), 51u);
    ASSERT_TRUE(link->shortcuts().setIndex(orv::kCapFocusPreferredArea, 51));
    int h = 0, v = 0;
    EXPECT_EQ(link->shortcuts().focusPreferredArea(h, v), 51);
    EXPECT_EQ(h, -5);
    EXPECT_EQ(v, -1);
}

TEST_F(CameraTest, CcdDataModeCountsFromThree) {
    const int camera = connect("Y3X"); // a body with several image areas
    ASSERT_TRUE(link->shortcuts().setCcdDataMode(1));
    EXPECT_EQ(SimControl::getUnsigned(camera, orv::kCapCcdDataMode), 4u);
    EXPECT_EQ(link->shortcuts().ccdDataMode(), 1);
}

TEST_F(GetterDefaults, StartsAndAutofocus) {
    SimControl::clearCallLog();
    EXPECT_TRUE(link->shortcuts().capture());
    EXPECT_EQ(SimControl::countCalls(orv::kCmdStart, orv::kCapCapture), 1);
    EXPECT_TRUE(link->shortcuts().autoFocus(false));
    EXPECT_EQ(SimControl::countCalls(orv::kCmdStart, orv::kCapAutoFocus), 1);
    EXPECT_TRUE(link->shortcuts().autoFocus(true));
    EXPECT_EQ(SimControl::countCalls(orv::kCmdSet, orv::kCapContrastAf), 1);
    bool capturing = true;
    EXPECT_TRUE(link->shortcuts().terminateCapture(capturing));
    EXPECT_FALSE(capturing);
}

TEST_F(CameraTest, ShortcutsWithoutSourceDoNothing) {
    ASSERT_TRUE(link->OpenCameraModule("Y800"));
    SimControl::clearCallLog();
    SourceShortcuts& s = link->shortcuts();
    int h = 7, v = 7;
    EXPECT_EQ(s.index(orv::kCapSensitivity), -1);
    EXPECT_FALSE(s.setIndex(orv::kCapSensitivity, 1));
    EXPECT_EQ(s.focusPreferredArea(h, v), -1);
    EXPECT_EQ(h, 7);
    EXPECT_EQ(s.rangeIndex(orv::kCapExposureComp), 0u);
    EXPECT_EQ(s.lensInfo(), "");
    EXPECT_FALSE(s.capture());
    bool capturing = true;
    EXPECT_FALSE(s.terminateCapture(capturing));
    EXPECT_TRUE(capturing);
    EXPECT_FALSE(s.idle());
    EXPECT_TRUE(SimControl::callLog().empty());
}

TEST_F(GetterDefaults, TextArrayRoundTrip) {
    // Bank names are kept as written (preset names come back padded).
    orv::ArrayRecord record{};
    std::vector<uint8_t> contents;
    ASSERT_TRUE(link->values().getArray(source(), orv::kCapShootingBankName, record, contents));
    ASSERT_EQ(record.elementType, orv::kElemText256);
    ASSERT_GE(record.elementCount, 2u);
    ASSERT_EQ(contents.size(), size_t{record.elementCount} * 256);
    std::fill(contents.begin() + 256, contents.begin() + 512, 0);
    std::memcpy(contents.data() + 256, "Studio", 6);
    ASSERT_TRUE(link->values().setArray(source(), orv::kCapShootingBankName, record, contents));
    EXPECT_EQ(contents.size(), size_t{record.elementCount} * 256); // handed back
    std::vector<std::string> texts =
        link->values().getTextArray(source(), orv::kCapShootingBankName);
    ASSERT_EQ(texts.size(), record.elementCount);
    EXPECT_EQ(texts[1], "Studio");
}

TEST_F(GetterDefaults, RangeIndexAndBooleanWrites) {
    ASSERT_TRUE(link->shortcuts().setRangeIndex(orv::kCapMovieExposureComp, 12));
    EXPECT_EQ(SimControl::getRange(camera, orv::kCapMovieExposureComp).valueIndex, 12u);
    EXPECT_EQ(link->shortcuts().rangeIndex(orv::kCapMovieExposureComp), 12u);
    ASSERT_TRUE(link->values().setBoolean(source(), orv::kCapEnableComment, true));
    EXPECT_TRUE(SimControl::getBoolean(camera, orv::kCapEnableComment));
    ASSERT_TRUE(link->shortcuts().setMeteringMode(2));
    EXPECT_EQ(link->shortcuts().meteringMode(), 2u);
    EXPECT_EQ(link->shortcuts().lensInfo(), SimControl::getText(camera, orv::kCapLensInfo));
}
