// library: a user's own and shared entries, search, an entry's text and its export.
#include <QFileInfo>

#include "admin_run.h"

using namespace qh::test;

namespace {

using AdminLibrary = AdminWard;

TEST_F(AdminLibrary, ListsShowsAndExportsEntries) {
    sql({"insert into SXZS (模块主表,模块名称,加密,所属,内容) values ('查体','肺部查体','否','张医生','双肺呼吸音清。')",
         "insert into SXZS (模块主表,模块名称,加密,所属,内容) values ('查体','私人','是','张医生','不给别人看。')"});
    const AdminRun own = admin({"library", dir.path(), "list", "张医生", "module"});
    ASSERT_EQ(own.status, 0) << own.err.toStdString();
    EXPECT_EQ(own.out, "1\t肺部查体\t查体\t张医生\t共享\n2\t私人\t查体\t张医生\t私有\n");
    EXPECT_EQ(admin({"library", dir.path(), "list", "李医生", "module", "--shared"}).out,
              "1\t肺部查体\t查体\t张医生\t共享\n");
    EXPECT_EQ(admin({"library", dir.path(), "list", "张医生", "module", "--search", "FBCT"}).out.count('\n'), 1);
    EXPECT_EQ(admin({"library", dir.path(), "show", "module", "1"}).out, "双肺呼吸音清。\n");

    const QString txt = dir.file("m.txt");
    ASSERT_EQ(admin({"library", dir.path(), "export", "module", "1", txt}).status, 0);
    EXPECT_EQ(QString::fromUtf8(readAll(txt)), "双肺呼吸音清。\n");
    ASSERT_EQ(admin({"library", dir.path(), "export", "module", "1", dir.file("m.ewd")}).status, 0);
    EXPECT_GT(QFileInfo(dir.file("m.ewd")).size(), 0);

    // Refusals: an entry that is not there, an unknown kind or file type.
    const AdminRun missing = admin({"library", dir.path(), "show", "module", "9"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "模板【9】已不存在！\n");
    EXPECT_EQ(admin({"library", dir.path(), "list", "张医生", "nothing"}).status, 2);
    EXPECT_EQ(admin({"library", dir.path(), "export", "module", "1", dir.file("m.xyz")}).status, 1);
}

}  // namespace
