#include "camera/FocusPointGrid.h"

#include "camera/AfLayout.h"

bool FocusPointGrid(uint32_t afPointCount, int32_t number, int& horizontal, int& vertical) {
    const std::optional<AfLayout> layout = AfLayout::forPointCount(afPointCount);
    const std::optional<AfCell> cell = layout ? layout->cellOf(number) : std::nullopt;
    if (!cell) {
        return false;
    }
    horizontal = cell->col;
    vertical = cell->row;
    return true;
}
