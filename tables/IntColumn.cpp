#include "tables/IntColumn.h"

#include "tables/ColumnValue.h"
#include "tables/GridTable.h"
#include "tables/ValueReader.h"
#include "tables/ValueWriter.h"
#include "units/EvaluateEntry.h"

int TIntColumn::GetInteger(int r) const
{
    CheckRow(r);
    return FValues[static_cast<std::size_t>(r)];
}

void TIntColumn::SetInteger(int r, int value)
{
    CheckRow(r);
    const auto [first, last] = GroupRows(r);
    for (int row = first; row < last; ++row) {
        FValues[static_cast<std::size_t>(row)] = value;
        NotifyCellChanged(row);
    }
}

std::string TIntColumn::GetText(int r) const { return std::to_string(GetInteger(r)); }

void TIntColumn::SetText(int r, const std::string& text)
{
    CheckRow(r);
    const long double value = EvaluateEntry(text);
    if (Table().EditorOpen() && !IsWholeNumber(value))
        throw EAssignError("Entry must be an integer.");
    // The bounds are tested on the unrounded value, so nothing outside them is
    // ever rounded into them (and nothing outside 32 bits is converted).
    if (!(value >= FMinValue && value <= FMaxValue))
        throw EAssignError("Entry must be between " + std::to_string(FMinValue) + " and " + std::to_string(FMaxValue) + ".");
    SetInteger(r, NearestInt32(value));
}

void TIntColumn::InsertValue(int at) { FValues.insert(FValues.begin() + at, FDefaultValue); }

void TIntColumn::RemoveValue(int r) { FValues.erase(FValues.begin() + r); }

void TIntColumn::WriteOwnDefinition(TValueWriter& writer) const
{
    writer.WriteInteger(FDefaultValue);
    writer.WriteInteger(FMinValue);
    writer.WriteInteger(FMaxValue);
}

void TIntColumn::ReadOwnDefinition(TValueReader& reader)
{
    FDefaultValue = reader.ReadInteger();
    FMinValue = reader.ReadInteger();
    FMaxValue = reader.ReadInteger();
}

std::unique_ptr<TColumn> TIntColumn::CloneOwn(TGridTable& owner) const
{
    auto copy = std::make_unique<TIntColumn>(owner);
    copy->FDefaultValue = FDefaultValue;
    copy->FMinValue = FMinValue;
    copy->FMaxValue = FMaxValue;
    return copy;
}
