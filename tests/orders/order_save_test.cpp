// Saving batches: the rows, numbers and group numbers a batch leaves, and that a batch is
// checked first and written whole or not at all.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSet>

#include "orders/OrderNumbers.h"
#include "orders/OrderSave.h"
#include "orders/orders_fixture.h"

using namespace qh;
using namespace qh::orders;

namespace {

class OrderSaveTest : public test::OrdersFixture {
protected:
    SaveResult western(const QVector<EntryLine>& lines, OrderKind kind = OrderKind::LongTerm) {
        return OrderSave(files(), user_, ui_).saveWestern(serial_, kind, lines);
    }
    SaveResult herbal(const QVector<HerbLine>& herbs, const QString& usage = QStringLiteral("水煎服，每日一剂")) {
        return OrderSave(files(), user_, ui_).saveHerbal(serial_, usage, herbs);
    }
    // An infusion group of three and a single capsule, as the grid hands them over.
    QVector<EntryLine> infusionAndCapsule() {
        const QString doctor = QStringLiteral("李医生"), yp = QStringLiteral("yp"), drugs = QStringLiteral("XMLB001");
        return {{.dateText = QStringLiteral("2016-05-09 07:00:00"), .marker = kNewGroup,
                 .content = QStringLiteral("0.9%氯化钠注射液"), .dose = QStringLiteral("250"), .doseUnit = QStringLiteral("ml"),
                 .doctor = doctor, .itemId = QStringLiteral("1"), .drugFlag = yp, .category = drugs,
                 .perDay = QStringLiteral("2"), .perDayUnit = QStringLiteral("袋")},
                {.marker = kInGroup, .content = QStringLiteral("注射用头孢曲松钠"), .doctor = doctor,
                 .itemId = QStringLiteral("2"), .drugFlag = yp, .category = drugs, .perDay = QStringLiteral("4")},
                line(QString(), QString()),
                {.marker = kInGroup, .content = QStringLiteral("注射用青霉素钠"), .route = QStringLiteral("静脉滴注"),
                 .frequency = QStringLiteral("bid"), .doctor = doctor, .itemId = QStringLiteral("6"), .drugFlag = yp,
                 .category = drugs},
                {.marker = kSingle, .content = QStringLiteral("阿莫西林胶囊"), .doctor = doctor, .itemId = QStringLiteral("3"),
                 .drugFlag = yp, .attribute = QStringLiteral("胶囊剂"), .category = drugs, .perDay = QStringLiteral("0.5")}};
    }
    static HerbLine herb(const QString& xmid, const QString& name, const QString& amount, const QString& doses) {
        return {name, QString(), amount, QStringLiteral("g"), doses, QStringLiteral("0.06"), QStringLiteral("李医生"),
                xmid, QString()};
    }
};

TEST_F(OrderSaveTest, WesternBatchLeavesNumberedGroupedRows) {
    const qint64 before = counterValue();
    const SaveResult r = western(infusionAndCapsule());
    ASSERT_TRUE(r.saved()) << r.reason.toStdString();
    EXPECT_EQ(ui_.texts(), QStringList{kSaved});
    const qint64 b = r.base;
    EXPECT_EQ(b, before);
    // The empty row in the middle is left out before numbering; one number per grid row and
    // the header row is reserved.
    EXPECT_EQ(counterValue(), b + 5);
    const store::Rows rows = orders();
    ASSERT_EQ(rows.size(), 4);
    const QString group = QString::number(b + 1);
    const QStringList markers{kNewGroup, kInGroup, kInGroup, kSingle};
    for (int i = 0; i < 4; ++i) {
        const store::Row row = rows[i];
        EXPECT_EQ(row.text("yzid"), QString::number(b + i + 1));
        EXPECT_EQ(row.integer("lrsx"), b + i + 1);
        EXPECT_EQ(row.text("sjyz"), i < 3 ? group : QString::number(b + 4));
        EXPECT_EQ(row.text("ypcz"), markers[i]);
        for (const auto& [column, text] : {std::pair{"zyid", serial_}, {"yzlb", QStringLiteral("长期医嘱")}, {"yzzt", kValid},
                                           {"qllb", kRequisition}, {"yzpd", QStringLiteral("1")}, {"hldy", kNursingUnit},
                                           {"ksbh", QStringLiteral("内科")}, {"cwbh", QStringLiteral("1")}})
            EXPECT_EQ(row.text(QString::fromUtf8(column)), text) << column << " of row " << i;
        // One moment for the whole batch: the row's own date, the save's time of day.
        EXPECT_EQ(row.text("yzsj_text"),
                  i == 0 ? QStringLiteral("2016-05-09 09:07:02") : QStringLiteral("2016-05-10 09:07:02"));
        EXPECT_EQ(row.text("czsj_text"), row.text("yzsj_text"));
        EXPECT_TRUE(row.value("tzsj").isNull());
    }
    EXPECT_EQ(rows[0].text("yzjl"), QStringLiteral("250ml"));
    EXPECT_DOUBLE_EQ(rows[0].real("xmsl"), 2);
    EXPECT_DOUBLE_EQ(rows[3].real("xmsl"), 0.5);
    EXPECT_EQ(rows[3].text("xmsx"), QStringLiteral("胶囊剂"));
    EXPECT_EQ(rows[3].text("yzsx"), QStringLiteral("胶囊剂"));
    EXPECT_EQ(rows[2].text("yzfs") + rows[2].text("yzyf"), QStringLiteral("静脉滴注bid"));
    EXPECT_EQ(rows[0].text("yzfs") + rows[1].text("yzfs"), QString());
}

TEST_F(OrderSaveTest, FreeTextOrdersNeedNoItemAndTextsStayTexts) {
    const QString text = QStringLiteral("按内科护理常规 O'Neil'); delete from zyb_yzxx; --");
    SaveResult r = western({line(kSingle, text), line(kSingle, kPostOperativeMarker)}, OrderKind::Temporary);
    ASSERT_TRUE(r.saved()) << r.reason.toStdString();
    const store::Rows rows = orders();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].text("xmmc"), text);
    EXPECT_TRUE(rows[0].value("xmid").isNull());
    EXPECT_EQ(rows[0].text("qllb"), kExecutionSlip);
    EXPECT_EQ(rows[0].text("yzlb"), QStringLiteral("临时医嘱"));
    EXPECT_EQ(rows[1].text("xmmc"), kPostOperativeMarker);
}

TEST_F(OrderSaveTest, RefusalsWriteNothingAndKeepTheCounter) {
    // Each batch is refused before anything is written: the counter is untouched.
    EntryLine numberInQuantity = line(kSingle, QStringLiteral("阿莫西林胶囊"), QStringLiteral("3"));
    numberInQuantity.perDay = QStringLiteral("1+1");
    EntryLine subquery = numberInQuantity;
    subquery.perDay = QStringLiteral("(select max(sid) from adm_sid)");
    EntryLine typedQuantity = numberInQuantity;
    typedQuantity.perDay = QStringLiteral("1");
    typedQuantity.quantity = QStringLiteral("两");
    EntryLine badItem = line(kSingle, QStringLiteral("某药"), QStringLiteral("3 or 1=1"));
    EntryLine unknownItem = line(kSingle, QStringLiteral("某药"), QStringLiteral("999"));
    EntryLine badMarker = line(QStringLiteral("新"), QStringLiteral("某药"));
    EntryLine badDate = line(kSingle, QStringLiteral("某药"));
    badDate.dateText = QStringLiteral("昨天");
    const struct {
        const char* name;
        QVector<EntryLine> lines;
        int badLine;
    } cases[] = {
        {"empty grid", {line(kSingle, QString()), line(QString(), QStringLiteral("  "))}, 0},
        {"sum in quantity", {line(kSingle, QStringLiteral("甲")), numberInQuantity}, 2},
        {"subquery in quantity", {subquery}, 1},
        {"words in quantity", {typedQuantity}, 1},
        {"item id with a condition", {badItem}, 1},
        {"item not in the catalogue", {line(kSingle, QStringLiteral("甲")), unknownItem}, 2},
        {"unknown marker", {badMarker}, 1},
        {"unreadable date", {badDate}, 1},
    };
    const qint64 counter = counterValue();
    for (const auto& c : cases) {
        ui_.clear();
        const SaveResult r = western(c.lines);
        EXPECT_EQ(r.outcome, SaveResult::Refused) << c.name;
        EXPECT_EQ(r.badLine, c.badLine) << c.name;
        EXPECT_EQ(ui_.texts(), QStringList{kSaveFailed}) << c.name;
        EXPECT_EQ(count("select count(*) from zyb_yzxx"), 0) << c.name;
        EXPECT_EQ(counterValue(), counter) << c.name;
    }
}

TEST_F(OrderSaveTest, AFailingLineRollsBackTheWholeBatch) {
    // The last line of the group fails: neither the group's first lines nor the reserved
    // numbers stay, and the counter is not left empty.
    exec("insert into adm_sid (code) values ('CODE')");
    const qint64 counter = counterValue();
    failInsert("zyb_yzxx", "NEW.xmmc='阿莫西林胶囊'");
    const SaveResult r = western(infusionAndCapsule());
    EXPECT_EQ(r.outcome, SaveResult::Failed);
    EXPECT_EQ(ui_.texts(), QStringList{kSaveFailed});
    EXPECT_EQ(count("select count(*) from zyb_yzxx"), 0);
    EXPECT_EQ(counterValue(), counter);
    EXPECT_EQ(count("select count(*) from adm_sid"), 1);
}

TEST_F(OrderSaveTest, NothingHappensWithoutAPatientAndAGonePatientIsNotWritten) {
    EXPECT_EQ(OrderSave(files(), user_, ui_).saveWestern(QString(), OrderKind::LongTerm, infusionAndCapsule()).outcome,
              SaveResult::NoPatient);
    EXPECT_TRUE(ui_.texts().isEmpty());
    exec("delete from 在院病人");
    EXPECT_EQ(western(infusionAndCapsule()).outcome, SaveResult::Failed);
    EXPECT_EQ(count("select count(*) from zyb_yzxx"), 0);
}

TEST_F(OrderSaveTest, HerbalPrescriptionLinesHeaderAndRequisitions) {
    exec("update 在院病人 set 主管医生='王主任'");
    QVector<HerbLine> herbs{herb("7", QStringLiteral("黄芪"), "30", "7"), herb(QString(), QString(), "", ""),
                            herb("8", QStringLiteral("当归"), "10", "")};
    herbs[2].specialUsage = QStringLiteral("后下");
    herbs[2].price = QString();
    const SaveResult r = herbal(herbs);
    ASSERT_TRUE(r.saved()) << r.reason.toStdString();
    EXPECT_EQ(ui_.texts(), QStringList{kSaved});
    const qint64 b = r.base;
    const store::Rows rows = orders();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].text("yzid"), QString::number(b + 2));
    EXPECT_EQ(rows[1].text("yzid"), QString::number(b + 3));
    EXPECT_EQ(rows[1].text("xmmc"), QStringLiteral("当归 后下"));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(rows[i].text("sjyz"), QString::number(b + 1));
        EXPECT_EQ(rows[i].text("xmsx"), kHerbalAttribute);
        EXPECT_EQ(rows[i].text("qllb"), kPrescriptionSlip);
        EXPECT_EQ(rows[i].text("yzpd"), QStringLiteral("7"));
        EXPECT_EQ(rows[i].text("ysxm1"), QStringLiteral("王主任"));
        EXPECT_EQ(rows[i].text("doctor"), QStringLiteral("No"));
        EXPECT_EQ(rows[i].text("tzsj_text"), QStringLiteral("2016-05-10 09:07:02"));
    }
    const store::Row header = rows[2];
    EXPECT_EQ(header.text("yzid"), QString::number(b + 1));
    EXPECT_EQ(header.text("sjyz"), r.prescriptionNumber);
    EXPECT_TRUE(r.prescriptionNumber.startsWith(QStringLiteral("CYCF160510090702")));
    EXPECT_EQ(header.text("xmmc"), kHerbalHeader);
    EXPECT_DOUBLE_EQ(header.real("xmsl"), 7);
    EXPECT_EQ(header.text("yzfs"), QStringLiteral("水煎服，每日一剂"));
    EXPECT_EQ(header.text("ysxm1"), QStringLiteral("李医生"));
    const store::Rows requisitions = store::Connection::open(files(), store::DbFile::Main)
                                         .query("select * from zyb_ypqlxx order by sid");
    ASSERT_EQ(requisitions.size(), 2);
    EXPECT_EQ(requisitions[0].text("qldh"), r.prescriptionNumber);
    EXPECT_EQ(requisitions[0].text("yzid"), QString::number(b + 2));
    EXPECT_DOUBLE_EQ(requisitions[0].real("xmsl"), 210);
    EXPECT_DOUBLE_EQ(requisitions[0].real("xmdj"), 0.06);
    EXPECT_TRUE(requisitions[1].value("xmdj").isNull());
    EXPECT_EQ(requisitions[1].text("czry"), QStringLiteral("李医生"));
}

TEST_F(OrderSaveTest, HerbalRefusals) {
    // No usage: only the question, nothing written.
    EXPECT_EQ(herbal({herb("7", QStringLiteral("黄芪"), "30", "7")}, QStringLiteral(" ")).outcome, SaveResult::NoUsage);
    EXPECT_EQ(ui_.texts(), QStringList{kChooseHerbalUsage});
    const struct {
        const char* name;
        QVector<HerbLine> herbs;
    } cases[] = {
        {"no herbs", {herb("", "", "", "")}},
        {"two dose counts", {herb("7", QStringLiteral("黄芪"), "30", "7"), herb("8", QStringLiteral("当归"), "10", "5")}},
        {"no dose count", {herb("7", QStringLiteral("黄芪"), "30", "")}},
        {"amount not a number", {herb("7", QStringLiteral("黄芪"), "30g", "7")}},
        {"herb typed without an item", {herb("", QStringLiteral("黄芪"), "30", "7")}},
    };
    for (const auto& c : cases) {
        ui_.clear();
        EXPECT_EQ(herbal(c.herbs).outcome, SaveResult::Refused) << c.name;
        EXPECT_EQ(ui_.texts(), QStringList{kSaveFailed}) << c.name;
    }
    // The patient's earlier herbal rows do not turn a failed save into a success.
    ASSERT_TRUE(herbal({herb("7", QStringLiteral("黄芪"), "30", "7")}).saved());
    failInsert("zyb_ypqlxx");
    ui_.clear();
    EXPECT_EQ(herbal({herb("8", QStringLiteral("当归"), "10", "3")}).outcome, SaveResult::Failed);
    EXPECT_EQ(ui_.texts(), QStringList{kSaveFailed});
    EXPECT_EQ(count("select count(*) from zyb_yzxx"), 2);
    EXPECT_EQ(count("select count(*) from zyb_ypqlxx where qldh not in (select sjyz from zyb_yzxx)"), 0);
}

TEST_F(OrderSaveTest, ReservationKeepsTheNewestCounterRow) {
    store::Connection db = store::Connection::open(files(), store::DbFile::Main);
    const qint64 first = reserveOrderNumbers(db, 3);
    const qint64 second = reserveOrderNumbers(db, 2);
    EXPECT_EQ(second, first + 3);
    EXPECT_EQ(count("select count(*) from adm_sid"), 1);
    EXPECT_EQ(counterValue(), second + 2);
    EXPECT_EQ(reserveOrderNumbers(db, 0), -1);
    // Inside a batch that is rolled back, the reservation goes with it.
    {
        store::Transaction tx(db);
        EXPECT_EQ(reserveOrderNumbers(db, 4), second + 2);
    }
    EXPECT_EQ(counterValue(), second + 2);
}

// Two processes saving at the same moment: each child runs this test body against the
// ward named in the environment; the parent starts two and checks every number is unique.
TEST_F(OrderSaveTest, ConcurrentSaverChild) {
    const QByteArray ward = qgetenv("QH_ORDERS_CHILD_WARD");
    if (ward.isEmpty()) GTEST_SKIP() << "runs as a child of TwoProcessesNeverShareANumber";
    Clock::set({});
    const store::DataDirectory shared{QString::fromLocal8Bit(ward)};
    const QString serial = QString::fromLocal8Bit(qgetenv("QH_ORDERS_CHILD_STAY"));
    for (int i = 0; i < 25; ++i) {
        QVector<EntryLine> batch;
        batch << line(kNewGroup, QStringLiteral("甲")) << line(kInGroup, QStringLiteral("乙"))
              << line(kInGroup, QStringLiteral("丙")) << line(kSingle, QStringLiteral("丁"));
        const SaveResult r = OrderSave(shared, user_, ui_).saveWestern(serial, OrderKind::LongTerm, batch);
        ASSERT_TRUE(r.saved()) << r.reason.toStdString();
        if (i % 5 == 0)
            ASSERT_TRUE(OrderSave(shared, user_, ui_)
                            .saveHerbal(serial, QStringLiteral("水煎服"), {herb("7", QStringLiteral("黄芪"), "9", "3")})
                            .saved());
    }
}

TEST_F(OrderSaveTest, TwoProcessesNeverShareANumber) {
    if (!qgetenv("QH_ORDERS_CHILD_WARD").isEmpty()) GTEST_SKIP();
    db_.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QH_ORDERS_CHILD_WARD", files().dir());
    env.insert("QH_ORDERS_CHILD_STAY", serial_);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess children[2];
    for (QProcess& child : children) {
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=OrderSaveTest.ConcurrentSaverChild"});
    }
    for (QProcess& child : children) {
        ASSERT_TRUE(child.waitForFinished(120000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
    }
    // 2 children × 25 batches × 4 lines, and 2 × 5 prescriptions of a herb and a header.
    EXPECT_EQ(count("select count(*) from zyb_yzxx"), 2 * 25 * 4 + 2 * 5 * 2);
    EXPECT_EQ(count("select count(distinct yzid) from zyb_yzxx"), count("select count(*) from zyb_yzxx"));
    // Every group is whole: the three lines of a group share the first line's number.
    EXPECT_EQ(count("select count(*) from zyb_yzxx where ypcz='承组' and "
                    "cast(sjyz as integer) <> cast(yzid as integer) - (select count(*) from zyb_yzxx o where "
                    "o.ypcz='承组' and o.sjyz=zyb_yzxx.sjyz and cast(o.yzid as integer) <= cast(zyb_yzxx.yzid as integer))"),
              0);
    EXPECT_EQ(count("select count(*) from adm_sid"), 1);
}

}  // namespace
