#include "liveview/LiveViewMode.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/LogSink.h"
#include "camera/SourceShortcuts.h"
#include "liveview/LiveViewGeometry.h"
#include "liveview/LiveViewLoop.h"
#include "session/CameraSession.h"
#include "session/StatePoll.h"
#include "widgets/CameraGroupBox.h"
#include "widgets/ImageView.h"
#include "widgets/PaintBox.h"

using namespace orv;

namespace {
constexpr uint32_t kPhotoSelector = 0;
constexpr uint32_t kRecordingOff = 0;

// Shows the camera's value without running the list's handler, which would
// write it back; nothing is selected when the value is not in the list.
void showQuietly(QComboBox* list, int index) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index < list->count() ? index : -1);
}
} // namespace

LiveViewMode::LiveViewMode(Controls controls, CameraSession& session, StatePoll& poll,
                           LiveViewLoop& loop, LogSink& log, RefillLists refillLists,
                           QObject* parent)
    : QObject(parent), m_c(controls), m_session(session), m_poll(poll), m_loop(loop), m_log(log),
      m_refillLists(std::move(refillLists)) {
    const LiveViewControls& lv = m_c.liveView;
    connect(lv.sbLiveView, &QToolButton::clicked, this, &LiveViewMode::sbLiveViewClick);
    connect(lv.pbLiveView, &PaintBox::mousePressed, this,
            [this](QPoint at, Qt::MouseButton) { pbLiveViewMouseDown(at); });
    connect(lv.pbLV, &PaintBox::mousePressed, this,
            [this](QPoint at, Qt::MouseButton) { pbLVMouseDown(at); });
    connect(lv.cbLVExpoPreview, &QCheckBox::clicked, this, &LiveViewMode::cbLVExpoPreviewClick);
}

bool LiveViewMode::connected() const {
    return m_session.connected();
}

void LiveViewMode::StartLiveView() {
    CameraLink& link = m_session.link();
    CamObject* source = link.CurrentSource();
    link.values().setBoolean(source, kCapLockCamera, true);
    link.values().setUnsigned(source, kCapLiveViewStatus, 1);
    m_poll.resetLvSeconds();
    m_loop.restart();
    const LiveViewControls& lv = m_c.liveView;
    lv.Image->hide();
    lv.pbLiveView->show();
    m_c.tLiveView.start();
    const int afArea = static_cast<int>(link.values().getUnsigned(source, kCapLiveViewAfArea));
    showQuietly(m_c.focus.cbLVAF, afArea);
    lv.pLiveviewCtrl->show();
    m_c.sbLock->setEnabled(false);
    m_c.movie.sbRecord->setChecked(false);
}

void LiveViewMode::StopLiveView() {
    m_c.tLiveView.stop();
    CameraLink& link = m_session.link();
    link.values().setUnsigned(link.CurrentSource(), kCapLiveViewStatus, 0);
    link.values().setBoolean(link.CurrentSource(), kCapLockCamera, false);
    const LiveViewControls& lv = m_c.liveView;
    lv.Image->show();
    lv.pbLiveView->hide();
    lv.pLiveviewCtrl->hide();
    m_c.movie.sbRecord->setEnabled(false);
    lv.lImageInfo->clear();
}

void LiveViewMode::sbLiveViewClick() {
    m_c.camera.iCamLogo->hide();
    m_c.camera.gbDSLR->update();
    if (m_c.liveView.sbLiveView->isChecked()) {
        enterPhotoLiveView();
    } else if (!m_c.movie.sbMovie->isChecked()) {
        leaveLiveView();
    }
    showLogoUnlessControls();
}

void LiveViewMode::enterPhotoLiveView() {
    m_log.dslrLog("--- LiveView mode ---");
    // One group with the movie button: pressing one releases the other.
    m_c.movie.sbMovie->setChecked(false);
    CameraLink& link = m_session.link();
    CamObject* source = link.CurrentSource();
    // Coming over from movie live view, it is running already.
    if (link.values().getUnsigned(source, kCapLiveViewStatus) == 0) {
        StartLiveView();
    }
    // A recording ends with movie live view; the button goes up with it, or
    // the live view time would go on showing "-".
    if (m_c.movie.sbRecord->isChecked()) {
        link.values().setUnsigned(source, kCapMovieRecordStatus, kRecordingOff);
        m_c.movie.sbRecord->setChecked(false);
    }
    link.shortcuts().setIndex(kCapLiveViewSelector, kPhotoSelector);
    showQuietly(m_c.focus.cbLVzoom, link.shortcuts().index(kCapLiveViewZoom));
    m_c.movie.sbRecord->setEnabled(false);
    if (m_refillLists) {
        m_refillLists(true);
    }
}

void LiveViewMode::leaveLiveView() {
    if (m_c.camera.chLogAllDSLR->isChecked()) {
        m_log.log("--- LiveView off ---");
    }
    StopLiveView();
    if (m_refillLists) {
        m_refillLists(false);
    }
    m_c.liveView.pbLV->update();
    m_c.sbLock->setEnabled(true);
}

void LiveViewMode::showLogoUnlessControls() {
    m_c.camera.iCamLogo->setVisible(m_c.liveView.pLiveviewCtrl->isHidden());
    m_c.camera.gbDSLR->update();
}

void LiveViewMode::pbLiveViewMouseDown(QPoint position) {
    if (const auto point = LiveImageClickPoint(m_loop.fields(), position.x(), position.y())) {
        writeContrastArea(point->x, point->y);
    }
}

void LiveViewMode::pbLVMouseDown(QPoint position) {
    if (const auto point = NavigatorClickPoint(m_loop.fields(), m_c.liveView.pbLV->width(),
                                               position.x(), position.y())) {
        writeContrastArea(point->x, point->y);
    }
}

void LiveViewMode::writeContrastArea(int x, int y) {
    if (!connected()) {
        return;
    }
    CameraLink& link = m_session.link();
    link.values().setPoint(link.CurrentSource(), kCapContrastArea, PointRecord{x, y});
}

void LiveViewMode::cbLVExpoPreviewClick() {
    if (!connected()) {
        return;
    }
    m_session.link().shortcuts().setIndex(kCapLiveViewExposurePreview,
                                          m_c.liveView.cbLVExpoPreview->isChecked() ? 1 : 0);
}
