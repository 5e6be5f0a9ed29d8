#pragma once

class WallTables;

// Sets every input table to 0 rows (freeing the rows' sub-tables).
void EmptyAllTables(WallTables& tables);
// Gives every input table with fewer rows than its MinRows that many rows;
// the new rows carry the column defaults.
void PadToMinRows(WallTables& tables);
