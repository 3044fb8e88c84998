#pragma once
// Movie live view and recording: the "Movie" button (live view with the
// movie selector and the movie settings in the exposure lists), the "Rec"
// button, the movie size and quality, and the microphone settings. The
// camera records on its card; the finished movie arrives later as a new
// item, which the transfer fetches like any picture. The live view loop
// draws the sound meter and the movie time.
#include "liveview/LiveViewMode.h"
#include "widgets/WindowControls.h"

#include <QObject>

#include <cstdint>
#include <functional>

class CameraLink;
class CameraSession;
class FocusHandlers;
class LogSink;

class MovieMode : public QObject {
    Q_OBJECT
public:
    // Movie live view steers the same controls as photo live view.
    using Controls = LiveViewMode::Controls;
    // The settings lists belong to the connection: movie mode asks for them
    // to be refilled for movie live view and, leaving it, for still shooting.
    struct Lists {
        std::function<void()> refillForMovie;
        std::function<void()> refillForStill;
    };
    // Needs the shared live view start and stop steps and the zoom list's
    // handler (recording starts at full view).
    MovieMode(Controls controls, CameraSession& session, LiveViewMode& liveView,
              FocusHandlers& focus, LogSink& log, Lists lists, QObject* parent = nullptr);

    void sbMovieClick();
    void sbRecordClick();
    void cbMovieSizeChange();
    void cbMovieQualityChange();
    void cbMicLevelTypeChange();
    void udMicLevelClick();

private:
    void connectControls();
    void enterMovieLiveView();
    void leaveMovieLiveView();
    void startRecording();
    void endRecording();
    void followRecordingStatus();
    std::string refusalReason();
    void showLogoUnlessControls();
    bool connected() const;
    CameraLink& link() const;

    Controls m_c;
    CameraSession& m_session;
    LiveViewMode& m_liveView;
    FocusHandlers& m_focus;
    LogSink& m_log;
    Lists m_lists;
};
