#include "common/NumericText.h"
#include "shell/PatientListText.h"

#include <gtest/gtest.h>

using namespace qh::shell;
using namespace Qt::StringLiterals;

TEST(BedText, TrimmedBedWithSuffixPaddedToFiveBytes) {
    EXPECT_EQ(bedText(u" 12 "_s), u"12床 "_s);
    EXPECT_EQ(bedText(u"1234"_s), u"1234床"_s);  // 6 bytes: no padding
    EXPECT_EQ(bedText(QString()), u"床   "_s);
}

TEST(PatientIcon, AgeInYearsOnlyWhenTheTextEndsInYearsAndBandsBySex) {
    const std::pair<QString, int> ages[] = {{u"45岁"_s, 45}, {u"45.9岁"_s, 45}, {u"3月"_s, 1},
                                            {u"80"_s, 1},    {QString(), 1},    {u"岁"_s, 0}};
    for (const auto& [text, age] : ages) EXPECT_EQ(iconAge(text), age) << text.toStdString();
    // Ten is still a child and seventy already elderly.
    const std::tuple<QString, QString, int> icons[] = {
        {u"女"_s, u"10岁"_s, 4}, {u"女"_s, u"11岁"_s, 0}, {u"女"_s, u"70岁"_s, 2}, {u"女"_s, u"3月"_s, 4},
        {u"男"_s, u"10岁"_s, 5}, {u"男"_s, u"11岁"_s, 1}, {u"男"_s, u"70岁"_s, 3}, {QString(), u"40岁"_s, 1},
        {u"男"_s, u"99999999999岁"_s, 3}};
    for (const auto& [sex, age, icon] : icons) EXPECT_EQ(patientIcon(sex, age), icon) << age.toStdString();
}

TEST(Val, NumericPrefixAfterLeadingBlanksWithBlanksInsideSkipped) {
    const std::pair<QString, double> cases[] = {
        {u"12床"_s, 12},   {u"abc"_s, 0},  {u"  -3.5kg"_s, -3.5}, {u".5"_s, 0.5}, {u"1e3"_s, 1000},
        {u"2e"_s, 2},      {u"1.2.3"_s, 1.2}, {QString(), 0},     {u"-"_s, 0},    {u"床12"_s, 0},
        {u"加1"_s, 0},     {u"+7"_s, 7},   {u"1e3x"_s, 1000},     {u"12e"_s, 12}, {u"1d2"_s, 100},
        {u"1 2 3"_s, 123}, {u" 1 2床"_s, 12},
        {u"1e999"_s, 0}};  // out of range reads as no number
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(qh::text::val(text), value) << text.toStdString();
}
