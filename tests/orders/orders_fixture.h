#pragma once
// A ward with one in-ward patient, a doctor, a small catalogue (infusions, a capsule,
// nursing, a skin test, two herbs) and the route and frequency lists; helpers to read
// back the order rows.
#include "common/Clock.h"
#include "orders/OrderSave.h"
#include "shell/UserContext.h"
#include "shell/ward_fixture.h"
#include "store/Connection.h"
#include "interaction/ScriptedUserInterface.h"

namespace qh::test {

class OrdersFixture : public WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        if (HasFatalFailure()) return;
        addDepartment(QStringLiteral("内科"), QStringLiteral("√"));
        addUser(QStringLiteral("李医生"), QStringLiteral("内科"), QStringLiteral("1"));
        patientId_ = addPatient({QStringLiteral("王小明")});
        serial_ = serialOf(patientId_);
        exec(QStringLiteral(
            "insert into adm_xmlb (xmlb, xmmc) values ('XMLB001', '西药费'), ('XMLB003', '中草药费'), "
            "('XMLB008', '治疗费'), ('XMLB010', '护理费'), ('XMLB011', '卫生材料费')"));
        exec(QStringLiteral(
            "insert into ddt_costitems (xmid, xmmc, xmsy, xmlb, xmdw, xmdj, jldw, jldj, xmgg, ypjx, yzjl, yzdw, ps, xmzt) "
            "values (1, '0.9%氯化钠注射液', 'LHNZSY', 'XMLB001', '袋', 3.5, '袋', 3.5, '250ml/袋', '大容量注射剂', '250', "
            "'ml', '', 'OK'), "
            "(2, '注射用头孢曲松钠', 'ZSYTBQSN', 'XMLB001', '支', 8, '支', 8, '1g/支', '粉针剂', '1', 'g', '', 'OK'), "
            "(3, '阿莫西林胶囊', 'AMXLJN', 'XMLB001', '盒', 6.8, '粒', 0.2833, '0.25g×24粒', '胶囊剂', '0.25', 'g', "
            "'1', 'OK'), "
            "(4, 'Ⅱ级护理', 'JHL', 'XMLB010', '日', 18, '日', 18, '', '', '', '', '', 'OK'), "
            "(5, '青霉素皮试', 'QMSPS', 'XMLB008', '次', 2, '次', 2, '', '', '', '', '', 'OK'), "
            "(6, '注射用青霉素钠', 'ZSYQMSN', 'XMLB001', '支', 0.6, '支', 0.6, '80万U', '粉针剂', '80', '万U', '1', "
            "'OK'), "
            "(7, '黄芪', 'HQ', 'XMLB003', 'kg', 60, 'g', 0.06, '', '饮片', '1', 'g', '', 'OK'), "
            "(8, '当归', 'DG', 'XMLB003', 'kg', 120, 'g', 0.12, '', '饮片', '1', 'g', '', 'OK'), "
            "(9, '停用的药', 'TYDY', 'XMLB001', '支', 1, '支', 1, '', '', '', '', '', 'Del'), "
            "(10, '一次性使用输液器', 'YCXSYSYQ', 'XMLB011', '套', 1.5, '套', 1.5, '', '', '', '', '', 'OK')"));
        exec(QStringLiteral(
            "insert into xmzdb (参数名称, 参数值, 备注, 说明, 数量) values ('静脉滴注', 1, '医嘱用法', 'ivgtt', NULL), "
            "('口服', 2, '医嘱用法', 'po', NULL), ('qd', 1, '医嘱频次', '每日一次', 1), "
            "('bid', 2, '医嘱频次', '每日两次', 2), ('prn', 3, '医嘱频次', '必要时', NULL), "
            "('水煎服，每日一剂', 1, '中药用法', NULL, NULL)"));
        user_.userName = QStringLiteral("李医生");
        user_.department = QStringLiteral("内科");
        user_.grantAll();
        Clock::set([] { return QDateTime(QDate(2016, 5, 10), QTime(9, 7, 2)); });
    }
    void TearDown() override {
        Clock::set({});
        WardFixture::TearDown();
    }

    store::Rows orders(const QString& where = QStringLiteral("1=1")) {
        return store::Connection::open(files(), store::DbFile::Main)
            .query(QStringLiteral("select *, CAST(yzsj AS TEXT) as yzsj_text, CAST(czsj AS TEXT) as czsj_text, "
                                  "CAST(tzsj AS TEXT) as tzsj_text from zyb_yzxx where ") +
                   where + QStringLiteral(" order by sid"));
    }
    qint64 counterValue() { return count(QStringLiteral("select max(sid) from adm_sid")); }
    // Makes every insert into the table whose xmmc (or, without a column, any insert) fail.
    void failInsert(const QString& table, const QString& when = QStringLiteral("1")) {
        exec(QStringLiteral("CREATE TRIGGER fail_%1 BEFORE INSERT ON %1 WHEN %2 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                 .arg(table, when));
    }

    // Saves a western batch quietly as the doctor; the batch's base number.
    qint64 saveBatch(orders::OrderKind kind, const QVector<orders::EntryLine>& lines, const QString& serial = {}) {
        ui::ScriptedUserInterface quiet;
        const orders::SaveResult r =
            orders::OrderSave(files(), user_, quiet).saveWestern(serial.isEmpty() ? serial_ : serial, kind, lines);
        EXPECT_TRUE(r.saved()) << r.reason.toStdString();
        return r.base;
    }
    // Nursing, an infusion group of two, and a capsule: rows 1, 2-3, 4 of the long-term list.
    static QVector<orders::EntryLine> nursingGroupAndCapsule() {
        return {line(orders::kSingle, QStringLiteral("Ⅱ级护理"), "4"),
                line(orders::kNewGroup, QStringLiteral("0.9%氯化钠注射液"), "1"),
                line(orders::kInGroup, QStringLiteral("注射用头孢曲松钠"), "2"),
                line(orders::kSingle, QStringLiteral("阿莫西林胶囊"), "3")};
    }
    QString serialOf(qint64 patientId) {
        return value(QStringLiteral("select 住院编号 from 在院病人 where 编号=%1").arg(patientId));
    }

    static orders::EntryLine line(const QString& marker, const QString& content, const QString& xmid = QString()) {
        orders::EntryLine l;
        l.marker = marker;
        l.content = content;
        l.itemId = xmid;
        l.doctor = QStringLiteral("李医生");
        return l;
    }

    qint64 patientId_ = 0;
    QString serial_;
    shell::UserContext user_;
    ui::ScriptedUserInterface ui_;
};

}  // namespace qh::test
