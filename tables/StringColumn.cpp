#include "tables/StringColumn.h"

#include <cmath>

#include "tables/ValueReader.h"
#include "tables/ValueWriter.h"

std::string TStringColumn::GetText(int r) const
{
    CheckRow(r);
    return FValues[static_cast<std::size_t>(r)];
}

void TStringColumn::SetText(int r, const std::string& text)
{
    CheckRow(r);
    const auto [first, last] = GroupRows(r);
    for (int row = first; row < last; ++row) {
        FValues[static_cast<std::size_t>(row)] = text;
        NotifyCellChanged(row);
    }
}

void TStringColumn::InsertValue(int at) { FValues.insert(FValues.begin() + at, FDefaultValue); }

void TStringColumn::RemoveValue(int r) { FValues.erase(FValues.begin() + r); }

void TStringColumn::WriteOwnDefinition(TValueWriter& writer) const
{
    writer.WriteString(FDefaultValue);
    writer.WriteFloat(FInchWidth);
}

void TStringColumn::ReadOwnDefinition(TValueReader& reader)
{
    FDefaultValue = reader.ReadString();
    FInchWidth = reader.ReadFloat();
}

std::unique_ptr<TColumn> TStringColumn::CloneOwn(TGridTable& owner) const
{
    auto copy = std::make_unique<TStringColumn>(owner);
    copy->FDefaultValue = FDefaultValue;
    copy->FInchWidth = FInchWidth;
    return copy;
}

int TStringColumn::MinimumWidth(int ppi) const
{
    const long double pixels = std::nearbyint(FInchWidth * ppi);
    // A width read from a definition is a small positive number; anything else counts 0.
    return pixels > 0 && pixels < 1e6L ? static_cast<int>(pixels) : 0;
}
