// The library beside the record editor: "存为范文" alive, an entry found, opened and
// applied to the open record, a text module at the caret without the clipboard; the format
// bar on the template page makes a form with named cells shown. Screenshots: library.png,
// template-authoring.png (when QH_SCREENSHOT_DIR is set).
#include <QtWidgets>

#include "records/library/TemplateLibrary.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/FormatBar.h"
#include "records/ui/LibraryPanel.h"
#include "records/ui/RecordCommands.h"
#include "records/ui/RecordPage.h"
#include "records/ui/RecordTextEdit.h"
#include "records/ui/TemplatePage.h"
#include "records/editor/DocumentProperties.h"
#include "support/screenshot.h"
#include "records_fixture.h"
#include "shell/MainCommands.h"
#include "shell/ui/MainWindow.h"

namespace qh::records {
namespace {

class LibraryPageTest : public test::RecordsWard {
protected:
    void SetUp() override {
        RecordsWard::SetUp();
        if (HasFatalFailure()) return;
        exec("insert into 在院病人 (住院编号, 住院号, 姓名, 性别, 年龄, 诊断, 床号, 科室, 主管医生, 状态, 入院日期, 主诉) "
             "values ('2016000101', '1001', '张三', '男', '40岁', '社区获得性肺炎', '12', '内科', '李医生', '在院', "
             "'2016年3月5日8时30分', '发热、咳嗽4天')");
        first_ = read("select max(编号) from 在院病人").toInt();
        exec("insert into 在院病人 (住院编号, 住院号, 姓名, 性别, 年龄, 诊断, 床号, 科室, 主管医生, 状态, 入院日期) "
             "values ('2016000102', '1002', '李四', '女', '52岁', '社区获得性肺炎', '8', '内科', '李医生', '在院', "
             "'2016年3月6日9时00分')");
        second_ = read("select max(编号) from 在院病人").toInt();
        window_ = new shell::MainWindow(doctor_, files_, ui_);
        page_ = installRecordPage(*window_);
        window_->resize(1280, 780);
    }
    void TearDown() override {
        delete window_;
        RecordsWard::TearDown();
    }
    void screenshot(QWidget* w, const char* name) {
        w->show();
        QApplication::processEvents();
        test::screenshot(*w, name);
    }

    shell::MainWindow* window_ = nullptr;
    RecordPage* page_ = nullptr;
    qint64 first_ = 0, second_ = 0;
};

TEST_F(LibraryPageTest, SampleSavedFromOnePatientIsAppliedToAnother) {
    ASSERT_TRUE(window_->selection().select(first_, shell::PatientStatus::InWard));
    ASSERT_TRUE(page_->records().createRecord("入院记录"));
    QAction* sample = page_->documentMenu()->findChild<QAction*>("saveSample");
    ASSERT_NE(sample, nullptr);
    EXPECT_TRUE(sample->isEnabled());
    // The format bar follows what the user may change.
    auto* bar = page_->editor()->parentWidget()->findChild<FormatBar*>("formatBar", Qt::FindDirectChildrenOnly);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isEnabled());
    page_->editor()->setProtection(Protection::ReadOnly);
    EXPECT_FALSE(bar->isEnabled());
    page_->editor()->setProtection(Protection::None);
    QTextCursor c(page_->editor()->document().body());
    c.movePosition(QTextCursor::End);
    c.insertText("张三自述受凉后发热。");
    LibraryPanel* panel = page_->library();
    ASSERT_GT(panel->library().saveRecordAsEntry(LibraryKind::Sample, {"肺炎范文", "入院记录", false, {}},
                                                 page_->editor()->content(), page_->records().patient()),
              0);
    ui_.answerMessageDialog(1);  // the first document is offered when the patient changes
    ui_.answerMessageDialog(1);
    ASSERT_TRUE(window_->selection().select(second_, shell::PatientStatus::InWard));
    ASSERT_TRUE(page_->records().createRecord("入院记录"));

    panel->setKind(LibraryKind::Sample);
    panel->searchBox()->setText("fyfw");
    ASSERT_EQ(panel->list()->topLevelItemCount(), 1);
    panel->list()->setCurrentItem(panel->list()->topLevelItem(0));
    panel->openCurrent();
    EXPECT_TRUE(panel->editor()->document().body()->toPlainText().contains("{姓名}自述受凉后发热。"));
    ui_.answerMessageDialog(1);  // replace the written record
    panel->applyCurrent();
    const QString applied = page_->editor()->document().body()->toPlainText();
    EXPECT_TRUE(applied.contains("李四自述受凉后发热。"));
    EXPECT_FALSE(applied.contains("张三"));
    EXPECT_TRUE(page_->records().isModified());

    // A text module goes in at the caret; the user's clipboard keeps what it held.
    QGuiApplication::clipboard()->setText("剪贴板里原有的文字");
    RecordDocumentPort module;
    QTextCursor(module.document().body()).insertText("{姓名}双肺呼吸音粗。");
    ASSERT_GT(TemplateLibrary(files_, doctor_, ui_).saveEntryAs(LibraryKind::Module, {"肺部查体", "查体", false, {}}, module), 0);
    panel->setKind(LibraryKind::Module);
    panel->searchBox()->clear();
    ASSERT_EQ(panel->list()->topLevelItemCount(), 1);
    QTreeWidgetItem* group = panel->list()->topLevelItem(0);
    EXPECT_EQ(group->text(0), "查体");
    panel->list()->setCurrentItem(group->child(0));
    panel->openCurrent();
    QTextCursor caret = page_->editor()->bodyView()->textCursor();
    caret.movePosition(QTextCursor::End);
    page_->editor()->bodyView()->setTextCursor(caret);
    panel->applyCurrent();
    EXPECT_TRUE(page_->editor()->document().body()->toPlainText().endsWith("李四双肺呼吸音粗。"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "剪贴板里原有的文字");
    QTextCursor inserted(page_->editor()->document().body());
    inserted.movePosition(QTextCursor::End);
    inserted.movePosition(QTextCursor::Left);
    EXPECT_EQ(inserted.charFormat().fontFamilies().toStringList().value(0), kModuleFont);

    // A changed entry is offered for saving before another is shown.
    panel->editor()->bodyView()->moveCursor(QTextCursor::End);
    panel->editor()->bodyView()->insertPlainText("叩诊清音。");
    panel->setKind(LibraryKind::Sample);
    panel->list()->setCurrentItem(panel->list()->topLevelItem(0));
    ui_.answerMessageDialog(1);
    panel->openCurrent();
    EXPECT_TRUE(ui_.texts().contains("模板【肺部查体】已修改，是否保存？"));
    EXPECT_EQ(read("select 内容 from SXZS where 模块名称='肺部查体'").toText(), "{姓名}双肺呼吸音粗。叩诊清音。");
    screenshot(window_, "library.png");
    ui_.answerMessageDialog(0);  // closing: the changes are not kept
}

TEST_F(LibraryPageTest, OpenFileWithNoRecordOpenGoesIntoTheLibrary) {
    ASSERT_TRUE(window_->selection().select(first_, shell::PatientStatus::InWard));
    ASSERT_TRUE(page_->showsPatientInformation());
    QFile text(dir_.file("module.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("外院的查体记录。");
    text.close();
    ui_.answerPath(dir_.file("module.txt"));
    ASSERT_TRUE(window_->commands().run(shell::cmd::OpenFile));
    EXPECT_EQ(page_->library()->editor()->document().body()->toPlainText(), "外院的查体记录。");
    EXPECT_TRUE(page_->library()->editor()->isModified());
}

TEST_F(LibraryPageTest, TemplatePageMakesAFormWithNamedCells) {
    TemplatePage page(files_, ui_, loadTemplateSettings(files_), doctor_.hospitalName, doctor_.department);
    // Nothing open: import says so and asks for no file.
    page.importFile();
    EXPECT_EQ(ui_.lastText(), "模板未打开，无法打开文件！");
    EXPECT_EQ(ui_.unanswered(), 0);
    page.refresh();
    for (QLineEdit* edit : page.findChildren<QLineEdit*>())
        if (edit->placeholderText().startsWith("请输入要添加的模板名称")) edit->setText("病情告知书");
    page.newTemplate();
    const qint64 made = page.model().openId();
    ASSERT_GT(made, 0);
    FormatBar* bar = page.findChild<FormatBar*>("formatBar");
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(bar->action("nameCell"), nullptr);
    EXPECT_EQ(bar->action("bold")->shortcut(), QKeySequence(QKeySequence::Bold));
    page.editor()->setContent(QByteArray());
    RecordTextEdit* view = page.editor()->bodyView();
    view->insertPlainText("病 情 告 知 书");
    view->setAlignment(Qt::AlignHCenter);
    QTextCursor c = view->textCursor();
    c.insertBlock();
    view->setTextCursor(c);
    view->setAlignment(Qt::AlignLeft);
    bar->insertTable(2, 4);
    QTextTable* table = view->textCursor().currentTable();
    ASSERT_NE(table, nullptr);
    const char* labels[] = {"姓名", "XM", "床号", "CH", "诊断", "ZD", "住院号", "ZYH"};
    for (int i = 0; i < 8; ++i) {
        QTextCursor cell = table->cellAt(i / 4, i % 4).firstCursorPosition();
        view->setTextCursor(cell);
        if (i % 2 == 0)
            view->insertPlainText(QString::fromUtf8(labels[i]));
        else
            bar->nameCell(QString::fromUtf8(labels[i]));
    }
    bar->setShowNames(true);
    EXPECT_TRUE(view->showsNames());
    EXPECT_EQ(table->cellAt(0, 1).format().property(AliasProperty).toString(), "XM");
    // Stored with 保存模板, a record made from it is filled (the logic's own test goes further).
    ui_.answerMessageDialog(1);
    page.saveTemplate();
    RecordDocument stored;
    ASSERT_TRUE(decodeEwd(db_.query("select 数据 from GSMB where 编号=?", {made}).first().bytes("数据"), stored, nullptr));
    EXPECT_EQ(stored.body()->toPlainText().count("姓名"), 1);
    page.resize(1100, 600);
    screenshot(&page, "template-authoring.png");
}

}  // namespace
}  // namespace qh::records
