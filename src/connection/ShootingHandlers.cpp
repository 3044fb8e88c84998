#include "connection/ShootingHandlers.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/SourceShortcuts.h"
#include "connection/ComboFill.h"
#include "session/CameraSession.h"

using namespace orv;

namespace {

// Exposure modes "P", "A" and "S" let the camera correct the exposure.
constexpr int kFirstManualMode = 3;

bool isDown(const QToolButton* button) {
    return button && button->isChecked();
}

} // namespace

ShootingHandlers::ShootingHandlers(ShootingControls shooting, LiveViewControls liveView,
                                   MovieControls movie, const CameraSession& session)
    : m_shooting(shooting), m_liveView(liveView), m_movie(movie), m_session(session) {}

void ShootingHandlers::connectControls() {
    const ShootingControls& s = m_shooting;
    const struct {
        QComboBox* combo;
        void (ShootingHandlers::*handler)();
    } rows[] = {
        {s.cbISO, &ShootingHandlers::cbISOChange},
        {s.cbAperture, &ShootingHandlers::cbApertureChange},
        {s.cbShutter, &ShootingHandlers::cbShutterChange},
        {s.cbMode, &ShootingHandlers::cbModeChange},
        {s.cbCompression, &ShootingHandlers::cbCompressionChange},
        {s.cbImageSize, &ShootingHandlers::cbImageSizeChange},
        {s.cbWBmode, &ShootingHandlers::cbWBmodeChange},
        {s.cbColorTemp, &ShootingHandlers::cbColorTempChange},
        {s.cbCCDmode, &ShootingHandlers::cbCCDmodeChange},
        {s.cbFlashMode, &ShootingHandlers::cbFlashModeChange},
        {s.cbRAWbit, &ShootingHandlers::cbRAWbitChange},
        {s.cbMeteringMode, &ShootingHandlers::cbMeteringModeChange},
        {s.cbRawCompress, &ShootingHandlers::cbRawCompressChange},
        {s.cbJPEGCompress, &ShootingHandlers::cbJPEGCompressChange},
        {s.cbColorSpace, &ShootingHandlers::cbColorSpaceChange},
        {s.cbSlot2Mode, &ShootingHandlers::cbSlot2ModeChange},
        {s.cbPrimarySlot, &ShootingHandlers::cbPrimarySlotChange},
        {s.cbSaveMedia, &ShootingHandlers::cbSaveMediaChange},
    };
    for (const auto& row : rows) {
        if (row.combo) {
            QObject::connect(row.combo, &QComboBox::currentIndexChanged, row.combo,
                             [this, handler = row.handler] { (this->*handler)(); });
        }
    }
    if (s.tbExpoCorr) {
        QObject::connect(s.tbExpoCorr, &QSlider::valueChanged, s.tbExpoCorr,
                         [this] { tbExpoCorrChange(); });
    }
}

bool ShootingHandlers::movieMode() const {
    return isDown(m_movie.sbMovie);
}

bool ShootingHandlers::liveViewOrMovie() const {
    return isDown(m_liveView.sbLiveView) || movieMode();
}

// With nothing selected there is nothing to write.
void ShootingHandlers::writeIndex(uint32_t capId, const QComboBox* combo) {
    if (m_session.connected() && combo->currentIndex() >= 0) {
        m_session.link().shortcuts().setIndex(capId, static_cast<uint32_t>(combo->currentIndex()));
    }
}

void ShootingHandlers::writeUnsigned(uint32_t capId, const QComboBox* combo) {
    if (m_session.connected() && combo->currentIndex() >= 0) {
        CameraLink& link = m_session.link();
        link.values().setUnsigned(link.CurrentSource(), capId,
                                  static_cast<uint32_t>(combo->currentIndex()));
    }
}

void ShootingHandlers::cbISOChange() {
    writeIndex(movieMode() ? kCapMovieSensitivity : kCapSensitivity, m_shooting.cbISO);
}

void ShootingHandlers::cbApertureChange() {
    writeIndex(movieMode() ? kCapMovieAperture : kCapAperture, m_shooting.cbAperture);
}

void ShootingHandlers::cbShutterChange() {
    writeIndex(movieMode() ? kCapMovieShutterSpeed : kCapShutterSpeed, m_shooting.cbShutter);
}

void ShootingHandlers::cbModeChange() {
    if (!m_session.connected()) {
        return;
    }
    writeIndex(kCapExposureMode, m_shooting.cbMode);
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

void ShootingHandlers::cbCompressionChange() {
    writeIndex(kCapCompression, m_shooting.cbCompression);
}

void ShootingHandlers::cbImageSizeChange() {
    if (!m_session.connected()) {
        return;
    }
    writeIndex(kCapImageSize, m_shooting.cbImageSize);
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

void ShootingHandlers::cbWBmodeChange() {
    writeIndex(liveViewOrMovie() ? kCapLiveViewWbMode : kCapWbMode, m_shooting.cbWBmode);
}

void ShootingHandlers::cbColorTempChange() {
    bool isNumber = false;
    const int kelvin = m_shooting.cbColorTemp->currentText().toInt(&isNumber);
    if (m_session.connected() && isNumber) {
        m_session.link().shortcuts().setColorTemperature(kelvin);
    }
}

// The camera counts its image areas from 3.
void ShootingHandlers::cbCCDmodeChange() {
    const int area = m_shooting.cbCCDmode->currentIndex();
    if (m_session.connected() && area >= 0) {
        m_session.link().shortcuts().setCcdDataMode(static_cast<uint32_t>(area));
    }
}

void ShootingHandlers::cbFlashModeChange() {
    writeIndex(kCapFlashMode, m_shooting.cbFlashMode);
}

void ShootingHandlers::cbRAWbitChange() {
    writeUnsigned(kCapRawBitMode, m_shooting.cbRAWbit);
}

void ShootingHandlers::cbMeteringModeChange() {
    writeUnsigned(kCapMeteringMode, m_shooting.cbMeteringMode);
}

void ShootingHandlers::cbRawCompressChange() {
    writeUnsigned(kCapRawCompressEx, m_shooting.cbRawCompress);
}

void ShootingHandlers::cbJPEGCompressChange() {
    writeUnsigned(kCapJpegCompressionPolicy, m_shooting.cbJPEGCompress);
}

void ShootingHandlers::cbColorSpaceChange() {
    writeUnsigned(kCapImageColorSpace, m_shooting.cbColorSpace);
}

void ShootingHandlers::cbSlot2ModeChange() {
    writeUnsigned(kCapSlot2SaveMode, m_shooting.cbSlot2Mode);
}

// In movie mode the primary slot choice says where movies are recorded.
void ShootingHandlers::cbPrimarySlotChange() {
    writeUnsigned(movieMode() ? kCapMovieDestination : kCapPrimarySlot, m_shooting.cbPrimarySlot);
}

void ShootingHandlers::cbSaveMediaChange() {
    writeUnsigned(kCapSaveMedia, m_shooting.cbSaveMedia);
}

void ShootingHandlers::tbExpoCorrChange() {
    if (!m_session.connected()) {
        return;
    }
    m_session.link().shortcuts().setRangeIndex(
        movieMode() ? kCapMovieExposureComp : kCapExposureComp,
        static_cast<uint32_t>(m_shooting.tbExpoCorr->value()));
}
