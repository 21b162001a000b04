// The order lists and what nurses and doctors do on them: execute, confirm a stop, stop,
// void, delete, skin-test results, reorganisation and the post-operative start. Each acts
// on the whole group of the selected row and on nothing else: not on another patient's
// rows that share a group number, not on the other generation of a reorganised order,
// not on rows someone else changed first.
#include <gtest/gtest.h>

#include "orders/OrderEntry.h"
#include "orders/OrderLifecycle.h"
#include "orders/OrderListModel.h"
#include "orders/orders_fixture.h"

using namespace qh;
using namespace qh::orders;
using M = OrderListModel;

namespace {

class LifecycleTest : public test::OrdersFixture {
protected:
    void SetUp() override {
        OrdersFixture::SetUp();
        if (HasFatalFailure()) return;
        nurse_.userName = QStringLiteral("赵护士");
        nurse_.department = QStringLiteral("内科");
    }

    qint64 save(const QString& serial, OrderKind kind, const QVector<orders::EntryLine>& lines) {
        return saveBatch(kind, lines, serial);
    }
    void saveLongTerm(const QString& serial) { saveBatch(OrderKind::LongTerm, nursingGroupAndCapsule(), serial); }
    std::unique_ptr<M> list(OrderKind kind, const shell::UserContext& who, const QString& serial = QString()) {
        auto m = std::make_unique<M>(files(), who, ui_, kind);
        m->load(serial.isEmpty() ? serial_ : serial);
        return m;
    }
    QString secondPatient() {
        return serialOf(addPatient({QStringLiteral("李四"), QStringLiteral("女"), QStringLiteral("30岁"),
                                    QStringLiteral("胃炎"), QStringLiteral("2")}));
    }
    // One column of the rows meeting the condition, in sid order, joined with "|".
    QString column(const QString& col, const QString& where) {
        QStringList values;
        for (const store::Row& r : store::Connection::open(files(), store::DbFile::Main)
                                       .query(QStringLiteral("select %1 from zyb_yzxx where %2 order by sid").arg(col, where)))
            values << r.value(0).toText();
        return values.join(u'|');
    }

    shell::UserContext nurse_;
};

TEST_F(LifecycleTest, ExecuteStopAndConfirmActOnTheWholeGroup) {
    saveLongTerm(serial_);
    auto nurse = list(OrderKind::LongTerm, nurse_);
    ASSERT_EQ(nurse->grid().rows(), 5);
    nurse->select(1);
    EXPECT_EQ(nurse->execute(), M::Outcome::Done);
    EXPECT_EQ(nurse->selectedRow(), 2);  // on to the next group not yet executed
    EXPECT_EQ(nurse->execute(), M::Outcome::Done);
    EXPECT_EQ(nurse->grid().text(2, M::LNurse) + nurse->grid().text(3, M::LNurse), QStringLiteral("赵护士赵护士"));
    EXPECT_EQ(nurse->grid().text(4, M::LNurse), QString());
    EXPECT_EQ(column("hsxm1", "1=1"), QStringLiteral("赵护士|赵护士|赵护士|"));
    EXPECT_EQ(nurse->selectedRow(), 4);

    nurse->select(3);
    EXPECT_EQ(nurse->execute(), M::Outcome::Refused);
    EXPECT_EQ(ui_.lastText(), kAlreadyExecuted);

    auto doctor = list(OrderKind::LongTerm, user_);
    doctor->select(3);
    Clock::set([] { return QDateTime(QDate(2016, 5, 12), QTime(8, 5, 0)); });
    EXPECT_EQ(doctor->stop(), M::Outcome::Done);
    for (int r : {2, 3}) {
        EXPECT_EQ(doctor->grid().text(r, M::LStopDate), QStringLiteral("2016-05-12"));
        EXPECT_EQ(doctor->grid().text(r, M::LStopTime), QStringLiteral("08:05"));
        EXPECT_EQ(doctor->grid().text(r, M::LStopDoctor), QStringLiteral("李医生"));
    }
    EXPECT_EQ(doctor->grid().cellBackColor(1, M::LContent), kRunningShade);
    EXPECT_NE(doctor->grid().cellBackColor(2, M::LContent), kRunningShade);
    EXPECT_EQ(column("CAST(tzsj AS TEXT)", "tzsj is not null"), QStringLiteral("2016-05-12 08:05:00|2016-05-12 08:05:00"));
    EXPECT_EQ(doctor->stop(), M::Outcome::Refused);
    EXPECT_EQ(ui_.lastText(), kAlreadyStopped);

    // Executing a stopped group again is the nurse's confirmation of the stop.
    nurse->reload();
    nurse->select(2);
    EXPECT_EQ(nurse->execute(), M::Outcome::Done);
    EXPECT_EQ(nurse->grid().text(3, M::LStopNurse), QStringLiteral("赵护士"));
    EXPECT_EQ(column("hsxm2", "hsxm2 is not null"), QStringLiteral("赵护士|赵护士"));
    EXPECT_EQ(nurse->selectedRow(), 4);
    nurse->select(2);
    EXPECT_EQ(nurse->execute(), M::Outcome::Refused);
}

TEST_F(LifecycleTest, AStaleListIsReadAgainAndRefusedInsteadOfShowingWhatWasNeverStored) {
    saveLongTerm(serial_);
    auto first = list(OrderKind::LongTerm, nurse_);
    auto second = list(OrderKind::LongTerm, nurse_);  // another workstation, read at the same time
    first->select(1);
    ASSERT_EQ(first->execute(), M::Outcome::Done);
    second->select(1);
    EXPECT_EQ(second->execute(), M::Outcome::Refused);
    EXPECT_EQ(ui_.lastText(), kAlreadyExecuted);
    EXPECT_EQ(second->grid().text(1, M::LNurse), QStringLiteral("赵护士"));  // read again

    auto doctorA = list(OrderKind::LongTerm, user_);
    auto doctorB = list(OrderKind::LongTerm, user_);
    doctorA->select(4);
    ASSERT_EQ(doctorA->remove(), M::Outcome::Done);
    EXPECT_EQ(doctorA->grid().rows(), 4);
    EXPECT_EQ(doctorA->grid().text(3, 0), QStringLiteral("3"));  // numbered again
    doctorB->select(4);
    EXPECT_EQ(doctorB->stop(), M::Outcome::Refused);
    EXPECT_EQ(ui_.lastText(), kOrderGone);
    EXPECT_EQ(doctorB->grid().rows(), 4);  // read again: the deleted capsule is gone
}

TEST_F(LifecycleTest, AFailingStatementLeavesGridAndRowsAsTheyWere) {
    saveLongTerm(serial_);
    auto nurse = list(OrderKind::LongTerm, nurse_);
    exec(QStringLiteral("CREATE TRIGGER refuse_update BEFORE UPDATE ON zyb_yzxx BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    nurse->select(2);
    EXPECT_EQ(nurse->execute(), M::Outcome::Failed);
    EXPECT_EQ(ui_.lastText(), kOperationFailed);
    EXPECT_EQ(nurse->grid().text(2, M::LNurse), QString());
    EXPECT_EQ(nurse->selectedRow(), 2);
    EXPECT_EQ(count("select count(*) from zyb_yzxx where hsxm1 is not null"), 0);
    exec(QStringLiteral("CREATE TRIGGER refuse_delete BEFORE DELETE ON zyb_yzxx BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_EQ(nurse->remove(), M::Outcome::Failed);
    EXPECT_EQ(nurse->grid().rows(), 5);
}

TEST_F(LifecycleTest, TwoPatientsWithOrphanLinesNeverAffectEachOther) {
    const QString other = secondPatient();
    // A 承组 line with no 新组 above it gets group "0": the same for both patients and for
    // the patient's own second orphan.
    for (const QString& serial : {serial_, other, serial_})
        save(serial, OrderKind::LongTerm, {line(kInGroup, QStringLiteral("注射用头孢曲松钠"), "2")});
    ASSERT_EQ(count("select count(*) from zyb_yzxx where sjyz='0'"), 3);

    auto mine = list(OrderKind::LongTerm, nurse_);
    ASSERT_EQ(mine->grid().rows(), 3);
    mine->select(1);
    EXPECT_EQ(mine->execute(), M::Outcome::Done);
    EXPECT_EQ(mine->grid().text(2, M::LNurse), QString());
    EXPECT_EQ(mine->selectedRow(), 2);
    auto doctor = list(OrderKind::LongTerm, user_);
    doctor->select(1);
    EXPECT_EQ(doctor->stop(), M::Outcome::Done);
    EXPECT_EQ(doctor->grid().text(2, M::LStopDoctor), QString());
    doctor->select(2);
    EXPECT_EQ(doctor->voidOrder(), M::Outcome::Done);
    EXPECT_EQ(doctor->grid().cellFontStyle(1, M::LContent) & ui::StrikeOut, 0);

    // The other patient's orphan is untouched, and can still be deleted on its own.
    const QString where = QStringLiteral("zyid='%1'").arg(other);
    EXPECT_EQ(column("hsxm1", where) + column("ysxm2", where) + column("yzzt", where), QStringLiteral("OK"));
    auto theirs = list(OrderKind::LongTerm, user_, other);
    theirs->select(1);
    EXPECT_EQ(theirs->remove(), M::Outcome::Done);
    EXPECT_EQ(count(QStringLiteral("select count(*) from zyb_yzxx where zyid='%1'").arg(serial_)), 2);
}

TEST_F(LifecycleTest, VoidStrikesTheGroupThroughAndDeleteRefusesExecutedOrders) {
    saveLongTerm(serial_);
    auto nurse = list(OrderKind::LongTerm, nurse_);
    nurse->select(2);
    nurse->execute();
    auto doctor = list(OrderKind::LongTerm, user_);
    doctor->select(3);
    EXPECT_EQ(doctor->remove(), M::Outcome::Refused);
    EXPECT_EQ(ui_.lastText(), kExecutedCannotDelete);
    EXPECT_EQ(doctor->voidOrder(), M::Outcome::Done);  // executed orders can be voided
    for (int r : {2, 3}) {
        EXPECT_TRUE(doctor->grid().cellFontStyle(r, M::LContent) & ui::StrikeOut);
        EXPECT_EQ(doctor->grid().cellForeColor(r, M::LStopNurse), kVoidedGrey);
        EXPECT_EQ(doctor->grid().cellForeColor(r, 0), -1);
    }
    EXPECT_EQ(column("yzzt", "yzzt='Del' and yyjs=0"), QStringLiteral("Del|Del"));
    // A voided line is neither executed nor voided again.
    EXPECT_EQ(doctor->voidOrder(), M::Outcome::Refused);
    EXPECT_EQ(ui_.lastText(), kOrderVoided);
    doctor->reload();
    EXPECT_TRUE(doctor->isVoidedRow(2));
    EXPECT_TRUE(doctor->grid().cellFontStyle(2, M::LDate) & ui::StrikeOut);

    auto empty = std::make_unique<M>(files(), user_, ui_, OrderKind::LongTerm);
    empty->load(serial_);
    EXPECT_EQ(empty->voidOrder(), M::Outcome::Refused);  // nothing selected
    EXPECT_EQ(ui_.lastText(), kChooseOrderToVoid);

    doctor->select(1);
    EXPECT_EQ(doctor->remove(), M::Outcome::Done);
    EXPECT_EQ(count("select count(*) from zyb_yzxx"), 3);
}

TEST_F(LifecycleTest, TemporaryExecutionStampsTheTimeAndEndsTheOrder) {
    save(serial_, OrderKind::Temporary,
         {line(kNewGroup, QStringLiteral("0.9%氯化钠注射液"), "1"), line(kInGroup, QStringLiteral("注射用头孢曲松钠"), "2")});
    auto nurse = list(OrderKind::Temporary, nurse_);
    nurse->select(2);
    Clock::set([] { return QDateTime(QDate(2016, 5, 10), QTime(14, 30, 9)); });
    EXPECT_EQ(nurse->execute(), M::Outcome::Done);
    for (int r : {1, 2}) {
        EXPECT_EQ(nurse->grid().text(r, M::TExecuted), QStringLiteral("2016-05-10 14:30"));
        EXPECT_EQ(nurse->grid().text(r, M::TNurse), QStringLiteral("赵护士"));
    }
    EXPECT_EQ(column("CAST(dysj AS TEXT)", "yyjs=0"), QStringLiteral("2016-05-10 14:30:09|2016-05-10 14:30:09"));
    EXPECT_EQ(nurse->execute(), M::Outcome::Refused);
}

TEST_F(LifecycleTest, SkinTestResultReplacesTheStoredPlaceholder) {
    orders::EntryLine test = line(kSingle, skinTestContent(QStringLiteral("注射用青霉素钠"), QStringLiteral("青霉素皮试")), "5");
    save(serial_, OrderKind::Temporary, {test, line(kSingle, QStringLiteral("阿莫西林胶囊"), "3")});
    auto nurse = list(OrderKind::Temporary, nurse_);
    nurse->select(2);
    EXPECT_EQ(nurse->recordSkinTest(true), M::Outcome::Refused);
    EXPECT_EQ(ui_.lastText(), kNotSkinTest);
    nurse->select(1);
    EXPECT_EQ(nurse->recordSkinTest(true), M::Outcome::Done);
    EXPECT_EQ(nurse->grid().text(1, M::TContent), QStringLiteral("注射用青霉素钠青霉素皮试 (+)"));
    EXPECT_EQ(nurse->grid().text(1, M::TNurse), QStringLiteral("赵护士"));
    // A second result corrects the first instead of being appended to it.
    EXPECT_EQ(nurse->recordSkinTest(false), M::Outcome::Done);
    EXPECT_EQ(column("xmmc", "sid=1"), QStringLiteral("注射用青霉素钠青霉素皮试 (-)"));
    EXPECT_EQ(column("yyjs", "sid=1"), QStringLiteral("0"));
    EXPECT_EQ(column("hsxm1", "sid=2"), QString());

    // A content without the placeholder gets the result appended, no character cut.
    save(serial_, OrderKind::Temporary, {line(kSingle, QStringLiteral("皮试过敏原"), QString())});
    nurse->reload();
    nurse->select(3);
    EXPECT_EQ(nurse->recordSkinTest(true), M::Outcome::Done);
    EXPECT_EQ(column("xmmc", "sid=3"), QStringLiteral("皮试过敏原 (+)"));
}

TEST_F(LifecycleTest, ReorganisationCopiesRunningOrdersBelowItsMarkerInOneGeneration) {
    saveLongTerm(serial_);
    auto nurse = list(OrderKind::LongTerm, nurse_);
    nurse->select(2);
    nurse->execute();  // the group is executed, the nursing order and the capsule are not
    auto doctor = list(OrderKind::LongTerm, user_);
    doctor->select(4);
    doctor->stop();  // the capsule is stopped before
    save(serial_, OrderKind::LongTerm, {line(kSingle, QStringLiteral("低盐饮食"), QString())});
    doctor->reload();
    doctor->select(5);
    doctor->voidOrder();  // voided and still without a stop
    const qint64 counterBefore = counterValue();

    EXPECT_EQ(doctor->reorganise(), M::Outcome::Nothing);  // the question went unanswered
    EXPECT_EQ(count("select count(*) from zyb_yzxx"), 5);
    ui_.answerMessageDialog(1);
    Clock::set([] { return QDateTime(QDate(2016, 5, 20), QTime(10, 0, 0)); });
    ASSERT_EQ(doctor->reorganise(), M::Outcome::Done);
    EXPECT_EQ(ui_.lastText(), kReorganiseQuestion);

    const store::Rows rows = orders();
    ASSERT_EQ(rows.size(), 9);  // 5, the marker, copies of nursing and the group
    const store::Row marker = rows[5];
    EXPECT_EQ(marker.text("xmmc"), kReorganiseMarker);
    EXPECT_EQ(marker.text("yzzt"), QStringLiteral("OK"));
    EXPECT_GT(marker.text("yzid").toLongLong(), counterBefore);  // a number of its own
    EXPECT_EQ(marker.text("cwbh"), QStringLiteral("1"));
    EXPECT_EQ(column("xmmc", "sid>6"), QStringLiteral("Ⅱ级护理|0.9%氯化钠注射液|注射用头孢曲松钠"));
    EXPECT_EQ(column("yzid", "sid>6"), column("yzid", "sid in (1,2,3)"));
    EXPECT_EQ(column("sjyz", "sid>6"), column("sjyz", "sid in (1,2,3)"));
    EXPECT_EQ(column("hsxm1", "sid>6"), QStringLiteral("|赵护士|赵护士"));
    EXPECT_EQ(column("ysxm1", "sid>6"), QStringLiteral("李医生|李医生|李医生"));
    EXPECT_EQ(column("CAST(yzsj AS TEXT)", "sid=7"), QStringLiteral("2016-05-20 10:00:00"));
    EXPECT_EQ(count("select count(*) from zyb_yzxx where sid>6 and tzsj is null"), 3);
    EXPECT_EQ(column("CAST(tzsj AS TEXT)", "sid in (1,2,3)"),
              QStringLiteral("2016-05-20 10:00:00|2016-05-20 10:00:00|2016-05-20 10:00:00"));
    EXPECT_EQ(column("tzsj", "sid=5"), QString());  // the voided order is neither copied nor stopped

    // The list: old orders stopped, the marker centred, the copies running below it.
    ASSERT_EQ(doctor->grid().rows(), 10);
    EXPECT_TRUE(doctor->isMarkerRow(6));
    EXPECT_EQ(doctor->grid().cellAlignment(6, M::LContent), Qt::AlignCenter);
    EXPECT_EQ(doctor->grid().text(8, M::LStopDate), QString());

    // Stopping a copy leaves its stopped original as the reorganisation left it; deleting
    // the nursing copy deletes neither the original nor the marker.
    Clock::set([] { return QDateTime(QDate(2016, 5, 25), QTime(9, 0, 0)); });
    doctor->select(8);
    ASSERT_EQ(doctor->stop(), M::Outcome::Done);
    EXPECT_EQ(column("CAST(tzsj AS TEXT)", "sid in (2,3)"), QStringLiteral("2016-05-20 10:00:00|2016-05-20 10:00:00"));
    EXPECT_EQ(column("CAST(tzsj AS TEXT)", "sid in (8,9)"), QStringLiteral("2016-05-25 09:00:00|2016-05-25 09:00:00"));
    EXPECT_EQ(doctor->grid().text(2, M::LStopDate), QStringLiteral("2016-05-20"));
    doctor->select(7);
    ASSERT_EQ(doctor->remove(), M::Outcome::Done);
    EXPECT_EQ(column("xmmc", "sid<=6"), QStringLiteral("Ⅱ级护理|0.9%氯化钠注射液|注射用头孢曲松钠|阿莫西林胶囊|低盐饮食|重整医嘱"));

    // A marker row is not an order: stop, void, delete and execute leave it alone.
    doctor->select(6);
    for (auto op : {&M::stop, &M::voidOrder, &M::remove, &M::execute}) EXPECT_EQ(((*doctor).*op)(), M::Outcome::Nothing);

    // A second reorganisation copies nothing of the first marker, and nothing with nothing running.
    ui_.answerMessageDialog(1);
    ASSERT_EQ(doctor->reorganise(), M::Outcome::Done);
    EXPECT_EQ(count("select count(*) from zyb_yzxx where xmmc='重整医嘱'"), 2);
    EXPECT_EQ(count("select count(*) from zyb_yzxx where sid>9"), 1);
    EXPECT_EQ(count("select count(*) from zyb_yzxx where xmmc='重整医嘱' and tzsj is not null"), 0);
}

TEST_F(LifecycleTest, AFailedReorganisationLeavesNoMarkerAndNoCopies) {
    saveLongTerm(serial_);
    failInsert(QStringLiteral("zyb_yzxx"), QStringLiteral("NEW.yzsj is not null"));  // the copies
    auto doctor = list(OrderKind::LongTerm, user_);
    ui_.answerMessageDialog(1);
    EXPECT_EQ(doctor->reorganise(), M::Outcome::Failed);
    EXPECT_EQ(ui_.lastText(), kOperationFailed);
    EXPECT_EQ(count("select count(*) from zyb_yzxx"), 4);
    EXPECT_EQ(count("select count(*) from zyb_yzxx where tzsj is not null"), 0);
}

TEST_F(LifecycleTest, HerbalExecutionReachesEveryHerbAndTheHeader) {
    ui::ScriptedUserInterface quiet;
    QVector<HerbLine> herbs = {{QStringLiteral("黄芪"), {}, "30", "g", "7", "0.06", {}, "7", {}},
                               {QStringLiteral("当归"), {}, "10", "g", "7", "0.12", {}, "8", {}},
                               {QStringLiteral("黄芪"), QStringLiteral("先煎"), "5", "g", "7", "0.06", {}, "7", {}}};
    ASSERT_TRUE(OrderSave(files(), user_, quiet).saveHerbal(serial_, QStringLiteral("水煎服，每日一剂"), herbs).saved());
    auto nurse = list(OrderKind::Herbal, nurse_);
    ASSERT_EQ(nurse->grid().rows(), 4);  // two herbs a line, then "上方"
    EXPECT_TRUE(nurse->grid().text(3, M::HContent).startsWith(QStringLiteral("    上方 7 付")));
    nurse->select(1);
    EXPECT_EQ(nurse->execute(), M::Outcome::Done);
    for (int r : {1, 2, 3}) EXPECT_EQ(nurse->grid().text(r, M::HNurse), QStringLiteral("赵护士"));
    EXPECT_EQ(count("select count(*) from zyb_yzxx where hsxm1='赵护士' and yyjs=0 and dysj is not null"), 4);
    EXPECT_EQ(nurse->execute(), M::Outcome::Refused);

    // After discharge the list reads the herbs moved to the archive and those entered here.
    exec(QStringLiteral("insert into zyb_yzxx_cy (zyid, yzid, yzlb, sjyz, xmmc, xmsl, xmdw) values ('%1', '901', "
                        "'处方用药', '900', '甘草 ', 6, 'g'), ('%1', '900', '处方用药', 'CYCF1', '草药处方单', 3, '')")
             .arg(serial_));
    auto archived = std::make_unique<M>(files(), nurse_, ui_, OrderKind::Herbal);
    archived->load(serial_, true);
    ASSERT_EQ(archived->grid().rows(), 6);
    EXPECT_EQ(archived->grid().text(1, M::HContent), QStringLiteral("  甘草  6g"));
    archived->select(1);
    EXPECT_EQ(archived->execute(), M::Outcome::Nothing);
}

TEST_F(LifecycleTest, PostOperativeStartStopsRunningOrdersAndOpensABatchWithItsMarker) {
    saveLongTerm(serial_);
    auto doctor = list(OrderKind::LongTerm, user_);
    doctor->select(4);
    doctor->stop();
    ui::DataGrid grid;
    WesternEntry entry(grid, user_.userName);
    entry.reset();
    OrderLifecycle lifecycle(files(), user_.userName, user_.department);
    EXPECT_FALSE(startPostOperative(lifecycle, serial_, entry, ui_));  // cancelled
    EXPECT_EQ(ui_.lastText(), kPostOperativeQuestion);
    EXPECT_EQ(count("select count(*) from zyb_yzxx where tzsj is null"), 3);

    entry.takeText(entry.addRow(), QStringLiteral("未保存的医嘱"));
    ui_.answerMessageDialog(1);
    Clock::set([] { return QDateTime(QDate(2016, 5, 15), QTime(16, 0, 0)); });
    ASSERT_TRUE(startPostOperative(lifecycle, serial_, entry, ui_));
    EXPECT_EQ(ui_.lastText(), kPostOperativeDiscardQuestion);
    EXPECT_EQ(count("select count(*) from zyb_yzxx where tzsj is null"), 0);
    EXPECT_EQ(count("select count(*) from zyb_yzxx where tzsj='2016-05-15 16:00:00'"), 3);
    ASSERT_EQ(grid.rows(), 2);
    EXPECT_EQ(grid.text(1, WesternEntry::Content), kPostOperativeMarker);

    entry.takeText(entry.addRow(), QStringLiteral("禁食"));
    OrderSave saver(files(), user_, ui_);
    ASSERT_TRUE(entry.save(saver, serial_, OrderKind::LongTerm, ui_).saved());
    doctor->reload();
    ASSERT_EQ(doctor->grid().rows(), 7);
    EXPECT_TRUE(doctor->isMarkerRow(5));
    // The marker is not stopped by the next post-operative start, nor executed by a nurse.
    ui_.answerMessageDialog(1);
    ASSERT_TRUE(startPostOperative(lifecycle, serial_, entry, ui_));
    EXPECT_EQ(column("tzsj", "xmmc='术后医嘱'"), QString());
    auto nurse = list(OrderKind::LongTerm, nurse_);
    nurse->select(5);
    EXPECT_EQ(nurse->execute(), M::Outcome::Nothing);
}

}  // namespace
