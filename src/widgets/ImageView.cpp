#include "widgets/ImageView.h"

#include <QPainter>

ImageView::ImageView(QWidget* parent) : QWidget(parent) {}

void ImageView::setImage(QImage image) {
    m_image = std::move(image);
    update();
    emit imageChanged();
}

void ImageView::setOverlay(QImage overlay) {
    m_overlay = std::move(overlay);
    update();
}

QRect ImageView::fittedRect(QSize picture, QSize area) {
    if (picture.isEmpty() || area.isEmpty()) {
        return {};
    }
    const QSize scaled = picture.scaled(area, Qt::KeepAspectRatio);
    return {QPoint((area.width() - scaled.width()) / 2, (area.height() - scaled.height()) / 2),
            scaled};
}

void ImageView::paintEvent(QPaintEvent* /*event*/) {
    const QRect target = fittedRect(m_image.size(), size());
    if (target.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image);
    constexpr int kMargin = 4;
    if (!m_overlay.isNull()) {
        painter.drawImage(target.left() + kMargin,
                          target.bottom() + 1 - kMargin - m_overlay.height(), m_overlay);
    }
}
