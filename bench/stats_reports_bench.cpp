// Every statistics report over ten years of a hospital's stays (150,000 by default; set
// QH_BENCH_STAYS for another size, or QH_BENCH_DIR to a ward's data directory to run over
// that ward instead): the time the window waits for one report, query and cells included.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "stats/Reports.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"

namespace {

using namespace qh::stats;

constexpr int kDepartments = 12;

int stays() {
    const int n = qEnvironmentVariableIntValue("QH_BENCH_STAYS");
    return n > 0 ? n : 150000;
}

// The ward's files with the real schema and seed, the stays spread evenly over 2016-2025:
// each stays 1-20 days; those that would end after 2025-12-20 are still in the ward, one
// in fifty of the others awaits settlement. Empty when the files cannot be made.
const QString& benchDir() {
    static QTemporaryDir dir;
    static const QString path = [] {
        if (const QString given = qEnvironmentVariable("QH_BENCH_DIR"); !given.isEmpty()) return given;
        if (qh::store::createDataFiles(dir.path()).status != qh::store::PrepareResult::Created) return QString();
        qh::store::ExternalDatabase db;
        if (!db.open(qh::store::DataDirectory(dir.path()), qh::store::DbFile::Main)) return QString();
        QString departments;
        for (int d = 0; d < kDepartments; ++d)
            departments += QStringLiteral("INSERT INTO 科室 (科室, 床位) VALUES ('科室%1', %2);").arg(d).arg(d == 0 ? 0 : 25);
        const QString fill = QStringLiteral(
            "INSERT INTO 在院病人 (姓名, 科室, 主管医生, 性别, 年龄, 诊断, 住址, 入院日期, 日期部分, 出院日期, 状态, 费用)"
            " WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < %1 - 1),"
            " s(x, adm, len) AS (SELECT x, date('2016-01-01', '+' || (x * 3652 / %1) || ' days'), 1 + (x * 7) % 20 FROM n)"
            " SELECT '病人' || x, '科室' || (x % %2), '医生' || (x % %2) || '_' || (x % 5),"
            " CASE (x / 7) % 2 WHEN 0 THEN '男' ELSE '女' END,"
            " CASE WHEN x % 97 = 0 THEN (x % 28) || '天' ELSE (x % 90) || '岁' END,"
            " '诊断' || (x % 40), '青禾镇' || x || '号', adm || ' 09:30:00', adm || ' 09:30:00',"
            " CASE WHEN date(adm, '+' || len || ' days') > '2025-12-20' THEN NULL"
            "      ELSE date(adm, '+' || len || ' days') || ' 10:00:00' END,"
            " CASE WHEN date(adm, '+' || len || ' days') > '2025-12-20' THEN '在院'"
            "      WHEN x % 50 = 0 THEN '待结' ELSE '出院' END,"
            " 500 + (x % 3000)"
            " FROM s;")
                                 .arg(stays())
                                 .arg(kDepartments);
        if (!db.executeScript(departments + fill)) return QString();
        db.executeScript(QStringLiteral("ANALYZE;"));
        return dir.path();
    }();
    return path;
}

void BM_Report(benchmark::State& state) {
    const QString& dir = benchDir();
    if (dir.isEmpty()) {
        state.SkipWithError("the ward's files could not be made");
        return;
    }
    ReportRequest q;
    q.report = Report(state.range(0));
    q.form = ListForm(state.range(1));
    q.from = QDate(2016, 1, 1);
    q.to = QDate(2025, 12, 31);
    q.department = QStringLiteral("科室3");
    q.doctor = QStringLiteral("医生3_3");
    const Reports reports{qh::store::DataDirectory(dir)};
    qsizetype rows = 0;
    for (auto _ : state) {
        const ReportOutcome outcome = reports.run(q);
        if (!outcome.ok) {
            state.SkipWithError(outcome.refusal.toStdString().c_str());
            break;
        }
        rows = outcome.table.rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.SetLabel((reportName(int(q.report)) + QStringLiteral(" (%1 rows)").arg(rows)).toStdString());
}
BENCHMARK(BM_Report)
    ->ArgsProduct({benchmark::CreateDenseRange(1, 15, 1), {1}})
    ->Args({16, 1})
    ->Args({16, 2})
    ->Args({16, 3})
    ->Args({16, 4})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
