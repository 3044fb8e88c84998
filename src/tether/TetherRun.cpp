#include "tether/TetherRun.h"

#include "app/CameraDetection.h"
#include "app/PDAPIlib.h"
#include "app/USBwatch.h"
#include "app/UserFolders.h"
#include "camera/CameraLink.h"
#include "images/HookRunner.h"
#include "images/ImageNaming.h"
#include "images/ImageTransfer.h"
#include "images/NamingState.h"
#include "images/PosixFileSystem.h"
#include "log/LogModel.h"
#include "log/TaggedText.h"
#include "sequencer/Sequencer.h"
#include "session/CameraConnector.h"
#include "session/CameraSession.h"
#include "session/ItemEvents.h"
#include "session/StatePoll.h"
#include "tether/CameraNameList.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTimer>

#include <csignal>

namespace {

constexpr int kSerialChars = 7;
// How long the end of a run waits for files still in the camera, and a
// termination request for the hooks still running.
constexpr int kLastFilesWait_ms = 60000;
constexpr std::chrono::milliseconds kHooksAtTermination{5000};

std::string signalName(int signalNumber) {
    return signalNumber == SIGINT ? "SIGINT" : signalNumber == SIGTERM ? "SIGTERM" : "a signal";
}

} // namespace

TetherRun::TetherRun(TetherSettings settings, std::unique_ptr<CameraDeviceList> devices,
                     std::FILE* fileLines, QObject* parent)
    : TetherRun(std::move(settings), std::move(devices), fileLines,
                std::make_unique<PosixFileSystem>(), parent) {}

TetherRun::TetherRun(TetherSettings settings, std::unique_ptr<CameraDeviceList> devices,
                     std::FILE* fileLines, std::unique_ptr<FileSystem> fileSystem, QObject* parent)
    : QObject(parent), m_settings(std::move(settings)), m_fileLines(fileLines),
      m_log(std::make_unique<LogModel>()),
      m_usbWatch(std::make_unique<TUSBwatch>(std::move(devices))) {
    m_log->mirror().setStderrEnabled(true);
    const std::filesystem::path modules = m_settings.moduleDirectory.empty()
                                              ? ModuleLoader::defaultModuleDirectory()
                                              : m_settings.moduleDirectory;
    m_link = std::make_unique<CameraLink>(m_log.get(), modules);
    // Module files the window downloaded are found here too.
    m_link->setUserModuleDirectory(userfolders::userModuleFolder().toStdString());
    m_session = std::make_unique<CameraSession>(*m_link);
    m_connector = std::make_unique<CameraConnector>(*m_session, *m_log);
    m_items = std::make_unique<ItemEvents>(*m_session, *m_log, [] { return false; });
    m_naming = std::make_unique<NamingState>();
    m_fileSystem = std::move(fileSystem);
    m_transfer = std::make_unique<ImageTransfer>(*m_session, *m_naming, *m_fileSystem, *m_log);
    m_transfer->setFileReceived([this](const ReceivedFile& file) { fileReceived(file); });
    m_pollTimer = std::make_unique<QTimer>();
    m_pollTimer->setInterval(m_settings.pollInterval);
    m_poll = std::make_unique<StatePoll>(*m_pollTimer, *m_session, *m_log);
    m_poll->setFetcher(m_transfer.get());
    m_hooks = std::make_unique<HookRunner>(*m_log);
    m_hooks->setCommand(m_settings.hookCommand);
    m_hooks->setTimeout(m_settings.hookTimeout);
    m_sequencer = std::make_unique<Sequencer>(*m_session, *m_log);
    m_cameraList = std::make_unique<CameraNameList>();
    DetectionHost& host = *this;
    m_detection =
        std::make_unique<CameraDetection>(m_usbWatch->devices(), *m_cameraList, host, *m_log);
    connect(m_usbWatch.get(), &TUSBwatch::OnUSBArrival, this,
            [this](const QString& path) { m_detection->USBwatchUSBArrival(path.toStdString()); });
    connect(m_usbWatch.get(), &TUSBwatch::OnUSBRemove, this,
            [this](const QString& path) { m_detection->USBwatchUSBRemove(path.toStdString()); });
    connect(m_session.get(), &CameraSession::opened, this,
            [this] { m_transfer->connectionOpened(); });
    connect(m_session.get(), &CameraSession::itemFinished, this, &TetherRun::finishWhenFilesAreIn);
    connect(m_hooks.get(), &HookRunner::becameIdle, this, &TetherRun::finishWhenFilesAreIn);
    connect(m_sequencer.get(), &Sequencer::finished, this, &TetherRun::sequenceFinished);
}

// Members go in reverse order: everything that uses the camera link before
// it, all of it before the log.
TetherRun::~TetherRun() = default;

bool TetherRun::start() {
    m_log->log("Program start");
    if (!prepareFolder()) {
        m_exitCode = kFailed;
        return false;
    }
    m_detection->DetectCameras();
    if (!connectCamera()) {
        m_exitCode = kFailed;
        return false;
    }
    m_pollTimer->start();
    if (m_settings.sequence) {
        startSequence();
    }
    return !m_finished;
}

// The folder is made when missing and must take a file: a shoot must not
// begin into a folder that cannot hold its pictures.
bool TetherRun::prepareFolder() {
    const QString folder = m_settings.directory;
    if (folder.isEmpty()) {
        m_log->elog("No folder for the pictures was given.");
        return false;
    }
    const std::string shown = TagBold(folder.toStdString());
    if (!QDir().mkpath(folder)) {
        m_log->elog("The folder " + shown + " cannot be made.");
        return false;
    }
    const QString absolute = QFileInfo(folder).absoluteFilePath();
    QTemporaryFile probe(absolute + QStringLiteral("/.vantora-probe-XXXXXX"));
    if (!QFileInfo(absolute).isDir() || !probe.open()) {
        m_log->elog("The folder " + shown +
                    " cannot be written: " + probe.errorString().toStdString() + ".");
        return false;
    }
    m_naming->setCurImgDir(absolute.toStdString());
    m_naming->setCurImgPrefix(m_settings.prefix.toStdString());
    m_naming->getLastImg();
    m_log->log(
        "Pictures go into <b>" + m_naming->CurImgDir() + "</b> as <b>" + m_naming->CurImgPrefix() +
        naming::ZeroPad(m_naming->ImageCounter() + 1, naming::kNumberWidth) + "</b> and on.");
    return true;
}

// The camera asked for, or the first one attached.
bool TetherRun::findCamera(std::string& model, int& ordinal) {
    const std::vector<std::string>& names = m_cameraList->names();
    if (m_settings.cameraModel.empty()) {
        if (names.empty()) {
            m_log->elog("No camera found.");
            return false;
        }
        model = names.front();
        ordinal = 1;
        return true;
    }
    model = m_settings.cameraModel;
    ordinal = m_settings.cameraOrdinal;
    const auto attached = std::count(names.begin(), names.end(), model);
    if (ordinal < 1 || attached < ordinal) {
        m_log->elog("No camera " + TagBold(model) +
                    (ordinal > 1 ? " number " + std::to_string(ordinal) : std::string()) +
                    " found.");
        return false;
    }
    return true;
}

bool TetherRun::connectCamera() {
    std::string model;
    int ordinal = 1;
    if (!findCamera(model, ordinal)) {
        return false;
    }
    const auto device = FindAttachedCamera(m_usbWatch->devices(), model, ordinal);
    CameraIdentity identity;
    if (device) {
        identity = {QString::fromStdString(device->serialNumber).left(kSerialChars),
                    QString::fromStdString(device->firmwareVersion)};
    }
    m_session->beginConnect(ordinal, identity);
    return m_connector->connect(model);
}

void TetherRun::startSequence() {
    SequenceSettings sequence;
    sequence.frames = m_settings.frames;
    sequence.interval = m_settings.interval;
    if (!m_sequencer->start(sequence)) {
        finish(kFailed);
    }
}

void TetherRun::fileReceived(const ReceivedFile& file) {
    std::fprintf(m_fileLines, "%s\n", file.path.c_str());
    std::fflush(m_fileLines);
    m_hooks->fileReceived(file);
}

void TetherRun::sequenceFinished() {
    if (m_sequenceDone) {
        return;
    }
    m_sequenceDone = true;
    // Files that have not come by then stay on the camera's card.
    QTimer::singleShot(kLastFilesWait_ms, this, [this] {
        if (!m_finished) {
            m_log->elog("Items still in the camera stay on its card.");
            finish(kFailed);
        }
    });
    finishWhenFilesAreIn();
}

// After a sequence: every file in and every hook run, then the end.
void TetherRun::finishWhenFilesAreIn() {
    if (!m_sequenceDone || m_finished) {
        return;
    }
    if (m_session->connected() && m_session->pendingItemCount() > 0) {
        return;
    }
    if (!m_hooks->idle()) {
        return;
    }
    finish(0);
}

void TetherRun::terminate(int signalNumber) {
    if (m_finished) {
        return;
    }
    m_log->log("Tethering ends on " + signalName(signalNumber) + ".");
    m_sequencer->stop();
    m_pollTimer->stop();
    if (!m_hooks->waitUntilIdle(kHooksAtTermination)) {
        m_log->elog("A hook still running was stopped.");
    }
    finish(0);
}

void TetherRun::finish(int exitCode) {
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_exitCode = exitCode;
    m_pollTimer->stop();
    m_sequencer->stop();
    m_connector->disconnect();
    emit finished(exitCode);
}

bool TetherRun::isConnected() const {
    return m_session->connected();
}

std::string TetherRun::connectedCameraName() const {
    return m_session->cameraName();
}

// The connected camera was unplugged: nothing more can arrive.
void TetherRun::bDSLRDisconnClick() {
    m_log->log("The camera is gone; tethering ends.");
    finish(0);
}
