#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tables/Column.h"
#include "tables/Data.h"
#include "tables/RowObject.h"
#include "tables/TableRegistry.h"
#include "units/Units.h"

class TValueReader;
class TValueWriter;
class TGridTable;

// Events of a table; Sender is the table, ACol the index among all columns, ARow the 0-based row.
using TNotifyEvent = std::function<void(TGridTable& sender)>;
// A table-column button was pressed on a row whose object is not a table.
using TButtonClickEvent = std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData)>;
// Caption of such a row's button.
using TGetButtonCaptionEvent =
    std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData, std::string& aCaption)>;
// Modified state of such a row object.
using TGetChangedEvent = std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData, bool& aChanged)>;
// Such a row object must close its window.
using THideEvent = std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData)>;
// Creates the object of a new row when no template table exists.
using TInitRowEvent =
    std::function<void(TGridTable& sender, int aCol, int aRow, int aEnumType, std::unique_ptr<TRowObject>& aData)>;
// Clears the modified state of such a row object.
using TResetChangedEvent = std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData)>;
// Such a row object got a new row number.
using TSetRowEvent = std::function<void(TGridTable& sender, int aCol, TRowObject* aData, int aRow)>;
// Such a row object must switch to unit system aValue.
using TSetUnitsEvent =
    std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData, UnitSystem aValue)>;

// An input table: a fixed list of typed columns read from its stored
// definition, and between MinRows and MaxRows rows. It owns its columns (which
// own their cells and the rows' sub-tables), converts its real cells between
// unit systems and knows whether it was modified. Every live table is in a
// table scope (TableRegistry.h), where tables find their sub-table templates:
// a top-level table is made in one, a sub-table joins that of its owner.
class TGridTable : public TRowObject {
public:
    // A sub-table owned by `owner`, in its scope and taking its unit system.
    explicit TGridTable(TGridTable& owner);
    // A top-level table (English units) in `scope`, among the tables it refers to.
    explicit TGridTable(TTableScope& scope);
    // Closes an open editor, frees every row and sub-table and leaves its scope.
    ~TGridTable() override;
    TGridTable(const TGridTable&) = delete;
    TGridTable& operator=(const TGridTable&) = delete;

    // Component name ("NewSoil", ...).
    const std::string& Name() const { return FName; }
    // Sets the component name.
    void SetName(std::string name) { FName = std::move(name); }
    // The table that owns this sub-table; nullptr for a top-level table.
    TGridTable* OwnerTable() const { return FOwner; }

    // Text shown under the grid in the editor.
    const std::string& Comments() const { return FComments; }
    // Sets the comment text.
    void SetComments(std::string comments) { FComments = std::move(comments); }
    // Number by which tables refer to each other.
    int Identifier() const { return FIdentifier; }
    // Takes identifier `v` (ignored when negative); a table that had it gets this table's old one.
    void SetIdentifier(int v);
    // Title of the editor window.
    const std::string& Caption() const { return FCaption; }
    // Sets the title.
    void SetCaption(std::string caption) { FCaption = std::move(caption); }
    // Row limit of the editor; 0 means no limit.
    int MaxRows() const { return FMaxRows; }
    // Sets the row limit.
    void SetMaxRows(int maxRows) { FMaxRows = maxRows; }
    // Minimum number of rows; the editor opens with at least this many.
    int MinRows() const { return FMinRows; }
    // Sets the minimum; "Value must be greater than 0" for 0 or less (stored as 1 while loading).
    void SetMinRows(int minRows);
    // Name of the picture shown under the grid in the editor; empty for none.
    const std::string& HelpPicture() const { return FHelpPicture; }
    // Sets the help picture's name.
    void SetHelpPicture(std::string picture) { FHelpPicture = std::move(picture); }
    // Selects registry positions in sub-table columns of the older definition layout.
    bool HardwiredButton() const { return FHardwiredButton; }
    // Sets the older layout's flag.
    void SetHardwiredButton(bool hardwired) { FHardwiredButton = hardwired; }
    // Rows are added and removed in groups of this many.
    int RowGroup() const { return FRowGroup; }
    // Sets the group size; values below 1 are stored as 1.
    void SetRowGroup(int rowGroup) { FRowGroup = rowGroup < 1 ? 1 : rowGroup; }
    // Text of the top-left header cell of the editor grid.
    const std::string& TopLeft() const { return FTopLeft; }
    // Sets the top-left text.
    void SetTopLeft(std::string topLeft) { FTopLeft = std::move(topLeft); }
    // True while the table is being read from its definition.
    bool Loading() const { return FLoading; }
    // Marks the table as being read from its definition (or not).
    void SetLoading(bool loading) { FLoading = loading; }

    // Events of the component contract; the program's own windows assign none of them.
    TNotifyEvent OnResize;
    TButtonClickEvent OnButtonClick;
    TGetButtonCaptionEvent OnGetButtonCaption;
    TGetChangedEvent OnGetChanged;
    THideEvent OnHide;
    TInitRowEvent OnInitRow;
    TResetChangedEvent OnResetChanged;
    TSetRowEvent OnSetRow;
    TSetUnitsEvent OnSetUnits;
    // Rows or units changed; set and cleared by the open editor.
    std::function<void()> OnChange;
    // A cell changed (column index, row); set and cleared by the open editor.
    std::function<void(int aCol, int aRow)> OnCellChange;
    // The editor must move its focus to a cell (column index, row).
    std::function<void(int aCol, int aRow)> OnFocusCell;
    // The table number changed; the open editor retitles itself.
    std::function<void()> OnRetitle;

    // Columns, all of them, visible or not.
    int ColumnCount() const { return static_cast<int>(FColumns.size()); }
    // The column at `index`; "Index out of bounds" outside.
    TColumn& Column(int index) const;
    // Number of visible columns.
    int VisibleColumnCount() const;
    // The n-th visible column; "Index out of bounds" for n outside 0 .. VisibleColumnCount() - 1.
    TColumn& VisibleColumn(int n) const;
    // Index of `column` among all columns, -1 if it is not one of them.
    int IndexOfColumn(const TColumn& column) const;
    // Attaches a new last column and gives it RowCount rows.
    TColumn& AddColumn(std::unique_ptr<TColumn> column);
    // The cell of column c, row r (both 0-based); "Index out of bounds" outside.
    TData& Cell(int c, int r) const;

    // Current number of rows.
    int RowCount() const { return FRowCount; }
    // Sets the number of rows (negative counts as 0); raises no change notification.
    void SetRowCount(int n);
    // Adds RowGroup rows at the end.
    void AppendRowGroup();
    // Inserts RowGroup rows in front of the group that holds row r.
    void InsertRowGroup(int r);
    // Deletes the RowGroup rows of the group that holds row r.
    void DeleteRowGroup(int r);

    // 0 for a top-level table; the 1-based row in the owning table for a sub-table.
    int TableNumber() const { return FTableNumber; }
    // Sets the number (the open editor retitles itself).
    void SetTableNumber(int n);
    // The editor's title: Caption, and for a sub-table two spaces and its
    // TableNumber; then the title suffix of the top-level table.
    std::string EditorTitle() const;
    // Text the editors of this table and of its sub-tables add to their titles
    // (the stage of a staged wall); the open ones retitle themselves.
    void SetTitleSuffix(std::string suffix);

    // True when the table or any of its sub-tables was modified.
    bool Changed() const;
    // True marks the table modified; false is ResetChanged.
    void SetChanged(bool changed);
    // Clears the modified state of the table and every sub-table.
    void ResetChanged();

    ::UnitSystem UnitSystem() const { return FUnitSystem; }
    // Converts every real cell, sub-tables included, to unit system `system`.
    void SetUnitSystem(::UnitSystem system);
    // The first cell (here or in a sub-table) that SetUnitSystem(system) would
    // take beyond the range of every value, described for a message; empty when none.
    std::string UnitSwitchProblem(::UnitSystem system) const;

    // The scope the table lives in.
    TTableScope& Scope() const { return *FScope; }
    // Opens the editor non-modally; nothing happens if no column is visible.
    void ShowEditor();
    // Opens the editor modally; nothing happens if no column is visible.
    void ShowEditorModal();
    // Closes the editor, then asks every column to close its row objects' windows.
    void CloseEditor();
    // True while an editor window shows the table.
    bool EditorOpen() const { return FEditorOpen; }
    // True while the open editor is modal.
    bool EditorModal() const { return FEditorModal; }
    // Called by the editor window when it opens (with the function that closes
    // it) and when it has closed (with an empty function).
    void SetEditorState(bool open, bool modal, std::function<void()> closer = {});

    // Reads the columns from a column definition stream and appends them;
    // TorvikError with the stream's message on a faulty definition.
    void ReadColumns(TValueReader& reader);
    // Reads the columns from the bytes of a column definition stream.
    void ReadColumns(const std::uint8_t* data, std::size_t size);
    // Writes the definitions of all columns.
    void WriteColumns(TValueWriter& writer) const;
    // The column definition stream of all columns.
    std::vector<std::uint8_t> WriteColumns() const;

    // A copy of a template for a row of `owner`: its texts, row limits and columns
    // (without values), numbered `tableNumber`, with MinRows rows.
    static std::unique_ptr<TGridTable> CopyTemplate(const TGridTable& source, TGridTable& owner, int tableNumber);

    // Brings every table column's TableIds to one entry per choice of column 0.
    void SyncTableIds();

private:
    // The open editors of this table and of its sub-tables take their titles anew.
    void RetitleOpenEditors();
    // Installs the column's hooks and gives it RowCount rows.
    void Attach(TColumn& column);
    // A cell of a column changed: a new choice in column 0 gives the row a new sub-table.
    void CellChanged(TColumn& column, int row);
    // Raises OnChange when set.
    void Change();
    // Raises the layer-link definition error of any real column.
    void CheckDefinition() const;
    // Start of the group that holds row r.
    int GroupStart(int r) const { return FRowGroup * (r / FRowGroup); }

    TGridTable* FOwner;
    TTableScope* FScope;
    std::string FName;
    std::string FComments;
    int FIdentifier;
    std::string FCaption;
    std::string FTitleSuffix;
    int FMaxRows = 0;
    int FMinRows = 1;
    std::string FHelpPicture;
    bool FHardwiredButton = false;
    int FRowGroup = 1;
    std::string FTopLeft;
    bool FLoading = false;

    int FRowCount = 0;
    int FTableNumber = 0;
    bool FChanged = false;
    ::UnitSystem FUnitSystem = ::UnitSystem::English;
    bool FEditorOpen = false;
    bool FEditorModal = false;
    std::function<void()> FEditorCloser;
    std::vector<std::unique_ptr<TColumn>> FColumns;
};
