#include "images/HookRunner.h"

#include "camera/LogSink.h"
#include "log/TaggedText.h"

#include <QEventLoop>
#include <QList>
#include <QProcessEnvironment>

#include <algorithm>
#include <csignal>

#include <sys/types.h>
#include <unistd.h>

namespace {

const QString kShell = QStringLiteral("/bin/sh");
// What the shell calls the hook ($0) in its own messages.
const QString kHookName = QStringLiteral("vantora-hook");
// Standard error kept per run: enough for a reason, bounded for a chatty hook.
constexpr qsizetype kMaxErrorBytes = 4096;
constexpr int kMaxErrorLines = 5;

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string durationText(std::chrono::milliseconds limit) {
    const auto ms = limit.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

} // namespace

HookRunner::HookRunner(LogSink& log, QObject* parent) : QObject(parent), m_log(log) {
    // A hook that reads its input gets an end of file at once instead of
    // waiting for the program; what it prints is not the program's business.
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setStandardOutputFile(QProcess::nullDevice());
    // A group of its own, so that a time-out stops what the hook started too
    // (setpgid is safe between fork and exec).
    m_process.setChildProcessModifier([] { ::setpgid(0, 0); });
    m_deadline.setSingleShot(true);
    m_grace.setSingleShot(true);
    connect(&m_process, &QProcess::finished, this, &HookRunner::onFinished);
    connect(&m_process, &QProcess::errorOccurred, this, &HookRunner::onError);
    connect(&m_process, &QProcess::readyReadStandardError, this, &HookRunner::collectError);
    connect(&m_deadline, &QTimer::timeout, this, &HookRunner::onDeadline);
    connect(&m_grace, &QTimer::timeout, this, [this] { signalHook(SIGKILL); });
}

HookRunner::~HookRunner() {
    // The process must not call back into a runner that is going away.
    disconnect(&m_process, nullptr, this, nullptr);
    if (m_process.state() != QProcess::NotRunning) {
        signalHook(SIGKILL);
        m_process.waitForFinished(static_cast<int>(kGrace.count()));
    }
}

void HookRunner::setCommand(const QString& command) {
    m_command = command;
    if (!m_command.isEmpty() || m_queue.empty()) {
        return;
    }
    m_queue.clear();
    if (!m_running) {
        emit becameIdle();
    }
}

void HookRunner::setTimeout(std::chrono::milliseconds limit) {
    m_timeout = std::max(limit, std::chrono::milliseconds(1));
}

void HookRunner::fileReceived(const ReceivedFile& file) {
    if (m_command.isEmpty()) {
        return;
    }
    m_queue.push_back(file);
    scheduleNext();
}

bool HookRunner::waitUntilIdle(std::chrono::milliseconds limit) {
    if (idle()) {
        return true;
    }
    QEventLoop loop;
    connect(this, &HookRunner::becameIdle, &loop, &QEventLoop::quit);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    loop.exec();
    return idle();
}

// The next hook starts from the event loop, so that the caller (a transfer
// in the middle of its items) never waits for a process to be made.
void HookRunner::scheduleNext() {
    if (m_running || m_startPending || m_queue.empty()) {
        return;
    }
    m_startPending = true;
    QTimer::singleShot(0, this, &HookRunner::startNext);
}

void HookRunner::startNext() {
    m_startPending = false;
    if (m_running || m_queue.empty()) {
        return;
    }
    m_current = std::move(m_queue.front());
    m_queue.pop_front();
    m_running = true;
    m_timedOut = false;
    m_pid = 0;
    m_error.clear();
    m_errorCut = false;
    m_runLimit = m_timeout;

    const QString path = QString::fromStdString(m_current.path);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VANTORA_FILE"), path);
    environment.insert(QStringLiteral("VANTORA_NUMBER"), QString::number(m_current.number));
    environment.insert(QStringLiteral("VANTORA_KIND"), QString::fromStdString(m_current.kind));
    m_process.setProcessEnvironment(environment);
    // Before start(): a start that fails at once ends the run inside it.
    m_deadline.start(m_runLimit);
    m_process.start(kShell,
                    {QStringLiteral("-c"), m_command + QStringLiteral(" \"$1\""), kHookName, path});
    // Known from the fork on, before started() arrives: a runner destroyed
    // in between still reaches the hook's group.
    m_pid = m_process.processId();
}

void HookRunner::onDeadline() {
    if (!m_running) {
        return;
    }
    m_timedOut = true;
    signalHook(SIGTERM);
    m_grace.start(kGrace);
}

void HookRunner::signalHook(int signal) {
    if (m_pid > 0 && ::kill(-static_cast<pid_t>(m_pid), signal) == 0) {
        return;
    }
    if (m_process.state() == QProcess::NotRunning) {
        return;
    }
    if (signal == SIGTERM) {
        m_process.terminate();
    } else {
        m_process.kill();
    }
}

void HookRunner::collectError() {
    const QByteArray chunk = m_process.readAllStandardError();
    const qsizetype room = kMaxErrorBytes - m_error.size();
    if (chunk.size() > room) {
        m_error.append(chunk.left(std::max<qsizetype>(room, 0)));
        m_errorCut = true;
    } else {
        m_error.append(chunk);
    }
}

void HookRunner::onFinished(int exitCode, QProcess::ExitStatus status) {
    if (!m_running) {
        return;
    }
    collectError();
    m_deadline.stop();
    m_grace.stop();
    const std::string label = "HOOK <b>" + EscapeTags(fileNameOf(m_current.path)) + "</b>";
    const int code = status == QProcess::NormalExit ? exitCode : -1;
    if (m_timedOut) {
        // What the hook started and what ignored SIGTERM goes with it.
        signalHook(SIGKILL);
        m_log.elog(label + " was stopped after " + durationText(m_runLimit) + ".");
    } else if (status != QProcess::NormalExit) {
        m_log.elog(label + " failed (it ended by a signal).");
    } else if (exitCode != 0) {
        m_log.elog(label + " failed (exit code " + std::to_string(exitCode) + ").");
    } else {
        m_log.log(label + " done.");
    }
    logError(label);
    endRun(code);
}

void HookRunner::onError(QProcess::ProcessError error) {
    // Every other error is followed by finished().
    if (error != QProcess::FailedToStart || !m_running) {
        return;
    }
    m_deadline.stop();
    m_log.elog("HOOK <b>" + EscapeTags(fileNameOf(m_current.path)) + "</b> could not be started: " +
               EscapeTags(m_process.errorString().toStdString()) + ".");
    endRun(-1);
}

void HookRunner::logError(const std::string& label) {
    int shown = 0;
    bool more = m_errorCut;
    const QList<QByteArray> lines = m_error.split('\n');
    for (const QByteArray& line : lines) {
        const QString text = QString::fromLocal8Bit(line).trimmed();
        if (text.isEmpty()) {
            continue;
        }
        if (shown == kMaxErrorLines) {
            more = true;
            break;
        }
        m_log.log(label + ": " + EscapeTags(text.toStdString()));
        ++shown;
    }
    if (more) {
        m_log.log(label + ": (more on standard error not shown)");
    }
    m_error.clear();
}

void HookRunner::endRun(int exitCode) {
    const bool killed = m_timedOut;
    m_running = false;
    m_timedOut = false;
    m_pid = 0;
    emit hookFinished(QString::fromStdString(m_current.path), exitCode, killed);
    if (m_queue.empty()) {
        emit becameIdle();
    } else {
        scheduleNext();
    }
}
