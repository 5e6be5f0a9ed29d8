#include "model/WallTableRows.h"

#include "tables/Column.h"
#include "tables/GridTable.h"

namespace {

// Options that switch a table on: read without rows, the option is off.
bool HasOptionFlag(int index)
{
    switch (static_cast<WallTable>(index)) {
    case WallTable::BoundaryConditions:
    case WallTable::ConcentratedLoads:
    case WallTable::Springs:
    case WallTable::PYMod:
    case WallTable::PYCurves:
    case WallTable::SurchargeTable:
    case WallTable::MEICurves:
        return true;
    default:
        return false;
    }
}

// Everything row r holds, sub-tables included, as one text.
std::string RowContent(TGridTable& table, int r)
{
    std::string s;
    for (int c = 0; c < table.ColumnCount(); ++c) {
        const TColumn& column = table.Column(c);
        if (column.Kind() == ColumnTable) {
            TGridTable* sub = column.GetTable(r);
            s += "[";
            for (int k = 0; sub && k < sub->RowCount(); ++k)
                s += RowContent(*sub, k) + ";";
            s += "]";
        } else {
            s += table.Cell(c, r).AsText();
        }
        s += '\t';
    }
    return s;
}

}  // namespace

void EmptyAllTables(WallTables& tables)
{
    for (int i = 0; i < WallTables::Count; ++i)
        tables.Table(i).SetRowCount(0);
}

TablePadding PadToMinRows(WallTables& tables)
{
    TablePadding padding;
    for (int i = 0; i < WallTables::Count; ++i) {
        TGridTable& table = tables.Table(i);
        const int read = table.RowCount();
        if (read >= table.MinRows())
            continue;
        table.SetRowCount(table.MinRows());
        if (read == 0 && HasOptionFlag(i))
            continue;
        padding.added[i] = table.MinRows() - read;
        padding.blank[i] = RowContent(table, table.RowCount() - 1);
    }
    return padding;
}

int RowsToWrite(WallTables& tables, const TablePadding& padding, int index)
{
    TGridTable& table = tables.Table(index);
    int rows = table.RowCount();
    for (int dropped = 0; dropped < padding.added[index] && rows > 0; ++dropped) {
        if (RowContent(table, rows - 1) != padding.blank[index])
            break;
        --rows;
    }
    return rows;
}
