#include "app/window/Main.h"

#include "app/window/AboutPage.h"
#include "app/window/CamPictures.h"
#include "app/widgets/CameraGroupBox.h"
#include "app/window/CameraGroupBuilder.h"
#include "app/window/FixedLists.h"
#include "app/window/ImageGroupBuilder.h"
#include "app/window/InfoPage.h"
#include "app/window/MainPageGeometry.h"
#include "app/window/MainWindowSize.h"
#include "app/widgets/PaintBox.h"
#include "app/window/PreviewGroupBuilder.h"
#include "app/window/WidgetFactory.h"

#include <QCloseEvent>
#include <QStandardPaths>
#include <QStatusBar>
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

} // namespace

TfMain::TfMain(WindowServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)) {
    initWindowResources();
    setObjectName(QStringLiteral("fMain"));
    setWindowTitle(QStringLiteral("Vantora"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    buildPages();
    buildTimers();
    m_size = std::make_unique<MainWindowSize>(*this);
    m_layoutRules = std::make_unique<WindowLayoutRules>(*m_size);
    const CameraGroupControls& cam = m_c.camera;
    m_camPictures = std::make_unique<CamPictures>(
        CamPictureControls{cam.iCamPic, cam.iCamLogo, cam.lAvailable, cam.lConnectCam,
                           m_c.info.lCamNameVal, m_c.info.lCamSerialVal, m_c.info.lCamFirmwareVal,
                           cam.pLiveView, cam.cbDSLR},
        m_services.identityReader);
    resize(kClientWidth, kClientHeight);
    setMinimumSize(kDesignMinWidth, WindowLayoutRules::kMinHeight);
    FormCreate();
    connectWindowHandlers();
}

TfMain::~TfMain() = default;

void TfMain::FormCreate() {
    setWindowTitle(windowTitle() + QLatin1Char(' ') + QLatin1String(kVersion));
    m_c.images.eImageDir->setText(
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    m_c.shooting.cbColorTemp->addItems(fixedlists::colorTemperatureItems());
    m_c.shooting.cbColorTemp->setCurrentIndex(-1);
    m_camPictures->LoadCamPics(QString());
    m_aboutPage->loadTexts();
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
    m_aboutPage = std::make_unique<AboutPage>(m_c.pages.tsAbout, m_c.about);
    auto* bar = widgets::make<QStatusBar>(this, "StatusBar", QRect());
    setStatusBar(bar);
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

void TfMain::setCameraConnected(bool connected) {
    m_connected = connected;
    FormResize();
}

void TfMain::FormActivate() {
    // The page and width reset belongs to start-up; doing it on every later
    // activation would throw the user back to the Main page each time the
    // window regains the focus.
    if (!m_activatedOnce) {
        m_activatedOnce = true;
        m_aboutPage->loadTexts();
        const QSignalBlocker blocker(m_c.pages.PageControl);
        m_c.pages.PageControl->setCurrentIndex(static_cast<int>(Page::Main));
        m_layoutRules->activate(previewDown(), cameraGroupWidth());
        applyWidthLock();
    }
    emit activated();
}

void TfMain::PageControlChange() {
    m_layoutRules->pageChanged(currentPage(), previewDown(), cameraGroupWidth());
    applyWidthLock();
}

void TfMain::FormResize() {
    if (!m_layoutRules) {
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
    mainpage::layoutPreviewGroup(m_c.liveView);
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
    emit closing();
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
