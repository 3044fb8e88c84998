#include "app/window/Main.h"

#include "app/CameraDetection.h"
#include "app/InstanceLock.h"
#include "app/PDAPIlib.h"
#include "app/SettingsStore.h"
#include "app/USBwatch.h"
#include "app/UserFolders.h"
#include "app/window/AboutPage.h"
#include "app/window/AidSettingsMapping.h"
#include "app/window/CamPictures.h"
#include "app/window/CameraGroupBuilder.h"
#include "app/window/CameraListCombo.h"
#include "app/window/DetectionBridge.h"
#include "app/window/FixedLists.h"
#include "app/window/ImageGroupBuilder.h"
#include "app/window/InfoPage.h"
#include "app/window/MainPageGeometry.h"
#include "app/window/MainWindowSize.h"
#include "app/window/PreviewGroupBuilder.h"
#include "app/window/ShootMenu.h"
#include "app/window/WebRequests.h"
#include "app/window/WheelRouting.h"
#include "app/window/WidgetFactory.h"
#include "app/window/WindowKeys.h"
#include "app/window/WindowSettings.h"
#include "camera/CameraLink.h"
#include "connection/CameraConnection.h"
#include "connection/DeferredAction.h"
#include "connection/PollDisplay.h"
#include "connection/UiRequestDialog.h"
#include "images/HookRunner.h"
#include "images/ImageBrowser.h"
#include "images/ImagePreview.h"
#include "images/ImageTransfer.h"
#include "images/NamingState.h"
#include "images/PosixFileSystem.h"
#include "images/TransferStep.h"
#include "liveview/AidsPanel.h"
#include "liveview/FocusHandlers.h"
#include "liveview/FocusPointDisplay.h"
#include "liveview/LiveViewLoop.h"
#include "liveview/LiveViewMode.h"
#include "liveview/MovieMode.h"
#include "log/LogModel.h"
#include "log/LogPage.h"
#include "log/StatusBar.h"
#include "sequencer/Sequencer.h"
#include "session/CameraSession.h"
#include "session/StatePoll.h"
#include "widgets/CameraGroupBox.h"
#include "widgets/PaintBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QStandardPaths>
#include <QVBoxLayout>

// Resources of a static library must be registered by name, outside any namespace.
static void initWindowResources() {
    Q_INIT_RESOURCE(vantora);
}

namespace {

QWidget* makePage(QTabWidget* tabs, const char* name, const char* caption) {
    auto* page = widgets::make<QWidget>(tabs, name, QRect());
    tabs->addTab(page, QString::fromUtf8(caption));
    return page;
}

QTimer* makeTimer(QObject* owner, const char* name, int interval_ms, bool singleShot) {
    // Owned by the window through Qt's object tree.
    auto* timer = new QTimer(owner);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(interval_ms);
    timer->setSingleShot(singleShot);
    return timer;
}

std::unique_ptr<SettingsStore> makeSettingsStore(const QString& path) {
    return path.isEmpty() ? std::make_unique<SettingsStore>()
                          : std::make_unique<SettingsStore>(path);
}

std::unique_ptr<InstanceLock> makeInstanceLock(const std::string& directory) {
    return directory.empty() ? std::make_unique<InstanceLock>()
                             : std::make_unique<InstanceLock>(directory);
}

} // namespace

TfMain::TfMain(WindowServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)), m_log(std::make_unique<LogModel>()),
      m_settings(makeSettingsStore(m_services.settingsPath)) {
    initWindowResources();
    setObjectName(QStringLiteral("fMain"));
    setWindowTitle(QStringLiteral("Vantora"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    buildPages();
    buildTimers();
    m_size = std::make_unique<MainWindowSize>(*this);
    m_layoutRules = std::make_unique<WindowLayoutRules>(*m_size);
    m_usbWatch = std::make_unique<TUSBwatch>(m_services.deviceList ? m_services.deviceList()
                                                                   : createUdevDeviceList());
    CameraIdentityReader identity = m_services.identityReader;
    if (!identity) {
        identity = [this](const QString& name, int ordinal) { return readIdentity(name, ordinal); };
    }
    const CameraGroupControls& cam = m_c.camera;
    m_camPictures = std::make_unique<CamPictures>(
        CamPictureControls{cam.iCamPic, cam.iCamLogo, cam.lAvailable, cam.lConnectCam,
                           m_c.info.lCamNameVal, m_c.info.lCamSerialVal, m_c.info.lCamFirmwareVal,
                           cam.pLiveView, cam.cbDSLR},
        std::move(identity));
    buildSubsystems();
    wireMessageLog();
    resize(kClientWidth, kClientHeight);
    setMinimumSize(kDesignMinWidth, WindowLayoutRules::kMinHeight);
    FormCreate();
    connectWindowHandlers();
    m_keys = std::make_unique<WindowKeys>(*this, *m_c.shooting.bExpo);
}

// Members go in reverse order: detection and the connection before the
// camera link they use, all of them before the log widgets (window children).
TfMain::~TfMain() = default;

void TfMain::buildSubsystems() {
    LogModel& log = messageLog();
    const std::filesystem::path moduleDirectory = m_services.moduleDirectory.empty()
                                                      ? ModuleLoader::defaultModuleDirectory()
                                                      : m_services.moduleDirectory;
    m_link = std::make_unique<CameraLink>(&log, moduleDirectory);
    m_link->setUserModuleDirectory(userfolders::userModuleFolder().toStdString());
    m_session = std::make_unique<CameraSession>(*m_link);
    m_uiRequests = std::make_unique<UiRequestDialog>(this);
    m_link->setUiRequestHandler(m_uiRequests.get());
    m_deferred = std::make_unique<DeferredAction>(m_c.timers.Timer);
    auto downloadModule = [this](const QString& file) { return m_web->downloadModule(file); };
    m_connection = std::make_unique<CameraConnection>(
        ConnectionContext{m_c.camera, m_c.shooting, m_c.focus, m_c.liveView, m_c.movie, m_c.info,
                          *m_session, log, *this, downloadModule});
    m_web = std::make_unique<WebRequests>(
        WebRequests::Controls{*m_c.images.ProgressBar, *m_c.timers.tHTMLQueue, m_c.about,
                              *m_aboutPage},
        WebRequests::Services{m_services.webBase.isEmpty() ? QString::fromLatin1(kDefaultWebBase)
                                                           : m_services.webBase,
                              log, *m_connection, *m_deferred, [this] { return m_instanceNo; }});
    buildFollowers();
    buildLiveView();
    buildImageFiles();
    buildShootMenu();
    m_deferred->setConnectAction([this] { m_connection->bDSLRConnectClick(); });
    m_cameraList = std::make_unique<CameraListCombo>(*m_c.camera.cbDSLR);
    m_detectionHost = std::make_unique<DetectionBridge>(
        DetectionBridge::Targets{*m_c.camera.bDSLRConnect, *m_c.camera.chDSLRAutoConnect,
                                 *m_camPictures, *m_deferred, *m_connection});
    m_detection = std::make_unique<CameraDetection>(m_usbWatch->devices(), *m_cameraList,
                                                    *m_detectionHost, log);
    connect(m_usbWatch.get(), &TUSBwatch::OnUSBArrival, this,
            [this](const QString& path) { m_detection->USBwatchUSBArrival(path.toStdString()); });
    connect(m_usbWatch.get(), &TUSBwatch::OnUSBRemove, this,
            [this](const QString& path) { m_detection->USBwatchUSBRemove(path.toStdString()); });
}

// What follows the camera besides the connection: the AF point picker and
// the state poll with what it shows.
void TfMain::buildFollowers() {
    m_focusPoint =
        std::make_unique<FocusPointDisplay>(m_c.focus.iFocus, m_c.focus.iContrastAF, *m_session);
    m_focusHandlers =
        std::make_unique<FocusHandlers>(m_c.focus, m_c.shooting.sbLock, *m_focusPoint, *m_session);
    connect(m_connection.get(), &CameraConnection::settingsRead, this,
            [this] { m_focusPoint->cameraSettingsRead(); });
    connect(m_session.get(), &CameraSession::capabilityValueChanged, this, [this](uint32_t capId) {
        if (capId == orv::kCapFocusPreferredArea) {
            m_focusPoint->followCamera();
        }
    });
    m_poll = std::make_unique<StatePoll>(*m_c.timers.tCamSync, *m_session, messageLog());
    m_pollDisplay =
        std::make_unique<PollDisplay>(m_c.shooting, m_c.info, *m_session, m_connection->events(),
                                      [this] { return currentPage() == Page::Info; });
    m_pollDisplay->follow(*m_poll);
    m_c.timers.tCamSync->start();
}

// Photo live view and its loop. Stop releases the live view button, and a
// camera that ends live view releases movie mode, whose release ends live
// view: both run the button's handler.
void TfMain::buildLiveView() {
    m_liveViewLoop = std::make_unique<LiveViewLoop>(
        LiveViewLoop::Controls{m_c.liveView, m_c.focus.bAF, m_c.movie, m_c.aids.lAidReadings,
                               *m_c.timers.tLiveView},
        *m_session, *m_poll);
    m_liveViewMode = std::make_unique<LiveViewMode>(
        LiveViewMode::Controls{m_c.camera, m_c.liveView, m_c.focus, m_c.movie, m_c.shooting.sbLock,
                               *m_c.timers.tLiveView},
        *m_session, *m_poll, *m_liveViewLoop, messageLog(),
        [this](bool photo) { m_connection->settingsFill().refillForLiveView(photo); });
    connect(m_connection.get(), &CameraConnection::liveViewReleased, m_liveViewMode.get(),
            &LiveViewMode::sbLiveViewClick);
    buildMovieMode();
    m_aidsPanel =
        std::make_unique<AidsPanel>(AidsPanel::Controls{m_c.aids, m_c.liveView, m_c.focus.cbLVzoom},
                                    m_liveViewLoop->aids(), *m_focusHandlers);
}

// Movie live view on the same loop; Stop and a camera ending live view
// release the movie button and run its handler.
void TfMain::buildMovieMode() {
    SettingsFill& lists = m_connection->settingsFill();
    m_movieMode = std::make_unique<MovieMode>(
        MovieMode::Controls{m_c.camera, m_c.liveView, m_c.focus, m_c.movie, m_c.shooting.sbLock,
                            *m_c.timers.tLiveView},
        *m_session, *m_liveViewMode, *m_focusHandlers, messageLog(),
        MovieMode::Lists{[&lists] { lists.refillForMovie(); },
                         [&lists] { lists.refillForStill(); }});
    connect(m_connection.get(), &CameraConnection::movieReleased, m_movieMode.get(),
            &MovieMode::sbMovieClick);
}

void TfMain::switchAidsOn(const QStringList& names) {
    m_aidsPanel->applySettings(withAidsOn(m_aidsPanel->settings(), names));
}

// The "Images" group: naming state, directory and number handlers, View.
void TfMain::buildImageFiles() {
    m_naming = std::make_unique<NamingState>();
    m_imageBrowser = std::make_unique<ImageBrowser>(m_c.images, *m_naming, messageLog(),
                                                    m_services.directoryQuestions
                                                        ? m_services.directoryQuestions()
                                                        : makeDirectoryDialogs(this));
    ImagePreview::Hooks hooks;
    hooks.showPreviewArea = [this] { sbPreviewClick(); };
    hooks.armClose = [this](int delay_ms) {
        m_deferred->arm(DeferredAction::Action::ClosePreview, delay_ms);
    };
    m_imagePreview = std::make_unique<ImagePreview>(
        ImagePreview::Controls{m_c.images, m_c.liveView, m_c.movie, *m_c.timers.tLiveView},
        *m_imageBrowser, messageLog(), std::move(hooks));
    m_deferred->setClosePreviewAction([this] { m_imagePreview->closePreview(); });
    connect(this, &TfMain::activated, m_imageBrowser.get(), &ImageBrowser::activate);
    buildTransfer();
}

// Received files: the poll hands waiting items to the transfer.
void TfMain::buildTransfer() {
    m_fileSystem = std::make_unique<PosixFileSystem>();
    m_transfer =
        std::make_unique<ImageTransfer>(*m_session, *m_naming, *m_fileSystem, messageLog());
    m_transferStep = std::make_unique<TransferStep>(*m_transfer, *m_naming, *m_imageBrowser,
                                                    m_c.images, *m_c.timers.tLiveView);
    m_poll->setFetcher(m_transferStep.get());
    connect(m_session.get(), &CameraSession::opened, this,
            [this] { m_transfer->connectionOpened(); });
}

// The sequencer ends while the camera is still there, so that it is left
// unlocked and with its own values.
void TfMain::buildShootMenu() {
    m_sequencer = std::make_unique<Sequencer>(*m_session, messageLog());
    connect(this, &TfMain::closing, m_sequencer.get(), &Sequencer::stop);
    m_shootMenu = std::make_unique<ShootMenu>(*this, *m_sequencer);
    connect(m_shootMenu.get(), &ShootMenu::hookSettingsChanged, this, &TfMain::hookSettingsChanged);
    // Each received file goes to the user's hook command, if one is set.
    m_hooks = std::make_unique<HookRunner>(messageLog());
    m_transfer->setFileReceived([this](const ReceivedFile& file) { m_hooks->fileReceived(file); });
    connect(this, &TfMain::hookSettingsChanged, this, &TfMain::applyHookSettings);
}

void TfMain::applyHookSettings() {
    m_hooks->setCommand(hookCommand());
    m_hooks->setTimeout(std::chrono::seconds(hookTimeout_s()));
}

QString TfMain::hookCommand() const {
    return m_shootMenu->hook().command;
}

int TfMain::hookTimeout_s() const {
    return m_shootMenu->hook().timeout_s;
}

QString TfMain::CurImgPrefix() const {
    return QString::fromStdString(m_naming->CurImgPrefix());
}

void TfMain::wireMessageLog() {
    LogModel& log = messageLog();
    log.mirror().setStderrEnabled(m_services.logToStderr);
    m_statusBar->follow(log);
    log.setBeep([] { QApplication::beep(); });
    const QCheckBox* logAll = m_c.camera.chLogAllDSLR;
    log.setLogAllEvents([logAll] { return logAll->isChecked(); });
    log.setErrorCodeReset([this] { m_connection->setPendingErrorCode(0); });
}

void TfMain::FormCreate() {
    setWindowTitle(windowTitle() + QLatin1Char(' ') + QLatin1String(kVersion));
    LogModel& log = messageLog();
    // The mirror file is opened first so that it holds the whole log.
    QString mirrorError;
    const bool mirrorOk =
        m_services.logFile.isEmpty() || log.setMirrorFile(m_services.logFile, &mirrorError);
    log.log("Program start");
    if (!mirrorOk) {
        log.log("Log file not written: " + mirrorError.toStdString());
    }
    m_instanceLock = makeInstanceLock(m_services.lockDirectory);
    m_instanceNo = m_instanceLock->number();
    m_c.images.eImageDir->setText(
        m_services.defaultImageDirectory.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)
            : m_services.defaultImageDirectory);
    RegRead();
    m_c.shooting.cbColorTemp->addItems(fixedlists::colorTemperatureItems());
    m_c.shooting.cbColorTemp->setCurrentIndex(-1);
    m_camPictures->LoadCamPics(QString());
    m_aboutPage->loadTexts();
    log.setStampFormat(StampFormat::LongHour);
}

void TfMain::RegRead() {
    const AppSettings settings = m_settings->RegRead(m_c.images.eImageDir->text());
    windowsettings::applyPlacement(*this, settings);
    windowsettings::applyCameraChoices(settings, m_c.camera, m_c.images);
    m_imageBrowser->takePrefixFromField();
    windowsettings::applyImageChoices(settings, m_c.images);
    // A stored 0 means no width was remembered; the preview's own default
    // (the form's width) stands then.
    if (settings.previewWidth > 0) {
        m_layoutRules->setPreviewWidth(settings.previewWidth);
    }
    m_layoutRules->setPagesWidth(settings.pagesWidth);
    m_aidsPanel->applySettings(aidsFromSaved(settings.aids));
    m_shootMenu->applySettings(settings.sequence, settings.hook);
    applyHookSettings();
}

void TfMain::RegWrite() {
    const windowsettings::PageWidths widths{m_layoutRules->previewWidth(),
                                            m_layoutRules->pagesWidth()};
    AppSettings settings =
        windowsettings::collect(windowState(), QRect(pos(), size()), widths, m_c);
    settings.aids = savedFromAids(m_aidsPanel->settings());
    m_shootMenu->collect(settings);
    m_settings->RegWrite(settings);
}

void TfMain::buildPages() {
    auto* tabs = widgets::make<QTabWidget>(this, "PageControl", QRect());
    m_c.pages.PageControl = tabs;
    setCentralWidget(tabs);
    m_c.pages.tsMain = makePage(tabs, "tsMain", "Main");
    m_c.pages.tsTexts = makePage(tabs, "tsTexts", "Info");
    m_c.pages.tsLog = makePage(tabs, "tsLog", "Status");
    m_c.pages.tsAbout = makePage(tabs, "tsAbout", "About");
    mainpage::buildCameraGroup(m_c.pages.tsMain, m_c);
    mainpage::buildPreviewGroup(m_c.pages.tsMain, m_c);
    mainpage::buildImageGroup(m_c.pages.tsMain, m_c);
    infopage::buildInfoPage(m_c.pages.tsTexts, m_c.info);
    // The message log view goes into this slot.
    auto* logLayout = new QVBoxLayout(m_c.pages.tsLog); // owned by the page
    logLayout->setContentsMargins(4, 4, 4, 4);
    m_c.status.logSlot = widgets::make<QWidget>(m_c.pages.tsLog, "logSlot", QRect());
    logLayout->addWidget(m_c.status.logSlot);
    auto* slotLayout = new QVBoxLayout(m_c.status.logSlot); // owned by the slot
    slotLayout->setContentsMargins(0, 0, 0, 0);
    m_logPage = new LogPage(*m_log, m_c.status.logSlot); // owned by the slot
    m_logPage->setObjectName(QStringLiteral("LogPage"));
    slotLayout->addWidget(m_logPage);
    m_aboutPage = std::make_unique<AboutPage>(m_c.pages.tsAbout, m_c.about);
    m_statusBar = widgets::make<StatusBar>(this, "StatusBar", QRect());
    setStatusBar(m_statusBar);
    m_c.pages.tsMain->installEventFilter(this);
    m_c.pages.tsTexts->installEventFilter(this);
}

void TfMain::buildTimers() {
    m_c.timers.tCamSync = makeTimer(this, "tCamSync", 500, false);
    m_c.timers.Timer = makeTimer(this, "Timer", 100, true);
    m_c.timers.tLiveView = makeTimer(this, "tLiveView", 1, false);
    m_c.timers.tHTMLQueue = makeTimer(this, "tHTMLQueue", 1, false);
}

void TfMain::connectWindowHandlers() {
    connect(m_c.pages.PageControl, &QTabWidget::currentChanged, this, &TfMain::PageControlChange);
    connect(m_c.camera.gbDSLR, &CameraGroupBox::doubleClicked, this, &TfMain::gbDSLRDblClick);
    connect(m_c.images.sbPreview, &QToolButton::clicked, this, &TfMain::sbPreviewClick);
    m_wheel = std::make_unique<WheelRouting>(
        *this,
        WheelRouting::Controls{m_c.pages.tsAbout, m_c.about.mChangelog, m_c.liveView.gbPreview,
                               m_c.liveView.pbLiveView, m_c.focus.cbLVzoom});
}

bool TfMain::isNormalState() const {
    return m_size->isNormal();
}

Page TfMain::currentPage() const {
    return static_cast<Page>(std::max(0, m_c.pages.PageControl->currentIndex()));
}

bool TfMain::previewDown() const {
    return m_c.images.sbPreview->isChecked();
}

int TfMain::cameraGroupWidth() const {
    return m_c.camera.gbDSLR->width();
}

// Only the flag: the connection runs FormResize right after it, and laying
// the window out here as well would do it twice.
void TfMain::setCameraConnected(bool connected) {
    m_connected = connected;
}

void TfMain::ShowCamPics(bool show) {
    m_camPictures->ShowCamPics(show);
}

CameraIdentity TfMain::LoadCamPics(const QString& name) {
    m_camPictures->LoadCamPics(name);
    return {m_camPictures->serialText(), m_camPictures->firmwareText()};
}

void TfMain::showLogPage() {
    const int logPage = static_cast<int>(Page::Status);
    if (m_c.pages.PageControl->currentIndex() != logPage) {
        m_c.pages.PageControl->setCurrentIndex(logPage); // runs PageControlChange
    } else {
        PageControlChange();
    }
    m_c.pages.tsLog->repaint();
}

CameraIdentity TfMain::readIdentity(const QString& name, int ordinal) {
    const auto device = FindAttachedCamera(m_usbWatch->devices(), name.toStdString(), ordinal);
    if (!device) {
        return {};
    }
    return {QString::fromStdString(device->serialNumber),
            QString::fromStdString(device->firmwareVersion)};
}

void TfMain::FormActivate() {
    // The page and width reset belongs to start-up; doing it on every later
    // activation would throw the user back to the Main page each time the
    // window regains the focus.
    if (!m_activatedOnce) {
        m_activatedOnce = true;
        const QSignalBlocker blocker(m_c.pages.PageControl);
        m_c.pages.PageControl->setCurrentIndex(static_cast<int>(Page::Main));
        m_layoutRules->activate(previewDown(), cameraGroupWidth());
        applyWidthLock();
    }
    if (m_closed) {
        return;
    }
    m_detection->DetectCameras();
    if (!m_session->connected() && m_c.camera.chDSLRAutoConnect->isChecked() &&
        m_c.camera.cbDSLR->count() > 0) {
        m_connection->bDSLRConnectClick();
    }
    emit activated();
}

void TfMain::FormClose() {
    if (m_closed) {
        return;
    }
    m_closed = true;
    emit closing();
    if (m_session->connected()) {
        m_connection->bDSLRDisconnClick();
    }
    m_instanceLock.reset();
    // Written after the camera connection has ended, so that nothing the
    // disconnect changes is lost.
    RegWrite();
}

void TfMain::PageControlChange() {
    m_layoutRules->pageChanged(currentPage(), previewDown(), cameraGroupWidth());
    applyWidthLock();
}

void TfMain::FormResize() {
    if (!m_layoutRules) {
        return;
    }
    // Sizes set during creation (restored placement, the first show) are not
    // the user's choice of width; only after start-up are widths remembered.
    if (!m_activatedOnce) {
        applyCameraGroupLayout(WindowLayoutRules::cameraGroupLayout(m_connected, height()));
        return;
    }
    applyCameraGroupLayout(m_layoutRules->resized(currentPage(), previewDown(), m_connected));
    applyWidthLock();
}

void TfMain::gbDSLRDblClick() {
    m_layoutRules->toggleCameraGroupHeight();
}

void TfMain::PreviewOn() {
    m_layoutRules->previewOn();
    applyWidthLock();
}

void TfMain::PreviewOff(bool remember) {
    m_layoutRules->previewOff(remember, cameraGroupWidth());
    applyWidthLock();
}

void TfMain::sbPreviewClick() {
    if (previewDown()) {
        PreviewOn();
    } else {
        PreviewOff(true);
    }
    const LiveViewControls& lv = m_c.liveView;
    lv.pbLiveView->resize(mainpage::kLiveViewWidth, lv.pbLiveView->height());
    lv.pbLV->resize(std::max(0, lv.gbPreview->contentsRect().width() - lv.pbLiveView->x() -
                                    mainpage::kLiveViewWidth),
                    lv.pbLV->height());
}

void TfMain::applyCameraGroupLayout(const CameraGroupLayout& layout) {
    const CameraGroupControls& cam = m_c.camera;
    cam.gbDSLR->resize(cam.gbDSLR->width(), layout.groupHeight);
    if (m_connected) {
        cam.pExtraCtrl->setVisible(layout.extraVisible);
    }
    if (layout.placeLogo) {
        cam.iCamLogo->move(cam.iCamLogo->x(), cam.pLiveView->y() + mainpage::kLogoBelowLiveView);
    }
    cam.gbDSLR->update();
    layoutMainPage();
}

void TfMain::applyWidthLock() {
    m_size->lockWidth(isNormalState() && WindowLayoutRules::widthLocked(currentPage(), width()));
}

void TfMain::layoutMainPage() {
    const QWidget* page = m_c.pages.tsMain;
    const QGroupBox* group = m_c.camera.gbDSLR;
    m_c.images.gbImage->move(group->x(), group->y() + group->height() + mainpage::kGroupGap);
    QGroupBox* preview = m_c.liveView.gbPreview;
    preview->resize(std::max(0, page->width() - preview->x() - mainpage::kGroupGap),
                    std::max(0, page->height() - preview->y() - mainpage::kGroupGap));
    mainpage::layoutPreviewGroup(m_c.liveView, m_c.aids);
}

bool TfMain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QMainWindow::event(event);
}

void TfMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfMain::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

bool TfMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == m_c.pages.tsMain) {
            layoutMainPage();
        } else if (watched == m_c.pages.tsTexts) {
            infopage::layoutInfoPage(m_c.info);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
