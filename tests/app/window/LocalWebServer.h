#pragma once
// A real web server on the loopback address for the tests of the web
// requests: python3's http.server serving one directory on a free port.
// Started and stopped by the test that owns it.
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <gtest/gtest.h>

class LocalWebServer {
public:
    LocalWebServer() = default;
    LocalWebServer(const LocalWebServer&) = delete;
    LocalWebServer& operator=(const LocalWebServer&) = delete;
    ~LocalWebServer() { stop(); }

    // A port nobody listens on (just closed again).
    static quint16 freePort() {
        QTcpServer probe;
        return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
    }

    // Serves `directory`; true once the server accepts connections.
    bool start(const QString& directory) {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty() || (m_port = freePort()) == 0) {
            return false;
        }
        // Its request log would only clutter the test output.
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(python, {"-m", "http.server", "--bind", "127.0.0.1",
                                 QString::number(m_port), "--directory", directory});
        if (!m_process.waitForStarted()) {
            return false;
        }
        // Waits for the server to come up (python needs a moment), not a
        // measure of anything.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 20000 && m_process.state() == QProcess::Running) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, m_port);
            if (socket.waitForConnected(200)) {
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }

    void stop() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1/").arg(m_port); }
    quint16 port() const { return m_port; }

private:
    QProcess m_process;
    quint16 m_port = 0;
};
