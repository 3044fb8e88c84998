#include "liveview/ManualFocusStrip.h"

#include <QImage>
#include <QPainter>

#include <cstdlib>

namespace {

constexpr uint32_t kFastPerPixel = 23;
constexpr uint32_t kFinePerPixel = 3;

// Pixel 0 is the outline; a click there drives as one on the first pixel inside.
int clickColumn(int x) {
    return x == 0 ? 1 : x;
}

// Fills (left, top) to (right, bottom), right and bottom exclusive.
void fill(QPainter& painter, int left, int top, int right, int bottom, const QColor& colour) {
    if (right > left && bottom > top) {
        painter.fillRect(QRect(left, top, right - left, bottom - top), colour);
    }
}

} // namespace

std::optional<ManualFocusDrive> ManualFocusDriveAt(int x, int width, Qt::MouseButton button) {
    const int column = clickColumn(x);
    const int centre = width / 2;
    if (column == centre) {
        return std::nullopt;
    }
    const uint32_t perPixel = button == Qt::RightButton ? kFinePerPixel : kFastPerPixel;
    return ManualFocusDrive{perPixel * static_cast<uint32_t>(std::abs(column - centre)),
                            column < centre ? 0u : 1u};
}

void DrawManualFocusStrip(QImage& image) {
    if (image.isNull()) {
        return;
    }
    const int width = image.width();
    const int height = image.height();
    const int half = width / 2;
    QPainter painter(&image);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(Qt::white);
    // Both boxes share the centre column; right and bottom edges exclusive,
    // and Qt strokes one pixel beyond a rectangle's size.
    painter.drawRect(QRect(0, 0, half + 1, height).adjusted(0, 0, -1, -1));
    painter.drawRect(QRect(half, 0, width - half, height).adjusted(0, 0, -1, -1));
}

// The outline and the centre column stay as the empty strip drew them; so
// does the clicked column itself right of the centre, which neither the bar
// nor the clearing reaches.
void DrawManualFocusBar(QImage& image, int x) {
    if (image.isNull()) {
        return;
    }
    const int column = clickColumn(x);
    const int width = image.width();
    const int bottom = image.height() - 1;
    const int centre = width / 2;
    if (column == centre) {
        return;
    }
    const QColor green(0x00, 0xFF, 0x00);
    QPainter painter(&image);
    if (column < centre) {
        fill(painter, column, 1, centre, bottom, green);
        if (column > 1) {
            fill(painter, 1, 1, column, bottom, Qt::white);
        }
        fill(painter, centre + 1, 1, width - 1, bottom, Qt::white);
    } else {
        fill(painter, centre + 1, 1, column, bottom, green);
        fill(painter, 1, 1, centre, bottom, Qt::white);
        if (column < width - 1) {
            fill(painter, column + 1, 1, width - 1, bottom, Qt::white);
        }
    }
}
