#include "vitals/DemoVitals.h"

#include <QDateTime>
#include <cmath>
#include <random>

#include "common/Clock.h"
#include "common/DateText.h"
#include "common/TimeOfDayText.h"
#include "interaction/ScriptedUserInterface.h"
#include "shell/PatientContext.h"
#include "shell/UserContext.h"
#include "store/Connection.h"
#include "vitals/VitalSigns.h"

namespace qh::vitals {

namespace {

QString S(const char* utf8) { return QString::fromUtf8(utf8); }

class Dice {
public:
    explicit Dice(unsigned seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool chance(int percent) { return between(1, 100) <= percent; }

private:
    std::mt19937 engine_;
};

QString tenths(double v) { return QString::number(std::round(v * 10) / 10, 'f', 1); }

// What happens to one patient: a fever on some days, an operation, a leave, a refusal.
struct Course {
    int feverFrom = 0, feverTo = -1;  // hospital days with fever
    int operationDay = 0;             // 0: none
    int leaveDay = 0;                 // 下4 and 下8 away
    int refusalDay = 0;               // one slot refused
    QString type = S("腋温");
};

class DemoNurse {
public:
    DemoNurse(const store::DataDirectory& files, shell::UserContext& user)
        : files_(files), vitals_(files, user, ui_) {}

    bool record(const shell::PatientContext& patient, const QDateTime& admitted, const QDateTime& now,
                const Course& course, Dice& dice, QString* error) {
        vitals_.setPatient(patient);
        const int days = int(admitted.date().daysTo(now.date())) + 1;
        const double weight = 52 + dice.between(0, 200) / 10.0;  // the patient's, give or take a little
        const int slotHours[] = {4, 8, 12, 16, 20, 24};
        for (int day = 1; day <= days; ++day) {
            const QDate date = admitted.date().addDays(day - 1);
            const bool fever = day >= course.feverFrom && day <= course.feverTo;
            for (int s = 0; s < 6; ++s) {
                const QDateTime at(date, QTime(slotHours[s] % 24, 0));
                const QDateTime when = slotHours[s] == 24 ? at.addDays(1) : at;
                if (when < admitted.addSecs(-3600) || when > now) continue;
                const QString slot = timeSlots()[s];
                if (day == course.leaveDay && (s == 3 || s == 4)) {
                    if (s == 3 && !event(date, slot, S("请假"), S("十五时"), error)) return false;
                    continue;
                }
                if (day == course.refusalDay && s == 1) {
                    if (!event(date, slot, S("拒测"), S("八时"), error)) return false;
                    continue;
                }
                // Fevers peak in the afternoon; the day after the operation runs a little warm.
                double t = 36.3 + 0.1 * dice.between(0, 5) + (s >= 3 ? 0.2 : 0);
                if (fever) t = 37.9 + 0.1 * dice.between(0, 12) + (s >= 3 ? 0.4 : 0);
                if (course.operationDay && day > course.operationDay && day <= course.operationDay + 2)
                    t += 0.6;
                const bool cooled = t >= 38.8 && (s == 3 || s == 4);
                const int pulse = int(72 + (t - 36.5) * 12 + dice.between(-4, 6));
                QString respiration;
                if (s == 1 || s == 3) respiration = QString::number(18 + dice.between(0, 2) + (fever ? 3 : 0));
                if (!temperature(date, slot, course.type, tenths(t), cooled ? tenths(t - 0.8 - 0.1 * dice.between(0, 4)) : QString(),
                                 QString::number(pulse), fever ? QString::number(pulse + dice.between(0, 4)) : QString(),
                                 respiration, error))
                    return false;
            }
            // Once a day at 下4: pressure, intake and output, stools; weight on admission and weekly.
            if (QDateTime(date, QTime(16, 0)) <= now && day != course.leaveDay) {
                QList<std::pair<QString, QString>> items = {
                    {S("血压"), QStringLiteral("%1/%2").arg(118 + dice.between(0, 22)).arg(72 + dice.between(0, 14))},
                    {S("总入量"), QString::number(1800 + 100 * dice.between(0, 8))},
                    {S("小便量"), QString::number(1400 + 100 * dice.between(0, 7))},
                    {S("大便次数"), QString::number(dice.between(0, 2))}};
                if (day % 7 == 1) items.append({S("体重"), tenths(weight - 0.1 * dice.between(0, 8))});
                if (course.operationDay && day > course.operationDay && day <= course.operationDay + 4)
                    items.append({S("引流量"), QString::number(120 - 25 * (day - course.operationDay))});
                if (!otherItems(date, S("下4"), items, error)) return false;
            }
            if (day == 1) {
                const QString slot = dates::defaultTimeSlot(admitted.time().hour());
                if (!event(date, slot, S("入院"), dates::eventTimeText(admitted.time()), error)) return false;
            }
            if (day == course.operationDay && !event(date, S("上12"), S("手术"), S("十时二十分"), error)) return false;
        }
        return true;
    }

private:
    bool failed(QString* error) {
        *error = ui_.lastText();
        return false;
    }
    bool temperature(const QDate& date, const QString& slot, const QString& type, const QString& t,
                     const QString& cooled, const QString& pulse, const QString& heart, const QString& respiration,
                     QString* error) {
        vitals_.addTemperature();
        ui::DataGrid& g = vitals_.temperatures();
        g.setText(1, VitalSigns::TDate, rowDateText(date));
        g.setText(1, VitalSigns::TSlot, slot);
        g.setText(1, VitalSigns::TType, type);
        g.setText(1, VitalSigns::TTemp, t);
        g.setText(1, VitalSigns::TCooled, cooled);
        g.setText(1, VitalSigns::TPulse, pulse);
        g.setText(1, VitalSigns::THeart, heart);
        g.setText(1, VitalSigns::TResp, respiration);
        return vitals_.saveTemperature() || failed(error);
    }
    bool event(const QDate& date, const QString& slot, const QString& what, const QString& time, QString* error) {
        vitals_.listEvents();
        vitals_.addEvent();
        ui::DataGrid& g = vitals_.events();
        const int r = g.rows() - 1;
        g.setText(r, VitalSigns::VDate, rowDateText(date));
        g.setText(r, VitalSigns::VSlot, slot);
        g.setText(r, VitalSigns::VEvent, what);
        g.setText(r, VitalSigns::VTime, time);
        vitals_.eventEdited(r);
        return vitals_.saveEvents() || failed(error);
    }
    bool otherItems(const QDate& date, const QString& slot, const QList<std::pair<QString, QString>>& items,
                    QString* error) {
        vitals_.listOthers();
        for (const auto& [item, value] : items) {
            vitals_.addOther();
            ui::DataGrid& g = vitals_.others();
            const int r = g.rows() - 1;
            g.setText(r, VitalSigns::EDate, rowDateText(date));
            g.setText(r, VitalSigns::ESlot, slot);
            g.setText(r, VitalSigns::EItem, item);
            g.setText(r, VitalSigns::EValue, value);
        }
        return vitals_.saveOthers() || failed(error);
    }

    store::DataDirectory files_;
    ui::ScriptedUserInterface ui_;
    VitalSigns vitals_;
};

}  // namespace

DemoVitalsResult populateDemoVitals(const store::DataDirectory& files, unsigned seed) {
    DemoVitalsResult result;
    const QDateTime now = Clock::now();
    struct Stay {
        shell::PatientContext patient;
        QDateTime admitted;
    };
    QList<Stay> stays;
    {
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        if (!db.isOpen()) {
            result.message = db.lastError();
            return result;
        }
        for (const store::Row& row : db.query(QStringLiteral("select * from 在院病人 where 状态='在院' order by 编号"))) {
            Stay s;
            for (const QString& column : shell::PatientContext::columns()) s.patient.setValue(column, row.text(column));
            s.admitted = dates::parseDateText(s.patient.admissionDate);
            const qint64 days = s.admitted.date().daysTo(now.date());
            if (s.admitted.isValid() && days >= 6 && days <= 20) stays << s;
        }
    }
    std::sort(stays.begin(), stays.end(), [](const Stay& a, const Stay& b) { return a.admitted < b.admitted; });
    stays = stays.mid(0, 4);

    shell::UserContext nurse;
    nurse.userName = S("赵丽");
    nurse.HZTW = true;
    DemoNurse recorder(files, nurse);
    Dice dice(seed);
    for (int i = 0; i < stays.size(); ++i) {
        const int days = int(stays[i].admitted.date().daysTo(now.date())) + 1;
        Course c;
        switch (i) {
        case 0:  // the longest stay: an operation on day 3, a fever after it, a leave in the second week
            c.operationDay = 3;
            c.feverFrom = 4;
            c.feverTo = 5;
            c.leaveDay = std::min(days - 1, 10);
            break;
        case 1:  // a pneumonia: fever from admission, cooled, and one refused slot
            c.feverFrom = 1;
            c.feverTo = 4;
            c.refusalDay = 6;
            c.type = S("口温");
            break;
        case 2:
            c.feverFrom = 2;
            c.feverTo = 3;
            c.type = S("肛温");
            break;
        default:
            break;
        }
        QString error;
        if (!recorder.record(stays[i].patient, stays[i].admitted, now, c, dice, &error)) {
            result.message = stays[i].patient.name + QStringLiteral(": ") + error;
            return result;
        }
        ++result.patients;
    }
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    result.rows = int(db.query(QStringLiteral("select count(*) from 体温单")).first().value(0).toInt());
    result.ok = true;
    return result;
}

}  // namespace qh::vitals
