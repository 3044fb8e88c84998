#pragma once
// The camera connection as the user sees it: Start and Stop, the camera
// selector, the capability-log button, and the error report that tells the
// user why a connection failed. The steps without widgets (module, source,
// session, the items the camera announces) are the windowless program's
// own objects; this class adds the widgets around them.
#include "connection/CameraEventHandler.h"
#include "connection/CameraTexts.h"
#include "connection/CaptureButtons.h"
#include "connection/ConnectionHost.h"
#include "connection/SettingsFill.h"
#include "connection/ShootingHandlers.h"
#include "session/CameraConnector.h"
#include "session/ItemEvents.h"
#include "widgets/WindowControls.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>

class CameraLink;
class CameraSession;
class LogModel;

// Everything the connection works on; the window owns all of it.
struct ConnectionContext {
    CameraGroupControls camera;
    ShootingControls shooting;
    FocusControls focus;
    LiveViewControls liveView;
    MovieControls movie;
    InfoPageControls info;
    CameraSession& session;
    LogModel& messages;
    ConnectionHost& host;
    // Asks for a missing module file to be downloaded (connecting is retried
    // afterwards); false when it is not downloaded (the reason is logged).
    std::function<bool(const QString& moduleFile)> downloadModule;
};

class CameraConnection : public QObject {
    Q_OBJECT
public:
    // Pending error codes.
    static constexpr uint8_t kErrorNoInternet = CameraConnector::kErrorNoInternet;
    static constexpr uint8_t kErrorCameraNotAvailable = CameraConnector::kErrorCameraNotAvailable;
    static constexpr uint8_t kErrorModuleMissing = CameraConnector::kErrorModuleMissing;

    // Connects its controls' signals: Start, Stop, Log, cbDSLR, and through
    // the handlers every shooting setting and the capture buttons.
    explicit CameraConnection(ConnectionContext context, QObject* parent = nullptr);

    void bDSLRConnectClick();
    void bDSLRDisconnClick();
    void cbDSLRChange();
    void bLogClick();

    CameraSession& session() { return m_c.session; }

    uint8_t pendingErrorCode() const { return m_connector.pendingErrorCode(); }
    // The message log's error hook resets the code through this.
    void setPendingErrorCode(uint8_t code) { m_connector.setPendingErrorCode(code); }
    // Writes the pending error's message as an error line (elog).
    void reportError() { m_connector.reportError(); }
    const std::string& lastErrorText() const { return m_connector.lastErrorText(); }

    ShootingHandlers& shootingHandlers() { return m_shooting; }
    CaptureButtons& captureButtons() { return m_buttons; }
    CameraEventHandler& events() { return m_events; }
    // The settings table: the camera event handler refreshes rows through it.
    SettingsFill& settingsFill() { return m_fill; }
    // The Info page's texts, lens data and clock.
    CameraTexts& cameraTexts() { return m_texts; }

signals:
    // Stop released the live view button; its handler ends live view.
    void liveViewReleased();
    // Stop released the movie button; its handler ends movie mode.
    void movieReleased();
    // A connect has read the camera's settings into the controls; the AF
    // point and the focus strip follow.
    void settingsRead();

private:
    void connectWidgets();
    bool openModule(const std::string& name);
    bool openSource(const std::string& name);
    void startSession();
    void queueModuleDownload();
    void refreshSelectorState();
    std::string selectedName() const;
    CameraLink& link() const;

    ConnectionContext m_c;
    CameraConnector m_connector;
    ItemEvents m_items;
    ShootingHandlers m_shooting;
    CaptureButtons m_buttons;
    SettingsFill m_fill;
    CameraEventHandler m_events;
    CameraTexts m_texts;
};
