#pragma once
// One file request: the body of a web address streamed into a temporary
// file beside its target, checked, and only then renamed to the target's
// name, so a broken or partial download never appears under that name.
// Reports its end once, always after start() has returned.
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QTemporaryFile;

class HttpFileTransfer : public QObject {
    Q_OBJECT
public:
    // Why the downloaded file may not be used (empty: it may); run on the
    // complete temporary file before it is renamed.
    using Check = std::function<QString(const QString& temporaryPath)>;

    struct Target {
        QUrl url;
        QString fileName; // absolute
        int64_t maxBytes = 0;
        Check check;
    };

    HttpFileTransfer(QNetworkAccessManager& network, Target target, QObject* parent = nullptr);
    ~HttpFileTransfer() override;

    void start();

    // A transfer that stalls this long without data is given up.
    static constexpr int kStallTimeout_ms = 30000;

signals:
    // `problem` empty: the file is in place under its target name.
    void finished(const QString& problem);
    void progress(qint64 received, qint64 total);

private:
    void failLater(const QString& problem);
    void readBody();
    void replyFinished();
    QString replyProblem() const;
    QString keepFile();
    void redirected(const QUrl& url);

    QNetworkAccessManager& m_network;
    Target m_target;
    std::unique_ptr<QTemporaryFile> m_file;
    QNetworkReply* m_reply = nullptr; // deleted with deleteLater once finished
    QString m_abortReason;
    int64_t m_received = 0;
};
