#pragma once
// Where the about text goes on the About page's top panel: centred in the
// part of the panel beside the photo.
#include <QPoint>

namespace aboutlayout {

struct PanelSizes {
    int panelWidth = 0;
    int panelHeight = 0;
    int photoLeft = 0;
    int photoWidth = 0;
    int textWidth = 0;
    int textHeight = 0;
};

// Top-left corner of the about text; divisions round towards zero.
QPoint textPosition(const PanelSizes& sizes);

} // namespace aboutlayout
