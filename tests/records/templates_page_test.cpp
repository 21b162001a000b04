// The template page's operations on GSMB, run over a document without widgets.
#include <QTextDocument>

#include "records/templates/DocumentPort.h"
#include "records/templates/TemplatePageModel.h"
#include "templates_fixture.h"
#include "widgets/ScriptedUserInterface.h"

namespace qh::records {
namespace {

QByteArray documentWith(const QString& text, int width = 2100, int height = 2970) {
    RecordDocumentPort port;
    port.document().body()->setPlainText(text);
    port.SetPageSize(width, height);
    return port.GetContent();
}

QString bodyText(RecordDocumentPort& port) { return port.document().body()->toPlainText(); }

class TemplatePageTest : public test::TemplatesWard {
protected:
    void SetUp() override {
        makeWard(false);
        exec(QStringLiteral("insert into 基础模板 (纸张数据) values (true)"));
        ASSERT_TRUE(db_.Execute(QStringLiteral("update 基础模板 set A4数据=?"), documentWith(QStringLiteral("A4底稿"))));
        ASSERT_TRUE(db_.Execute(QStringLiteral("update 基础模板 set B5数据=?"),
                                documentWith(QStringLiteral("B5底稿"), 1820, 2570)));
    }
    TemplateSettings a4{QStringLiteral("A"), QStringLiteral("A4数据"), {}};
    TemplateSettings b5{QStringLiteral("B"), QStringLiteral("B5数据"), {}};
    RecordDocumentPort editor;
    ui::ScriptedUserInterface ui;
};

TEST_F(TemplatePageTest, ListsThePapersTemplatesWithTheirCount) {
    addTemplate(QStringLiteral("乙"), 2);
    addTemplate(QStringLiteral("甲"), 1);
    addTemplate(QStringLiteral("B5的"), 1, true, QStringLiteral("B"));
    exec(QStringLiteral("insert into GSMB (检索,标题,纸张,备注,顺序) values ('隐藏','隐藏','A','N',0)"));
    TemplatePageModel page(editor, ui, a4);
    page.ListTemplates();
    ASSERT_EQ(page.entries().size(), 2);
    EXPECT_EQ(page.entries()[0].caption, QStringLiteral("甲"));
    EXPECT_EQ(page.countLabel(), QStringLiteral("共有模板2个"));
}

TEST_F(TemplatePageTest, OpenSaveAndTheModifiedPrompt) {
    const qint64 first = addTemplate(QStringLiteral("入院记录"), 1, false, QStringLiteral("A"), {}, documentWith(QStringLiteral("入院正文")));
    const qint64 second = addTemplate(QStringLiteral("出院记录"), 2, true, QStringLiteral("A"), {}, documentWith(QStringLiteral("出院正文")));
    TemplatePageModel page(editor, ui, a4);
    page.ListTemplates();

    EXPECT_FALSE(page.SaveTemplate());
    EXPECT_EQ(ui.lastText(), QStringLiteral("文件不存在"));
    EXPECT_FALSE(page.RenameTemplate(QStringLiteral("x"), QStringLiteral("y")));

    ASSERT_TRUE(page.OpenTemplate(first));
    EXPECT_EQ(bodyText(editor), QStringLiteral("入院正文"));
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(page.caption(), QStringLiteral("当前模板： 入院记录"));
    EXPECT_TRUE(page.options().header);
    EXPECT_FALSE(page.options().multiAdd);
    EXPECT_FALSE(page.options().inMenu);

    // Changed options and text are written by save.
    editor.document().body()->setPlainText(QStringLiteral("改过的入院正文"));
    page.options().multiAdd = true;
    page.options().inMenu = true;
    page.options().header = false;
    ui.clear();
    ui.answerMessageDialog(1);  // yes, save the modified template first
    ui.answerMessageDialog(1);  // the success message
    ASSERT_TRUE(page.OpenTemplate(second));
    EXPECT_EQ(ui.texts(), (QStringList{QStringLiteral("入院记录已修改，是否保存？"), QStringLiteral("入院记录模板保存成功！")}));
    EXPECT_EQ(readText(QStringLiteral("select 添加 from GSMB where 编号=%1").arg(first)), QStringLiteral("真"));
    EXPECT_EQ(readText(QStringLiteral("select 页眉 from GSMB where 编号=%1").arg(first)), QStringLiteral("假"));
    EXPECT_EQ(readInt(QStringLiteral("select count(*) from GSMB where 选中=true and 编号=%1").arg(first)), 1);
    RecordDocumentPort stored;
    ASSERT_TRUE(stored.SetContent(readBytes(QStringLiteral("select 数据 from GSMB where 编号=%1").arg(first))));
    EXPECT_EQ(bodyText(stored), QStringLiteral("改过的入院正文"));
    EXPECT_EQ(bodyText(editor), QStringLiteral("出院正文"));
    EXPECT_TRUE(page.options().inMenu);

    // Declining keeps the stored template as it was.
    editor.document().body()->setPlainText(QStringLiteral("不要的"));
    ui.clear();
    ui.answerMessageDialog(0);
    ASSERT_TRUE(page.OpenTemplate(first));
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("出院记录已修改，是否保存？")});
    ASSERT_TRUE(stored.SetContent(readBytes(QStringLiteral("select 数据 from GSMB where 编号=%1").arg(second))));
    EXPECT_EQ(bodyText(stored), QStringLiteral("出院正文"));
}

TEST_F(TemplatePageTest, DamagedTemplateIsNotOpened) {
    const qint64 good = addTemplate(QStringLiteral("好"), 1, true, QStringLiteral("A"), {}, documentWith(QStringLiteral("好的")));
    const qint64 bad = addTemplate(QStringLiteral("坏"), 2, true, QStringLiteral("A"), {}, QByteArray("not a document"));
    TemplatePageModel page(editor, ui, a4);
    page.ListTemplates();
    ASSERT_TRUE(page.OpenTemplate(good));
    EXPECT_FALSE(page.OpenTemplate(bad));
    EXPECT_EQ(page.openId(), good);  // saving now writes to the template shown, not the damaged one
}

TEST_F(TemplatePageTest, NewTemplateKeysFollowTheLastNumberOnItsPaper) {
    addTemplate(QStringLiteral("甲"), 1);
    const qint64 last = addTemplate(QStringLiteral("乙"), 2, true, QStringLiteral("B"));
    TemplatePageModel page(editor, ui, a4);
    page.ListTemplates();
    page.options().header = true;
    page.NewTemplate();
    const QString key = QStringLiteral("新增模板%1").arg(last + 1);
    ASSERT_EQ(page.entries().size(), 2);
    EXPECT_EQ(page.entries()[1].caption, QStringLiteral("新增模板"));
    EXPECT_EQ(page.countLabel(), QStringLiteral("共有模板2个"));
    EXPECT_EQ(page.openKey(), key);
    EXPECT_EQ(bodyText(editor), QStringLiteral("A4底稿"));
    EXPECT_EQ(readText(QStringLiteral("select 病历标题 from GSMB where 检索='%1' and 纸张='A'").arg(key)), key);
    EXPECT_EQ(readInt(QStringLiteral("select 顺序 from GSMB where 检索='%1'").arg(key)), 2);
    EXPECT_EQ(readText(QStringLiteral("select 页眉 from GSMB where 检索='%1'").arg(key)), QStringLiteral("真"));
    // Its B5 twin does not exist until made on B5 paper, from the B5 base document.
    EXPECT_EQ(readInt(QStringLiteral("select count(*) from GSMB where 检索='%1' and 纸张='B'").arg(key)), 0);
    RecordDocumentPort b5Editor;
    TemplatePageModel b5Page(b5Editor, ui, b5);
    b5Page.ListTemplates();
    b5Page.NewTemplate();
    EXPECT_EQ(bodyText(b5Editor), QStringLiteral("B5底稿"));
    EXPECT_EQ(b5Editor.document().paper().width, 1820);
    EXPECT_EQ(b5Page.openKey(), QStringLiteral("新增模板%1").arg(page.openId() + 1));
}

TEST_F(TemplatePageTest, RenameAndDelete) {
    addTemplate(QStringLiteral("甲"), 1);
    const qint64 second = addTemplate(QStringLiteral("乙"), 2);
    const qint64 third = addTemplate(QStringLiteral("丙"), 3);
    TemplatePageModel page(editor, ui, a4);
    page.ListTemplates();
    ASSERT_TRUE(page.OpenRow(1));
    ui.answerMessageDialog(1);
    ASSERT_TRUE(page.RenameTemplate(QStringLiteral("O'Brien 记录"), QStringLiteral("病程记录")));
    EXPECT_EQ(ui.lastText(), QStringLiteral("患者O'Brien 记录模板标题保存成功！"));
    EXPECT_EQ(readText(QStringLiteral("select 标题 from GSMB where 编号=%1").arg(second)), QStringLiteral("O'Brien 记录"));
    EXPECT_EQ(readText(QStringLiteral("select 病历标题 from GSMB where 编号=%1").arg(second)), QStringLiteral("病程记录"));
    EXPECT_EQ(page.entries()[1].caption, QStringLiteral("O'Brien 记录"));

    ui.clear();
    ui.answerMessageDialog(0);  // not sure after all
    page.DeleteTemplate();
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("你确定要删除模板【O'Brien 记录】吗？\r\n\r\n   注意：删除后病历不可恢复！")});
    EXPECT_EQ(page.entries().size(), 3);

    ui.answerMessageDialog(1);
    page.DeleteTemplate();
    EXPECT_EQ(readInt(QStringLiteral("select count(*) from GSMB where 编号=%1").arg(second)), 0);
    ASSERT_EQ(page.entries().size(), 2);
    EXPECT_EQ(page.countLabel(), QStringLiteral("共有模板2个"));
    EXPECT_EQ(page.openId(), third);  // the template now in its place is opened
    EXPECT_EQ(page.selectedRow(), 1);
}

TEST_F(TemplatePageTest, MovingSwapsOrderAndRefusesAtTheEnds) {
    const qint64 a = addTemplate(QStringLiteral("甲"), 10);
    const qint64 b = addTemplate(QStringLiteral("乙"), 20);
    const qint64 c = addTemplate(QStringLiteral("丙"), 30);
    TemplatePageModel page(editor, ui, a4);
    page.ListTemplates();

    page.selectRow(0);
    page.MoveTemplateUp();
    EXPECT_EQ(ui.lastText(), QStringLiteral("请真确选择上移项目"));
    page.selectRow(2);
    page.MoveTemplateDown();
    EXPECT_EQ(ui.lastText(), QStringLiteral("请真确选择上移项目"));
    EXPECT_EQ(readInt(QStringLiteral("select 顺序 from GSMB where 编号=%1").arg(c)), 30);

    page.selectRow(2);
    page.MoveTemplateUp();
    EXPECT_EQ(page.selectedRow(), 1);
    EXPECT_EQ(page.entries()[1].id, c);
    EXPECT_EQ(readInt(QStringLiteral("select 顺序 from GSMB where 编号=%1").arg(c)), 20);
    EXPECT_EQ(readInt(QStringLiteral("select 顺序 from GSMB where 编号=%1").arg(b)), 30);
    page.selectRow(0);
    page.MoveTemplateDown();
    page.ListTemplates();
    QVector<qint64> ids;
    for (const auto& e : page.entries()) ids << e.id;
    EXPECT_EQ(ids, (QVector<qint64>{c, a, b}));
}

TEST_F(TemplatePageTest, MovingBetweenEqualOrdersLasts) {
    const qint64 a = addTemplate(QStringLiteral("甲"), 5);
    const qint64 b = addTemplate(QStringLiteral("乙"), 5);
    const qint64 c = addTemplate(QStringLiteral("丙"), 5);
    TemplatePageModel page(editor, ui, a4);
    page.ListTemplates();
    QVector<qint64> before;
    for (const auto& e : page.entries()) before << e.id;  // the database's order
    page.selectRow(0);
    page.MoveTemplateDown();
    EXPECT_EQ(page.selectedRow(), 1);
    page.ListTemplates();
    QVector<qint64> after;
    for (const auto& e : page.entries()) after << e.id;
    EXPECT_EQ(after, (QVector<qint64>{before[1], before[0], before[2]}));
    Q_UNUSED(a) Q_UNUSED(b) Q_UNUSED(c)
}

}  // namespace
}  // namespace qh::records
