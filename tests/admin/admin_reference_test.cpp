// qinghe-emr-admin reference: the reference base listed, searched and shown as the windows show it.
#include "admin_run.h"

namespace {

QString run(const QStringList& args, int expectedStatus = 0) {
    const qh::test::AdminRun r = qh::test::admin(args);
    EXPECT_EQ(r.status, expectedStatus) << args.join(' ').toStdString();
    return r.out;
}

TEST(AdminReference, ListsTreesFindsEntriesAndShowsTheOneFound) {
    qh::test::TempDir dir;
    run({"init", dir.path()});
    EXPECT_TRUE(run({"reference", dir.path(), "internal"}).startsWith("感冒\n  实证感冒\n    风寒束表\t#1\n"));
    const QString several = run({"reference", dir.path(), "herb", "hq"});
    EXPECT_TRUE(several.contains("\t黄芪\n") && several.contains("\t黄芩\n"));
    const QString one = run({"reference", dir.path(), "formula", "银翘散"});
    EXPECT_TRUE(one.startsWith("【方名】银翘散\n【出处】《温病条辨》\n"));
    EXPECT_TRUE(one.contains("\n【竹叶】 清热泻火，除烦，生津，利尿。\n"));  // the analysis
    run({"reference", dir.path(), "drug", "没有这种药"}, 1);
    run({"reference", dir.path(), "recipe"}, 2);
    run({"reference", dir.file("nowhere"), "herb"}, 1);
}

}  // namespace
