#pragma once
// The program's command line and environment: simulated cameras, the log
// mirror file, the screenshot run and the web base address.
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

struct ProgramOptions {
    // Models to attach to the simulator; nothing: the real USB bus.
    std::optional<std::vector<std::string>> simulate;
    QString logFile;        // "--log-file PATH"
    QString screenshotPath; // "--screenshot PATH"
    QString error;          // a usage error; the program says it and stops
};

// `arguments` as QApplication::arguments() gives them (program first);
// `simulateEnvironment` is VANTORA_SIMULATE.
ProgramOptions parseProgramOptions(const QStringList& arguments,
                                   const QString& simulateEnvironment);

// The module download base: VANTORA_WEB_BASE when set, else the settings
// file's "WebBase" value, else `fallback`. A base always ends with "/" so
// that "down/" + file name can be appended.
QString webBaseAddress(const QString& settingsFile, const QString& environmentValue,
                       const QString& fallback);
