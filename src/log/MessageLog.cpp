#include "log/MessageLog.h"

#include "log/RtfWriter.h"
#include "log/StatusBar.h"
#include "log/TaggedText.h"
#include "log/TaggedTextParser.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QSaveFile>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QTextCharFormat formatOf(const LogRun& run) {
    QTextCharFormat format;
    format.setFontWeight(run.style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.style.italic);
    format.setFontUnderline(run.style.underline);
    format.setFontPointSize(run.sizePt);
    // The base colour is left unset so the line follows the theme's text
    // colour, as the system window-text colour would.
    if (!run.colour.isBase) {
        format.setForeground(QColor(run.colour.red, run.colour.green, run.colour.blue));
    }
    return format;
}

QChar localeSeparator() {
    return LocaleTimeSeparator(QLocale::system().timeFormat(QLocale::LongFormat));
}

} // namespace

MessageLog::MessageLog(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("reMessage"));
    setReadOnly(true);
    // Appending must not grow an undo history with the log.
    setUndoRedoEnabled(false);
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Tahoma where installed; otherwise font matching picks the nearest sans.
    QFont logFont(QStringLiteral("Tahoma"), kLogFontSizePt);
    logFont.setStyleHint(QFont::SansSerif);
    setFont(logFont);
    document()->setDefaultFont(logFont);
    m_timeSeparator = localeSeparator();
    m_endCursor = QTextCursor(document());
}

MessageLog::~MessageLog() = default;

void MessageLog::setStampFormat(StampFormat format) {
    m_stampFormat = format;
    m_timeSeparator = localeSeparator();
}

bool MessageLog::setMirrorFile(const QString& path, QString* error) {
    return m_mirror.setFile(path, error);
}

std::string MessageLog::currentStamp() const {
    const QTime now = m_clock ? m_clock() : QTime::currentTime();
    return FormatStamp(now, m_stampFormat, m_timeSeparator);
}

// Builds the stamped line and updates the status bar. The prefix and the
// caller's text are parsed as separate chunks, so a stray "<" in the text
// cannot reach into the prefix's tags.
LogLine MessageLog::composeLine(const std::string& text) {
    TaggedTextParser parser;
    LogLine line;
    if (m_errorLinePending) {
        if (m_statusBar) {
            m_statusBar->erslog(StripTags(text));
        }
        parser.feed(TagRed(currentStamp() + ": "));
        parser.feed("<b>" + TagRed("ERROR: "));
        parser.feed(text);
        parser.feed("</b>");
        line.error = true;
        m_errorLinePending = false;
    } else {
        if (m_statusBar) {
            m_statusBar->slogR();
            m_statusBar->slog(StripTags(text), 1);
        }
        parser.feed(TagBlue(currentStamp() + ": "));
        parser.feed(text);
    }
    ParsedText parsed = parser.take();
    line.plain = std::move(parsed.plain);
    line.runs = std::move(parsed.runs);
    return line;
}

// Appends through the log's own end cursor, one insert per run, so the cost
// does not depend on how much the log already holds; then puts the caret at
// the end.
void MessageLog::display(const LogLine& line) {
    if (m_endCursor.document() != document()) {
        m_endCursor = QTextCursor(document()); // the document was replaced
        m_endCursor.movePosition(QTextCursor::End);
    }
    QTextCursor& cursor = m_endCursor;
    cursor.beginEditBlock();
    if (!m_lines.empty()) {
        cursor.insertBlock();
    }
    const std::string_view plain = line.plain;
    for (std::size_t i = 0; i < line.runs.size(); ++i) {
        const auto begin = static_cast<std::size_t>(line.runs[i].start);
        const std::size_t end = i + 1 < line.runs.size()
                                    ? static_cast<std::size_t>(line.runs[i + 1].start)
                                    : plain.size();
        if (end > begin && end <= plain.size()) {
            const std::string_view part = plain.substr(begin, end - begin);
            cursor.insertText(QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size())),
                              formatOf(line.runs[i]));
        }
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void MessageLog::log(const std::string& text) {
    LogLine line = composeLine(text);
    display(line);
    m_mirror.write(line.plain);
    m_lines.push_back(std::move(line));
}

void MessageLog::logsl(const std::vector<std::string>& lines) {
    for (const std::string& text : lines) {
        log(text);
    }
}

void MessageLog::DSLRlog(const std::string& text) {
    if (m_logAllEvents && m_logAllEvents()) {
        log(text);
    }
}

void MessageLog::elog(const std::string& text) {
    m_errorLinePending = true;
    log(text);
    if (m_resetErrorCode) {
        m_resetErrorCode();
    }
    if (m_beep) {
        m_beep();
    } else {
        QApplication::beep();
    }
}

void MessageLog::clearLog() {
    clear();
    m_lines.clear();
    m_endCursor = QTextCursor(document());
}

MessageLog::SaveResult MessageLog::saveLogTo(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {false, file.errorString()};
    }
    const std::string rtf = WriteLogRtf(m_lines);
    if (file.write(rtf.data(), static_cast<qint64>(rtf.size())) !=
        static_cast<qint64>(rtf.size())) {
        const QString error = file.errorString();
        file.cancelWriting();
        return {false, error};
    }
    if (!file.commit()) {
        return {false, file.errorString()};
    }
    return {true, {}};
}
