// Faults of the editor found in review: accepting a deletion took an unmarked character
// with it, lists lost their numbering on saving, and the standard pop-up menu and a drag
// out of the editor got past form-fill protection and revisions.
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>
#include <gtest/gtest.h>

#include "records/editor/EwdFormat.h"
#include "records/editor/NamedFields.h"
#include "records/editor/RecordDocument.h"
#include "records/editor/Revisions.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/RecordTextEdit.h"

namespace qh::records {
namespace {

const QDateTime kWhen(QDate(2016, 3, 7), QTime(9, 0));

void select(QTextCursor& c, int from, int to) {
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
}

TEST(EditorFaults, DeletionsAroundAnUnmarkedCharacterStaySeparateRevisions) {
    RecordDocument doc;
    doc.body()->setPlainText("abcde");
    QTextCursor c(doc.body());
    select(c, 3, 4);  // d
    deleteTracked(c, "王主任", kWhen);
    select(c, 1, 2);  // b
    deleteTracked(c, "王主任", kWhen);
    EXPECT_EQ(revisionCount(doc.body()), 2);
    EXPECT_TRUE(acceptRevisionAt(doc.body(), 1));
    EXPECT_EQ(doc.body()->toPlainText(), "acde");
    EXPECT_EQ(acceptAllRevisions(doc.body()), 1);
    EXPECT_EQ(doc.body()->toPlainText(), "ace") << "the c between the two deletions stays";

    // A deletion across the end of a paragraph is still one revision.
    doc.body()->setPlainText("ab\ncd");
    QTextCursor across(doc.body());
    select(across, 1, 4);
    deleteTracked(across, "王主任", kWhen);
    EXPECT_EQ(revisionCount(doc.body()), 1);
    acceptAllRevisions(doc.body());
    EXPECT_EQ(doc.body()->toPlainText(), "ad");
}

TEST(EditorFaults, NumberedAndBulletedListsSurviveSaving) {
    RecordDocument doc;
    QTextCursor c(doc.body());
    c.insertText("诊疗计划：");
    c.insertBlock();
    QTextListFormat numbered;
    numbered.setStyle(QTextListFormat::ListDecimal);
    c.createList(numbered);
    c.insertText("完善血常规");
    c.insertBlock();
    c.insertText("抗感染治疗");
    c.insertBlock();
    c.setBlockFormat(QTextBlockFormat());  // out of the list
    c.insertText("注意事项：");
    c.insertBlock();
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    c.createList(bullets);
    c.insertText("低盐饮食");

    RecordDocument back;
    ASSERT_TRUE(decodeEwd(encodeEwd(doc), back, nullptr));
    QTextBlock b = back.body()->begin();
    EXPECT_EQ(b.textList(), nullptr);
    b = b.next();
    ASSERT_NE(b.textList(), nullptr);
    QTextList* first = b.textList();
    EXPECT_EQ(first->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(b.next().textList(), first) << "both items in one numbered list";
    EXPECT_EQ(first->count(), 2);
    EXPECT_EQ(first->itemText(b.next()), "2.");
    b = b.next().next();
    EXPECT_EQ(b.textList(), nullptr);
    ASSERT_NE(b.next().textList(), nullptr);
    EXPECT_EQ(b.next().textList()->format().style(), QTextListFormat::ListDisc);
}

QAction* action(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

TEST(EditorFaults, ThePopUpMenuAndDragsKeepProtectionAndRevisions) {
    DocumentEditor editor;
    RecordDocument& doc = editor.document();
    QTextCursor c(doc.body());
    c.insertText("主诉：");
    QTextTable* table = c.insertTable(1, 1);
    setCellAlias(table->cellAt(0, 0), "ZS");
    editor.setProtection(Protection::FormFill);
    RecordTextEdit* view = editor.bodyView();
    QTextCursor label = view->textCursor();
    select(label, 0, 2);  // 主诉, outside the named cell
    view->setTextCursor(label);
    std::unique_ptr<QMenu> menu(view->createEditingMenu(nullptr));
    ASSERT_NE(action(menu.get(), "剪切"), nullptr);
    EXPECT_FALSE(action(menu.get(), "剪切")->isEnabled());
    action(menu.get(), "剪切")->trigger();
    action(menu.get(), "删除")->trigger();
    EXPECT_TRUE(doc.body()->toPlainText().startsWith("主诉：")) << "protected text stays";
    EXPECT_FALSE(view->dragMayMoveText());

    // With tracking the menu's delete is a revision, and a drag only copies.
    editor.setProtection(Protection::None);
    editor.setRevisionAuthor("王主任");
    editor.setTrackChanges(true);
    view->setTextCursor(label);
    std::unique_ptr<QMenu> tracked(view->createEditingMenu(nullptr));
    action(tracked.get(), "删除")->trigger();
    EXPECT_TRUE(doc.body()->toPlainText().startsWith("主诉："));
    EXPECT_EQ(revisionCount(doc.body()), 1);
    EXPECT_FALSE(view->dragMayMoveText());

    // Selecting with the mouse still works while drags only copy.
    editor.resize(600, 400);
    editor.show();
    QTextCursor start(doc.body());
    const QPoint from = view->cursorRect(start).center();
    const QPoint to = from + QPoint(40, 0);
    QMouseEvent press(QEvent::MouseButtonPress, from, view->viewport()->mapToGlobal(from), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, to, view->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, to, view->viewport()->mapToGlobal(to), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &press);
    QApplication::sendEvent(view->viewport(), &move);
    QApplication::sendEvent(view->viewport(), &release);
    EXPECT_TRUE(view->textCursor().hasSelection());
    EXPECT_TRUE(view->textInteractionFlags() & Qt::TextEditable) << "editable again after the move";

    editor.setTrackChanges(false);
    EXPECT_TRUE(view->dragMayMoveText());
}

}  // namespace
}  // namespace qh::records
