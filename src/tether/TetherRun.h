#pragma once
// The command-line tethering mode: no window, Qt Core only. It connects to
// one camera and receives every picture and movie it produces into a
// folder, through the same connection, event, transfer and naming objects
// as the window; optionally it runs a shooting sequence and a hook command
// for each file. One line per received file goes to standard output, the
// log to standard error. It ends cleanly (camera disconnected) on a
// termination request, when the camera is unplugged, or when a sequence
// has finished and its files are in.
#include "app/DetectionHost.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class CameraConnector;
class CameraDetection;
class CameraDeviceList;
class CameraLink;
class CameraNameList;
class CameraSession;
class FileSystem;
class HookRunner;
class ImageTransfer;
class ItemEvents;
class LogModel;
class NamingState;
class QTimer;
class Sequencer;
class StatePoll;
class TUSBwatch;
struct ReceivedFile;

struct TetherSettings {
    QString directory;
    QString prefix = QStringLiteral("Image_");
    // Empty: the first camera found; the ordinal counts cameras of one model from 1.
    std::string cameraModel;
    int cameraOrdinal = 1;
    QString hookCommand;
    std::chrono::milliseconds hookTimeout{60000};
    // A sequence of `frames` shots (0: until stopped), one every `interval`.
    bool sequence = false;
    int frames = 0;
    std::chrono::milliseconds interval{0};
    std::filesystem::path moduleDirectory;
    // How often the camera gets its idle time and waiting items are fetched.
    std::chrono::milliseconds pollInterval{500};
};

class TetherRun : public QObject, private DetectionHost {
    Q_OBJECT
public:
    // Exit codes besides 0.
    static constexpr int kFailed = 1;

    TetherRun(TetherSettings settings, std::unique_ptr<CameraDeviceList> devices,
              std::FILE* fileLines = stdout, QObject* parent = nullptr);
    // The same, writing the files through `fileSystem` (the machine's by default).
    TetherRun(TetherSettings settings, std::unique_ptr<CameraDeviceList> devices,
              std::FILE* fileLines, std::unique_ptr<FileSystem> fileSystem,
              QObject* parent = nullptr);
    ~TetherRun() override;

    // Checks the folder, finds and connects the camera and starts receiving
    // (and the sequence, when asked). False when it cannot: the reason is
    // logged and exitCode() says how the program ends.
    bool start();
    // A termination request: the sequence stops, the camera is disconnected.
    void terminate(int signalNumber);
    int exitCode() const { return m_exitCode; }
    LogModel& log() { return *m_log; }
    // The connection, for a caller that follows the camera's items.
    const CameraSession& session() const { return *m_session; }

signals:
    // The run is over; the program ends with `exitCode`.
    void finished(int exitCode);

private:
    bool prepareFolder();
    bool findCamera(std::string& model, int& ordinal);
    bool connectCamera();
    void startSequence();
    void fileReceived(const ReceivedFile& file);
    void sequenceFinished();
    void finishWhenFilesAreIn();
    void finish(int exitCode);

    // The detection's host: nothing to show, no automatic connect; an
    // unplugged camera ends the run.
    void setConnectEnabled(bool) override {}
    void LoadCamPics(const std::string&) override {}
    bool autoConnectChecked() const override { return false; }
    void armAutoConnect(int) override {}
    bool isConnected() const override;
    std::string connectedCameraName() const override;
    void bDSLRDisconnClick() override;

    TetherSettings m_settings;
    std::FILE* m_fileLines;
    std::unique_ptr<LogModel> m_log;
    std::unique_ptr<TUSBwatch> m_usbWatch;
    std::unique_ptr<CameraLink> m_link;
    std::unique_ptr<CameraSession> m_session;
    std::unique_ptr<CameraConnector> m_connector;
    std::unique_ptr<ItemEvents> m_items;
    std::unique_ptr<NamingState> m_naming;
    std::unique_ptr<FileSystem> m_fileSystem;
    std::unique_ptr<ImageTransfer> m_transfer;
    std::unique_ptr<QTimer> m_pollTimer;
    std::unique_ptr<StatePoll> m_poll;
    std::unique_ptr<HookRunner> m_hooks;
    std::unique_ptr<Sequencer> m_sequencer;
    std::unique_ptr<CameraNameList> m_cameraList;
    std::unique_ptr<CameraDetection> m_detection;
    bool m_sequenceDone = false;
    bool m_finished = false;
    int m_exitCode = 0;
};
