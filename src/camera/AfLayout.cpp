#include "camera/AfLayout.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::size_t kMaxCells = 11 * 5;

// Columns left to right, each listing its cells from the lowest row to the
// highest (the AF picture draws the highest at the top); 0 = no point.
constexpr std::array<std::array<int32_t, 5>, 11> kGrid51{{
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

constexpr std::array<std::array<int32_t, 5>, 11> kGrid39{{
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

constexpr std::array<std::array<int32_t, 3>, 5> kGrid11{{
    {0, 7, 0},
    {6, 4, 5},
    {3, 1, 2},
    {10, 8, 9},
    {0, 11, 0},
}};

} // namespace

// The tables above laid out flat, so that grids of every size share one type.
struct AfGrid {
    uint32_t pointCount = 0;
    int columns = 0;
    int cells = 0; // per column
    std::array<int32_t, kMaxCells> numbers{};

    int32_t at(int column, int cell) const {
        return numbers[static_cast<std::size_t>(column * cells + cell)];
    }
};

namespace {

template <std::size_t Columns, std::size_t Cells>
constexpr AfGrid flatten(const std::array<std::array<int32_t, Cells>, Columns>& table) {
    static_assert(Columns * Cells <= kMaxCells && Columns % 2 == 1 && Cells % 2 == 1,
                  "a grid fits the flat table and has a centre cell");
    AfGrid grid;
    grid.columns = static_cast<int>(Columns);
    grid.cells = static_cast<int>(Cells);
    for (std::size_t column = 0; column < Columns; ++column) {
        for (std::size_t cell = 0; cell < Cells; ++cell) {
            grid.numbers[column * Cells + cell] = table[column][cell];
            grid.pointCount += table[column][cell] != 0 ? 1 : 0;
        }
    }
    return grid;
}

constexpr std::array kGrids{flatten(kGrid51), flatten(kGrid39), flatten(kGrid11)};

} // namespace

std::optional<AfLayout> AfLayout::forPointCount(uint32_t afPointCount) {
    for (const AfGrid& grid : kGrids) {
        if (grid.pointCount == afPointCount) {
            return AfLayout(grid);
        }
    }
    return std::nullopt;
}

uint32_t AfLayout::pointCount() const {
    return m_grid->pointCount;
}

int AfLayout::columnReach() const {
    return m_grid->columns / 2;
}

int AfLayout::rowReach() const {
    return m_grid->cells / 2;
}

int32_t AfLayout::numberAt(int col, int row) const {
    const int column = col + columnReach();
    const int cell = row + rowReach();
    if (column < 0 || column >= m_grid->columns || cell < 0 || cell >= m_grid->cells) {
        return 0;
    }
    return m_grid->at(column, cell);
}

std::optional<AfCell> AfLayout::cellOf(int32_t number) const {
    std::optional<AfCell> found;
    for (int column = 0; column < m_grid->columns; ++column) {
        for (int cell = 0; cell < m_grid->cells; ++cell) {
            if (m_grid->at(column, cell) == number) {
                found = AfCell{column - columnReach(), cell - rowReach()};
            }
        }
    }
    return found;
}
