// Preparing the data directory: first start creates, later starts keep, gaps are refused.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "store/DataDirectory.h"
#include "store/FileCheck.h"
#include "store/SeedLoader.h"
#include "store_support.h"

using namespace qh::store;
using qh::test::TempDir;
using qh::test::writeFile;

namespace {

// A tiny seed: the settings row, two departments, a patient whose initials are computed,
// a base document from a file.
CreationSources tinySeed(const TempDir& seed) {
    writeFile(seed.file("dzbl/备份.tsv"), "医院名称\tIP地址\t备份地址\t精灵狗\n青禾县人民医院\t4321\t\t1\n");
    writeFile(seed.file("dzbl/10-科室.tsv"), "科室\t床位\t默认\r\n内科\t40\t√\r\n外科\t30\t\r\n");
    writeFile(seed.file("dzbl/20-在院病人.tsv"), "姓名\t住址\t入院日期\n张三\t甲村\\t1号\\n东院\\\\\t2016年3月5日\n");
    writeFile(seed.file("dzbl/基础模板.tsv"), "A4数据\tB5数据\t纸张数据\n@file:docs/a4.bin\t@file:docs/b5.bin\t1\n");
    writeFile(seed.file("dzbl/docs/a4.bin"), QByteArray("A4\0doc", 6));
    writeFile(seed.file("dzbl/docs/b5.bin"), "B5");
    writeFile(seed.file("fwqdz/ICD10.tsv"), "BM\tICDMC\nJ18.9\t肺炎\n");
    return {QString(), seed.path()};
}

QString readOne(DbFile f, const QString& dir, const QString& sql) {
    ExternalDatabase db;
    return db.open(qh::store::DataDirectory(dir), f) ? qh::test::scalar(db, sql) : "<no open>";
}

}  // namespace

TEST(DataDirectory, FirstStartCreatesAllThreeFilesWithSchemaAndSeed) {
    TempDir seed, data;
    const QString dir = data.file("ward/new");  // made when missing
    const PrepareResult r = prepareDataDirectory(dir, tinySeed(seed));
    ASSERT_EQ(r.status, PrepareResult::Created) << r.message.toStdString();
    for (DbFile f : allDbFiles()) EXPECT_TRUE(QFileInfo::exists(QDir(dir).filePath(fileName(f))));
    EXPECT_TRUE(QDir(dir).entryList({"*.creating*"}, QDir::Files).isEmpty());
    EXPECT_TRUE(checkDataDirectory(dir).ok());

    EXPECT_EQ(readOne(DbFile::Main, dir, "select 医院名称 || 精灵狗 from 备份"), "青禾县人民医院1");
    EXPECT_EQ(readOne(DbFile::Main, dir, "select 科室 from 科室 where 默认='√'"), "内科");
    EXPECT_EQ(readOne(DbFile::Main, dir, "select count(1) from 科室 where 默认 is null"), "1");  // empty field is NULL
    EXPECT_EQ(readOne(DbFile::Main, dir, "select 住址 from 在院病人"), "甲村\t1号\n东院\\");
    EXPECT_EQ(readOne(DbFile::Main, dir, "select 姓名检索 from 在院病人"), "ZS");
    EXPECT_EQ(readOne(DbFile::Main, dir, "select 入院日期 from 在院病人 where 入院日期=#2016-3-5#"), "2016年3月5日");
    EXPECT_EQ(readOne(DbFile::Main, dir, "select hex(A4数据) || '|' || hex(B5数据) from 基础模板"), "413400646F63|4235");
    EXPECT_EQ(readOne(DbFile::Coding, dir, "select JSM from ICD10 where BM='J18.9'"), "FY");
}

TEST(DataDirectory, LaterStartsKeepTheWardsDataAndRefuseAnIncompleteSet) {
    TempDir seed, data;
    ASSERT_EQ(prepareDataDirectory(data.path(), tinySeed(seed)).status, PrepareResult::Created);
    {
        ExternalDatabase db;
        ASSERT_TRUE(db.open(qh::store::DataDirectory(data.path()), DbFile::Main));
        ASSERT_TRUE(db.execute("UPDATE 备份 SET 医院名称='改过的名称'"));
    }
    EXPECT_EQ(prepareDataDirectory(data.path(), tinySeed(seed)).status, PrepareResult::Existing);
    EXPECT_EQ(readOne(DbFile::Main, data.path(), "select 医院名称 from 备份"), "改过的名称");
    const PrepareResult again = createDataFiles(data.path(), tinySeed(seed));
    EXPECT_EQ(again.status, PrepareResult::Failed);
    EXPECT_TRUE(again.message.contains("dzbl.mdb"));
    EXPECT_EQ(readOne(DbFile::Main, data.path(), "select 医院名称 from 备份"), "改过的名称");

    // A missing file is reported and nothing is created in its place.
    ASSERT_TRUE(QFile::remove(data.file("dzbl.mdb")));
    const PrepareResult r = prepareDataDirectory(data.path(), tinySeed(seed));
    EXPECT_EQ(r.status, PrepareResult::Incomplete);
    EXPECT_EQ(r.missing, QStringList{"dzbl.mdb"});
    EXPECT_TRUE(r.message.contains("dzbl.mdb"));
    EXPECT_FALSE(QFileInfo::exists(data.file("dzbl.mdb")));
}

TEST(DataDirectory, AFaultySeedLeavesNoFileBehind) {
    TempDir seed, data;
    tinySeed(seed);
    writeFile(seed.file("fwqdz/系统设置.tsv"), "项目\t备注\n头痛\n");  // one field short
    const PrepareResult r = prepareDataDirectory(data.path(), {QString(), seed.path()});
    EXPECT_EQ(r.status, PrepareResult::Failed);
    EXPECT_TRUE(r.message.contains("系统设置")) << r.message.toStdString();
    EXPECT_TRUE(QDir(data.path()).entryList(QDir::Files).isEmpty());
}

// A kill while the three complete files were being renamed into place: the next start
// finishes the renames instead of calling the ward incomplete; files of a build that never
// reached its renames are thrown away.
TEST(DataDirectory, ACreationInterruptedByACrashIsFinishedOrThrownAway) {
    TempDir seed, built, data;
    ASSERT_EQ(prepareDataDirectory(built.path(), tinySeed(seed)).status, PrepareResult::Created);
    ASSERT_TRUE(QFile::copy(built.file("dzbl.mdb"), data.file("dzbl.mdb")));
    ASSERT_TRUE(QFile::copy(built.file("ZYBD.mdb"), data.file("ZYBD.mdb.creating")));
    ASSERT_TRUE(QFile::copy(built.file("fwqdz.mdb"), data.file("fwqdz.mdb.creating")));
    writeFile(data.file(".qinghe-placing"), "placing\n");
    EXPECT_EQ(prepareDataDirectory(data.path(), tinySeed(seed)).status, PrepareResult::Existing);
    EXPECT_EQ(QDir(data.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"dzbl.mdb", "fwqdz.mdb", "ZYBD.mdb"}));
    EXPECT_FALSE(readOne(DbFile::Reference, data.path(), "select count(*) from sqlite_master").isEmpty());

    TempDir early;
    ASSERT_TRUE(QFile::copy(built.file("dzbl.mdb"), early.file("dzbl.mdb.creating")));
    EXPECT_EQ(recoverInterruptedCreation(early.path()).isEmpty(), false);
    EXPECT_TRUE(QDir(early.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(prepareDataDirectory(early.path(), tinySeed(seed)).status, PrepareResult::Created);
}

TEST(DataDirectory, CommandLineThenEnvironmentThenProgramDirectory) {
    qputenv("QINGHE_DATA", "/srv/ward-env");
    EXPECT_EQ(resolveDataDirectory({"qinghe-emr", "--data", "/srv/ward"}), "/srv/ward");
    EXPECT_EQ(resolveDataDirectory({"qinghe-emr", "--data=/srv/other"}), "/srv/other");
    EXPECT_EQ(resolveDataDirectory({"qinghe-emr"}), "/srv/ward-env");
    qunsetenv("QINGHE_DATA");
    EXPECT_EQ(resolveDataDirectory({"qinghe-emr"}), QCoreApplication::applicationDirPath());
}

TEST(SeedFiles, NamesAndFieldsFollowTheFormat) {
    EXPECT_EQ(seedTableName("10-科室.tsv"), "科室");
    EXPECT_EQ(seedTableName("/x/ICD_10.tsv"), "ICD_10");
    EXPECT_EQ(seedTableName("zyb-yzxx.tsv"), "zyb-yzxx");  // only a numeric prefix orders
    EXPECT_TRUE(unescapeSeedField("").isNull());
    EXPECT_EQ(unescapeSeedField("a\\\\tb"), "a\\tb");
    EXPECT_EQ(unescapeSeedField("C:\\dir"), "C:\\dir");  // not an escape: kept
}
