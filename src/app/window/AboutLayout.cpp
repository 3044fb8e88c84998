#include "app/window/AboutLayout.h"

namespace aboutlayout {

QPoint textPosition(const PanelSizes& s) {
    // The extra 10 pixels keep the text clear of the photo's bevel.
    const int left = (s.panelWidth + s.photoWidth + s.photoLeft - s.textWidth + 10) / 2;
    const int top = (s.panelHeight - s.textHeight) / 2;
    return {left, top};
}

QRect photoStep(int k) {
    const int corner = (7500 - 750 * k) / 100 + 25;
    const int side = 15 * k + 4;
    return {corner, corner, side, side};
}

} // namespace aboutlayout
