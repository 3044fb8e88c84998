#include "liveview/MovieMode.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/EnumValueText.h"
#include "camera/LogSink.h"
#include "camera/MicrophoneMode.h"
#include "camera/SourceShortcuts.h"
#include "liveview/FocusHandlers.h"
#include "liveview/LiveViewMode.h"
#include "session/CameraSession.h"
#include "widgets/CameraGroupBox.h"
#include "widgets/PaintBox.h"

#include <QSignalBlocker>

using namespace orv;

namespace {

constexpr uint32_t kMovieSelector = 1;
constexpr uint32_t kRecordingOn = 1;
constexpr uint32_t kRecordingOff = 0;
constexpr int kFullView = 0;
// Bits of "Movie record in card prohibit" that say what is wrong with the card.
constexpr uint32_t kCardProblems = 0x800 | 0x08 | 0x04 | 0x02 | 0x01;

void showQuietly(QComboBox* list, int index) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index < list->count() ? index : -1);
}

} // namespace

MovieMode::MovieMode(Controls controls, CameraSession& session, LiveViewMode& liveView,
                     FocusHandlers& focus, LogSink& log, Lists lists, QObject* parent)
    : QObject(parent), m_c(controls), m_session(session), m_liveView(liveView), m_focus(focus),
      m_log(log), m_lists(std::move(lists)) {
    connectControls();
}

void MovieMode::connectControls() {
    const MovieControls& m = m_c.movie;
    connect(m.sbMovie, &QToolButton::clicked, this, &MovieMode::sbMovieClick);
    connect(m.sbRecord, &QToolButton::clicked, this, &MovieMode::sbRecordClick);
    connect(m.cbMovieSize, &QComboBox::currentIndexChanged, this, &MovieMode::cbMovieSizeChange);
    connect(m.cbMovieQuality, &QComboBox::currentIndexChanged, this,
            &MovieMode::cbMovieQualityChange);
    connect(m.cbMicLevelType, &QComboBox::currentIndexChanged, this,
            &MovieMode::cbMicLevelTypeChange);
    connect(m.udMicLevel, &QSpinBox::valueChanged, this, &MovieMode::udMicLevelClick);
    connect(&m_session, &CameraSession::capabilityValueChanged, this, [this](uint32_t capId) {
        if (capId == kCapMovieRecordStatus) {
            followRecordingStatus();
        }
    });
}

bool MovieMode::connected() const {
    return m_session.connected();
}

CameraLink& MovieMode::link() const {
    return m_session.link();
}

void MovieMode::sbMovieClick() {
    m_c.camera.iCamLogo->hide();
    m_c.camera.gbDSLR->update();
    if (m_c.movie.sbMovie->isChecked()) {
        enterMovieLiveView();
    } else if (!m_c.liveView.sbLiveView->isChecked()) {
        leaveMovieLiveView();
    }
    showLogoUnlessControls();
}

void MovieMode::enterMovieLiveView() {
    if (m_c.camera.chLogAllDSLR->isChecked()) {
        m_log.log("--- Movie mode ---");
    }
    // One group with the live view button: pressing one releases the other.
    m_c.liveView.sbLiveView->setChecked(false);
    CamObject* source = link().CurrentSource();
    // Coming over from photo live view, it is running already.
    if (link().values().getUnsigned(source, kCapLiveViewStatus) == 0) {
        m_liveView.StartLiveView();
    }
    link().shortcuts().setIndex(kCapLiveViewSelector, kMovieSelector);
    showQuietly(m_c.focus.cbLVzoom, link().shortcuts().index(kCapLiveViewZoom));
    m_c.movie.sbRecord->setEnabled(true);
    if (m_lists.refillForMovie) {
        m_lists.refillForMovie();
    }
}

void MovieMode::leaveMovieLiveView() {
    if (m_c.camera.chLogAllDSLR->isChecked()) {
        m_log.log("--- LiveView off ---");
    }
    m_c.tLiveView.stop();
    endRecording();
    m_liveView.StopLiveView();
    if (m_lists.refillForStill) {
        m_lists.refillForStill();
    }
    m_c.liveView.pbLV->update();
    m_c.sbLock->setEnabled(true);
}

void MovieMode::showLogoUnlessControls() {
    m_c.camera.iCamLogo->setVisible(m_c.liveView.pLiveviewCtrl->isHidden());
    m_c.camera.gbDSLR->update();
}

void MovieMode::sbRecordClick() {
    if (!connected()) {
        m_c.movie.sbRecord->setChecked(false);
        return;
    }
    if (m_c.movie.sbRecord->isChecked()) {
        startRecording();
    } else {
        link().values().setUnsigned(link().CurrentSource(), kCapMovieRecordStatus, kRecordingOff);
    }
}

// A movie is recorded at full view: the zoom goes back first, through the
// zoom list's own handler. The camera may refuse to start (no card, a full
// card, not in movie live view); it says so only by its status, so the
// status is read back.
void MovieMode::startRecording() {
    CamObject* source = link().CurrentSource();
    link().shortcuts().setIndex(kCapLiveViewSelector, kMovieSelector);
    m_focus.selectZoom(kFullView);
    link().values().setUnsigned(source, kCapMovieRecordStatus, kRecordingOn);
    if (link().values().getUnsigned(source, kCapMovieRecordStatus) == kRecordingOff) {
        m_c.movie.sbRecord->setChecked(false);
        m_log.elog("Movie recording did not start" + refusalReason() + ".");
    }
}

void MovieMode::endRecording() {
    if (m_c.movie.sbRecord->isChecked()) {
        link().values().setUnsigned(link().CurrentSource(), kCapMovieRecordStatus, kRecordingOff);
        m_c.movie.sbRecord->setChecked(false);
    }
}

// The camera ended a recording itself (a full card, live view ended on the
// body): the button must not go on saying it records.
void MovieMode::followRecordingStatus() {
    if (!m_c.movie.sbRecord->isChecked() || !connected()) {
        return;
    }
    if (link().values().getUnsigned(link().CurrentSource(), kCapMovieRecordStatus) ==
        kRecordingOff) {
        m_c.movie.sbRecord->setChecked(false);
        m_log.elog("Movie recording was stopped by the camera" + refusalReason() + ".");
    }
}

// What the camera says about its card, as ": Card full"; empty when nothing.
std::string MovieMode::refusalReason() {
    const uint32_t problems =
        link().values().getUnsigned(link().CurrentSource(), kCapMovieProhibit) & kCardProblems;
    const std::string text = problems != 0 ? EnumValueText(kCapMovieProhibit, problems) : "";
    return text.empty() ? std::string() : ": " + text;
}

void MovieMode::cbMovieSizeChange() {
    const int index = m_c.movie.cbMovieSize->currentIndex();
    if (connected() && index >= 0) {
        link().values().setUnsigned(link().CurrentSource(), kCapMovieScreenSize,
                                    static_cast<uint32_t>(index));
    }
}

// Drives the camera's movie image quality where it lets it be set; other
// cameras keep the choice in the window only.
void MovieMode::cbMovieQualityChange() {
    const int index = m_c.movie.cbMovieQuality->currentIndex();
    CamObject* source = connected() ? link().CurrentSource() : nullptr;
    if (source && index >= 0 && CameraLink::CapabilitySupports(source, kCapMovieQuality, kOpSet)) {
        link().values().setUnsigned(source, kCapMovieQuality, static_cast<uint32_t>(index));
    }
}

void MovieMode::cbMicLevelTypeChange() {
    const int index = m_c.movie.cbMicLevelType->currentIndex();
    if (connected() && index >= 0) {
        link().values().setUnsigned(link().CurrentSource(), kCapMovieMicrophone,
                                    MicrophoneModeValue(index));
    }
    m_c.movie.udMicLevel->setEnabled(index == kMicrophoneManual);
}

void MovieMode::udMicLevelClick() {
    const int level = m_c.movie.udMicLevel->value();
    m_c.movie.ieMicLevel->setValue(level);
    if (connected()) {
        link().values().setRangeByValue(link().CurrentSource(), kCapMovieMicValue, level);
    }
}
