// The about text's place beside the photo, and the camera ordinal.
#include "app/window/AboutLayout.h"
#include "widgets/CameraOrdinal.h"

#include <gtest/gtest.h>

namespace {

TEST(AboutLayout, CentresTextBesideThePhoto) {
    // (700 + 154 + 25 - 420 + 10) / 2 = 234 (rounded down), (250 - 210) / 2 = 20
    EXPECT_EQ(aboutlayout::textPosition({700, 250, 25, 154, 420, 210}), QPoint(234, 20));
    // odd sums drop the half
    EXPECT_EQ(aboutlayout::textPosition({701, 251, 25, 154, 420, 210}), QPoint(235, 20));
}

TEST(AboutLayout, DivisionsRoundTowardsZeroWhenThePanelIsSmall) {
    // (100 + 154 + 25 - 420 + 10) / 2 = -131 / 2 = -65; (201 - 210) / 2 = -9 / 2 = -4
    EXPECT_EQ(aboutlayout::textPosition({100, 201, 25, 154, 420, 210}), QPoint(-65, -4));
}

TEST(CameraOrdinal, CountsEqualEntriesUpToTheSelectedOne) {
    const QStringList entries{"Y800", "Y3", "Y800", "Y800"};
    EXPECT_EQ(cameraOrdinal(entries, 0), 1);
    EXPECT_EQ(cameraOrdinal(entries, 1), 1);
    EXPECT_EQ(cameraOrdinal(entries, 2), 2);
    EXPECT_EQ(cameraOrdinal(entries, 3), 3);
    EXPECT_EQ(cameraOrdinal(entries, -1), 0);
    EXPECT_EQ(cameraOrdinal(entries, 4), 0);
}

} // namespace
