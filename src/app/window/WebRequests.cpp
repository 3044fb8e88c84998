#include "app/window/WebRequests.h"

#include "app/UserFolders.h"
#include "app/window/AboutPage.h"
#include "app/window/PhotoSwap.h"
#include "connection/CameraConnection.h"
#include "connection/DeferredAction.h"
#include "log/LogModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>

namespace {

constexpr int kRetryConnect_ms = 1;

HtmlQueue::ErrorReport errorReportOf(CameraConnection& connection) {
    return {[&connection](uint8_t code) { connection.setPendingErrorCode(code); },
            [&connection] { return connection.pendingErrorCode(); },
            [&connection] { connection.reportError(); }};
}

} // namespace

WebRequests::WebRequests(Controls controls, Services services, QObject* parent)
    : QObject(parent), m_c(controls), m_s(std::move(services)),
      m_queue(std::make_unique<HtmlQueue>(m_c.tHTMLQueue, m_s.log, errorReportOf(m_s.connection))),
      m_photo(std::make_unique<PhotoSwap>(*m_c.about.pPhoto, *m_c.about.iPhoto)) {
    connect(m_queue.get(), &HtmlQueue::moduleFileDone, this, &WebRequests::moduleFileDone);
    connect(m_queue.get(), &HtmlQueue::photoDone, m_photo.get(), &PhotoSwap::replace);
    connect(m_queue.get(), &HtmlQueue::progress, this, &WebRequests::showProgress);
    connect(m_queue.get(), &HtmlQueue::requestEnded, this, [this] { m_c.ProgressBar.hide(); });
    connect(&m_c.aboutPage, &AboutPage::pAboutClicked, this, &WebRequests::pAboutClick);
}

WebRequests::~WebRequests() = default;

bool WebRequests::downloadModule(const QString& moduleFile) {
    if (m_downloaded.count(moduleFile) != 0) {
        m_s.log.log(moduleFile.toStdString() +
                    " was downloaded already and still does not load: it is not downloaded again");
        return false;
    }
    m_queue->AddHTMLque(
        ModuleFileRequest(m_s.webBase, moduleFile, userfolders::userModuleFolder()));
    return true;
}

void WebRequests::moduleFileDone(const QString& fileName) {
    m_downloaded.insert(QFileInfo(fileName).fileName());
    m_s.deferred.arm(DeferredAction::Action::Connect, kRetryConnect_ms);
}

void WebRequests::showProgress(qint64 received, qint64 total) {
    if (total > 0) {
        m_c.ProgressBar.setValue(static_cast<int>(received * 100 / total));
    }
    if (received > 0) {
        m_c.ProgressBar.show();
    }
}

QString WebRequests::instanceFolder() const {
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return userfolders::instanceFolder(program, m_s.instanceNo());
}

void WebRequests::pAboutClick() {
    if (m_queue->kindInFlight() != RequestKind::None) {
        return;
    }
    const QString folder = instanceFolder();
    if (folder.isEmpty()) {
        m_s.log.log("No private folder for the photo: it is not fetched");
        return;
    }
    const QString photo = QDir(folder).filePath(QStringLiteral("randpic.jpg"));
    QFile::remove(photo);
    HtmlRequest request;
    request.url = m_s.webBase + QStringLiteral("getpic.php");
    request.fileName = photo;
    request.BinaryData = true;
    request.isFile = true;
    request.kind = RequestKind::Photo;
    m_queue->AddHTMLque(request);
}
