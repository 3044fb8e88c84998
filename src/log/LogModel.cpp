#include "log/LogModel.h"

#include "camera/Clock.h"
#include "log/RtfWriter.h"
#include "log/TaggedText.h"
#include "log/TaggedTextParser.h"

#include <QLocale>
#include <QSaveFile>
#include <QTime>

namespace {

QChar localeSeparator() {
    return LocaleTimeSeparator(QLocale::system().timeFormat(QLocale::LongFormat));
}

} // namespace

LogModel::LogModel(QObject* parent)
    : QObject(parent), m_timeSeparator(localeSeparator()), m_clock(&SystemClock()) {}

LogModel::~LogModel() = default;

void LogModel::setStampFormat(StampFormat format) {
    m_stampFormat = format;
    m_timeSeparator = localeSeparator();
}

bool LogModel::setMirrorFile(const QString& path, QString* error) {
    return m_mirror.setFile(path, error);
}

std::string LogModel::currentStamp() const {
    const auto sinceMidnight = m_clock->timeOfDay();
    const QTime now = QTime::fromMSecsSinceStartOfDay(static_cast<int>(sinceMidnight.count()));
    return FormatStamp(now, m_stampFormat, m_timeSeparator);
}

// Builds the stamped line and tells the status bar. The prefix and the
// caller's text are parsed as separate chunks, so a stray "<" in the text
// cannot reach into the prefix's tags.
LogLine LogModel::composeLine(const std::string& text) {
    TaggedTextParser parser;
    LogLine line;
    emit statusText(StripTags(text), m_errorLinePending);
    if (m_errorLinePending) {
        parser.feed(TagRed(currentStamp() + ": "));
        parser.feed("<b>" + TagRed("ERROR: "));
        parser.feed(text);
        parser.feed("</b>");
        line.error = true;
        m_errorLinePending = false;
    } else {
        parser.feed(TagBlue(currentStamp() + ": "));
        parser.feed(text);
    }
    ParsedText parsed = parser.take();
    line.plain = std::move(parsed.plain);
    line.runs = std::move(parsed.runs);
    return line;
}

void LogModel::log(const std::string& text) {
    m_lines.push_back(composeLine(text));
    const LogLine& line = m_lines.back();
    m_mirror.write(line.plain);
    emit lineAdded(line);
}

void LogModel::logsl(const std::vector<std::string>& lines) {
    for (const std::string& text : lines) {
        log(text);
    }
}

void LogModel::DSLRlog(const std::string& text) {
    if (m_logAllEvents && m_logAllEvents()) {
        log(text);
    }
}

void LogModel::elog(const std::string& text) {
    m_errorLinePending = true;
    log(text);
    if (m_resetErrorCode) {
        m_resetErrorCode();
    }
    if (m_beep) {
        m_beep();
    }
}

void LogModel::clearLog() {
    m_lines.clear();
    emit cleared();
}

LogModel::SaveResult LogModel::saveLogTo(const QString& path) const {
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
