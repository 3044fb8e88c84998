#pragma once
// The message log as a service: stamps each TaggedText message, keeps the
// lines (plain text + runs + error flag), mirrors them to standard error and
// a file, and saves them as RTF. Every subsystem that reports writes here;
// views (the log widget, the status bar) follow its signals. Qt Core only.
#include "camera/LogSink.h"
#include "log/LogFormats.h"
#include "log/LogLine.h"
#include "log/LogMirror.h"

#include <QChar>
#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class Clock;

class LogModel : public QObject, public LogSink {
    Q_OBJECT
public:
    // Outcome of writing the log to a file; `error` says why it failed.
    struct SaveResult {
        bool ok = false;
        QString error;
    };

    explicit LogModel(QObject* parent = nullptr);
    ~LogModel() override;

    // Appends one stamped line (an error line when `elog` asked for it).
    void log(const std::string& text) override;
    // Logs each entry in order; every one gets its own stamp.
    void logsl(const std::vector<std::string>& lines);
    // Logs only while "Log all event" is ticked; otherwise changes nothing.
    void DSLRlog(const std::string& text);
    void dslrLog(const std::string& text) override { DSLRlog(text); }
    // Logs `text` as an error line, resets the pending error code, beeps.
    void elog(const std::string& text) override;

    // Forgets every line (the "Clear" button).
    void clearLog();
    // Writes the whole log as RTF, atomically: on failure the target and the
    // log are left as they were.
    SaveResult saveLogTo(const QString& path) const;

    // Reads the "Log all event" box; DSLRlog writes nothing while unset.
    void setLogAllEvents(std::function<bool()> isTicked) { m_logAllEvents = std::move(isTicked); }
    // Resets the pending error code after an error line.
    void setErrorCodeReset(std::function<void()> reset) { m_resetErrorCode = std::move(reset); }
    // The exclamation beep; none until the window gives one.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }
    // The clock of the stamps; the machine's by default.
    void setClock(const Clock& clock) { m_clock = &clock; }
    // Chooses the stamp's hour form and rereads the locale's time separator.
    // The window sets StampFormat::LongHour at the end of its creation.
    void setStampFormat(StampFormat format);
    StampFormat stampFormat() const { return m_stampFormat; }
    // Also writes every line into `path`; false (and `error`) if it cannot.
    bool setMirrorFile(const QString& path, QString* error = nullptr);
    LogMirror& mirror() { return m_mirror; }

    const std::vector<LogLine>& lines() const { return m_lines; }
    bool errorLinePending() const { return m_errorLinePending; }

signals:
    // A line was appended (it is already in lines()).
    void lineAdded(const LogLine& line);
    // Every line was forgotten.
    void cleared();
    // The status bar's side of a line: the message without tags, and
    // whether it is an error line. Sent before lineAdded.
    void statusText(const std::string& plainMessage, bool error);

private:
    std::string currentStamp() const;
    LogLine composeLine(const std::string& text);

    std::vector<LogLine> m_lines;
    bool m_errorLinePending = false;
    StampFormat m_stampFormat = StampFormat::ShortHour;
    QChar m_timeSeparator{u':'};
    const Clock* m_clock = nullptr;
    std::function<bool()> m_logAllEvents;
    std::function<void()> m_resetErrorCode;
    std::function<void()> m_beep;
    LogMirror m_mirror;
};
