#include "tables/EnumColumn.h"

#include "tables/ColumnValue.h"
#include "tables/ValueReader.h"
#include "tables/ValueWriter.h"
#include "units/EvaluateEntry.h"

void TEnumColumn::SetChoices(std::vector<std::string> choices)
{
    FChoices = std::move(choices);
    if (ChoicesChangedHook)
        ChoicesChangedHook(*this);
}

int TEnumColumn::GetInteger(int r) const
{
    CheckRow(r);
    return FValues[static_cast<std::size_t>(r)];
}

void TEnumColumn::SetInteger(int r, int value)
{
    CheckRow(r);
    const auto [first, last] = GroupRows(r);
    for (int row = first; row < last; ++row) {
        int& stored = FValues[static_cast<std::size_t>(row)];
        // An unchanged choice must not notify: the table would replace the row's sub-table.
        if (stored == value)
            continue;
        stored = value;
        NotifyCellChanged(row);
    }
}

std::string TEnumColumn::GetText(int r) const { return std::to_string(GetInteger(r)); }

void TEnumColumn::SetText(int r, const std::string& text)
{
    CheckRow(r);
    const long double value = EvaluateEntry(text);
    if (!IsWholeNumber(value) || !FitsInt32(value))
        throw EAssignError("Value must be an integer.");
    SetInteger(r, NearestInt32(value));
}

void TEnumColumn::InsertValue(int at) { FValues.insert(FValues.begin() + at, 1); }

void TEnumColumn::RemoveValue(int r) { FValues.erase(FValues.begin() + r); }

void TEnumColumn::WriteOwnDefinition(TValueWriter& writer) const { writer.WriteStringList(FChoices); }

void TEnumColumn::ReadOwnDefinition(TValueReader& reader) { SetChoices(reader.ReadStringList()); }

std::unique_ptr<TColumn> TEnumColumn::CloneOwn(TGridTable& owner) const
{
    auto copy = std::make_unique<TEnumColumn>(owner);
    copy->FChoices = FChoices;
    return copy;
}
