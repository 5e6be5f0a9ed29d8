#pragma once
#include "tables/GridTable.h"

#include <cstdint>
#include <string>

// Cell access of the data file reader and writer: column c and row r are 0-based.
namespace cells {

// The display text of a cell (AsText).
inline std::string Text(TGridTable& table, int c, int r) { return table.Cell(c, r).AsText(); }
// A real cell in the table's unit system.
inline long double Real(TGridTable& table, int c, int r) { return table.Cell(c, r).AsFloat(); }
// Stores a real cell in the table's unit system.
inline void SetReal(TGridTable& table, int c, int r, long double value) { table.Cell(c, r).SetAsFloat(value); }
// An integer cell, or the 1-based number of a choice cell.
inline std::int32_t Integer(TGridTable& table, int c, int r) { return table.Cell(c, r).AsInteger(); }
// Stores an integer cell or a choice number.
inline void SetInteger(TGridTable& table, int c, int r, std::int32_t value) { table.Cell(c, r).SetAsInteger(value); }
// The sub-table of a row, or nullptr when the row holds none.
inline TGridTable* Sub(TGridTable& table, int c, int r) { return table.Cell(c, r).AsTable(); }

}  // namespace cells
