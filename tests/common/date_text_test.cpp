#include "common/DateText.h"

#include "fixed_clock.h"

#include <gtest/gtest.h>

using namespace qh::dates;
using namespace Qt::StringLiterals;

namespace {
QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}
}  // namespace

TEST(PlainDateText, TimeOfDayStopsAtTheLastPartThatIsNotZeroAndParsesBack) {
    const std::pair<QDateTime, QString> cases[] = {
        {at(2016, 3, 5), u"2016年3月5日"_s},           {at(2016, 3, 5, 8), u"2016年3月5日8时"_s},
        {at(2016, 3, 5, 8, 30), u"2016年3月5日8时30分"_s}, {at(2016, 3, 5, 8, 30, 2), u"2016年3月5日8时30分2秒"_s},
        {at(2016, 3, 5, 0, 0, 5), u"2016年3月5日0时0分5秒"_s}};
    for (const auto& [dt, text] : cases) EXPECT_EQ(plainDateText(dt), text);
    EXPECT_EQ(plainDateText(QDate(2016, 3, 5)), u"2016年3月5日"_s);
    EXPECT_EQ(plainDateText(QDateTime()), QString());
    // Every time of a day with varied parts, on a leap day and a year's last day, reads back.
    for (const QDate& day : {QDate(2016, 2, 29), QDate(1999, 12, 31)})
        for (int h = 0; h < 24; h += 5)
            for (int m = 0; m < 60; m += 29)
                for (int s = 0; s < 60; s += 31) {
                    const QDateTime dt(day, QTime(h, m, s));
                    ASSERT_EQ(parseDateText(plainDateText(dt)), dt) << plainDateText(dt).toStdString();
                }
}

TEST(ParseDateText, ReadsDashedFormsAndRejectsAnythingElse) {
    EXPECT_EQ(parseDateText(u"2016-03-05 09:07:02"_s), at(2016, 3, 5, 9, 7, 2));
    EXPECT_EQ(parseDateText(u"2016-3-5 9:07:02"_s), at(2016, 3, 5, 9, 7, 2));
    EXPECT_EQ(parseDateText(u"2016-3-5 9:07"_s), at(2016, 3, 5, 9, 7));
    EXPECT_EQ(parseDateText(u" 2016-3-5 "_s), at(2016, 3, 5));
    for (const QString& bad : {u""_s, u"abc"_s, u"2016-2-30"_s, u"2016年13月1日"_s, u"2016-03-05 24:00:00"_s,
                               u"2016-03-05 09:60"_s, u"2016年3月5日8时30"_s, u"2016/3/5"_s, u"16-3-5"_s,
                               u"2016-03-05T09:07:02"_s, u"2016年3月5日x"_s})
        EXPECT_FALSE(parseDateText(bad).isValid()) << bad.toStdString();
}

TEST(DateWithCurrentTimeText, DateFromArgumentTimeOfDayFromClockAllPadded) {
    qh::test::FixedClock clock(at(2020, 1, 1, 9, 7, 2));
    EXPECT_EQ(dateWithCurrentTimeText(QDate(2016, 3, 5)), u"2016-03-05 09:07:02"_s);
    EXPECT_EQ(dateWithCurrentTimeText(QDate(2016, 12, 25)), u"2016-12-25 09:07:02"_s);
    EXPECT_EQ(dateWithCurrentTimeText(QDate()), QString());
}

TEST(RecordDateFormats, TodayAndAdmissionPlaceholdersWithTheirAliases) {
    const QDateTime now = at(2016, 2, 3, 15, 5), admission = at(2016, 1, 28, 8, 30);
    const std::pair<QString, QString> cases[] = {
        {u"{日期5}"_s, u"2016年2月3日"_s},         {u"{日期4}"_s, u"2016年2月3日15时"_s},
        {u"{日期3}"_s, u"2016年2月3日15时5分"_s},  {u"{日期2}"_s, u"2016-2-3"_s},
        {u"{日期1}"_s, u"2016-2-3-3Pm"_s},         {u"RQ1"_s, u"2016-2-3-3Pm"_s},
        {u"{日期}"_s, u"2016-2-3 03：05"_s},       {u"{天数}"_s, u"6"_s},
        {u"TS"_s, u"6"_s},                         {u"{入院日期}"_s, u"2016年1月28日8时30分"_s},
        {u"{入院日期1}"_s, u"2016年1月28日8时"_s}, {u"{入院日期2}"_s, u"2016年1月28日"_s},
        {u"{入院日期3}"_s, u"2016-1-28"_s},        {u"{入院日期4}"_s, u"2016-1-28 08：30"_s},
        {u"RYRQ4"_s, u"2016-1-28 08：30"_s},       {u"{入院日期5}"_s, u"2016-1-28-8Am"_s}};
    for (const auto& [name, text] : cases) EXPECT_EQ(datePlaceholderValue(name, admission, now), text) << name.toStdString();
    EXPECT_TRUE(datePlaceholderValue(u"{日 期}"_s, admission, now).isNull());
    const QString missing = datePlaceholderValue(u"{入院日期}"_s, QDateTime(), now);
    EXPECT_TRUE(missing.isEmpty());
    EXPECT_FALSE(missing.isNull());  // a placeholder with no value still gets replaced
    EXPECT_EQ(datePlaceholderValue(u"{天数}"_s, QDateTime(), now), QString(u""_s));
}

TEST(RecordDateFormats, TwelveHourClockAroundNoonAndMidnight) {
    EXPECT_EQ(dashDateHalfDayText(at(2016, 2, 3, 12, 7)), u"2016-2-3-0Pm"_s);
    EXPECT_EQ(dashDateClockText(at(2016, 2, 3, 12, 7)), u"2016-2-3 00：07"_s);
    EXPECT_EQ(dashDateHalfDayText(at(2016, 2, 3, 9, 5)), u"2016-2-3-9Am"_s);
    EXPECT_EQ(dashDateClockText(at(2016, 2, 3, 9, 5)), u"2016-2-3 09：05"_s);
    EXPECT_EQ(dashDateHalfDayText(at(2016, 2, 3, 0, 30)), u"2016-2-3-0Am"_s);
    EXPECT_EQ(dashDateClockText(at(2016, 2, 3, 23, 59)), u"2016-2-3 11：59"_s);
}

TEST(RecordDateFormats, DaysSinceAdmissionDropTheFraction) {
    const QDateTime admission = at(2016, 2, 1, 15, 0);
    EXPECT_EQ(daysSince(admission, at(2016, 2, 1, 23, 0)), 0);  // the admission day
    EXPECT_EQ(daysSince(admission, at(2016, 2, 2, 14, 59)), 0);
    EXPECT_EQ(daysSince(admission, at(2016, 2, 2, 15, 0)), 1);
}

TEST(BirthDateFromAge, SubtractsTheTruncatedAgeInItsUnit) {
    const QDate admission(2016, 5, 10);
    EXPECT_EQ(birthDateFromAge(admission, u"3"_s, u"月"_s), QDate(2016, 2, 10));
    EXPECT_EQ(birthDateFromAge(admission, u"45"_s, u"岁"_s), QDate(1971, 5, 10));
    EXPECT_EQ(birthDateFromAge(admission, u"2.9"_s, u"岁"_s), QDate(2014, 5, 10));
    EXPECT_EQ(birthDateFromAge(admission, u"abc"_s, u"岁"_s), admission);
    EXPECT_EQ(birthDateFromAge(QDate(2016, 2, 29), u"1"_s, u"岁"_s), QDate(2015, 2, 28));
    EXPECT_EQ(birthDateFromAge(QDate(2016, 3, 31), u"1"_s, u"月"_s), QDate(2016, 2, 29));
    EXPECT_FALSE(birthDateFromAge(admission, u"1e300"_s, u"岁"_s).isValid());
}
