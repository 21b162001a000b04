// The template page's operations on GSMB, run over a document without widgets.
#include <QTextDocument>

#include "records/templates/DocumentPort.h"
#include "records/templates/TemplatePageModel.h"
#include "templates_fixture.h"
#include "interaction/ScriptedUserInterface.h"

namespace qh::records {
namespace {

QByteArray documentWith(const QString& text, int width = 2100, int height = 2970) {
    RecordDocumentPort port;
    port.document().body()->setPlainText(text);
    port.setPageSize(width, height);
    return port.content();
}

QString bodyText(RecordDocumentPort& port) { return port.document().body()->toPlainText(); }

QVector<qint64> listedIds(const TemplatePageModel& page) {
    QVector<qint64> ids;
    for (const auto& e : page.entries()) ids << e.id;
    return ids;
}

class TemplatePageTest : public test::TemplatesWard {
protected:
    void SetUp() override {
        makeWard(false);
        exec("insert into 基础模板 (纸张数据) values (true)");
        exec("update 基础模板 set A4数据=?", {documentWith("A4底稿")});
        exec("update 基础模板 set B5数据=?", {documentWith("B5底稿", 1820, 2570)});
    }
    store::Value gsmb(const QString& column, qint64 id) {
        return read(QStringLiteral("select %1 from GSMB where 编号=%2").arg(column).arg(id));
    }
    TemplateSettings a4{"A", "A4数据", {}};
    TemplateSettings b5{"B", "B5数据", {}};
    RecordDocumentPort editor;
    ui::ScriptedUserInterface ui;
};

TEST_F(TemplatePageTest, OpenSaveTheModifiedPromptAndDamagedTemplates) {
    const qint64 first = addTemplate("入院记录", 1, false, "A", {}, documentWith("入院正文"));
    const qint64 second = addTemplate("出院记录", 2, true, "A", {}, documentWith("出院正文"));
    const qint64 bad = addTemplate("坏", 3, true, "A", {}, QByteArray("not a document"));
    TemplatePageModel page(files_, editor, ui, a4);
    page.listTemplates();

    EXPECT_FALSE(page.saveTemplate());
    EXPECT_EQ(ui.lastText(), "文件不存在");
    EXPECT_FALSE(page.renameTemplate("x", "y"));

    ASSERT_TRUE(page.openTemplate(first));
    EXPECT_EQ(bodyText(editor), "入院正文");
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(page.caption(), "当前模板： 入院记录");
    EXPECT_TRUE(page.options().header);
    EXPECT_FALSE(page.options().multiAdd);
    EXPECT_FALSE(page.options().inMenu);

    // Changed options and text are written by save.
    editor.document().body()->setPlainText("改过的入院正文");
    page.options().multiAdd = true;
    page.options().inMenu = true;
    page.options().header = false;
    ui.clear();
    ui.answerMessageDialog(1);  // yes, save the modified template first
    ui.answerMessageDialog(1);  // the success message
    ASSERT_TRUE(page.openTemplate(second));
    EXPECT_EQ(ui.texts(), (QStringList{"入院记录已修改，是否保存？", "入院记录模板保存成功！"}));
    EXPECT_EQ(gsmb("添加", first).toText(), "真");
    EXPECT_EQ(gsmb("页眉", first).toText(), "假");
    EXPECT_TRUE(gsmb("选中", first).toBool());
    RecordDocumentPort stored;
    ASSERT_TRUE(stored.setContent(gsmb("数据", first).toBytes()));
    EXPECT_EQ(bodyText(stored), "改过的入院正文");
    EXPECT_EQ(bodyText(editor), "出院正文");
    EXPECT_TRUE(page.options().inMenu);

    // Declining keeps the stored template as it was.
    editor.document().body()->setPlainText("不要的");
    ui.clear();
    ui.answerMessageDialog(0);
    ASSERT_TRUE(page.openTemplate(first));
    EXPECT_EQ(ui.texts(), QStringList{"出院记录已修改，是否保存？"});
    ASSERT_TRUE(stored.setContent(gsmb("数据", second).toBytes()));
    EXPECT_EQ(bodyText(stored), "出院正文");

    // A damaged template is not opened: saving now writes to the template shown.
    EXPECT_FALSE(page.openTemplate(bad));
    EXPECT_EQ(ui.lastText(), "坏模板数据已损坏，无法打开");
    EXPECT_EQ(page.openId(), first);
}

TEST_F(TemplatePageTest, FailedWritesSaySoAndKeepTheChanges) {
    const qint64 id = addTemplate("入院记录", 1, true, "A", {}, documentWith("入院正文"));
    TemplatePageModel page(files_, editor, ui, a4);
    page.listTemplates();
    ASSERT_TRUE(page.openTemplate(id));
    editor.document().body()->setPlainText("改过的入院正文");
    exec("drop table GSMB");

    EXPECT_FALSE(page.saveTemplate());
    EXPECT_EQ(ui.lastText(), "入院记录模板保存失败！");
    EXPECT_TRUE(editor.isModified());  // still offered for saving
    EXPECT_FALSE(page.renameTemplate("首次病程记录", "病程记录"));
    EXPECT_EQ(ui.lastText(), "患者首次病程记录模板标题保存失败！");
    EXPECT_EQ(page.openTitle(), "入院记录");
    EXPECT_EQ(page.entries()[0].caption, "入院记录");
}

// Another workstation deleted the rows meanwhile: nothing is written, and nothing is said
// to have been.
TEST_F(TemplatePageTest, WritesToRowsGoneMeanwhileAreNotDone) {
    const qint64 a = addTemplate("甲", 10, true, "A", {}, documentWith("甲正文"));
    const qint64 b = addTemplate("乙", 20);
    const qint64 c = addTemplate("丙", 30);
    TemplatePageModel page(files_, editor, ui, a4);
    page.listTemplates();
    ASSERT_TRUE(page.openRow(0));
    editor.document().body()->setPlainText("改过的甲");
    exec("delete from GSMB where 编号=?", {a});

    EXPECT_FALSE(page.saveTemplate());
    EXPECT_EQ(ui.lastText(), "甲模板保存失败！");
    EXPECT_TRUE(editor.isModified());
    EXPECT_FALSE(page.renameTemplate("新甲", "新甲"));
    EXPECT_EQ(ui.lastText(), "患者新甲模板标题保存失败！");
    EXPECT_EQ(page.openTitle(), "甲");
    ui.answerMessageDialog(1);
    page.deleteTemplate();
    EXPECT_EQ(listedIds(page), (QVector<qint64>{a, b, c}));
    EXPECT_EQ(page.openId(), a);

    // A move writes both rows or neither: with c gone, b keeps its 顺序.
    exec("delete from GSMB where 编号=?", {c});
    page.selectRow(1);
    page.moveTemplateDown();
    EXPECT_EQ(listedIds(page), (QVector<qint64>{a, b, c}));
    EXPECT_EQ(page.selectedRow(), 1);
    EXPECT_EQ(gsmb("顺序", b).toInt(), 20);

    // Between equal 顺序 the list's order is written out first; that is undone with the move.
    exec("delete from GSMB");
    for (const char* key : {"子", "丑", "寅"}) addTemplate(key, 5);
    page.listTemplates();
    const QVector<qint64> before = listedIds(page);
    exec("delete from GSMB where 编号=?", {before[2]});
    page.selectRow(0);
    page.moveTemplateDown();
    EXPECT_EQ(listedIds(page), before);
    EXPECT_EQ(page.selectedRow(), 0);
    EXPECT_EQ(read("select count(*) from GSMB where 顺序=5").toInt(), 2);
}

TEST_F(TemplatePageTest, ListsThePapersTemplatesAndNewKeysFollowTheLastNumber) {
    addTemplate("甲", 1);
    const qint64 last = addTemplate("乙", 2, true, "B");
    exec("insert into GSMB (检索,标题,纸张,备注,顺序) values ('隐藏','隐藏','A','N',0)");
    TemplatePageModel page(files_, editor, ui, a4);
    page.listTemplates();
    ASSERT_EQ(page.entries().size(), 1);
    EXPECT_EQ(page.countLabel(), "共有模板1个");

    page.options().header = true;
    page.newTemplate();
    const QString key = QStringLiteral("新增模板%1").arg(last + 2);  // the last 编号 is the hidden row's
    ASSERT_EQ(page.entries().size(), 2);
    EXPECT_EQ(page.entries()[1].caption, "新增模板");
    EXPECT_EQ(page.countLabel(), "共有模板2个");
    EXPECT_EQ(page.openKey(), key);
    EXPECT_EQ(bodyText(editor), "A4底稿");
    EXPECT_EQ(read(QStringLiteral("select 病历标题 from GSMB where 检索='%1' and 纸张='A'").arg(key)).toText(), key);
    EXPECT_EQ(gsmb("顺序", page.openId()).toInt(), 2);
    EXPECT_EQ(gsmb("页眉", page.openId()).toText(), "真");
    // Its B5 twin does not exist until made on B5 paper, from the B5 base document.
    EXPECT_EQ(read(QStringLiteral("select count(*) from GSMB where 检索='%1' and 纸张='B'").arg(key)).toInt(), 0);
    RecordDocumentPort b5Editor;
    TemplatePageModel b5Page(files_, b5Editor, ui, b5);
    b5Page.listTemplates();
    b5Page.newTemplate();
    EXPECT_EQ(bodyText(b5Editor), "B5底稿");
    EXPECT_EQ(b5Editor.document().paper().width, 1820);
    EXPECT_EQ(b5Page.openKey(), QStringLiteral("新增模板%1").arg(page.openId() + 1));
}

TEST_F(TemplatePageTest, RenameAndDelete) {
    addTemplate("甲", 1);
    const qint64 second = addTemplate("乙", 2);
    const qint64 third = addTemplate("丙", 3);
    TemplatePageModel page(files_, editor, ui, a4);
    page.listTemplates();
    ASSERT_TRUE(page.openRow(1));
    ui.answerMessageDialog(1);
    ASSERT_TRUE(page.renameTemplate("O'Brien 记录", "病程记录"));
    EXPECT_EQ(ui.lastText(), "患者O'Brien 记录模板标题保存成功！");
    EXPECT_EQ(gsmb("标题", second).toText(), "O'Brien 记录");
    EXPECT_EQ(gsmb("病历标题", second).toText(), "病程记录");
    EXPECT_EQ(page.entries()[1].caption, "O'Brien 记录");

    ui.clear();
    ui.answerMessageDialog(0);  // not sure after all
    page.deleteTemplate();
    EXPECT_EQ(ui.texts(), QStringList{"你确定要删除模板【O'Brien 记录】吗？\r\n\r\n   注意：删除后病历不可恢复！"});
    EXPECT_EQ(page.entries().size(), 3);

    ui.answerMessageDialog(1);
    page.deleteTemplate();
    EXPECT_EQ(read(QStringLiteral("select count(*) from GSMB where 编号=%1").arg(second)).toInt(), 0);
    ASSERT_EQ(page.entries().size(), 2);
    EXPECT_EQ(page.countLabel(), "共有模板2个");
    EXPECT_EQ(page.openId(), third);  // the template now in its place is opened
    EXPECT_EQ(page.selectedRow(), 1);
}

TEST_F(TemplatePageTest, MovingSwapsOrderRefusesAtTheEndsAndLastsBetweenEqualOrders) {
    const qint64 a = addTemplate("甲", 10);
    const qint64 b = addTemplate("乙", 20);
    const qint64 c = addTemplate("丙", 30);
    TemplatePageModel page(files_, editor, ui, a4);
    page.listTemplates();
    page.selectRow(0);
    page.moveTemplateUp();
    EXPECT_EQ(ui.lastText(), "请真确选择上移项目");
    page.selectRow(2);
    page.moveTemplateDown();
    EXPECT_EQ(ui.lastText(), "请真确选择上移项目");
    EXPECT_EQ(gsmb("顺序", c).toInt(), 30);

    page.moveTemplateUp();
    EXPECT_EQ(page.selectedRow(), 1);
    EXPECT_EQ(page.entries()[1].id, c);
    EXPECT_EQ(gsmb("顺序", c).toInt(), 20);
    EXPECT_EQ(gsmb("顺序", b).toInt(), 30);
    page.selectRow(0);
    page.moveTemplateDown();
    page.listTemplates();
    EXPECT_EQ(listedIds(page), (QVector<qint64>{c, a, b}));

    // Three equal 顺序: the move still swaps the two, and the swap survives relisting.
    exec("update GSMB set 顺序=5");
    page.listTemplates();
    const QVector<qint64> before = listedIds(page);  // the database's order
    page.selectRow(0);
    page.moveTemplateDown();
    EXPECT_EQ(page.selectedRow(), 1);
    page.listTemplates();
    EXPECT_EQ(listedIds(page), (QVector<qint64>{before[1], before[0], before[2]}));
}

}  // namespace
}  // namespace qh::records
