// Item lists: exact line structure, one line per element where combo line
// numbers must equal enumeration indices.
#include "camera/ItemLists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

TEST(PackedTextsToLines, EveryNulBecomesLineBreak) {
    EXPECT_EQ(PackedTextsToLines("2.8\0"s
                                 "4\0"s),
              "2.8\r\n4\r\n");
    EXPECT_EQ(PackedTextsToLines("\0"s), "\r\n");
    EXPECT_EQ(PackedTextsToLines("ISO 100"), "ISO 100");
    EXPECT_EQ(PackedTextsToLines(""), "");
}

TEST(FlashModeItemList, OneLinePerElementIncludingUnknowns) {
    const std::vector<uint32_t> modes = {0, 1, 2, 3, 4, 5};
    EXPECT_EQ(FlashModeItemList(modes), "Normal\r\nRear-sync\r\nSlow-sync\r\nRed eye reduction\r\n"
                                        "Red eye slow\r\nRear curtain slow.\r\n");
    const std::vector<uint32_t> mixed = {0x80, 0x106, 0x107, 0x108, 6, 0x7F};
    EXPECT_EQ(FlashModeItemList(mixed),
              "Normal\r\nOff\r\nAuto\r\nOn\r\nFlash mode 6\r\nFlash mode 127\r\n");
    EXPECT_EQ(FlashModeItemList({}), "");
}

TEST(ManualLensItemLists, FirstElementIsNotAvailable) {
    const std::vector<uint32_t> focal = {0, 24, 50, 300};
    EXPECT_EQ(ManualFocalLengthItemList(focal), "N/A\r\n24 mm\r\n50 mm\r\n300 mm\r\n");
    const std::vector<uint32_t> apertures = {99, 14, 28, 35, 40, 0};
    EXPECT_EQ(ManualApertureItemList(apertures),
              "N/A\r\nf/1.4\r\nf/2.8\r\nf/3.5\r\nf/4\r\nf/0\r\n");
    EXPECT_EQ(ManualFocalLengthItemList(std::vector<uint32_t>{7}), "N/A\r\n");
    EXPECT_EQ(ManualApertureItemList({}), "");
}

TEST(ZoomRateItemList, KnownRatesByLow7BitsSkipOthers) {
    const std::vector<uint32_t> rates = {0, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(ZoomRateItemList(rates),
              "Full\r\n25%\r\n33%\r\n50%\r\n66%\r\n100%\r\n200%\r\n13%\r\n");
    const std::vector<uint32_t> mixed = {0x80, 8, 0x85, 0x7F};
    EXPECT_EQ(ZoomRateItemList(mixed), "Full\r\n100%\r\n");
}

TEST(ApertureItemList, PrefixedLinesWithoutTrailingBreak) {
    EXPECT_EQ(ApertureItemList(PackedTextsToLines("2.8\0"s
                                                  "4\0"s)),
              "f/2.8\r\nf/4");
    EXPECT_EQ(ApertureItemList("5.6\r\n"), "f/5.6");
    EXPECT_EQ(ApertureItemList("1.4\r\n\r\n2\r\n"), "f/1.4\r\nf/\r\nf/2");
}

TEST(ApertureItemList, UnterminatedOrEmptyInputKeepsEveryEntry) {
    EXPECT_EQ(ApertureItemList("2.8\r\n4"), "f/2.8\r\nf/4");
    EXPECT_EQ(ApertureItemList("8"), "f/8");
    EXPECT_EQ(ApertureItemList(""), "");
}
