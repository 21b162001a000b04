// qinghe-emr-admin print: a stay's temperature chart, order sheets, infusion cards and front
// page, to PDF or to the drawing board's recording.
#include <QFileInfo>
#include <QRegularExpression>

#include "admin_run.h"
#include "store/Connection.h"
#include "store/DatabaseFiles.h"

using namespace qh::test;

namespace {

// The recording a print wrote, one drawing call a line.
QStringList recording(const QString& path) {
    return QString::fromUtf8(readAll(path)).split('\n', Qt::SkipEmptyParts);
}

class PrintCommand : public AdminWard {
protected:
    void SetUp() override {
        AdminWard::SetUp();
        if (HasFatalFailure()) return;
        sql({"insert into 在院病人 (住院编号, 住院号, 姓名, 性别, 年龄, 状态, 入院日期) values "
             "('77', '20160077', '李秀英', '女', '61岁', '在院', '2016年2月1日9时30分')",
             "insert into 体温单 (检索, 日期, 时刻, 体温类型, 体温1) values ('77', '2016-2-9', '上8', '腋温', '36.8')"});
    }
};

TEST_F(PrintCommand, RecordingOfOnePageAtAFixedClock) {
    const AdminRun run = admin({"print", dir.path(), "77", "--chart", file("c.tsv"), "--page", "2", "--at", "2016-2-10 08:00"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = recording(file("c.tsv"));
    EXPECT_EQ(lines.first(), "1\tclear\t0\t0\t620\t868");
    EXPECT_TRUE(lines.contains("1\ttext\t300\t838\t宋体\t10\t0\t0\t第 2 页"));
    // Day 9 is the second column of page 2 (上8 at x 210); 36.8 °C on its line at y 455.
    EXPECT_TRUE(lines.contains("1\tline\t207\t452\t213\t458\t1\t16711680\t0"));
}

TEST_F(PrintCommand, PdfOfAllPages) {
    const AdminRun run = admin({"print", dir.path(), "77", "--chart", file("c.pdf"), "--at", "2016-2-10 08:00"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("2 "));
    EXPECT_TRUE(readAll(file("c.pdf")).startsWith("%PDF"));
}

TEST_F(PrintCommand, RefusalsAndWrongUsage) {
    AdminRun run = admin({"print", dir.path(), "99", "--chart", file("c.tsv")});
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

class PrintOrders : public AdminWard {
protected:
    void SetUp() override {
        AdminWard::SetUp();
        if (HasFatalFailure()) return;
        qh::store::Connection db = qh::store::Connection::open(qh::store::DataDirectory(dir.path()), qh::store::DbFile::Main);
        ASSERT_TRUE(db.execute("insert into 在院病人 (住院编号, 住院号, 姓名, 性别, 年龄, 床号, 状态) values "
                               "('77', '20160077', '李秀英', '女', '61岁', '3', '在院'), "
                               "('78', '20160078', '赵四', '男', '45岁', '4', '在院')")
                        .changed());
        for (int i = 0; i < 30; ++i)
            ASSERT_TRUE(db.execute("insert into zyb_yzxx (zyid, yzid, yzsj, xmmc, xmsl, xmdw, yzjl, yzfs, yzyf, qllb, "
                                   "ysxm1, yzlb, sjyz, yzzt, ypcz) values ('77', ?, '2016-05-10 09:00:00', ?, 1, '支', "
                                   "'1g', '静脉注射', 'bid', '请领单', '李医生', '长期医嘱', ?, 'OK', '单开')",
                                   {QString::number(100 + i), QStringLiteral("药%1").arg(i), QString::number(100 + i)})
                            .changed());
    }
    int print(const QStringList& args, QString* err = nullptr) {
        const AdminRun r = admin(args);
        if (err) *err = r.err;
        return r.status;
    }
};

TEST_F(PrintOrders, SheetsToRecordingAndPdf) {
    ASSERT_EQ(print({"print", dir.path(), "77", "--long", file("l.tsv"), "--page", "2"}), 0);
    const QStringList lines = recording(file("l.tsv"));
    EXPECT_TRUE(lines.contains("1\ttext\t960\t2750\t宋体\t27.5\t1\t0\t第 2 页"));
    EXPECT_TRUE(lines.filter("药29").size() == 1);
    EXPECT_TRUE(lines.filter("药23").isEmpty());
    ASSERT_EQ(print({"print", dir.path(), "77", "--long", file("l.pdf")}), 0);
    EXPECT_TRUE(readAll(file("l.pdf")).startsWith("%PDF"));

    QString err;
    EXPECT_EQ(print({"print", dir.path(), "77", "--temporary", file("t.tsv")}, &err), 1);
    EXPECT_EQ(err.trimmed(), QStringLiteral("无可打印页面！"));
    EXPECT_EQ(print({"print", dir.path(), "99", "--long", file("x.tsv")}), 1);
}

TEST_F(PrintOrders, CardsOfSeveralStays) {
    ASSERT_EQ(print({"print", dir.path(), "77,78", "--cards", "2016-05-10", "--option", "长期", file("c.tsv"), "--at",
                     "2016-05-10 10:00"}),
              0);
    const QStringList lines = recording(file("c.tsv"));
    // 30 lines of 李秀英: cards of 20 and 10; 赵四's empty card third.
    EXPECT_EQ(lines.filter(QRegularExpression("\t药品输液单$")).size(), 2);
    EXPECT_EQ(lines.filter("药品输液单(2)").size(), 1);
    EXPECT_EQ(lines.filter("赵四").size(), 1);
    EXPECT_EQ(print({"print", dir.path(), "77,99", "--cards", "2016-05-10", file("c.tsv")}), 1);
    for (const QStringList& wrong :
         {QStringList{"print", dir.path(), "77", "--cards", "2016-13-40", file("c.tsv")},
          QStringList{"print", dir.path(), "77", "--cards", "2016-05-10", "--option", "全部", file("c.tsv")},
          QStringList{"print", dir.path(), "77", "--long", "--option", "长期", file("c.tsv")},
          QStringList{"print", dir.path(), "77", "--long", file("c.txt")}})
        EXPECT_EQ(print(wrong), 2) << wrong.join(' ').toStdString();
}

using PrintFrontPage = AdminWard;

TEST_F(PrintFrontPage, OnEitherFormAndRefusesWhatItCannotPrint) {
    sql({"insert into 在院病人 (住院编号, 住院号, 姓名, 性别, 年龄, 科室, 状态, 入院日期) values "
         "('88', 'Z88', '王芳', '女', '30岁', '内科', '出院', '2016年3月5日8时')",
         "insert into BAJK (ZYBH, XM, ZFY) values ('88', '王芳', 1234.5)"});

    const QString western = dir.file("west.pdf"), tcm = dir.file("tcm.pdf");
    const AdminRun printed = admin({"print", dir.path(), "88", "--frontpage", western});
    EXPECT_EQ(printed.status, 0) << printed.err.toStdString();
    EXPECT_EQ(printed.out.trimmed(), western);
    EXPECT_GT(QFileInfo(western).size(), 1000);
    EXPECT_EQ(admin({"print", dir.path(), "88", "--frontpage", tcm, "--format", "2"}).status, 0);
    EXPECT_GT(QFileInfo(tcm).size(), QFileInfo(western).size());  // the TCM form has more to draw

    const AdminRun unknown = admin({"print", dir.path(), "99", "--frontpage", dir.file("x.pdf")});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err.trimmed(), "no stay 99");
    EXPECT_EQ(admin({"print", dir.path(), "88", "--frontpage", tcm, "--format", "3"}).status, 2);
    EXPECT_EQ(admin({"print", dir.path(), "88"}).status, 2);
}

}  // namespace
