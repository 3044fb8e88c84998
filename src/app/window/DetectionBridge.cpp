#include "app/window/DetectionBridge.h"

#include "app/window/CamPictures.h"
#include "connection/CameraConnection.h"
#include "connection/DeferredAction.h"
#include "session/CameraSession.h"

#include <QCheckBox>
#include <QPushButton>

void DetectionBridge::setConnectEnabled(bool enabled) {
    m_t.bDSLRConnect.setEnabled(enabled);
}

void DetectionBridge::LoadCamPics(const std::string& model) {
    m_t.pictures.LoadCamPics(QString::fromStdString(model));
}

bool DetectionBridge::autoConnectChecked() const {
    return m_t.chDSLRAutoConnect.isChecked();
}

void DetectionBridge::armAutoConnect(int delay_ms) {
    m_t.deferred.arm(DeferredAction::Action::Connect, delay_ms);
}

bool DetectionBridge::isConnected() const {
    return m_t.connection.session().connected();
}

std::string DetectionBridge::connectedCameraName() const {
    return m_t.connection.session().cameraName();
}

void DetectionBridge::bDSLRDisconnClick() {
    m_t.connection.bDSLRDisconnClick();
}
