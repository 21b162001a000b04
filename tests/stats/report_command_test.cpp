// qinghe-emr-admin report, run in-process on the hand-counted ward.
#include <gtest/gtest.h>

#include <QFile>

#include "AdminCommands.h"
#include "stats_fixture.h"

using qh::test::StatsWard;

namespace {

struct CommandRun {
    int status;
    QString out, err;
};

}  // namespace

class ReportCommand : public StatsWard {
protected:
    CommandRun report(QStringList args) {
        args.prepend(files().dir());
        QString out, err;
        QTextStream o(&out), e(&err);
        const int status = qh::admin::runReport(args, o, e);
        o.flush();
        e.flush();
        return {status, out, err};
    }
};

TEST_F(ReportCommand, PrintsTheGridAsCsv) {
    const CommandRun r = report({"4", "--from", "2024-03-01", "--to", "2024-03-31"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("编号,科室,在院人数,待结人数,就诊人数\n1,儿科,2,0,3\n2,内科,3,1,6\n3,外科,0,0,1\n"));

    const CommandRun list = report({"16", "--from", "2024-03-01", "--to", "2024-03-31", "--variant", "3", "--dept", "内科"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out.count('\n'), 4);
    EXPECT_TRUE(list.out.startsWith(QStringLiteral("编号,状态,患者姓名,")));
}

TEST_F(ReportCommand, RefusesInOneLine) {
    CommandRun r = report({"1", "--from", "2024-04-01", "--to", "2024-03-31"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, qh::stats::kRangeReversed + '\n');
    EXPECT_TRUE(r.out.isEmpty());
    r = report({"10", "--from", "2024-03-01", "--to", "2024-03-31", "--dept", "骨科"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("没有此科室：骨科\n"));
    r = report({"16", "--variant", "1", "--doctor", "钱医生"});
    EXPECT_EQ(r.err, QStringLiteral("没有此医生：钱医生\n"));
    r = report({"1", "--from", "2024-13-01"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(report({"17"}).status, 2);
    EXPECT_EQ(report({"1", "--png", "x.png"}).status, 1);  // not a chart
}

TEST_F(ReportCommand, WritesTheChart) {
    const QString png = dir_.file(QStringLiteral("sex.png"));
    const CommandRun r = report({"14", "--from", "2024-03-01", "--to", "2024-03-31", "--png", png});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(png));
    EXPECT_TRUE(r.out.contains(QStringLiteral("外科,1,0")));
}
