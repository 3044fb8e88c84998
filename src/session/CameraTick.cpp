#include "session/CameraTick.h"

#include "camera/CameraLink.h"

#include <QTimer>

CameraTick::CameraTick(QTimer& timer, const CameraLink& link, std::function<void()> work,
                       QObject* parent)
    : QObject(parent), m_link(link), m_work(std::move(work)) {
    connect(&timer, &QTimer::timeout, this, &CameraTick::tick);
}

void CameraTick::tick() {
    if (m_link.insideEntryCall()) {
        ++m_skipped;
        return;
    }
    if (m_work) {
        m_work();
    }
}
