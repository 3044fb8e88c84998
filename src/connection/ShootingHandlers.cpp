#include "connection/ShootingHandlers.h"

#include "camera/CameraLink.h"
#include "camera/SourceShortcuts.h"
#include "connection/ComboFill.h"

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

ShootingHandlers::ShootingHandlers(ShootingControls shooting, MovieControls movie, CameraLink& link,
                                   const bool& connected)
    : m_shooting(shooting), m_movie(movie), m_link(link), m_connected(connected) {}

void ShootingHandlers::cbModeChange() {
    if (!m_connected) {
        return;
    }
    SourceShortcuts& camera = m_link.shortcuts();
    writeSelection(camera, kCapExposureMode, m_shooting.cbMode);
    setComboIndex(m_shooting.cbShutter, camera.index(kCapShutterSpeed));
    setComboIndex(m_shooting.cbAperture, camera.index(kCapAperture));
    m_shooting.tbExpoCorr->setEnabled(m_shooting.cbMode->currentIndex() < kFirstManualMode);
}

void ShootingHandlers::cbImageSizeChange() {
    if (!m_connected) {
        return;
    }
    SourceShortcuts& camera = m_link.shortcuts();
    writeSelection(camera, kCapImageSize, m_shooting.cbImageSize);
    m_shooting.cbImageSize->setToolTip(QStringLiteral("Image size setting\r\n") +
                                       QString::fromStdString(camera.text(kCapImageSize)));
}

void ShootingHandlers::tbExpoCorrChange() {
    if (!m_connected) {
        return;
    }
    const bool movie = m_movie.sbMovie && m_movie.sbMovie->isChecked();
    m_link.shortcuts().setRangeIndex(movie ? kCapMovieExposureComp : kCapExposureComp,
                                     static_cast<uint32_t>(m_shooting.tbExpoCorr->value()));
}
