// The Shoot menu against the simulated camera: interval runs whose files
// land in the image folder before the next release, brackets in P and in M,
// bulb exposures, Stop, unplugging and a file time-out; the hook dialog and
// the values both dialogs keep across runs.
#include "sequencer/Sequencer.h"
#include "ConnectedWindow.h"
#include "SimControl.h"
#include "app/window/HookDialog.h"
#include "app/window/SequencerDialog.h"
#include "app/window/ShootMenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>

#include <memory>

using vsim::SimControl;

namespace {

constexpr uint32_t kShutter1_125 = 13; // in the simulator's list, "Bulb" first
constexpr uint32_t kShutter1_4000 = 18;

} // namespace

class SequencerTest : public SmallPicturesWindowTest {
protected:
    // The dialog as the menu opens it.
    const SequencerDialog::Fields& dialog() {
        if (!m_window->shootMenu().sequencerDialog().isVisible()) {
            m_window->shootMenu().sequencerAction().trigger();
        }
        EXPECT_TRUE(m_window->shootMenu().sequencerDialog().isVisible());
        return m_window->shootMenu().sequencerDialog().fields();
    }
    void setRun(int frames, double interval_s, int kind) {
        const SequencerDialog::Fields& f = dialog();
        f.chUnlimited->setChecked(frames == 0);
        f.sbFrames->setValue(std::max(frames, 1));
        f.sbInterval->setValue(interval_s);
        f.rbDelay->setChecked(true);
        f.sbDelay->setValue(0);
        f.chStop->setChecked(false);
        f.cbKind->setCurrentIndex(kind);
    }
    Sequencer& sequencer() { return m_window->sequencer(); }
    QString status() { return dialog().lStatus->text(); }

    // Lets the camera's poll and the sequencer's timers run until `done`
    // holds; false when it does not within a generous limit.
    template <typename Done> bool runUntil(Done done) {
        QElapsedTimer waited;
        waited.start();
        while (!done()) {
            if (waited.elapsed() > 30000) {
                return false;
            }
            poll();
            QTest::qWait(10);
        }
        return true;
    }
    bool runToEnd() {
        return runUntil([this] { return !sequencer().running(); });
    }

    int files() const {
        return static_cast<int>(QDir(QString::fromStdString(m_window->naming().CurImgDir()))
                                    .entryList(QDir::Files)
                                    .size());
    }
    std::vector<std::string> sequenceLines() {
        std::vector<std::string> out;
        for (const std::string& m : messages(*m_window)) {
            if (m.find("SEQUENCE: ") != std::string::npos) {
                out.push_back(m);
            }
        }
        return out;
    }
    static int captures() { return SimControl::countCalls(orv::kCmdStart, orv::kCapCapture); }
    static int terminates() {
        return SimControl::countCalls(orv::kCmdStart, orv::kCapTerminateCapture);
    }
    // Releases (R) and the fetches of their files (F) in the order the
    // camera saw them, each fetch once however many requests it took.
    static std::string releasesAndFetches() {
        std::string order;
        for (const vsim::CallRecord& call : SimControl::callLog()) {
            const char mark = call.command != orv::kCmdStart   ? 0
                              : call.param == orv::kCapCapture ? 'R'
                              : call.param == orv::kCapAcquire ? 'F'
                                                               : 0;
            if (mark != 0 && (order.empty() || order.back() != mark || mark == 'R')) {
                order += mark;
            }
        }
        return order;
    }
    // The camera's value of `capId` at each picture's announcement.
    std::vector<uint32_t> valuesAtEachShot(uint32_t capId) {
        std::vector<uint32_t> seen;
        const QMetaObject::Connection watch = QObject::connect(
            &m_window->session(), &CameraSession::itemAdded, m_window.get(),
            [this, capId, &seen](uint32_t) {
                seen.push_back(capId == orv::kCapExposureComp
                                   ? SimControl::getRange(m_camera, capId).valueIndex
                                   : SimControl::getEnumIndex(m_camera, capId));
            });
        dialog().bStart->click();
        EXPECT_TRUE(runToEnd());
        QObject::disconnect(watch);
        return seen;
    }
};

TEST_F(SequencerTest, AnIntervalRunFetchesEveryShotsFilesBeforeTheNextRelease) {
    connectTo("Y800");
    // The window's hook gets each received file, as the tethering mode's does.
    ASSERT_TRUE(QDir().mkpath(tempPath(QStringLiteral("hooks"))));
    const QString hookLog = tempPath(QStringLiteral("hooks/received.txt"));
    m_window->shootMenu().setHook(
        {QStringLiteral("echo \"$VANTORA_NUMBER $VANTORA_KIND\" >> '%1'; true").arg(hookLog), 60});
    setRun(3, 0.2, 0);
    SimControl::clearCallLog();
    dialog().bStart->click();
    EXPECT_TRUE(sequencer().running());
    EXPECT_FALSE(dialog().bStart->isEnabled());
    EXPECT_FALSE(dialog().sbFrames->isEnabled()) << "the running sequence keeps its values";
    ASSERT_TRUE(runToEnd());

    EXPECT_EQ(files(), 3);
    EXPECT_EQ(releasesAndFetches(), "RFRFRF");
    EXPECT_EQ(sequenceLines(),
              (std::vector<std::string>{
                  "SEQUENCE: Started: 3 shots, single pictures, every 0.2 s, the first in 0 s.",
                  "SEQUENCE: Shot 1 of 3.", "SEQUENCE: Shot 2 of 3.", "SEQUENCE: Shot 3 of 3.",
                  "SEQUENCE: Finished: 3 shots."}));
    EXPECT_EQ(status(), "Ended after 3 shots");
    EXPECT_TRUE(dialog().bStart->isEnabled());
    EXPECT_FALSE(dialog().bStop->isEnabled());
    QFile received(hookLog);
    ASSERT_TRUE(runUntil([&] { return received.exists() && received.size() >= 18; }));
    ASSERT_TRUE(received.open(QIODevice::ReadOnly));
    EXPECT_EQ(received.readAll(), "1 jpg\n2 jpg\n3 jpg\n");
    m_window->shootMenu().setHook({});

    // The first shot's files take 5.5 s by the sequencer's clock: slots 2
    // to 5 of the 1 s grid are gone, the sixth is shot at once.
    auto late = std::make_shared<std::chrono::milliseconds>(0);
    sequencer().setClock([late] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch()) +
               *late;
    });
    const QMetaObject::Connection slow =
        QObject::connect(&m_window->session(), &CameraSession::itemAdded, m_window.get(),
                         [late](uint32_t) { *late = std::chrono::milliseconds(5500); });
    setRun(2, 1, 0);
    dialog().bStart->click();
    ASSERT_TRUE(runToEnd());
    QObject::disconnect(slow);
    EXPECT_EQ(files(), 5);
    const int skipped = lineIndex(
        *m_window, "SEQUENCE: Slots 2 to 5 skipped: the previous shot was busy until its time "
                   "had passed.");
    ASSERT_GE(skipped, 0) << ::testing::PrintToString(sequenceLines());
    EXPECT_EQ(lineIndex(*m_window, "SEQUENCE: Shot 2 of 2."), skipped + 1);
}

TEST_F(SequencerTest, StopAndUnplugEndARunAndFilesThatNeverComeTimeOut) {
    connectTo("Y800");
    // Unlimited, a minute apart: after the first shot it waits.
    setRun(0, 60, 0);
    dialog().bStart->click();
    ASSERT_TRUE(runUntil([this] {
        return sequencer().phase() == SequencePhase::Waiting && sequencer().shotsTaken() == 1;
    }));
    // 60 s from the first shot's start, counted down from 60 or 59 s.
    const QString waiting = status();
    ASSERT_TRUE(waiting.startsWith("Shot 2, next in ")) << waiting.toStdString();
    EXPECT_GE(waiting.section(' ', 4, 4).toInt(), 50) << waiting.toStdString();
    EXPECT_LE(waiting.section(' ', 4, 4).toInt(), 60) << waiting.toStdString();
    dialog().bStop->click();
    EXPECT_FALSE(sequencer().running());
    EXPECT_EQ(captures(), 1);
    EXPECT_EQ(files(), 1);
    EXPECT_EQ(sequenceLines().back(), "SEQUENCE: Stopped after 1 shot.");

    // Files held in the camera: each shot waits out its time-out, then the
    // next is released.
    holdTransfers();
    setRun(2, 0, 0);
    dialog().sbFileTimeout->setValue(1);
    dialog().bStart->click();
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(captures(), 3);
    EXPECT_EQ(m_window->session().pendingItemCount(), 2);
    const int firstOut =
        lineIndex(*m_window, "ERROR: SEQUENCE: Shot 1 of 2: no files within 1 s; going on.");
    ASSERT_GE(firstOut, 0);
    EXPECT_GT(lineIndex(*m_window, "SEQUENCE: Shot 2 of 2."), firstOut);
    EXPECT_TRUE(logged(*m_window, "ERROR: SEQUENCE: Shot 2 of 2: no files within 1 s; going on."));

    // Unplugged while waiting for the first shot.
    dialog().sbDelay->setValue(60);
    dialog().bStart->click();
    ASSERT_TRUE(sequencer().running());
    SimControl::detach(m_camera);
    deliverEvents();
    EXPECT_FALSE(sequencer().running());
    EXPECT_EQ(sequenceLines().back(),
              "SEQUENCE: The camera connection closed: stopped after 0 shots.");
    EXPECT_FALSE(sequencer().start(SequenceSettings()));
    EXPECT_EQ(messages(*m_window).back(), "ERROR: SEQUENCE: No camera is connected.");
}

TEST_F(SequencerTest, ABracketMovesTheCompensationInPAndTheShutterInMAndPutsThemBack) {
    connectTo("Y800");
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapExposureMode, 0)); // P
    poll();
    setRun(1, 0, 1);
    dialog().sbBracketFrames->setValue(3);
    dialog().cbBracketStep->setCurrentIndex(3); // 1 EV
    SimControl::clearCallLog();
    EXPECT_EQ(valuesAtEachShot(orv::kCapExposureComp), (std::vector<uint32_t>{15, 12, 18}));
    EXPECT_EQ(SimControl::getRange(m_camera, orv::kCapExposureComp).valueIndex, 15u);
    EXPECT_EQ(writes(orv::kCapExposureComp), 4) << "three frames and the way back";
    EXPECT_EQ(files(), 3);
    EXPECT_TRUE(logged(*m_window, "SEQUENCE: Frame 2 of 3: exposure comp. -1.0 EV."));
    EXPECT_TRUE(logged(*m_window, "SEQUENCE: Frame 3 of 3: exposure comp. +1.0 EV."));

    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapExposureMode, 3)); // M
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapShutterSpeed, kShutter1_125));
    poll();
    EXPECT_EQ(valuesAtEachShot(orv::kCapShutterSpeed),
              (std::vector<uint32_t>{kShutter1_125, kShutter1_125 + 1, kShutter1_125 - 1}));
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, orv::kCapShutterSpeed), kShutter1_125);
    EXPECT_TRUE(logged(*m_window, "SEQUENCE: Frame 2 of 3: shutter speed 1/250."));
    EXPECT_TRUE(logged(*m_window, "SEQUENCE: Frame 3 of 3: shutter speed 1/60."));

    // At the list's short end: 1/16000 is kept at 1/8000 once, not twice.
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapShutterSpeed, kShutter1_4000));
    poll();
    dialog().sbBracketFrames->setValue(5);
    dialog().cbBracketStep->setCurrentIndex(4); // 2 EV
    EXPECT_EQ(valuesAtEachShot(orv::kCapShutterSpeed), (std::vector<uint32_t>{18, 19, 16, 14}));
    EXPECT_TRUE(
        logged(*m_window, "SEQUENCE: Frame 2 of 5: shutter speed 1/8000 (the camera's end)."));
    EXPECT_TRUE(logged(*m_window, "SEQUENCE: Frame 4 of 5 skipped: shutter speed 1/8000 was "
                                  "taken already (the camera's end)."));
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, orv::kCapShutterSpeed), kShutter1_4000);
    EXPECT_EQ(files(), 10);

    // Stopped at the second frame (the first one's files never came): the
    // compensation goes back at once.
    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapExposureMode, 0));
    poll();
    holdTransfers();
    dialog().sbBracketFrames->setValue(3);
    dialog().cbBracketStep->setCurrentIndex(3);
    dialog().sbFileTimeout->setValue(1);
    dialog().bStart->click();
    ASSERT_TRUE(runUntil(
        [this] { return SimControl::getRange(m_camera, orv::kCapExposureComp).valueIndex == 12; }));
    dialog().bStop->click();
    EXPECT_FALSE(sequencer().running());
    EXPECT_EQ(SimControl::getRange(m_camera, orv::kCapExposureComp).valueIndex, 15u);
}

TEST_F(SequencerTest, ABulbExposureRunsLockedForItsLengthAndStopEndsALongOne) {
    connectTo("Y800");
    setRun(1, 0, 2);
    dialog().sbBulbLength->setValue(0.5);
    dialog().bStart->click();
    EXPECT_FALSE(sequencer().running()) << "1/250 is selected";
    EXPECT_EQ(messages(*m_window).back(),
              "ERROR: SEQUENCE: Bulb exposures need the shutter speed Bulb.");
    EXPECT_EQ(status(), "Not started: the log says why");

    ASSERT_TRUE(SimControl::setEnumIndex(m_camera, orv::kCapShutterSpeed, 0)); // Bulb
    poll();
    dialog().bStart->click();
    ASSERT_TRUE(runUntil([this] { return sequencer().phase() == SequencePhase::Exposing; }));
    EXPECT_TRUE(SimControl::getBoolean(m_camera, orv::kCapLockCamera));
    EXPECT_EQ(terminates(), 0);
    EXPECT_EQ(status(), "Shot 1 of 1, exposing, 1 s left");
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(terminates(), 1);
    EXPECT_FALSE(SimControl::getBoolean(m_camera, orv::kCapLockCamera));
    EXPECT_EQ(files(), 1);
    EXPECT_TRUE(logged(*m_window, "SEQUENCE: Shot 1 of 1: bulb exposure of 0.5 s."));

    // A single picture with "Bulb" would leave the shutter open.
    dialog().cbKind->setCurrentIndex(0);
    dialog().bStart->click();
    EXPECT_FALSE(sequencer().running());

    dialog().cbKind->setCurrentIndex(2);
    dialog().sbBulbLength->setValue(240);
    dialog().bStart->click();
    ASSERT_TRUE(runUntil([this] { return sequencer().phase() == SequencePhase::Exposing; }));
    EXPECT_EQ(status(), "Shot 1 of 1, exposing, 240 s left");
    dialog().bStop->click();
    EXPECT_FALSE(sequencer().running());
    EXPECT_EQ(terminates(), 2);
    EXPECT_FALSE(SimControl::getBoolean(m_camera, orv::kCapLockCamera));
    // What was exposed until the stop is still a picture.
    EXPECT_TRUE(runUntil([this] { return files() == 2; }));
}

TEST_F(SequencerTest, TheShootMenusValuesAreKeptAcrossRuns) {
    m_window = makeWindow();
    start(*m_window);
    ShootMenu& menu = m_window->shootMenu();
    const auto* shoot = m_window->findChild<QMenu*>(QStringLiteral("mShoot"));
    ASSERT_NE(shoot, nullptr);
    EXPECT_EQ(shoot->title(), "S&hoot");
    EXPECT_EQ(menu.sequencerAction().text(), "&Sequencer...");
    EXPECT_EQ(menu.hookAction().text(), "&Hook script...");

    QSignalSpy changed(m_window.get(), &TfMain::hookSettingsChanged);
    EXPECT_EQ(m_window->hookCommand(), "");
    EXPECT_EQ(m_window->hookTimeout_s(), 60);
    menu.hookAction().trigger();
    HookDialog& hook = menu.hookDialog();
    ASSERT_TRUE(hook.isVisible());
    hook.leCommand->setText(QStringLiteral("/opt/upload \"to server\" --fast"));
    hook.sbTimeout->setValue(120);
    hook.accept();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(m_window->hookCommand(), "/opt/upload \"to server\" --fast");
    EXPECT_EQ(m_window->hookTimeout_s(), 120);
    menu.hookAction().trigger();
    hook.sbTimeout->setValue(5);
    hook.reject();
    menu.hookAction().trigger();
    EXPECT_EQ(hook.sbTimeout->value(), 120) << "a cancelled edit is not kept";
    hook.accept();
    EXPECT_EQ(changed.count(), 1) << "nothing changed";

    SavedSequence values;
    values.frames = 250;
    values.unlimited = true;
    values.interval_ms = 12500;
    values.startAtTime = true;
    values.startDelay_ms = 3000;
    values.startTime = QTime(21, 15, 30);
    values.stopAtTime = true;
    values.stopTime = QTime(5, 45, 0);
    values.kind = 1;
    values.bracketFrames = 7;
    values.bracketStep = 0;
    values.bulbLength_ms = 240000;
    values.fileTimeout_s = 45;
    menu.sequencerDialog().setValues(values);
    EXPECT_EQ(menu.sequencerDialog().values(), values);
    m_window->close();

    m_window = makeWindow();
    EXPECT_EQ(m_window->shootMenu().sequencerDialog().values(), values);
    EXPECT_EQ(m_window->hookCommand(), "/opt/upload \"to server\" --fast");
    EXPECT_EQ(m_window->hookTimeout_s(), 120);
}
