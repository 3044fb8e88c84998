#include "widgets/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {}

QImage& PaintBox::canvas() {
    if (m_canvas.size() != size()) {
        m_canvas = QImage(size(), QImage::Format_RGB32);
        m_canvas.fill(Qt::white);
    }
    return m_canvas;
}

void PaintBox::paintEvent(QPaintEvent* /*event*/) {
    if (m_canvas.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_canvas);
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->position().toPoint(), event->button());
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (held != Qt::NoModifier) {
        emit modifiedPress(event->position().toPoint(), held);
    }
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint());
}

void PaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked(event->position().toPoint());
}

void PaintBox::leaveEvent(QEvent* /*event*/) {
    emit mouseLeft();
}
