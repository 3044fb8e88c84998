#include "connection/CameraClock.h"

#include <QLocale>
#include <QRegularExpression>

namespace {
constexpr int kSecond_ms = 1000;
}

ClockAdjustPlan PlanClockAdjust(const QDateTime& now) {
    const int wait = kSecond_ms - now.time().msec();
    return {wait > kClockWriteLead_ms ? wait - kClockWriteLead_ms : 0, now.addMSecs(wait)};
}

orv::DateTimeRecord ClockRecordOf(const QDateTime& target) {
    const QDate date = target.date();
    const QTime time = target.time();
    orv::DateTimeRecord record{};
    record.year = static_cast<uint16_t>(date.year());
    record.month = static_cast<uint16_t>(date.month());
    record.day = static_cast<uint16_t>(date.day());
    record.hour = static_cast<uint16_t>(time.hour());
    record.minute = static_cast<uint16_t>(time.minute());
    record.second = static_cast<uint16_t>(time.second());
    return record;
}

QString ComputerClockText(const QDateTime& time) {
    const QLocale locale = QLocale::system();
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return locale.toString(time.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(time.time(), format);
}
