// The editor's operations as the host uses them: replacing placeholders, filling named
// cells, inserting, protection against user edits, revisions, fonts, paper and files.
#include "common/Clock.h"
#include "common/GbkText.h"
#include "records/ui/CharacterDialog.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/RecordTextEdit.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QRadioButton>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "editor_samples.h"

using namespace qh::records;

namespace {

// Body: a placeholder line, a table with the named cells XM and XB, an inline field ZD.
void buildForm(DocumentEditor& editor) {
    QTextDocument* body = editor.document().body();
    QTextCursor c(body);
    c.insertText("姓名：{姓名}，{姓名}入院。");
    c.insertBlock();
    QTextTable* table = c.insertTable(2, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText("姓名");
    table->cellAt(0, 1).firstCursorPosition().insertText("{姓名}");
    setCellAlias(table->cellAt(0, 1), "XM");
    table->cellAt(1, 0).firstCursorPosition().insertText("性别");
    setCellAlias(table->cellAt(1, 1), "XB");
    QTextCursor after(body);
    after.movePosition(QTextCursor::End);
    after.insertText("诊断：");
    QTextCharFormat field;
    field.setProperty(AliasProperty, QStringLiteral("ZD"));
    after.insertText("待定", field);
    after.insertText("。", QTextCharFormat());
    QTextCursor(editor.document().header()).insertText("{医院名称} 住院病历 {姓名}");
    editor.setModified(false);
}

QString cellText(DocumentEditor& editor, const QString& alias) {
    QTextTableCell cell = findNamedCell(editor.document().body(), alias);
    QTextCursor c = cell.firstCursorPosition();
    c.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
    return c.selectedText();
}

void press(QWidget* view, int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(view, &event);
}

QString writeFile(const qh::test::TempDir& dir, const QString& name, const QByteArray& bytes) {
    QFile f(dir.file(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return dir.file(name);
}

void placeCaret(DocumentEditor& editor, int position) {
    QTextCursor c(editor.document().body());
    c.setPosition(position);
    editor.bodyView()->setTextCursor(c);
}

// The character format at a position of the body.
QTextCharFormat formatAt(DocumentEditor& editor, int position) {
    QTextCursor c(editor.document().body());
    c.setPosition(position);
    return c.charFormat();
}

class EditorOperations : public ::testing::Test {
protected:
    QString body() { return editor.document().body()->toPlainText(); }
    DocumentEditor editor;
};

}  // namespace

TEST_F(EditorOperations, ReplaceReachesBodyCellsAndHeaderKeepsTheLookAndLeavesMissesUntouched) {
    buildForm(editor);
    const QByteArray before = editor.content();
    for (const char* missing : {"{不存在}", "{姓 名}", ""}) EXPECT_EQ(editor.replace(missing, "x", true), 0) << missing;
    EXPECT_EQ(editor.content(), before);
    EXPECT_FALSE(editor.isModified());

    EXPECT_EQ(editor.replace("{姓名}", "张三", true), 4);
    EXPECT_TRUE(body().contains("姓名：张三，张三入院。"));
    EXPECT_EQ(cellText(editor, "XM"), "张三");
    EXPECT_EQ(editor.document().header()->toPlainText(), "{医院名称} 住院病历 张三");
    EXPECT_TRUE(editor.isModified());
    // A replacement containing the searched text does not loop.
    EXPECT_EQ(editor.replace("张三", "张三丰张三", true), 4);

    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCursor(editor.document().body()).insertText("{年龄}", bold);
    EXPECT_EQ(editor.replace("{年龄}", "45", true), 1);
    EXPECT_EQ(formatAt(editor, 1).fontWeight(), QFont::Bold);
}

TEST_F(EditorOperations, FillingAndInsertingReachNamedCellsAndFieldsOnly) {
    buildForm(editor);
    EXPECT_TRUE(editor.setCellText("XM", "李四"));
    EXPECT_TRUE(editor.setCellText("ZD", "高血压病"));
    EXPECT_EQ(cellText(editor, "XM"), "李四");
    EXPECT_TRUE(body().endsWith("诊断：高血压病。"));
    // Filling again replaces rather than appends; the alias survives the filling.
    EXPECT_TRUE(editor.setCellText("ZD", "冠心病"));
    EXPECT_TRUE(body().endsWith("诊断：冠心病。"));
    const QByteArray before = editor.content();
    EXPECT_FALSE(editor.setCellText("CSRQ", "1950年3月1日"));
    EXPECT_FALSE(editor.insertText("x", 0, "无此名"));
    EXPECT_EQ(editor.content(), before);

    EXPECT_TRUE(editor.insertText("【】", 0));
    EXPECT_TRUE(body().startsWith("【】姓名"));
    EXPECT_TRUE(editor.insertText("（待复查）", -1, "ZD"));
    EXPECT_TRUE(body().endsWith("冠心病（待复查）。"));
    EXPECT_TRUE(editor.insertText("女", 0, "XB"));
    EXPECT_EQ(cellText(editor, "XB"), "女");
}

TEST_F(EditorOperations, ReloadedContentIsUnmodifiedAndJunkKeepsTheOpenDocument) {
    buildForm(editor);
    editor.replace("{姓名}", "张三", true);
    const QByteArray stored = editor.content();
    DocumentEditor other;
    ASSERT_TRUE(other.setContent(stored));
    other.setModified(false);
    EXPECT_EQ(other.content(), stored);
    QString error;
    EXPECT_FALSE(other.setContent("PK\x03\x04 something else", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(other.content(), stored);
    EXPECT_FALSE(other.isModified());
    press(other.bodyView(), Qt::Key_A, "a");
    EXPECT_TRUE(other.isModified());
    EXPECT_TRUE(other.setContent(QByteArray()));
    EXPECT_TRUE(other.document().body()->isEmpty());
}

TEST_F(EditorOperations, ReadOnlyForbidsEveryUserEdit) {
    buildForm(editor);
    QApplication::clipboard()->setText("粘贴的内容");
    editor.setProtection(Protection::ReadOnly);
    const QByteArray before = editor.content();
    placeCaret(editor, 2);
    press(editor.bodyView(), Qt::Key_A, "a");
    press(editor.bodyView(), Qt::Key_Backspace);
    press(editor.bodyView(), Qt::Key_Return, "\r");
    editor.paste();
    editor.selectAll();
    editor.cut();
    editor.undo();
    editor.insertPicture(QStringLiteral(QH_SOURCE_DIR "/docs/images/none.png"));
    EXPECT_EQ(editor.acceptAllRevisions(), 0);
    editor.setHeaderEditing(true);
    EXPECT_FALSE(editor.isHeaderEditing());
    EXPECT_EQ(editor.content(), before);
    EXPECT_FALSE(editor.isModified());
    // Reading is still possible: copying works.
    editor.selectAll();
    editor.copy();
    EXPECT_TRUE(QApplication::clipboard()->text().contains("入院"));
    // The protection travels with the content.
    DocumentEditor reloaded;
    ASSERT_TRUE(reloaded.setContent(editor.content()));
    EXPECT_EQ(reloaded.protection(), Protection::ReadOnly);
}

TEST_F(EditorOperations, FormFillAllowsEditingOnlyInsideNamedCellsAndTrackedReplaceKeepsTheOld) {
    buildForm(editor);
    editor.setProtection(Protection::FormFill);
    placeCaret(editor, 1);  // ordinary text
    press(editor.bodyView(), Qt::Key_X, "x");
    press(editor.bodyView(), Qt::Key_Delete);
    EXPECT_TRUE(body().startsWith("姓名：{姓名}"));

    QTextTableCell xb = findNamedCell(editor.document().body(), "XB");
    placeCaret(editor, xb.firstPosition());
    press(editor.bodyView(), Qt::Key_unknown, "女");
    EXPECT_EQ(cellText(editor, "XB"), "女");
    // Deleting backwards out of the cell start is refused.
    placeCaret(editor, xb.firstPosition());
    press(editor.bodyView(), Qt::Key_Backspace);
    EXPECT_EQ(cellText(editor, "XB"), "女");

    int start = 0, end = 0;
    ASSERT_TRUE(findNamedField(editor.document().body(), "ZD", &start, &end));
    placeCaret(editor, end);
    press(editor.bodyView(), Qt::Key_unknown, "？");
    EXPECT_TRUE(body().endsWith("待定？。"));

    // The user's replace under form filling: only the named cell may change.
    EXPECT_EQ(editor.document().replaceWhereUserMayEdit("{姓名}", "王五", true), 1);
    EXPECT_EQ(cellText(editor, "XM"), "王五");
    EXPECT_TRUE(body().startsWith("姓名：{姓名}，{姓名}"));

    editor.setProtection(Protection::None);
    auto trackedRun = [&] {
        return replaceTracked(editor.document().body(), "{姓名}", "赵六", true, "李医生", QDateTime(QDate(2016, 3, 5), QTime(9, 0)),
                              [](int, int) { return true; });
    };
    EXPECT_EQ(trackedRun(), 2);
    // Old text struck and kept, new text inserted after it; a second run finds nothing
    // new to replace in what is already struck out.
    EXPECT_TRUE(body().startsWith("姓名：{姓名}赵六，{姓名}赵六"));
    EXPECT_EQ(trackedRun(), 0);
    EXPECT_EQ(editor.rejectAllRevisions(), 4);
    EXPECT_TRUE(body().startsWith("姓名：{姓名}，{姓名}入院。"));
}

TEST_F(EditorOperations, TrackedTypingAndDeletingAreSignedAndSettledOneOrAll) {
    qh::Clock::set([] { return QDateTime(QDate(2016, 3, 5), QTime(9, 7, 2)); });
    QTextCursor(editor.document().body()).insertText("患者发热三天。");
    editor.setRevisionAuthor("李医生");
    editor.setTrackChanges(true);

    placeCaret(editor, 4);  // after 发热
    press(editor.bodyView(), Qt::Key_unknown, "伴咳嗽");
    placeCaret(editor, 2);
    press(editor.bodyView(), Qt::Key_Delete);  // strikes 发, keeps it
    EXPECT_EQ(body(), "患者发热伴咳嗽三天。");
    ASSERT_EQ(revisionCount(editor.document().body()), 2);
    auto inserted = revisionAt(editor.document().body(), 5);
    ASSERT_TRUE(inserted);
    EXPECT_EQ(inserted->kind, RevisionKind::Insertion);
    EXPECT_EQ(inserted->author, "李医生");
    EXPECT_EQ(inserted->time, "2016-03-05 09:07:02");
    EXPECT_EQ(describeRevision(*inserted), "修订（插入）\n修改人：李医生\n时间：2016-03-05 09:07:02");

    // Backspace over one's own pending insertion removes it outright.
    placeCaret(editor, 7);
    press(editor.bodyView(), Qt::Key_Backspace);
    EXPECT_EQ(body(), "患者发热伴咳三天。");

    const QByteArray tracked = editor.content();
    placeCaret(editor, 5);
    EXPECT_TRUE(editor.rejectRevision());  // the insertion at the caret goes
    EXPECT_EQ(body(), "患者发热三天。");
    placeCaret(editor, 2);
    EXPECT_TRUE(editor.acceptRevision());  // the deletion at the caret is carried out
    EXPECT_EQ(body(), "患者热三天。");
    EXPECT_EQ(revisionCount(editor.document().body()), 0);
    placeCaret(editor, 0);
    EXPECT_FALSE(editor.acceptRevision());

    ASSERT_TRUE(editor.setContent(tracked));
    EXPECT_EQ(editor.acceptAllRevisions(), 2);
    EXPECT_EQ(body(), "患者热伴咳三天。");
    EXPECT_FALSE(formatAt(editor, 4).fontUnderline());  // accepted text looks like any other
    EXPECT_FALSE(formatAt(editor, 4).hasProperty(QTextFormat::ForegroundBrush));

    ASSERT_TRUE(editor.setContent(tracked));
    EXPECT_EQ(editor.rejectAllRevisions(), 2);
    EXPECT_EQ(body(), "患者发热三天。");
    EXPECT_FALSE(formatAt(editor, 3).fontStrikeOut());
    qh::Clock::set({});
}

TEST_F(EditorOperations, RevisionMarksStayOnTheRevisionAndRejectingRestoresTheOwnLook) {
    QTextCursor c(editor.document().body());
    insertTracked(c, "加用抗生素", "李医生", QDateTime(QDate(2016, 3, 5), QTime(9, 0)));
    placeCaret(editor, 5);
    press(editor.bodyView(), Qt::Key_unknown, "。");
    EXPECT_EQ(body(), "加用抗生素。");
    EXPECT_EQ(revisionAt(editor.document().body(), 5)->end, 5);  // the full stop is nobody's revision
    EXPECT_FALSE(formatAt(editor, 6).fontUnderline());

    // Rejecting a tracked deletion restores the writer's own colour and underline.
    DocumentEditor other;
    QTextCharFormat own;
    own.setForeground(QColor(0, 128, 0));
    own.setFontUnderline(true);
    QTextCursor(other.document().body()).insertText("绿色下划线", own);
    other.setRevisionAuthor("王护士");
    other.setTrackChanges(true);
    other.selectAll();
    press(other.bodyView(), Qt::Key_Delete);
    EXPECT_TRUE(formatAt(other, 1).fontStrikeOut());
    other.rejectAllRevisions();
    const QTextCharFormat restored = formatAt(other, 1);
    EXPECT_EQ(restored.foreground().color(), QColor(0, 128, 0));
    EXPECT_TRUE(restored.fontUnderline());
    EXPECT_FALSE(restored.fontStrikeOut());
}

TEST_F(EditorOperations, FontFamilyKeepsRequestedFaceAndFallsBackToInstalledCjkFace) {
    QTextCursor(editor.document().body()).insertText("病程记录");
    editor.setFontFamily("仿宋_GB2312");
    const QTextCharFormat format = formatAt(editor, 2);
    const QStringList families = format.fontFamilies().toStringList();
    ASSERT_GE(families.size(), 2);
    EXPECT_EQ(families.first(), "仿宋_GB2312");
    EXPECT_TRUE(QFontDatabase::families().contains(families.at(1))) << families.at(1).toStdString();
    EXPECT_TRUE(QFontDatabase::families().contains(QFontInfo(format.font()).family()));
}

TEST_F(EditorOperations, HeaderIsPlacedFromAnotherEditorAndPastedIntoWhileEdited) {
    DocumentEditor headerEditor;
    QTextCursor(headerEditor.document().body()).insertText("青禾县人民医院");
    DocumentEditor record;
    QTextCursor(record.document().body()).insertText("正文");
    ASSERT_TRUE(record.setHeaderContent(headerEditor.content()));
    EXPECT_EQ(record.document().header()->toPlainText(), "青禾县人民医院");
    EXPECT_EQ(record.document().body()->toPlainText(), "正文");

    // The host's way: select all and copy in the header editor, paste into the header area.
    headerEditor.selectAll();
    headerEditor.copy();
    record.setHeaderEditing(true);
    record.selectAll();
    record.paste();
    record.setHeaderEditing(false);
    EXPECT_EQ(record.document().header()->toPlainText(), "青禾县人民医院");
    EXPECT_EQ(record.document().body()->toPlainText(), "正文");
    EXPECT_TRUE(record.headerView()->isReadOnly());

    DocumentEditor copy;
    ASSERT_TRUE(copy.setHeaderContent(record.headerContent()));
    EXPECT_EQ(copy.document().header()->toPlainText(), "青禾县人民医院");
}

TEST_F(EditorOperations, TextFilesInGbkAndUtf8AreRecognised) {
    qh::test::TempDir dir;
    const QString text = QStringLiteral("主诉：反复咳嗽3年。\n现病史：无。");
    const std::pair<QString, QByteArray> files[] = {
        {"gbk.txt", qh::text::toGbk(text)}, {"utf8.txt", text.toUtf8()}, {"bom.txt", "\xEF\xBB\xBF" + text.toUtf8()},
        {"page.html", "<html><body><p><b>体格检查</b></p><table border=1><tr><td>T</td><td>36.5℃</td></tr></table>"}};
    for (const auto& [name, bytes] : files) {
        ASSERT_TRUE(editor.openFile(writeFile(dir, name, bytes))) << name.toStdString();
        EXPECT_FALSE(editor.isModified());
        if (!name.endsWith(".html")) EXPECT_EQ(body(), text) << name.toStdString();
    }
    EXPECT_TRUE(body().contains("36.5℃"));
}

TEST_F(EditorOperations, SavedFileOpensAsTheSameDocumentAndBadFilesExplain) {
    qh::test::TempDir dir;
    buildForm(editor);
    for (int badWidth : {0, -2100}) EXPECT_FALSE(editor.setPageSize(badWidth, 2970)) << badWidth;
    EXPECT_TRUE(editor.setPageSize(1820, 2570));
    QImage picture(30, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.save(dir.file("picture.png"));
    placeCaret(editor, 0);
    ASSERT_TRUE(editor.insertPicture(dir.file("picture.png")));
    editor.setRevisionAuthor("李医生");
    editor.setTrackChanges(true);
    press(editor.bodyView(), Qt::Key_unknown, "补记");
    ASSERT_EQ(revisionCount(editor.document().body()), 1);
    ASSERT_TRUE(editor.saveFile(dir.file("入院记录.ewd")));
    DocumentEditor reopened;
    ASSERT_TRUE(reopened.openFile(dir.file("入院记录.ewd")));
    EXPECT_EQ(reopened.content(), editor.content());

    QString error;
    EXPECT_FALSE(reopened.openFile(dir.file("missing.ewd"), &error));
    EXPECT_TRUE(error.contains("无法读取"));
    writeFile(dir, "old.doc", "\xD0\xCF\x11\xE0");
    if (QStandardPaths::findExecutable("libreoffice").isEmpty() && QStandardPaths::findExecutable("soffice").isEmpty()) {
        EXPECT_FALSE(reopened.openFile(dir.file("old.doc"), &error));
        EXPECT_TRUE(error.contains("LibreOffice"));
    }
    EXPECT_EQ(reopened.content(), editor.content());
}

TEST_F(EditorOperations, CharacterDialogGivesSuperscriptAndSpacing) {
    CharacterDialog dialog(QTextCharFormat{});
    dialog.superscriptButton()->setChecked(true);
    dialog.spacingBox()->setValue(2);
    dialog.specialBox()->setCurrentText("℃");
    EXPECT_EQ(dialog.format().verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(dialog.format().fontLetterSpacing(), 2);
    EXPECT_EQ(dialog.specialCharacter(), "℃");
    dialog.specialBox()->setCurrentIndex(0);
    EXPECT_TRUE(dialog.specialCharacter().isEmpty());
}
