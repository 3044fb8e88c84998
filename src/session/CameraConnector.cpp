#include "session/CameraConnector.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/LogSink.h"
#include "camera/SourceShortcuts.h"
#include "session/CameraSession.h"

#include <QString>

#include <cstdio>

using namespace orv;

namespace {

std::string trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed().toStdString();
}

} // namespace

std::string ErrorCodeMessage(uint8_t code, const std::string& moduleFileName) {
    switch (code) {
    case CameraConnector::kErrorNoInternet:
        return "INTERNET: No internet access";
    case CameraConnector::kErrorCameraNotAvailable:
        return "CAMERA: Camera not available.";
    case CameraConnector::kErrorModuleMissing:
        return "DLL not found: " + moduleFileName;
    default: {
        char text[48];
        std::snprintf(text, sizeof(text), "Unknown error code [%04X].", code);
        return text;
    }
    }
}

CameraConnector::CameraConnector(CameraSession& session, LogSink& log)
    : m_session(session), m_log(log) {}

CameraLink& CameraConnector::link() const {
    return m_session.link();
}

bool CameraConnector::openModule(const std::string& name) {
    if (link().OpenCameraModule(name)) {
        return true;
    }
    m_pendingErrorCode = kErrorModuleMissing;
    reportError();
    return false;
}

bool CameraConnector::openSource(const std::string& name) {
    if (link().SelectSource(name, static_cast<uint32_t>(m_session.cameraOrdinal()))) {
        return true;
    }
    m_pendingErrorCode = kErrorCameraNotAvailable;
    reportError();
    link().CloseCameraModule();
    return false;
}

void CameraConnector::startSession() {
    SourceShortcuts& camera = link().shortcuts();
    const std::string cameraName = link().cameraName();
    const std::string lens = trimmed(camera.lensInfo());
    const std::string port = camera.text(kCapUsbSpeed);
    std::string line = "CAMERA <b>" + cameraName;
    if (!lens.empty()) {
        line += " + " + lens;
    }
    line += "</b> control started";
    if (!port.empty()) {
        line += " on <b>" + port + "</b> port";
    }
    m_log.log(line + ".");
    m_session.open(cameraName, lens);
}

bool CameraConnector::connect(const std::string& name) {
    if (!openModule(name) || !openSource(name)) {
        return false;
    }
    startSession();
    return true;
}

void CameraConnector::disconnect() {
    if (!m_session.connected()) {
        return;
    }
    link().values().setBoolean(link().CurrentSource(), kCapLockCamera, false);
    m_log.log("CAMERA <b>" + m_session.cameraName() + "</b> control stopped.");
    link().CloseCameraModule();
    // Ends the session after the module is closed, so that its followers
    // find the camera's state as the close left it.
    m_session.close();
}

void CameraConnector::reportError() {
    std::string message = ErrorCodeMessage(m_pendingErrorCode, link().ModuleFileName());
    const int32_t entryResult = link().LastEntryResult();
    if (message.rfind("CAMERA", 0) == 0 && entryResult != 0) {
        message += " (" + std::to_string(entryResult) + ")";
    }
    m_lastErrorText = message;
    m_log.elog(message);
}
