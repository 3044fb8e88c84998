#include "connection/CameraEventHandler.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityNames.h"
#include "camera/CapabilityValues.h"
#include "camera/ItemLists.h"
#include "camera/SourceShortcuts.h"
#include "camera/ValueText.h"
#include "connection/ComboFill.h"
#include "connection/CompensationScale.h"
#include "connection/SettingsFill.h"
#include "log/LogModel.h"
#include "session/CameraSession.h"

#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

using namespace orv;

namespace {

const std::string kPrefix = "CAMERA Event ";
constexpr uint32_t kFlashUnavailable = 2;

std::string trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed().toStdString();
}

} // namespace

int ExposureStatusPosition(double stops) {
    const double limited = std::isnan(stops) ? 0.0 : std::clamp(stops, -5.0, 5.0);
    // Halves go to the even neighbour, as the camera's own scale rounds.
    return static_cast<int>(std::nearbyint(3.0 * limited + 15.0));
}

CameraEventHandler::CameraEventHandler(EventHandlerContext context, QObject* parent)
    : QObject(parent), m_c(context) {
    connect(&m_c.session, &CameraSession::cameraEvent, this, &CameraEventHandler::handle);
}

CameraLink& CameraEventHandler::link() const {
    return m_c.session.link();
}

bool CameraEventHandler::logAllEvents() const {
    return m_c.camera.chLogAllDSLR && m_c.camera.chLogAllDSLR->isChecked();
}

void CameraEventHandler::dslrLog(const std::string& text) {
    if (logAllEvents()) {
        m_c.messages.log(kPrefix + text);
    }
}

bool CameraEventHandler::movieMode() const {
    return m_c.movie.sbMovie && m_c.movie.sbMovie->isChecked();
}

bool CameraEventHandler::settable(uint32_t capId) const {
    return CameraLink::CapabilitySupports(link().CurrentSource(), capId, kOpSet);
}

// The low bits say what happened to the source; the full number can add a
// notice of its own on top.
void CameraEventHandler::handle(CamObject* source, const CameraEvent& event) {
    switch (event.kind) {
    case SourceEventKind::ChildAdded:
    case SourceEventKind::ChildRemoved:
        // The session's item events open, count and close items.
        break;
    case SourceEventKind::CapabilityChanged:
        capabilityChanged(source, event.datum);
        break;
    case SourceEventKind::OrphanedChildren:
        dslrLog("Orphaned children object.");
        break;
    case SourceEventKind::CapabilityValueChanged:
        valueChanged(event.datum);
        break;
    case SourceEventKind::Other:
        break;
    }
    switch (event.notice) {
    case SourceEventNotice::None:
        break;
    case SourceEventNotice::CaptureComplete:
        dslrLog("Capture complete");
        break;
    case SourceEventNotice::CardItemAdded:
        break;
    case SourceEventNotice::RecordingStoppedByError:
        dslrLog("Recording was stopped by error (0x" + HexText(event.datum, 4) + ").");
        break;
    case SourceEventNotice::Unknown:
        dslrLog("Detected unknown Event to the Source object: " + HexText(event.code, 4));
        break;
    }
}

void CameraEventHandler::capabilityChanged(CamObject* source, uint32_t capId) {
    if (!source || !link().RefreshCapabilities(source)) {
        return;
    }
    updateForList(capId);
    dslrLog("<b>" + CapabilityName(capId) + "</b> changed");
}

// A capability's description changed: its list, its operation bits.
void CameraEventHandler::updateForList(uint32_t capId) {
    ShootingControls& s = m_c.shooting;
    switch (capId) {
    case kCapShutterSpeed:
    case kCapAperture:
    case kCapSensitivity:
        // While movie mode is on these controls show the movie settings.
        if (!movieMode()) {
            m_c.settings.refresh(capId);
        }
        break;
    case kCapExposureMode:
    case kCapMeteringMode:
        m_c.settings.refresh(capId);
        (capId == kCapExposureMode ? s.cbMode : s.cbMeteringMode)->setEnabled(settable(capId));
        break;
    case kCapFlashMode:
    case kCapFocusAreaMode:
        m_c.settings.refresh(capId);
        break;
    case kCapAfMode:
        afModeChanged();
        break;
    case kCapCcdDataMode:
        s.cbCCDmode->setEnabled(settable(capId));
        break;
    case kCapLiveViewZoom:
        zoomRatesChanged();
        break;
    case kCapShutterSpeedLock:
        s.cbShutter->setEnabled(!s.cbShutter->isEnabled());
        break;
    case kCapBlinkingStatus:
        m_blinkingFlags = link().values().getUnsigned(link().CurrentSource(), capId);
        break;
    case kCapMovieSensitivity:
        if (movieMode()) {
            movieSensitivityChanged();
        }
        break;
    case kCapMovieExposureComp:
        if (movieMode()) {
            SettbExpoCorr(link(), m_c.shooting, capId);
        }
        break;
    default:
        break;
    }
}

// "MF" stays offered while the camera is locked for manual focus.
void CameraEventHandler::afModeChanged() {
    QComboBox* afMode = m_c.focus.cbAFmode;
    const uint32_t value = link().values().getUnsigned(link().CurrentSource(), kCapAfMode);
    const bool automatic = value < kManualFocusMode;
    const bool locked = m_c.shooting.sbLock && m_c.shooting.sbLock->isChecked();
    offerManualFocus(afMode, !automatic || locked);
    setComboIndex(afMode, static_cast<int>(std::min<uint32_t>(value, kManualFocusMode)));
    afMode->setEnabled(automatic);
}

void CameraEventHandler::zoomRatesChanged() {
    m_c.settings.refresh(kCapLiveViewZoom);
    setComboIndex(m_c.focus.cbLVzoom, link().shortcuts().index(kCapLiveViewZoom));
}

void CameraEventHandler::movieSensitivityChanged() {
    QComboBox* iso = m_c.shooting.cbISO;
    setComboItems(iso, LinesToItems(link().shortcuts().lines(kCapMovieSensitivity)));
    setComboIndex(iso, link().shortcuts().index(kCapMovieSensitivity));
    iso->setEnabled(settable(kCapMovieSensitivity));
}

void CameraEventHandler::valueChanged(uint32_t capId) {
    ShootingControls& s = m_c.shooting;
    switch (capId) {
    case kCapShutterSpeed:
    case kCapAperture:
    case kCapSensitivity:
        updateStillExposure(capId);
        break;
    case kCapBatteryLevel:
    case kCapCompression:
    case kCapExposureMode:
    case kCapExposureComp:
    case kCapWbMode:
    case kCapImageSize:
        m_c.settings.refresh(capId, SettingsFill::Depth::Value);
        break;
    case kCapWbTune:
        m_c.settings.refresh(kCapWbColorTemp, SettingsFill::Depth::Value);
        break;
    case kCapExposureStatus:
        exposureStatusChanged();
        break;
    case kCapLensInfo:
        lensChanged();
        break;
    case kCapRemainContinuous:
        s.lRemainPic->setText(QString::number(link().shortcuts().remainContinuous()));
        break;
    case kCapInternalFlashStatus:
        s.cbFlashMode->setEnabled(link().shortcuts().internalFlashStatus() < kFlashUnavailable);
        break;
    case kCapLiveViewStatus:
        liveViewStatusChanged();
        break;
    case kCapMovieShutterSpeed:
        selectMovieIndex(s.cbShutter, capId);
        break;
    case kCapMovieAperture:
        selectMovieIndex(s.cbAperture, capId);
        break;
    case kCapMovieSensitivity:
        selectMovieIndex(s.cbISO, capId);
        break;
    default:
        break;
    }
    logValue(capId);
}

// While movie mode is on the exposure controls hold the movie lists; a
// still setting's index would select the wrong entry there.
void CameraEventHandler::updateStillExposure(uint32_t capId) {
    if (!movieMode()) {
        m_c.settings.refresh(capId, SettingsFill::Depth::Value);
    }
}

// The other way round: outside movie mode the controls hold the still lists.
void CameraEventHandler::selectMovieIndex(QComboBox* combo, uint32_t capId) {
    if (movieMode()) {
        setComboIndex(combo, link().shortcuts().index(capId));
    }
}

void CameraEventHandler::exposureStatusChanged() {
    m_c.shooting.tbExposureStatus->setValue(
        ExposureStatusPosition(link().shortcuts().exposureStatus()));
}

// A lens without processor reports no text: only manual focus is left.
void CameraEventHandler::lensChanged() {
    const std::string lens = trimmed(link().shortcuts().lensInfo());
    QString info = QString::fromStdString(m_c.session.cameraName());
    if (!lens.empty()) {
        info += QStringLiteral(", ") + QString::fromStdString(lens);
    }
    m_c.camera.lCamInfo->setText(info);
    QComboBox* afMode = m_c.focus.cbAFmode;
    const bool withProcessor = !lens.empty();
    offerManualFocus(afMode, !withProcessor);
    const uint32_t mode = withProcessor
                              ? link().values().getUnsigned(link().CurrentSource(), kCapAfMode)
                              : static_cast<uint32_t>(kManualFocusMode);
    setComboIndex(afMode, static_cast<int>(mode));
    afMode->setEnabled(withProcessor);
    m_c.focus.bAF->setEnabled(withProcessor);
}

void CameraEventHandler::liveViewStatusChanged() {
    if (link().values().getUnsigned(link().CurrentSource(), kCapLiveViewStatus) != 0) {
        return;
    }
    const bool wasOn =
        (m_c.liveView.sbLiveView && m_c.liveView.sbLiveView->isChecked()) || movieMode();
    if (m_c.liveView.sbLiveView) {
        m_c.liveView.sbLiveView->setChecked(false);
    }
    if (m_c.movie.sbMovie) {
        m_c.movie.sbMovie->setChecked(false);
    }
    if (wasOn) {
        emit liveViewEndedByCamera();
    }
}

void CameraEventHandler::logValue(uint32_t capId) {
    if (!logAllEvents()) {
        return;
    }
    CamObject* source = link().CurrentSource();
    const CapabilityInfo* found = CameraLink::FindCapability(source, capId);
    if (!found) {
        dslrLog("<b>" + CapabilityName(capId) + ": <bl></bl></b>");
        return;
    }
    // A copy: reading the value waits on the module, which may renew the list.
    const CapabilityInfo info = *found;
    const std::string value = CapabilityValueText(source, &info);
    dslrLog("<b>" + CapabilityName(capId) + ": <bl>" + value + "</bl></b>");
}
