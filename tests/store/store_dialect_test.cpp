// The dialect pieces that need no file: date texts, #…# literals, datediff and GBK order.
#include <gtest/gtest.h>

#include "store/GbkCollation.h"
#include "store/SqlDialect.h"
#include "store/JetFunctions.h"
#include "store/StoreDate.h"

using namespace qh::store;

TEST(StoreDateTest, AcceptsBothDateFormsWithOptionalPaddingAndTime) {
    EXPECT_EQ(canonicalDateText(QStringLiteral("2016-3-5")), QStringLiteral("2016-03-05 00:00:00"));
    EXPECT_EQ(canonicalDateText(QStringLiteral(" 2016-3-5 9:07 ")), QStringLiteral("2016-03-05 09:07:00"));
    EXPECT_EQ(canonicalDateText(QStringLiteral("2016/12/31 23:59:59")), QStringLiteral("2016-12-31 23:59:59"));
    EXPECT_EQ(canonicalDateText(QStringLiteral("2016年3月5日")), QStringLiteral("2016-03-05 00:00:00"));
    EXPECT_EQ(canonicalDateText(QStringLiteral("2016年3月5日8时")), QStringLiteral("2016-03-05 08:00:00"));
    EXPECT_EQ(canonicalDateText(QStringLiteral("2016年3月5日8时30分2秒")), QStringLiteral("2016-03-05 08:30:02"));
}

TEST(StoreDateTest, RejectsWhatIsNotARealDate) {
    for (const char* text : {"", "abc", "2016-2-30", "2016-13-1", "2016-3-5 24:00", "2016-3-5 9:60",
                             "16-3-5", "2016年3月", "2016-3-5x"})
        EXPECT_FALSE(canonicalDateText(QString::fromUtf8(text)).has_value()) << text;
}

TEST(JetDialectTest, DateLiteralsBecomeCanonicalText) {
    EXPECT_EQ(translateSql(QStringLiteral("select * from t where d between #2016-3-1# and #2016-3-31 8:5:0#"), Engine::Sqlite),
              QStringLiteral("select * from t where d between '2016-03-01 00:00:00' and '2016-03-31 08:05:00'"));
    EXPECT_EQ(translateSql(QStringLiteral("update t set d=#2016年3月5日8时30分#"), Engine::Sqlite),
              QStringLiteral("update t set d='2016-03-05 08:30:00'"));
    // Slashes with the year last are month first, as Jet reads them.
    EXPECT_EQ(translateSql(QStringLiteral("select #3/5/2016#, #12/31/2016 8:30#, #13/1/2016#"), Engine::Sqlite),
              QStringLiteral("select '2016-03-05 00:00:00', '2016-12-31 08:30:00', #13/1/2016#"));
}

TEST(JetDialectTest, QuotedTextIdentifiersAndCommentsAreLeftAlone) {
    const QString untouched[] = {
        QStringLiteral("select '#2016-3-5#', 'it''s #1#' from t"),
        QStringLiteral("select \"#2016-3-5#\", [a#2016-3-5#] from t -- #2016-3-5#"),
        QStringLiteral("select 1 /* #2016-3-5# */"),
        QStringLiteral("select #not a date# from t"),  // stays broken rather than changing meaning
        QStringLiteral("select '#2016-3-5"),
    };
    for (const QString& sql : untouched) EXPECT_EQ(translateSql(sql, Engine::Sqlite), sql);
}

TEST(JetDateDiffTest, CountsBoundariesCrossed) {
    const auto at = [](const char* text) { return *parseStoreDate(QString::fromUtf8(text)); };
    EXPECT_EQ(jetDateDiff("d", at("2016-03-05 23:00"), at("2016-03-06 01:00")), 1);
    EXPECT_EQ(jetDateDiff("D", at("2016-03-06"), at("2016-03-05 23:59")), -1);
    EXPECT_EQ(jetDateDiff("m", at("2016-01-31"), at("2016-02-01")), 1);
    EXPECT_EQ(jetDateDiff("yyyy", at("2015-12-31 23:59"), at("2016-01-01")), 1);
    EXPECT_EQ(jetDateDiff("h", at("2016-03-05 23:59"), at("2016-03-06 00:01")), 1);
    EXPECT_EQ(jetDateDiff("n", at("2016-03-05 10:00:59"), at("2016-03-05 10:01:00")), 1);
    EXPECT_EQ(jetDateDiff("ww", at("2024-06-08"), at("2024-06-09")), 1);  // Saturday to Sunday
    EXPECT_EQ(jetDateDiff("ww", at("2024-06-09"), at("2024-06-15")), 0);  // Sunday to Saturday
    EXPECT_FALSE(jetDateDiff("fortnight", at("2016-03-05"), at("2016-03-06")).has_value());
}

TEST(GbkCollation, OrdersChineseByPinyinAndAsciiWithoutCase) {
    EXPECT_LT(compareGbk("出院", "待结"), 0);   // C < D
    EXPECT_LT(compareGbk("待结", "在院"), 0);   // D < Z
    EXPECT_LT(compareGbk("张三", "张三丰"), 0);  // a prefix first
    EXPECT_LT(compareGbk("座", "亍"), 0);       // level 1 before level 2
    EXPECT_LT(compareGbk("Z9", "阿"), 0);       // ASCII before Chinese, as bytes go
    EXPECT_EQ(compareGbk("xmlb001", "XMLB001"), 0);
    EXPECT_GT(compareGbk("😀", "齄"), 0);       // beyond GBK: after everything in it
}
