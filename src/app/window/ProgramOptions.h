#pragma once
// The program's command line and environment: simulated cameras, the log
// mirror file, the screenshot run, the web base address, and the help and
// version requests answered without opening a window.
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

// "--tether DIR" and the options that go with it: no window, the pictures
// of one camera into DIR.
struct TetherOptions {
    QString directory;
    QString prefix = QStringLiteral("Image_"); // "--prefix P"
    std::string cameraModel;                   // "--camera MODEL[,N]"
    int cameraOrdinal = 1;
    QString hook;              // "--hook CMD"
    double hookTimeout_s = 60; // "--hook-timeout S"
    // "--frames N" and/or "--interval S": a sequence (frames 0: until stopped).
    bool sequence = false;
    int frames = 0;
    double interval_s = 0;
};

struct ProgramOptions {
    // Models to attach to the simulator; nothing: the real USB bus.
    std::optional<std::vector<std::string>> simulate;
    QString logFile;                 // "--log-file PATH"
    QString screenshotPath;          // "--screenshot PATH"
    bool liveView = false;           // "--live-view": the screenshot shows live view
    std::optional<QStringList> aids; // "--aids LIST": these live view aids on
    std::optional<TetherOptions> tether;
    bool showHelp = false;    // "--help" or "-h": print programHelp() and stop
    bool showVersion = false; // "--version": print versionLine() and stop
    QString error;            // a usage error; the program says it and stops
};

// Whether the toolkit's own arguments ("-platform offscreen", "-style
// fusion") may still be among the arguments: before the application object
// exists they are, afterwards it has taken them out.
enum class ToolkitArguments { MayFollow, Removed };

// `arguments` as QApplication::arguments() gives them (program first);
// `simulateEnvironment` is VANTORA_SIMULATE. An option the program does not
// know is an error; so is, once the toolkit's arguments are removed, any
// other argument left over.
ProgramOptions parseProgramOptions(const QStringList& arguments, const QString& simulateEnvironment,
                                   ToolkitArguments toolkit = ToolkitArguments::Removed);

// Reads arguments[index] when it is one of the tethering options; returns
// false for any other. `index` ends on the last argument used.
bool readTetherOption(const QStringList& arguments, qsizetype& index, ProgramOptions& options);
// The tethering options given without "--tether" are an error.
void checkTetherOptions(ProgramOptions& options);

// The text "--help" prints: usage, every option, the environment variables
// and the models the simulator knows.
QString programHelp(const std::vector<std::string>& simulatedModels);

// The line "--version" prints: "Vantora " and the version.
QString versionLine(const char* version);

// One line naming the options, printed after a usage error.
QString usageLine();

// The module download base: VANTORA_WEB_BASE when set, else the settings
// file's "WebBase" value, else `fallback`. A base always ends with "/" so
// that "down/" + file name can be appended.
QString webBaseAddress(const QString& settingsFile, const QString& environmentValue,
                       const QString& fallback);
