#pragma once
// The main window's controls, grouped by the subsystem whose handlers use
// them. The structs hold non-owning pointers (the widgets belong to the
// window's Qt object tree); each handler class receives only its groups.
// Member names are the control names the program's documentation uses.
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include "widgets/NumEdit.h"
#include "widgets/umEdit.h"

class CameraGroupBox;
class ImageView;
class PaintBox;

// The four pages in page order.
struct PageControls {
    QTabWidget* PageControl = nullptr;
    QWidget* tsMain = nullptr;
    QWidget* tsTexts = nullptr;
    QWidget* tsLog = nullptr;
    QWidget* tsAbout = nullptr;
};

// Connect/disconnect, camera selection, state labels and model pictures.
struct CameraGroupControls {
    CameraGroupBox* gbDSLR = nullptr;
    QComboBox* cbDSLR = nullptr;
    QPushButton* bDSLRConnect = nullptr;
    QPushButton* bDSLRDisconn = nullptr;
    QPushButton* bLog = nullptr;
    QCheckBox* chDSLRAutoConnect = nullptr;
    QCheckBox* chLogAllDSLR = nullptr;
    QLabel* lCamInfo = nullptr;
    QLabel* lAvailable = nullptr;
    QLabel* lConnecting = nullptr;
    QLabel* lConnectCam = nullptr;
    QLabel* iCamPic = nullptr;
    QLabel* iCamLogo = nullptr;
    QWidget* pDSLRctrl = nullptr;
    QWidget* pExtraCtrl = nullptr;
    QWidget* pLiveView = nullptr;
};

// Shooting settings of the camera control panels, exposure and capture.
struct ShootingControls {
    QComboBox* cbMode = nullptr;
    QComboBox* cbShutter = nullptr;
    QComboBox* cbAperture = nullptr;
    QComboBox* cbISO = nullptr;
    QComboBox* cbImageSize = nullptr;
    QComboBox* cbCompression = nullptr;
    QComboBox* cbWBmode = nullptr;
    QComboBox* cbColorTemp = nullptr;
    QComboBox* cbFlashMode = nullptr;
    QSlider* tbExpoCorr = nullptr;
    QLabel* lExpCom = nullptr;
    QSlider* tbExposureStatus = nullptr;
    QLabel* lRemainPic = nullptr;
    QPushButton* bExpo = nullptr;
    QToolButton* sbLock = nullptr;
    QProgressBar* pbBatteryLevel = nullptr;
    // Extra settings (pExtraCtrl).
    QComboBox* cbRAWbit = nullptr;
    QComboBox* cbMeteringMode = nullptr;
    QComboBox* cbCCDmode = nullptr;
    QComboBox* cbRawCompress = nullptr;
    QComboBox* cbJPEGCompress = nullptr;
    QComboBox* cbColorSpace = nullptr;
    QComboBox* cbSlot2Mode = nullptr;
    QComboBox* cbPrimarySlot = nullptr;
    QComboBox* cbSaveMedia = nullptr;
};

// AF point picker, AF button, manual focus strip and the AF/zoom lists.
struct FocusControls {
    PaintBox* iFocus = nullptr;
    QPushButton* bAF = nullptr;
    QPushButton* bAFUp = nullptr;
    QPushButton* bAFDown = nullptr;
    QPushButton* bAFLeft = nullptr;
    QPushButton* bAFRight = nullptr;
    QComboBox* cbAFmode = nullptr;
    QComboBox* cbFocusAreaMode = nullptr;
    PaintBox* iContrastAF = nullptr;
    QComboBox* cbLVAF = nullptr;
    QComboBox* cbLVzoom = nullptr;
};

// The preview area and the live view loop's controls.
struct LiveViewControls {
    QToolButton* sbLiveView = nullptr;
    QGroupBox* gbPreview = nullptr;
    PaintBox* pbLiveView = nullptr;
    PaintBox* pbLV = nullptr;
    ImageView* Image = nullptr;
    QWidget* pLiveviewCtrl = nullptr;
    QLabel* lImageInfo = nullptr;
    QLabel* lLVtime = nullptr;
    QCheckBox* cbLVExpoPreview = nullptr;
};

// The live view aids row under the live image. Each aid is a checkable
// button; the guides and the aids' levels and colours are menu entries
// whose data is the value they stand for.
struct LiveViewAidControls {
    QWidget* pAids = nullptr;
    QToolButton* sbHistogram = nullptr;
    QToolButton* sbWaveform = nullptr;
    QToolButton* sbZebras = nullptr;
    QToolButton* sbPeaking = nullptr;
    QToolButton* sbFalseColour = nullptr;
    QToolButton* sbSpot = nullptr;
    QToolButton* bGuides = nullptr;
    QToolButton* sbMagnify = nullptr;
    QToolButton* bAidOptions = nullptr;
    QLabel* lAidReadings = nullptr;
    QActionGroup* agGuides = nullptr; // not exclusive: guides combine
    QActionGroup* agHistogramKind = nullptr;
    QActionGroup* agZebraLevel = nullptr;
    QActionGroup* agShadowLevel = nullptr;
    QActionGroup* agPeakingColour = nullptr;
    QActionGroup* agPeakingThreshold = nullptr;
};

// Movie mode, recording and microphone.
struct MovieControls {
    QToolButton* sbMovie = nullptr;
    QToolButton* sbRecord = nullptr;
    QLabel* lMovieTime = nullptr;
    QComboBox* cbMovieSize = nullptr;
    QComboBox* cbMovieQuality = nullptr;
    QComboBox* cbMicLevelType = nullptr;
    TIntEdit* ieMicLevel = nullptr;
    QSpinBox* udMicLevel = nullptr;
};

// The "Images" group: directory, prefix, number, type indicators, preview.
struct ImageGroupControls {
    QGroupBox* gbImage = nullptr;
    QLineEdit* eImageDir = nullptr;
    QToolButton* bbOpenImageDir = nullptr;
    QLabel* lLast = nullptr;
    TumEdit* eImgPrefix = nullptr;
    QLabel* lActImg = nullptr;
    QSpinBox* udActImg = nullptr;
    QCheckBox* chJPG = nullptr;
    QCheckBox* chORW = nullptr;
    QCheckBox* chTIF = nullptr;
    QCheckBox* chMOV = nullptr;
    QPushButton* bViewJPG = nullptr;
    QToolButton* sbPreview = nullptr;
    QCheckBox* chCloseImage = nullptr;
    QProgressBar* ProgressBar = nullptr;
};

// The "Info" page: identity, clocks, camera texts and manual lens data.
struct InfoPageControls {
    QGroupBox* gbInfo = nullptr;
    QLabel* lCamNameVal = nullptr;
    QLabel* lLensNameVal = nullptr;
    QLabel* lCamSerialVal = nullptr;
    QLabel* lCamFirmwareVal = nullptr;
    QLabel* lCamTimeVal = nullptr;
    QLabel* lPCTimeVal = nullptr;
    QPushButton* bAdjustTime = nullptr;
    QGroupBox* gbTexts = nullptr;
    QPushButton* bSaveToCam = nullptr;
    QPushButton* bRefresh = nullptr;
    QPushButton* Button2 = nullptr;
    QGroupBox* gbManualLens = nullptr;
    QPushButton* bSaveManualLens = nullptr;
};

// The "Status" page: the slot the message log view goes into.
struct StatusPageControls {
    QWidget* logSlot = nullptr;
};

// The "About" page.
struct AboutPageControls {
    QWidget* pAbout = nullptr;
    QFrame* pPhoto = nullptr;
    QLabel* iPhoto = nullptr;
    QTextBrowser* reAbout = nullptr;
    QPlainTextEdit* mChangelog = nullptr;
};

// The window's four timers, created stopped with their intervals.
struct WindowTimers {
    QTimer* tCamSync = nullptr;
    QTimer* Timer = nullptr;
    QTimer* tLiveView = nullptr;
    QTimer* tHTMLQueue = nullptr;
};

// Everything above, as TfMain holds it.
struct WindowControls {
    PageControls pages;
    CameraGroupControls camera;
    ShootingControls shooting;
    FocusControls focus;
    LiveViewControls liveView;
    LiveViewAidControls aids;
    MovieControls movie;
    ImageGroupControls images;
    InfoPageControls info;
    StatusPageControls status;
    AboutPageControls about;
    WindowTimers timers;
};
