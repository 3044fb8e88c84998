#pragma once
// Live view during the shoot, as the window runs it: switched on through the
// program's connection, frames fetched on a timer whose ticks wait while the
// camera layer is busy (a transfer), and ended by the program or by the
// camera body. It stands in for the window's live view loop, which the
// tethering run does not have.
#include <QTimer>

#include <memory>

class CameraLink;
class CameraTick;
class LiveViewFetcher;

class SoakLiveView {
public:
    explicit SoakLiveView(CameraLink& link);
    ~SoakLiveView();

    // False when the camera does not take it.
    bool start();
    // Ends live view; `byBody`: the camera body ends it, not the program.
    void stop(bool byBody, int camera);
    bool running() const { return m_timer.isActive(); }
    int frames() const { return m_frames; }

private:
    void frame();

    CameraLink& m_link;
    QTimer m_timer;
    std::unique_ptr<LiveViewFetcher> m_fetcher;
    std::unique_ptr<CameraTick> m_tick;
    int m_frames = 0;
};
