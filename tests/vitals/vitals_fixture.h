#pragma once
// A ward with one patient admitted on 2016-2-1 at 9:30, a nurse with the chart right and the
// clock at 2016-2-4 9:07; helpers read 体温单 back.
#include "common/Clock.h"
#include "interaction/ScriptedUserInterface.h"
#include "shell/PatientContext.h"
#include "shell/UserContext.h"
#include "shell/ward_fixture.h"
#include "store/Connection.h"
#include "vitals/VitalSigns.h"

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace qh::test {

class VitalsFixture : public WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        if (HasFatalFailure()) return;
        user_.userName = QStringLiteral("赵丽");
        user_.HZTW = true;
        patient_.name = QStringLiteral("王建国");
        patient_.serialNumber = QStringLiteral("1001");
        patient_.admissionDate = QStringLiteral("2016年2月1日9时30分");
        patient_.admissionNumber = QStringLiteral("20160001");
        patient_.sex = QStringLiteral("男");
        patient_.age = QStringLiteral("56岁");
        patient_.wardRoom = QStringLiteral("3");
        setNow(QDateTime(QDate(2016, 2, 4), QTime(9, 7)));
        vitals_ = std::make_unique<vitals::VitalSigns>(files(), user_, ui_);
        vitals_->setPatient(patient_);
    }
    void TearDown() override {
        Clock::set({});
        WardFixture::TearDown();
    }
    static void setNow(const QDateTime& at) {
        Clock::set([at] { return at; });
    }

    // A stored row, the columns asked for joined by "|", by date and slot.
    QString stored(const QString& date, const QString& slot, const QString& columns) {
        store::Connection db = store::Connection::open(files(), store::DbFile::Main);
        const store::Row row = db.query(QStringLiteral("select %1 from 体温单 where 检索='1001' and 日期=? and 时刻=?")
                                            .arg(wrapped(columns)),
                                        {date, slot})
                                   .first();
        return row.isValid() ? row.value(0).toText() : QStringLiteral("<none>");
    }
    static QString wrapped(const QString& columns) {
        QStringList parts;
        for (const QString& c : columns.split(QLatin1Char(',')))
            parts << QStringLiteral("ifnull(CAST(%1 AS TEXT),'')").arg(c.trimmed());
        return parts.join(QStringLiteral("||'|'||"));
    }
    qint64 rowCount() {
        store::Connection db = store::Connection::open(files(), store::DbFile::Main);
        return db.query(QStringLiteral("select count(*) from 体温单")).first().value(0).toInt();
    }
    // Inserts a row as another workstation might have left it.
    void insertRow(const QString& columns, const QStringList& values) {
        QStringList quoted;
        for (const QString& v : values) quoted << q(v);
        exec(QStringLiteral("insert into 体温单 (检索, %1) values ('1001', %2)").arg(columns, quoted.join(',')));
    }

    // Fills the one temperature row.
    void enterTemperature(const QString& date, const QString& slot, const QString& t, const QString& pulse = {},
                          const QString& resp = {}) {
        ASSERT_TRUE(vitals_->addTemperature());
        ui::DataGrid& g = vitals_->temperatures();
        g.setText(1, vitals::VitalSigns::TDate, date);
        g.setText(1, vitals::VitalSigns::TSlot, slot);
        g.setText(1, vitals::VitalSigns::TTemp, t);
        g.setText(1, vitals::VitalSigns::TPulse, pulse);
        g.setText(1, vitals::VitalSigns::TResp, resp);
    }
    void enterEvent(const QString& date, const QString& slot, const QString& event, const QString& time = {}) {
        ASSERT_TRUE(vitals_->addEvent());
        ui::DataGrid& g = vitals_->events();
        const int r = g.rows() - 1;
        g.setText(r, vitals::VitalSigns::VDate, date);
        g.setText(r, vitals::VitalSigns::VSlot, slot);
        g.setText(r, vitals::VitalSigns::VEvent, event);
        g.setText(r, vitals::VitalSigns::VTime, time);
    }
    void enterItem(const QString& date, const QString& slot, const QString& item, const QString& value) {
        ASSERT_TRUE(vitals_->addOther());
        ui::DataGrid& g = vitals_->others();
        const int r = g.rows() - 1;
        g.setText(r, vitals::VitalSigns::EDate, date);
        g.setText(r, vitals::VitalSigns::ESlot, slot);
        g.setText(r, vitals::VitalSigns::EItem, item);
        g.setText(r, vitals::VitalSigns::EValue, value);
    }

    shell::UserContext user_;
    shell::PatientContext patient_;
    ui::ScriptedUserInterface ui_;
    std::unique_ptr<vitals::VitalSigns> vitals_;
};

}  // namespace qh::test
