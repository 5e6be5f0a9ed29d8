#include "model/WallTableRows.h"

#include "tables/GridTable.h"
#include "tables/WallTables.h"

void EmptyAllTables(WallTables& tables)
{
    for (int i = 0; i < WallTables::Count; ++i)
        tables.Table(i).SetRowCount(0);
}

void PadToMinRows(WallTables& tables)
{
    for (int i = 0; i < WallTables::Count; ++i) {
        TGridTable& table = tables.Table(i);
        if (table.RowCount() < table.MinRows())
            table.SetRowCount(table.MinRows());
    }
}
