// Every report answers on the demo ward, and its workload adds up to the ward's patients.
#include <gtest/gtest.h>

#include "common/Clock.h"
#include "patients/DemoWard.h"
#include "stats/Reports.h"
#include "store/DataDirectory.h"
#include "support/temp_dir.h"

using namespace qh::stats;

TEST(StatsDemoWard, EveryReportAnswersAndTheWorkloadAddsUp) {
    qh::test::TempDir dir;
    ASSERT_EQ(qh::store::createDataFiles(dir.path()).status, qh::store::PrepareResult::Created);
    const qh::store::DataDirectory files(dir.path());
    const qh::patients::DemoWardResult ward = qh::patients::populateDemoWard(files);
    ASSERT_TRUE(ward.ok) << ward.message.toStdString();

    const Reports reports(files);
    ReportRequest q;
    q.to = qh::Clock::now().date();
    q.from = q.to.addYears(-1);  // the demo ward's stays all began in the last months
    q.department = QStringLiteral("内科");
    q.doctor = QStringLiteral("张明华");
    for (int n = 1; n <= kReportCount; ++n) {
        q.report = Report(n);
        for (int form = 1; form <= (q.report == Report::PatientList ? 4 : 1); ++form) {
            q.form = ListForm(form);
            const ReportOutcome outcome = reports.run(q);
            EXPECT_TRUE(outcome.ok) << n << ' ' << outcome.refusal.toStdString();
            for (const QStringList& row : outcome.table.rows) EXPECT_EQ(row.size(), outcome.table.captions.size()) << n;
        }
    }

    // Over the whole year every stay counts once: 在院 + 待结 + 就诊's rest is every patient.
    q.report = Report::DepartmentWorkload;
    int inWard = 0, pending = 0, seen = 0;
    for (const QStringList& row : reports.run(q).table.rows) {
        inWard += row[2].toInt();
        pending += row[3].toInt();
        seen += row[4].toInt();
    }
    EXPECT_EQ(inWard, ward.inWard);
    EXPECT_EQ(pending, ward.pending);
    EXPECT_EQ(seen, ward.inWard + ward.pending + ward.discharged);
    // The chart of patients in the ward says the same.
    q.report = Report::InWardChart;
    double charted = 0;
    const auto chart = reports.run(q);  // kept: a range-for over a temporary's member would dangle
    ASSERT_TRUE(chart.table.chart.has_value());
    for (double v : chart.table.chart->series.at(0).values) charted += v;
    EXPECT_EQ(int(charted), ward.inWard);
    q.report = Report::PatientList;
    q.form = ListForm::Everybody;
    EXPECT_EQ(reports.run(q).table.rows.size(), ward.inWard + ward.pending + ward.discharged);
}
