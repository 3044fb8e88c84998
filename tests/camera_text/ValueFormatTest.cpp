// Value text by value type, including defaults for a missing value and the
// texts that must not depend on the process locale.
#include "camera/ValueFormat.h"

#include <gtest/gtest.h>

TEST(FormatCapabilityValue, SimpleTypes) {
    EXPECT_EQ(FormatCapabilityValue(0x11, orv::kVtProcess, {}), "<bl>process</bl>");
    EXPECT_EQ(FormatCapabilityValue(0x8176, orv::kVtBoolean, true), "Yes");
    EXPECT_EQ(FormatCapabilityValue(0x8176, orv::kVtBoolean, false), "No");
    EXPECT_EQ(FormatCapabilityValue(0x31, orv::kVtInteger, int32_t{-42}), "-42");
    EXPECT_EQ(FormatCapabilityValue(0x8144, orv::kVtString, std::string("18-55 mm")), "18-55 mm");
    EXPECT_EQ(FormatCapabilityValue(0x8157, orv::kVtEnum, std::string("Large")), "Large");
    EXPECT_EQ(FormatCapabilityValue(0x8104, orv::kVtBoolDefault, {}), "booldefault");
    EXPECT_EQ(FormatCapabilityValue(0x8104, 16, {}), "???16");
    EXPECT_EQ(FormatCapabilityValue(0x8104, 0xFFFFFFFF, int32_t{1}), "???4294967295");
}

TEST(FormatCapabilityValue, UnsignedUsesValueTextElseDecimal) {
    EXPECT_EQ(FormatCapabilityValue(0x8116, orv::kVtUnsigned, uint32_t{0}), "Matrix");
    EXPECT_EQ(FormatCapabilityValue(0x825C, orv::kVtUnsigned, uint32_t{0x10}), "Gearless");
    EXPECT_EQ(FormatCapabilityValue(0x81BC, orv::kVtUnsigned, uint32_t{4000000000u}), "4000000000");
}

TEST(FormatCapabilityValue, FloatIsShortestRoundTrip) {
    EXPECT_EQ(FormatCapabilityValue(0x810B, orv::kVtFloat, 5.6), "5.6");
    EXPECT_EQ(FormatCapabilityValue(0x810B, orv::kVtFloat, -0.3), "-0.3");
    EXPECT_EQ(FormatCapabilityValue(0x810B, orv::kVtFloat, 100.0), "100");
    EXPECT_EQ(FormatShortestDouble(0.1 + 0.2), "0.30000000000000004");
}

TEST(FormatCapabilityValue, Geometry) {
    EXPECT_EQ(FormatCapabilityValue(1, orv::kVtPoint, orv::PointRecord{10, -20}), "(10,-20)");
    EXPECT_EQ(FormatCapabilityValue(1, orv::kVtSize, orv::SizeRecord{640, 480}), "640x480");
    EXPECT_EQ(FormatCapabilityValue(1, orv::kVtRect, orv::RectRecord{1, 2, 30, 40}),
              "(1,2), 30x40");
}

TEST(FormatCapabilityValue, DateTimePadsEveryField) {
    const orv::DateTimeRecord when{2024, 3, 5, 14, 7, 9, 0};
    EXPECT_EQ(FormatCapabilityValue(0x8124, orv::kVtDateTime, when), "2024.03.05. 14:07:09");
    EXPECT_EQ(FormatDateTime(orv::DateTimeRecord{987, 12, 31, 0, 0, 0, 0}), "0987.12.31. 00:00:00");
}

TEST(FormatCapabilityValue, CallbackAddressOrNotSet) {
    EXPECT_EQ(FormatCapabilityValue(3, orv::kVtCallback, CallbackValue{0}),
              "<bl>callback:</bl> not set");
    EXPECT_EQ(FormatCapabilityValue(3, orv::kVtCallback, CallbackValue{0xABC}),
              "<bl>callback:</bl> 0x000ABC");
    EXPECT_EQ(FormatCapabilityValue(3, orv::kVtCallback, CallbackValue{0x7F12345678}),
              "<bl>callback:</bl> 0x7F12345678");
}

TEST(FormatCapabilityValue, ArrayTextsTrimmedQuotedJoined) {
    const std::vector<std::string> texts = {"  Bank A ", "B\t", "", "C"};
    EXPECT_EQ(FormatCapabilityValue(0x8190, orv::kVtArray, texts), "'Bank A', 'B', '', 'C'");
    EXPECT_EQ(FormatCapabilityValue(0x8190, orv::kVtArray, std::vector<std::string>{}), "");
}

TEST(FormatCapabilityValue, RangeWithTwoDecimals) {
    orv::RangeRecord range{};
    range.value = 1.5;
    range.lower = -3;
    range.upper = 3;
    EXPECT_EQ(FormatCapabilityValue(0x8115, orv::kVtRange, range), "1.50 [-3.00..3.00]");
    range.value = 0.125;
    EXPECT_EQ(FormatCapabilityValue(0x8115, orv::kVtRange, range), "0.12 [-3.00..3.00]");
}

TEST(FormatCapabilityValue, GenericOnlyForCapability39) {
    EXPECT_EQ(FormatCapabilityValue(0x39, orv::kVtGeneric, std::string("Y800 body")), "Y800 body");
    EXPECT_EQ(FormatCapabilityValue(0x8318, orv::kVtGeneric, std::string("ignored")), "");
}

TEST(FormatCapabilityValue, MismatchedValueGivesTypeDefault) {
    EXPECT_EQ(FormatCapabilityValue(0x8176, orv::kVtBoolean, {}), "No");
    EXPECT_EQ(FormatCapabilityValue(0x31, orv::kVtInteger, std::string("7")), "0");
    EXPECT_EQ(FormatCapabilityValue(0x8116, orv::kVtUnsigned, int32_t{2}), "Matrix");
    EXPECT_EQ(FormatCapabilityValue(0x8144, orv::kVtString, {}), "");
    EXPECT_EQ(FormatCapabilityValue(3, orv::kVtCallback, {}), "<bl>callback:</bl> not set");
}
