#include "connection/CaptureButtons.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/SourceShortcuts.h"
#include "connection/ComboFill.h"
#include "session/CameraSession.h"

using namespace orv;

namespace {

bool isDown(const QToolButton* button) {
    return button && button->isChecked();
}

} // namespace

CaptureButtons::CaptureButtons(ShootingControls shooting, FocusControls focus,
                               LiveViewControls liveView, MovieControls movie,
                               const CameraSession& session)
    : m_shooting(shooting), m_focus(focus), m_liveView(liveView), m_movie(movie),
      m_session(session) {}

void CaptureButtons::connectControls() {
    if (m_shooting.bExpo) {
        QObject::connect(m_shooting.bExpo, &QPushButton::clicked, m_shooting.bExpo,
                         [this] { bExpoClick(); });
    }
    if (m_focus.bAF) {
        QObject::connect(m_focus.bAF, &QPushButton::clicked, m_focus.bAF, [this] { bAFClick(); });
    }
    if (m_shooting.sbLock) {
        QObject::connect(m_shooting.sbLock, &QToolButton::clicked, m_shooting.sbLock,
                         [this] { sbLockClick(); });
    }
}

void CaptureButtons::bExpoClick() {
    if (!m_session.connected()) {
        return;
    }
    if (m_shooting.cbShutter->currentText() != QLatin1String(kBulb)) {
        m_session.link().shortcuts().capture();
    } else if (!m_captureFlag) {
        startBulb();
    } else {
        endBulb();
    }
    showBulbState();
}

// The camera is locked while the shutter stays open, so that its own
// controls cannot end the exposure by accident.
void CaptureButtons::startBulb() {
    CameraLink& link = m_session.link();
    link.values().setBoolean(link.CurrentSource(), kCapLockCamera, true);
    m_captureFlag = link.shortcuts().capture();
}

// A terminate that fails leaves the flag set: the next click tries again.
void CaptureButtons::endBulb() {
    CameraLink& link = m_session.link();
    link.shortcuts().terminateCapture(m_captureFlag);
    link.values().setBoolean(link.CurrentSource(), kCapLockCamera, false);
}

// Nothing else tells the user that the shutter is open.
void CaptureButtons::showBulbState() {
    QPushButton* expo = m_shooting.bExpo;
    expo->setText(m_captureFlag ? QStringLiteral("End") : QStringLiteral("Expo"));
    expo->setToolTip(m_captureFlag ? QStringLiteral("Bulb exposure running: click to end it")
                                   : QStringLiteral("Expo with AF"));
}

void CaptureButtons::reset() {
    m_captureFlag = false;
    if (m_shooting.bExpo) {
        showBulbState();
    }
}

// In live view the camera focuses by contrast; the live view loop enables
// the button again once the camera reports that focusing has ended.
void CaptureButtons::bAFClick() {
    if (!m_session.connected()) {
        return;
    }
    const bool liveView = isDown(m_liveView.sbLiveView);
    m_session.link().shortcuts().autoFocus(liveView);
    if (liveView || isDown(m_movie.sbMovie)) {
        m_focus.bAF->setEnabled(false);
    }
}

void CaptureButtons::sbLockClick() {
    if (!m_session.connected()) {
        return;
    }
    CameraLink& link = m_session.link();
    QComboBox* afMode = m_focus.cbAFmode;
    const bool locked = m_shooting.sbLock->isChecked();
    link.values().setBoolean(link.CurrentSource(), kCapLockCamera, locked);
    offerManualFocus(afMode, locked);
    if (!locked) {
        setComboIndex(
            afMode, static_cast<int>(link.values().getUnsigned(link.CurrentSource(), kCapAfMode)));
    }
}
