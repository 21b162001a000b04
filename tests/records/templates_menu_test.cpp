// The ward's paper and header settings, the Add menu and the list of all templates.
#include <QAction>

#include "records/templates/TemplateSettings.h"
#include "records/ui/AddMenu.h"
#include "shell/ui/MainWindow.h"
#include "templates_fixture.h"
#include "widgets/ScriptedUserInterface.h"

namespace qh::records {
namespace {

class TemplateMenuTest : public test::TemplatesWard {
protected:
    void SetUp() override { makeWard(false); }
};

TEST_F(TemplateMenuTest, SettingsFollowBaseTemplateAndHeaderRows) {
    exec(QStringLiteral("insert into 基础模板 (纸张数据) values (false)"));
    exec(QStringLiteral("insert into 抬头 (项目, 选中) values ('姓名', true), ('科室', false), ('病室', true), "
                        "('床号', false), ('住院号', true)"));
    TemplateSettings s = LoadTemplateSettings();
    EXPECT_EQ(s.paper, QStringLiteral("B"));
    EXPECT_EQ(s.baseColumn, QStringLiteral("B5数据"));
    EXPECT_TRUE(s.header.name);
    EXPECT_FALSE(s.header.department);
    EXPECT_TRUE(s.header.room);
    EXPECT_FALSE(s.header.bed);
    EXPECT_TRUE(s.header.number);

    exec(QStringLiteral("update 基础模板 set 纸张数据=true"));
    s = LoadTemplateSettings();
    EXPECT_EQ(s.paper, QStringLiteral("A"));
    EXPECT_EQ(s.baseColumn, QStringLiteral("A4数据"));
}

TEST_F(TemplateMenuTest, TwentyFiveSelectedShowTheFirstTwentyByOrder) {
    // Inserted in reverse so that the database's own order is not the 顺序.
    for (int i = 25; i >= 1; --i) addTemplate(QStringLiteral("模板%1").arg(i), i);
    addTemplate(QStringLiteral("未选"), 0, false);
    addTemplate(QStringLiteral("B5的"), 0, true, QStringLiteral("B"));
    const AddMenu menu = BuildAddMenu(QStringLiteral("A"));
    ASSERT_EQ(menu.items.size(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(menu.items[i].key, QStringLiteral("模板%1").arg(i + 1));
        EXPECT_TRUE(menu.visible(i));
    }
    EXPECT_FALSE(menu.visible(20));
}

TEST_F(TemplateMenuTest, TwentyFillEveryItemAndThreeHideTheRest) {
    for (int i = 1; i <= 20; ++i) addTemplate(QStringLiteral("甲%1").arg(i), i);
    EXPECT_EQ(BuildAddMenu(QStringLiteral("A")).items.size(), 20);

    for (int i = 1; i <= 3; ++i) addTemplate(QStringLiteral("乙%1").arg(i), i, true, QStringLiteral("B"));
    const AddMenu menu = BuildAddMenu(QStringLiteral("B"));
    ASSERT_EQ(menu.items.size(), 3);
    EXPECT_EQ(menu.items[2].caption, QStringLiteral("乙3"));
    EXPECT_TRUE(menu.visible(2));
    for (int i = 3; i < 20; ++i) EXPECT_FALSE(menu.visible(i));

    // The window's fixed items take the captions; those past the last are hidden.
    ui::ScriptedUserInterface ui;
    shell::UserContext user;
    user.grantAll();
    shell::MainWindow window(user, ui);
    applyAddMenu(window, menu);
    EXPECT_EQ(window.actions(shell::cmd::addItem(1)).first()->text(), QStringLiteral("乙1"));
    EXPECT_TRUE(window.actions(shell::cmd::addItem(3)).first()->isVisible());
    EXPECT_FALSE(window.actions(shell::cmd::addItem(4)).first()->isVisible());
    EXPECT_FALSE(window.actions(shell::cmd::addItem(20)).first()->isVisible());
    // Adding a record belongs to record creation: without it the items stay disabled.
    installAddMenu(window, TemplateSettings{QStringLiteral("B"), QStringLiteral("B5数据"), {}}, {});
    EXPECT_FALSE(window.isCommandAvailable(shell::cmd::addItem(1)));
    EXPECT_FALSE(window.isCommandAvailable(shell::cmd::MoreTemplates));
}

TEST_F(TemplateMenuTest, InstalledItemsHandTheKeyOnByThePatientsSex) {
    addTemplate(QStringLiteral("住院病历"), 1);
    addTemplate(QStringLiteral("入院记录"), 2);
    ui::ScriptedUserInterface ui;
    shell::UserContext user;
    user.grantAll();
    shell::MainWindow window(user, ui);
    QStringList created;
    installAddMenu(window, TemplateSettings{}, [&](const QString& key) { created << key; });
    window.patient().sex = QStringLiteral("女");
    window.actions(shell::cmd::addItem(1)).first()->trigger();
    window.actions(shell::cmd::addItem(2)).first()->trigger();
    EXPECT_EQ(created, (QStringList{QStringLiteral("女住院病历"), QStringLiteral("入院记录")}));
    EXPECT_EQ(recordKeyForPatient(QStringLiteral("住院病历"), QStringLiteral("男")), QStringLiteral("男住院病历"));
}

TEST_F(TemplateMenuTest, AddFromListNeedsAChosenRow) {
    const qint64 second = addTemplate(QStringLiteral("乙"), 2, false);
    addTemplate(QStringLiteral("甲"), 1, false);
    const QVector<TemplateEntry> all = ListAllTemplates(QStringLiteral("A"));
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].caption, QStringLiteral("甲"));
    EXPECT_EQ(all[1].id, second);

    ui::ScriptedUserInterface ui;
    QString handed;
    EXPECT_FALSE(AddFromList(0, ui, [&](const QString& key) { handed = key; }));
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_EQ(ui.shown()[0].title, QStringLiteral("青禾电子病历"));
    EXPECT_EQ(ui.shown()[0].text, QStringLiteral("请正确选择要添加模板。"));
    EXPECT_TRUE(AddFromList(second, ui, [&](const QString& key) { handed = key; }));
    EXPECT_EQ(handed, QStringLiteral("乙"));
}

TEST_F(TemplateMenuTest, RecordTitlesAreDistinctAndOrderedByAverageOrder) {
    addTemplate(QStringLiteral("病程1"), 10, true, QStringLiteral("A"), QStringLiteral("病程记录"));
    addTemplate(QStringLiteral("病程2"), 2, true, QStringLiteral("A"), QStringLiteral("病程记录"));  // average 6
    addTemplate(QStringLiteral("入院"), 5, true, QStringLiteral("A"), QStringLiteral("入院记录"));
    addTemplate(QStringLiteral("出院"), 7, true, QStringLiteral("A"), QStringLiteral("出院记录"));
    addTemplate(QStringLiteral("B5"), 1, true, QStringLiteral("B"), QStringLiteral("只在B5"));
    EXPECT_EQ(ListRecordTitles(QStringLiteral("A")),
              (QStringList{QStringLiteral("入院记录"), QStringLiteral("病程记录"), QStringLiteral("出院记录")}));
}

}  // namespace
}  // namespace qh::records
