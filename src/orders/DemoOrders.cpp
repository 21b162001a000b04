#include "orders/DemoOrders.h"

#include <functional>
#include <random>

#include "common/Clock.h"
#include "orders/OrderListModel.h"
#include "orders/OrderSave.h"
#include "orders/TypedEntry.h"
#include "shell/UserContext.h"
#include "store/Connection.h"
#include "interaction/ScriptedUserInterface.h"

namespace qh::orders {
namespace {

struct Patient {
    QString serial, department, doctor;
    QDateTime admitted;
};

// The item of that name that can be ordered (the first of its name), as text for a line.
QString itemId(store::Connection& db, const QString& name) {
    return db.query(QStringLiteral("select xmid from view_yzky where xmmc=? order by xmid"), {name}).first().text(
        QStringLiteral("xmid"));
}

// A nurse of the department (级别 护师), or the doctor when the department has none.
QString nurseOf(store::Connection& db, const QString& department, const QString& fallback) {
    const QString nurse =
        db.query(QStringLiteral("select 用户 from 用户 where 科室=? and 级别='护师' order by 编号"), {department})
            .first()
            .text(QStringLiteral("用户"));
    return nurse.isEmpty() ? fallback : nurse;
}

// Executes every group of the list still waiting for a nurse, as Enter pressed down the list.
int executeAll(OrderListModel& list, const std::function<bool(int row)>& skip = {}) {
    int done = 0;
    for (int r = list.nextWaitingRow(0); r > 0; r = list.nextWaitingRow(r)) {
        if (skip && skip(r)) continue;
        list.select(r);
        if (list.execute() == OrderListModel::Outcome::Done) ++done;
    }
    return done;
}

// The ward's work on one patient's orders, `ordered` being when they were written.
bool workOrders(const store::DataDirectory& files, const Patient& patient, const QString& nurseName, int p,
                const QDateTime& ordered, const QDateTime& realNow, DemoOrdersResult* result) {
    auto at = [&](qint64 minutes) {
        const QDateTime t = ordered.addSecs(minutes * 60);
        Clock::set([t, realNow] { return qMin(t, realNow); });
    };
    shell::UserContext doctor, nurse;
    doctor.userName = patient.doctor;
    doctor.department = nurse.department = patient.department;
    nurse.userName = nurseName;
    ui::ScriptedUserInterface quiet;
    const auto row = [](OrderListModel& list, const QString& text) {
        for (int r = 1; r < list.grid().rows(); ++r)
            if (list.grid().text(r, OrderListModel::LContent).contains(text)) return r;
        return 0;
    };

    at(40);
    OrderListModel longTerm(files, nurse, quiet, OrderKind::LongTerm);
    longTerm.load(patient.serial);
    result->executed += executeAll(longTerm);
    OrderListModel temporary(files, nurse, quiet, OrderKind::Temporary);
    temporary.load(patient.serial);
    // The skin test is read twenty minutes after it is given.
    result->executed += executeAll(temporary, [&](int r) { return isSkinTestItem(temporary.grid().text(r, 4)); });
    if (const int r = row(temporary, QStringLiteral("皮试"))) {
        at(60);
        temporary.select(r);
        if (temporary.recordSkinTest(p % 4 == 3) == OrderListModel::Outcome::Done) ++result->skinTests;
    }
    OrderListModel herbal(files, nurse, quiet, OrderKind::Herbal);
    herbal.load(patient.serial);
    result->executed += executeAll(herbal);

    OrderListModel ordering(files, doctor, quiet, OrderKind::LongTerm);
    if (p % 3 == 1) {
        // The tablet is stopped two days later; the nurse confirms it for every other one.
        at(2 * 24 * 60);
        ordering.load(patient.serial);
        if (const int r = ordering.grid().rows() - 1; r > 0) {
            ordering.select(r);
            if (ordering.stop() == OrderListModel::Outcome::Done) ++result->stopped;
        }
        if (p % 2 == 0) {
            at(2 * 24 * 60 + 30);
            longTerm.reload();
            result->executed += executeAll(longTerm);
        }
    }
    if (p % 5 == 2) {
        // A test ordered twice by mistake is voided.
        OrderListModel tests(files, doctor, quiet, OrderKind::Temporary);
        at(90);
        tests.load(patient.serial);
        if (const int r = row(tests, QStringLiteral("电解质"))) {
            tests.select(r);
            if (tests.voidOrder() == OrderListModel::Outcome::Done) ++result->voided;
        }
    }
    if (p % 7 == 0 && ordered.daysTo(realNow) >= 7) {
        // A week on, the long-term orders are reorganised.
        at(7 * 24 * 60);
        ordering.load(patient.serial);
        quiet.answerMessageDialog(1);
        if (ordering.reorganise() != OrderListModel::Outcome::Done) return false;
        ++result->reorganised;
    }
    return true;
}

}  // namespace

DemoOrdersResult populateDemoOrders(const store::DataDirectory& files, unsigned seed) {
    DemoOrdersResult result;
    std::mt19937 dice(seed);
    auto roll = [&dice](int n) { return int(dice() % unsigned(n)); };

    const QDateTime realNow = Clock::now();
    const ClockOverride keep;
    QVector<Patient> patients;
    QHash<QString, QString> ids;
    QHash<QString, QString> nurses;  // by department
    {
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        if (!db.isOpen()) {
            result.message = db.lastError();
            return result;
        }
        for (const store::Row& row : db.query(QStringLiteral(
                 "select 住院编号, 科室, 主管医生, 入院日期 from 在院病人 where 状态='在院' order by 编号")))
            patients.append({row.text(QStringLiteral("住院编号")), row.text(QStringLiteral("科室")),
                             row.text(QStringLiteral("主管医生")), row.dateTime(QStringLiteral("入院日期"))});
        for (const Patient& patient : patients)
            if (!nurses.contains(patient.department))
                nurses[patient.department] = nurseOf(db, patient.department, patient.doctor);
        for (const char* name :
             {"Ⅱ级护理", "Ⅰ级护理", "0.9%氯化钠注射液", "5%葡萄糖注射液", "注射用头孢曲松钠", "注射用泮托拉唑钠",
              "盐酸氨溴索注射液", "厄贝沙坦片", "阿托伐他汀钙片", "酒石酸美托洛尔片", "血细胞分析(五分类)", "肝功能",
              "电解质", "胸部正位片(DR)", "青霉素皮试", "注射用青霉素钠", "黄芪", "当归", "茯苓", "甘草", "柴胡",
              "桂枝", "大枣", "麦冬"})
            ids[QString::fromUtf8(name)] = itemId(db, QString::fromUtf8(name));
    }
    auto id = [&ids](const char* name) { return ids.value(QString::fromUtf8(name)); };
    auto t = [](const char* s) { return QString::fromUtf8(s); };

    ui::ScriptedUserInterface quiet;
    ItemLookup lookup(files);
    for (int p = 0; p < patients.size(); ++p) {
        const Patient& patient = patients[p];
        shell::UserContext doctor;
        doctor.userName = patient.doctor;
        doctor.department = patient.department;
        OrderSave saver(files, doctor, quiet);
        TypedEntry typing(lookup, quiet);
        // Orders are written on the day of admission, at a morning hour.
        const QDate day = patient.admitted.isValid() ? patient.admitted.date() : Clock::now().date();
        const QString at = day.toString(QStringLiteral("yyyy-MM-dd"));
        const QDateTime ordered(day, QTime(9 + p % 3, (10 + p) % 60, 0));
        Clock::set([ordered] { return ordered; });

        // Long-term: nursing, diet, an infusion group, one or two tablets.
        QVector<TypedLine> longTerm = {
            {kSingle, id(p % 4 == 0 ? "Ⅰ级护理" : "Ⅱ级护理"), {}, t("1"), {}, {}, {}, {}, at},
            {kSingle, {}, p % 2 ? t("低盐低脂饮食") : t("普食"), {}, {}, {}, {}, {}, at},
            {kNewGroup, id(p % 3 ? "0.9%氯化钠注射液" : "5%葡萄糖注射液"), {}, t("1"), {}, t("250"), t("静脉滴注"),
             p % 2 ? t("bid") : t("qd"), at},
            {kInGroup, id(p % 2 ? "注射用头孢曲松钠" : "注射用泮托拉唑钠"), {}, t("1"), {}, p % 2 ? t("2") : t("40"), {},
             {}, at},
        };
        if (p % 3 == 1) longTerm.append({kInGroup, id("盐酸氨溴索注射液"), {}, t("2"), {}, t("30"), {}, {}, at});
        const char* tablets[] = {"厄贝沙坦片", "阿托伐他汀钙片", "酒石酸美托洛尔片"};
        longTerm.append({kSingle, id(tablets[roll(3)]), {}, t("1"), {}, {}, t("口服"), t("qd"), at});
        // Temporary: tests, an x-ray, a skin test for every other patient.
        QVector<TypedLine> temporary = {
            {kSingle, id("血细胞分析(五分类)"), {}, t("1"), {}, {}, {}, {}, at},
            {kSingle, id("肝功能"), {}, t("1"), {}, {}, {}, {}, at},
            {kSingle, id("电解质"), {}, t("1"), {}, {}, {}, {}, at},
        };
        if (roll(2)) temporary.append({kSingle, id("胸部正位片(DR)"), {}, t("1"), {}, {}, {}, {}, at});
        if (p % 2 == 1) temporary.append({kSingle, id("青霉素皮试"), t("注射用青霉素钠"), t("1"), {}, {}, {}, {}, at});

        for (auto [kind, lines] : {std::pair{OrderKind::LongTerm, longTerm}, std::pair{OrderKind::Temporary, temporary}}) {
            ui::DataGrid grid;
            WesternEntry entry(grid, patient.doctor);
            entry.reset();
            QString error;
            for (const TypedLine& line : lines) {
                if (!typing.type(entry, line, &error)) {
                    keep.restore();
                    result.message = error;
                    return result;
                }
            }
            const SaveResult saved = entry.save(saver, patient.serial, kind, quiet);
            if (!saved.saved()) {
                keep.restore();
                result.message = saved.reason;
                return result;
            }
            result.lines += saved.stored;
        }
        // A herbal prescription for every third patient.
        if (p % 3 == 0) {
            ui::DataGrid grid;
            HerbalEntry entry(grid, patient.doctor);
            entry.reset();
            const QVector<TypedHerb> herbs = {
                {id("黄芪"), {}, t("30")}, {id("当归"), {}, t("10")}, {id("茯苓"), {}, t("15")},
                {id("柴胡"), {}, t("10")}, {id("桂枝"), t("后下"), t("6")}, {id("甘草"), {}, t("6")},
                {id("大枣"), {}, t("10")},
            };
            QString error;
            for (const TypedHerb& h : herbs) {
                if (!typing.type(entry, h, QStringLiteral("7"), &error)) {
                    keep.restore();
                    result.message = error;
                    return result;
                }
            }
            const SaveResult saved = entry.save(saver, patient.serial, t("水煎服，每日一剂，早晚分服"));
            if (!saved.saved()) {
                keep.restore();
                result.message = saved.reason;
                return result;
            }
            result.lines += saved.stored;
            ++result.prescriptions;
        }
        if (!workOrders(files, patient, nurses.value(patient.department), p, ordered, realNow, &result)) {
            keep.restore();
            result.message = QStringLiteral("重整医嘱失败");
            return result;
        }
        ++result.patients;
    }
    keep.restore();
    result.ok = true;
    return result;
}

}  // namespace qh::orders
