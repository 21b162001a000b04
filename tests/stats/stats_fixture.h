#pragma once
// A small ward whose figures are counted by hand, over March 2024 (today 2024-04-10):
//
//      科室  医生    状态   入院               出院                费用    性别 年龄   诊断
//   A  内科  李医生  在院   2024-02-20 09:00   —                    —      男   65岁   肺炎       before the range, still in
//   B  内科  李医生  在院   2024-01-05 09:00   2024-02-10 10:00     —      女   40岁   高血压     returned (old 出院日期)
//   C  内科  王医生  出院   2024-03-10 08:00   2024-03-10 16:00   500.5    男   20岁   肺炎       same-day discharge
//   D  内科  王医生  在院   2024-03-31 15:30   —                    —      女   59岁   肺炎       end-day admission
//   E  内科  李医生  待结   2024-03-05 10:00   2024-03-20 11:00     —      男   9岁    糖尿病
//   F  内科  李医生  出院   2024-02-25 09:00   2024-03-04 09:00    1200    女   30岁   高血压
//   G  外科  赵医生  出院   2024-03-01 08:00   2024-03-31 20:00    3000    男   45岁   阑尾炎     discharged late on the end day
//   H  外科  赵医生  出院   2024-01-10 09:00   2024-02-15 09:00     900    女   50岁   胆囊炎     outside the range
//   I  儿科  孙医生  在院   2024-03-15 10:00   —                    —      女   10天   新生儿黄疸 a baby aged in days
//   J  儿科  孙医生  出院   2024-03-02 10:00   2024-03-12 10:00     800    男   10岁   肺炎
//   K  儿科  孙医生  在院   2024-04-02 10:00   —                    —      男   3月    腹泻       admitted after the range
//
// Beds: 内科 30, 外科 0 (not kept), 儿科 10.
#include <gtest/gtest.h>

#include "../common/fixed_clock.h"
#include "shell/ward_fixture.h"
#include "stats/Reports.h"
#include "store/Connection.h"

namespace qh::test {

class StatsWard : public WardFixture {
protected:
    StatsWard() : clock_(QDateTime(QDate(2024, 4, 10), QTime(10, 0))) {}

    void SetUp() override {
        WardFixture::SetUp();
        addDepartment(QStringLiteral("内科"));
        addDepartment(QStringLiteral("外科"));
        addDepartment(QStringLiteral("儿科"));
        exec(QStringLiteral("update 科室 set 床位=0 where 科室='外科'"));
        exec(QStringLiteral("update 科室 set 床位=10 where 科室='儿科'"));
        stay("A", "内科", "李医生", "在院", "2024-02-20 09:00", "", -1, "男", "65岁", "肺炎");
        stay("B", "内科", "李医生", "在院", "2024-01-05 09:00", "2024-02-10 10:00", -1, "女", "40岁", "高血压");
        stay("C", "内科", "王医生", "出院", "2024-03-10 08:00", "2024-03-10 16:00", 500.5, "男", "20岁", "肺炎");
        stay("D", "内科", "王医生", "在院", "2024-03-31 15:30", "", -1, "女", "59岁", "肺炎");
        stay("E", "内科", "李医生", "待结", "2024-03-05 10:00", "2024-03-20 11:00", -1, "男", "9岁", "糖尿病");
        stay("F", "内科", "李医生", "出院", "2024-02-25 09:00", "2024-03-04 09:00", 1200, "女", "30岁", "高血压");
        stay("G", "外科", "赵医生", "出院", "2024-03-01 08:00", "2024-03-31 20:00", 3000, "男", "45岁", "阑尾炎");
        stay("H", "外科", "赵医生", "出院", "2024-01-10 09:00", "2024-02-15 09:00", 900, "女", "50岁", "胆囊炎");
        stay("I", "儿科", "孙医生", "在院", "2024-03-15 10:00", "", -1, "女", "10天", "新生儿黄疸");
        stay("J", "儿科", "孙医生", "出院", "2024-03-02 10:00", "2024-03-12 10:00", 800, "男", "10岁", "肺炎");
        stay("K", "儿科", "孙医生", "在院", "2024-04-02 10:00", "", -1, "男", "3月", "腹泻");
    }

    // One stay; 日期部分 carries the admission's time of day, as admission writes it.
    void stay(const char* name, const char* dept, const char* doctor, const char* status, const char* admitted,
              const char* left, double fee, const char* sex, const char* age, const char* diagnosis) {
        store::Connection db = store::Connection::open(files(), store::DbFile::Main);
        const auto textOrNull = [](const char* t) { return *t ? store::Param(QString::fromUtf8(t)) : store::Param(nullptr); };
        ASSERT_TRUE(db.execute(QStringLiteral("insert into 在院病人 (姓名, 科室, 主管医生, 状态, 入院日期, 日期部分, 出院日期, "
                                              "费用, 性别, 年龄, 诊断, 住址) values (?,?,?,?,?,?,?,?,?,?,?,?)"),
                               {QString::fromUtf8(name), QString::fromUtf8(dept), QString::fromUtf8(doctor),
                                QString::fromUtf8(status), textOrNull(admitted), textOrNull(admitted), textOrNull(left),
                                fee < 0 ? store::Param(nullptr) : store::Param(fee), QString::fromUtf8(sex),
                                QString::fromUtf8(age), QString::fromUtf8(diagnosis), QStringLiteral("青禾镇东街1号")})
                        .changed());
    }

    stats::ReportRequest march(stats::Report r) const {
        stats::ReportRequest q;
        q.report = r;
        q.from = QDate(2024, 3, 1);
        q.to = QDate(2024, 3, 31);
        return q;
    }

    // The grid's rows without 编号, cells joined by '|'.
    QStringList run(const stats::ReportRequest& q) const {
        const stats::ReportOutcome outcome = stats::Reports(files()).run(q);
        EXPECT_TRUE(outcome.ok) << outcome.refusal.toStdString();
        QStringList out;
        for (const QStringList& row : outcome.table.rows) out << row.mid(1).join(QLatin1Char('|'));
        return out;
    }
    QStringList run(stats::Report r) const { return run(march(r)); }

    FixedClock clock_;
};

}  // namespace qh::test
