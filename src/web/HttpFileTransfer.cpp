#include "web/HttpFileTransfer.h"

#include "web/WebAddress.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

HttpFileTransfer::HttpFileTransfer(QNetworkAccessManager& network, Target target, QObject* parent)
    : QObject(parent), m_network(network), m_target(std::move(target)) {}

HttpFileTransfer::~HttpFileTransfer() {
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void HttpFileTransfer::start() {
    if (const QString refusal = addressRefusal(m_target.url); !refusal.isEmpty()) {
        failLater(refusal);
        return;
    }
    const QFileInfo target(m_target.fileName);
    if (!QDir().mkpath(target.absolutePath())) {
        failLater(QStringLiteral("cannot create the folder ") + target.absolutePath());
        return;
    }
    // Hidden, in the target's own folder, so the final rename stays on one
    // file system and nothing else mistakes it for a finished file.
    m_file = std::make_unique<QTemporaryFile>(target.absolutePath() + QStringLiteral("/.") +
                                              target.fileName() + QStringLiteral(".XXXXXX"));
    if (!m_file->open()) {
        failLater(QStringLiteral("cannot write in ") + target.absolutePath());
        return;
    }
    QNetworkRequest request(m_target.url);
    // Each redirect is checked like the first address.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setTransferTimeout(kStallTimeout_ms);
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &HttpFileTransfer::readBody);
    connect(m_reply, &QNetworkReply::finished, this, &HttpFileTransfer::replyFinished);
    connect(m_reply, &QNetworkReply::redirected, this, &HttpFileTransfer::redirected);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &HttpFileTransfer::progress);
}

void HttpFileTransfer::failLater(const QString& problem) {
    QTimer::singleShot(0, this, [this, problem] { emit finished(problem); });
}

void HttpFileTransfer::redirected(const QUrl& url) {
    const QString refusal = addressRefusal(url);
    if (refusal.isEmpty()) {
        emit m_reply->redirectAllowed();
        return;
    }
    m_abortReason = QStringLiteral("redirected: ") + refusal;
    m_reply->abort();
}

void HttpFileTransfer::readBody() {
    const QByteArray chunk = m_reply->readAll();
    m_received += chunk.size();
    if (m_received > m_target.maxBytes) {
        m_abortReason = QStringLiteral("larger than %1 bytes").arg(m_target.maxBytes);
        m_reply->abort();
        return;
    }
    if (m_file->write(chunk) != chunk.size()) {
        m_abortReason = QStringLiteral("cannot write ") + m_file->fileName();
        m_reply->abort();
    }
}

QString HttpFileTransfer::replyProblem() const {
    if (!m_abortReason.isEmpty()) {
        return m_abortReason;
    }
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() != 200) {
        const QString phrase =
            m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        return QStringLiteral("the server answered %1 %2").arg(status.toInt()).arg(phrase);
    }
    if (m_reply->error() != QNetworkReply::NoError) {
        return m_reply->errorString();
    }
    return {};
}

void HttpFileTransfer::replyFinished() {
    if (m_reply->bytesAvailable() > 0 && m_abortReason.isEmpty()) {
        readBody();
    }
    QString problem = replyProblem();
    m_reply->disconnect(this);
    m_reply->deleteLater();
    m_reply = nullptr;
    if (problem.isEmpty()) {
        problem = keepFile();
    }
    m_file.reset(); // removes the temporary file unless it was renamed
    emit finished(problem);
}

// Flushes the temporary file to disk, checks it and renames it into place.
QString HttpFileTransfer::keepFile() {
    if (!m_file->flush() || ::fsync(m_file->handle()) != 0) {
        return QStringLiteral("cannot write ") + m_file->fileName();
    }
    if (m_target.check) {
        if (QString problem = m_target.check(m_file->fileName()); !problem.isEmpty()) {
            return problem;
        }
    }
    const QByteArray from = QFile::encodeName(m_file->fileName());
    const QByteArray to = QFile::encodeName(m_target.fileName);
    if (std::rename(from.constData(), to.constData()) != 0) {
        return QStringLiteral("cannot rename the download to ") + m_target.fileName;
    }
    m_file->setAutoRemove(false);
    return {};
}
