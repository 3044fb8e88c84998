#include "connection/CameraConnection.h"

#include "app/widgets/CameraGroupBox.h"
#include "app/widgets/CameraOrdinal.h"
#include "app/widgets/PaintBox.h"
#include "camera/CameraLink.h"
#include "camera/CapabilityListDump.h"
#include "camera/CapabilityValues.h"
#include "camera/SourceShortcuts.h"
#include "liveview/ManualFocusStrip.h"
#include "log/MessageLog.h"
#include "web/RequestQueue.h"

#include <QDir>

#include <cstdio>

using namespace orv;

namespace {

constexpr int kSerialChars = 7;

std::string trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed().toStdString();
}

} // namespace

std::string ErrorCodeMessage(uint8_t code, const std::string& moduleFileName) {
    switch (code) {
    case CameraConnection::kErrorNoInternet:
        return "INTERNET: No internet access";
    case CameraConnection::kErrorCameraNotAvailable:
        return "CAMERA: Camera not available.";
    case CameraConnection::kErrorModuleMissing:
        return "DLL not found: " + moduleFileName;
    default: {
        char text[48];
        std::snprintf(text, sizeof(text), "Unknown error code [%04X].", code);
        return text;
    }
    }
}

CameraConnection::CameraConnection(ConnectionContext context, QObject* parent)
    : QObject(parent), m_c(std::move(context)),
      m_shooting(m_c.shooting, m_c.movie, m_c.link, m_connected),
      m_fill(m_c.shooting, m_c.focus, m_c.movie, m_c.link, m_shooting),
      m_focusPoint(m_c.focus.iFocus, m_c.link, m_connected) {
    connectWidgets();
}

void CameraConnection::connectWidgets() {
    const CameraGroupControls& cam = m_c.camera;
    connect(cam.bDSLRConnect, &QPushButton::clicked, this, &CameraConnection::bDSLRConnectClick);
    connect(cam.bDSLRDisconn, &QPushButton::clicked, this, &CameraConnection::bDSLRDisconnClick);
    connect(cam.bLog, &QPushButton::clicked, this, &CameraConnection::bLogClick);
    connect(cam.cbDSLR, &QComboBox::currentIndexChanged, this, &CameraConnection::cbDSLRChange);
    const ShootingControls& s = m_c.shooting;
    connect(s.cbMode, &QComboBox::currentIndexChanged, this, &CameraConnection::cbModeChange);
    connect(s.cbImageSize, &QComboBox::currentIndexChanged, this,
            &CameraConnection::cbImageSizeChange);
    connect(s.tbExpoCorr, &QSlider::valueChanged, this, &CameraConnection::tbExpoCorrChange);
}

std::string CameraConnection::selectedName() const {
    return m_c.camera.cbDSLR->currentText().toStdString();
}

void CameraConnection::bDSLRConnectClick() {
    if (m_c.camera.bDSLRConnect->isEnabled()) {
        m_cameraName = kNoCamera;
        m_connected = false;
        // A failed connect must not show the lens of an earlier camera.
        m_lensText.clear();
        const std::string name = selectedName();
        m_cameraOrdinal = ::cameraOrdinal(*m_c.camera.cbDSLR);
        const CameraIdentity identity =
            m_c.host.readIdentity(QString::fromStdString(name), m_cameraOrdinal);
        m_serialText = identity.serial.left(kSerialChars);
        m_firmwareText = identity.firmware;
        if (openModule(name) && openSource(name)) {
            startSession();
        }
        QString info = QString::fromStdString(m_cameraName);
        if (!m_lensText.empty()) {
            info += QStringLiteral(", ") + QString::fromStdString(m_lensText);
        }
        m_c.camera.lCamInfo->setText(info);
    }
    refreshSelectorState();
}

// Loads the module for the model; when it is missing, reports it and asks
// for it to be downloaded (connecting is retried after the download).
bool CameraConnection::openModule(const std::string& name) {
    if (!m_c.link.OpenCameraModule(name)) {
        m_pendingErrorCode = kErrorModuleMissing;
        reportError();
        queueModuleDownload();
        return false;
    }
    if (m_c.camera.chLogAllDSLR->isChecked()) {
        m_c.messages.logsl(CapabilityListDump(m_c.link.ModuleObject()));
    }
    return true;
}

void CameraConnection::queueModuleDownload() {
    const QString file = QString::fromStdString(m_c.link.ModuleFileName());
    // A model the program does not know has no module file to ask for.
    if (file.isEmpty()) {
        return;
    }
    HtmlRequest request;
    request.url = m_c.webBase + QStringLiteral("down/") + file;
    request.fileName = QDir::current().absoluteFilePath(file);
    request.BinaryData = true;
    request.isFile = true;
    request.kind = RequestKind::ModuleFile;
    m_c.requests.AddHTMLque(request);
    m_c.messages.log("Downloading " + file.toStdString());
}

// Opens the camera's source; on failure reports it and closes the module again.
bool CameraConnection::openSource(const std::string& name) {
    m_c.camera.lAvailable->hide();
    m_c.camera.lConnecting->show();
    m_c.camera.gbDSLR->repaint();
    m_connected = m_c.link.SelectSource(name, static_cast<uint32_t>(m_cameraOrdinal));
    if (!m_connected) {
        m_pendingErrorCode = kErrorCameraNotAvailable;
        reportError();
        m_c.link.CloseCameraModule();
        m_c.host.ShowCamPics(true);
        m_c.camera.lConnecting->hide();
        return false;
    }
    m_cameraName = m_c.link.cameraName();
    return true;
}

void CameraConnection::startSession() {
    CameraGroupControls& cam = m_c.camera;
    cam.bLog->setEnabled(true);
    cam.bDSLRDisconn->setEnabled(true);
    cam.bDSLRConnect->setEnabled(false);

    SourceShortcuts& camera = m_c.link.shortcuts();
    m_lensText = trimmed(camera.lensInfo());
    const std::string port = camera.text(kCapUsbSpeed);
    std::string line = "CAMERA <b>" + m_cameraName;
    if (!m_lensText.empty()) {
        line += " + " + m_lensText;
    }
    line += "</b> control started";
    if (!port.empty()) {
        line += " on <b>" + port + "</b> port";
    }
    m_c.messages.log(line + ".");

    emit connectionStarted();
    m_fill.fill();
    m_focusPoint.readFromCamera();
    m_focusPoint.setAf();
    if (PaintBox* strip = m_c.focus.iContrastAF) {
        DrawManualFocusStrip(strip->canvas());
        strip->update();
    }

    cam.lConnecting->hide();
    m_c.host.ShowCamPics(false);
    cam.pDSLRctrl->show();
    cam.pLiveView->show();
    CamObject* source = m_c.link.CurrentSource();
    m_c.liveView.sbLiveView->setEnabled(
        CameraLink::CapabilitySupports(source, kCapLiveViewStatus, kOpSet));
    m_c.movie.sbMovie->setEnabled(
        CameraLink::CapabilitySupports(source, kCapMovieScreenSize, kOpGet));
    m_c.host.setCameraConnected(true);
    m_c.host.FormResize();
}

void CameraConnection::bDSLRDisconnClick() {
    CameraGroupControls& cam = m_c.camera;
    if (cam.bDSLRDisconn->isEnabled()) {
        // Live view and movie mode end before the camera is unlocked.
        if (m_c.liveView.sbLiveView->isChecked()) {
            m_c.liveView.sbLiveView->setChecked(false);
            emit liveViewReleased();
        }
        if (m_c.movie.sbMovie->isChecked()) {
            m_c.movie.sbMovie->setChecked(false);
            emit movieReleased();
        }
        m_c.link.values().setBoolean(m_c.link.CurrentSource(), kCapLockCamera, false);
        cam.bDSLRConnect->setEnabled(true);
        cam.bDSLRDisconn->setEnabled(false);
        cam.pDSLRctrl->hide();
        cam.pExtraCtrl->hide();
        cam.pLiveView->hide();
        m_c.host.ShowCamPics(true);
        m_c.messages.log("CAMERA <b>" + m_cameraName + "</b> control stopped.");
        m_cameraName = kNoCamera;
        m_connected = false;
        m_c.host.setCameraConnected(false);
        m_c.link.CloseCameraModule();
        emit connectionStopped();
        m_c.host.FormResize();
        cam.bLog->setEnabled(false);
    }
    cam.lCamInfo->setText(QString::fromStdString(m_cameraName));
    refreshSelectorState();
}

// The camera cannot be changed while a connection is open.
void CameraConnection::refreshSelectorState() {
    m_c.camera.cbDSLR->setEnabled(m_c.camera.bDSLRConnect->isEnabled());
}

void CameraConnection::cbDSLRChange() {
    QComboBox* selector = m_c.camera.cbDSLR;
    const QString name = selector->currentText();
    // The pictures read the device identity already; it is not asked twice.
    const CameraIdentity shown = m_c.host.LoadCamPics(name);
    if (selector->currentIndex() >= 0) {
        m_serialText = shown.serial;
        m_firmwareText = shown.firmware;
    } else {
        m_serialText.clear();
        m_firmwareText.clear();
    }
    selector->setToolTip(name + QStringLiteral(" (Serial: ") + m_serialText + QLatin1Char(')'));
}

void CameraConnection::bLogClick() {
    m_c.host.showLogPage();
    m_c.messages.logsl(CapabilityListDump(m_c.link.CurrentSource()));
}

void CameraConnection::cbModeChange() {
    m_shooting.cbModeChange();
}

void CameraConnection::cbImageSizeChange() {
    m_shooting.cbImageSizeChange();
}

void CameraConnection::tbExpoCorrChange() {
    m_shooting.tbExpoCorrChange();
}

void CameraConnection::reportError() {
    std::string message = ErrorCodeMessage(m_pendingErrorCode, m_c.link.ModuleFileName());
    const int32_t entryResult = m_c.link.LastEntryResult();
    if (message.rfind("CAMERA", 0) == 0 && entryResult != 0) {
        message += " (" + std::to_string(entryResult) + ")";
    }
    m_lastErrorText = message;
    m_c.messages.elog(message);
}
