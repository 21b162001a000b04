// Making a form in the program: a table with named cells and an inline field, lists,
// indents, merged cells, widths and borders survive storing, and a record created from
// the form is filled for its patient.
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>

#include "records/editor/Authoring.h"
#include "records/editor/NamedFields.h"
#include "records_fixture.h"

namespace qh::records {
namespace {

using test::RecordsWard;

QTextTable* firstTable(QTextDocument* doc) {
    for (QTextFrame* f : doc->rootFrame()->childFrames())
        if (auto* t = qobject_cast<QTextTable*>(f)) return t;
    return nullptr;
}

TEST_F(RecordsWard, AFormMadeInTheProgramIsFilledForThePatient) {
    RecordDocumentPort form;
    QTextDocument* body = form.document().body();
    QTextCursor c(body);
    c.insertText(QStringLiteral("病情告知书"));
    c.insertBlock();
    QTextTable* table = insertFormTable(c, 2, 4);
    ASSERT_NE(table, nullptr);
    const QStringList labels{QStringLiteral("姓名"), QString(), QStringLiteral("床号"), QString()};
    for (int col = 0; col < 4; col += 2) table->cellAt(0, col).firstCursorPosition().insertText(labels[col]);
    QTextCursor cell = table->cellAt(0, 1).firstCursorPosition();
    ASSERT_TRUE(nameAtCaret(cell, QStringLiteral("XM")));
    cell = table->cellAt(0, 3).firstCursorPosition();
    ASSERT_TRUE(nameAtCaret(cell, QStringLiteral("CH")));
    EXPECT_EQ(nameAtCaretOf(cell), "CH");
    // The second row is one cell across the table, then split again and merged for good.
    QTextCursor across = table->cellAt(1, 0).firstCursorPosition();
    across.setPosition(table->cellAt(1, 3).firstPosition(), QTextCursor::KeepAnchor);
    ASSERT_TRUE(mergeSelectedCells(across));
    EXPECT_EQ(table->cellAt(1, 0).columnSpan(), 4);
    QTextCursor merged = table->cellAt(1, 0).firstCursorPosition();
    ASSERT_TRUE(splitCellAtCaret(merged));
    EXPECT_EQ(table->cellAt(1, 0).columnSpan(), 1);
    EXPECT_FALSE(splitCellAtCaret(merged));
    table->mergeCells(1, 0, 1, 4);
    ASSERT_TRUE(setColumnWidths(merged, {15, 35, 15, 35}));
    ASSERT_TRUE(setTableBorder(merged, 0.5));
    // A row added below keeps the table's four columns.
    ASSERT_TRUE(editTable(merged, TableEdit::RowBelow));
    EXPECT_EQ(table->rows(), 3);
    QTextCursor last = table->cellAt(2, 0).firstCursorPosition();
    ASSERT_TRUE(editTable(last, TableEdit::DeleteRow));
    EXPECT_EQ(table->rows(), 2);

    // An inline field and a placeholder in the text after the table, a list, an indent.
    QTextCursor end(body);
    end.movePosition(QTextCursor::End);
    end.insertBlock();
    end.insertText(QStringLiteral("诊断："));
    const int from = end.position();
    end.insertText(QStringLiteral("____"));
    end.setPosition(from, QTextCursor::KeepAnchor);
    ASSERT_TRUE(nameAtCaret(end, QStringLiteral("ZD")));
    end.movePosition(QTextCursor::End);
    // What follows the field is not part of it.
    end.insertBlock(QTextBlockFormat(), QTextCharFormat());
    end.insertText(QStringLiteral("主管医生：{主管医生}"));
    toggleList(end, QTextListFormat::ListDecimal);
    EXPECT_NE(end.currentList(), nullptr);
    indentParagraphs(end, 2);
    EXPECT_EQ(end.blockFormat().indent(), 2);
    indentParagraphs(end, -5);
    EXPECT_EQ(end.blockFormat().indent(), 0);
    EXPECT_TRUE(knownFormAliases().contains("XM"));
    EXPECT_TRUE(knownPlaceholders().contains("{主管医生}"));

    // Stored as a template of the ward and added to the patient's documents.
    addTemplate(QStringLiteral("病情告知书"), 40, true, QStringLiteral("A"), {}, form.content());
    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord(QStringLiteral("病情告知书")));
    QTextTable* filled = firstTable(editor_.document().body());
    ASSERT_NE(filled, nullptr);
    auto text = [](const QTextTableCell& cell) {
        QTextCursor c = cell.firstCursorPosition();
        c.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
        return c.selectedText();
    };
    EXPECT_EQ(text(filled->cellAt(0, 1)), "张三");
    EXPECT_EQ(text(filled->cellAt(0, 3)), "12床");
    EXPECT_EQ(filled->cellAt(1, 0).columnSpan(), 4);
    EXPECT_EQ(filled->format().border(), 0.5);
    EXPECT_EQ(filled->format().columnWidthConstraints().value(1).rawValue(), 35);
    const QString all = editor_.document().body()->toPlainText();
    EXPECT_TRUE(all.contains("诊断：社区获得性肺炎")) << all.toStdString();
    EXPECT_TRUE(all.contains("主管医生：李医生")) << all.toStdString();
    const QTextBlock lastBlock = editor_.document().body()->lastBlock();
    ASSERT_NE(lastBlock.textList(), nullptr);
    EXPECT_EQ(lastBlock.textList()->format().style(), QTextListFormat::ListDecimal);
}

TEST_F(RecordsWard, NamesAreGivenOnlyWhereThereIsACellOrASelection) {
    RecordDocumentPort doc;
    QTextCursor c(doc.document().body());
    c.insertText(QStringLiteral("正文"));
    EXPECT_FALSE(nameAtCaret(c, QStringLiteral("XM")));  // no cell, no selection
    c.setPosition(0);
    c.setPosition(2, QTextCursor::KeepAnchor);
    ASSERT_TRUE(nameAtCaret(c, QStringLiteral("自定名")));
    EXPECT_EQ(aliasAt(doc.document().body(), 1), "自定名");
    ASSERT_TRUE(nameAtCaret(c, QString()));  // taken away again
    EXPECT_EQ(aliasAt(doc.document().body(), 1), "");
    EXPECT_EQ(insertFormTable(c, 0, 3), nullptr);
    EXPECT_EQ(insertFormTable(c, 3, 51), nullptr);
    EXPECT_FALSE(editTable(c, TableEdit::RowAbove));
}

}  // namespace
}  // namespace qh::records
