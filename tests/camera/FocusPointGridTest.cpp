#include "camera/FocusPointGrid.h"

#include <gtest/gtest.h>

TEST(FocusPointGrid, CentrePointsSitAtTheCentre) {
    for (uint32_t count : {51u, 39u, 11u}) {
        int h = 9, v = 9;
        EXPECT_TRUE(FocusPointGrid(count, 1, h, v)) << count;
        EXPECT_EQ(h, 0) << count;
        EXPECT_EQ(v, 0) << count;
    }
}

TEST(FocusPointGrid, OffsetsFromTheCentre51) {
    int h = 0, v = 0;
    ASSERT_TRUE(FocusPointGrid(51, 51, h, v));
    EXPECT_EQ(h, -5);
    EXPECT_EQ(v, -1);
    ASSERT_TRUE(FocusPointGrid(51, 33, h, v));
    EXPECT_EQ(h, 5);
    EXPECT_EQ(v, 1);
    ASSERT_TRUE(FocusPointGrid(51, 48, h, v));
    EXPECT_EQ(h, -4);
    EXPECT_EQ(v, -2);
}

TEST(FocusPointGrid, OffsetsFromTheCentre39And11) {
    int h = 0, v = 0;
    ASSERT_TRUE(FocusPointGrid(39, 15, h, v));
    EXPECT_EQ(h, -1);
    EXPECT_EQ(v, 2);
    ASSERT_TRUE(FocusPointGrid(39, 27, h, v));
    EXPECT_EQ(h, 5);
    EXPECT_EQ(v, 1);
    ASSERT_TRUE(FocusPointGrid(11, 7, h, v));
    EXPECT_EQ(h, -2);
    EXPECT_EQ(v, 0);
    ASSERT_TRUE(FocusPointGrid(11, 9, h, v));
    EXPECT_EQ(h, 1);
    EXPECT_EQ(v, 1);
}

TEST(FocusPointGrid, ZeroTakesTheLastEmptyCell) {
    int h = 0, v = 0;
    ASSERT_TRUE(FocusPointGrid(51, 0, h, v));
    EXPECT_EQ(h, 5); // last column, bottom empty cell
    EXPECT_EQ(v, 2);
    ASSERT_TRUE(FocusPointGrid(39, 0, h, v));
    EXPECT_EQ(h, 5);
    EXPECT_EQ(v, 2);
    ASSERT_TRUE(FocusPointGrid(11, 0, h, v));
    EXPECT_EQ(h, 2);
    EXPECT_EQ(v, 1);
}

TEST(FocusPointGrid, OtherLayoutsAndUnknownNumbersLeaveOffsets) {
    int h = 3, v = -2;
    EXPECT_FALSE(FocusPointGrid(0, 1, h, v));
    EXPECT_FALSE(FocusPointGrid(9, 1, h, v));
    EXPECT_FALSE(FocusPointGrid(11, 12, h, v));
    EXPECT_FALSE(FocusPointGrid(51, -1, h, v));
    EXPECT_EQ(h, 3);
    EXPECT_EQ(v, -2);
}

TEST(FocusPointGrid, CameraTypesChooseTheLayout) {
    for (uint32_t type : {0x20u, 0x21u, 0x22u, 0x24u, 0x2Au, 0x2Bu, 0x30u, 0x31u, 0x32u}) {
        EXPECT_EQ(AfPointCountForCameraType(type, 0), 51u) << type;
    }
    for (uint32_t type : {0x28u, 0x29u, 0x2Fu}) {
        EXPECT_EQ(AfPointCountForCameraType(type, 0), 11u) << type;
    }
    EXPECT_EQ(AfPointCountForCameraType(0x2E, 0), 39u);
    EXPECT_EQ(AfPointCountForCameraType(0x25, 11), 11u);
    EXPECT_EQ(AfPointCountForCameraType(0x25, 0), 0u);
}
