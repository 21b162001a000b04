#include <gtest/gtest.h>

#include <QFont>

#include "interaction/DataGrid.h"
#include "interaction/ScriptedUserInterface.h"
#include "interaction/ui/DataGridView.h"

namespace qh::ui {
namespace {

TEST(DataGrid, RowsCountTheHeaderAndInsertRemoveKeepCellsAndMerges) {
    DataGrid grid(3);
    EXPECT_EQ(grid.rows(), 1);
    EXPECT_EQ(grid.rowCount(), 0);
    grid.setHeader({QStringLiteral("床号"), QStringLiteral("姓名"), QStringLiteral("诊断")});
    EXPECT_EQ(grid.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("姓名"));

    EXPECT_EQ(grid.addRow({QStringLiteral("1"), QStringLiteral("张三")}), 1);
    EXPECT_EQ(grid.addRow({QStringLiteral("2"), QStringLiteral("李四")}), 2);
    grid.setRowValue(2, 42);
    ASSERT_TRUE(grid.mergeCells(2, 1, 2, 2));
    grid.setCurrent(2, 1);

    grid.insertRow(1);
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.text(1, 1), QString());
    EXPECT_EQ(grid.text(3, 1), QStringLiteral("李四"));
    EXPECT_EQ(grid.rowValue(3).toInt(), 42);
    EXPECT_EQ(grid.merges().first(), QRect(QPoint(1, 3), QPoint(2, 3)));
    EXPECT_EQ(grid.row(), 3);

    grid.removeRow(3);
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_TRUE(grid.merges().isEmpty());  // the merged row went with it
    grid.removeRow(0);                     // the header row stays
    EXPECT_EQ(grid.text(0, 0), QStringLiteral("床号"));
    grid.clearRows();
    EXPECT_EQ(grid.rows(), 1);
    EXPECT_EQ(grid.row(), -1);
}

TEST(DataGrid, CellStyleAndColoursReachTheView) {
    DataGrid grid(2);
    grid.addRow({QStringLiteral("a"), QStringLiteral("b")});
    grid.setCellFontStyle(1, 0, Bold | StrikeOut);
    grid.setCellForeColor(1, 0, 0x0000FF);  // 0x00BBGGRR: red
    grid.setCellBackColor(1, 1, 0xFF0000);  // blue
    grid.setColumnAlignment(1, Qt::AlignRight | Qt::AlignVCenter);

    const QFont f = grid.data(grid.index(0, 0), Qt::FontRole).value<QFont>();
    EXPECT_TRUE(f.bold());
    EXPECT_TRUE(f.strikeOut());
    EXPECT_EQ(grid.data(grid.index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(grid.data(grid.index(0, 1), Qt::BackgroundRole).value<QColor>(), QColor(0, 0, 255));
    EXPECT_FALSE(grid.data(grid.index(0, 1), Qt::FontRole).isValid());
    EXPECT_EQ(grid.cellAlignment(1, 1), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(bgrFromColor(colorFromBgr(0x123456)), 0x123456u);
}

TEST(DataGrid, MergesMayNotOverlapOrJoinTheHeader) {
    DataGrid grid(4);
    grid.setRows(5);
    EXPECT_TRUE(grid.mergeCells(1, 0, 2, 1));
    EXPECT_FALSE(grid.mergeCells(2, 1, 3, 2));
    EXPECT_FALSE(grid.mergeCells(0, 0, 1, 0));
    EXPECT_FALSE(grid.mergeCells(1, 3, 1, 3));
    EXPECT_FALSE(grid.mergeCells(4, 0, 5, 0));  // outside the grid

    // A row inserted inside the merge widens it: both rows it held stay merged.
    grid.insertRow(2);
    EXPECT_EQ(grid.merges().first(), QRect(QPoint(0, 1), QPoint(1, 3)));

    grid.setRows(2);  // the merge now reaches past the end
    EXPECT_TRUE(grid.merges().isEmpty());
}

TEST(DataGrid, EditsOnlyWhenEditableAndViewAppliesLayout) {
    DataGrid grid(3);
    grid.addRow();
    EXPECT_FALSE(grid.setData(grid.index(0, 0), QStringLiteral("x"), Qt::EditRole));
    grid.setEditable(true);
    EXPECT_TRUE(grid.setData(grid.index(0, 0), QStringLiteral("x"), Qt::EditRole));
    EXPECT_EQ(grid.text(1, 0), QStringLiteral("x"));

    DataGridView view;
    view.setGrid(&grid);
    grid.setColumnWidth(0, 77);
    grid.setColumnHidden(2, true);
    grid.addRow();
    grid.setRowHeight(2, 40);
    grid.mergeCells(2, 0, 2, 1);
    EXPECT_EQ(view.columnWidth(0), 77);
    EXPECT_TRUE(view.isColumnHidden(2));
    EXPECT_EQ(view.rowHeight(1), 40);
    EXPECT_EQ(view.columnSpan(1, 0), 2);
    grid.setCurrent(2, 1);
    EXPECT_EQ(view.currentIndex(), grid.index(1, 1));
    view.setCurrentIndex(grid.index(0, 2));
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.col(), 2);
}

TEST(ScriptedUserInterface, AnswersInOrderAndRecordsWhatWasShown) {
    ui::ScriptedUserInterface ui;
    ui.answerMessageDialog(1);
    ui.answerInput(true, QStringLiteral("12"));
    EXPECT_EQ(ui.messageDialog(QStringLiteral("保存？"), true), 1);
    EXPECT_EQ(ui.messageDialog(QStringLiteral("已保存")), 1);       // a single button is acknowledged
    EXPECT_EQ(ui.messageDialog(QStringLiteral("删除？"), true), 0);  // nothing queued: cancel
    const ui::InputResult input = ui.inputBox(QStringLiteral("数量"), QStringLiteral("请输入"), ui::InputMode::Numeric);
    EXPECT_TRUE(input.ok);
    EXPECT_EQ(input.text, QStringLiteral("12"));
    EXPECT_EQ(ui.openFileName(QStringLiteral("打开"), QString(), QString()), QString());
    EXPECT_EQ(ui.unanswered(), 2);
    EXPECT_EQ(ui.texts().mid(0, 3), (QStringList{QStringLiteral("保存？"), QStringLiteral("已保存"), QStringLiteral("删除？")}));
    EXPECT_EQ(ui.shown()[4].kind, ui::ShownKind::OpenFile);
}

}  // namespace
}  // namespace qh::ui
