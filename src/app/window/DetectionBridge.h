#pragma once
// The main window as camera detection sees it: the Start button, the model
// pictures, the "Auto" tick, the deferred-action timer and the camera
// connection. Keeps TfMain itself free of the detection interface.
#include "app/DetectionHost.h"

class CamPictures;
class CameraConnection;
class DeferredAction;
class QCheckBox;
class QPushButton;

class DetectionBridge final : public DetectionHost {
public:
    // Everything it forwards to (not owned; the window owns all of it).
    struct Targets {
        QPushButton& bDSLRConnect;
        QCheckBox& chDSLRAutoConnect;
        CamPictures& pictures;
        DeferredAction& deferred;
        CameraConnection& connection;
    };

    explicit DetectionBridge(Targets targets) : m_t(targets) {}

    void setConnectEnabled(bool enabled) override;
    void LoadCamPics(const std::string& model) override;
    bool autoConnectChecked() const override;
    void armAutoConnect(int delay_ms) override;
    bool isConnected() const override;
    std::string connectedCameraName() const override;
    void bDSLRDisconnClick() override;

private:
    Targets m_t;
};
