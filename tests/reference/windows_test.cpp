// The reference windows in the main window, driven through their controls, and a passage
// reaching the record: the insertion logic and the record editor's caret.
#include <QtWidgets>

#include "reference_fixture.h"
#include "interaction/ScriptedUserInterface.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/RecordTextEdit.h"
#include "reference/CategoryTree.h"
#include "reference/PassageInsertion.h"
#include "reference/ui/ReferenceCommands.h"
#include "reference/ui/ReferencePanel.h"
#include "reference/ui/ReferenceWindow.h"
#include "shell/MainCommands.h"
#include "shell/ui/CommandMenus.h"
#include "shell/ui/MainWindow.h"

namespace qh::reference {
namespace {

class Passages : public shell::EditableDocument {
public:
    bool isModified() const override { return modified; }
    QString title() const override { return "首次病程记录"; }
    bool save() override { return true; }
    void discardChanges() override { modified = false; }
    bool insertAtCaret(const QString& text) override {
        if (!takes) return false;
        received << text;
        return true;
    }
    bool modified = false;
    bool takes = true;
    QStringList received;
};

class ReferenceWindowsTest : public test::ReferenceFixture {
protected:
    void SetUp() override {
        makeWard(true);
        shell::UserContext user;
        user.userName = "李医生";
        user.grantAll();
        main_ = new shell::MainWindow(user, files(), ui_);
        installReferenceCommands(*main_);
    }
    void TearDown() override { delete main_; }

    // Selects the whole text of the panel's detail box.
    static void selectDetail(ReferencePanel* panel) {
        auto* box = panel->findChild<QPlainTextEdit*>("detailText");
        box->selectAll();
    }
    // Opens the tree's first category down to its first entry and clicks it.
    static QModelIndex clickFirstEntry(ReferencePanel* panel) {
        auto* view = panel->findChild<QTreeView*>("categoryTree");
        CategoryTree* tree = panel->tree();
        QModelIndex at = tree->index(0, 0);
        while (tree->entryId(at) == 0) {
            view->expand(at);  // opening loads the level in place of "待加入"
            at = tree->index(0, 0, at);
        }
        view->setCurrentIndex(at);
        return at;
    }

    ui::ScriptedUserInterface ui_;
    shell::MainWindow* main_ = nullptr;
};

TEST_F(ReferenceWindowsTest, DrugReferenceOpensOneWindowWithFourTabsBrowsedAndSearched) {
    for (QAction* a : main_->menus().actions(shell::cmd::DrugReference)) EXPECT_TRUE(a->isEnabled());
    ASSERT_TRUE(main_->commands().run(shell::cmd::DrugReference));
    ReferenceWindow* window = drugReferenceWindow(*main_);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "用药参考");
    auto* tabs = window->findChild<QTabWidget*>("kindTabs");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2), tabs->tabText(3)}),
              QStringList({"方剂", "中药", "中医内科", "西药说明"}));
    main_->commands().run(shell::cmd::DrugReference);
    EXPECT_EQ(drugReferenceWindow(*main_), window);  // brought forward, not opened twice
    {
        QPointer<ReferenceWindow> closed = window;
        window->findChild<QPushButton*>("closeButton")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(closed);
        EXPECT_FALSE(drugReferenceWindow(*main_));
        main_->commands().run(shell::cmd::DrugReference);  // a closed window opens anew
        window = drugReferenceWindow(*main_);
        ASSERT_TRUE(window);
        tabs = window->findChild<QTabWidget*>("kindTabs");
    }

    ReferencePanel* formulae = window->panel(Kind::Formula);
    const QModelIndex first = clickFirstEntry(formulae);
    EXPECT_EQ(formulae->tree()->data(first).toString(), "麻黄汤");
    EXPECT_TRUE(formulae->findChild<QPlainTextEdit*>("detailText")->toPlainText().startsWith("【方名】麻黄汤\n【出处】《伤寒论》"));
    EXPECT_TRUE(formulae->findChild<QPlainTextEdit*>("analysisText")->toPlainText().contains("【杏仁】"));

    formulae->findChild<QLineEdit*>("searchBox")->setText("xqlt");
    auto* results = formulae->findChild<QListWidget*>("resultList");
    EXPECT_TRUE(formulae->findChild<QTreeView*>("categoryTree")->isHidden());
    ASSERT_EQ(results->count(), 1);
    results->setCurrentRow(0);
    EXPECT_TRUE(formulae->findChild<QPlainTextEdit*>("detailText")->toPlainText().startsWith("【方名】小青龙汤"));
    formulae->findChild<QLineEdit*>("searchBox")->clear();
    EXPECT_FALSE(formulae->findChild<QTreeView*>("categoryTree")->isHidden());

    ReferencePanel* herbs = window->panel(Kind::Herb);
    herbs->findChild<QLineEdit*>("searchBox")->setText("竹叶");
    herbs->findChild<QListWidget*>("resultList")->setCurrentRow(0);
    EXPECT_TRUE(herbs->findChild<QPlainTextEdit*>("formulaeText")->toPlainText().contains("清热剂 ：清营凉血—清营汤"));

    ReferencePanel* drugs = window->panel(Kind::WesternDrug);
    auto* drugList = drugs->findChild<QListWidget*>("resultList");
    drugs->findChild<QLineEdit*>("searchBox")->setText("AMXL");
    const int anywhere = drugList->count();
    drugs->findChild<QCheckBox*>("atStartBox")->setChecked(true);
    EXPECT_GE(anywhere, 1);
    EXPECT_LE(drugList->count(), anywhere);
    EXPECT_EQ(drugList->item(0)->text(), "阿莫西林胶囊");
}

TEST_F(ReferenceWindowsTest, DiseaseInformationAsksAboutTheOpenRecordFirst) {
    Passages record;
    record.modified = true;
    main_->setOpenDocument(&record);
    ui_.answerMessageDialog(0);  // discard
    ASSERT_TRUE(main_->commands().run(shell::cmd::DiseaseInfo));
    ASSERT_EQ(ui_.shown().size(), 1);
    EXPECT_TRUE(ui_.shown()[0].text.contains("《首次病程记录》已修改，是否保存？"));
    ReferenceWindow* window = diseaseInformationWindow(*main_);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "诊疗常规");
    EXPECT_FALSE(window->findChild<QTabWidget*>());
    ReferencePanel* panel = window->currentPanel();
    EXPECT_EQ(panel->tree()->data(panel->tree()->index(0, 0)).toString(), "内科");
    clickFirstEntry(panel);
    EXPECT_TRUE(panel->findChild<QPlainTextEdit*>("detailText")->toPlainText().startsWith("【概述】"));
}

TEST_F(ReferenceWindowsTest, InsertTakesTheSelectionToTheRecordInFront) {
    main_->commands().run(shell::cmd::DiseaseInfo);
    ReferenceWindow* window = diseaseInformationWindow(*main_);
    ReferencePanel* panel = window->currentPanel();
    clickFirstEntry(panel);
    auto* insert = window->findChild<QPushButton*>("insertButton");
    ASSERT_EQ(insert->text(), "插入到病历");

    insert->click();  // nothing selected
    EXPECT_EQ(ui_.lastText(), kNothingSelected);

    Passages record;
    main_->setOpenDocument(&record);
    selectDetail(panel);
    main_->pages().show(shell::WorkPage::Chart);
    insert->click();  // the record page does not show
    EXPECT_EQ(ui_.lastText(), kNoRecordOpen);
    EXPECT_TRUE(record.received.isEmpty());

    main_->pages().show(shell::WorkPage::Records);
    ui_.clear();
    insert->click();
    ASSERT_EQ(record.received.size(), 1);
    EXPECT_TRUE(ui_.shown().isEmpty());
    EXPECT_TRUE(record.received[0].startsWith("【概述】"));
    EXPECT_TRUE(record.received[0].contains("\n【临床表现】"));
    EXPECT_FALSE(record.received[0].contains(QChar::ParagraphSeparator));

    record.takes = false;  // a protected place, or the patient-information form
    insert->click();
    EXPECT_EQ(ui_.lastText(), kNoRecordOpen);
}

TEST(RecordCaret, PassageGoesToTheCaretUnlessTheRecordIsProtected) {
    records::DocumentEditor editor;
    ASSERT_TRUE(editor.setContent(QByteArray()));
    editor.insertText("主诉：咳嗽。", -1);
    QTextCursor caret = editor.bodyView()->textCursor();
    caret.setPosition(3);
    editor.bodyView()->setTextCursor(caret);
    EXPECT_TRUE(editor.insertAtCaret("【治则】疏风\n"));
    EXPECT_EQ(editor.document().body()->toPlainText(), "主诉：【治则】疏风\n咳嗽。");

    editor.setProtection(records::Protection::ReadOnly);
    EXPECT_FALSE(editor.insertAtCaret("再插"));
    EXPECT_EQ(editor.document().body()->toPlainText(), "主诉：【治则】疏风\n咳嗽。");
}

TEST(PassageText, RecordLinesEndWithNewline) {
    EXPECT_EQ(passageText(QString("【方名】甲\r\n【出处】乙") + QChar(QChar::ParagraphSeparator) + "丙"),
              "【方名】甲\n【出处】乙\n丙");
}

}  // namespace
}  // namespace qh::reference
