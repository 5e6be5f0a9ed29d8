#include "tables/TableFormGeometry.h"

#include "tables/GridTable.h"
#include "tables/tests/TableFixtures.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

namespace {

// A grid of 20-pixel rows, a 30-pixel row-number column and two columns of 50
// and 60 pixels, margins of 4, 16-pixel scroll bars and 81 x 21 buttons.
TableFormMetrics Metrics()
{
    TableFormMetrics m;
    m.margin = 4;
    m.rowHeight = 20;
    m.columnWidths = {30, 50, 60};
    m.vScrollWidth = 16;
    m.hScrollHeight = 16;
    m.frameWidth = 8;
    m.frameHeight = 30;
    return m;
}

TEST(TableFormGeometry, RowButtonsFollowTheRowLimits)
{
    TTableScope scope;
    TGridTable table(scope);
    AddReals(table, "Depth", "L2");
    table.SetMinRows(2);
    table.SetMaxRows(2);
    table.SetRowCount(2);
    EXPECT_FALSE(RowButtons(table).visible);

    table.SetMaxRows(0);  // no limit: adding always allowed
    table.SetRowCount(50);
    const TableFormButtons b = RowButtons(table);
    EXPECT_TRUE(b.visible && b.addEnabled && b.insertEnabled && b.deleteEnabled);

    table.SetMaxRows(3);
    table.SetRowCount(3);
    EXPECT_FALSE(RowButtons(table).addEnabled);
    table.SetRowCount(2);
    EXPECT_FALSE(RowButtons(table).deleteEnabled);
}

TEST(TableFormGeometry, RowsInViewStartAtTenAndGrowWithAddsWhileAllAreInView)
{
    EXPECT_EQ(InitialRowsInView(12), 10);
    EXPECT_EQ(InitialRowsInView(3), 3);
    EXPECT_EQ(RowsInViewAfterAdd(3, 3, 1), 4);
    EXPECT_EQ(RowsInViewAfterAdd(10, 10, 1), 10);
    EXPECT_EQ(RowsInViewAfterAdd(5, 12, 1), 5) << "a scrolled view keeps its size";
}

TEST(TableFormGeometry, LayoutAddsGridLinesBordersAndScrollBars)
{
    TableFormView view{0, 0, 10, 2};
    TableFormLayout l = LayoutTableForm(Metrics(), 1, 12, view);
    EXPECT_TRUE(l.vScroll);
    EXPECT_FALSE(l.hScroll);
    EXPECT_EQ(l.gridWidth, 3 + 31 + 51 + 61 + 16);
    EXPECT_EQ(l.gridHeight, 21 * 11 + 5);
    EXPECT_EQ(l.buttonsTop, 4 + l.gridHeight + 4);
    EXPECT_EQ(l.buttonLeft[2], 4 + 2 * 85);
    // The buttons are wider than the grid.
    EXPECT_EQ(l.clientWidth, 4 + 2 * 85 + 81 + 4);
    EXPECT_EQ(l.clientHeight, l.buttonsTop + 21 + 4);

    TableFormMetrics withText = Metrics();
    withText.commentHeight = 30;
    withText.pictureHeight = 100;
    withText.pictureWidth = 300;
    view = {0, 1, 3, 1};
    l = LayoutTableForm(withText, 2, 3, view);
    EXPECT_TRUE(l.hScroll);
    EXPECT_EQ(l.gridHeight, 21 * 5 + 5 + 16);
    EXPECT_EQ(l.pictureTop, l.commentTop + 30 + 4);
    EXPECT_EQ(l.clientHeight, l.pictureTop + 100 + 4);
    EXPECT_EQ(l.clientWidth, 4 + 300 + 4) << "the picture is never cut off";
}

TEST(TableFormGeometry, SnapPicksTheVariantThatExceedsTheDraggedFrameLeast)
{
    const TableFormMetrics m = Metrics();
    const TableFormView all{0, 0, 5, 2};
    const TableFormLayout full = LayoutTableForm(m, 1, 5, all);
    const int fullW = full.clientWidth + m.frameWidth, fullH = full.clientHeight + m.frameHeight;

    // A frame large enough for everything: no scroll bars, all rows.
    TableFormSnap s = SnapTableForm(m, 1, 5, all, {false, false, true, true}, fullW + 50, fullH + 50);
    EXPECT_EQ(s.variant, 0);
    EXPECT_EQ(s.windowHeight, fullH);

    // The bottom edge dragged up by two rows: a vertical scroll bar and three rows.
    s = SnapTableForm(m, 1, 5, all, {false, false, false, true}, fullW, fullH - 2 * 21);
    EXPECT_EQ(s.variant, 1);
    EXPECT_EQ(s.view.rowsInView, 3);
    EXPECT_EQ(s.view.columnsInView, 2) << "dragging the bottom edge never changes the columns";

    // Dragging past the last row moves the first scrolled row up.
    s = SnapTableForm(m, 1, 5, TableFormView{4, 0, 1, 2}, {false, false, false, true}, fullW, fullH - 21);
    EXPECT_EQ(s.view.rowsInView, 4);
    EXPECT_EQ(s.view.topRow, 1);

    TableFormMetrics none = m;
    none.columnWidths = {30};
    EXPECT_THROW(
        {
            try {
                SnapTableForm(none, 1, 5, all, {}, 100, 100);
            } catch (const TorvikError& e) {
                EXPECT_STREQ(e.what(), "There must be at least 2 columns in grid");
                throw;
            }
        },
        TorvikError);
}

TEST(TableFormGeometry, EnterMovesDownThenToTheNextColumnThenBackToTheFirst)
{
    int row = 0, column = 0;
    NextCellOnEnter(3, 2, row, column);
    EXPECT_EQ(row, 1);
    row = 2;
    NextCellOnEnter(3, 2, row, column);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(column, 1);
    row = 2;
    NextCellOnEnter(3, 2, row, column);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(column, 0);
}

}  // namespace
