// Orders at the size of ten years of a ward: 400,000 order lines of 8,000 stays. Reading
// one patient's long-term list (one indexed query) and saving a ten-line batch (numbers
// reserved and every line written in one transaction) as the order page does them.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "orders/OrderLists.h"
#include "orders/OrderSave.h"
#include "shell/UserContext.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "interaction/ScriptedUserInterface.h"

namespace {

constexpr int kStays = 8000;
constexpr int kLinesPerStay = 50;

// The ward, made once; empty when it cannot be made.
const QString& benchWard() {
    static QTemporaryDir dir;
    static const QString path = [] {
        if (qh::store::createDataFiles(dir.path()).status != qh::store::PrepareResult::Created) return QString();
        qh::store::Connection db = qh::store::Connection::open(qh::store::DataDirectory(dir.path()),
                                                               qh::store::DbFile::Main);
        const bool filled =
            db.executeScript(QStringLiteral(
                                 "INSERT INTO 在院病人 (住院编号, 姓名, 床号, 科室, 状态, 主管医生) WITH RECURSIVE n(x) AS "
                                 "(SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) SELECT x, '病人' || x, x %% 60, "
                                 "'内科', '出院', '李医生' FROM n;"
                                 "INSERT INTO zyb_yzxx (zyid, yzid, sjyz, yzlb, xmmc, yzzt, ypcz, qllb, yzsj) WITH RECURSIVE "
                                 "n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %2) SELECT (x %% %1) + 1, x, x, "
                                 "CASE x %% 3 WHEN 0 THEN '长期医嘱' WHEN 1 THEN '临时医嘱' ELSE '处方用药' END, "
                                 "'0.9%%氯化钠注射液', 'OK', '单开', '请领单', '2016-03-05 08:30:00' FROM n;")
                                 .arg(kStays)
                                 .arg(kStays * kLinesPerStay)
                                 .replace(QStringLiteral("%%"), QStringLiteral("%")))
                .ok;
        return filled ? dir.path() : QString();
    }();
    return path;
}

void BM_ReadOnePatientsLongTermList(benchmark::State& state) {
    if (benchWard().isEmpty()) {
        state.SkipWithError("the ward could not be made");
        return;
    }
    const qh::orders::OrderLists lists{qh::store::DataDirectory(benchWard())};
    int stay = 1;
    for (auto _ : state) {
        const auto orders = lists.read(QString::number(stay), qh::orders::OrderKind::LongTerm);
        benchmark::DoNotOptimize(orders.size());
        stay = stay % kStays + 1;
    }
}
BENCHMARK(BM_ReadOnePatientsLongTermList)->Unit(benchmark::kMillisecond);

void BM_SaveTenLineBatch(benchmark::State& state) {
    if (benchWard().isEmpty()) {
        state.SkipWithError("the ward could not be made");
        return;
    }
    qh::shell::UserContext user;
    user.userName = QStringLiteral("李医生");
    user.department = QStringLiteral("内科");
    qh::ui::ScriptedUserInterface ui;
    qh::orders::OrderSave saver(qh::store::DataDirectory(benchWard()), user, ui);
    QVector<qh::orders::EntryLine> batch(10);
    for (int i = 0; i < batch.size(); ++i) {
        batch[i].marker = i == 0 ? qh::orders::kNewGroup : qh::orders::kInGroup;
        batch[i].content = QStringLiteral("第%1行").arg(i + 1);
        batch[i].perDay = QStringLiteral("1");
    }
    for (auto _ : state) {
        if (!saver.saveWestern(QStringLiteral("17"), qh::orders::OrderKind::LongTerm, batch).saved())
            state.SkipWithError("a batch was not saved");
        ui.clear();
    }
}
BENCHMARK(BM_SaveTenLineBatch)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
