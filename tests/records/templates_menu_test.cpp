// The ward's paper and header settings, the Add menu and the list of all templates.
#include <QListWidget>

#include "records/templates/TemplateSettings.h"
#include "records/ui/AddMenu.h"
#include "shell/MainCommands.h"
#include "shell/ui/MainWindow.h"
#include "templates_fixture.h"
#include "interaction/ScriptedUserInterface.h"

namespace qh::records {
namespace {

class TemplateMenuTest : public test::TemplatesWard {
protected:
    void SetUp() override { makeWard(false); }
};

TEST_F(TemplateMenuTest, SettingsFollowBaseTemplateAndHeaderRows) {
    exec("insert into 基础模板 (纸张数据) values (false)");
    exec(QStringLiteral("insert into 抬头 (项目, 选中) values ('姓名', true), ('科室', false), ('病室', true), "
                        "('床号', false), ('住院号', true)"));
    TemplateSettings s = loadTemplateSettings(files_);
    EXPECT_EQ(s.paper, "B");
    EXPECT_EQ(s.baseColumn, "B5数据");
    const HeaderFlags& h = s.header;
    EXPECT_EQ((QVector<bool>{h.name, h.department, h.room, h.bed, h.number}), (QVector<bool>{true, false, true, false, true}));

    exec("update 基础模板 set 纸张数据=true");
    s = loadTemplateSettings(files_);
    EXPECT_EQ(s.paper, "A");
    EXPECT_EQ(s.baseColumn, "A4数据");
}

TEST_F(TemplateMenuTest, TheFirstTwentySelectedOfThePaperFillTheMenu) {
    for (const int count : {25, 20, 3}) {
        SCOPED_TRACE(count);
        exec("delete from GSMB");
        // Inserted in reverse so that the database's own order is not the 顺序.
        for (int i = count; i >= 1; --i) addTemplate(QString("模板%1").arg(i), i);
        addTemplate("未选", 0, false);
        addTemplate("B5的", 0, true, "B");
        const AddMenu menu = buildAddMenu(files_, "A");
        ASSERT_EQ(menu.items.size(), qMin(count, 20));
        for (int i = 0; i < 20; ++i) {
            EXPECT_EQ(menu.visible(i), i < count) << i;
            if (i < count) EXPECT_EQ(menu.items[i].key, QString("模板%1").arg(i + 1));
        }
        EXPECT_FALSE(menu.visible(20));
    }

    // The registry's fixed items take the captions; those past the last are hidden.
    shell::CommandRegistry commands;
    applyAddMenu(commands, buildAddMenu(files_, "A"));
    EXPECT_EQ(commands.caption(shell::cmd::addItem(1)), "模板1");
    EXPECT_TRUE(commands.isShown(shell::cmd::addItem(3)));
    EXPECT_FALSE(commands.isShown(shell::cmd::addItem(4)));
    EXPECT_FALSE(commands.isShown(shell::cmd::addItem(20)));
}

TEST_F(TemplateMenuTest, InstalledItemsHandTheKeyOnByThePatientsSex) {
    addTemplate("住院病历", 1);
    addTemplate("模板2", 2);
    addTemplate("B5的", 1, true, "B");
    exec("insert into 在院病人 (姓名, 性别, 状态) values ('王芳', '女', '在院')");
    ui::ScriptedUserInterface ui;
    shell::UserContext user;
    user.grantAll();
    shell::MainWindow window(user, files_, ui);
    // Adding a record belongs to record creation: without it the items stay disabled.
    installAddMenu(window, TemplateSettings{"B", "B5数据", {}}, {});
    EXPECT_EQ(window.commands().caption(shell::cmd::addItem(1)), "B5的");
    EXPECT_FALSE(window.commands().isAvailable(shell::cmd::addItem(1)));
    EXPECT_FALSE(window.commands().isAvailable(shell::cmd::MoreTemplates));

    QStringList created;
    installAddMenu(window, TemplateSettings{}, [&](const QString& key, const QString&) { created << key; });
    EXPECT_FALSE(window.commands().run(shell::cmd::addItem(1)));  // nobody selected
    ASSERT_TRUE(window.selection().select(read("select max(编号) from 在院病人").toInt(), shell::PatientStatus::InWard));
    EXPECT_TRUE(window.commands().run(shell::cmd::addItem(1)));
    EXPECT_TRUE(window.commands().run(shell::cmd::addItem(2)));
    // The key is read when the item runs: a template renamed since hands its new key on.
    exec("update GSMB set 检索='会诊记录' where 检索='模板2'");
    window.commands().run(shell::cmd::addItem(2));
    // An item past the menu's end hands nothing on.
    window.commands().run(shell::cmd::addItem(3));
    EXPECT_EQ(created, (QStringList{"女住院病历", "模板2", "会诊记录"}));
    EXPECT_EQ(recordKeyForPatient("住院病历", "男"), "男住院病历");
}

TEST_F(TemplateMenuTest, AddFromListNeedsAChosenRow) {
    const qint64 second = addTemplate("乙", 2, false);
    addTemplate("甲", 1, false);
    addTemplate("通用页眉", 0, false);  // the common header: no record is made from it
    const QVector<TemplateEntry> all = listAllTemplates(files_, "A");
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].caption, "甲");
    EXPECT_EQ(all[1].id, second);

    ui::ScriptedUserInterface ui;
    QString handed;
    EXPECT_FALSE(addFromList(files_, 0, ui, [&](const QString& key) { handed = key; }));
    ASSERT_EQ(ui.shown().size(), 1);
    EXPECT_EQ(ui.shown()[0].title, "青禾电子病历");
    EXPECT_EQ(ui.shown()[0].text, "请正确选择要添加模板。");
    EXPECT_TRUE(addFromList(files_, second, ui, [&](const QString& key) { handed = key; }));
    EXPECT_EQ(handed, "乙");

    // "更多模板" lists the same rows; 添加 without a chosen row only tells the user.
    ui.clear();
    handed.clear();
    MoreTemplatesDialog dialog(files_, ui, "A", [&](const QString& key, const QString&) { handed = key; });
    ASSERT_EQ(dialog.list()->count(), 2);
    EXPECT_EQ(dialog.list()->item(0)->text(), "甲");
    dialog.addChosen();
    EXPECT_EQ(ui.lastText(), "请正确选择要添加模板。");
    EXPECT_TRUE(handed.isEmpty());
    dialog.list()->setCurrentRow(1);
    dialog.addChosen();
    EXPECT_EQ(handed, "乙");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    // A row deleted since the list was read is refused like no row at all.
    exec("delete from GSMB where 编号=?", {second});
    handed.clear();
    ui.clear();
    EXPECT_FALSE(addFromList(files_, second, ui, [&](const QString& key) { handed = key; }));
    EXPECT_EQ(ui.lastText(), "请正确选择要添加模板。");
    EXPECT_TRUE(handed.isEmpty());
}

TEST_F(TemplateMenuTest, RecordTitlesAreDistinctAndOrderedByAverageOrder) {
    addTemplate("病程1", 10, true, "A", "病程记录");
    addTemplate("病程2", 2, true, "A", "病程记录");  // average 6
    addTemplate("入院", 5, true, "A", "入院记录");
    addTemplate("出院", 7, true, "A", "出院记录");
    addTemplate("B5", 1, true, "B", "只在B5");
    EXPECT_EQ(listRecordTitles(files_, "A"),
              (QStringList{"入院记录", "病程记录", "出院记录"}));
}

}  // namespace
}  // namespace qh::records
