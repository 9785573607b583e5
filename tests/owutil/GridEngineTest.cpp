// The grid engine under the properties grid: cell values, geometry and the
// keys it leaves to its parent.
#include "owutil/ui/grid/CUGCtrl.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

TEST(UGCell, NumbersShowWithTheirDecimals)
{
    CUGCell cell;
    cell.SetNumberDecimals(2);
    cell.SetNumber(3.14159);
    EXPECT_EQ(cell.GetText(), "3.14");
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 3.14159);
    cell.SetNumberDecimals(0);
    EXPECT_EQ(cell.GetText(), "3");
    cell.SetText(" 12.5 ");
    EXPECT_EQ(cell.GetDataType(), UGCELLDATA_STRING);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 12.5);
    cell.SetText("twelve");
    EXPECT_EQ(cell.GetNumber(), 0.0);
    cell.SetNumberDecimals(99); // clamped, not a 99-digit text
    cell.SetNumber(1);
    EXPECT_EQ(cell.GetText().size(), 17);
}

TEST(UGCtrl, GeometryFollowsHeadingsRowsAndColumns)
{
    QWidget host;
    host.resize(300, 200);
    CUGCtrl grid;
    ASSERT_TRUE(grid.CreateGrid(0, CRect(0, 0, 300, 200), &host, 77));
    EXPECT_EQ(grid.property("id").toInt(), 77);
    grid.SetNumberCols(2);
    grid.SetNumberRows(50);
    grid.SetSH_Width(60);
    grid.SetDefRowHeight(20);
    grid.SetTH_Height(24);
    grid.FitToWindow(0, 1);
    EXPECT_EQ(grid.GetSH_Width() + grid.GetColWidth(0) + grid.GetColWidth(1), grid.viewport()->width());

    EXPECT_EQ(grid.GetCellRect(0, 0), CRect(60, 24, 60 + grid.GetColWidth(0), 44));
    int col = -9, row = -9;
    ASSERT_EQ(grid.GetCellFromPoint(61, 45, &col, &row), UG_SUCCESS);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 1);
    ASSERT_EQ(grid.GetCellFromPoint(10, 5, &col, &row), UG_SUCCESS);
    EXPECT_EQ(col, UG_HEADING);
    EXPECT_EQ(row, UG_HEADING);
    EXPECT_EQ(grid.GetCellFromPoint(10, 24 + 50 * 20 + 5, &col, &row), UG_ERROR);
    EXPECT_EQ(grid.GetTotalHeight(), 24 + 50 * 20);

    // Moving to a row below the window scrolls it into view.
    EXPECT_EQ(grid.GotoCell(1, 40), UG_SUCCESS);
    EXPECT_GT(grid.GetTopRow(), 0);
    EXPECT_FALSE(grid.GetCellRect(1, 40).IsRectEmpty());
    EXPECT_TRUE(grid.GetCellRect(1, 0).IsRectEmpty());
    EXPECT_EQ(grid.GotoCell(2, 0), UG_ERROR);

    // Cells keep their values when the grid gains columns.
    grid.QuickSetText(1, 3, "kept");
    grid.SetNumberCols(3);
    EXPECT_EQ(grid.QuickGetText(1, 3), "kept");
}

TEST(UGCtrl, KeysNobodyUsesGoToTheDialog)
{
    QDialog dialog;
    dialog.resize(300, 200);
    CUGCtrl grid;
    grid.CreateGrid(0, CRect(0, 0, 300, 200), &dialog, 5);
    grid.SetNumberCols(1);
    grid.SetNumberRows(3);
    dialog.show();
    // Typing into a plain engine starts nothing (the grid decides), and
    // Escape is the dialog's.
    QTest::keyClick(&grid, 'a');
    EXPECT_FALSE(grid.IsEditing());
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    QTest::keyClick(&grid, Qt::Key_F2);
    ASSERT_TRUE(grid.IsEditing());
    QTest::keyClicks(grid.GetEditCtrl(), "typed");
    QTest::keyClick(grid.GetEditCtrl(), Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible()); // Escape ended the edit only
    EXPECT_EQ(grid.QuickGetText(0, 1), "");
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}
