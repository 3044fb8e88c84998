#include "ConnectionTestSupport.h"

#include "log/LogLine.h"

#include <QDir>
#include <QSignalBlocker>

namespace {

template <typename W> W* make(QWidget* parent, const char* name) {
    auto* widget = new W(parent); // owned by the harness root
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox* list(QWidget* parent, const char* name, const QStringList& items, int selected) {
    auto* combo = make<QComboBox>(parent, name);
    combo->addItems(items);
    combo->setCurrentIndex(selected);
    return combo;
}

QToolButton* toggle(QWidget* parent, const char* name) {
    auto* button = make<QToolButton>(parent, name);
    button->setCheckable(true);
    return button;
}

PaintBox* paintBox(QWidget* parent, const char* name, int width, int height) {
    auto* box = make<PaintBox>(parent, name);
    box->resize(width, height);
    return box;
}

void buildCamera(QWidget* root, CameraGroupControls& c) {
    c.gbDSLR = make<CameraGroupBox>(root, "gbDSLR");
    c.cbDSLR = make<QComboBox>(root, "cbDSLR");
    c.bDSLRConnect = make<QPushButton>(root, "bDSLRConnect");
    c.bDSLRDisconn = make<QPushButton>(root, "bDSLRDisconn");
    c.bDSLRDisconn->setEnabled(false);
    c.bLog = make<QPushButton>(root, "bLog");
    c.bLog->setEnabled(false);
    c.chDSLRAutoConnect = make<QCheckBox>(root, "chDSLRAutoConnect");
    c.chLogAllDSLR = make<QCheckBox>(root, "chLogAllDSLR");
    c.lCamInfo = make<QLabel>(root, "lCamInfo");
    c.lAvailable = make<QLabel>(root, "lAvailable");
    c.lConnecting = make<QLabel>(root, "lConnecting");
    c.lConnecting->hide();
    c.lConnectCam = make<QLabel>(root, "lConnectCam");
    c.iCamPic = make<QLabel>(root, "iCamPic");
    c.iCamLogo = make<QLabel>(root, "iCamLogo");
    c.pDSLRctrl = make<QWidget>(root, "pDSLRctrl");
    c.pDSLRctrl->hide();
    c.pExtraCtrl = make<QWidget>(root, "pExtraCtrl");
    c.pExtraCtrl->hide();
    c.pLiveView = make<QWidget>(root, "pLiveView");
    c.pLiveView->hide();
}

void buildShooting(QWidget* root, ShootingControls& s) {
    s.cbMode = list(root, "cbMode", {"P", "A", "S", "M"}, 3);
    s.cbShutter = make<QComboBox>(root, "cbShutter");
    s.cbAperture = make<QComboBox>(root, "cbAperture");
    s.cbISO = make<QComboBox>(root, "cbISO");
    s.cbImageSize = list(root, "cbImageSize", {"Large", "Med.", "Small"}, 0);
    s.cbCompression = make<QComboBox>(root, "cbCompression");
    s.cbWBmode = make<QComboBox>(root, "cbWBmode");
    QStringList kelvins;
    for (int k = 2500; k <= 10000; k += 100) {
        kelvins << QString::number(k);
    }
    s.cbColorTemp = list(root, "cbColorTemp", kelvins, -1);
    s.cbFlashMode = make<QComboBox>(root, "cbFlashMode");
    s.tbExpoCorr = make<QSlider>(root, "tbExpoCorr");
    s.tbExpoCorr->setRange(0, 30);
    s.tbExpoCorr->setValue(15);
    s.lExpCom = make<QLabel>(root, "lExpCom");
    s.tbExposureStatus = make<QSlider>(root, "tbExposureStatus");
    s.lRemainPic = make<QLabel>(root, "lRemainPic");
    s.bExpo = make<QPushButton>(root, "bExpo");
    s.sbLock = toggle(root, "sbLock");
    s.pbBatteryLevel = make<QProgressBar>(root, "pbBatteryLevel");
    s.pbBatteryLevel->setRange(0, 100);
    s.cbRAWbit = list(root, "cbRAWbit", {"12-bit", "14-bit"}, 0);
    s.cbMeteringMode = list(root, "cbMeteringMode", {"Matrix", "Center-w.", "Spot", "AF spot"}, 0);
    s.cbMeteringMode->setEnabled(false);
    s.cbCCDmode = list(root, "cbCCDmode", {"FF", "APS", "5:4", "1.2x"}, 1);
    s.cbRawCompress =
        list(root, "cbRawCompress", {"Uncompressed", "Compressed", "Lossless compressed"}, 2);
    s.cbJPEGCompress = list(root, "cbJPEGCompress", {"Size priority", "Optimal quality"}, 1);
    s.cbColorSpace = list(root, "cbColorSpace", {"sRGB", "AdobeRGB"}, 1);
    s.cbSlot2Mode = list(root, "cbSlot2Mode", {"Overflow", "Backup", "Prim: RAW, Sec: JPEG"}, 2);
    s.cbPrimarySlot = list(root, "cbPrimarySlot", {"CF card", "SD card"}, 0);
    s.cbSaveMedia = list(root, "cbSaveMedia", {"Card", "SDRAM", "Card+SDRAM"}, 2);
}

void buildFocus(QWidget* root, FocusControls& f) {
    f.iFocus = paintBox(root, "iFocus", 96, 43);
    f.bAF = make<QPushButton>(root, "bAF");
    f.bAFUp = make<QPushButton>(root, "bAFUp");
    f.bAFDown = make<QPushButton>(root, "bAFDown");
    f.bAFLeft = make<QPushButton>(root, "bAFLeft");
    f.bAFRight = make<QPushButton>(root, "bAFRight");
    f.cbAFmode = list(root, "cbAFmode", {"AF-S", "AF-C", "MF"}, 0);
    f.cbFocusAreaMode = make<QComboBox>(root, "cbFocusAreaMode");
    f.iContrastAF = paintBox(root, "iContrastAF", 223, 17);
    f.cbLVAF = list(root, "cbLVAF", {"Face priority", "Wide area", "Normal area", "Tracking"}, 0);
    f.cbLVzoom = make<QComboBox>(root, "cbLVzoom");
}

void buildLiveViewAndMovie(QWidget* root, LiveViewControls& l, MovieControls& m) {
    l.sbLiveView = toggle(root, "sbLiveView");
    l.gbPreview = make<QGroupBox>(root, "gbPreview");
    l.pbLiveView = paintBox(root, "pbLiveView", 320, 212);
    l.pbLV = paintBox(root, "pbLV", 40, 20);
    l.pLiveviewCtrl = make<QWidget>(root, "pLiveviewCtrl");
    l.lImageInfo = make<QLabel>(root, "lImageInfo");
    l.lLVtime = make<QLabel>(root, "lLVtime");
    l.cbLVExpoPreview = make<QCheckBox>(root, "cbLVExpoPreview");
    m.sbMovie = toggle(root, "sbMovie");
    m.sbRecord = toggle(root, "sbRecord");
    m.lMovieTime = make<QLabel>(root, "lMovieTime");
    m.cbMovieSize = list(root, "cbMovieSize",
                         {"1920x1080 30fps", "1920x1080 25fps", "1920x1080 24fps", "1280x720 60fps",
                          "1280x720 50fps", "1280x720 30fps", "1280x720 25fps"},
                         0);
    m.cbMovieQuality = list(root, "cbMovieQuality", {"N", "H"}, 0);
    m.cbMicLevelType = list(root, "cbMicLevelType", {"Auto", "Off", "Manual"}, 0);
    m.ieMicLevel = make<QLineEdit>(root, "ieMicLevel");
    m.udMicLevel = make<QSpinBox>(root, "udMicLevel");
    m.udMicLevel->setRange(1, 20);
}

// Text with bold runs marked, from the first character after the stamp.
std::string withBold(const LogLine& line) {
    const size_t textStart = line.plain.find(": ") + 2;
    std::string out;
    bool bold = false;
    for (size_t r = 0; r < line.runs.size(); ++r) {
        const size_t start = static_cast<size_t>(line.runs[r].start);
        const size_t end = r + 1 < line.runs.size() ? static_cast<size_t>(line.runs[r + 1].start)
                                                    : line.plain.size();
        if (end <= textStart) {
            continue;
        }
        if (line.runs[r].style.bold != bold) {
            bold = line.runs[r].style.bold;
            out += bold ? "<b>" : "</b>";
        }
        out += line.plain.substr(std::max(start, textStart), end - std::max(start, textStart));
    }
    return bold ? out + "</b>" : out;
}

} // namespace

ConnectionControls::ConnectionControls() : root(std::make_unique<QWidget>()) {
    buildCamera(root.get(), camera);
    buildShooting(root.get(), shooting);
    buildFocus(root.get(), focus);
    buildLiveViewAndMovie(root.get(), liveView, movie);
    info.lCamNameVal = make<QLabel>(root.get(), "lCamNameVal");
    info.lCamSerialVal = make<QLabel>(root.get(), "lCamSerialVal");
    info.lCamFirmwareVal = make<QLabel>(root.get(), "lCamFirmwareVal");
}

void ConnectionTest::SetUp() {
    messages = std::make_unique<ObservedLog>();
    messages->mirror().setStderrEnabled(false);
    messages->setBeep([this] { ++beeps; });
    m_clock.setTimeOfDay(12, 34, 56);
    messages->setClock(m_clock);
    messages->setLogAllEvents([this] { return controls.camera.chLogAllDSLR->isChecked(); });
    link = std::make_unique<CameraLink>(messages.get());
    link->setClock(m_clock);
    link->setWaitLimit(std::chrono::milliseconds(2000));
    session = std::make_unique<CameraSession>(*link);
    auto downloadModule = [this](const QString& file) {
        queue.AddHTMLque(
            ModuleFileRequest(QStringLiteral("http://downloads.test/"), file, QDir::currentPath()));
    };
    connection = std::make_unique<CameraConnection>(ConnectionContext{
        controls.camera, controls.shooting, controls.focus, controls.liveView, controls.movie,
        controls.info, *session, *messages, host, downloadModule});
    // The AF point follows the settings as the window wires it.
    focusPoint = std::make_unique<FocusPointDisplay>(controls.focus.iFocus,
                                                     controls.focus.iContrastAF, *session);
    QObject::connect(connection.get(), &CameraConnection::settingsRead,
                     [this] { focusPoint->cameraSettingsRead(); });
    messages->setErrorCodeReset([this] { connection->setPendingErrorCode(0); });
}

void ConnectionTest::TearDown() {
    focusPoint.reset();
    connection.reset();
    session.reset();
    link.reset();
    messages.reset();
}

void ConnectionTest::listCameras(const std::vector<std::string>& models, int selected) {
    QComboBox* selector = controls.camera.cbDSLR;
    const QSignalBlocker blocker(selector);
    selector->clear();
    for (const std::string& model : models) {
        selector->addItem(QString::fromStdString(model));
    }
    selector->setCurrentIndex(selected);
}

int ConnectionTest::connectTo(const std::string& model) {
    const int camera = vsim::SimControl::attach(model);
    EXPECT_GT(camera, 0);
    listCameras({model});
    connection->bDSLRConnectClick();
    return camera;
}

std::vector<std::string> ConnectionTest::logTexts() const {
    std::vector<std::string> texts;
    for (const LogLine& line : messages->lines()) {
        texts.push_back(withBold(line));
    }
    return texts;
}

bool ConnectionTest::logHas(const std::string& text) const {
    return logIndex(text) >= 0;
}

int ConnectionTest::logIndex(const std::string& text) const {
    const std::vector<std::string> texts = logTexts();
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<std::string> ConnectionTest::errorTexts() const {
    std::vector<std::string> texts;
    for (const LogLine& line : messages->lines()) {
        if (line.error) {
            const std::string plain = line.plain;
            const std::string marker = "ERROR: ";
            const size_t at = plain.find(marker);
            texts.push_back(at == std::string::npos ? plain : plain.substr(at + marker.size()));
        }
    }
    return texts;
}
