#include "common/TimeOfDayText.h"

#include <gtest/gtest.h>

using namespace qh::dates;
using namespace Qt::StringLiterals;

TEST(TimeOfDayText, ClockTextAndEventTimeInNumerals) {
    EXPECT_EQ(clockText(QTime(9, 5, 7)), u"9︰05︰07"_s);  // hour unpadded, minute and second padded
    EXPECT_EQ(clockText(QTime(23, 59, 10)), u"23︰59︰10"_s);
    EXPECT_EQ(eventTimeText(QTime(15, 7)), u"十五时七分"_s);
    EXPECT_EQ(eventTimeText(QTime(0, 0)), u"零时零分"_s);
}

TEST(DefaultTimeSlot, OnlyTheHourCountsAtEveryBoundary) {
    const char16_t* expected[24] = {u"下12", u"下12", u"下12", u"上4",  u"上4",  u"上4",  u"上4",  u"上8",
                                    u"上8",  u"上8",  u"上8",  u"上12", u"上12", u"上12", u"上12", u"下4",
                                    u"下4",  u"下4",  u"下4",  u"下8",  u"下8",  u"下8",  u"下8",  u"下12"};
    for (int h = 0; h < 24; ++h) EXPECT_EQ(defaultTimeSlot(h), QString::fromUtf16(expected[h])) << h;
}

TEST(ChineseNumeral, SimplifiedNumeralsWithTensAndHundreds) {
    const std::pair<int, QString> cases[] = {{0, u"零"_s},    {10, u"十"_s},    {15, u"十五"_s},      {20, u"二十"_s},
                                             {23, u"二十三"_s}, {105, u"一百零五"_s}, {110, u"一百一十"_s}};
    for (const auto& [n, text] : cases) EXPECT_EQ(chineseNumeral(n), text) << n;
}
