#include "app/window/ScreenshotRun.h"

#include "app/window/Main.h"
#include "connection/CameraConnection.h"
#include "liveview/LiveViewLoop.h"
#include "session/CameraSession.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>

ScreenshotRun::ScreenshotRun(TfMain& window, QString path, bool liveView, QObject* parent)
    : QObject(parent), m_window(window), m_path(std::move(path)), m_liveView(liveView) {
    m_timer.setInterval(kPoll_ms);
    connect(&m_timer, &QTimer::timeout, this, &ScreenshotRun::poll);
    m_frames.setInterval(kPoll_ms);
    connect(&m_frames, &QTimer::timeout, this, &ScreenshotRun::waitForFrames);
}

void ScreenshotRun::start() {
    m_timer.start();
}

void ScreenshotRun::poll() {
    m_waited_ms += kPoll_ms;
    const WindowControls& c = m_window.controls();
    if (m_window.session().connected()) {
        m_timer.stop();
        connected();
        return;
    }
    // "Auto" may have connected already; otherwise press Start once it is
    // enabled (a Start pressed while connecting does nothing).
    if (!m_clicked && m_window.activatedOnce() && c.camera.bDSLRConnect->isEnabled()) {
        m_clicked = true;
        c.camera.bDSLRConnect->click();
    }
    if (m_waited_ms >= kConnectLimit_ms) {
        m_timer.stop();
        capture();
    }
}

void ScreenshotRun::connected() {
    QToolButton* liveView = m_window.controls().liveView.sbLiveView;
    if (!m_liveView || !liveView->isEnabled()) {
        QTimer::singleShot(kSettle_ms, this, &ScreenshotRun::capture);
        return;
    }
    liveView->click();
    m_frames.start();
}

void ScreenshotRun::waitForFrames() {
    m_framesWaited_ms += kPoll_ms;
    const LiveViewLoop& loop = m_window.liveViewLoop();
    // The live image is shown in focus: AF once the first frames are in.
    QPushButton* af = m_window.controls().focus.bAF;
    if (!m_focusing && loop.shownFrames() >= kLiveFrames && af->isEnabled()) {
        m_focusing = true;
        af->click();
    }
    const bool enough = m_focusing && loop.fields().inFocus && loop.shownFrames() >= kLiveFrames &&
                        m_framesWaited_ms >= kLiveViewAtLeast_ms;
    if (enough || m_framesWaited_ms >= kLiveViewLimit_ms) {
        m_frames.stop();
        capture();
    }
}

void ScreenshotRun::capture() {
    const bool connected = m_window.session().connected();
    const bool saved = m_window.grab().save(m_path, "PNG");
    if (saved) {
        std::printf("Screenshot saved: %s\n", qPrintable(m_path));
    } else {
        std::fprintf(stderr, "Screenshot not saved: %s\n", qPrintable(m_path));
    }
    if (!connected) {
        std::fprintf(stderr, "The camera connection did not open.\n");
    }
    std::fflush(stdout);
    m_window.close();
    QApplication::exit(saved && connected ? 0 : 1);
}
