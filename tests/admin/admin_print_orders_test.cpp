// qinghe-emr-admin print: the order sheets and the infusion cards.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "AdminCommands.h"
#include "store/Connection.h"
#include "store/DatabaseFiles.h"
#include "support/temp_dir.h"

namespace {

int admin(const QStringList& args, QString* err = nullptr) {
    QString out, e;
    QTextStream o(&out), es(&e);
    const int status = qh::admin::dispatch(args, o, es);
    es.flush();
    if (err) *err = e;
    return status;
}

class PrintOrders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(admin({"init", dir.path()}), 0);
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
    QString file(const char* name) const { return dir.file(QString::fromUtf8(name)); }
    QStringList recording(const char* name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts) : QStringList();
    }
    qh::test::TempDir dir;
};

TEST_F(PrintOrders, SheetsToRecordingAndPdf) {
    ASSERT_EQ(admin({"print", dir.path(), "77", "--long", file("l.tsv"), "--page", "2"}), 0);
    const QStringList lines = recording("l.tsv");
    EXPECT_TRUE(lines.contains("1\ttext\t960\t2750\t宋体\t27.5\t1\t0\t第 2 页"));
    EXPECT_TRUE(lines.filter("药29").size() == 1);
    EXPECT_TRUE(lines.filter("药23").isEmpty());
    ASSERT_EQ(admin({"print", dir.path(), "77", "--long", file("l.pdf")}), 0);
    QFile pdf(file("l.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));

    QString err;
    EXPECT_EQ(admin({"print", dir.path(), "77", "--temporary", file("t.tsv")}, &err), 1);
    EXPECT_EQ(err.trimmed(), QStringLiteral("无可打印页面！"));
    EXPECT_EQ(admin({"print", dir.path(), "99", "--long", file("x.tsv")}), 1);
}

TEST_F(PrintOrders, CardsOfSeveralStays) {
    ASSERT_EQ(admin({"print", dir.path(), "77,78", "--cards", "2016-05-10", "--option", "长期", file("c.tsv"), "--at",
                     "2016-05-10 10:00"}),
              0);
    const QStringList lines = recording("c.tsv");
    // 30 lines of 李秀英: cards of 20 and 10; 赵四's empty card third.
    EXPECT_EQ(lines.filter(QRegularExpression("\t药品输液单$")).size(), 2);
    EXPECT_EQ(lines.filter("药品输液单(2)").size(), 1);
    EXPECT_EQ(lines.filter("赵四").size(), 1);
    EXPECT_EQ(admin({"print", dir.path(), "77,99", "--cards", "2016-05-10", file("c.tsv")}), 1);
    for (const QStringList& wrong :
         {QStringList{"print", dir.path(), "77", "--cards", "2016-13-40", file("c.tsv")},
          QStringList{"print", dir.path(), "77", "--cards", "2016-05-10", "--option", "全部", file("c.tsv")},
          QStringList{"print", dir.path(), "77", "--long", "--option", "长期", file("c.tsv")},
          QStringList{"print", dir.path(), "77", "--long", file("c.txt")}})
        EXPECT_EQ(admin(wrong), 2) << wrong.join(' ').toStdString();
}

}  // namespace
