// qinghe-emr-admin reference: the reference base listed, searched and shown as the windows show it.
#include <gtest/gtest.h>

#include "AdminCommands.h"
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

TEST(AdminReference, ListsTreesFindsEntriesAndShowsTheOneFound) {
    qh::test::TempDir dir;
    ASSERT_EQ(admin({"init", dir.path()}).status, 0);

    const Outcome tree = admin({"reference", dir.path(), "internal"});
    ASSERT_EQ(tree.status, 0) << tree.err.toStdString();
    EXPECT_TRUE(tree.out.startsWith("感冒\n  实证感冒\n    风寒束表\t#1\n"));

    const Outcome several = admin({"reference", dir.path(), "herb", "hq"});
    EXPECT_EQ(several.status, 0);
    EXPECT_TRUE(several.out.contains("\t黄芪\n"));
    EXPECT_TRUE(several.out.contains("\t黄芩\n"));

    const Outcome one = admin({"reference", dir.path(), "formula", "银翘散"});
    ASSERT_EQ(one.status, 0);
    EXPECT_TRUE(one.out.startsWith("【方名】银翘散\n【出处】《温病条辨》\n"));
    EXPECT_TRUE(one.out.contains("\n【竹叶】 清热泻火，除烦，生津，利尿。\n"));  // the analysis

    EXPECT_TRUE(admin({"reference", dir.path(), "disease", "急性闭角型青光眼"}).out.startsWith("【概述】"));
    EXPECT_EQ(admin({"reference", dir.path(), "drug", "没有这种药"}).status, 1);
    EXPECT_EQ(admin({"reference", dir.path(), "recipe"}).status, 2);
    EXPECT_EQ(admin({"reference", dir.file("nowhere"), "herb"}).status, 1);
}

}  // namespace
