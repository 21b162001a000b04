// Every report over the hand-counted ward of stats_fixture.h.
#include <gtest/gtest.h>

#include "stats/Reports.h"
#include "stats_fixture.h"

using namespace qh::stats;
using qh::test::StatsWard;

namespace {

QStringList lines(std::initializer_list<const char*> rows) {
    QStringList out;
    for (const char* r : rows) out << QString::fromUtf8(r);
    return out;
}

}  // namespace

TEST_F(StatsWard, WorkloadCountsThoseStillInTheReturnedAndTheRangesStays) {
    // A (admitted before, still in) and B (returned) count as 在院; H (all before) not at all.
    EXPECT_EQ(run(Report::DoctorWorkload), lines({"儿科|孙医生|2|0|3", "内科|李医生|2|1|4", "内科|王医生|1|0|2",
                                                 "外科|赵医生|0|0|1"}));
    // The same rows; 主管人数 = 在院 + 待结.
    EXPECT_EQ(run(Report::DoctorPatients), lines({"儿科|孙医生|2", "内科|李医生|3", "内科|王医生|1", "外科|赵医生|0"}));
    EXPECT_EQ(run(Report::DepartmentWorkload), lines({"儿科|2|0|3", "内科|3|1|6", "外科|0|0|1"}));
}

TEST_F(StatsWard, DischargesCountTheWholeEndDay) {
    // G left at 20:00 on the 31st; E is pending (no discharge yet); B's old date is February's.
    EXPECT_EQ(run(Report::DoctorDischarges),
              lines({"儿科|孙医生|1", "内科|李医生|1", "内科|王医生|1", "外科|赵医生|1"}));
    EXPECT_EQ(run(Report::AdmissionsDischarges), lines({"儿科|2|1|1", "内科|3|2|1", "外科|1|1|0"}));

    // The last day alone: D came at 15:30, G left at 20:00.
    ReportRequest lastDay = march(Report::AdmissionsDischarges);
    lastDay.from = lastDay.to;
    EXPECT_EQ(run(lastDay), lines({"儿科|0|0|0", "内科|1|0|1", "外科|0|1|-1"}));
}

TEST_F(StatsWard, FeesAndLengthsOfStay) {
    EXPECT_EQ(run(Report::SettledFees), lines({"儿科|800.00", "内科|1700.50", "外科|3000.00"}));
    // C's same-day stay is one day, F's runs over 29 February: 8 days.
    EXPECT_EQ(run(Report::AverageStay), lines({"儿科|1|10.00", "内科|2|4.50", "外科|1|30.00"}));
    EXPECT_EQ(run(Report::DischargeFees),
              lines({"儿科|1|800.00|800.00", "内科|2|1700.50|850.25", "外科|1|3000.00|3000.00"}));
}

TEST_F(StatsWard, BedUseOverTheRangesDaysAndUnkeptBeds) {
    // 10 bed-days over 10 beds × 31 days; 9 over 30 × 31; 外科 keeps no bed count.
    EXPECT_EQ(run(Report::BedUse), lines({"儿科|10|3.23%", "内科|30|0.97%", "外科|0|请维护床位数"}));
    EXPECT_EQ(bedUseText(31, 1, QDate(2024, 3, 1), QDate(2024, 3, 31)), QStringLiteral("100.00%"));
    EXPECT_EQ(bedUseText(5, 0, QDate(2024, 3, 1), QDate(2024, 3, 31)), kMaintainBeds);
}

TEST_F(StatsWard, DiagnosesMostFrequentFirst) {
    ReportRequest q = march(Report::DepartmentDiagnoses);
    q.department = QStringLiteral("内科");
    // C, D (end day) and E were admitted in March; fees of nobody read 0.00.
    EXPECT_EQ(run(q), lines({"肺炎|2|500.50", "糖尿病|1|0.00"}));
    EXPECT_EQ(run(Report::DiagnosesByDepartment), lines({"儿科|肺炎|1|800.00", "儿科|新生儿黄疸|1|0.00",
                                                        "内科|肺炎|2|500.50", "内科|糖尿病|1|0.00",
                                                        "外科|阑尾炎|1|3000.00"}));
}

TEST_F(StatsWard, ChartsCarryTheirFigures) {
    const ReportOutcome inWard = Reports(files()).run(march(Report::InWardChart));
    ASSERT_TRUE(inWard.ok && inWard.table.chart);
    EXPECT_EQ(inWard.table.chart->title, QStringLiteral("各科室在院病人数量比较表"));
    EXPECT_EQ(inWard.table.chart->categories, QStringList({QStringLiteral("儿科"), QStringLiteral("内科")}));
    EXPECT_EQ(inWard.table.chart->series.at(0).values, QList<double>({2, 3}));

    EXPECT_EQ(run(Report::IncomeChart), lines({"儿科|800.00", "内科|500.50", "外科|3000.00"}));
    const ReportOutcome sex = Reports(files()).run(march(Report::SexChart));
    EXPECT_EQ(sex.table.captions, QStringList({"编号", "科室", "男性", "女性"}));
    EXPECT_EQ(sex.table.chart->series.size(), 2);
    EXPECT_EQ(run(Report::SexChart), lines({"儿科|1|1", "内科|2|1", "外科|1|0"}));
}

TEST_F(StatsWard, AgeGroupsPutDaysAndMonthsUnderTenAndLowerBoundsInside) {
    ReportRequest q = march(Report::AgeChart);
    q.department = QStringLiteral("儿科");
    // I "10天" under ten, J "10岁" in 10-20; K came in April.
    EXPECT_EQ(run(q), lines({"儿科|1|1|0|0|0|0|0"}));
    q.department = QStringLiteral("内科");
    // C 20岁, D 59岁, E 9岁.
    EXPECT_EQ(run(q), lines({"内科|1|0|1|0|0|1|0"}));
    // A department with nobody admitted in the range gives a row of zeros.
    q.from = q.to = QDate(2023, 1, 1);
    const ReportOutcome none = Reports(files()).run(q);
    EXPECT_EQ(none.table.rows.size(), 1);
    EXPECT_EQ(none.table.chart->categories, ageGroupNames());
}

TEST_F(StatsWard, PatientListFormsWithDays) {
    ReportRequest q = march(Report::PatientList);
    q.doctor = QStringLiteral("李医生");
    // 出院 before 待结 before 在院. F 8 days; E to its pending date; A and B (returned, no
    // discharge date shown) to today.
    EXPECT_EQ(run(q), lines({
                          "出院|F|女|30岁|高血压|2024-02-25 09:00|青禾镇东街1号|李医生|内科|2024-03-04|8|1200.00",
                          "待结|E|男|9岁|糖尿病|2024-03-05 10:00|青禾镇东街1号|李医生|内科|2024-03-20|15|0.00",
                          "在院|A|男|65岁|肺炎|2024-02-20 09:00|青禾镇东街1号|李医生|内科||50|0.00",
                          "在院|B|女|40岁|高血压|2024-01-05 09:00|青禾镇东街1号|李医生|内科||96|0.00",
                      }));
    const auto names = [this](ReportRequest r) {
        QStringList out;
        for (const QString& row : run(r)) out << row.section(QLatin1Char('|'), 1, 1);
        return out.join(QString());
    };
    q.form = ListForm::OfDepartment;
    q.department = QStringLiteral("儿科");
    EXPECT_EQ(names(q), QStringLiteral("JIK"));
    // The returned B is in the ward, not among the discharged.
    q.form = ListForm::DischargedOrPending;
    q.department = QStringLiteral("内科");
    EXPECT_EQ(names(q), QStringLiteral("CFE"));
    q.form = ListForm::Everybody;
    EXPECT_EQ(run(q).size(), 11);
    // The same-day discharge stays one day.
    EXPECT_TRUE(run(q).first().endsWith(QStringLiteral("|1|500.50")));
}

TEST_F(StatsWard, RefusalsAndTheWholeEndDayInTheStatement) {
    Reports reports(files());
    ReportRequest q = march(Report::DoctorWorkload);
    EXPECT_TRUE(Reports::statement(q).contains(QStringLiteral("日期部分 between #2024-3-1# and #2024-3-31 23:59:59#")));

    q.from = QDate(2024, 4, 1);
    EXPECT_EQ(reports.run(q).refusal, kRangeReversed);

    q = march(Report::DepartmentDiagnoses);
    EXPECT_EQ(reports.run(q).refusal, kChooseDepartment);
    q.department = QStringLiteral("内科' or '1'='1");
    EXPECT_EQ(reports.run(q).refusal, kUnknownDepartment + q.department);
    EXPECT_TRUE(Reports::statement(q).contains(QStringLiteral("科室='内科'' or ''1''=''1'")));

    q = march(Report::PatientList);
    EXPECT_EQ(reports.run(q).refusal, kChooseDoctor);
    q.doctor = QStringLiteral("钱医生");
    EXPECT_EQ(reports.run(q).refusal, kUnknownDoctor + QStringLiteral("钱医生"));

    // Doctors and departments come from the accounts and departments, and from the patients.
    EXPECT_EQ(reports.departments(), QStringList({"内科", "外科", "儿科"}));
    addUser(QStringLiteral("周护士"), QStringLiteral("内科"), QStringLiteral("x"));
    exec(QStringLiteral("update 用户 set 级别='护师'"));
    addUser(QStringLiteral("吴医生"), QStringLiteral("内科"), QStringLiteral("x"));
    EXPECT_EQ(reports.doctors(QStringLiteral("内科")), QStringList({"吴医生", "李医生", "王医生"}));
}

TEST(StatsNames, SixteenReportsInOrder) {
    EXPECT_EQ(reportNames().size(), kReportCount);
    EXPECT_EQ(reportName(1), QStringLiteral("医生工作量"));
    EXPECT_EQ(reportName(16), QStringLiteral("患者清单"));
    EXPECT_TRUE(reportName(17).isEmpty());
    EXPECT_EQ(stayDays(QDate(2024, 3, 10), QDate(2024, 3, 10)), 1);
    EXPECT_EQ(moneyText(0), QStringLiteral("0.00"));
    qh::shell::UserContext user;
    EXPECT_FALSE(mayUseStatistics(user));
    user.TJCX = true;
    EXPECT_TRUE(mayUseStatistics(user));
}
