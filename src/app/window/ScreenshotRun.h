#pragma once
// A scripted start for demonstrations without a screen: once the window is
// up it starts the camera connection (Start, or "Auto" doing it), waits for
// it, optionally switches live view on and waits for its frames, saves a
// picture of the window and ends the program.
#include <QObject>
#include <QString>
#include <QTimer>

class TfMain;

class ScreenshotRun : public QObject {
    Q_OBJECT
public:
    static constexpr int kPoll_ms = 100;
    // Give up waiting for the connection after this long and save what shows.
    static constexpr int kConnectLimit_ms = 15000;
    // Let the window paint the connected state before grabbing it.
    static constexpr int kSettle_ms = 500;

    // Frames live view shows before the picture, and the longest wait for them.
    // Long enough for the frame rate, counted per second, to show.
    static constexpr int kLiveFrames = 30;
    static constexpr int kLiveViewAtLeast_ms = 2500;
    static constexpr int kLiveViewLimit_ms = 10000;

    ScreenshotRun(TfMain& window, QString path, bool liveView = false, QObject* parent = nullptr);

    // Starts watching; the application quits with 0 when the picture was
    // saved and connected, 1 otherwise.
    void start();

private:
    void poll();
    void connected();
    void waitForFrames();
    void capture();

    TfMain& m_window;
    QString m_path;
    QTimer m_timer;
    int m_waited_ms = 0;
    bool m_clicked = false;
    bool m_focusing = false; // AF pressed in live view
    bool m_liveView = false;
    QTimer m_frames;
    int m_framesWaited_ms = 0;
};
