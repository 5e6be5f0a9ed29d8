#pragma once
#include <string>

class TColumn;
class TGridTable;

// The handle of one cell. It knows its column and its current row, which the
// column keeps up to date, so a handle stays valid while other rows are
// inserted or deleted. Every operation is forwarded to the column; a kind that
// does not hold such a value raises EInvalidCast "Data of wrong type".
class TData {
public:
    // A handle of `column` at `row`; only columns create handles.
    TData(TColumn& column, int row) : FColumn(&column), FRow(row) {}

    // The column of the cell.
    TColumn& Column() const { return *FColumn; }
    // The cell's current 0-based row.
    int Row() const { return FRow; }

    // Choice number (1-based) of a choice cell, or the value of an integer cell.
    int AsInteger() const;
    // Stores a choice number or an integer (group-wide where the column says so).
    void SetAsInteger(int value);
    // Real value in the table's current unit system.
    long double AsFloat() const;
    // Stores a real value (keeping layer boundaries linked).
    void SetAsFloat(long double value);
    // The row's sub-table, nullptr when the row holds no table.
    TGridTable* AsTable() const;
    // Display text of the cell.
    std::string AsText() const;
    // Evaluates and stores typed text; EAssignError when it cannot be accepted.
    void SetText(const std::string& text);

private:
    friend class TColumn;
    TColumn* FColumn;
    int FRow;
};
