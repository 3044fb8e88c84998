#pragma once
// Photo live view: the "LiveView" button, the start and stop steps shared
// with movie live view, the clicks on the live image and the navigator that
// move the contrast-AF point, and the exposure preview box. The camera
// answers a new AF point in the next frame's header; nothing is drawn at
// click time.
#include "widgets/WindowControls.h"

#include <QObject>
#include <QPoint>

#include <functional>

class CameraSession;
class LiveViewLoop;
class LogSink;
class StatePoll;

class LiveViewMode : public QObject {
    Q_OBJECT
public:
    struct Controls {
        CameraGroupControls camera;
        LiveViewControls liveView;
        FocusControls focus;
        MovieControls movie;
        QToolButton* sbLock = nullptr;
        QTimer& tLiveView;
    };
    // The settings lists belong to the connection: live view asks for them
    // to be refilled for photo live view (true) or still shooting (false).
    using RefillLists = std::function<void(bool photoLiveView)>;

    LiveViewMode(Controls controls, CameraSession& session, StatePoll& poll, LiveViewLoop& loop,
                 LogSink& log, RefillLists refillLists, QObject* parent = nullptr);

    void sbLiveViewClick();
    void StartLiveView();
    void StopLiveView();
    void pbLiveViewMouseDown(QPoint position);
    void pbLVMouseDown(QPoint position);
    void cbLVExpoPreviewClick();

private:
    void enterPhotoLiveView();
    void leaveLiveView();
    void showLogoUnlessControls();
    void writeContrastArea(int x, int y);
    bool connected() const;

    Controls m_c;
    CameraSession& m_session;
    StatePoll& m_poll;
    LiveViewLoop& m_loop;
    LogSink& m_log;
    RefillLists m_refillLists;
};
