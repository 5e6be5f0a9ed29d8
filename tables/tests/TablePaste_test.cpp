#include "tables/TablePaste.h"

#include "tables/GridTable.h"
#include "tables/tests/TableFixtures.h"

#include <gtest/gtest.h>

namespace {

TEST(TablePaste, ChoicesTakeTheirTextOrNumberAndRowsStopAtTheLimit)
{
    SoilTables soil;
    TGridTable& layers = *soil.layers;
    layers.SetMaxRows(3);
    layers.SetRowCount(1);
    const PasteResult r = PasteTableText(layers, 0, 0, "clay\t5\r\n1\t10\n2\t15\nSand\t20\n");
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.rowsAdded, 2) << "the fourth line is past MaxRows";
    ASSERT_EQ(layers.RowCount(), 3);
    EXPECT_EQ(layers.Cell(0, 0).AsInteger(), 2);
    EXPECT_EQ(layers.Cell(2, 0).AsTable()->Caption(), "Clay");
    EXPECT_EQ(layers.Cell(0, 1).AsInteger(), 1);
    EXPECT_EQ(layers.Cell(1, 2).AsFloat(), 15);
    EXPECT_EQ(CopyTableText(layers, 0, 1, 0, 1), "Clay\t5\nSand\t10\n");
}

TEST(TablePaste, FirstRefusedValueStopsWithItsRowAndColumn)
{
    SoilTables soil;
    TGridTable& layers = *soil.layers;
    layers.SetRowCount(3);
    PasteResult r = PasteTableText(layers, 0, 0, "2\t5\n7\t6\n1\t7\n");
    EXPECT_EQ(r.error, "Row 2, column \"Type\": Choice must be between 1 and 2.");
    EXPECT_EQ(r.stored, 2);
    EXPECT_EQ(layers.Cell(0, 1).AsInteger(), 1) << "the refused choice is not kept";

    r = PasteTableText(layers, 1, 1, "\t\n1/0\n");
    EXPECT_EQ(r.stored, 0) << "blank fields leave their cells";
    EXPECT_EQ(r.error, "Row 3, column \"Depth (ft)\": Floating point division by zero");
}

}  // namespace
