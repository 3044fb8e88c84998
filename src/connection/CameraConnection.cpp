#include "connection/CameraConnection.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityListDump.h"
#include "camera/CapabilityValues.h"
#include "camera/SourceShortcuts.h"
#include "log/LogModel.h"
#include "session/CameraSession.h"
#include "widgets/CameraGroupBox.h"
#include "widgets/CameraOrdinal.h"
#include "widgets/PaintBox.h"

using namespace orv;

namespace {

constexpr int kSerialChars = 7;

} // namespace

CameraConnection::CameraConnection(ConnectionContext context, QObject* parent)
    : QObject(parent), m_c(std::move(context)), m_connector(m_c.session, m_c.messages),
      m_items(m_c.session, m_c.messages,
              [logAll = m_c.camera.chLogAllDSLR] { return logAll && logAll->isChecked(); }),
      m_shooting(m_c.shooting, m_c.liveView, m_c.movie, m_c.session),
      m_buttons(m_c.shooting, m_c.focus, m_c.liveView, m_c.movie, m_c.session),
      m_fill(m_c.shooting, m_c.focus, m_c.movie, m_c.session.link(), m_shooting),
      m_events(EventHandlerContext{m_c.camera, m_c.shooting, m_c.focus, m_c.liveView, m_c.movie,
                                   m_c.session, m_c.messages, m_fill}),
      m_texts(m_c.info, m_c.session) {
    connectWidgets();
    m_texts.connectControls();
    m_shooting.connectControls();
    m_buttons.connectControls();
    connect(&m_events, &CameraEventHandler::liveViewEndedByCamera, this,
            &CameraConnection::movieReleased);
}

void CameraConnection::connectWidgets() {
    const CameraGroupControls& cam = m_c.camera;
    connect(cam.bDSLRConnect, &QPushButton::clicked, this, &CameraConnection::bDSLRConnectClick);
    connect(cam.bDSLRDisconn, &QPushButton::clicked, this, &CameraConnection::bDSLRDisconnClick);
    connect(cam.bLog, &QPushButton::clicked, this, &CameraConnection::bLogClick);
    connect(cam.cbDSLR, &QComboBox::currentIndexChanged, this, &CameraConnection::cbDSLRChange);
}

CameraLink& CameraConnection::link() const {
    return m_c.session.link();
}

std::string CameraConnection::selectedName() const {
    return m_c.camera.cbDSLR->currentText().toStdString();
}

void CameraConnection::bDSLRConnectClick() {
    if (m_c.camera.bDSLRConnect->isEnabled()) {
        const std::string name = selectedName();
        const int ordinal = ::cameraOrdinal(*m_c.camera.cbDSLR);
        const CameraIdentity identity =
            m_c.host.readIdentity(QString::fromStdString(name), ordinal);
        // A failed connect must not show the name or lens of an earlier camera.
        m_c.session.beginConnect(ordinal, {identity.serial.left(kSerialChars), identity.firmware});
        if (openModule(name) && openSource(name)) {
            startSession();
        }
        const CameraSession& session = m_c.session;
        QString info = QString::fromStdString(session.cameraName());
        if (!session.lensText().empty()) {
            info += QStringLiteral(", ") + QString::fromStdString(session.lensText());
        }
        m_c.camera.lCamInfo->setText(info);
    }
    refreshSelectorState();
}

// Loads the module for the model; when it is missing, reports it and asks
// for it to be downloaded (connecting is retried after the download).
bool CameraConnection::openModule(const std::string& name) {
    if (!m_connector.openModule(name)) {
        queueModuleDownload();
        return false;
    }
    if (m_c.camera.chLogAllDSLR->isChecked()) {
        m_c.messages.logsl(CapabilityListDump(link().ModuleObject()));
    }
    return true;
}

void CameraConnection::queueModuleDownload() {
    const QString file = QString::fromStdString(link().ModuleFileName());
    // A model the program does not know has no module file to ask for.
    if (file.isEmpty()) {
        return;
    }
    if (m_c.downloadModule && m_c.downloadModule(file)) {
        m_c.messages.log("Downloading " + file.toStdString());
    }
}

// Opens the camera's source; on failure reports it and closes the module again.
bool CameraConnection::openSource(const std::string& name) {
    m_c.camera.lAvailable->hide();
    m_c.camera.lConnecting->show();
    m_c.camera.gbDSLR->repaint();
    if (!m_connector.openSource(name)) {
        m_c.host.ShowCamPics(true);
        m_c.camera.lConnecting->hide();
        return false;
    }
    return true;
}

void CameraConnection::startSession() {
    CameraGroupControls& cam = m_c.camera;
    cam.bLog->setEnabled(true);
    cam.bDSLRDisconn->setEnabled(true);
    cam.bDSLRConnect->setEnabled(false);

    // Handlers that follow the session (image naming, camera texts) start
    // before the settings are read.
    m_connector.startSession();
    m_texts.MakeTextComps();
    m_fill.fill();
    emit settingsRead();

    cam.lConnecting->hide();
    m_c.host.ShowCamPics(false);
    cam.pDSLRctrl->show();
    cam.pLiveView->show();
    CamObject* source = link().CurrentSource();
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
        m_buttons.reset();
        cam.bDSLRConnect->setEnabled(true);
        cam.bDSLRDisconn->setEnabled(false);
        cam.pDSLRctrl->hide();
        cam.pExtraCtrl->hide();
        cam.pLiveView->hide();
        m_c.host.ShowCamPics(true);
        // Unlocks the camera, closes the module and ends the session.
        m_connector.disconnect();
        m_texts.FreeTextComps();
        m_c.host.setCameraConnected(false);
        m_c.host.FormResize();
        cam.bLog->setEnabled(false);
    }
    cam.lCamInfo->setText(QString::fromStdString(m_c.session.cameraName()));
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
    m_c.session.setDeviceIdentity(selector->currentIndex() >= 0 ? shown : CameraIdentity{});
    selector->setToolTip(name + QStringLiteral(" (Serial: ") + m_c.session.serialText() +
                         QLatin1Char(')'));
}

void CameraConnection::bLogClick() {
    m_c.host.showLogPage();
    m_c.messages.logsl(CapabilityListDump(link().CurrentSource()));
}
