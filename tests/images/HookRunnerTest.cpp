// The hook runner against real shell scripts: what each hook gets (its
// argument and environment, names with blanks, quotes and "$"), in which
// order, and that a failing, hanging or input-reading hook neither holds up
// the files after it nor outlives the program.
#include "images/HookRunner.h"
#include "RecordingLogSink.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Hooks here end in well under a second; the limits only keep a broken
// build from hanging the run.
constexpr std::chrono::milliseconds kGenerous = 20s;

// Runs the event loop until `done` or the generous limit.
bool eventually(const std::function<bool()>& done) {
    QDeadlineTimer deadline(kGenerous);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    return true;
}

// Gone or a zombie no one has reaped yet: either way it runs no more.
bool processGone(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return true;
    }
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close < 0 || text.mid(close + 2, 1) == "Z";
}

using Outcome = std::tuple<std::string, int, bool>; // file name, exit code, killed

} // namespace

class HookRunnerTest : public ::testing::Test {
protected:
    HookRunnerTest() {
        QObject::connect(&m_runner, &HookRunner::hookFinished,
                         [this](const QString& path, int exitCode, bool killed) {
                             m_outcomes.emplace_back(path.section('/', -1).toStdString(), exitCode,
                                                     killed);
                         });
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // An executable script of `body`; the command that runs it.
    QString script(const QString& body) {
        const QString file = path(QStringLiteral("hook.sh"));
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(("#!/bin/sh\n" + body + "\n").toUtf8());
        out.close();
        out.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return "'" + file + "'";
    }

    std::vector<std::string> lines(const QString& name) const {
        QFile in(path(name));
        std::vector<std::string> out;
        if (in.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : in.readAll().split('\n')) {
                if (!line.isEmpty()) {
                    out.push_back(line.toStdString());
                }
            }
        }
        return out;
    }

    ReceivedFile file(const std::string& name, int64_t number, const std::string& kind) const {
        return {path(QString::fromStdString(name)).toStdString(), number, kind};
    }

    // Records the number of each hook that ran to the end; number 1 does `first` instead.
    QString scriptWithFirst(const QString& first) {
        return script("if [ \"$VANTORA_NUMBER\" = 1 ]; then\n" + first + "\nfi\necho " +
                      "\"$VANTORA_NUMBER\" >> '" + path(QStringLiteral("ran")) + "'");
    }

    // Number 1 hangs in a child of its shell, whose pid it leaves in "pid".
    QString hangingFirst() {
        return scriptWithFirst("sleep 30 &\necho $! > '" + path(QStringLiteral("pid")) + "'\nwait");
    }
    // The child of the hanging hook runs no more (waits for it, generously).
    bool childGone() const {
        const std::vector<std::string> pid = lines(QStringLiteral("pid"));
        return pid.size() == 1 && eventually([&] { return processGone(std::stoll(pid[0])); });
    }

    QTemporaryDir m_dir;
    RecordingLogSink m_sink;
    HookRunner m_runner{m_sink};
    std::vector<Outcome> m_outcomes;
};

TEST_F(HookRunnerTest, EachFileReachesTheHookInOrderWithItsPathIntact) {
    // The hook reads its input first: it must get an end of file, not wait.
    m_runner.setCommand(script("cat >/dev/null\necho \"$VANTORA_NUMBER $VANTORA_KIND $1 "
                               "$VANTORA_FILE\" >> '" +
                               path(QStringLiteral("log")) + "'"));
    const std::vector<ReceivedFile> files = {
        file("shot 'one' $HOME \"x\"/Image_00001.jpg", 1, "jpg"),
        file("shot 'one' $HOME \"x\"/Image_00001.orw", 1, "orw"),
        file("Image_00002.mov", 2, "mov"),
    };
    for (const ReceivedFile& f : files) {
        m_runner.fileReceived(f);
    }
    // Queued, not run: the caller did not wait for any of them.
    EXPECT_FALSE(m_runner.idle());
    EXPECT_TRUE(lines(QStringLiteral("log")).empty());

    ASSERT_TRUE(m_runner.waitUntilIdle(kGenerous));
    std::vector<std::string> expected;
    for (const ReceivedFile& f : files) {
        expected.push_back(std::to_string(f.number) + " " + f.kind + " " + f.path + " " + f.path);
    }
    EXPECT_EQ(lines(QStringLiteral("log")), expected);
    EXPECT_EQ(m_outcomes, (std::vector<Outcome>{{"Image_00001.jpg", 0, false},
                                                {"Image_00001.orw", 0, false},
                                                {"Image_00002.mov", 0, false}}));
    EXPECT_EQ(m_sink.lines, (std::vector<std::string>{"HOOK <b>Image_00001.jpg</b> done.",
                                                      "HOOK <b>Image_00001.orw</b> done.",
                                                      "HOOK <b>Image_00002.mov</b> done."}));
    EXPECT_TRUE(m_sink.errorLines.empty());

    // Without a command nothing is queued.
    m_runner.setCommand(QString());
    m_runner.fileReceived(file("Image_00003.jpg", 3, "jpg"));
    EXPECT_TRUE(m_runner.idle());
}

TEST_F(HookRunnerTest, AFailingHookIsReportedWithItsErrorsAsTextAndTheNextStillRuns) {
    m_runner.setCommand(scriptWithFirst("echo 'disk <b>full</b> <re>' >&2\n"
                                        "echo '  second line  ' >&2\n"
                                        "exit 3"));
    m_runner.fileReceived(file("Image_00001.jpg", 1, "jpg"));
    m_runner.fileReceived(file("Image_00002.jpg", 2, "jpg"));
    ASSERT_TRUE(m_runner.waitUntilIdle(kGenerous));

    EXPECT_EQ(lines(QStringLiteral("ran")), std::vector<std::string>{"2"});
    EXPECT_EQ(m_outcomes,
              (std::vector<Outcome>{{"Image_00001.jpg", 3, false}, {"Image_00002.jpg", 0, false}}));
    EXPECT_EQ(
        m_sink.sequence,
        (std::vector<std::string>{
            "error:HOOK <b>Image_00001.jpg</b> failed (exit code 3).",
            "HOOK <b>Image_00001.jpg</b>: disk \u2039b\u203afull\u2039/b\u203a \u2039re\u203a",
            "HOOK <b>Image_00001.jpg</b>: second line",
            "HOOK <b>Image_00002.jpg</b> done.",
        }));
}

TEST_F(HookRunnerTest, AHangingHookIsStoppedWithWhatItStartedAndTheNextRuns) {
    m_runner.setTimeout(500ms);
    m_runner.setCommand(hangingFirst());
    m_runner.fileReceived(file("Image_00001.jpg", 1, "jpg"));
    m_runner.fileReceived(file("Image_00002.jpg", 2, "jpg"));
    ASSERT_TRUE(m_runner.waitUntilIdle(kGenerous));

    EXPECT_EQ(lines(QStringLiteral("ran")), std::vector<std::string>{"2"});
    EXPECT_EQ(m_outcomes,
              (std::vector<Outcome>{{"Image_00001.jpg", -1, true}, {"Image_00002.jpg", 0, false}}));
    EXPECT_EQ(m_sink.errorLines,
              std::vector<std::string>{"HOOK <b>Image_00001.jpg</b> was stopped after 500 ms."});
    EXPECT_TRUE(childGone());
}

TEST_F(HookRunnerTest, DestroyingTheRunnerStopsTheRunningHookAndDropsTheQueue) {
    {
        HookRunner runner(m_sink);
        runner.setCommand(hangingFirst());
        runner.fileReceived(file("Image_00001.jpg", 1, "jpg"));
        runner.fileReceived(file("Image_00002.jpg", 2, "jpg"));
        ASSERT_TRUE(eventually([&] { return QFile(path(QStringLiteral("pid"))).size() > 0; }));
    }
    EXPECT_TRUE(childGone());
    EXPECT_TRUE(lines(QStringLiteral("ran")).empty());
}
