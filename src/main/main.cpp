// Program entry of Vantora: reads the command line, attaches simulated
// cameras when asked to, builds the main window and runs the event loop;
// with --tether it runs without a window (and without a display).
#include "app/window/Main.h"
#include "SimControl.h"
#include "app/SettingsStore.h"
#include "app/TerminationSignals.h"
#include "app/window/ProgramOptions.h"
#include "app/window/ScreenshotRun.h"
#include "simulated/SimulatedDeviceBackend.h"
#include "simulated/SimulatorMenu.h"
#include "tether/TetherRun.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMenuBar>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

constexpr int kActivationWait_ms = 300;
constexpr int kUsageError = 2;

// The arguments as the program was given them, before the application
// object takes the toolkit's own out.
QStringList rawArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// Help, version and usage errors are answered here, without a window (and
// so without a display); nothing: go on and open the window.
std::optional<int> answerWithoutWindow(const ProgramOptions& options) {
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "vantora: %s\n%s\n", qPrintable(options.error),
                     qPrintable(usageLine()));
        return kUsageError;
    }
    if (options.showHelp) {
        std::fputs(qPrintable(programHelp(vsim::SimControl::knownModels())), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("%s\n", qPrintable(versionLine(TfMain::kVersion)));
        return 0;
    }
    return std::nullopt;
}

// Attaches the simulated cameras; unknown model names are reported and skipped.
void attachSimulatedCameras(const std::vector<std::string>& models) {
    for (const std::string& model : models) {
        if (vsim::SimControl::attach(model) == 0) {
            std::fprintf(stderr, "vantora: no simulated camera model %s\n", model.c_str());
        }
    }
}

WindowServices servicesFor(const ProgramOptions& options) {
    WindowServices services;
    if (options.simulate) {
        services.deviceList = [] { return std::make_unique<SimulatedDeviceBackend>(); };
    }
    services.logFile = options.logFile;
    services.webBase =
        webBaseAddress(SettingsStore().fileName(), qEnvironmentVariable("VANTORA_WEB_BASE"),
                       QString::fromLatin1(TfMain::kDefaultWebBase));
    return services;
}

TetherSettings tetherSettings(const TetherOptions& tether) {
    TetherSettings settings;
    settings.directory = tether.directory;
    settings.prefix = tether.prefix;
    settings.cameraModel = tether.cameraModel;
    settings.cameraOrdinal = tether.cameraOrdinal;
    settings.hookCommand = tether.hook;
    settings.hookTimeout = std::chrono::milliseconds(std::llround(tether.hookTimeout_s * 1000));
    settings.sequence = tether.sequence;
    settings.frames = tether.frames;
    settings.interval = std::chrono::milliseconds(std::llround(tether.interval_s * 1000));
    return settings;
}

// The tethering mode: Qt Core's event loop, no window.
int runTether(int argc, char** argv, const ProgramOptions& options) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quillon Labs"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantora"));
    std::unique_ptr<CameraDeviceList> devices;
    if (options.simulate) {
        attachSimulatedCameras(*options.simulate);
        devices = std::make_unique<SimulatedDeviceBackend>();
    } else {
        devices = createUdevDeviceList();
    }
    TetherRun run(tetherSettings(*options.tether), std::move(devices));
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &run, &TetherRun::terminate);
    QObject::connect(&run, &TetherRun::finished, &app,
                     [](int code) { QCoreApplication::exit(code); });
    if (!run.start()) {
        return run.exitCode();
    }
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    const QString simulate = qEnvironmentVariable("VANTORA_SIMULATE");
    const ProgramOptions early =
        parseProgramOptions(rawArguments(argc, argv), simulate, ToolkitArguments::MayFollow);
    if (const std::optional<int> answered = answerWithoutWindow(early)) {
        return *answered;
    }
    if (early.tether) {
        // No toolkit takes arguments out here: whatever is left over is wrong.
        const ProgramOptions tether = parseProgramOptions(rawArguments(argc, argv), simulate);
        if (const std::optional<int> answered = answerWithoutWindow(tether)) {
            return *answered;
        }
        return runTether(argc, argv, tether);
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillon Labs"));
    QApplication::setApplicationName(QStringLiteral("Vantora"));
    // Ties the window to the installed desktop entry (its icon, its name in
    // the task bar).
    QApplication::setDesktopFileName(QStringLiteral("vantora"));
    const ProgramOptions options = parseProgramOptions(QApplication::arguments(), simulate);
    if (const std::optional<int> answered = answerWithoutWindow(options)) {
        return *answered;
    }
    if (options.simulate) {
        // A demo shows a living scene; tests keep it still unless they ask.
        vsim::SimControl::setSceneMotion(true);
        attachSimulatedCameras(*options.simulate);
    }
    TfMain window(servicesFor(options));
    if (options.aids) {
        window.switchAidsOn(*options.aids);
    }
    std::unique_ptr<SimulatorMenu> simulatorMenu;
    if (options.simulate) {
        simulatorMenu = std::make_unique<SimulatorMenu>(*window.menuBar());
    }
    // A termination request closes the window as its close box does: the
    // camera connection ends and the settings are written.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &window, &QWidget::close);
    window.show();
    // Without a window manager (a virtual screen) the window may never be
    // told it became active; start-up must not depend on that. The wait
    // lets a real activation come first, so start-up runs only once.
    QTimer::singleShot(kActivationWait_ms, &window, [&window] {
        if (!window.activatedOnce()) {
            window.FormActivate();
        }
    });
    std::unique_ptr<ScreenshotRun> screenshot;
    if (!options.screenshotPath.isEmpty()) {
        screenshot =
            std::make_unique<ScreenshotRun>(window, options.screenshotPath, options.liveView);
        screenshot->start();
    }
    return QApplication::exec();
}
