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
#include "shell/ui/MainWindow.h"

namespace qh::reference {
namespace {

class Passages : public shell::EditableDocument {
public:
    bool isModified() const override { return modified; }
    QString title() const override { return "首次病程记录"; }
    bool save() override { return true; }
    void discardChanges() override { modified = false; }
    bool insertAtCaret(const QString& text) override { return takes && (received << text, true); }
    bool modified = false;
    bool takes = true;
    QStringList received;
};

class ReferenceWindowsTest : public test::ReferenceFixture {
protected:
    void SetUp() override {
        makeWard(true);
        main_ = new shell::MainWindow(shell::UserContext{"李医生"}, files(), ui_);
        installReferenceCommands(*main_);
    }
    void TearDown() override { delete main_; }

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
    ASSERT_TRUE(main_->commands().run(shell::cmd::DrugReference));
    QPointer<ReferenceWindow> window = drugReferenceWindow(*main_);
    ASSERT_TRUE(window);
    auto* tabs = window->findChild<QTabWidget*>("kindTabs");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(3), "西药说明");
    main_->commands().run(shell::cmd::DrugReference);
    EXPECT_EQ(drugReferenceWindow(*main_), window);  // brought forward, not opened twice
    window->findChild<QPushButton*>("closeButton")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    main_->commands().run(shell::cmd::DrugReference);  // a closed window opens anew
    window = drugReferenceWindow(*main_);
    ASSERT_TRUE(window);

    ReferencePanel* formulae = window->panel(Kind::Formula);
    EXPECT_EQ(formulae->tree()->data(clickFirstEntry(formulae)).toString(), "麻黄汤");
    EXPECT_TRUE(formulae->findChild<QPlainTextEdit*>("detailText")->toPlainText().startsWith("【方名】麻黄汤\n【出处】"));
    EXPECT_TRUE(formulae->findChild<QPlainTextEdit*>("analysisText")->toPlainText().contains("\n【杏仁】 "));
    formulae->findChild<QLineEdit*>("searchBox")->setText("xqlt");
    auto* results = formulae->findChild<QListWidget*>("resultList");
    EXPECT_TRUE(formulae->findChild<QTreeView*>("categoryTree")->isHidden());
    ASSERT_EQ(results->count(), 1);
    results->setCurrentRow(0);
    EXPECT_TRUE(formulae->findChild<QPlainTextEdit*>("detailText")->toPlainText().startsWith("【方名】小青龙汤"));

    ReferencePanel* drugs = window->panel(Kind::WesternDrug);
    auto* drugList = drugs->findChild<QListWidget*>("resultList");
    drugs->findChild<QLineEdit*>("searchBox")->setText("ZSY");
    const int anywhere = drugList->count();
    drugs->findChild<QCheckBox*>("atStartBox")->setChecked(true);
    EXPECT_GT(anywhere, drugList->count());
    EXPECT_TRUE(drugList->item(0)->text().startsWith("注射用"));
}

TEST_F(ReferenceWindowsTest, DiseaseInformationAsksAboutTheOpenRecordFirstAndInsertsIntoIt) {
    Passages record;
    record.modified = true;
    main_->setOpenDocument(&record);
    ui_.answerMessageDialog(0);  // discard
    ASSERT_TRUE(main_->commands().run(shell::cmd::DiseaseInfo));
    ASSERT_EQ(ui_.shown().size(), 1);
    EXPECT_TRUE(ui_.shown()[0].text.contains("《首次病程记录》已修改，是否保存？"));
    ReferenceWindow* window = diseaseInformationWindow(*main_);
    ASSERT_TRUE(window);
    EXPECT_FALSE(window->findChild<QTabWidget*>());
    ReferencePanel* panel = window->currentPanel();
    EXPECT_EQ(panel->tree()->data(clickFirstEntry(panel).parent()).toString(), "内科");

    auto* insert = window->findChild<QPushButton*>("insertButton");
    insert->click();  // nothing selected
    EXPECT_EQ(ui_.lastText(), kNothingSelected);
    panel->findChild<QPlainTextEdit*>("detailText")->selectAll();
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

}  // namespace
}  // namespace qh::reference
