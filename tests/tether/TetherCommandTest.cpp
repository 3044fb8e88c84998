// `vantora --tether` as a user runs it: a separate process against the
// simulated camera, judged by its exit code, its output and the folder.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int kRunLimit_ms = 60000;

struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class TetherCommandTest : public ::testing::Test {
protected:
    QString folder() const { return m_dir.filePath(QStringLiteral("shoot")); }

    void startProgram(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No display: the tethering mode must not need one.
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("HOME"), m_dir.path());
        m_process.setProcessEnvironment(environment);
        m_process.setWorkingDirectory(m_dir.path());
        m_process.start(QStringLiteral(VANTORA_PROGRAM), arguments);
        ASSERT_TRUE(m_process.waitForStarted());
    }

    ProgramRun finish() {
        EXPECT_TRUE(m_process.waitForFinished(kRunLimit_ms)) << "the run did not end";
        ProgramRun run;
        run.exitCode = m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
        run.out = QString::fromUtf8(m_process.readAllStandardOutput());
        run.err = QString::fromUtf8(m_process.readAllStandardError());
        return run;
    }

    ProgramRun runProgram(const QStringList& arguments) {
        startProgram(arguments);
        return finish();
    }

    // Writes an executable shell script into the test's folder.
    QString script(const QString& name, const QByteArray& body) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body);
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
        return path;
    }

    QStringList files() const {
        return QDir(folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    static QStringList lines(const QString& text) {
        return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    static bool completeJpeg(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() < 4) {
            return false;
        }
        const QByteArray data = file.readAll();
        return data.startsWith("\xFF\xD8") && data.endsWith("\xFF\xD9");
    }

    QTemporaryDir m_dir;
    QProcess m_process;
};

const QStringList kImages = {QStringLiteral("Image_00001.jpg"), QStringLiteral("Image_00002.jpg"),
                             QStringLiteral("Image_00003.jpg")};

TEST_F(TetherCommandTest, ThreeFramesLandWithTheirHookLinesAndTheRunEndsCleanly) {
    const QString hookLog = m_dir.filePath(QStringLiteral("hook.log"));
    const QString hook = script(QStringLiteral("hook.sh"),
                                "echo \"$VANTORA_NUMBER $VANTORA_KIND $VANTORA_FILE $1\" >> '" +
                                    hookLog.toUtf8() + "'\n");
    const ProgramRun run = runProgram({"--tether", folder(), "--simulate", "Y800", "--frames", "3",
                                       "--interval", "1", "--hook", hook});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(files(), kImages);
    for (const QString& name : kImages) {
        EXPECT_TRUE(completeJpeg(QDir(folder()).filePath(name))) << name.toStdString();
    }
    // One line per file on standard output: its full path.
    QStringList expectedPaths;
    for (const QString& name : kImages) {
        expectedPaths << QDir(folder()).filePath(name);
    }
    EXPECT_EQ(lines(run.out), expectedPaths);
    QFile log(hookLog);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList hookLines = lines(QString::fromUtf8(log.readAll()));
    ASSERT_EQ(hookLines.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(hookLines[i], QStringLiteral("%1 jpg %2 %2").arg(i + 1).arg(expectedPaths[i]));
    }
    EXPECT_TRUE(run.err.contains(QStringLiteral("control stopped"))) << run.err.toStdString();
}

TEST_F(TetherCommandTest, FailingAndHangingHooksAreLoggedAndTheShootingGoesOn) {
    // The first file's hook fails, the second's hangs, the third's succeeds.
    const QString hook =
        script(QStringLiteral("hook.sh"), "case \"$VANTORA_NUMBER\" in\n"
                                          "1) echo 'no catalogue <b>here</b>' >&2; exit 3;;\n"
                                          "2) sleep 30;;\n"
                                          "esac\n");
    const ProgramRun run = runProgram({"--tether", folder(), "--simulate", "Y800", "--frames", "3",
                                       "--interval", "0.5", "--hook", hook, "--hook-timeout", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(files(), kImages);
    EXPECT_TRUE(run.err.contains(QStringLiteral("exit code 3"))) << run.err.toStdString();
    // The hook's standard error, shown as text.
    EXPECT_TRUE(run.err.contains(QStringLiteral("no catalogue"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("was stopped after"))) << run.err.toStdString();
}

TEST_F(TetherCommandTest, UnusableFolderOrNoCameraFailsWithAMessage) {
    QFile plainFile(folder());
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    plainFile.close();
    ProgramRun run = runProgram({"--tether", folder(), "--simulate", "Y800"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot be"))) << run.err.toStdString();

    const QString empty = m_dir.filePath(QStringLiteral("empty"));
    // A simulator with no camera plugged in.
    run = runProgram({"--tether", empty, "--simulate="});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("No camera found."))) << run.err.toStdString();

    run = runProgram({"--tether", empty, "--simulate", "Y800", "--camera", "Y800,2"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("number 2 found"))) << run.err.toStdString();

    run = runProgram({"--frames", "3"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--tether DIR"))) << run.err.toStdString();
}

// The request may come at any moment of a shoot; whatever has a final name
// then is whole, and nothing else is left in the folder.
TEST_F(TetherCommandTest, TerminationMidShootLeavesOnlyWholeFiles) {
    startProgram({"--tether", folder(), "--simulate", "Y800", "--interval", "0.1"});
    ASSERT_TRUE(m_process.waitForReadyRead(kRunLimit_ms));
    m_process.waitForReadyRead(300);
    ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
    const ProgramRun run = finish();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("ends on SIGTERM"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("control stopped"))) << run.err.toStdString();
    const QStringList received = files();
    ASSERT_FALSE(received.isEmpty());
    for (const QString& name : received) {
        EXPECT_TRUE(name.startsWith(QLatin1String("Image_")) && name.endsWith(".jpg"))
            << name.toStdString();
        EXPECT_TRUE(completeJpeg(QDir(folder()).filePath(name))) << name.toStdString();
    }
    // Every file the program printed is there.
    EXPECT_EQ(lines(run.out).size(), received.size());
}

} // namespace
