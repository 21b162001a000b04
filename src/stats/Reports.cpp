#include "stats/Reports.h"

#include <QSet>
#include <algorithm>

#include "common/Clock.h"
#include "store/Connection.h"
#include "store/SqlText.h"

namespace qh::stats {

using store::sqlText;

namespace {

const char* const kNames[kReportCount] = {
    "医生工作量",   "主管病人数",   "医生出院人数", "科室工作量",
    "收诊出院对比", "结账费用",     "平均住院日",   "床位使用率",
    "出院费用",     "科室诊断排名", "各科诊断统计", "各科室在院病人数量比较表",
    "各科室总收入比较表", "全院患者性别构成比较表", "科室患者年龄构成比较表", "患者清单",
};

// The captions after 编号, per report.
const char* const kCaptions[kReportCount] = {
    "科室,医生姓名,在院人数,待结人数,就诊人数",
    "科室,医生姓名,主管人数",
    "科室,医生姓名,出院人数",
    "科室,在院人数,待结人数,就诊人数",
    "科室,收诊人数,出院人数,差值",
    "科室,结账费用",
    "科室,出院人数,平均住院日",
    "科室,科室床位,床位使用率",
    "科室,出院人数,总费用,平均住院费用",
    "诊断,数量,总收入",
    "科室,诊断,数量,总收入",
    "科室,在院人数",
    "科室,总收入",
    "科室,男性,女性",
    "科室,<10岁,10-20岁,20-30岁,30-40岁,40-50岁,50-60岁,≥60岁",
    "状态,患者姓名,性别,年龄,诊断,入院时间,家庭住址,主管医生,科室,出院日期,天数,总费用",
};

// The range's ends as the dialect's date texts. The end day is whole: 日期部分 and 出院日期
// carry the time of day they were written, so the end reads up to its last second.
QString startText(const QDate& d) { return QStringLiteral("%1-%2-%3").arg(d.year()).arg(d.month()).arg(d.day()); }
QString endText(const QDate& d) { return startText(d) + QStringLiteral(" 23:59:59"); }

// A stay's days as its calendar-day difference, at least one.
const QString kStayDays = QStringLiteral("max(datediff('d',入院日期,出院日期), 1)");
// In the ward: never discharged, or discharged and returned (状态 is 在院 again while the
// old 出院日期 stays).
const QString kStillIn = QStringLiteral("(出院日期 is null or 状态='在院')");
// The columns of the patient list, the dates as their stored text (which the list cuts to
// what it shows, rather than as date values made and written again), and its order: 出院,
// 待结, 在院 (any other state last), then by 编号.
const QString kListColumns = QStringLiteral(
    "SELECT 状态,姓名,性别,年龄,诊断,入院日期 || '' AS 入院时间,住址,主管医生,科室,出院日期 || '' AS 出院时间,费用 "
    "FROM 在院病人");
const QString kListOrder =
    QStringLiteral(" order BY IIf(状态='出院',1,IIf(状态='待结',2,IIf(状态='在院',3,4))), 编号");

QString number(qint64 n) { return QString::number(n); }

QStringList distinctTexts(store::Rows rows, const QString& column, QStringList into) {
    QSet<QString> seen(into.begin(), into.end());
    for (const store::Row& r : rows) {
        const QString t = r.text(column).trimmed();
        if (t.isEmpty() || seen.contains(t)) continue;
        seen.insert(t);
        into << t;
    }
    return into;
}

}  // namespace

QString reportName(int n) { return n >= 1 && n <= kReportCount ? QString::fromUtf8(kNames[n - 1]) : QString(); }

QStringList reportNames() {
    QStringList out;
    for (int n = 1; n <= kReportCount; ++n) out << reportName(n);
    return out;
}

QString listFormName(ListForm form) {
    switch (form) {
    case ListForm::OfDoctor: return QStringLiteral("医生的患者");
    case ListForm::OfDepartment: return QStringLiteral("科室的患者");
    case ListForm::DischargedOrPending: return QStringLiteral("科室出院及待结患者");
    case ListForm::Everybody: return QStringLiteral("全部患者");
    }
    return QString();
}

bool isChart(Report r) { return r >= Report::InWardChart && r <= Report::AgeChart; }

bool needsDepartment(Report r, ListForm form) {
    if (r == Report::DepartmentDiagnoses || r == Report::AgeChart) return true;
    return r == Report::PatientList && (form == ListForm::OfDepartment || form == ListForm::DischargedOrPending);
}

bool needsDoctor(Report r, ListForm form) { return r == Report::PatientList && form == ListForm::OfDoctor; }

bool mayUseStatistics(const shell::UserContext& user) { return user.TJCX; }

QStringList ageGroupNames() {
    return QString::fromUtf8(kCaptions[int(Report::AgeChart) - 1]).split(QLatin1Char(',')).mid(1);
}

QString Reports::captionsOf(Report r) { return QString::fromUtf8(kCaptions[int(r) - 1]); }

int stayDays(const QDate& admitted, const QDate& end) {
    if (!admitted.isValid() || !end.isValid()) return 0;
    return int(std::max<qint64>(1, admitted.daysTo(end)));
}

QString moneyText(double amount) { return QString::number(amount, 'f', 2); }

QString bedUseText(qint64 bedDays, qint64 beds, const QDate& from, const QDate& to) {
    if (beds <= 0) return kMaintainBeds;
    // The range's days count both ends: the first of March to the thirty-first is 31 days.
    const qint64 days = from.daysTo(to) + 1;
    if (days <= 0) return kMaintainBeds;
    return QString::number(double(bedDays) / double(beds * days) * 100.0, 'f', 2) + QStringLiteral("%");
}

// Groups are formed on the stored text (COLLATE BINARY); only the few rows of the result
// are put in pinyin order. Grouping under the GBK collation would sort every stay with it,
// several times slower on a ward of ten years.
QString Reports::statement(const ReportRequest& q) {
    const QString d1 = startText(q.from), d2 = endText(q.to);
    const auto between = [&](const QString& column) {
        return column + QStringLiteral(" between #") + d1 + QStringLiteral("# and #") + d2 + QStringLiteral("#");
    };
    // Reports 1, 2 and 4: admitted or discharged in the range, or in the ward now.
    const QString workload = QStringLiteral("(") + between(QStringLiteral("日期部分")) + QStringLiteral(") or (") +
                             between(QStringLiteral("出院日期")) + QStringLiteral(") or ") + kStillIn;
    const QString counts = QStringLiteral(
        "SUM(IIf( 状态= '在院' ,1 ,0 )) AS ZY,SUM(IIf( 状态= '待结' ,1 ,0 )) AS DJ,SUM(IIf( 状态= '出院' ,1 ,0 )) AS CY");
    const QString discharged = between(QStringLiteral("出院日期")) + QStringLiteral(" and 状态= '出院'");
    const QString dept = QStringLiteral("'") + sqlText(q.department) + QStringLiteral("'");

    switch (q.report) {
    case Report::DoctorWorkload:
    case Report::DoctorPatients:
        return QStringLiteral("SELECT 主管医生,科室,") + counts + QStringLiteral(" FROM 在院病人 where ") + workload +
               QStringLiteral(" GROUP BY 主管医生 COLLATE BINARY, 科室 COLLATE BINARY order by 科室, 主管医生");
    case Report::DoctorDischarges:
        return QStringLiteral("SELECT 主管医生,科室,SUM(IIf( 状态= '出院' ,1 ,0 )) AS CY FROM 在院病人 where ") +
               between(QStringLiteral("出院日期")) + QStringLiteral(" GROUP BY 主管医生 COLLATE BINARY, 科室 COLLATE BINARY order by 科室, 主管医生");
    case Report::DepartmentWorkload:
        return QStringLiteral("SELECT 科室,") + counts + QStringLiteral(" FROM 在院病人 where ") + workload +
               QStringLiteral(" GROUP BY 科室 COLLATE BINARY order by 科室");
    case Report::AdmissionsDischarges:
        return QStringLiteral("SELECT 科室,SUM(IIf( ") + between(QStringLiteral("日期部分")) +
               QStringLiteral(" ,1 ,0 )) AS ZY,SUM(IIf( 状态= '出院'  and ") + between(QStringLiteral("出院日期")) +
               QStringLiteral(",1 ,0 )) AS CYRS FROM 在院病人  GROUP BY 科室 COLLATE BINARY order by 科室");
    case Report::SettledFees:
        return QStringLiteral("SELECT 科室,SUM(费用) AS FY FROM 在院病人 where ") + discharged +
               QStringLiteral(" GROUP BY 科室 COLLATE BINARY order by 科室");
    case Report::AverageStay:
        return QStringLiteral("SELECT 科室,count(状态) AS CY,avg(") + kStayDays +
               QStringLiteral(") as PJTS FROM 在院病人 where ") + discharged + QStringLiteral(" GROUP BY 科室 COLLATE BINARY order by 科室");
    case Report::BedUse:
        // The bed count is read once per department, not once per stay as the view would.
        return QStringLiteral("SELECT 科室,coalesce((SELECT max(k.床位) FROM 科室 k WHERE k.科室 = t.科室), 0) AS 床位,TS "
                              "FROM (SELECT 科室,sum(") +
               kStayDays + QStringLiteral(") as TS FROM 床位查询 where ") + discharged +
               QStringLiteral(" GROUP BY 科室 COLLATE BINARY) t order by 科室");
    case Report::DischargeFees:
        // A discharge without a fee counts as 0, so the average is the total over the count.
        return QStringLiteral("SELECT 科室,count(状态) AS CY,SUM(费用) as ZFY ,avg(IIf(费用 is null, 0, 费用)) as PJFY  "
                              "FROM 在院病人 where ") +
               discharged + QStringLiteral(" GROUP BY 科室 COLLATE BINARY order by 科室");
    case Report::DepartmentDiagnoses:
        return QStringLiteral("SELECT  诊断,count(状态) AS SL,SUM(费用) as ZFY  FROM 在院病人 where ") +
               between(QStringLiteral("日期部分")) + QStringLiteral("  and 科室=") + dept +
               QStringLiteral(" GROUP BY 诊断 COLLATE BINARY order by count(状态)  DESC, 诊断");
    case Report::DiagnosesByDepartment:
        return QStringLiteral("SELECT 科室,诊断,count(状态) AS SL,SUM(费用) as ZFY  FROM 在院病人 where ") +
               between(QStringLiteral("日期部分")) +
               QStringLiteral("  GROUP BY 科室 COLLATE BINARY,诊断 COLLATE BINARY order by 科室,count(状态) DESC, 诊断");
    case Report::InWardChart:
        return QStringLiteral("SELECT 科室,count(科室) AS SL  FROM 科室查询 GROUP BY 科室 COLLATE BINARY order by 科室");
    case Report::IncomeChart:
        return QStringLiteral("SELECT 科室,SUM(IIf( ") + between(QStringLiteral("日期部分")) +
               QStringLiteral(" ,费用 ,0 )) AS FY  FROM 结构查询  GROUP BY 科室 COLLATE BINARY order by 科室");
    case Report::SexChart:
        return QStringLiteral("SELECT 科室,SUM(IIf( 性别= '男' and ") + between(QStringLiteral("日期部分")) +
               QStringLiteral(" ,1 ,0 )) AS NX,SUM(IIf( 性别= '女' and ") + between(QStringLiteral("日期部分")) +
               QStringLiteral(" ,1 ,0 )) AS NVX  FROM 结构查询  GROUP BY 科室 COLLATE BINARY order by 科室");
    case Report::AgeChart: {
        // An age in months or days ("3月", "10天") is a child's, under ten years whatever its
        // number; the lower bound of each group belongs to it. An empty age counts nowhere.
        const QString young = QStringLiteral("(年龄 like '%月%' or 年龄 like '%天%')");
        const QString years = QStringLiteral("(年龄 not like '%月%' and 年龄 not like '%天%' and trim(年龄) <> '')");
        QString sql = QStringLiteral("SELECT 科室,SUM(IIf( ") + young + QStringLiteral(" or (") + years +
                      QStringLiteral(" and Val(年龄) < 10) ,1 ,0 )) AS N0");
        for (int g = 1; g <= 5; ++g)
            sql += QStringLiteral(",SUM(IIf( %1 and Val(年龄) >= %2 and Val(年龄) < %3 ,1 ,0 )) AS N%4")
                       .arg(years)
                       .arg(g * 10)
                       .arg(g * 10 + 10)
                       .arg(g);
        sql += QStringLiteral(",SUM(IIf( %1 and Val(年龄) >= 60 ,1 ,0 )) AS N6").arg(years);
        return sql + QStringLiteral(" FROM 结构查询 where ") + between(QStringLiteral("日期部分")) +
               QStringLiteral("   and 科室=") + dept + QStringLiteral(" GROUP BY 科室");
    }
    case Report::PatientList:
        switch (q.form) {
        case ListForm::OfDoctor:
        case ListForm::OfDepartment: {
            const QString who = q.form == ListForm::OfDoctor
                                    ? QStringLiteral("主管医生='") + sqlText(q.doctor) + QStringLiteral("'")
                                    : QStringLiteral("科室=") + dept;
            return kListColumns + QStringLiteral(" where (") + between(QStringLiteral("日期部分")) +
                   QStringLiteral(" or ") + between(QStringLiteral("出院日期")) + QStringLiteral(" or ") + kStillIn +
                   QStringLiteral(") and ") + who + kListOrder;
        }
        case ListForm::DischargedOrPending:
            // A returned patient keeps the old 出院日期 but is in the ward, not discharged.
            return kListColumns + QStringLiteral(" where (") + between(QStringLiteral("出院日期")) +
                   QStringLiteral(" and 状态= '出院' or 状态= '待结') and 科室=") + dept + kListOrder;
        case ListForm::Everybody: return kListColumns + kListOrder;
        }
    }
    return QString();
}

QStringList Reports::departments() const {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    QStringList out = distinctTexts(db.query(QStringLiteral("select 科室 from 科室 order by 编号")),
                                    QStringLiteral("科室"), {});
    return distinctTexts(db.query(QStringLiteral("select distinct 科室 from 在院病人 order by 科室")),
                         QStringLiteral("科室"), out);
}

QStringList Reports::doctors(const QString& department) const {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const bool all = department.isEmpty();
    const QString users = QStringLiteral("select 用户 from 用户 where (级别 is null or 级别<>'护师')") +
                          (all ? QString() : QStringLiteral(" and 科室=?")) + QStringLiteral(" order by 编号");
    const QString named = QStringLiteral("select distinct 主管医生 from 在院病人") +
                          (all ? QString() : QStringLiteral(" where 科室=?")) + QStringLiteral(" order by 主管医生");
    const store::Params params = all ? store::Params{} : store::Params{department};
    QStringList out = distinctTexts(db.query(users, params), QStringLiteral("用户"), {});
    return distinctTexts(db.query(named, params), QStringLiteral("主管医生"), out);
}

ReportOutcome Reports::run(const ReportRequest& q) const {
    ReportOutcome outcome;
    const auto refuse = [&outcome](const QString& why) {
        outcome.refusal = why;
        return outcome;
    };
    if (int(q.report) < 1 || int(q.report) > kReportCount) return refuse(QStringLiteral("没有此报表"));
    if (!q.from.isValid() || !q.to.isValid() || q.from > q.to) return refuse(kRangeReversed);
    if (needsDepartment(q.report, q.form)) {
        if (q.department.trimmed().isEmpty()) return refuse(kChooseDepartment);
        if (!departments().contains(q.department)) return refuse(kUnknownDepartment + q.department);
    }
    if (needsDoctor(q.report, q.form)) {
        if (q.doctor.trimmed().isEmpty()) return refuse(kChooseDoctor);
        if (!doctors().contains(q.doctor)) return refuse(kUnknownDoctor + q.doctor);
    }

    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return refuse(kNotOpened);
    const store::Rows rows = db.query(statement(q));
    if (!rows.ok()) return refuse(rows.error());

    ReportTable& t = outcome.table;
    t.rows.reserve(rows.size());
    t.captions = QStringList{QStringLiteral("编号")} + captionsOf(q.report).split(QLatin1Char(','));
    const auto add = [&t](QStringList cells) {
        cells.prepend(QString::number(t.rows.size() + 1));
        t.rows << cells;
    };
    const auto dept = [](const store::Row& r) { return r.text(QStringLiteral("科室")); };
    const auto n = [](const store::Row& r, const char* column) { return r.integer(QString::fromUtf8(column)); };
    const auto money = [](const store::Row& r, const char* column) {
        return moneyText(r.real(QString::fromUtf8(column)));
    };

    switch (q.report) {
    case Report::DoctorWorkload:
        for (const store::Row& r : rows)
            add({dept(r), r.text(QStringLiteral("主管医生")), number(n(r, "ZY")), number(n(r, "DJ")),
                 number(n(r, "ZY") + n(r, "DJ") + n(r, "CY"))});
        t.numericColumns = {3, 4, 5};
        break;
    case Report::DoctorPatients:
        for (const store::Row& r : rows)
            add({dept(r), r.text(QStringLiteral("主管医生")), number(n(r, "ZY") + n(r, "DJ"))});
        t.numericColumns = {3};
        break;
    case Report::DoctorDischarges:
        for (const store::Row& r : rows) add({dept(r), r.text(QStringLiteral("主管医生")), number(n(r, "CY"))});
        t.numericColumns = {3};
        break;
    case Report::DepartmentWorkload:
        for (const store::Row& r : rows)
            add({dept(r), number(n(r, "ZY")), number(n(r, "DJ")), number(n(r, "ZY") + n(r, "DJ") + n(r, "CY"))});
        t.numericColumns = {2, 3, 4};
        break;
    case Report::AdmissionsDischarges:
        for (const store::Row& r : rows)
            add({dept(r), number(n(r, "ZY")), number(n(r, "CYRS")), number(n(r, "ZY") - n(r, "CYRS"))});
        t.numericColumns = {2, 3, 4};
        break;
    case Report::SettledFees:
        for (const store::Row& r : rows) add({dept(r), money(r, "FY")});
        t.numericColumns = {2};
        break;
    case Report::AverageStay:
        for (const store::Row& r : rows)
            add({dept(r), number(n(r, "CY")), QString::number(r.real(QStringLiteral("PJTS")), 'f', 2)});
        t.numericColumns = {2, 3};
        break;
    case Report::BedUse:
        for (const store::Row& r : rows)
            add({dept(r), number(n(r, "床位")), bedUseText(n(r, "TS"), n(r, "床位"), q.from, q.to)});
        t.numericColumns = {2, 3};
        break;
    case Report::DischargeFees:
        for (const store::Row& r : rows) add({dept(r), number(n(r, "CY")), money(r, "ZFY"), money(r, "PJFY")});
        t.numericColumns = {2, 3, 4};
        break;
    case Report::DepartmentDiagnoses:
        for (const store::Row& r : rows)
            add({r.text(QStringLiteral("诊断")), number(n(r, "SL")), money(r, "ZFY")});
        t.numericColumns = {2, 3};
        break;
    case Report::DiagnosesByDepartment:
        for (const store::Row& r : rows)
            add({dept(r), r.text(QStringLiteral("诊断")), number(n(r, "SL")), money(r, "ZFY")});
        t.numericColumns = {3, 4};
        break;
    case Report::InWardChart:
    case Report::IncomeChart:
    case Report::SexChart: {
        BarChart chart;
        chart.title = reportName(int(q.report));
        chart.categoryAxis = QStringLiteral("科室");
        chart.valueAxis = q.report == Report::IncomeChart ? QStringLiteral("元") : QStringLiteral("人数");
        chart.money = q.report == Report::IncomeChart;
        if (q.report == Report::SexChart) chart.series = {{QStringLiteral("男性"), {}}, {QStringLiteral("女性"), {}}};
        else chart.series = {{t.captions.at(2), {}}};
        for (const store::Row& r : rows) {
            chart.categories << dept(r);
            if (q.report == Report::InWardChart) {
                add({dept(r), number(n(r, "SL"))});
                chart.series[0].values << double(n(r, "SL"));
            } else if (q.report == Report::IncomeChart) {
                add({dept(r), money(r, "FY")});
                chart.series[0].values << r.real(QStringLiteral("FY"));
            } else {
                add({dept(r), number(n(r, "NX")), number(n(r, "NVX"))});
                chart.series[0].values << double(n(r, "NX"));
                chart.series[1].values << double(n(r, "NVX"));
            }
        }
        t.numericColumns = q.report == Report::SexChart ? QList<int>{2, 3} : QList<int>{2};
        t.chart = chart;
        break;
    }
    case Report::AgeChart: {
        // One row for the department, zeros when nobody of it was admitted in the range.
        const store::Row r = rows.first();
        BarChart chart;
        chart.title = reportName(int(q.report));
        chart.categoryAxis = QStringLiteral("年龄");
        chart.valueAxis = QStringLiteral("人数");
        chart.categories = ageGroupNames();
        chart.series = {{q.department, {}}};
        QStringList cells{q.department};
        for (int g = 0; g < 7; ++g) {
            const qint64 count = r.integer(QStringLiteral("N%1").arg(g));
            cells << number(count);
            chart.series[0].values << double(count);
        }
        add(cells);
        t.numericColumns = {2, 3, 4, 5, 6, 7, 8};
        t.chart = chart;
        break;
    }
    case Report::PatientList: {
        const QDate today = Clock::now().date();
        for (const store::Row& r : rows) {
            // Columns by position, as kListColumns names them; the dates as their stored
            // text "2016-03-05 08:30:00", of which the list shows the minutes or the day.
            const QString status = r.value(0).toText();
            const QString admitted = r.value(5).toText();
            const QString left = r.value(9).toText().left(10);
            // In the ward (a returned patient too) the stay runs to today and shows no
            // discharge date; otherwise it runs to the discharge date.
            const bool in = status == QStringLiteral("在院") || left.isEmpty();
            const int days = stayDays(QDate::fromString(admitted.left(10), Qt::ISODate),
                                      in ? today : QDate::fromString(left, Qt::ISODate));
            add({status, r.value(1).toText(), r.value(2).toText(), r.value(3).toText(), r.value(4).toText(),
                 admitted.left(16), r.value(6).toText(), r.value(7).toText(), r.value(8).toText(),
                 in ? QString() : left, days > 0 ? number(days) : QString(), moneyText(r.value(10).toDouble())});
        }
        t.numericColumns = {11, 12};
        break;
    }
    }
    outcome.ok = true;
    return outcome;
}

}  // namespace qh::stats
