#pragma once
// The AF point picture `iFocus`: where each point of a camera's AF layout
// (camera/AfLayout.h says which (column, row) pairs are points) has its box.
// Columns count from the centre (negative left), rows from the centre
// (positive up).
#include <QRect>

class QImage;

// Whether the layout (11, 39 or 51 points) is one the picture knows.
bool HasAfLayout(int afPointCount);

// Whether (col, row) is a point of the layout; false for unknown layouts.
bool IsAfPoint(int afPointCount, int col, int row);

// Box of a point in picture pixels (width and height exclusive of the
// right and bottom edge); a null rectangle when (col, row) is not a point.
QRect AfPointRect(int afPointCount, int col, int row);

// Clears the picture to white and draws every point of the layout as an
// outlined box filled white: the chosen point black, the others silver.
// Draws nothing for an unknown layout.
void DrawAfPoints(QImage& image, int afPointCount, int chosenCol, int chosenRow);
