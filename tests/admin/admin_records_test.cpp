// records, record-new, record-export and check on a ward's record documents.
#include <QRegularExpression>

#include "admin_run.h"

using namespace qh::test;

namespace {

class AdminRecords : public AdminWard {
protected:
    void SetUp() override {
        AdminWard::SetUp();
        if (HasFatalFailure()) return;
        sql({"insert into 在院病人 (住院编号, 住院号, 姓名, 性别, 年龄, 科室, 主管医生, 状态, 入院日期) values "
             "('88', 'Z88', '王芳', '女', '30岁', '内科', '李医生', '在院', '2016年3月5日8时')"});
    }
};

TEST_F(AdminRecords, AddListExportAndCheckAStaysDocuments) {
    AdminRun made = admin({"record-new", dir.path(), "88", "住院病历", "--at", "2016-03-05 10:00"});
    ASSERT_EQ(made.status, 0) << made.err.toStdString();
    EXPECT_TRUE(made.out.endsWith("\t女住院病历\n")) << made.out.toStdString();
    const QString id = made.out.section('\t', 0, 0);
    ASSERT_EQ(admin({"record-new", dir.path(), "88", "日常病程记录"}).status, 0);
    ASSERT_EQ(admin({"record-new", dir.path(), "88", "日常病程记录"}).status, 0);

    // Refusals: the program's message, exit 1, nothing added.
    const AdminRun again = admin({"record-new", dir.path(), "88", "住院病历"});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "你已经添加【住院病历】模块\n");
    EXPECT_EQ(admin({"record-new", dir.path(), "99", "住院病历"}).status, 1);
    EXPECT_EQ(admin({"record-new", dir.path(), "88", "无此模板"}).err.count('\n'), 1);

    const AdminRun listed = admin({"records", dir.path(), "88"});
    ASSERT_EQ(listed.status, 0);
    const QStringList lines = listed.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], id + "\t4\t住院病历\t女住院病历\t");  // the 顺序 of the template used
    EXPECT_TRUE(lines[2].endsWith("\t日常病程记录2\t日常病程记录2\t日常病程记录"));

    const QString txt = dir.file("out.txt");
    ASSERT_EQ(admin({"record-export", dir.path(), id, txt}).status, 0);
    const QString text = QString::fromUtf8(readAll(txt));
    EXPECT_TRUE(text.contains("王芳"));
    EXPECT_TRUE(text.indexOf("姓名：王芳") < text.indexOf("住院病历")) << "the header comes first";
    EXPECT_TRUE(text.contains("姓　　名\t王芳\t")) << "a table row on one line";
    ASSERT_EQ(admin({"record-export", dir.path(), id, dir.file("out.pdf")}).status, 0);
    EXPECT_TRUE(QFile(dir.file("out.pdf")).size() > 1000);
    const AdminRun unknown = admin({"record-export", dir.path(), "999", dir.file("none.pdf")});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_FALSE(QFile::exists(dir.file("none.pdf")));

    // The check says what it is doing on err, and has read every document at the end.
    const AdminRun checked = admin({"check", dir.path()});
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(checked.out, "ok\n");
    EXPECT_TRUE(checked.err.contains("dzbl.mdb：完整性检查")) << checked.err.toStdString();
    EXPECT_TRUE(QRegularExpression("病历 (\\d+)/\\1\n").match(checked.err).hasMatch()) << checked.err.toStdString();
    ASSERT_EQ(admin({"sql", main, "update 在院病历 set 数据='garbage' where 编号=" + id}).status, 0);
    const AdminRun damaged = admin({"check", dir.path()});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_TRUE(damaged.out.contains("编号 " + id)) << damaged.out.toStdString();
    EXPECT_EQ(admin({"record-export", dir.path(), id, dir.file("bad.txt")}).status, 1);
    EXPECT_EQ(admin({"record-export", dir.path(), id, dir.file("bad.ewd")}).status, 0) << "the bytes as stored";
}

}  // namespace
