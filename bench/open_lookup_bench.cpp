// The cost of one operation as the program does it: Open the file, look up one row by
// its key in a 100,000-row table, read it, Close.
#include <benchmark/benchmark.h>

#include <QRandomGenerator>
#include <QTemporaryDir>

#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"

namespace {

using qh::store::DbFile;

const QString kUser = QString::fromUtf8(qh::store::kDbUser);
const QString kPassword = qh::store::password(DbFile::Main);
constexpr int kRows = 100000;

// One ward's files for every run of the benchmark, made with the real schema and seed (so
// that Open pays for reading the whole schema), the patient table filled once. Empty when
// they cannot be made: a lookup in an empty table would measure nothing.
const QString& benchFile() {
    static QTemporaryDir dir;
    static const QString path = [] {
        if (qh::store::createDataFiles(dir.path()).status != qh::store::PrepareResult::Created) return QString();
        const QString p = dir.filePath(qh::store::fileName(DbFile::Main));
        qh::store::ExternalDatabase db;
        const bool filled = db.open(p, kUser, kPassword) && db.executeScript(QStringLiteral(
            "INSERT INTO 在院病人 (姓名, 床号, 科室, 状态, 入院日期) WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL"
            " SELECT x + 1 FROM n WHERE x < %1) SELECT '病人' || x, (x % 60) || '床', '内科', '出院',"
            " '2016-03-05 08:30:00' FROM n;")
                             .arg(kRows));
        return filled ? p : QString();
    }();
    return path;
}

void BM_OpenLookupClose(benchmark::State& state) {
    const QString& path = benchFile();
    if (path.isEmpty()) {
        state.SkipWithError("the ward's files could not be made");
        return;
    }
    auto* random = QRandomGenerator::global();
    for (auto _ : state) {
        qh::store::ExternalDatabase db;
        if (!db.open(path, kUser, kPassword)) {
            state.SkipWithError("open failed");
            break;
        }
        const auto rs = db.query(QStringLiteral("select * from 在院病人 where 编号=") +
                                 QString::number(random->bounded(1, kRows + 1)));
        benchmark::DoNotOptimize(db.read(rs, QStringLiteral("姓名")).toText());
        db.closeRecordSet(rs);
        db.close();
    }
}
BENCHMARK(BM_OpenLookupClose)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
