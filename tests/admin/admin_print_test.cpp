// qinghe-emr-admin print: a stay's chart to PDF or to the drawing board's recording.
#include <gtest/gtest.h>

#include <QFile>

#include "AdminCommands.h"
#include "store/Connection.h"
#include "store/DatabaseFiles.h"
#include "support/temp_dir.h"

namespace {

struct Outcome {
    int status;
    QString out, err;
};

Outcome admin(const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = qh::admin::dispatch(args, o, e);
    o.flush();
    e.flush();
    return {status, out, err};
}

class PrintCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(admin({"init", dir.path()}).status, 0);
        qh::store::Connection db = qh::store::Connection::open(qh::store::DataDirectory(dir.path()), qh::store::DbFile::Main);
        ASSERT_TRUE(db.execute("insert into 在院病人 (住院编号, 住院号, 姓名, 性别, 年龄, 状态, 入院日期) values "
                               "('77', '20160077', '李秀英', '女', '61岁', '在院', '2016年2月1日9时30分')")
                        .changed());
        ASSERT_TRUE(db.execute("insert into 体温单 (检索, 日期, 时刻, 体温类型, 体温1) values ('77', '2016-2-9', '上8', '腋温', '36.8')")
                        .changed());
    }
    QString file(const char* name) const { return dir.file(QString::fromUtf8(name)); }
    qh::test::TempDir dir;
};

TEST_F(PrintCommand, RecordingOfOnePageAtAFixedClock) {
    const Outcome run = admin({"print", dir.path(), "77", "--chart", file("c.tsv"), "--page", "2", "--at", "2016-2-10 08:00"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile f(file("c.tsv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.first(), "1\tclear\t0\t0\t620\t868");
    EXPECT_TRUE(lines.contains("1\ttext\t300\t838\t宋体\t10\t0\t0\t第 2 页"));
    // Day 9 is the second column of page 2 (上8 at x 210); 36.8 °C on its line at y 455.
    EXPECT_TRUE(lines.contains("1\tline\t207\t452\t213\t458\t1\t16711680\t0"));
}

TEST_F(PrintCommand, PdfOfAllPages) {
    const Outcome run = admin({"print", dir.path(), "77", "--chart", file("c.pdf"), "--at", "2016-2-10 08:00"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("2 "));
    QFile f(file("c.pdf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF"));
}

TEST_F(PrintCommand, RefusalsAndWrongUsage) {
    Outcome run = admin({"print", dir.path(), "99", "--chart", file("c.tsv")});
    EXPECT_EQ(run.status, 1);
    run = admin({"print", dir.path(), "77", "--chart", file("c.tsv"), "--page", "9", "--at", "2016-2-10 08:00"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.trimmed(), "无可打印页面！");
    EXPECT_FALSE(QFile::exists(file("c.tsv")));
    for (const QStringList& wrong : {QStringList{"print", dir.path(), "77"},
                                     QStringList{"print", dir.path(), "77", "--chart", file("c.txt")},
                                     QStringList{"print", dir.path(), "77", "--chart", file("c.tsv"), "--page", "x"},
                                     QStringList{"print", dir.path(), "77", "--chart", file("c.tsv"), "--at", "10:00"},
                                     QStringList{"print", dir.path(), "77", "--chart"}})
        EXPECT_EQ(admin(wrong).status, 2) << wrong.join(' ').toStdString();
}

}  // namespace
