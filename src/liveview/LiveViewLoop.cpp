#include "liveview/LiveViewLoop.h"

#include "camera/MicrophoneMode.h"
#include "session/CameraSession.h"
#include "session/CameraTick.h"
#include "session/StatePoll.h"
#include "widgets/PaintBox.h"

#include <exception>
#include <utility>

LiveViewLoop::LiveViewLoop(Controls controls, CameraSession& session, const StatePoll& poll,
                           QObject* parent)
    : QObject(parent), m_c(controls), m_session(session), m_poll(poll), m_fetcher(session.link()),
      m_labels(controls.liveView.pbLiveView->font()), m_aids(controls.liveView.pbLiveView->font()) {
    m_tick =
        std::make_unique<CameraTick>(m_c.tLiveView, session.link(), [this] { tLiveViewTimer(); });
}

LiveViewLoop::~LiveViewLoop() = default;

void LiveViewLoop::restart() {
    m_remaining = RemainingTime();
    m_timeShown = -2;
}

void LiveViewLoop::tLiveViewTimer() {
    if (m_c.liveView.pbLiveView->isHidden()) {
        m_c.tLiveView.stop(); // paused until something starts it again
        return;
    }
    // The timer keeps running through the frame: nothing in a frame runs
    // the event loop, and a tick that finds the camera layer inside a
    // request is skipped by the gate, so ticks never overlap. (Stopping and
    // restarting it would register a new timer on every frame.)
    const std::span<const uint8_t> jpeg = m_fetcher.FetchLiveViewFrame();
    if (!jpeg.empty()) {
        try {
            showFrame(jpeg);
        } catch (const std::exception&) {
            countDropped();
        }
    }
}

void LiveViewLoop::showFrame(std::span<const uint8_t> jpeg) {
    if (!m_decoder.decode(jpeg, m_aids.needsColours())) {
        countDropped();
        return;
    }
    QImage& bitmap = m_decoder.bitmap();
    m_fields = ReadLiveViewFields(m_fetcher.header());
    placeImage(bitmap);
    m_rate.frame(static_cast<int32_t>(m_poll.HalfSecondTicks()));
    showTexts(bitmap);
    m_c.bAF->setEnabled(!m_fields.focusDriving);
    PaintBox* box = m_c.liveView.pbLiveView;
    showAidReadings(m_aids.apply(bitmap, QSize(box->width(), box->height()), m_decoder.luma()));
    DrawLiveImageFrames(bitmap, LiveImageFrames(m_fields), m_labels);
    if (soundMeterShown()) {
        DrawSoundMeter(bitmap, m_fields);
    }
    CopyInto(box->canvas(), bitmap);
    box->update();
    drawNavigator();
    ++m_shown;
}

void LiveViewLoop::placeImage(const QImage& bitmap) {
    PaintBox* box = m_c.liveView.pbLiveView;
    const int top = (m_c.liveView.gbPreview->contentsRect().height() - bitmap.height()) / 2;
    if (box->height() != bitmap.height() || box->y() != top) {
        box->setGeometry(box->x(), top, box->width(), bitmap.height());
    }
}

void LiveViewLoop::showTexts(const QImage& bitmap) {
    const int32_t fps = m_rate.FpsShown();
    if (bitmap.width() != m_infoWidth || bitmap.height() != m_infoHeight || fps != m_infoFps) {
        m_infoWidth = bitmap.width();
        m_infoHeight = bitmap.height();
        m_infoFps = fps;
        m_c.liveView.lImageInfo->setText(
            QStringLiteral("%1x%2 %3 fps").arg(m_infoWidth).arg(m_infoHeight).arg(fps));
    }
    const auto movieSeconds = static_cast<int32_t>(m_fields.movieTime_ms / 1000);
    if (movieSeconds != m_movieSeconds) {
        m_movieSeconds = movieSeconds;
        m_c.movie.lMovieTime->setText(QString::fromStdString(MovieTimeText(m_fields.movieTime_ms)));
    }
    const int32_t remaining = m_remaining.seconds(static_cast<uint16_t>(m_fields.remainingSeconds),
                                                  static_cast<int32_t>(m_poll.LvSeconds()));
    const int32_t shown = m_c.movie.sbRecord->isChecked() ? -1 : remaining;
    if (shown != m_timeShown) {
        m_timeShown = shown;
        m_c.liveView.lLVtime->setText(shown < 0 ? QStringLiteral("-")
                                                : QString::fromStdString(LiveViewTimeText(shown)));
    }
}

// In movie live view, unless the microphone is off.
bool LiveViewLoop::soundMeterShown() const {
    const MovieControls& m = m_c.movie;
    return m.sbMovie && m.sbMovie->isChecked() && m.cbMicLevelType &&
           m.cbMicLevelType->currentIndex() != orv::kMicrophoneOff;
}

void LiveViewLoop::drawNavigator() {
    PaintBox* nav = m_c.liveView.pbLV;
    const PaintBox* image = m_c.liveView.pbLiveView;
    const NavigatorGeometry geometry = Navigator(m_fields, nav->width());
    if (!geometry.valid) {
        return;
    }
    const QRect place(image->x() + image->width(), image->y(), nav->width(), geometry.height);
    if (nav->geometry() != place) {
        nav->setGeometry(place);
    }
    DrawNavigator(nav->canvas(), geometry);
    nav->update();
}

void LiveViewLoop::showAidReadings(const AidReadings& readings) {
    if (readings == m_aidReadings || m_c.lAidReadings == nullptr) {
        return;
    }
    m_aidReadings = readings;
    // The shares change with every frame; the label only when the text does.
    QString text = AidReadingsText(readings);
    if (text != m_aidText) {
        m_aidText = std::move(text);
        m_c.lAidReadings->setText(m_aidText);
    }
}

void LiveViewLoop::countDropped() {
    ++m_dropped;
    m_c.liveView.lImageInfo->setToolTip(QStringLiteral("Frames dropped: %1").arg(m_dropped));
}
