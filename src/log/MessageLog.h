#pragma once
// The message log `reMessage`: a read-only text view that stamps each
// TaggedText message, shows it with its colours and styles, mirrors it to the
// status bar and to the log mirror, and can be saved as RTF. It keeps its own
// list of lines, so saving never has to read the text document back.
// A plain-text view with per-run character formats: its layout is per line
// and lazy (only lines that are shown get laid out), so an append costs the
// same in an empty log and in one of 100 000 lines.
#include "log/LogFormats.h"
#include "log/LogLine.h"
#include "log/LogMirror.h"
#include "log/LogSink.h"
#include "log/StatusBar.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <QTextCursor>
#include <QTime>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

class MessageLog : public QPlainTextEdit, public LogSink {
    Q_OBJECT
public:
    // Outcome of writing the log to a file; `error` says why it failed.
    struct SaveResult {
        bool ok = false;
        QString error;
    };

    explicit MessageLog(QWidget* parent = nullptr);
    ~MessageLog() override;

    // Appends one stamped line (an error line when `elog` asked for it).
    void log(const std::string& text) override;
    // Logs each entry in order; every one gets its own stamp.
    void logsl(const std::vector<std::string>& lines);
    // Logs only while "Log all event" is ticked; otherwise changes nothing.
    void DSLRlog(const std::string& text);
    void dslrLog(const std::string& text) override { DSLRlog(text); }
    // Logs `text` as an error line, resets the pending error code, beeps.
    void elog(const std::string& text);

    // Empties the view and the kept lines (the "Clear" button).
    void clearLog();
    // Writes the whole log as RTF, atomically: on failure the target and the
    // log are left as they were.
    SaveResult saveLogTo(const QString& path) const;

    // Wiring by the owner.
    void setStatusBar(StatusBar* statusBar) { m_statusBar = statusBar; }
    // Reads the "Log all event" box; DSLRlog writes nothing while unset.
    void setLogAllEvents(std::function<bool()> isTicked) { m_logAllEvents = std::move(isTicked); }
    // Resets the pending error code after an error line.
    void setErrorCodeReset(std::function<void()> reset) { m_resetErrorCode = std::move(reset); }
    // The exclamation beep; QApplication::beep by default.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }
    // The time of day used for stamps; QTime::currentTime by default.
    void setClock(std::function<QTime()> clock) { m_clock = std::move(clock); }
    // Chooses the stamp's hour form and rereads the locale's time separator.
    // The window sets StampFormat::LongHour at the end of its creation.
    void setStampFormat(StampFormat format);
    StampFormat stampFormat() const { return m_stampFormat; }
    // Also writes every line into `path`; false (and `error`) if it cannot.
    bool setMirrorFile(const QString& path, QString* error = nullptr);
    LogMirror& mirror() { return m_mirror; }

    const std::vector<LogLine>& lines() const { return m_lines; }
    bool errorLinePending() const { return m_errorLinePending; }

private:
    std::string currentStamp() const;
    LogLine composeLine(const std::string& text);
    void display(const LogLine& line);
    void keepCaretAtEnd();
    void followEnd();

    std::vector<LogLine> m_lines;
    QTextCursor m_endCursor; // always at the end of the document
    // Scrolls the view to the caret once per pass of the event loop rather
    // than once per line: a burst of lines costs one scroll and one repaint.
    QTimer m_followEnd;
    int m_firstNewBlock = 0; // first line appended since the view last followed
    bool m_errorLinePending = false;
    StampFormat m_stampFormat = StampFormat::ShortHour;
    QChar m_timeSeparator{u':'};
    QPointer<StatusBar> m_statusBar;
    std::function<bool()> m_logAllEvents;
    std::function<void()> m_resetErrorCode;
    std::function<void()> m_beep;
    std::function<QTime()> m_clock;
    LogMirror m_mirror;
};
