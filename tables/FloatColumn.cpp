#include "tables/FloatColumn.h"

#include <cmath>

#include "tables/GridTable.h"
#include "tables/ValueReader.h"
#include "tables/ValueWriter.h"
#include "units/EvaluateEntry.h"
#include "units/NumberFormat.h"
#include "units/Units.h"
#include "units/ValueRange.h"

namespace {

const char* const CurrentLayout = "FLOATCOLUMN2";

// A cell never holds infinity, NaN or a value beyond the range of every
// value, whoever stores it.
void CheckFinite(long double value)
{
    if (std::isnan(value))
        throw EMathError("Invalid floating point operation");
    if (!InValueRange(value))
        throw EMathError("Floating point overflow");
}

} // namespace

void TFloatColumn::CheckLayerLink() const
{
    if (FIsTopDepth) {
        const TColumn* next = Neighbour(1);
        if (next && next->Kind() != ColumnReal)
            throw TorvikError("If column if a topdepth then the next column must be a float column");
    }
}

TFloatColumn* TFloatColumn::NextFloat() const
{
    CheckLayerLink();
    return static_cast<TFloatColumn*>(Neighbour(1));
}

TFloatColumn* TFloatColumn::PreviousTopDepth() const
{
    TColumn* previous = Neighbour(-1);
    if (previous && previous->Kind() == ColumnReal && static_cast<TFloatColumn*>(previous)->FIsTopDepth)
        return static_cast<TFloatColumn*>(previous);
    return nullptr;
}

std::string TFloatColumn::CaptionLine(int i) const
{
    std::string line = TColumn::CaptionLine(i);
    if (i == CaptionCount() - 1 && !FDimension.empty())
        line += " (" + UnitLabel(FDimension, Table().UnitSystem()) + ")  ";
    return line;
}

long double TFloatColumn::GetFloat(int r) const
{
    CheckRow(r);
    return FValues[static_cast<std::size_t>(r)];
}

void TFloatColumn::Store(int r, long double value) { FValues[static_cast<std::size_t>(r)] = value; }

void TFloatColumn::SetFloat(int r, long double value)
{
    CheckRow(r);
    CheckFinite(value);
    if (GroupWide()) {
        const auto [first, last] = GroupRows(r);
        for (int row = first; row < last; ++row) {
            Store(row, value);
            NotifyCellChanged(row);
        }
        return;
    }
    Store(r, value);
    // The top of layer r is the bottom of layer r - 1, and the bottom of
    // layer r the top of layer r + 1.
    TFloatColumn* next = FIsTopDepth ? NextFloat() : nullptr;
    TFloatColumn* previous = PreviousTopDepth();
    if (next && r >= 1 && r - 1 < next->RowCount()) {
        next->Store(r - 1, value);
        next->NotifyCellChanged(r - 1);
    } else if (previous && r + 1 < previous->RowCount()) {
        previous->Store(r + 1, value);
        previous->NotifyCellChanged(r + 1);
    }
    NotifyCellChanged(r);
}

std::string TFloatColumn::GetText(int r) const { return FormatFloat8(GetFloat(r)); }

void TFloatColumn::SetText(int r, const std::string& text)
{
    CheckRow(r);
    SetFloat(r, EvaluateEntry(text));
}

void TFloatColumn::SetUnitSystem(UnitSystem system)
{
    const long double factor = ConversionFactor(Table().UnitSystem(), system, FDimension);
    for (int r = 0; r < RowCount(); ++r) {
        Store(r, GetFloat(r) * factor);
        NotifyCellChanged(r);
    }
}

std::string TFloatColumn::UnitSwitchProblem(UnitSystem system) const
{
    const long double factor = ConversionFactor(Table().UnitSystem(), system, FDimension);
    for (int r = 0; r < RowCount(); ++r) {
        if (!InValueRange(FValues[static_cast<std::size_t>(r)] * factor)) {
            std::string caption;
            for (const std::string& line : Captions())
                caption += (caption.empty() ? "" : " ") + line;
            return "the value " + GetText(r) + " in row " + std::to_string(r + 1) + ", column \"" + caption +
                   "\" of the table \"" + Table().EditorTitle() + "\"";
        }
    }
    return {};
}

void TFloatColumn::InsertValue(int at)
{
    long double value = FDefaultValue;
    TFloatColumn* next = FIsTopDepth ? NextFloat() : nullptr;
    TFloatColumn* previous = PreviousTopDepth();
    if (next && at >= 1 && at <= next->RowCount() - 1)
        value = next->GetFloat(at - 1); // the new layer starts where the previous one ends
    else if (previous && at + 1 < previous->RowCount())
        value = previous->GetFloat(at + 1); // and ends where the following one starts
    FValues.insert(FValues.begin() + at, value);
}

void TFloatColumn::RemoveValue(int r)
{
    if (FIsTopDepth && r > 0 && r < RowCount() - 1) {
        // Close the gap: the following layer now starts where the previous one ends.
        TFloatColumn* next = NextFloat();
        if (next && r - 1 < next->RowCount())
            Store(r + 1, next->GetFloat(r - 1));
    }
    FValues.erase(FValues.begin() + r);
}

void TFloatColumn::WriteOwnDefinition(TValueWriter& writer) const
{
    writer.WriteBoolean(FIsTopDepth);
    writer.WriteString(CurrentLayout);
    writer.WriteString(FDimension);
    writer.WriteFloat(FDefaultValue);
}

void TFloatColumn::ReadOwnDefinition(TValueReader& reader)
{
    FIsTopDepth = reader.ReadBoolean();
    const std::string text = reader.ReadString();
    if (text == CurrentLayout) {
        FDimension = reader.ReadString();
        FDefaultValue = reader.ReadFloat();
    } else {
        // The older layout stores the dimension in place of the layout name and no default.
        FDimension = text;
        FDefaultValue = 0;
    }
}

std::unique_ptr<TColumn> TFloatColumn::CloneOwn(TGridTable& owner) const
{
    auto copy = std::make_unique<TFloatColumn>(owner);
    copy->FIsTopDepth = FIsTopDepth;
    copy->FDimension = FDimension;
    copy->FDefaultValue = FDefaultValue;
    return copy;
}
