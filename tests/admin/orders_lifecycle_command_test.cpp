// qinghe-emr-admin orders … execute|stop|void|delete|positive|negative SID, reorganise and
// postop: the row with that sid is selected and the list's operation runs on its group,
// with the program's own messages and an exit status that tells done from refused.
#include "admin_run.h"
#include "orders/OrderLifecycle.h"
#include "orders/orders_fixture.h"
#include "store/Connection.h"

using namespace qh;
using namespace qh::orders;
using test::AdminRun;

namespace {

class OrdersLifecycleCommandTest : public test::OrdersFixture {
protected:
    void SetUp() override {
        OrdersFixture::SetUp();
        if (HasFatalFailure()) return;
        addUser(QStringLiteral("赵护士"), QStringLiteral("内科"), QStringLiteral("1"));
    }
    AdminRun run(const QString& user, const QStringList& args) { return test::admin(QStringList{"orders", files().dir(), serial_, user} + args); }
    QString file(const QString& text) {
        const QString path = dir_.file(QStringLiteral("postop.tsv"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text.toUtf8());
        return path;
    }
};

TEST_F(OrdersLifecycleCommandTest, NewExecutedStoppedConfirmedThenVoidedAndDeleted) {
    saveBatch(OrderKind::LongTerm, {line(kNewGroup, QStringLiteral("0.9%氯化钠注射液"), "1"),
                                    line(kInGroup, QStringLiteral("注射用头孢曲松钠"), "2"), line(kSingle, QStringLiteral("Ⅱ级护理"), "4")});
    const AdminRun executed = run("赵护士", {"execute", "2"});
    ASSERT_EQ(executed.status, 0) << executed.err.toStdString();
    EXPECT_EQ(value("select count(*) from zyb_yzxx where hsxm1='赵护士'"), QStringLiteral("2"));
    const AdminRun again = run("赵护士", {"execute", "1"});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.out, kAlreadyExecuted + "\n");
    EXPECT_EQ(run("李医生", {"delete", "1"}).out, kExecutedCannotDelete + "\n");

    EXPECT_EQ(run("李医生", {"stop", "1"}).status, 0);
    EXPECT_EQ(value("select count(*) from zyb_yzxx where ysxm2='李医生' and tzsj is not null"), QStringLiteral("2"));
    EXPECT_EQ(run("赵护士", {"execute", "1"}).status, 0);  // the stop confirmed
    EXPECT_EQ(value("select count(*) from zyb_yzxx where hsxm2='赵护士'"), QStringLiteral("2"));

    EXPECT_EQ(run("李医生", {"positive", "1"}).status, 1);  // not a list with skin tests
    EXPECT_EQ(run("李医生", {"execute", "99"}).status, 1);
    EXPECT_EQ(run("李医生", {"void", "x"}).status, 2);
    EXPECT_EQ(run("李医生", {"void", "1"}).status, 0);
    EXPECT_EQ(value("select group_concat(yzzt) from zyb_yzxx where sid<3"), QStringLiteral("Del,Del"));
    EXPECT_EQ(run("李医生", {"delete", "3"}).status, 0);
    EXPECT_EQ(value("select count(*) from zyb_yzxx"), QStringLiteral("2"));
}

TEST_F(OrdersLifecycleCommandTest, ReorganiseAndPostOperativeAnswerTheirQuestionWithOk) {
    saveBatch(OrderKind::LongTerm, {line(kSingle, QStringLiteral("Ⅱ级护理"), "4")});
    const AdminRun reorganised = run("李医生", {"reorganise"});
    ASSERT_EQ(reorganised.status, 0) << reorganised.err.toStdString();
    EXPECT_EQ(reorganised.out, kReorganiseQuestion + "\n");
    EXPECT_EQ(value("select group_concat(xmmc, '|') from (select xmmc from zyb_yzxx order by sid)"),
              QStringLiteral("Ⅱ级护理|重整医嘱|Ⅱ级护理"));

    // A line that cannot be entered stops nothing.
    EXPECT_EQ(run("李医生", {"postop", file("单开\t999\t\t1\t\t\t\t\t\n")}).status, 1);
    EXPECT_EQ(value("select count(*) from zyb_yzxx where tzsj is null"), QStringLiteral("2"));
    const AdminRun postop = run("李医生", {"postop", file("单开\t4\t\t1\t\t\t\t\t\n")});
    ASSERT_EQ(postop.status, 0) << postop.err.toStdString();
    EXPECT_EQ(postop.out, kPostOperativeQuestion + "\n" + kSaved + "\n");
    EXPECT_EQ(value("select group_concat(xmmc, '|') from (select xmmc from zyb_yzxx where tzsj is null order by sid)"), QStringLiteral("重整医嘱|术后医嘱|Ⅱ级护理"));
}

}  // namespace
