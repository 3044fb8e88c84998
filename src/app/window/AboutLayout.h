#pragma once
// Where the about text goes on the About page's top panel: centred in the
// part of the panel beside the photo.
#include <QPoint>
#include <QRect>

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

// Steps of the photo's shrink and grow; k runs 10 to 1 and back to 10.
constexpr int kPhotoSteps = 10;
// The photo panel at step k: a square of 15k + 4 pixels whose corner moves
// towards the middle as it shrinks, (7500 - 750k) / 100 + 25 from the top
// left (rounded towards zero). Step 10 is the photo's own place.
QRect photoStep(int k);

} // namespace aboutlayout
