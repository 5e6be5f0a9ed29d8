#pragma once
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "units/TorvikError.h"
#include "units/Units.h"

class TData;
class TGridTable;
class TRowObject;
class TValueReader;
class TValueWriter;

// Access to a cell of a kind that does not hold such a value; a fault of the
// program, never of the user's input.
class EInvalidCast : public TorvikError {
public:
    EInvalidCast() : TorvikError("Data of wrong type") {}
};

// The kinds of column, by the numbers that stored column definitions and the
// column registry use for them.
enum TColumnKind : int { ColumnChoice = 0, ColumnInteger = 1, ColumnReal = 2, ColumnTable = 3, ColumnText = 4 };

// Measures the width in pixels of a text in the editor's font.
using TTextMeasure = std::function<int(const std::string& text)>;

// One typed column of an input table: its header lines, its flags and one cell
// per row. The five kinds (choice, integer, real, sub-table, text) derive from
// it; an operation a kind does not answer raises EInvalidCast.
class TColumn {
public:
    // A column of `table`; it has no rows until the table attaches it.
    explicit TColumn(TGridTable& table);
    virtual ~TColumn();
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    // The column's kind (its number in the column registry).
    virtual TColumnKind Kind() const = 0;
    // The table that owns the column.
    TGridTable& Table() const { return *FTable; }
    // Index of the column among all columns of its table; -1 before it is attached.
    int Index() const;
    // Number of rows the column holds.
    int RowCount() const { return static_cast<int>(FCells.size()); }
    // The cell handle of row `r`; TorvikError "Index out of bounds" outside the rows.
    TData& Cell(int r) const;

    // Header lines, top to bottom, as stored.
    const std::vector<std::string>& Captions() const { return FCaptions; }
    // Replaces the header lines.
    void SetCaptions(std::vector<std::string> captions) { FCaptions = std::move(captions); }
    // False for a column that keeps its cells but has no grid column in the editor.
    bool Visible() const { return FVisible; }
    // Shows or hides the column in the editor.
    void SetVisible(bool visible) { FVisible = visible; }
    // True when a value stored in one row is stored in every row of its row group.
    bool GroupWide() const { return FGroupWide; }
    // Sets the group-wide flag.
    void SetGroupWide(bool groupWide) { FGroupWide = groupWide; }

    // Inserts `count` rows in front of row `at` (at = RowCount appends).
    virtual void InsertRows(int at, int count);
    // Deletes row `r`.
    void DeleteRow(int r);
    // Number of header lines.
    int CaptionCount() const { return static_cast<int>(FCaptions.size()); }
    // Header line `i` as the editor shows it.
    virtual std::string CaptionLine(int i) const;

    // The row's sub-table (sub-table columns).
    virtual TGridTable* GetTable(int r) const;
    // The row's real value (real columns).
    virtual long double GetFloat(int r) const;
    // Stores a real value (real columns).
    virtual void SetFloat(int r, long double value);
    // The row's choice number or integer (choice and integer columns).
    virtual int GetInteger(int r) const;
    // Stores a choice number or integer (choice and integer columns).
    virtual void SetInteger(int r, int value);
    // The object of the row (sub-table columns).
    virtual TRowObject* GetRowObject(int r) const;
    // Display text of a cell; empty for kinds without one.
    virtual std::string GetText(int r) const;
    // Evaluates and stores typed text; does nothing for kinds without text entry.
    virtual void SetText(int r, const std::string& text);
    // True when a row object reports a change (sub-table columns).
    virtual bool ReportChanged() const { return false; }
    // Asks every row object to close its window.
    virtual void CloseRowObjects() {}
    // Clears the modified state of every row object.
    virtual void ResetChanged() {}
    // True when the editor shows the column's cells as controls (drop-down
    // lists, buttons) rather than as grid text.
    virtual bool NeedsControls() const { return false; }
    // Width of the editor's grid column in pixels for a screen of `ppi` pixels per inch.
    int Width(int ppi, const TTextMeasure& measure) const;
    // Converts the column's values from the table's current unit system to `system`.
    virtual void SetUnitSystem(UnitSystem system) { (void)system; }
    // The first cell that SetUnitSystem(system) would take beyond the range of
    // every value, described for a message; empty when there is none.
    virtual std::string UnitSwitchProblem(UnitSystem system) const { (void)system; return {}; }

    // Writes the column's definition (without its kind number).
    void WriteDefinition(TValueWriter& writer) const;
    // Reads the column's definition (without its kind number).
    void ReadDefinition(TValueReader& reader);
    // A column of the same kind and definition for `newOwner`, without cell values.
    std::unique_ptr<TColumn> Clone(TGridTable& newOwner) const;

    // Hooks that the owning table installs on attaching the column.
    std::function<void(TColumn& column, int row)> CellChangedHook;
    // Asks the editor to move its focus to a cell.
    std::function<void(TColumn& column, int row)> FocusCellHook;
    // Answers the table's RowGroup.
    std::function<int()> RowGroupSizeHook;
    // The table's row group size; 1 when no table answers.
    int RowGroupSize() const;

protected:
    // Makes the kind's value of a new row at position `at` (the handle follows).
    virtual void InsertValue(int at) = 0;
    // Removes the kind's value of row `r` (the handle follows).
    virtual void RemoveValue(int r) = 0;
    // Writes the kind's own attributes.
    virtual void WriteOwnDefinition(TValueWriter& writer) const = 0;
    // Reads the kind's own attributes.
    virtual void ReadOwnDefinition(TValueReader& reader) = 0;
    // A new column of this kind for `owner` with this column's own attributes.
    virtual std::unique_ptr<TColumn> CloneOwn(TGridTable& owner) const = 0;
    // The smallest grid width of the kind, in pixels.
    virtual int MinimumWidth(int ppi) const = 0;

    // Fires the cell-changed hook for row `r`.
    void NotifyCellChanged(int r);
    // First row and one past the last row of the group that holds row `r`
    // (the row alone unless the column is group-wide).
    std::pair<int, int> GroupRows(int r) const;
    // Raises "Index out of bounds" unless 0 <= r < RowCount.
    void CheckRow(int r) const;
    // The neighbour column at `offset` from this one, nullptr if none.
    TColumn* Neighbour(int offset) const;

private:
    TGridTable* FTable;
    std::vector<std::string> FCaptions;
    bool FVisible = true;
    bool FGroupWide = false;
    std::vector<std::unique_ptr<TData>> FCells;
};
