// A ward's files after kill -9: the tool is killed at random moments while it saves orders,
// creates record documents and replaces a code table. Afterwards the files pass check, every
// save that reported success is there, and each interrupted save is there whole or not at all.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>

#include "AdminCommands.h"
#include "store/Connection.h"
#include "store/DatabaseFiles.h"
#include "support/temp_dir.h"

using qh::test::TempDir;

namespace {

int inProcess(const QStringList& args, QString* out = nullptr) {
    QString o, e;
    QTextStream os(&o), es(&e);
    const int status = qh::admin::dispatch(args, os, es);
    os.flush();
    if (out) *out = o + e;
    return status;
}

enum class Ending { Succeeded, Failed, Killed };

// Runs the tool and kills it after `killAfterMs` unless it ended before.
Ending runAndMaybeKill(const QStringList& args, int killAfterMs) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(QStringLiteral(QH_ADMIN_BINARY), args);
    if (!tool.waitForStarted()) return Ending::Failed;
    if (!tool.waitForFinished(killAfterMs)) {
        tool.kill();
        tool.waitForFinished();
        return Ending::Killed;
    }
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0 ? Ending::Succeeded : Ending::Failed;
}

qint64 count(const QString& dir, qh::store::DbFile file, const QString& sql) {
    auto db = qh::store::Connection::open(qh::store::DataDirectory(dir), file);
    return db.query(sql).first().value(0).toInt();
}

QString editionFile(const TempDir& tmp, char edition) {
    const QString path = tmp.file(QStringLiteral("edition-%1.csv").arg(edition));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("BM,SSMC\n");
    for (int i = 0; i < 400; ++i) f.write(QStringLiteral("%1%2,手术%1%2\n").arg(edition).arg(i).toUtf8());
    return path;
}

}  // namespace

TEST(CrashConsistency, KilledSavesLeaveEveryReportedSaveAndNothingHalfWritten) {
    TempDir tmp;
    const QString ward = tmp.file("ward");
    ASSERT_EQ(runAndMaybeKill({"demo", ward}, 120000), Ending::Succeeded);
    auto main = qh::store::Connection::open(qh::store::DataDirectory(ward), qh::store::DbFile::Main);
    const QString stay = main.query("select 住院编号 from 在院病人 where 状态='在院' and 主管医生='张明华' order by 编号")
                             .first().value(0).toText();
    const QString item = main.query("select xmid from ddt_costitems where xmmc like '%氯化钠注射液%' order by xmid")
                             .first().value(0).toText();
    main.close();
    ASSERT_FALSE(stay.isEmpty());
    ASSERT_FALSE(item.isEmpty());
    const QString group = tmp.file("group.tsv");
    {
        QFile f(group);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("新组\t%1\t\t1\t袋\t250ml\t静滴\tqd\t\n承组\t%1\t\t1\t袋\t100ml\t\t\t\n承组\t%1\t\t1\t袋\t50ml\t\t\t\n")
                    .arg(item).toUtf8());
    }
    const QString editions[] = {editionFile(tmp, 'A'), editionFile(tmp, 'B')};
    ASSERT_EQ(inProcess({"import", ward, "ICD_SS", editions[0], "--replace"}), 0);

    auto orders = [&] { return count(ward, qh::store::DbFile::Main, "select count(*) from ZYB_YZXX where zyid='" + stay + "'"); };
    auto records = [&] { return count(ward, qh::store::DbFile::Main, "select count(*) from 在院病历"); };
    const qint64 orders0 = orders(), records0 = records();
    int ordersSaved = 0, ordersKilled = 0, recordsSaved = 0, recordsKilled = 0;
    int importsKilled = 0;
    char edition = 'A';

    const int runs = qEnvironmentVariableIsSet("QH_CRASH_RUNS") ? qEnvironmentVariableIntValue("QH_CRASH_RUNS") : 100;
    // How long each kind of save takes here, so that the kills fall within it on a fast
    // machine as on a slow one. (These timing runs are saves like the others.)
    const QList<QStringList> saves{{"orders", ward, stay, "张明华", "enter", "长期", group},
                                   {"record-new", ward, stay, "日常病程记录", "--user", "张明华"},
                                   {"import", ward, "ICD_SS", editions[1], "--replace"}};
    int duration[3];
    for (int k = 0; k < 3; ++k) {
        QElapsedTimer clock;
        clock.start();
        ASSERT_EQ(runAndMaybeKill(saves[k], 120000), Ending::Succeeded);
        duration[k] = int(clock.elapsed());
    }
    ordersSaved = recordsSaved = 1;
    edition = 'B';
    QRandomGenerator random(20261206);
    for (int i = 0; i < runs; ++i) {
        const int killAfter = random.bounded(1, std::max(2, duration[i % 3]));
        bool importKilledNow = false;
        SCOPED_TRACE(QStringLiteral("run %1, killed after %2 ms").arg(i).arg(killAfter).toStdString());
        switch (i % 3) {
        case 0: {
            const Ending e = runAndMaybeKill({"orders", ward, stay, "张明华", "enter", "长期", group}, killAfter);
            ordersSaved += e == Ending::Succeeded;
            ordersKilled += e == Ending::Killed;
            ASSERT_NE(e, Ending::Failed);
            break;
        }
        case 1: {
            const Ending e = runAndMaybeKill({"record-new", ward, stay, "日常病程记录", "--user", "张明华"}, killAfter);
            recordsSaved += e == Ending::Succeeded;
            recordsKilled += e == Ending::Killed;
            ASSERT_NE(e, Ending::Failed);
            break;
        }
        default: {
            const char next = edition == 'A' ? 'B' : 'A';
            const Ending e = runAndMaybeKill({"import", ward, "ICD_SS", editions[next - 'A'], "--replace"}, killAfter);
            ASSERT_NE(e, Ending::Failed);
            importsKilled += e == Ending::Killed;
            importKilledNow = e == Ending::Killed;
            if (e == Ending::Succeeded) edition = next;
            break;
        }
        }
        // The files are sound (a hot journal left by the kill is rolled back first) and every
        // stored document reads.
        QString report;
        ASSERT_EQ(inProcess({"check", ward}, &report), 0) << report.toStdString();
        // Whole order batches only: every reported one, interrupted ones whole or absent.
        const qint64 lines = orders() - orders0;
        EXPECT_EQ(lines % 3, 0);
        EXPECT_GE(lines, 3 * ordersSaved);
        EXPECT_LE(lines, 3 * (ordersSaved + ordersKilled));
        const qint64 documents = records() - records0;
        EXPECT_GE(documents, recordsSaved);
        EXPECT_LE(documents, recordsSaved + recordsKilled);
        // One whole edition of the code table, the last reported one unless a later import
        // was interrupted after its commit.
        EXPECT_EQ(count(ward, qh::store::DbFile::Coding, "select count(*) from ICD_SS"), 400);
        const qint64 a = count(ward, qh::store::DbFile::Coding, "select count(*) from ICD_SS where BM like 'A%'");
        EXPECT_TRUE(a == 0 || a == 400) << a;
        // After a kill that followed the commit the new edition is there, unreported.
        if (!(i % 3 == 2 && importKilledNow)) EXPECT_EQ(a == 400 ? 'A' : 'B', edition);
        edition = a == 400 ? 'A' : 'B';
        if (HasFailure()) break;
    }
    // The kills fell on every kind of save, not only after the saves had ended.
    if (runs >= 30) EXPECT_GT(ordersKilled + recordsKilled + importsKilled, runs / 4);
}
