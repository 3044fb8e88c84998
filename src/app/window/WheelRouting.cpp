#include "app/window/WheelRouting.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

namespace {
constexpr int kDeltaPerLine = 60;
} // namespace

WheelRouting::WheelRouting(QWidget& window, Controls controls, QObject* parent)
    : QObject(parent), m_window(window), m_c(controls) {
    qApp->installEventFilter(this);
}

int WheelRouting::changelogLines(int delta) {
    const int lines = (delta < 0 ? -delta : delta) / kDeltaPerLine;
    return delta > 0 ? lines : -lines;
}

bool WheelRouting::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !watched->isWidgetType()) {
        return false;
    }
    auto* receiver = static_cast<QWidget*>(watched);
    if (receiver->window() != &m_window) {
        return false;
    }
    // Qt addresses a wheel event to the control under the pointer (and then
    // to its parents while none takes it), so the receiver is that control.
    return route(receiver, static_cast<const QWheelEvent&>(*event));
}

bool WheelRouting::route(QWidget* receiver, const QWheelEvent& wheel) {
    if (receiver == m_c.tsAbout || m_c.tsAbout->isAncestorOf(receiver)) {
        QScrollBar* bar = m_c.mChangelog->verticalScrollBar();
        bar->setValue(bar->value() - changelogLines(wheel.angleDelta().y()));
        return true;
    }
    if (receiver != m_c.gbPreview && receiver != m_c.pbLiveView) {
        return false;
    }
    const QPointF local = m_c.cbLVzoom->mapFromGlobal(wheel.globalPosition());
    QWheelEvent zoom(local, wheel.globalPosition(), wheel.pixelDelta(), wheel.angleDelta(),
                     wheel.buttons(), wheel.modifiers(), wheel.phase(), wheel.inverted());
    QApplication::sendEvent(m_c.cbLVzoom, &zoom);
    return true;
}
