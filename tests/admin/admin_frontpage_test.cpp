// print --frontpage: a stay's saved front page on the hospital's form or the one asked for.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "AdminCommands.h"
#include "support/temp_dir.h"

namespace {

struct AdminResult {
    int status;
    QString out, err;
};

AdminResult admin(const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = qh::admin::dispatch(args, o, e);
    o.flush();
    e.flush();
    return {status, out, err};
}

TEST(AdminFrontPage, PrintsTheSavedFrontPageOnEitherFormAndRefusesWhatItCannotPrint) {
    qh::test::TempDir dir;
    ASSERT_EQ(admin({"init", dir.path()}).status, 0);
    const QString main = dir.file("dzbl.mdb");
    ASSERT_EQ(admin({"sql", main,
                     "insert into 在院病人 (住院编号, 住院号, 姓名, 性别, 年龄, 科室, 状态, 入院日期) values "
                     "('88', 'Z88', '王芳', '女', '30岁', '内科', '出院', '2016年3月5日8时')"})
                  .status,
              0);
    ASSERT_EQ(admin({"sql", main, "insert into BAJK (ZYBH, XM, ZFY) values ('88', '王芳', 1234.5)"}).status, 0);

    const QString western = dir.file("west.pdf"), tcm = dir.file("tcm.pdf");
    const AdminResult printed = admin({"print", dir.path(), "88", "--frontpage", western});
    EXPECT_EQ(printed.status, 0) << printed.err.toStdString();
    EXPECT_EQ(printed.out.trimmed(), western);
    EXPECT_GT(QFileInfo(western).size(), 1000);
    EXPECT_EQ(admin({"print", dir.path(), "88", "--frontpage", tcm, "--format", "2"}).status, 0);
    EXPECT_GT(QFileInfo(tcm).size(), QFileInfo(western).size());  // the TCM form has more to draw

    const AdminResult unknown = admin({"print", dir.path(), "99", "--frontpage", dir.file("x.pdf")});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err.trimmed(), "no stay 99");
    EXPECT_EQ(admin({"print", dir.path(), "88", "--frontpage", tcm, "--format", "3"}).status, 2);
    EXPECT_EQ(admin({"print", dir.path(), "88"}).status, 2);
}

}  // namespace
