// qinghe-emr-admin's init, sql and check, as an administrator would use them.
#include "admin_run.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"

using namespace qh::test;
using AdminTool = AdminWard;

TEST_F(AdminTool, InitRefusesWhenAnyFileExists) {
    const QByteArray before = digestOf(main);
    const AdminRun again = admin({"init", dir.path()});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err.count('\n'), 1);
    EXPECT_EQ(digestOf(main), before);

    TempDir other;
    QFile(other.file("fwqdz.mdb")).open(QIODevice::WriteOnly);  // a single stray file
    EXPECT_EQ(admin({"init", other.path()}).status, 1);
    EXPECT_FALSE(QFileInfo::exists(other.file("dzbl.mdb")));
}

TEST_F(AdminTool, SelectPrintsHeaderAndTabSeparatedRows) {
    ASSERT_EQ(admin({"sql", main, "INSERT INTO 在院病人 (姓名,入院日期,费用,床号,住址) values ('张三','2016年3月5日8时30分',1234.50,'12','甲村\t1号')"}).out, "ok\n");
    ASSERT_EQ(admin({"sql", main, "INSERT INTO 在院病人 (姓名,费用,床号) values ('李四',3,'abc')"}).status, 0);
    ASSERT_EQ(admin({"sql", main, "UPDATE 在院病人 SET 出院日期=#2016-3-15# where 姓名='张三'"}).out, "ok\n");
    ASSERT_EQ(admin({"sql", main, "INSERT INTO 在院病历 (检索,数据) values ('1',zeroblob(5))"}).status, 0);

    const AdminRun r = admin({"sql", main, "select 姓名,入院日期,出院日期,费用,Val(床号)+0.25 as v,住址 from 在院病人 order by 编号"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), "姓名\t入院日期\t出院日期\t费用\tv\t住址\n"
                     "张三\t2016-03-05 08:30:00\t2016-03-15 00:00:00\t1234.5\t12.25\t甲村\\t1号\n"
                     "李四\t\t\t3\t0.25\t\n");
    EXPECT_EQ(admin({"sql", main, "select 数据 from 在院病历"}).out.toStdString(), "数据\n<5 bytes>\n");
    // Table names without regard to case, and a header even when nothing matches.
    EXPECT_EQ(admin({"sql", main, "select count(1) from ZYB_YZXX"}).out.toStdString(), "count(1)\n0\n");
    EXPECT_EQ(admin({"sql", main, "select 姓名 from 在院病人 where 1=0"}).out.toStdString(), "姓名\n");
}

TEST_F(AdminTool, ReadingNeverChangesTheFile) {
    const QByteArray before = digestOf(main);
    EXPECT_EQ(admin({"sql", main, "select * from 用户"}).status, 0);
    // A reading pragma answers with its rows, like a SELECT.
    EXPECT_EQ(admin({"sql", main, "PRAGMA user_version"}).out.toStdString(), "user_version\n1\n");
    EXPECT_TRUE(admin({"sql", main, "pragma table_info(科室)"}).out.contains("\t默认\t"));
    // A statement that would write, dressed up as a reading one, is refused.
    const AdminRun sneaky = admin({"sql", main, "select 1; delete from 科室"});
    EXPECT_EQ(sneaky.status, 1);
    EXPECT_EQ(digestOf(main), before);
}

TEST_F(AdminTool, PragmasThatChangeTheFilesSettingsAreRefused) {
    const QByteArray before = digestOf(main);
    for (const char* sql : {"PRAGMA journal_mode=WAL", "pragma journal_mode ( wal )", "PRAGMA main.page_size = 1024",
                            "pragma locking_mode=EXCLUSIVE", "PRAGMA writable_schema=1"}) {
        const AdminRun r = admin({"sql", main, sql});
        EXPECT_EQ(r.status, 1) << sql;
        EXPECT_EQ(r.err.count('\n'), 1);
    }
    EXPECT_EQ(digestOf(main), before);
    EXPECT_FALSE(QFileInfo::exists(main + "-wal"));
    EXPECT_EQ(admin({"check", dir.path()}).status, 0);
    EXPECT_EQ(admin({"sql", main, "PRAGMA integrity_check(10)"}).status, 0);
}

TEST_F(AdminTool, FailuresExitOneWithOneLine) {
    for (const QStringList& args : {QStringList{"sql", main, "select nosuchcolumn from 科室"},
                                    QStringList{"sql", main, "insert into nosuchtable values (1)"},
                                    QStringList{"sql", main, "INSERT INTO 在院病人 (入院日期) values ('昨天')"},
                                    QStringList{"sql", dir.file("missing/dzbl.mdb"), "select 1"},
                                    QStringList{"sql", dir.file("other.db"), "select 1"}}) {
        const AdminRun r = admin(args);
        EXPECT_EQ(r.status, 1) << args.last().toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    // Each file is opened with its own credentials, picked by its name.
    EXPECT_EQ(admin({"sql", dir.file("fwqdz.mdb"), "select count(1) from icd10"}).status, 0);
    EXPECT_EQ(admin({"sql", dir.file("ZYBD.mdb"), "select count(1) from fjx"}).status, 0);
}

TEST_F(AdminTool, CheckSaysOkOnlyWhenAllIsWell) {
    const AdminRun good = admin({"check", dir.path()});
    EXPECT_EQ(good.status, 0) << good.out.toStdString();
    ASSERT_EQ(admin({"sql", main, "DROP VIEW 相关病历"}).out, "ok\n");
    const AdminRun bad = admin({"check", dir.path()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.out.contains("相关病历"));
    // upgrade makes what the schema holds and the file lacks; the rows are not its business.
    const AdminRun upgraded = admin({"upgrade", dir.path()});
    EXPECT_EQ(upgraded.status, 0) << upgraded.err.toStdString();
    EXPECT_TRUE(upgraded.out.contains("dzbl.mdb：新建视图 相关病历")) << upgraded.out.toStdString();
    EXPECT_EQ(admin({"check", dir.path()}).status, 0);
    EXPECT_TRUE(admin({"upgrade", dir.path()}).out.endsWith("结构已是最新\n"));
    EXPECT_EQ(admin({"nosuchcommand"}).status, 2);
}
