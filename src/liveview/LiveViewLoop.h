#pragma once
// The live view loop on `tLiveView`: one frame per tick, in stages that can
// each be measured — fetch (camera layer), decode into the reused bitmap,
// overlay geometry from the header, drawing, then the navigator and the
// texts. Ticks never pile up: a frame is done within its tick. A hidden
// `pbLiveView` (a still shown with View) stops the timer at the next tick,
// and the loop waits until something starts it again. A damaged frame is dropped and
// counted, never reported line by line: the count is in `lImageInfo`'s tool
// tip, so a broken cable can be told from a frozen camera.
#include "camera/LiveViewFrame.h"
#include "liveview/LiveViewAids.h"
#include "liveview/LiveViewClock.h"
#include "liveview/LiveViewDecoder.h"
#include "liveview/LiveViewFields.h"
#include "liveview/LiveViewPainting.h"
#include "widgets/WindowControls.h"

#include <QObject>

#include <memory>

class CameraSession;
class CameraTick;
class StatePoll;

class LiveViewLoop : public QObject {
    Q_OBJECT
public:
    struct Controls {
        LiveViewControls liveView;
        QPushButton* bAF = nullptr;
        MovieControls movie; // the record button, movie time and sound meter switches
        QLabel* lAidReadings = nullptr;
        QTimer& tLiveView;
    };

    LiveViewLoop(Controls controls, CameraSession& session, const StatePoll& poll,
                 QObject* parent = nullptr);
    ~LiveViewLoop() override;

    // One frame, as the timer runs it.
    void tLiveViewTimer();
    // Counters that belong to one live view session start again.
    void restart();

    // The last frame's header fields (zero before the first frame).
    const LiveViewFields& fields() const { return m_fields; }
    int droppedFrames() const { return m_dropped; }
    int shownFrames() const { return m_shown; }
    // The aids drawn on each frame and the last frame's readings.
    LiveViewAids& aids() { return m_aids; }
    const AidReadings& aidReadings() const { return m_aidReadings; }

private:
    void showFrame(std::span<const uint8_t> jpeg);
    void placeImage(const QImage& bitmap);
    void showTexts(const QImage& bitmap);
    void drawNavigator();
    void showAidReadings(const AidReadings& readings);
    bool soundMeterShown() const;
    void countDropped();

    Controls m_c;
    CameraSession& m_session;
    const StatePoll& m_poll;
    LiveViewFetcher m_fetcher;
    LiveViewDecoder m_decoder;
    FaceLabels m_labels;
    LiveViewAids m_aids;
    AidReadings m_aidReadings;
    QString m_aidText; // as the label shows it
    FrameRateCounter m_rate;
    RemainingTime m_remaining;
    LiveViewFields m_fields;
    std::unique_ptr<CameraTick> m_tick;
    // What the labels show, so that they are set only when it changes.
    int m_infoWidth = -1;
    int m_infoHeight = -1;
    int32_t m_infoFps = -1;
    int32_t m_movieSeconds = -1;
    int32_t m_timeShown = -2; // -1: "-"
    int m_dropped = 0;
    int m_shown = 0;
};
