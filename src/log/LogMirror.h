#pragma once
// Copies every log line, without markup, to standard error and optionally to
// a file, so scripts and bug reports get the log without the window.
#include <QFile>
#include <QString>
#include <memory>
#include <string>

class LogMirror {
public:
    LogMirror();
    ~LogMirror();
    LogMirror(const LogMirror&) = delete;
    LogMirror& operator=(const LogMirror&) = delete;

    void setStderrEnabled(bool enabled) { m_toStderr = enabled; }
    bool stderrEnabled() const { return m_toStderr; }

    // Starts mirroring into `path`, appended to what it holds, so an earlier
    // run's record survives. On failure the previous file (if any) is kept,
    // false is returned and `error` (when given) says why.
    bool setFile(const QString& path, QString* error = nullptr);
    void closeFile();
    QString filePath() const;

    // Writes one line; each is flushed at once so a crash loses nothing.
    void write(const std::string& line);

private:
    bool m_toStderr = true;
    std::unique_ptr<QFile> m_file;
};
