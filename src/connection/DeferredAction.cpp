#include "connection/DeferredAction.h"

#include <QTimer>

namespace {

constexpr int kDesignInterval_ms = 100;

} // namespace

DeferredAction::DeferredAction(QTimer* timer, QObject* parent) : QObject(parent), m_timer(timer) {
    if (!m_timer) {
        m_timer = new QTimer(this); // owned through the Qt object tree
        m_timer->setInterval(kDesignInterval_ms);
    }
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &DeferredAction::TimerTimer);
}

void DeferredAction::arm(Action action, int delay_ms) {
    m_action = action;
    m_timer->setInterval(delay_ms);
    m_timer->start();
}

void DeferredAction::TimerTimer() {
    m_timer->stop();
    switch (m_action) {
    case Action::Connect:
        if (m_connect) {
            m_connect();
        }
        break;
    case Action::ClosePreview:
        if (m_closePreview) {
            m_closePreview();
        }
        break;
    case Action::None:
        break;
    }
}
