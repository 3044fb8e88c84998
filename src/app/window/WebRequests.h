#pragma once
// The window's web requests: the queue and what its results do in the
// window. A missing module file is fetched into the user's module folder
// and connecting is retried; a click on the About panel fetches a new photo
// into the instance folder and swaps it in; module downloads move the
// progress bar.
#include "web/HtmlQueue.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <set>

class AboutPage;
class CameraConnection;
class DeferredAction;
class LogModel;
class PhotoSwap;
class QProgressBar;
struct AboutPageControls;

class WebRequests : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QProgressBar& ProgressBar;
        QTimer& tHTMLQueue;
        AboutPageControls& about;
        AboutPage& aboutPage;
    };
    struct Services {
        QString webBase;
        LogModel& log;
        CameraConnection& connection;
        DeferredAction& deferred;
        std::function<int()> instanceNo;
    };

    WebRequests(Controls controls, Services services, QObject* parent = nullptr);
    ~WebRequests() override;

    // Queues the download of a missing module file; false (with a line
    // saying why) when it is not downloaded.
    bool downloadModule(const QString& moduleFile);
    // A click on the About panel: a new photo, unless a request is in flight.
    void pAboutClick();

    HtmlQueue& queue() { return *m_queue; }
    PhotoSwap& photoSwap() { return *m_photo; }
    // Where this instance keeps the About photo (empty: no safe place).
    QString instanceFolder() const;

private:
    void moduleFileDone(const QString& fileName);
    void showProgress(qint64 received, qint64 total);

    Controls m_c;
    Services m_s;
    std::unique_ptr<HtmlQueue> m_queue;
    std::unique_ptr<PhotoSwap> m_photo;
    // Module files that arrived in this run. One that still does not load
    // (another file of its name comes first, or it does not open) is not
    // fetched again: the retried connect would fetch it for ever.
    std::set<QString> m_downloaded;
};
