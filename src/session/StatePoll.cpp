#include "session/StatePoll.h"

#include "camera/CameraLink.h"
#include "camera/LogSink.h"
#include "session/CameraSession.h"
#include "session/CameraTick.h"

#include <QTimer>

StatePoll::StatePoll(QTimer& tCamSync, CameraSession& session, LogSink& log, QObject* parent)
    : QObject(parent), m_timer(tCamSync), m_session(session), m_log(log),
      m_gate(std::make_unique<CameraTick>(tCamSync, session.link(), [this] { tCamSyncTimer(); })) {
    connect(&m_session, &CameraSession::closed, this, [this] { m_idleFailing = false; });
}

StatePoll::~StatePoll() = default;

int StatePoll::skippedTicks() const {
    return m_gate->skippedTicks();
}

void StatePoll::tCamSyncTimer() {
    ++m_ticks;
    if (m_ticks % 2 == 1) {
        ++m_lvSeconds;
    }
    if (m_session.connected()) {
        pollCamera();
    }
    ++m_halfSecondTicks;
    emit ticked();
}

// The timer rests while the module works: a transfer lets the window run,
// and no second tick may start inside it.
void StatePoll::pollCamera() {
    const bool wasRunning = m_timer.isActive();
    m_timer.stop();
    CameraLink& link = m_session.link();
    reportIdle(link.CurrentSource() && link.IdlePump(link.CurrentSource()));
    if (m_session.connected() && m_session.pendingItemCount() > 0 && m_fetcher) {
        m_fetcher->DownloadNewImages();
    }
    emit cameraPolled(m_ticks % 2 == 1);
    if (wasRunning) {
        m_timer.start();
    }
}

// A camera that stops answering is said once, not every half second; the
// unplug handling ends the connection when the cable is gone.
void StatePoll::reportIdle(bool answered) {
    if (!answered && !m_idleFailing) {
        m_log.elog("CAMERA: The camera does not answer.");
    } else if (answered && m_idleFailing) {
        m_log.log("CAMERA: The camera answers again.");
    }
    m_idleFailing = !answered;
}
