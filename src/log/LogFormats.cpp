#include "log/LogFormats.h"

QChar LocaleTimeSeparator(const QString& localeTimeFormat) {
    const qsizetype hour = localeTimeFormat.indexOf(QChar(u'h'), 0, Qt::CaseInsensitive);
    if (hour < 0) {
        return QChar(u':');
    }
    qsizetype pos = hour;
    while (pos < localeTimeFormat.size() && localeTimeFormat.at(pos).toLower() == QChar(u'h')) {
        ++pos;
    }
    if (pos >= localeTimeFormat.size()) {
        return QChar(u':');
    }
    const QChar sep = localeTimeFormat.at(pos);
    return sep.isLetterOrNumber() || sep == QChar(u'\'') ? QChar(u':') : sep;
}

std::string FormatStamp(const QTime& time, StampFormat format, QChar separator) {
    const auto twoDigits = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
    const QString hour =
        format == StampFormat::LongHour ? twoDigits(time.hour()) : QString::number(time.hour());
    return (hour + separator + twoDigits(time.minute()) + separator + twoDigits(time.second()))
        .toStdString();
}

QString SaveLogFileName(const QDateTime& when) {
    return QStringLiteral("log_") + when.toString(QStringLiteral("yyyy.MM.dd.HH.mm.ss")) +
           QStringLiteral(".rtf");
}
