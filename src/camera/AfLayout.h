#pragma once
// The camera's AF point layouts (11, 39 or 51 points), each described once
// as its grid of point numbers. The extent, which cells are points, the
// number at a cell and the cell of a number are all read from that grid, so
// the AF picture, the point the camera reports and the point the program
// sends cannot disagree.
#include <cstdint>
#include <optional>

// A cell of an AF layout as offsets from the centre cell: `col` negative to
// the left, `row` positive towards the top of the AF picture.
struct AfCell {
    int col = 0;
    int row = 0;

    bool operator==(const AfCell&) const = default;
};

// One layout's grid; defined with the tables.
struct AfGrid;

// A view of one layout's grid. Cheap to copy; the grids are static tables.
class AfLayout {
public:
    // The layout with `afPointCount` points; nullopt when no layout has that many.
    static std::optional<AfLayout> forPointCount(uint32_t afPointCount);

    uint32_t pointCount() const;
    // Columns run from -columnReach() to columnReach(), rows likewise.
    int columnReach() const;
    int rowReach() const;

    // The point number at (col, row); 0 for an empty cell or one outside the grid.
    int32_t numberAt(int col, int row) const;
    bool isPoint(int col, int row) const { return numberAt(col, row) > 0; }

    // The cell holding `number`, nullopt when none does. Several cells hold
    // only 0 (the empty ones); then the last in the grid's order wins, that
    // is the rightmost column and in it the highest row.
    std::optional<AfCell> cellOf(int32_t number) const;

private:
    explicit AfLayout(const AfGrid& grid) : m_grid(&grid) {}

    const AfGrid* m_grid;
};
