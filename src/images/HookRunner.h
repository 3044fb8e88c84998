#pragma once
// Hands each received file to the user's own command (a catalogue import, a
// backup), one file after the other, without ever making the transfer wait.
// The command is shell text; the file's path reaches it as "$1" and in the
// environment, never pasted into the text, so names with blanks, quotes or
// "$" arrive intact. Each run's outcome and its standard error go to the
// log; a hook that outlives its time-out is stopped with everything it
// started, and the next file's hook runs. Qt Core only: the window and a
// windowless program use it alike.
#include "images/ReceivedFile.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <chrono>
#include <deque>

class LogSink;

class HookRunner : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{60000};
    // A stopped hook gets this long to end on SIGTERM before it is killed.
    static constexpr std::chrono::milliseconds kGrace{2000};

    explicit HookRunner(LogSink& log, QObject* parent = nullptr);
    ~HookRunner() override; // a running hook is killed and waited for
    HookRunner(const HookRunner&) = delete;
    HookRunner& operator=(const HookRunner&) = delete;

    // Empty: no hook (queued files are dropped; a running hook finishes).
    void setCommand(const QString& command);
    const QString& command() const { return m_command; }
    // For runs that start from now on.
    void setTimeout(std::chrono::milliseconds limit);

    // Queues the hook for `file`; returns at once (never blocks the caller).
    void fileReceived(const ReceivedFile& file);
    // Nothing running and nothing queued.
    bool idle() const { return !m_running && m_queue.empty(); }
    // Runs the event loop until idle() or `limit` passed; true when idle. For
    // the end of a command-line run, so that the last file's hook is not cut off.
    bool waitUntilIdle(std::chrono::milliseconds limit);

signals:
    // After each file's run. exitCode is -1 when the hook could not be
    // started or ended by a signal; `killed` when its time-out stopped it.
    void hookFinished(const QString& path, int exitCode, bool killed);
    void becameIdle();

private:
    void scheduleNext();
    void startNext();
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onError(QProcess::ProcessError error);
    void onDeadline();
    void collectError();
    // Logs what the hook wrote to standard error, a few lines at most.
    void logError(const std::string& label);
    void endRun(int exitCode);
    // The hook's shell and everything it started, or the shell alone when
    // it has no group of its own.
    void signalHook(int signal);

    LogSink& m_log;
    QString m_command;
    std::chrono::milliseconds m_timeout = kDefaultTimeout;
    std::deque<ReceivedFile> m_queue;
    QProcess m_process;
    QTimer m_deadline;
    QTimer m_grace;
    ReceivedFile m_current;
    std::chrono::milliseconds m_runLimit = kDefaultTimeout;
    qint64 m_pid = 0;
    QByteArray m_error;
    bool m_errorCut = false;
    bool m_running = false;
    bool m_startPending = false;
    bool m_timedOut = false;
};
