#pragma once
// The per-user settings file: QSettings("Quillon Labs", "Vantora") in INI
// format. Read once at window creation (RegRead) and written once at window
// close (RegWrite), with the value names the program has always used.
#include "app/AppSettings.h"

#include <QString>

// Program version, kept in the settings file's "Version" value. The build
// defines it (VANTORA_VERSION in the top CMakeLists.txt), which also names
// the package.
#ifndef VANTORA_VERSION
#error "VANTORA_VERSION comes from the build"
#endif
inline constexpr char kProgramVersion[] = VANTORA_VERSION;

class SettingsStore {
public:
    // The per-user file in the configuration directory.
    SettingsStore();
    // An explicit file (tests, alternative configurations).
    explicit SettingsStore(QString filePath);

    const QString& fileName() const { return m_filePath; }

    // Reads the stored values over the defaults; defaultImageDir is the
    // image directory used when none is stored (the pictures folder). When no
    // file exists nothing is read and nothing is written; otherwise "Version"
    // is stored. A value of the wrong type is ignored, and a file that does not
    // parse gives the defaults.
    AppSettings RegRead(const QString& defaultImageDir) const;

    // Saves the record, creating the file when missing. The file is replaced
    // atomically; an unwritable location saves nothing. Returns whether the
    // file was written.
    bool RegWrite(const AppSettings& settings) const;

private:
    QString m_filePath;
};
