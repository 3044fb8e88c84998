#include "liveview/AfPointDrawing.h"

#include <QImage>
#include <QPainter>

#include <cstdlib>

namespace {

const QColor kChosenPen(0x00, 0x00, 0x00);
const QColor kOtherPen(0xC0, 0xC0, 0xC0);

// Rows reach one step further up and down in the centre columns (11, 39)
// or everywhere but the outermost columns (51).
int rowReach(int afPointCount, int col) {
    const int distance = std::abs(col);
    switch (afPointCount) {
    case 11:
        return distance <= 1 ? 1 : 0;
    case 39:
        return distance <= 1 ? 2 : 1;
    case 51:
        return distance <= 4 ? 2 : 1;
    default:
        return -1;
    }
}

int columnReach(int afPointCount) {
    return afPointCount == 11 ? 2 : 5;
}

// i: column from the left, j: row from the top.
QRect rect11(int i, int j) {
    if (i == 2) {
        const int top = j == 0 ? 1 : 17 * j;
        return QRect(11 + 16 * i, top, 9, j == 1 ? 9 : 7);
    }
    const int left = i < 2 ? 14 + 14 * i : 19 + 14 * i;
    return QRect(left, 5 + 12 * j, 7, 9);
}

QRect rect39(int i, int j) {
    const bool centre = i >= 4 && i <= 6;
    return QRect(8 * i + 4, centre ? 9 * j : 11 * j - 4, 6, 6);
}

QRect rect51(int i, int j) {
    if (i <= 3) {
        return QRect(4 + 8 * i, 2 + 8 * j, 6, 5);
    }
    if (i <= 6) {
        return QRect(9 * i, 9 * j, 7, 6);
    }
    return QRect(7 + 8 * i, 2 + 8 * j, 6, 5);
}

// An outlined box covering exactly `box` (Qt strokes one pixel beyond a
// rectangle's size, so the outline is drawn one smaller).
void drawBox(QPainter& painter, const QRect& box, const QColor& pen) {
    painter.fillRect(box, Qt::white);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

} // namespace

bool HasAfLayout(int afPointCount) {
    return afPointCount == 11 || afPointCount == 39 || afPointCount == 51;
}

bool IsAfPoint(int afPointCount, int col, int row) {
    if (!HasAfLayout(afPointCount) || std::abs(col) > columnReach(afPointCount)) {
        return false;
    }
    return std::abs(row) <= rowReach(afPointCount, col);
}

QRect AfPointRect(int afPointCount, int col, int row) {
    if (!IsAfPoint(afPointCount, col, row)) {
        return {};
    }
    if (afPointCount == 11) {
        return rect11(col + 2, 1 - row);
    }
    const int i = col + 5;
    const int j = 2 - row;
    return afPointCount == 39 ? rect39(i, j) : rect51(i, j);
}

void DrawAfPoints(QImage& image, int afPointCount, int chosenCol, int chosenRow) {
    if (!HasAfLayout(afPointCount) || image.isNull()) {
        return;
    }
    // A picture left from a camera of another layout must not show through.
    image.fill(Qt::white);
    QPainter painter(&image);
    const int columns = columnReach(afPointCount);
    for (int col = -columns; col <= columns; ++col) {
        const int rows = rowReach(afPointCount, col);
        for (int row = -rows; row <= rows; ++row) {
            const bool chosen = col == chosenCol && row == chosenRow;
            drawBox(painter, AfPointRect(afPointCount, col, row), chosen ? kChosenPen : kOtherPen);
        }
    }
}
