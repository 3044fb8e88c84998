#include "connection/ShootingHandlers.h"

#include "camera/CameraLink.h"
#include "camera/SourceShortcuts.h"
#include "connection/ComboFill.h"
#include "session/CameraSession.h"

using namespace orv;

namespace {

// Exposure modes "P", "A" and "S" let the camera correct the exposure.
constexpr int kFirstManualMode = 3;

// Writes a combo box's selection as an enumeration index; with nothing
// selected there is nothing to write.
void writeSelection(SourceShortcuts& camera, uint32_t capId, const QComboBox* combo) {
    if (combo->currentIndex() >= 0) {
        camera.setIndex(capId, static_cast<uint32_t>(combo->currentIndex()));
    }
}

} // namespace

ShootingHandlers::ShootingHandlers(ShootingControls shooting, MovieControls movie,
                                   const CameraSession& session)
    : m_shooting(shooting), m_movie(movie), m_session(session) {}

void ShootingHandlers::cbModeChange() {
    if (!m_session.connected()) {
        return;
    }
    writeSelection(m_session.link().shortcuts(), kCapExposureMode, m_shooting.cbMode);
    followExposureMode();
}

void ShootingHandlers::followExposureMode() {
    if (!m_session.connected()) {
        return;
    }
    SourceShortcuts& camera = m_session.link().shortcuts();
    setComboIndex(m_shooting.cbShutter, camera.index(kCapShutterSpeed));
    setComboIndex(m_shooting.cbAperture, camera.index(kCapAperture));
    m_shooting.tbExpoCorr->setEnabled(m_shooting.cbMode->currentIndex() < kFirstManualMode);
}

void ShootingHandlers::cbImageSizeChange() {
    if (!m_session.connected()) {
        return;
    }
    writeSelection(m_session.link().shortcuts(), kCapImageSize, m_shooting.cbImageSize);
    showImageSizeText();
}

void ShootingHandlers::showImageSizeText() {
    if (!m_session.connected()) {
        return;
    }
    const std::string text = m_session.link().shortcuts().text(kCapImageSize);
    m_shooting.cbImageSize->setToolTip(QStringLiteral("Image size setting\r\n") +
                                       QString::fromStdString(text));
}

void ShootingHandlers::tbExpoCorrChange() {
    if (!m_session.connected()) {
        return;
    }
    const bool movie = m_movie.sbMovie && m_movie.sbMovie->isChecked();
    m_session.link().shortcuts().setRangeIndex(
        movie ? kCapMovieExposureComp : kCapExposureComp,
        static_cast<uint32_t>(m_shooting.tbExpoCorr->value()));
}
