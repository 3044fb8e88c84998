#pragma once
// Time and file-name formats of the message log.
#include <QChar>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <string>

// The log's time-of-day format. The program starts with the short form (the
// first message, "Program start", shows it); the window switches to the
// long form at the end of its creation.
enum class StampFormat {
    ShortHour, // "h:mm:ss", hour without leading zero
    LongHour,  // "hh:mm:ss"
};

// The separator between hours and minutes in a locale's time format (for
// example "HH.mm.ss" gives '.'); ':' when the format shows none.
QChar LocaleTimeSeparator(const QString& localeTimeFormat);

// The stamp for `time` on the 24-hour clock, fields joined by `separator`.
std::string FormatStamp(const QTime& time, StampFormat format, QChar separator);

// Proposed name of a saved log: "log_yyyy.mm.dd.hh.nn.ss.rtf".
QString SaveLogFileName(const QDateTime& when);
