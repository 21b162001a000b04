// The front page's code lookup on code tables of a national edition's size: 40,000 western
// diagnoses and 12,000 operations, searched by initials and by part of the name, each
// search opening the coding file, running the statement, reading every match and closing.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "frontpage/CodeLookup.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"

namespace {

using qh::frontpage::CodeSource;
using qh::store::DbFile;

constexpr int kDiagnoses = 40000;
constexpr int kOperations = 12000;

// A ward whose coding file holds generated tables of that size: names made of syllables so
// that initials and substrings match a realistic share of the rows. Empty when it cannot
// be made.
const QString& benchWard() {
    static QTemporaryDir dir;
    static const QString path = [] {
        if (qh::store::createDataFiles(dir.path()).status != qh::store::PrepareResult::Created) return QString();
        qh::store::ExternalDatabase db;
        const QString file = dir.filePath(qh::store::fileName(DbFile::Coding));
        if (!db.open(file, QString::fromUtf8(qh::store::kDbUser), qh::store::password(DbFile::Coding))) return QString();
        const QString fill = QStringLiteral(
            "INSERT INTO %1 (JSM, %2, BM) WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %3)"
            " SELECT substr('GXTFSNMJBYZQ', (x % 12) + 1, 1) || substr('YBXZGMSQTJ', (x / 12 % 10) + 1, 1) ||"
            " substr('BYZQGXTFSN', (x / 120 % 10) + 1, 1),"
            " substr('高血心肺肾胃肝脑骨皮眼耳', (x % 12) + 1, 1) || substr('压管脏部病炎症瘤折损伤结', (x / 12 % 12) + 1, 1) ||"
            " substr('性急慢原继发先天后期', (x / 144 % 10) + 1, 1) || '其他' || x,"
            " char(65 + x % 26) || printf('%02d.%03d', x / 26 % 100, x % 1000) FROM n;");
        const bool ok = db.executeScript(fill.arg(QStringLiteral("ICD10"), QStringLiteral("ICDMC")).arg(kDiagnoses)) &&
                        db.executeScript(fill.arg(QStringLiteral("ICD_SS"), QStringLiteral("SSMC")).arg(kOperations));
        db.close();
        return ok ? dir.path() : QString();
    }();
    return path;
}

void runSearch(benchmark::State& state, CodeSource source, const QString& typed) {
    if (benchWard().isEmpty()) {
        state.SkipWithError("the ward's files could not be made");
        return;
    }
    const qh::store::DataDirectory files(benchWard());
    qsizetype found = 0;
    for (auto _ : state) {
        const auto matches = qh::frontpage::searchCodes(files, source, typed);
        found = matches ? matches->size() : -1;
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = double(found);
}

void BM_DiagnosisByInitials(benchmark::State& state) { runSearch(state, CodeSource::DischargeDiagnosis, QStringLiteral("gy")); }
void BM_DiagnosisByName(benchmark::State& state) { runSearch(state, CodeSource::DischargeDiagnosis, QStringLiteral("肺炎")); }
void BM_DiagnosisRare(benchmark::State& state) { runSearch(state, CodeSource::DischargeDiagnosis, QStringLiteral("其他39999")); }
void BM_DiagnosisWildcardTyped(benchmark::State& state) { runSearch(state, CodeSource::DischargeDiagnosis, QStringLiteral("%_")); }
void BM_OperationByInitials(benchmark::State& state) { runSearch(state, CodeSource::Operation, QStringLiteral("xbz")); }
BENCHMARK(BM_DiagnosisByInitials)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiagnosisByName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiagnosisRare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiagnosisWildcardTyped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OperationByInitials)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
