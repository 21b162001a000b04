// The order vocabulary: identifiers and group numbers of a batch, order times, skin-test
// contents, strict numbers and the content text of list lines.
#include <gtest/gtest.h>

#include "common/GbkText.h"
#include "orders/OrderModel.h"
#include "common/fixed_clock.h"

using namespace qh::orders;

namespace {

QStringList sjyzOf(const QVector<LineIds>& ids) {
    QStringList s;
    for (const LineIds& i : ids) s << i.sjyz;
    return s;
}

TEST(OrderModel, WesternGroupNumbersFollowTheMarkers) {
    // 单开 and 新组 are their own group; 承组 and unmarked lines join the latest 新组 above,
    // also across a 单开; a 承组 with no 新组 above gets "0".
    const QVector<LineIds> ids =
        westernIdentifiers({"承组", "单开", "新组", "承组", "", "单开", "承组", "新组", "承组"}, 100);
    ASSERT_EQ(ids.size(), 9);
    for (int r = 0; r < ids.size(); ++r) EXPECT_EQ(ids[r].yzid, 101 + r);
    EXPECT_EQ(sjyzOf(ids), QStringList({"0", "102", "103", "103", "103", "106", "103", "108", "108"}));
}

TEST(OrderModel, HerbalPrescriptionNumbers) {
    const HerbalIds ids = herbalIdentifiers(3, 40, QStringLiteral("CYCF1605100907021234"));
    EXPECT_EQ(ids.header.yzid, 41);
    EXPECT_EQ(ids.header.sjyz, QStringLiteral("CYCF1605100907021234"));
    ASSERT_EQ(ids.herbs.size(), 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(ids.herbs[r].yzid, 42 + r);
        EXPECT_EQ(ids.herbs[r].sjyz, QStringLiteral("41"));
    }
}

TEST(OrderModel, OrderTimesAndPrescriptionNumber) {
    qh::test::FixedClock clock(QDateTime(QDate(2016, 3, 5), QTime(8, 4, 9)));
    EXPECT_EQ(dateTimeToText(QDate(2016, 11, 25)), QStringLiteral("2016-11-25 08:04:09"));
    EXPECT_EQ(dateTimeText(QDate(2016, 1, 2), QTime(0, 0, 1)), QStringLiteral("2016-01-02 00:00:01"));
    EXPECT_TRUE(dateTimeToText(QDate()).isEmpty());
    const QString number = makePrescriptionNumber();
    EXPECT_TRUE(number.startsWith(QStringLiteral("CYCF160305080409"))) << number.toStdString();
    const int tail = number.mid(16).toInt();
    EXPECT_GE(tail, 1000);
    EXPECT_LE(tail, 9999);
}

TEST(OrderModel, SkinTestContents) {
    EXPECT_TRUE(isSkinTestItem(QStringLiteral("青霉素皮试")));
    EXPECT_TRUE(isSkinTestItem(QStringLiteral("破伤风过敏试验")));
    EXPECT_TRUE(isSkinTestItem(QStringLiteral("头孢试敏")));
    EXPECT_FALSE(isSkinTestItem(QStringLiteral("皮内注射")));
    const QString content = skinTestContent(QStringLiteral("注射用青霉素钠"), QStringLiteral("青霉素皮试"));
    EXPECT_EQ(content, QStringLiteral("注射用青霉素钠青霉素皮试( )"));
    EXPECT_EQ(skinTestResultContent(content, kPositive), QStringLiteral("注射用青霉素钠青霉素皮试 (+)"));
    // Recording again replaces the earlier result instead of cutting into the name.
    EXPECT_EQ(skinTestResultContent(QStringLiteral("青霉素皮试 (+)"), kNegative), QStringLiteral("青霉素皮试 (-)"));
    EXPECT_EQ(skinTestResultContent(QStringLiteral("青霉素皮试"), kNegative), QStringLiteral("青霉素皮试 (-)"));
}

TEST(OrderModel, StrictNumbers) {
    struct Case {
        const char* text;
        bool ok, empty;
        double value;
    };
    const Case cases[] = {
        {"", true, true, 0},        {"  ", true, true, 0},      {"2", true, false, 2},
        {" 0.5 ", true, false, 0.5}, {".5", true, false, 0.5},  {"1.", true, false, 1},
        {"-3", true, false, -3},    {"1+1", false, true, 0},    {"(select 1)", false, true, 0},
        {"1;delete", false, true, 0}, {"1e3", false, true, 0},  {"0x10", false, true, 0},
        {"1 2", false, true, 0},    {"１", false, true, 0},     {"nan", false, true, 0},
    };
    for (const Case& c : cases) {
        const StrictNumber n = parseStrictNumber(QString::fromUtf8(c.text));
        EXPECT_EQ(n.ok, c.ok) << c.text;
        EXPECT_EQ(n.empty, c.empty) << c.text;
        if (c.ok && !c.empty) EXPECT_DOUBLE_EQ(n.value, c.value) << c.text;
    }
    EXPECT_EQ(numberText(0.5), QStringLiteral("0.5"));
    EXPECT_EQ(numberText(2.0), QStringLiteral("2"));
    EXPECT_EQ(numberText(0.1 * 3), QStringLiteral("0.3"));
}

TEST(OrderModel, ListContentTextPadsInBytesAndMarksGroups) {
    ContentFields single{QStringLiteral("阿莫西林胶囊"), QStringLiteral("0.25g"), 2.6, QStringLiteral("粒"),
                         QStringLiteral("0.5g"), QStringLiteral("口服"), QStringLiteral("tid"), kSingle, kRequisition};
    const QString text = listContentText(single);
    // The name (6 characters, 12 bytes) padded to 25 bytes, the amount (12 bytes) to 20; the
    // quantity rounded to a whole number.
    EXPECT_EQ(text, QStringLiteral("阿莫西林胶囊") + QString(13, u' ') + QStringLiteral("0.25g    3粒") + QString(8, u' ') +
                        QStringLiteral("  用法：0.5g  口服  tid"));

    ContentFields head{QStringLiteral("0.9%氯化钠注射液"), {}, 1, QStringLiteral("袋"), QStringLiteral("250ml"),
                       {}, {}, kNewGroup, kRequisition};
    EXPECT_EQ(listContentText(head), qh::text::padToBytes(head.content, 25) + QStringLiteral("250ml     ┐ "));
    ContentFields middle = head;
    middle.marker = kInGroup;
    EXPECT_TRUE(listContentText(middle).endsWith(QStringLiteral("│ ")));
    ContentFields last = middle;
    last.route = QStringLiteral("静脉滴注");
    last.frequency = QStringLiteral("qd");
    EXPECT_TRUE(listContentText(last).endsWith(QStringLiteral("┘静脉滴注 qd")));

    // Everything that is not a drug line shows its content as stored.
    ContentFields nursing{QStringLiteral("Ⅱ级护理"), {}, 1, QStringLiteral("日"), {}, {}, {}, kSingle, kExecutionSlip};
    EXPECT_EQ(listContentText(nursing), QStringLiteral("Ⅱ级护理"));
    EXPECT_EQ(groupBox(kSingle, QStringLiteral("口服")), QString());
    EXPECT_TRUE(isMarkerContent(QStringLiteral(" 重整医嘱 ")));
    EXPECT_FALSE(isMarkerContent(QStringLiteral("重整医嘱后")));
}

TEST(OrderModel, KindTexts) {
    EXPECT_EQ(kindText(OrderKind::LongTerm), QStringLiteral("长期医嘱"));
    EXPECT_EQ(kindFromText(QStringLiteral("临时")), OrderKind::Temporary);
    EXPECT_EQ(kindFromText(QStringLiteral("处方用药")), OrderKind::Herbal);
    EXPECT_FALSE(kindFromText(QStringLiteral("长")).has_value());
}

}  // namespace
