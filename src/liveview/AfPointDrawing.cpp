#include "liveview/AfPointDrawing.h"

#include "camera/AfLayout.h"

#include <QImage>
#include <QPainter>

#include <optional>

namespace {

const QColor kChosenPen(0x00, 0x00, 0x00);
const QColor kOtherPen(0xC0, 0xC0, 0xC0);

// Negative counts match no layout.
std::optional<AfLayout> layoutOf(int afPointCount) {
    return AfLayout::forPointCount(static_cast<uint32_t>(afPointCount));
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

// Box of a point of `layout`; the picture puts the highest row at the top.
QRect pointBox(const AfLayout& layout, int col, int row) {
    if (!layout.isPoint(col, row)) {
        return {};
    }
    const int i = col + layout.columnReach();
    const int j = layout.rowReach() - row;
    switch (layout.pointCount()) {
    case 11:
        return rect11(i, j);
    case 39:
        return rect39(i, j);
    case 51:
        return rect51(i, j);
    default:
        return {};
    }
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
    return layoutOf(afPointCount).has_value();
}

bool IsAfPoint(int afPointCount, int col, int row) {
    const std::optional<AfLayout> layout = layoutOf(afPointCount);
    return layout && layout->isPoint(col, row);
}

QRect AfPointRect(int afPointCount, int col, int row) {
    const std::optional<AfLayout> layout = layoutOf(afPointCount);
    return layout ? pointBox(*layout, col, row) : QRect();
}

void DrawAfPoints(QImage& image, int afPointCount, int chosenCol, int chosenRow) {
    const std::optional<AfLayout> layout = layoutOf(afPointCount);
    if (!layout || image.isNull()) {
        return;
    }
    // A picture left from a camera of another layout must not show through.
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int col = -layout->columnReach(); col <= layout->columnReach(); ++col) {
        for (int row = -layout->rowReach(); row <= layout->rowReach(); ++row) {
            if (layout->isPoint(col, row)) {
                const bool chosen = col == chosenCol && row == chosenRow;
                drawBox(painter, pointBox(*layout, col, row), chosen ? kChosenPen : kOtherPen);
            }
        }
    }
}
