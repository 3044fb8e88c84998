// Value texts: lookups by low byte / low 7 bits / whole value, bit lists with
// the leading ", " rule, numbered presets, flash states and the version.
#include "camera/EnumValueText.h"

#include <gtest/gtest.h>

TEST(EnumValueTextBits, LensTypeListsSetBitsAndDropsLeadingComma) {
    EXPECT_EQ(EnumValueText(0x825C, 0x1011), "Distance, Gearless, APS");
    EXPECT_EQ(EnumValueText(0x825C, 0x10), "Gearless");
    EXPECT_EQ(EnumValueText(0x825C, 0x110101), "Distance, Stabilized, Silent AF, Auto Distortion");
    EXPECT_EQ(EnumValueText(0x825C, 0x02), "");
}

TEST(EnumValueTextBits, LiveViewProhibitFollowsListedOrder) {
    EXPECT_EQ(EnumValueText(0x825E, 0x400000), "Mirror up");
    EXPECT_EQ(EnumValueText(0x825E, 0x400080), "Mirror up, Mirror up");
    EXPECT_EQ(EnumValueText(0x825E, 0x100 | 0x01), "Battery low, CF");
    EXPECT_EQ(EnumValueText(0x825E, 0x40000 | 0x4000 | 0x04),
              "Card protect, No card lock, Sequence error");
    EXPECT_EQ(EnumValueText(0x825E, 0x02), "");
}

TEST(EnumValueTextBits, MovieProhibitAndDataKinds) {
    EXPECT_EQ(EnumValueText(0x8299, 0x0C00), "Card protected, Movie recording");
    EXPECT_EQ(EnumValueText(0x8299, 0x2001), "LiveView mode, No card inserted");
    EXPECT_EQ(EnumValueText(0x0C, 0x09), "Image, Thumbnail");
    EXPECT_EQ(EnumValueText(0x0C, 0x12), "Sound, File");
}

TEST(EnumValueTextLookup, LowByteModesIgnoreHighBits) {
    EXPECT_EQ(EnumValueText(0x8111, 0x0103), "Manual");
    EXPECT_EQ(EnumValueText(0x8116, 0), "Matrix");
    EXPECT_EQ(EnumValueText(0x8120, 4), "AF-F");
    EXPECT_EQ(EnumValueText(0x818D, 1), "Continous");
    EXPECT_EQ(EnumValueText(0x8338, 0xFF), "Unknown");
    EXPECT_EQ(EnumValueText(0x81AC, 2), "USB 3.0");
    EXPECT_EQ(EnumValueText(0x36, 0x0202), "Camera");
    EXPECT_EQ(EnumValueText(0x8304, 3), "Slot1+Slot2");
    EXPECT_EQ(EnumValueText(0x8305, 1), "SDRAM");
}

TEST(EnumValueTextLookup, UnknownModesReadAsNameAndValue) {
    EXPECT_EQ(EnumValueText(0x8111, 9), "Exposure mode 9");
    EXPECT_EQ(EnumValueText(0x8116, 7), "Metering mode 7");
    EXPECT_EQ(EnumValueText(0x8120, 3), "Focus mode 3");
    EXPECT_EQ(EnumValueText(0x818D, 12), "Shooting mode 12");
    EXPECT_EQ(EnumValueText(0x8338, 12), "Movie sensitivity 12");
}

TEST(EnumValueTextLookup, Low7BitsAndWholeValueRows) {
    EXPECT_EQ(EnumValueText(0x823F, 0x87), "13%");
    EXPECT_EQ(EnumValueText(0x823F, 8), "");
    EXPECT_EQ(EnumValueText(0x8272, 0x8C), "Full HD Fine high fps");
    EXPECT_EQ(EnumValueText(0x81B1, 8), "3");
    EXPECT_EQ(EnumValueText(0x81B0, 0x85), "+-5");
    EXPECT_EQ(EnumValueText(0x81B9, 4), "New type control");
    EXPECT_EQ(EnumValueText(0x81B2, 2), "3 step");
    EXPECT_EQ(EnumValueText(0x8286, 1), "SD");
    EXPECT_EQ(EnumValueText(0x8287, 0), "CF");
    EXPECT_EQ(EnumValueText(0x8287, 0x100), "");
}

TEST(EnumValueTextLookup, UnknownCapabilityOrValueIsEmpty) {
    EXPECT_EQ(EnumValueText(0x8117, 3), "");
    EXPECT_EQ(EnumValueText(0x36, 3), "");
    EXPECT_EQ(EnumValueText(0x8305, 3), "");
}

TEST(EnumValueTextImagePreset, NamedOptionCustomAndOther) {
    EXPECT_EQ(EnumValueText(0x822E, 3), "Vivid");
    EXPECT_EQ(EnumValueText(0x822E, 101), "Option Image Preset 1");
    EXPECT_EQ(EnumValueText(0x822E, 104), "Option Image Preset 4");
    EXPECT_EQ(EnumValueText(0x822E, 201), "Custom Image Preset 1");
    EXPECT_EQ(EnumValueText(0x822E, 203), "Custom Image Preset 3");
    EXPECT_EQ(EnumValueText(0x822E, 209), "Custom Image Preset 9");
    EXPECT_EQ(EnumValueText(0x822E, 150), "Image Preset 150");
    EXPECT_EQ(EnumValueText(0x822E, 105), "Image Preset 105");
    EXPECT_EQ(EnumValueText(0x822E, 210), "Image Preset 210");
}

TEST(EnumValueTextFlash, Low7BitsThenWhole16BitState) {
    EXPECT_EQ(EnumValueText(0x35, 0), "Normal");
    EXPECT_EQ(EnumValueText(0x35, 0x85), "SlowRear-sync");
    EXPECT_EQ(EnumValueText(0x35, 0x106), "Off");
    EXPECT_EQ(EnumValueText(0x35, 0x107), "Auto");
    EXPECT_EQ(EnumValueText(0x35, 0x10108), "On");
    EXPECT_EQ(EnumValueText(0x35, 6), "");
    EXPECT_EQ(EnumValueText(0x35, 0x109), "");
    EXPECT_EQ(EnumValueText(0x35, 0x206), "");
}

TEST(EnumValueTextVersion, MajorDotMinorFromTopBytes) {
    EXPECT_EQ(EnumValueText(0x3A, 0x010A0000), "1.10");
    EXPECT_EQ(EnumValueText(0x3A, 0x0200FFFF), "2.0");
    EXPECT_EQ(EnumValueText(0x3A, 0), "0.0");
}
