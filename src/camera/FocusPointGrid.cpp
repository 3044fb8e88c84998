#include "camera/FocusPointGrid.h"

#include <array>
#include <cstddef>

namespace {

// Columns left to right, each listing its cells top to bottom; 0 = no point.
constexpr std::array<std::array<int, 5>, 11> kGrid51{{
    {0, 51, 49, 50, 0},
    {48, 47, 44, 45, 46},
    {43, 42, 39, 40, 41},
    {38, 37, 34, 35, 36},
    {15, 14, 11, 12, 13},
    {5, 4, 1, 2, 3},
    {10, 9, 6, 7, 8},
    {20, 19, 16, 17, 18},
    {25, 24, 21, 22, 23},
    {30, 29, 26, 27, 28},
    {0, 32, 31, 33, 0},
}};

constexpr std::array<std::array<int, 5>, 11> kGrid39{{
    {0, 38, 37, 39, 0},
    {0, 35, 34, 36, 0},
    {0, 32, 31, 33, 0},
    {0, 29, 28, 30, 0},
    {13, 12, 11, 14, 15},
    {3, 2, 1, 4, 5},
    {8, 7, 6, 9, 10},
    {0, 17, 16, 18, 0},
    {0, 20, 19, 21, 0},
    {0, 23, 22, 24, 0},
    {0, 26, 25, 27, 0},
}};

constexpr std::array<std::array<int, 3>, 5> kGrid11{{
    {0, 7, 0},
    {6, 4, 5},
    {3, 1, 2},
    {10, 8, 9},
    {0, 11, 0},
}};

template <typename Grid>
bool lookUp(const Grid& grid, int32_t number, int& horizontal, int& vertical) {
    const int centreColumn = static_cast<int>(grid.size() / 2);
    const int centreCell = static_cast<int>(grid[0].size() / 2);
    // The last match wins: 0 (no point) stands for the last empty cell.
    bool found = false;
    for (size_t column = 0; column < grid.size(); ++column) {
        for (size_t cell = 0; cell < grid[column].size(); ++cell) {
            if (grid[column][cell] == number) {
                horizontal = static_cast<int>(column) - centreColumn;
                vertical = static_cast<int>(cell) - centreCell;
                found = true;
            }
        }
    }
    return found;
}

} // namespace

bool FocusPointGrid(uint32_t afPointCount, int32_t number, int& horizontal, int& vertical) {
    switch (afPointCount) {
    case 51:
        return lookUp(kGrid51, number, horizontal, vertical);
    case 39:
        return lookUp(kGrid39, number, horizontal, vertical);
    case 11:
        return lookUp(kGrid11, number, horizontal, vertical);
    default:
        return false;
    }
}
