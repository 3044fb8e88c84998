#pragma once
// TfMain: the program's main window and composition root. It builds the four
// pages and all their controls, owns the subsystem objects that act on them
// (message log, camera link and connection, camera detection, page and
// width rules, model pictures, About page, keyboard commands, the shooting
// sequencer and the Shoot menu), runs the start-up, activation and shutdown
// steps, and applies the window-level rules: page widths, preview width,
// resize permission, and the camera group's layout.
// Subsystem handlers receive the control groups they need through
// controls().
#include "app/SettingsStore.h"
#include "app/window/WindowLayoutRules.h"
#include "app/window/WindowServices.h"
#include "connection/ConnectionHost.h"
#include "widgets/WindowControls.h"

#include <QMainWindow>

#include <memory>

class AboutPage;
class AidsPanel;
class CamPictures;
class CameraConnection;
class CameraDetection;
class CameraLink;
class CameraListCombo;
class CameraSession;
class DeferredAction;
class DetectionBridge;
class FocusHandlers;
class FocusPointDisplay;
class ImageBrowser;
class LiveViewLoop;
class LiveViewMode;
class MovieMode;
class ImagePreview;
class ImageTransfer;
class FileSystem;
class TransferStep;
class InstanceLock;
class LogModel;
class LogPage;
class MainWindowSize;
class NamingState;
class PollDisplay;
class HookRunner;
class Sequencer;
class SettingsStore;
class ShootMenu;
class StatePoll;
class StatusBar;
class TUSBwatch;
class UiRequestDialog;
class WebRequests;
class WheelRouting;
class WindowKeys;

class TfMain : public QMainWindow, public ConnectionHost {
    Q_OBJECT
public:
    static constexpr const char* kVersion = kProgramVersion;
    static constexpr int kClientWidth = 955;
    static constexpr int kClientHeight = 665;
    static constexpr int kDesignMinWidth = 736;
    // Module downloads come from here unless the caller names another base.
    static constexpr const char* kDefaultWebBase = "https://vantora.invalid/";

    explicit TfMain(WindowServices services, QWidget* parent = nullptr);
    ~TfMain() override;

    TfMain(const TfMain&) = delete;
    TfMain& operator=(const TfMain&) = delete;

    WindowControls& controls() { return m_c; }
    const WindowControls& controls() const { return m_c; }
    WindowLayoutRules& layoutRules() { return *m_layoutRules; }
    CamPictures& camPictures() { return *m_camPictures; }
    AboutPage& aboutPage() { return *m_aboutPage; }
    LogModel& messageLog() { return *m_log; }
    StatusBar& statusBarPanel() { return *m_statusBar; }
    CameraLink& cameraLink() { return *m_link; }
    CameraSession& session() { return *m_session; }
    CameraConnection& connection() { return *m_connection; }
    CameraDetection& detection() { return *m_detection; }
    TUSBwatch& usbWatch() { return *m_usbWatch; }
    DeferredAction& deferredAction() { return *m_deferred; }
    WebRequests& webRequests() { return *m_web; }
    FocusPointDisplay& focusPoint() { return *m_focusPoint; }
    FocusHandlers& focusHandlers() { return *m_focusHandlers; }
    StatePoll& statePoll() { return *m_poll; }
    LiveViewLoop& liveViewLoop() { return *m_liveViewLoop; }
    LiveViewMode& liveViewMode() { return *m_liveViewMode; }
    MovieMode& movieMode() { return *m_movieMode; }
    AidsPanel& aidsPanel() { return *m_aidsPanel; }
    Sequencer& sequencer() { return *m_sequencer; }
    ShootMenu& shootMenu() { return *m_shootMenu; }
    // The command run for each received file (empty: none) and its limit,
    // as the Shoot menu's hook dialog keeps them; hookSettingsChanged()
    // tells of a change.
    QString hookCommand() const;
    int hookTimeout_s() const;
    // Exactly the named live view aids on ("--aids").
    void switchAidsOn(const QStringList& names);

    // This running instance's number, from 1; reserved until the window closes.
    int InstanceNo() const { return m_instanceNo; }
    bool holdsInstanceLock() const { return m_instanceLock != nullptr; }
    // The file-name prefix in force for received images.
    QString CurImgPrefix() const;
    NamingState& naming() { return *m_naming; }
    ImageBrowser& imageBrowser() { return *m_imageBrowser; }
    ImagePreview& imagePreview() { return *m_imagePreview; }
    ImageTransfer& imageTransfer() { return *m_transfer; }
    // Whether the first activation has run (start-up is complete).
    bool activatedOnce() const { return m_activatedOnce; }

    // Whether a camera connection is open; the camera group's layout follows
    // at the next FormResize.
    bool cameraConnected() const { return m_connected; }

    // The window as the camera connection sees it.
    void ShowCamPics(bool show) override;
    CameraIdentity LoadCamPics(const QString& name) override;
    void FormResize() override;
    void showLogPage() override;
    void setCameraConnected(bool connected) override;
    CameraIdentity readIdentity(const QString& name, int ordinal) override;

    // Window-level handlers, also run by other parts of the program.
    void FormActivate();
    // Shutdown: ends the camera connection, frees the instance number and
    // saves the settings. Runs once; later calls do nothing.
    void FormClose();
    void PageControlChange();
    void gbDSLRDblClick();
    void PreviewOn();
    void PreviewOff(bool remember);
    void sbPreviewClick();

    bool isNormalState() const;
    Page currentPage() const;

signals:
    // Every activation of the window, after camera detection and the
    // automatic connect (the image directory scan hooks in here).
    void activated();
    // The window is closing, before the camera connection ends (live view
    // and other sessions stop here).
    void closing();
    void hookSettingsChanged();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void RegRead();
    void RegWrite();
    void buildPages();
    void buildTimers();
    void buildSubsystems();
    void buildFollowers();
    void buildImageFiles();
    void buildTransfer();
    void buildLiveView();
    void buildShootMenu();
    void applyHookSettings();
    void wireMessageLog();
    void connectWindowHandlers();
    void buildMovieMode();
    void layoutMainPage();
    void applyCameraGroupLayout(const CameraGroupLayout& layout);
    void applyWidthLock();
    int cameraGroupWidth() const;
    bool previewDown() const;

    WindowServices m_services;
    // Declared first so that it outlives everything that reports into it.
    std::unique_ptr<LogModel> m_log;
    WindowControls m_c;
    // Owned by the window's object tree.
    LogPage* m_logPage = nullptr;
    StatusBar* m_statusBar = nullptr;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<InstanceLock> m_instanceLock;
    std::unique_ptr<MainWindowSize> m_size;
    std::unique_ptr<WindowLayoutRules> m_layoutRules;
    std::unique_ptr<TUSBwatch> m_usbWatch;
    std::unique_ptr<CamPictures> m_camPictures;
    std::unique_ptr<AboutPage> m_aboutPage;
    // The naming state lives for the whole run; the transfer shares it.
    std::unique_ptr<NamingState> m_naming;
    std::unique_ptr<ImageBrowser> m_imageBrowser;
    std::unique_ptr<ImagePreview> m_imagePreview;
    std::unique_ptr<FileSystem> m_fileSystem;
    std::unique_ptr<ImageTransfer> m_transfer;
    std::unique_ptr<TransferStep> m_transferStep;
    // The camera connection's parts, in the order they depend on each other.
    std::unique_ptr<CameraLink> m_link;
    std::unique_ptr<CameraSession> m_session;
    std::unique_ptr<UiRequestDialog> m_uiRequests;
    std::unique_ptr<DeferredAction> m_deferred;
    std::unique_ptr<CameraConnection> m_connection;
    std::unique_ptr<WebRequests> m_web;
    std::unique_ptr<FocusPointDisplay> m_focusPoint;
    std::unique_ptr<FocusHandlers> m_focusHandlers;
    std::unique_ptr<StatePoll> m_poll;
    std::unique_ptr<PollDisplay> m_pollDisplay;
    std::unique_ptr<LiveViewLoop> m_liveViewLoop;
    std::unique_ptr<LiveViewMode> m_liveViewMode;
    std::unique_ptr<MovieMode> m_movieMode;
    std::unique_ptr<AidsPanel> m_aidsPanel;
    std::unique_ptr<CameraListCombo> m_cameraList;
    std::unique_ptr<DetectionBridge> m_detectionHost;
    std::unique_ptr<CameraDetection> m_detection;
    std::unique_ptr<WindowKeys> m_keys;
    std::unique_ptr<WheelRouting> m_wheel;
    // Last, so that it ends (and puts the camera back) before what it uses.
    std::unique_ptr<Sequencer> m_sequencer;
    std::unique_ptr<ShootMenu> m_shootMenu;
    std::unique_ptr<HookRunner> m_hooks;
    int m_instanceNo = 0;
    bool m_connected = false;
    bool m_activatedOnce = false;
    bool m_closed = false;
};
