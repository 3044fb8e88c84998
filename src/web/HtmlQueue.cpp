#include "web/HtmlQueue.h"

#include "camera/LogSink.h"
#include "web/ModuleFileCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {

QString moduleFileCheck(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("cannot read the download");
    }
    return moduleFileProblem(file.readAll());
}

HttpFileTransfer::Target targetOf(const HtmlRequest& request) {
    HttpFileTransfer::Target target;
    target.url = QUrl(request.url);
    target.fileName = request.fileName;
    if (request.kind == RequestKind::ModuleFile) {
        target.maxBytes = modulecheck::kMaxBytes;
        target.check = moduleFileCheck;
    } else {
        target.maxBytes = HtmlQueue::kMaxPhotoBytes;
    }
    return target;
}

} // namespace

HtmlQueue::HtmlQueue(QTimer& tHTMLQueue, LogSink& log, ErrorReport errors, QObject* parent)
    : QObject(parent), m_timer(tHTMLQueue), m_log(log), m_errors(std::move(errors)) {
    m_timer.stop();
    connect(&m_timer, &QTimer::timeout, this, &HtmlQueue::tHTMLQueueTimer);
}

HtmlQueue::~HtmlQueue() = default;

void HtmlQueue::AddHTMLque(const HtmlRequest& request) {
    m_requests.push_back(request);
    ExecHTMLque();
}

void HtmlQueue::ExecHTMLque() {
    if (m_requests.empty() || m_kindInFlight != RequestKind::None || m_endedFirst) {
        return;
    }
    const HtmlRequest& request = m_requests.front();
    m_kindInFlight = request.kind;
    m_transfer = std::make_unique<HttpFileTransfer>(m_network, targetOf(request));
    connect(m_transfer.get(), &HttpFileTransfer::finished, this, &HtmlQueue::transferFinished);
    if (request.kind == RequestKind::ModuleFile) {
        connect(m_transfer.get(), &HttpFileTransfer::progress, this, &HtmlQueue::progress);
    }
    emit requestStarted(request);
    if (!request.isFile) {
        // Nothing in the program asks for text; such a request only ends.
        QTimer::singleShot(
            0, this, [this] { transferFinished(QStringLiteral("text requests are not made")); });
        return;
    }
    m_transfer->start();
}

void HtmlQueue::DelHTMLque() {
    if (!m_requests.empty()) {
        m_requests.pop_front();
    }
}

void HtmlQueue::tHTMLQueueTimer() {
    m_timer.stop();
    if (m_errors.pendingErrorCode && m_errors.pendingErrorCode() != 0 && m_errors.reportError) {
        m_errors.reportError();
    }
    if (!m_endedFirst) {
        return; // a stray tick: the first request is still running
    }
    m_endedFirst = false;
    DelHTMLque();
    ExecHTMLque();
}

void HtmlQueue::transferFinished(const QString& problem) {
    if (m_requests.empty() || m_endedFirst) {
        return;
    }
    const HtmlRequest request = m_requests.front();
    if (problem.isEmpty()) {
        requestDone(request);
    } else {
        requestFailed(request, problem);
    }
    endRequest();
}

void HtmlQueue::requestDone(const HtmlRequest& request) {
    m_kindInFlight = RequestKind::None;
    if (request.kind == RequestKind::ModuleFile) {
        emit moduleFileDone(request.fileName);
    } else if (request.kind == RequestKind::Photo) {
        emit photoDone(request.fileName);
    }
}

void HtmlQueue::requestFailed(const HtmlRequest& request, const QString& problem) {
    m_kindInFlight = RequestKind::None;
    if (request.kind == RequestKind::Photo) {
        if (m_errors.setPendingErrorCode) {
            m_errors.setPendingErrorCode(kNoInternetAccess);
        }
    } else if (request.kind == RequestKind::ModuleFile) {
        // Not an error line: the missing module was reported already, and
        // nothing more can be done about it now.
        m_log.log("Download of " + QFileInfo(request.fileName).fileName().toStdString() +
                  " failed: " + problem.toStdString());
    }
}

void HtmlQueue::endRequest() {
    m_endedFirst = true;
    m_timer.start();
    emit requestEnded();
}
