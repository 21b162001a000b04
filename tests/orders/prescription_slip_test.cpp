// Prescription slips: the day's list of prescriptions and what a slip prints.
#include <gtest/gtest.h>

#include "orders/OrderSheetData.h"
#include "orders/PrescriptionSlip.h"
#include "sheet_fixture.h"

namespace qh::test {
namespace {

class PrescriptionSlipTest : public SheetFixture {
protected:
    qint64 temporary(const QString& content, const QString& at) {
        return add({.kind = QStringLiteral("临时医嘱"), .content = content, .xmid = 2, .ordered = at,
                    .spec = QStringLiteral("1g/支"), .dose = QStringLiteral("1g"), .route = QStringLiteral("静脉注射"),
                    .frequency = QStringLiteral("st")});
    }
};

TEST_F(PrescriptionSlipTest, SevenOrdersMakeAPrescriptionOfFiveGroupsAndOneOfTwo) {
    for (int i = 1; i <= 7; ++i) temporary(QStringLiteral("针%1").arg(i), QStringLiteral("2016-05-10 08:%1:00").arg(i, 2, 10, QChar(u'0')));
    temporary(QStringLiteral("昨天的针"), QStringLiteral("2016-05-09 08:00:00"));
    const auto entries = orders::listPrescriptions(files(), serial_, QDate(2016, 5, 10));
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].label, QStringLiteral("西-08时01分"));
    EXPECT_EQ(entries[1].label, QStringLiteral("西_08时06分"));
    EXPECT_EQ(entries[0].sids.size(), 5);
    EXPECT_EQ(entries[1].sids.size(), 2);

    // Lines of one group stay together; a sixth group starts the next prescription.
    QVector<orders::StoredOrder> rows;
    for (int i = 0; i < 8; ++i) {
        orders::StoredOrder o;
        o.sid = i + 1;
        o.sjyz = QString::number(i < 4 ? 1 : i - 2);  // group 1 of four lines, then 2..5
        o.ordered = QDateTime(QDate(2016, 5, 10), QTime(9, 0));
        rows.append(o);
    }
    const auto cut = orders::cutWesternPrescriptions(rows);
    ASSERT_EQ(cut.size(), 1);
    EXPECT_EQ(cut[0].label, QStringLiteral("西_09时00分"));
}

TEST_F(PrescriptionSlipTest, ASlipPrintsExactlyTheRowsOfItsEntry) {
    // sids interleave: the morning orders were entered after an evening one.
    const qint64 evening = temporary(QStringLiteral("晚上的针"), QStringLiteral("2016-05-10 20:00:00"));
    for (int i = 1; i <= 5; ++i) temporary(QStringLiteral("早针%1").arg(i), QStringLiteral("2016-05-10 08:00:00"));
    add({.kind = QStringLiteral("临时医嘱"), .content = QStringLiteral("作废的针"), .xmid = 2,
         .ordered = QStringLiteral("2016-05-10 08:00:00"), .state = QStringLiteral("Del")});
    const qint64 last = temporary(QStringLiteral("第六组"), QStringLiteral("2016-05-10 08:00:00"));
    const auto entries = orders::listPrescriptions(files(), serial_, QDate(2016, 5, 10));
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[1].sids, (QVector<qint64>{last, evening}));
    const orders::PrescriptionSlip slip = orders::PrescriptionSlip::load(files(), patient(), entries[1]);
    ASSERT_EQ(slip.orders().size(), 2);
    EXPECT_EQ(slip.orders()[0].order.content, QStringLiteral("第六组"));
    EXPECT_EQ(slip.orders()[1].order.content, QStringLiteral("晚上的针"));
    const auto first = orders::PrescriptionSlip::load(files(), patient(), entries[0]);
    EXPECT_EQ(first.orders().size(), 5);
    EXPECT_FALSE(first.bodyLines().join(u'\n').contains(QStringLiteral("作废")));
}

TEST_F(PrescriptionSlipTest, WesternBodyAndFrame) {
    exec(QStringLiteral("insert into 备份 (医院名称) values ('青禾县人民医院')"));
    add({.kind = QStringLiteral("临时医嘱"), .content = QStringLiteral("注射用青霉素钠"), .xmid = 6 /* ps '1' */,
         .quantity = 0.5, .spec = QStringLiteral("80万U"), .dose = QStringLiteral("40万U"),
         .route = QStringLiteral("肌内注射"), .frequency = QStringLiteral("st")});
    const auto entries = orders::listPrescriptions(files(), serial_, QDate(2016, 5, 10));
    ASSERT_EQ(entries.size(), 1);
    const orders::PrescriptionSlip slip = orders::PrescriptionSlip::load(files(), patient(), entries[0]);
    EXPECT_EQ(slip.bodyLines(), (QStringList{QStringLiteral("注射用青霉素钠   皮试( )    80万U  × 0.5 支"),
                                             QStringLiteral("用法: 40万U  肌内注射  st")}));
    ui::RecordingBoard rec;
    ui::DrawingBoard board(rec);
    EXPECT_EQ(slip.print(board), 1);
    const auto at = [&](const QString& x, const QString& y, const QString& text) {
        return matching(rec, {QStringLiteral("text"), x, y, QString(), QString(), QString(), QString(), text}).size();
    };
    for (const char* particular : {"王小明", "肺炎", "Rp"}) EXPECT_TRUE(rec.recording().contains(QString::fromUtf8(particular)));
    // The two number labels stand clear of the age's value and of each other.
    EXPECT_EQ(at(QStringLiteral("310"), QStringLiteral("90"), QStringLiteral("住院号:")), 1u);
    EXPECT_EQ(at(QStringLiteral("310"), QStringLiteral("72"), QStringLiteral("门诊号:")), 1u);
    // Title: bold 18, centred in the slip.
    const QString title = QStringLiteral("青禾县人民医院处方笺");
    EXPECT_EQ(drawn(rec, {QStringLiteral("text"), ui::RecordingBoard::number((480 - 20 * 12) / 2.0), {}, {},
                          QStringLiteral("18"), QStringLiteral("1"), {}, title}),
              1);
}

TEST_F(PrescriptionSlipTest, AHerbalPrescriptionIsOneEntryAndOneSlip) {
    // One save, but a herb typed a second later must not make a second prescription.
    for (int i = 0; i < 5; ++i)
        herb(i % 2 ? QStringLiteral("当归") : QStringLiteral("黄芪"), 10 + i, QStringLiteral("9000"),
             i < 3 ? QStringLiteral("2016-05-10 10:00:00") : QStringLiteral("2016-05-10 10:00:01"), i % 2 ? 8 : 7);
    herbalHeader(QStringLiteral("9000"), 3, QStringLiteral("水煎服"), QStringLiteral("2016-05-10 10:00:00"));
    const auto entries = orders::listPrescriptions(files(), serial_, QDate(2016, 5, 10));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_TRUE(entries[0].herbal);
    EXPECT_EQ(entries[0].label, QStringLiteral("中_10时00分"));
    const orders::PrescriptionSlip slip = orders::PrescriptionSlip::load(files(), patient(), entries[0]);
    EXPECT_EQ(slip.bodyLines(), (QStringList{QStringLiteral("黄芪 10g    当归 11g    黄芪 12g"),
                                             QStringLiteral("当归 13g    黄芪 14g"), QStringLiteral("上方3剂，水煎服")}));
}

}  // namespace
}  // namespace qh::test
