#pragma once
// The View button and the closing of a shown still: the JPEG of the shown
// number replaces the live image in the preview area until the deferred
// close (after five seconds, when asked for) brings live view back.
#include "images/JpegPicture.h"

#include <QObject>

#include <functional>

class ImageBrowser;
class LogSink;
class QTimer;
struct ImageGroupControls;
struct LiveViewControls;
struct MovieControls;

class ImagePreview : public QObject {
    Q_OBJECT
public:
    static constexpr int kCloseDelay_ms = 5000;

    struct Controls {
        const ImageGroupControls& images;
        const LiveViewControls& liveView;
        const MovieControls& movie;
        QTimer& tLiveView;
    };
    struct Hooks {
        // Puts the preview area on screen (the window widens when it was hidden).
        std::function<void()> showPreviewArea;
        // Arms the deferred close after the given delay.
        std::function<void(int delay_ms)> armClose;
    };

    ImagePreview(Controls controls, ImageBrowser& browser, LogSink& log, Hooks hooks,
                 QObject* parent = nullptr);

    void bViewJPGClick();
    // The deferred close: the still goes, live view comes back when it is on.
    void closePreview();

private:
    void show(const jpeg::Picture& picture);

    Controls m_c;
    ImageBrowser& m_browser;
    LogSink& m_log;
    Hooks m_hooks;
    jpeg::JpegDecoder m_decoder;
};
