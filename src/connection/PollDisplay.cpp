#include "connection/PollDisplay.h"

#include "camera/CameraLink.h"
#include "camera/SourceShortcuts.h"
#include "connection/CameraClock.h"
#include "connection/CameraEventHandler.h"
#include "session/CameraSession.h"
#include "session/StatePoll.h"

namespace {

constexpr uint32_t kShutterBlinks = 1;
constexpr uint32_t kApertureBlinks = 2;

void setBold(QWidget* control, bool bold) {
    QFont font = control->font();
    if (font.bold() != bold) {
        font.setBold(bold);
        control->setFont(font);
    }
}

} // namespace

PollDisplay::PollDisplay(ShootingControls shooting, InfoPageControls info,
                         const CameraSession& session, const CameraEventHandler& events,
                         std::function<bool()> infoPageShown, std::function<QDateTime()> now)
    : m_shooting(shooting), m_info(info), m_session(session), m_events(events),
      m_infoPageShown(std::move(infoPageShown)),
      m_now(now ? std::move(now) : [] { return QDateTime::currentDateTime(); }) {}

void PollDisplay::follow(StatePoll& poll) {
    QObject::connect(&poll, &StatePoll::cameraPolled, &poll, [this](bool odd) { blink(odd); });
    QObject::connect(&poll, &StatePoll::ticked, &poll, [this] { showClocks(); });
}

void PollDisplay::blink(bool oddTick) {
    const uint32_t flags = m_events.blinkingFlags();
    setBold(m_shooting.cbShutter, oddTick && (flags & kShutterBlinks) != 0);
    setBold(m_shooting.cbAperture, oddTick && (flags & kApertureBlinks) != 0);
}

void PollDisplay::showClocks() {
    if (!m_infoPageShown || !m_infoPageShown()) {
        return;
    }
    if (m_session.connected() && m_info.lCamTimeVal) {
        m_info.lCamTimeVal->setText(
            QString::fromStdString(m_session.link().shortcuts().clockText()));
    }
    if (m_info.lPCTimeVal) {
        // Shown a little early, as the camera's clock is written a little
        // before the whole second.
        m_info.lPCTimeVal->setText(ComputerClockText(m_now().addMSecs(-kClockWriteLead_ms)));
    }
}
