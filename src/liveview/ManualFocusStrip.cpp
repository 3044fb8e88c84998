#include "liveview/ManualFocusStrip.h"

#include <QImage>
#include <QPainter>

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
