// Stamp and file-name formats of the log.
#include "log/LogFormats.h"

#include <gtest/gtest.h>

namespace {

TEST(LogStamp, ShortFormHasNoLeadingZeroOnTheHour) {
    EXPECT_EQ(FormatStamp(QTime(9, 5, 3), StampFormat::ShortHour, u':'), "9:05:03");
    EXPECT_EQ(FormatStamp(QTime(0, 0, 0), StampFormat::ShortHour, u':'), "0:00:00");
    EXPECT_EQ(FormatStamp(QTime(14, 3, 7), StampFormat::ShortHour, u':'), "14:03:07");
}

TEST(LogStamp, LongFormIsTwoDigitTwentyFourHour) {
    EXPECT_EQ(FormatStamp(QTime(9, 5, 3), StampFormat::LongHour, u':'), "09:05:03");
    EXPECT_EQ(FormatStamp(QTime(23, 59, 59), StampFormat::LongHour, u':'), "23:59:59");
    EXPECT_EQ(FormatStamp(QTime(0, 0, 0), StampFormat::LongHour, u'.'), "00.00.00");
}

TEST(LogStamp, SeparatorComesFromTheLocaleFormat) {
    EXPECT_EQ(LocaleTimeSeparator("HH:mm:ss"), QChar(u':'));
    EXPECT_EQ(LocaleTimeSeparator("H.mm.ss"), QChar(u'.'));
    EXPECT_EQ(LocaleTimeSeparator("h:mm:ss AP t"), QChar(u':'));
    EXPECT_EQ(LocaleTimeSeparator(""), QChar(u':'));
    EXPECT_EQ(LocaleTimeSeparator("mm:ss"), QChar(u':'));
    EXPECT_EQ(LocaleTimeSeparator("HH'h'mm"), QChar(u':'));
    EXPECT_EQ(LocaleTimeSeparator("HH"), QChar(u':'));
}

TEST(SaveLogName, DatePartsTwoDigitsSeparatedByDots) {
    EXPECT_EQ(SaveLogFileName(QDateTime(QDate(2014, 6, 9), QTime(14, 3, 7))),
              "log_2014.06.09.14.03.07.rtf");
    EXPECT_EQ(SaveLogFileName(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58))),
              "log_2025.12.31.23.59.58.rtf");
}

} // namespace
