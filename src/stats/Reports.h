#pragma once
// The ward's sixteen reports: workload per doctor and per department, admissions against
// discharges, settled fees, length of stay, bed use, fees per discharge, diagnoses, four
// comparison charts and the patient list. A report runs one query on dzbl.mdb over a date
// range and comes back as the grid's captions and cells, as the window shows them, and for
// the four chart reports also as a bar chart.
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "shell/UserContext.h"
#include "stats/BarChart.h"
#include "store/DatabaseFiles.h"

namespace qh::stats {

enum class Report {
    DoctorWorkload = 1,     // 医生工作量
    DoctorPatients,         // 主管病人数
    DoctorDischarges,       // 医生出院人数
    DepartmentWorkload,     // 科室工作量
    AdmissionsDischarges,   // 收诊出院对比
    SettledFees,            // 结账费用
    AverageStay,            // 平均住院日
    BedUse,                 // 床位使用率
    DischargeFees,          // 出院费用
    DepartmentDiagnoses,    // 科室诊断排名 (one department)
    DiagnosesByDepartment,  // 各科诊断统计
    InWardChart,            // 各科室在院病人数量比较表
    IncomeChart,            // 各科室总收入比较表
    SexChart,               // 全院患者性别构成比较表
    AgeChart,               // 科室患者年龄构成比较表 (one department)
    PatientList,            // 患者清单
};
inline constexpr int kReportCount = 16;

// The forms of the patient list.
enum class ListForm {
    OfDoctor = 1,                // the doctor's patients of the range and those in the ward
    OfDepartment = 2,            // the same for a department
    DischargedOrPending = 3,     // discharged in the range, or awaiting settlement, of a department
    Everybody = 4,
};

// The name of report n (1..16) in the report list; empty outside.
QString reportName(int n);
QStringList reportNames();
QString listFormName(ListForm form);
bool isChart(Report r);
// What a report needs besides the range.
bool needsDepartment(Report r, ListForm form = ListForm::OfDoctor);
bool needsDoctor(Report r, ListForm form = ListForm::OfDoctor);

struct ReportRequest {
    Report report = Report::DoctorWorkload;
    QDate from, to;  // both days whole
    QString department;
    QString doctor;
    ListForm form = ListForm::OfDoctor;
};

struct ReportTable {
    QStringList captions;     // "编号" first
    QList<QStringList> rows;  // one cell per caption, as shown
    QList<int> numericColumns;
    std::optional<BarChart> chart;  // the four chart reports
};

// Refusals, as the window and the administrator's command show them.
inline const QString kNoStatisticsRight = QStringLiteral("你没有此项操作权限！");
inline const QString kRangeReversed = QStringLiteral("开始日期不能晚于结束日期！");
inline const QString kChooseDepartment = QStringLiteral("请选择科室！");
inline const QString kChooseDoctor = QStringLiteral("请选择医生！");
inline const QString kUnknownDepartment = QStringLiteral("没有此科室：");
inline const QString kUnknownDoctor = QStringLiteral("没有此医生：");
inline const QString kMaintainBeds = QStringLiteral("请维护床位数");
inline const QString kNotOpened = QStringLiteral("数据库无法打开！");

bool mayUseStatistics(const shell::UserContext& user);

struct ReportOutcome {
    bool ok = false;
    QString refusal;  // the one line shown when not ok
    ReportTable table;
};

class Reports {
public:
    explicit Reports(const store::DataDirectory& files) : files_(files) {}

    // Checks the request (range, department or doctor where the report needs one) and runs it.
    ReportOutcome run(const ReportRequest& request) const;

    // The departments of the ward (the department table, then any other a patient is in)
    // and the doctors of one department (its accounts that are not nurses, then any other
    // a patient of it names); an empty department lists every doctor.
    QStringList departments() const;
    QStringList doctors(const QString& department = QString()) const;

    // The statement a request runs; empty for a request that names no report.
    static QString statement(const ReportRequest& request);
    static QString captionsOf(Report r);  // the captions after 编号, joined by ","

private:
    store::DataDirectory files_;
};

// Days of a stay: calendar days from admission to the end, at least 1, as the front page
// counts 住院天数. An invalid admission gives 0.
int stayDays(const QDate& admitted, const QDate& end);
// Money with two decimals; nothing reads as 0.00.
QString moneyText(double amount);
// 床位使用率: bed-days of the range's discharges over (beds × days of the range) as a
// percentage with two decimals and "%"; kMaintainBeds when no bed count is kept.
QString bedUseText(qint64 bedDays, qint64 beds, const QDate& from, const QDate& to);
// The age groups of report 15, "<10岁" .. "≥60岁".
QStringList ageGroupNames();

}  // namespace qh::stats
