#include "tables/GridTable.h"

#include "tables/EnumColumn.h"
#include "tables/TableColumn.h"
#include "tables/TableRegistry.h"
#include "units/Units.h"

TGridTable::TGridTable(TGridTable& owner)
    : FOwner(&owner), FScope(owner.FScope), FIdentifier(FScope->Add(this)), FUnitSystem(owner.UnitSystem())
{
}

TGridTable::TGridTable(TTableScope& scope) : FOwner(nullptr), FScope(&scope), FIdentifier(scope.Add(this)) {}

TGridTable::~TGridTable()
{
    if (FEditorOpen && FEditorCloser) {
        // The editor must not outlive the table it shows.
        auto closer = std::move(FEditorCloser);
        closer();
    }
    FEditorOpen = false;
    OnChange = nullptr;
    OnCellChange = nullptr;
    SetRowCount(0);
    FColumns.clear();
    FScope->Remove(this);
}

void TGridTable::SetIdentifier(int v)
{
    if (v < 0)
        return;
    for (TGridTable* other : FScope->Tables())
        if (other != this && other->FIdentifier == v)
            other->FIdentifier = FIdentifier;
    FIdentifier = v;
}

void TGridTable::SetMinRows(int minRows)
{
    if (minRows <= 0) {
        if (!FLoading)
            throw TorvikError("Value must be greater than 0");
        minRows = 1;
    }
    FMinRows = minRows;
}

TColumn& TGridTable::Column(int index) const
{
    if (index < 0 || index >= ColumnCount())
        throw TorvikError("Index out of bounds");
    return *FColumns[static_cast<std::size_t>(index)];
}

int TGridTable::VisibleColumnCount() const
{
    int count = 0;
    for (const auto& column : FColumns)
        count += column->Visible() ? 1 : 0;
    return count;
}

TColumn& TGridTable::VisibleColumn(int n) const
{
    if (n >= 0)
        for (const auto& column : FColumns)
            if (column->Visible() && n-- == 0)
                return *column;
    throw TorvikError("Index out of bounds");
}

int TGridTable::IndexOfColumn(const TColumn& column) const
{
    for (std::size_t i = 0; i < FColumns.size(); ++i)
        if (FColumns[i].get() == &column)
            return static_cast<int>(i);
    return -1;
}

TColumn& TGridTable::AddColumn(std::unique_ptr<TColumn> column)
{
    FColumns.push_back(std::move(column));
    try {
        Attach(*FColumns.back());
    } catch (...) {
        FColumns.pop_back();
        throw;
    }
    return *FColumns.back();
}

TData& TGridTable::Cell(int c, int r) const { return Column(c).Cell(r); }

void TGridTable::Attach(TColumn& column)
{
    column.CellChangedHook = [this](TColumn& changed, int row) { CellChanged(changed, row); };
    column.FocusCellHook = [this](TColumn& focused, int row) {
        if (OnFocusCell)
            OnFocusCell(focused.Index(), row);
    };
    column.RowGroupSizeHook = [this] { return FRowGroup; };
    if (auto* choices = dynamic_cast<TEnumColumn*>(&column))
        choices->ChoicesChangedHook = [this](TEnumColumn& changed) {
            if (changed.Index() == 0)
                SyncTableIds();
        };
    while (column.RowCount() < FRowCount)
        column.InsertRows(column.RowCount(), FRowGroup);
}

void TGridTable::SetRowCount(int n)
{
    if (n < 0)
        n = 0;
    FRowCount = n;
    for (const auto& column : FColumns) {
        while (column->RowCount() > n)
            column->DeleteRow(column->RowCount() - 1);
        while (column->RowCount() < n)
            column->InsertRows(column->RowCount(), FRowGroup);
    }
}

void TGridTable::AppendRowGroup()
{
    FRowCount += FRowGroup;
    for (const auto& column : FColumns)
        column->InsertRows(column->RowCount(), FRowGroup);
    Change();
}

void TGridTable::InsertRowGroup(int r)
{
    FRowCount += FRowGroup;
    for (const auto& column : FColumns)
        column->InsertRows(GroupStart(r), FRowGroup);
    Change();
}

void TGridTable::DeleteRowGroup(int r)
{
    const int first = GroupStart(r);
    if (r < 0 || first >= FRowCount)
        throw TorvikError("Index out of bounds");
    const int count = std::min(FRowGroup, FRowCount - first);
    FRowCount -= count;
    for (const auto& column : FColumns)
        for (int i = 0; i < count && first < column->RowCount(); ++i)
            column->DeleteRow(first);
    Change();
}

void TGridTable::SetTableNumber(int n)
{
    FTableNumber = n;
    if (FEditorOpen && OnRetitle)
        OnRetitle();
}

std::string TGridTable::EditorTitle() const
{
    const TGridTable* top = this;
    while (top->FOwner)
        top = top->FOwner;
    return (FTableNumber > 0 ? FCaption + "  " + std::to_string(FTableNumber) : FCaption) + top->FTitleSuffix;
}

void TGridTable::SetTitleSuffix(std::string suffix)
{
    FTitleSuffix = std::move(suffix);
    RetitleOpenEditors();
}

void TGridTable::RetitleOpenEditors()
{
    if (FEditorOpen && OnRetitle)
        OnRetitle();
    for (const auto& column : FColumns)
        if (auto* rows = dynamic_cast<TTableColumn*>(column.get()))
            for (int r = 0; r < rows->RowCount(); ++r)
                if (auto* sub = dynamic_cast<TGridTable*>(rows->GetRowObject(r)))
                    sub->RetitleOpenEditors();
}

bool TGridTable::Changed() const
{
    if (FChanged)
        return true;
    for (const auto& column : FColumns)
        if (column->ReportChanged())
            return true;
    return false;
}

void TGridTable::SetChanged(bool changed)
{
    if (changed)
        FChanged = true;
    else
        ResetChanged();
}

void TGridTable::ResetChanged()
{
    FChanged = false;
    for (const auto& column : FColumns)
        column->ResetChanged();
}

void TGridTable::SetUnitSystem(::UnitSystem system)
{
    if (system < UnitSystem::English || system > UnitSystem::Generic)
        throw TorvikError("Unit system must be 1, 2 or 3");
    if (system == FUnitSystem)
        return;
    for (const auto& column : FColumns)
        column->SetUnitSystem(system);
    FUnitSystem = system;
    Change();
}

std::string TGridTable::UnitSwitchProblem(::UnitSystem system) const
{
    if (system == FUnitSystem)
        return {};
    for (const auto& column : FColumns)
        if (std::string problem = column->UnitSwitchProblem(system); !problem.empty())
            return problem;
    return {};
}

void TGridTable::ShowEditor()
{
    // Copied: opening an editor may install another opener.
    if (const TEditorOpener open = FScope->EditorOpener(); VisibleColumnCount() > 0 && open)
        open(*this, false);
}

void TGridTable::ShowEditorModal()
{
    if (const TEditorOpener open = FScope->EditorOpener(); VisibleColumnCount() > 0 && open)
        open(*this, true);
}

void TGridTable::CloseEditor()
{
    if (FEditorOpen && FEditorCloser) {
        auto closer = FEditorCloser;
        closer();
    }
    for (const auto& column : FColumns)
        column->CloseRowObjects();
}

void TGridTable::SetEditorState(bool open, bool modal, std::function<void()> closer)
{
    FEditorOpen = open;
    FEditorModal = open && modal;
    FEditorCloser = open ? std::move(closer) : std::function<void()>{};
    if (!open) {
        OnChange = nullptr;
        OnCellChange = nullptr;
        OnFocusCell = nullptr;
        OnRetitle = nullptr;
    }
}

void TGridTable::CellChanged(TColumn& column, int row)
{
    const int index = column.Index();
    if (index == 0 && column.Kind() == ColumnChoice) {
        for (const auto& other : FColumns)
            if (auto* rows = dynamic_cast<TTableColumn*>(other.get())) {
                if (row < rows->RowCount())
                    rows->InitRow(row);
                break;
            }
    }
    if (OnCellChange)
        OnCellChange(index, row);
}

void TGridTable::Change()
{
    if (OnChange)
        OnChange();
}

void TGridTable::SyncTableIds()
{
    int count = 1;
    if (!FColumns.empty())
        if (const auto* choices = dynamic_cast<const TEnumColumn*>(FColumns.front().get()))
            count = static_cast<int>(choices->Choices().size());
    for (const auto& column : FColumns)
        if (auto* rows = dynamic_cast<TTableColumn*>(column.get()))
            rows->TableIds().Resize(count);
}

std::unique_ptr<TGridTable> TGridTable::CopyTemplate(const TGridTable& source, TGridTable& owner, int tableNumber)
{
    auto copy = std::make_unique<TGridTable>(owner);
    copy->FCaption = source.FCaption;
    copy->FComments = source.FComments;
    copy->FTopLeft = source.FTopLeft;
    copy->FMinRows = source.FMinRows;
    copy->FMaxRows = source.FMaxRows;
    for (const auto& column : source.FColumns)
        copy->AddColumn(column->Clone(*copy));
    copy->FTableNumber = tableNumber;
    copy->SetRowCount(copy->FMinRows);
    copy->Change();
    return copy;
}
