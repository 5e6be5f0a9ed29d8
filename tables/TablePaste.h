#pragma once
#include <string>

class TGridTable;

// What a paste did: how many values it stored and, when a value was refused,
// the message that names its row and column (empty when all were stored).
struct PasteResult {
    int stored = 0;
    int rowsAdded = 0;
    std::string error;
};

// Copies the block of rows firstRow .. lastRow and visible columns firstColumn
// .. lastColumn as tab-separated lines, as spreadsheets exchange them. Choice
// cells give their choice text, sub-table cells an empty field.
std::string CopyTableText(const TGridTable& table, int firstRow, int lastRow, int firstColumn, int lastColumn);

// Pastes tab-separated text (rows on lines) into the table from row `row` and
// visible column `column` on. Each value goes through its column's typed-text
// check; a choice cell takes its choice number or its choice text. Rows are
// added, up to MaxRows, when the block is longer than the table. The first
// refused value stops the paste; what was stored before it stays. Values past
// the last visible column or the row limit, and values for sub-table cells,
// are not stored.
PasteResult PasteTableText(TGridTable& table, int row, int column, const std::string& text);
