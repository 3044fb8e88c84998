#include "app/window/CameraGroupBuilder.h"

#include "app/window/MainPageGeometry.h"
#include "app/window/WidgetFactory.h"
#include "app/window/WindowLayoutRules.h"
#include "widgets/CameraGroupBox.h"
#include "widgets/ExposureScale.h"
#include "widgets/PaintBox.h"

#include <QFontDatabase>

using widgets::make;
using widgets::makeList;

namespace mainpage {
namespace {

constexpr int kPanelWidth = kCameraGroupWidth - 8;
constexpr int kRow = 26;
constexpr int kScalePixelSize = 9;

QToolButton* makeSpeedButton(QWidget* parent, const char* name, const QRect& geometry,
                             const char* caption, const char* hint) {
    auto* button = make<QToolButton>(parent, name, geometry, hint);
    button->setText(QString::fromUtf8(caption));
    button->setCheckable(true);
    return button;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QRect& geometry,
                        const char* caption, const char* hint) {
    auto* button = make<QPushButton>(parent, name, geometry, hint);
    button->setText(QString::fromUtf8(caption));
    return button;
}

QLabel* makeCentredLabel(QWidget* parent, const char* name, const QRect& geometry,
                         const char* caption) {
    auto* label = make<QLabel>(parent, name, geometry);
    label->setText(widgets::displayText(caption));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void buildSelection(CameraGroupBox* group, CameraGroupControls& c) {
    c.cbDSLR = make<QComboBox>(group, "cbDSLR", QRect(8, 18, 108, 22));
    c.bDSLRConnect = makeButton(group, "bDSLRConnect", QRect(118, 18, 46, 22), "Start",
                                "Start controlling camera");
    c.bDSLRConnect->setEnabled(false);
    c.bDSLRDisconn = makeButton(group, "bDSLRDisconn", QRect(166, 18, 46, 22), "Stop",
                                "Stop controlling camera");
    c.bDSLRDisconn->setEnabled(false);
    c.bLog = makeButton(group, "bLog", QRect(214, 18, 46, 22), "Log", "Camera capability log");
    c.bLog->setEnabled(false);
    c.chDSLRAutoConnect = make<QCheckBox>(group, "chDSLRAutoConnect", QRect(8, 42, 60, 18));
    c.chDSLRAutoConnect->setText(QStringLiteral("Auto"));
    c.chLogAllDSLR =
        make<QCheckBox>(group, "chLogAllDSLR", QRect(70, 42, 120, 18), "Log all event");
    c.chLogAllDSLR->setText(QStringLiteral("Log all event"));
    c.lCamInfo = make<QLabel>(group, "lCamInfo", QRect(8, 61, kPanelWidth, 17));
    c.lCamInfo->setText(QStringLiteral("no cam"));
}

void buildStateLabels(CameraGroupBox* group, CameraGroupControls& c) {
    c.iCamLogo = make<QLabel>(group, "iCamLogo", QRect(10, kLogoTopIdle, 230, 60));
    c.iCamPic = make<QLabel>(group, "iCamPic", QRect(20, kPhotoTop, 230, 200));
    c.iCamPic->setScaledContents(true);
    c.lAvailable = makeCentredLabel(group, "lAvailable", QRect(60, 358, 150, 17), "available");
    c.lAvailable->hide();
    c.lConnecting =
        makeCentredLabel(group, "lConnecting", QRect(60, 358, 150, 17), "connecting...");
    c.lConnecting->hide();
    c.lConnectCam =
        makeCentredLabel(group, "lConnectCam", QRect(60, 210, 150, 40), " Connect \r\na camera");
    QFont prompt = c.lConnectCam->font();
    prompt.setPointSize(prompt.pointSize() + 4);
    prompt.setBold(true);
    c.lConnectCam->setFont(prompt);
}

// Exposure row: mode, shutter, aperture, ISO; then size, compression, WB.
void buildExposureLists(QWidget* panel, ShootingControls& s) {
    s.cbMode = makeList(panel, "cbMode", QRect(0, 0, 41, 22), "Exposure mode setting",
                        {"P", "A", "S", "M"}, 3);
    s.cbShutter =
        make<QComboBox>(panel, "cbShutter", QRect(45, 0, 70, 22), "Shutter speed setting");
    s.cbAperture = make<QComboBox>(panel, "cbAperture", QRect(119, 0, 65, 22), "Aperture setting");
    s.cbISO = make<QComboBox>(panel, "cbISO", QRect(188, 0, 73, 22), "ISO setting (ASA)");
    // The colour temperatures ("10000") and image sizes take the room they
    // need; the camera's own lists in between give way.
    s.cbImageSize = makeList(panel, "cbImageSize", QRect(0, kRow, 67, 22), "Image size setting",
                             {"Large", "Med.", "Small"}, 0);
    s.cbCompression = make<QComboBox>(panel, "cbCompression", QRect(71, kRow, 56, 22),
                                      "Compression level setting");
    s.cbWBmode = make<QComboBox>(panel, "cbWBmode", QRect(131, kRow, 55, 22), "White Balance mode");
    s.cbColorTemp =
        make<QComboBox>(panel, "cbColorTemp", QRect(190, kRow, 71, 22), "Color temperature");
}

void buildExposureScale(QWidget* panel, ShootingControls& s) {
    s.lExpCom = make<QLabel>(panel, "lExpCom", QRect(12, 2 * kRow, 240, 14));
    s.lExpCom->setText(QStringLiteral("-5  -4  -3  -2  -1   0  +1  +2  +3  +4  +5"));
    // Sized in pixels like the slider it labels: a larger desktop font must
    // not push the numbers off the ticks.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(kScalePixelSize);
    s.lExpCom->setFont(fixed);
    s.tbExpoCorr =
        make<QSlider>(panel, "tbExpoCorr", QRect(8, 2 * kRow + 14, 223, 22), "Exposure correction");
    s.tbExpoCorr->setOrientation(Qt::Horizontal);
    s.tbExpoCorr->setRange(0, 30);
    s.tbExpoCorr->setValue(15);
    s.tbExpoCorr->setTickInterval(3);
    s.tbExpoCorr->setTickPosition(QSlider::TicksBelow);
    s.tbExpoCorr->setPageStep(3);
    exposurescale::alignToSlider(*s.lExpCom, *s.tbExpoCorr);
    s.tbExposureStatus = make<QSlider>(panel, "tbExposureStatus", QRect(8, 2 * kRow + 36, 223, 14),
                                       "Exposure status");
    s.tbExposureStatus->setOrientation(Qt::Horizontal);
    s.tbExposureStatus->setRange(0, 30);
    s.tbExposureStatus->setValue(15);
    s.tbExposureStatus->setEnabled(false);
    s.lRemainPic = make<QLabel>(panel, "lRemainPic", QRect(236, 2 * kRow + 20, 25, 17),
                                "Remaining continuous shots");
    s.lRemainPic->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

// AF point picker with its arrows, AF/Expo/Lock buttons and battery.
void buildFocusRow(QWidget* panel, ShootingControls& s, FocusControls& f) {
    constexpr int kTop = 4 * kRow - 2;
    f.bAFLeft =
        makeButton(panel, "bAFLeft", QRect(0, kTop + 11, 18, 22), "<", "Move AF point left");
    f.iFocus = make<PaintBox>(panel, "iFocus", QRect(20, kTop, 96, 43), "AF point");
    f.bAFRight =
        makeButton(panel, "bAFRight", QRect(118, kTop + 11, 18, 22), ">", "Move AF point right");
    f.bAFUp = makeButton(panel, "bAFUp", QRect(140, kTop, 20, 21), "^", "Move AF point up");
    f.bAFDown =
        makeButton(panel, "bAFDown", QRect(140, kTop + 22, 20, 21), "v", "Move AF point down");
    f.bAF = makeButton(panel, "bAF", QRect(164, kTop, 46, 21), "AF", "Autofocus");
    s.bExpo = makeButton(panel, "bExpo", QRect(214, kTop, 47, 21), "Expo", "Expo with AF");
    s.bExpo->setDefault(true);
    s.sbLock = makeSpeedButton(panel, "sbLock", QRect(164, kTop + 22, 46, 21), "Lock", "Edit/Lock");
    s.pbBatteryLevel =
        make<QProgressBar>(panel, "pbBatteryLevel", QRect(214, kTop + 24, 47, 17), "Battery level");
    s.pbBatteryLevel->setRange(0, 100);
    s.pbBatteryLevel->setValue(0);
    s.pbBatteryLevel->setFormat(QStringLiteral("%p%"));
    s.pbBatteryLevel->setTextVisible(true);
}

void buildAfLists(QWidget* panel, ShootingControls& s, FocusControls& f) {
    constexpr int kTop = 6 * kRow - 6;
    f.cbAFmode =
        makeList(panel, "cbAFmode", QRect(0, kTop, 60, 22), "AF mode", {"AF-S", "AF-C", "MF"}, 0);
    f.cbFocusAreaMode =
        make<QComboBox>(panel, "cbFocusAreaMode", QRect(64, kTop, 96, 22), "Focus area mode");
    s.cbFlashMode = make<QComboBox>(panel, "cbFlashMode", QRect(164, kTop, 97, 22));
}

void buildSettingsPanel(CameraGroupBox* group, WindowControls& c) {
    auto* panel = make<QWidget>(group, "pDSLRctrl", QRect(4, 82, kPanelWidth, 6 * kRow + 18));
    c.camera.pDSLRctrl = panel;
    buildExposureLists(panel, c.shooting);
    buildExposureScale(panel, c.shooting);
    buildFocusRow(panel, c.shooting, c.focus);
    buildAfLists(panel, c.shooting, c.focus);
    panel->hide();
}

// Four rows, each list as wide as its longest item: RAW, JPEG and the
// cards, then metering, crop and colour space.
void buildExtraPanel(CameraGroupBox* group, ShootingControls& s, CameraGroupControls& c) {
    auto* panel = make<QWidget>(group, "pExtraCtrl", QRect(4, 388, kPanelWidth, 4 * kRow + 4));
    c.pExtraCtrl = panel;
    s.cbRawCompress = makeList(panel, "cbRawCompress", QRect(0, 0, 170, 22), "RAW compress mode",
                               {"Uncompressed", "Compressed", "Lossless compressed"}, 2);
    s.cbRAWbit = makeList(panel, "cbRAWbit", QRect(174, 0, 87, 22), "", {"12-bit", "14-bit"}, 0);
    s.cbJPEGCompress = makeList(panel, "cbJPEGCompress", QRect(0, kRow, 134, 22),
                                "JPEG compress method", {"Size priority", "Optimal quality"}, 1);
    s.cbSaveMedia = makeList(panel, "cbSaveMedia", QRect(138, kRow, 123, 22), "Save media",
                             {"Card", "SDRAM", "Card+SDRAM"}, 2);
    s.cbSlot2Mode =
        makeList(panel, "cbSlot2Mode", QRect(0, 2 * kRow, 170, 22), "Slot 2 record mode",
                 {"Overflow", "Backup", "Prim: RAW, Sec: JPEG"}, 2);
    s.cbPrimarySlot = makeList(panel, "cbPrimarySlot", QRect(174, 2 * kRow, 87, 22), "Primary slot",
                               {"CF card", "SD card"}, 0);
    s.cbMeteringMode = makeList(panel, "cbMeteringMode", QRect(0, 3 * kRow, 94, 22), "",
                                {"Matrix", "Center-w.", "Spot", "AF spot"}, 0);
    s.cbMeteringMode->setEnabled(false);
    s.cbCCDmode = makeList(panel, "cbCCDmode", QRect(98, 3 * kRow, 60, 22), "CCD crop mode",
                           {"FF", "APS", "5:4", "1.2x"}, 1);
    s.cbColorSpace = makeList(panel, "cbColorSpace", QRect(162, 3 * kRow, 99, 22), "Color space",
                              {"sRGB", "AdobeRGB"}, 1);
    panel->hide();
}

// Live view and movie switches; the logo sits below this panel while connected.
void buildLiveViewPanel(CameraGroupBox* group, WindowControls& c) {
    auto* panel = make<QWidget>(group, "pLiveView", QRect(4, 276, kPanelWidth, 30));
    c.camera.pLiveView = panel;
    c.liveView.sbLiveView = makeSpeedButton(panel, "sbLiveView", QRect(0, 4, 70, 22), "LiveView",
                                            "Start/Stop LiveView");
    c.movie.sbMovie =
        makeSpeedButton(panel, "sbMovie", QRect(74, 4, 56, 22), "Movie", "Start/Stop Movie mode");
    c.movie.sbRecord = makeSpeedButton(panel, "sbRecord", QRect(134, 4, 44, 22), "Rec",
                                       "Start/Stop movie recording");
    QFont bold = c.movie.sbRecord->font();
    bold.setBold(true);
    c.movie.sbRecord->setFont(bold);
    // Maroon while it can be pressed; greyed like any other control while not.
    c.movie.sbRecord->setStyleSheet(
        QStringLiteral("QToolButton { color: #800000; } QToolButton:disabled { color: #a0a0a0; }"));
    c.movie.sbRecord->setEnabled(false);
    c.movie.lMovieTime = make<QLabel>(panel, "lMovieTime", QRect(184, 4, 77, 22),
                                      "Remaining time of movie recording");
    c.movie.lMovieTime->setText(QStringLiteral("00:00"));
    c.movie.lMovieTime->setVisible(false);
    panel->hide();
}

} // namespace

void buildCameraGroup(QWidget* page, WindowControls& controls) {
    auto* group = make<CameraGroupBox>(page, "gbDSLR",
                                       QRect(kCameraGroupLeft, kCameraGroupTop, kCameraGroupWidth,
                                             WindowLayoutRules::kShortGroupHeight));
    group->setTitle(QStringLiteral("Camera control"));
    controls.camera.gbDSLR = group;
    buildSelection(group, controls.camera);
    buildStateLabels(group, controls.camera);
    buildSettingsPanel(group, controls);
    buildExtraPanel(group, controls.shooting, controls.camera);
    buildLiveViewPanel(group, controls);
}

} // namespace mainpage
