// qinghe-emr-admin orders: files of lines typed into the entry grids, herbal prescriptions
// and the lists, on a ward with a small catalogue.
#include "admin_run.h"
#include "orders/OrderModel.h"
#include "orders/orders_fixture.h"
#include "store/Connection.h"

using namespace qh;
using namespace qh::orders;
using test::AdminRun;

namespace {

class OrdersCommandTest : public test::OrdersFixture {
protected:
    AdminRun run(const QStringList& args) { return test::admin(QStringList{"orders", files().dir(), serial_, "李医生"} + args); }
    QString file(const QString& text) {
        const QString path = dir_.file(QStringLiteral("lines%1.tsv").arg(++files_));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text.toUtf8());
        return path;
    }
    int files_ = 0;
};

TEST_F(OrdersCommandTest, EntersGroupsSkinTestsAndHerbsThroughTheGrid) {
    const AdminRun western = run({"enter", "长期", file("新组\t1\t\t1\t\t250\t静脉滴注\tbid\t2016-05-09\n"
                                                     "承组\t2\t\t2\t\t1\t\t\t\n"
                                                     "\n"
                                                     "单开\t4\t\t1\t\t\t\t\t\n"
                                                     "\t\t按内科护理常规\t\t\t\t\t\t\n")});
    ASSERT_EQ(western.status, 0) << western.err.toStdString();
    EXPECT_EQ(western.out, kSaved + "\n");
    const store::Rows rows = orders();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[1].text("yzfs") + rows[1].text("yzyf"), QStringLiteral("静脉滴注bid"));
    EXPECT_EQ(rows[0].text("yzfs"), QString());
    EXPECT_DOUBLE_EQ(rows[1].real("xmsl"), 4);
    EXPECT_EQ(rows[1].text("yzjl"), QStringLiteral("1g"));
    EXPECT_EQ(rows[0].text("yzsj_text"), QStringLiteral("2016-05-09 09:07:02"));
    EXPECT_EQ(rows[3].text("ypcz"), kSingle);
    EXPECT_EQ(rows[3].text("sjyz"), rows[3].text("yzid"));

    const AdminRun skin = run({"enter", "临时", file("单开\t5\t注射用青霉素钠\t1\t\t\t\t\t\n")});
    ASSERT_EQ(skin.status, 0) << skin.err.toStdString();
    EXPECT_EQ(orders("yzlb='临时医嘱'").first().text("xmmc"), QStringLiteral("注射用青霉素钠青霉素皮试( )"));
    const AdminRun noDrug = run({"enter", "临时", file("单开\t5\t\t1\t\t\t\t\t\n")});
    EXPECT_EQ(noDrug.status, 1);
    EXPECT_EQ(noDrug.out, kChooseAllergyDrug + "\n");

    const AdminRun herbs = run({"herbal", "水煎服，每日一剂", "7", file("7\t\t30\n8\t后下\t10\n")});
    ASSERT_EQ(herbs.status, 0) << herbs.err.toStdString();
    EXPECT_EQ(count("select count(*) from zyb_yzxx where yzlb='处方用药'"), 3);
    EXPECT_EQ(run({"herbal", "", "7", file("7\t\t30\n")}).out, kChooseHerbalUsage + "\n");

    const AdminRun list = run({"list", "长期"});
    EXPECT_EQ(list.status, 0);
    const QStringList listed = list.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(listed.size(), 4);
    EXPECT_TRUE(listed[0].startsWith(rows[0].text("sid") + "\t2016-05-09\t09:07\t0.9%氯化钠注射液"));
    EXPECT_TRUE(listed[1].contains(QStringLiteral("┘静脉滴注 bid"))) << listed[1].toStdString();
    EXPECT_EQ(run({"list", "草药"}).out.split('\n', Qt::SkipEmptyParts).size(), 2);
}

TEST_F(OrdersCommandTest, RefusesWithoutWritingAnything) {
    const struct {
        const char* name;
        QStringList args;
        int status;
    } cases[] = {
        {"quantity not a number", {"enter", "长期", file("单开\t3\t\t1+1\t\t\t\t\t\n")}, 1},
        {"unknown item", {"enter", "长期", file("单开\t999\t\t1\t\t\t\t\t\n")}, 1},
        {"disabled item", {"enter", "长期", file("单开\t9\t\t1\t\t\t\t\t\n")}, 1},
        {"herb that is no herb", {"herbal", "水煎服", "7", file("3\t\t30\n")}, 1},
        {"unknown kind", {"enter", "短期", file("单开\t3\t\t1\t\t\t\t\t\n")}, 2},
        {"missing file", {"enter", "长期", dir_.file("none.tsv")}, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(run(c.args).status, c.status) << c.name;
    EXPECT_EQ(count("select count(*) from zyb_yzxx"), 0);
    EXPECT_EQ(test::admin({"orders", files().dir(), "no-such-stay", "李医生", "list", "长期"}).status, 1);
}

// ---- the demo ward

// The demo command leaves every in-ward patient with whole groups and prescriptions, and
// the orders command works on the fresh ward.
TEST(DemoWardOrders, WholeGroupsAndTheCommandLineOnAFreshWard) {
    qh::test::TempDir dir;
    const QString ward = dir.file("ward");
    const AdminRun demo = test::admin({"demo", ward});
    ASSERT_EQ(demo.status, 0) << demo.err.toStdString();
    const store::DataDirectory files(ward);
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    auto count = [&db](const QString& sql) { return db.query(sql).first().value(0).toInt(); };
    const qint64 inWard = count("select count(*) from 在院病人 where 状态='在院'");
    ASSERT_GT(inWard, 0);
    EXPECT_EQ(count("select count(distinct zyid) from zyb_yzxx where yzlb='长期医嘱'"), inWard);
    EXPECT_EQ(count("select count(distinct zyid) from zyb_yzxx where yzlb='临时医嘱'"), inWard);
    EXPECT_GT(count("select count(*) from zyb_yzxx where xmmc='草药处方单'"), 0);
    // Skin tests with their results; executed, stopped (some confirmed), voided and
    // reorganised orders, as the ward works them.
    EXPECT_GT(count("select count(*) from zyb_yzxx where xmmc like '%皮试 (+)' or xmmc like '%皮试 (-)'"), 0);
    EXPECT_GT(count("select count(*) from zyb_yzxx where hsxm1<>'' and yzlb='临时医嘱' and dysj is not null"), 0);
    EXPECT_GT(count("select count(*) from zyb_yzxx where hsxm2<>''"), 0);
    EXPECT_GT(count("select count(*) from zyb_yzxx where yzzt='Del'"), 0);
    EXPECT_GT(count("select count(*) from zyb_yzxx where xmmc='重整医嘱' and yzzt='OK'"), 0);
    // The rows of one generation (between reorganisation markers) never share an order
    // number; a reorganised copy shares it with its original above the marker.
    const QString sameGeneration = QStringLiteral(
        "not exists (select 1 from zyb_yzxx m where m.xmmc='重整医嘱' and m.zyid=a.zyid and m.sid>b.sid and m.sid<a.sid)");
    EXPECT_EQ(count("select count(*) from zyb_yzxx a, zyb_yzxx b where b.yzid=a.yzid and b.sid<a.sid and " +
                    sameGeneration),
              0);
    // Every 承组 line belongs to a 新组 line of its own patient, and only the last line of a
    // group carries the route.
    EXPECT_EQ(count("select count(*) from zyb_yzxx c where c.ypcz='承组' and not exists (select 1 from zyb_yzxx n "
                    "where n.ypcz='新组' and n.yzid=c.sjyz and n.zyid=c.zyid)"),
              0);
    EXPECT_EQ(count("select count(*) from zyb_yzxx b where b.ypcz in ('新组','承组') and b.yzfs<>'' and exists "
                    "(select 1 from zyb_yzxx a where a.sjyz=b.sjyz and a.zyid=b.zyid and a.sid>b.sid and " +
                    sameGeneration + ")"),
              0);
    EXPECT_GT(count("select count(*) from zyb_yzxx where ypcz='承组' and yzfs='静脉滴注'"), 0);
    EXPECT_EQ(count("select count(*) from zyb_ypqlxx"),
              count("select count(*) from zyb_yzxx where yzlb='处方用药' and xmmc<>'草药处方单'"));

    const QString stay = db.query("select 住院编号 from 在院病人 where 状态='在院' order by 编号").first().text("住院编号");
    const QString doctor = db.query("select 用户 from 用户 where 级别='医师' order by 编号").first().text("用户");
    db.close();
    const QString lines = dir.file("lines.tsv");
    {
        QFile f(lines);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QString("单开\t\t病危通知\t\t\t\t\t\t\n").toUtf8());
    }
    EXPECT_EQ(test::admin({"orders", ward, stay, doctor, "enter", "临时", lines}).status, 0);
    const AdminRun listed = test::admin({"orders", ward, stay, doctor, "list", "临时"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_TRUE(listed.out.contains("病危通知")) << listed.out.toStdString();
}

}  // namespace
