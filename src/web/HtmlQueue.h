#pragma once
// The web request queue: requests run one at a time in the order they were
// added. When one ends, the 1 ms timer `tHTMLQueue` removes it and starts
// the next, outside the ending request's own events. A module file that
// arrives is checked before it is put in place; a failed module download
// writes one plain line saying why (no error badge, no retry); a failed
// photo leaves the "no internet access" error for the timer to report.
#include "web/HttpFileTransfer.h"
#include "web/RequestQueue.h"

#include <QNetworkAccessManager>
#include <QObject>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

class LogSink;
class QTimer;

class HtmlQueue : public QObject, public RequestQueue {
    Q_OBJECT
public:
    // The camera connection's pending error code and its report.
    struct ErrorReport {
        std::function<void(uint8_t)> setPendingErrorCode;
        std::function<uint8_t()> pendingErrorCode;
        std::function<void()> reportError;
    };
    static constexpr uint8_t kNoInternetAccess = 1;
    static constexpr int64_t kMaxPhotoBytes = 16LL * 1024 * 1024;

    // `tHTMLQueue` is the window's timer (not owned).
    HtmlQueue(QTimer& tHTMLQueue, LogSink& log, ErrorReport errors, QObject* parent = nullptr);
    ~HtmlQueue() override;

    void AddHTMLque(const HtmlRequest& request) override;
    // Starts the first request unless one is in flight or waits for the timer.
    void ExecHTMLque();
    // Removes the first request; nothing when the queue is empty.
    void DelHTMLque();
    void tHTMLQueueTimer();

    RequestKind kindInFlight() const { return m_kindInFlight; }
    size_t size() const { return m_requests.size(); }

signals:
    void requestStarted(const HtmlRequest& request);
    // A module file is in place under its name (connecting can be retried).
    void moduleFileDone(const QString& fileName);
    // A photo was stored (it may still not be a readable picture).
    void photoDone(const QString& fileName);
    // Module downloads only: bytes received of `total` (-1: unknown).
    void progress(qint64 received, qint64 total);
    // Any request ended, done or failed (the progress bar goes).
    void requestEnded();

private:
    void transferFinished(const QString& problem);
    void requestDone(const HtmlRequest& request);
    void requestFailed(const HtmlRequest& request, const QString& problem);
    void endRequest();

    QTimer& m_timer;
    LogSink& m_log;
    ErrorReport m_errors;
    QNetworkAccessManager m_network;
    std::deque<HtmlRequest> m_requests;
    // Kept until the next request starts: it may still be unwinding from
    // the event that ended it.
    std::unique_ptr<HttpFileTransfer> m_transfer;
    RequestKind m_kindInFlight = RequestKind::None;
    // The first request has ended and waits for the timer to remove it;
    // nothing starts meanwhile, or it would be started a second time.
    bool m_endedFirst = false;
};
