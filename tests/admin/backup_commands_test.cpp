// qinghe-emr-admin backup and restore, as a scheduled job and an administrator use them.
#include <QDir>

#include "admin_run.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"

using namespace qh::test;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class BackupCommands : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(dir.path()).mkdir("seed");
        const auto prepared = qh::store::prepareDataDirectory(
            dir.file("ward"), {QStringLiteral(QH_SOURCE_DIR "/data/schema"), dir.file("seed")});
        ASSERT_EQ(prepared.status, qh::store::PrepareResult::Created);
        ward = dir.file("ward");
        exec("insert into 在院病人 (姓名, 状态) values ('张三', '在院')");
    }
    void exec(const QString& sql) {
        auto db = qh::store::Connection::open(qh::store::DataDirectory(ward), qh::store::DbFile::Main);
        ASSERT_TRUE(db.execute(sql));
    }
    int patients() {
        auto db = qh::store::Connection::open(qh::store::DataDirectory(ward), qh::store::DbFile::Main);
        return int(db.query("select count(*) from 在院病人").first().value(0).toInt());
    }
    TempDir dir;
    QString ward;
};

}  // namespace

TEST_F(BackupCommands, BackupAppendsMdbAndAllWritesTheThreeFiles) {
    const AdminRun one = admin({"backup", ward, dir.file("nightly/周一")});
    ASSERT_EQ(one.status, 0) << one.err.toStdString();
    EXPECT_TRUE(one.out.startsWith("数据库备份成功！"));
    EXPECT_TRUE(QFileInfo::exists(dir.file("nightly/周一.mdb")));
    EXPECT_EQ(QDir(dir.file("nightly")).entryList(QDir::Files).size(), 1);  // the main file alone

    const AdminRun all = admin({"backup", ward, dir.file("nightly/all"), "--all"});
    ASSERT_EQ(all.status, 0) << all.err.toStdString();
    for (const char* name : {"dzbl.mdb", "ZYBD.mdb", "fwqdz.mdb"})
        EXPECT_TRUE(QFileInfo::exists(dir.file(QStringLiteral("nightly/all/") + name))) << name;
    EXPECT_EQ(admin({"check", dir.file("nightly/all")}).status, 0);

    const QByteArray before = digestOf(ward + "/dzbl.mdb");
    const AdminRun live = admin({"backup", ward, ward + "/dzbl.mdb"});
    EXPECT_EQ(live.status, 1);
    EXPECT_EQ(live.err.count('\n'), 1);
    EXPECT_EQ(digestOf(ward + "/dzbl.mdb"), before);
    EXPECT_EQ(admin({"backup", ward}).status, 2);
}

TEST_F(BackupCommands, RestoreRefusesWhatIsNotAMainDatabaseWithTheWardUnchanged) {
    ASSERT_EQ(admin({"backup", ward, dir.file("good.mdb")}).status, 0);
    ASSERT_EQ(admin({"backup", ward, dir.file("other"), "--all"}).status, 0);
    QFile good(dir.file("good.mdb"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    write(dir.file("half.mdb"), good.read(good.size() / 2));
    write(dir.file("notes.mdb"), "医嘱记录\n第二行\n");
    write(dir.file("empty.mdb"), {});
    exec("insert into 在院病人 (姓名, 状态) values ('李四', '在院')");

    QByteArray before[3];
    for (int i = 0; i < 3; ++i) before[i] = digestOf(ward + "/" + qh::store::fileName(qh::store::allDbFiles()[i]));
    for (const QString& file : {dir.file("notes.mdb"), dir.file("half.mdb"), dir.file("other/ZYBD.mdb"),
                                dir.file("empty.mdb"), dir.file("missing.mdb")}) {
        const AdminRun refused = admin({"restore", ward, file});
        EXPECT_EQ(refused.status, 1) << file.toStdString();
        EXPECT_EQ(refused.err.count('\n'), 1) << refused.err.toStdString();
        EXPECT_TRUE(refused.err.startsWith("数据库还原失败！"));
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(digestOf(ward + "/" + qh::store::fileName(qh::store::allDbFiles()[i])), before[i]) << i;
    EXPECT_EQ(patients(), 2);

    const AdminRun restored = admin({"restore", ward, dir.file("good.mdb")});
    ASSERT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_EQ(patients(), 1);
    EXPECT_EQ(QDir(ward + "/backup").entryList(QDir::Files).size(), 1);  // the safety copy
}

TEST_F(BackupCommands, RestoreAllPutsBackTheThreeFilesOnlyWhenAllThreeAreSound) {
    ASSERT_EQ(admin({"backup", ward, dir.file("full"), "--all"}).status, 0);
    ASSERT_EQ(admin({"backup", ward, dir.file("partial"), "--all"}).status, 0);
    ASSERT_TRUE(QFile::remove(dir.file("partial/ZYBD.mdb")));
    exec("insert into 在院病人 (姓名, 状态) values ('李四', '在院')");

    const QByteArray before = digestOf(ward + "/dzbl.mdb");
    const AdminRun refused = admin({"restore", ward, dir.file("partial"), "--all"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("ZYBD.mdb")) << refused.err.toStdString();
    EXPECT_EQ(digestOf(ward + "/dzbl.mdb"), before) << "the main file was replaced before the others were checked";
    EXPECT_FALSE(QDir(ward + "/backup").exists() && !QDir(ward + "/backup").entryList(QDir::Files).isEmpty());

    const AdminRun restored = admin({"restore", ward, dir.file("full"), "--all"});
    ASSERT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_EQ(patients(), 1);
    EXPECT_EQ(QDir(ward + "/backup").entryList(QDir::Files).size(), 3);  // a safety copy of each
    EXPECT_EQ(admin({"check", ward}).status, 0);
}
