#pragma once
#include "tables/WallTables.h"

#include <array>
#include <string>

class TGridTable;

// The rows PadToMinRows added to tables read from a file: the editor needs
// them, the file does not. Per table, how many rows were added and what such a
// blank row holds; 0 where nothing was added or where the rows belong to the user.
struct TablePadding {
    std::array<int, WallTables::Count> added{};
    std::array<std::string, WallTables::Count> blank;
};

// Sets every input table to 0 rows (freeing the rows' sub-tables).
void EmptyAllTables(WallTables& tables);
// Gives every input table with fewer rows than its MinRows that many rows;
// the new rows carry the column defaults. Returns what it added, except for
// tables of options the file switched off (read without rows): should the
// user switch such an option on, the rows the editor shows are the user's.
TablePadding PadToMinRows(WallTables& tables);
// The rows of table `index` a data file holds: its rows without the trailing
// rows that padding added and that still hold nothing but the defaults.
int RowsToWrite(WallTables& tables, const TablePadding& padding, int index);
