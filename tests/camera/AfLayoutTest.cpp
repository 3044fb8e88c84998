// The one AF layout description: for every layout, which cells are points,
// the number at a cell and the cell of a number (also as FocusPointGrid
// hands it to the focus-area read) all agree.
#include "camera/AfLayout.h"
#include "camera/FocusPointGrid.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

TEST(AfLayout, PointsNumbersAndCellsAgreeForEveryLayout) {
    struct Expected {
        uint32_t count;
        int columnReach;
        int rowReach;
    };
    for (const Expected& expected : {Expected{11, 2, 1}, Expected{39, 5, 2}, Expected{51, 5, 2}}) {
        const uint32_t count = expected.count;
        const std::optional<AfLayout> layout = AfLayout::forPointCount(count);
        ASSERT_TRUE(layout.has_value()) << count;
        EXPECT_EQ(layout->pointCount(), count);
        EXPECT_EQ(layout->columnReach(), expected.columnReach) << count;
        EXPECT_EQ(layout->rowReach(), expected.rowReach) << count;

        // The extent and one ring of cells around it, where nothing is a point.
        std::set<int32_t> numbers;
        for (int col = -expected.columnReach - 1; col <= expected.columnReach + 1; ++col) {
            for (int row = -expected.rowReach - 1; row <= expected.rowReach + 1; ++row) {
                const int32_t number = layout->numberAt(col, row);
                EXPECT_EQ(layout->isPoint(col, row), number > 0)
                    << count << " " << col << "," << row;
                if (std::abs(col) > expected.columnReach || std::abs(row) > expected.rowReach) {
                    EXPECT_EQ(number, 0) << count << " " << col << "," << row;
                }
                if (number > 0) {
                    EXPECT_TRUE(numbers.insert(number).second) << count << " twice: " << number;
                }
            }
        }
        ASSERT_EQ(numbers.size(), count);
        EXPECT_EQ(*numbers.begin(), 1);
        EXPECT_EQ(*numbers.rbegin(), static_cast<int32_t>(count));

        for (int32_t number = 1; number <= static_cast<int32_t>(count); ++number) {
            const std::optional<AfCell> cell = layout->cellOf(number);
            ASSERT_TRUE(cell.has_value()) << count << " " << number;
            EXPECT_TRUE(layout->isPoint(cell->col, cell->row)) << count << " " << number;
            EXPECT_EQ(layout->numberAt(cell->col, cell->row), number) << count;
            int horizontal = 99;
            int vertical = 99;
            ASSERT_TRUE(FocusPointGrid(count, number, horizontal, vertical));
            EXPECT_EQ((AfCell{horizontal, vertical}), *cell) << count << " " << number;
        }
        EXPECT_FALSE(layout->cellOf(static_cast<int32_t>(count) + 1).has_value()) << count;
    }
    for (uint32_t other : {0u, 1u, 12u, 50u, 52u}) {
        EXPECT_FALSE(AfLayout::forPointCount(other).has_value()) << other;
    }
}
