#include "common/NumericText.h"
#include "common/PatientListText.h"

#include <gtest/gtest.h>

using namespace qh::patients;
using namespace Qt::StringLiterals;

TEST(BedText, TrimmedBedWithSuffixPaddedToFiveBytes) {
    EXPECT_EQ(bedText(u"3"_s), u"3床  "_s);
    EXPECT_EQ(bedText(u" 12 "_s), u"12床 "_s);
    EXPECT_EQ(bedText(u"123"_s), u"123床"_s);
    EXPECT_EQ(bedText(u"1234"_s), u"1234床"_s);  // 6 bytes: no padding
    EXPECT_EQ(bedText(QString()), u"床   "_s);
}

TEST(PatientIcon, AgeInYearsOnlyWhenTheTextEndsInYears) {
    EXPECT_EQ(iconAge(u"45岁"_s), 45);
    EXPECT_EQ(iconAge(u"45.9岁"_s), 45);
    EXPECT_EQ(iconAge(u"3月"_s), 1);
    EXPECT_EQ(iconAge(u"80"_s), 1);
    EXPECT_EQ(iconAge(QString()), 1);
    EXPECT_EQ(iconAge(u"岁"_s), 0);
}

TEST(PatientIcon, BandsBySexWithTenAChildAndSeventyElderly) {
    EXPECT_EQ(patientIcon(u"女"_s, u"10岁"_s), 4);
    EXPECT_EQ(patientIcon(u"女"_s, u"11岁"_s), 0);
    EXPECT_EQ(patientIcon(u"女"_s, u"70岁"_s), 2);
    EXPECT_EQ(patientIcon(u"女"_s, u"3月"_s), 4);
    EXPECT_EQ(patientIcon(u"男"_s, u"10岁"_s), 5);
    EXPECT_EQ(patientIcon(u"男"_s, u"11岁"_s), 1);
    EXPECT_EQ(patientIcon(u"男"_s, u"70岁"_s), 3);
    EXPECT_EQ(patientIcon(QString(), u"40岁"_s), 1);
    EXPECT_EQ(patientIcon(u"男"_s, u"99999999999岁"_s), 3);
}

TEST(Val, NumericPrefixAfterLeadingBlanks) {
    using qh::text::val;
    EXPECT_DOUBLE_EQ(val(u"12床"_s), 12);
    EXPECT_DOUBLE_EQ(val(u"abc"_s), 0);
    EXPECT_DOUBLE_EQ(val(u"  -3.5kg"_s), -3.5);
    EXPECT_DOUBLE_EQ(val(u".5"_s), 0.5);
    EXPECT_DOUBLE_EQ(val(u"1e3"_s), 1000);
    EXPECT_DOUBLE_EQ(val(u"2e"_s), 2);
    EXPECT_DOUBLE_EQ(val(u"1.2.3"_s), 1.2);
    EXPECT_DOUBLE_EQ(val(QString()), 0);
    EXPECT_DOUBLE_EQ(val(u"-"_s), 0);
    EXPECT_DOUBLE_EQ(val(u"床12"_s), 0);
    EXPECT_DOUBLE_EQ(val(u"加1"_s), 0);
    EXPECT_DOUBLE_EQ(val(u"+7"_s), 7);
    EXPECT_DOUBLE_EQ(val(u"1e3x"_s), 1000);
    EXPECT_DOUBLE_EQ(val(u"12e"_s), 12);
    EXPECT_DOUBLE_EQ(val(u"1d2"_s), 100);
}

TEST(Val, BlanksInsideTheNumberAreSkippedAsSqlValDoes) {
    using qh::text::val;
    EXPECT_DOUBLE_EQ(val(u"1 2 3"_s), 123);
    EXPECT_DOUBLE_EQ(val(u" 1 2床"_s), 12);
    EXPECT_DOUBLE_EQ(val(u"1e999"_s), 0);  // out of range reads as no number
}
