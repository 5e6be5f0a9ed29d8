#include "tables/TableColumn.h"

#include "tables/EnumColumn.h"
#include "tables/GridTable.h"
#include "tables/TableRegistry.h"
#include "tables/ValueReader.h"
#include "tables/ValueWriter.h"

namespace {

const char* const CurrentLayout = "FLEXCOLUMN2";

// Sub-tables nest at most this deep; a template that contains itself, directly
// or through others, would otherwise copy itself until the stack runs out.
constexpr int MaxNesting = 16;

int NestingDepth(const TGridTable& table)
{
    int depth = 0;
    for (const TGridTable* t = table.OwnerTable(); t; t = t->OwnerTable())
        ++depth;
    return depth;
}

} // namespace

TTableColumn::TTableColumn(TGridTable& table) : TColumn(table), FTableIds(table.Scope()) {}

TGridTable* TTableColumn::GetTable(int r) const
{
    return dynamic_cast<TGridTable*>(GetRowObject(r));
}

TRowObject* TTableColumn::GetRowObject(int r) const
{
    CheckRow(r);
    return FObjects[static_cast<std::size_t>(r)].get();
}

int TTableColumn::RowType(int r) const
{
    if (Table().ColumnCount() == 0)
        return 1;
    const TColumn& first = Table().Column(0);
    if (first.Kind() != ColumnChoice || r >= first.RowCount())
        return 1;
    return first.GetInteger(r);
}

void TTableColumn::InitRow(int r)
{
    TGridTable& table = Table();
    const int type = RowType(r);
    std::unique_ptr<TRowObject>& slot = FObjects[static_cast<std::size_t>(r)];
    if (TGridTable* templateTable = FTableIds.Table(type - 1)) {
        if (NestingDepth(table) >= MaxNesting)
            throw TorvikError("Sub-table templates contain each other without end");
        slot = TGridTable::CopyTemplate(*templateTable, table, r + 1);
    } else if (table.OnInitRow) {
        std::unique_ptr<TRowObject> data;
        table.OnInitRow(table, Index(), r, type, data);
        if (table.OnSetRow)
            table.OnSetRow(table, Index(), data.get(), r);
        slot = std::move(data);
    } else {
        slot.reset();
    }
    if (ButtonCaptionChangedHook)
        ButtonCaptionChangedHook(*this, r);
}

void TTableColumn::Renumber(int r)
{
    TGridTable& table = Table();
    for (int row = r; row < static_cast<int>(FObjects.size()); ++row) {
        TRowObject* object = FObjects[static_cast<std::size_t>(row)].get();
        if (auto* sub = dynamic_cast<TGridTable*>(object))
            sub->SetTableNumber(row + 1);
        else if (object && table.OnSetRow)
            table.OnSetRow(table, Index(), object, row);
    }
}

std::string TTableColumn::ButtonCaption(int r) const
{
    TRowObject* object = GetRowObject(r);
    std::string caption;
    if (auto* sub = dynamic_cast<TGridTable*>(object))
        caption = sub->Caption();
    else if (Table().OnGetButtonCaption)
        Table().OnGetButtonCaption(Table(), Index(), r, object, caption);
    return std::to_string(r + 1) + ": " + caption;
}

void TTableColumn::ButtonClick(int r)
{
    TRowObject* object = GetRowObject(r);
    if (auto* sub = dynamic_cast<TGridTable*>(object)) {
        if (Table().EditorModal())
            sub->ShowEditorModal();
        else
            sub->ShowEditor();
    } else if (Table().OnButtonClick) {
        Table().OnButtonClick(Table(), Index(), r, object);
    }
}

bool TTableColumn::ReportChanged() const
{
    for (int r = 0; r < static_cast<int>(FObjects.size()); ++r) {
        TRowObject* object = FObjects[static_cast<std::size_t>(r)].get();
        bool changed = false;
        if (auto* sub = dynamic_cast<TGridTable*>(object))
            changed = sub->Changed();
        else if (Table().OnGetChanged)
            Table().OnGetChanged(Table(), Index(), r, object, changed);
        if (changed)
            return true;
    }
    return false;
}

void TTableColumn::CloseRowObjects()
{
    for (int r = 0; r < static_cast<int>(FObjects.size()); ++r) {
        TRowObject* object = FObjects[static_cast<std::size_t>(r)].get();
        if (auto* sub = dynamic_cast<TGridTable*>(object))
            sub->CloseEditor();
        else if (Table().OnHide)
            Table().OnHide(Table(), Index(), r, object);
    }
}

void TTableColumn::ResetChanged()
{
    for (int r = 0; r < static_cast<int>(FObjects.size()); ++r) {
        TRowObject* object = FObjects[static_cast<std::size_t>(r)].get();
        if (auto* sub = dynamic_cast<TGridTable*>(object))
            sub->ResetChanged();
        else if (Table().OnResetChanged)
            Table().OnResetChanged(Table(), Index(), r, object);
    }
}

void TTableColumn::SetUnitSystem(UnitSystem system)
{
    for (int r = 0; r < static_cast<int>(FObjects.size()); ++r) {
        TRowObject* object = FObjects[static_cast<std::size_t>(r)].get();
        if (auto* sub = dynamic_cast<TGridTable*>(object))
            sub->SetUnitSystem(system);
        else if (Table().OnSetUnits)
            Table().OnSetUnits(Table(), Index(), r, object, system);
    }
}

std::string TTableColumn::UnitSwitchProblem(UnitSystem system) const
{
    for (const auto& object : FObjects)
        if (auto* sub = dynamic_cast<const TGridTable*>(object.get()))
            if (std::string problem = sub->UnitSwitchProblem(system); !problem.empty())
                return problem;
    return {};
}

void TTableColumn::InsertRows(int at, int count)
{
    TColumn::InsertRows(at, count);
    Renumber(at + count);
}

void TTableColumn::InsertValue(int at)
{
    FObjects.insert(FObjects.begin() + at, nullptr);
    try {
        InitRow(at);
    } catch (...) {
        FObjects.erase(FObjects.begin() + at);
        throw;
    }
}

void TTableColumn::RemoveValue(int r)
{
    FObjects.erase(FObjects.begin() + r);
    Renumber(r);
}

void TTableColumn::WriteOwnDefinition(TValueWriter& writer) const
{
    writer.WriteString(CurrentLayout);
    writer.WriteListBegin();
    for (int i = 0; i < FTableIds.Count(); ++i) {
        const TGridTable* table = FTableIds.Table(i);
        writer.WriteInteger(table ? table->Identifier() : -1);
    }
    writer.WriteListEnd();
}

void TTableColumn::ReadOwnDefinition(TValueReader& reader)
{
    FTableIds.Clear();
    const std::string layout = reader.ReadString();
    if (layout == CurrentLayout) {
        for (int identifier : reader.ReadIntegerList())
            FTableIds.Add(TIntWrapper::Identifier(identifier));
        return;
    }
    // The older layout holds one number: a registry position, or for a table
    // led by a choice column one template per choice numbered like the choices.
    const int n = reader.ReadInteger();
    const TGridTable& table = Table();
    if (table.ColumnCount() == 0 || table.Column(0).Kind() != ColumnChoice) {
        FTableIds.Add(TIntWrapper::Position(n));
        return;
    }
    const auto& choices = static_cast<const TEnumColumn&>(table.Column(0)).Choices();
    for (std::size_t i = 0; i < choices.size(); ++i)
        FTableIds.Add(table.HardwiredButton() ? TIntWrapper::Position(n)
                                              : TIntWrapper::Identifier(static_cast<int>(i) + 1));
}

std::unique_ptr<TColumn> TTableColumn::CloneOwn(TGridTable& owner) const
{
    auto copy = std::make_unique<TTableColumn>(owner);
    for (const TIntWrapper& entry : FTableIds.Items())
        copy->FTableIds.Add(TIntWrapper::Position(FTableIds.Scope().IndexOf(entry.Resolve(FTableIds.Scope()))));
    return copy;
}
