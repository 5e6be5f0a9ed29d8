#include "tables/Column.h"

#include <algorithm>

#include "tables/Data.h"
#include "tables/GridTable.h"
#include "tables/ValueReader.h"
#include "tables/ValueWriter.h"

TColumn::TColumn(TGridTable& table) : FTable(&table) {}

TColumn::~TColumn() = default;

int TColumn::Index() const { return FTable->IndexOfColumn(*this); }

void TColumn::CheckRow(int r) const
{
    if (r < 0 || r >= RowCount())
        throw TorvikError("Index out of bounds");
}

TData& TColumn::Cell(int r) const
{
    CheckRow(r);
    return *FCells[static_cast<std::size_t>(r)];
}

void TColumn::InsertRows(int at, int count)
{
    at = std::clamp(at, 0, RowCount());
    for (int i = 0; i < count; ++i) {
        const int row = at + i;
        InsertValue(row);
        FCells.insert(FCells.begin() + row, std::make_unique<TData>(*this, row));
    }
    for (int r = at + count; r < RowCount(); ++r)
        FCells[static_cast<std::size_t>(r)]->FRow = r;
}

void TColumn::DeleteRow(int r)
{
    CheckRow(r);
    RemoveValue(r);
    FCells.erase(FCells.begin() + r);
    for (int i = r; i < RowCount(); ++i)
        FCells[static_cast<std::size_t>(i)]->FRow = i;
}

std::string TColumn::CaptionLine(int i) const
{
    if (i < 0 || i >= CaptionCount())
        throw TorvikError("Index out of bounds");
    return FCaptions[static_cast<std::size_t>(i)];
}

TGridTable* TColumn::GetTable(int) const { throw EInvalidCast(); }

long double TColumn::GetFloat(int) const { throw EInvalidCast(); }

void TColumn::SetFloat(int, long double) { throw EInvalidCast(); }

int TColumn::GetInteger(int) const { throw EInvalidCast(); }

void TColumn::SetInteger(int, int) { throw EInvalidCast(); }

TRowObject* TColumn::GetRowObject(int) const { throw EInvalidCast(); }

std::string TColumn::GetText(int) const { return {}; }

void TColumn::SetText(int, const std::string&) {}

int TColumn::Width(int ppi, const TTextMeasure& measure) const
{
    int width = MinimumWidth(ppi);
    if (measure)
        for (int i = 0; i < CaptionCount(); ++i)
            width = std::max(width, measure(CaptionLine(i) + "  "));
    return width;
}

void TColumn::WriteDefinition(TValueWriter& writer) const
{
    writer.WriteStringList(FCaptions);
    writer.WriteBoolean(FVisible);
    writer.WriteBoolean(FGroupWide);
    WriteOwnDefinition(writer);
}

void TColumn::ReadDefinition(TValueReader& reader)
{
    FCaptions = reader.ReadStringList();
    FVisible = reader.ReadBoolean();
    FGroupWide = reader.ReadBoolean();
    ReadOwnDefinition(reader);
}

std::unique_ptr<TColumn> TColumn::Clone(TGridTable& newOwner) const
{
    std::unique_ptr<TColumn> copy = CloneOwn(newOwner);
    copy->FCaptions = FCaptions;
    copy->FVisible = FVisible;
    copy->FGroupWide = FGroupWide;
    return copy;
}

int TColumn::RowGroupSize() const
{
    const int size = RowGroupSizeHook ? RowGroupSizeHook() : 1;
    return size < 1 ? 1 : size;
}

void TColumn::NotifyCellChanged(int r)
{
    if (CellChangedHook)
        CellChangedHook(*this, r);
}

std::pair<int, int> TColumn::GroupRows(int r) const
{
    if (!FGroupWide)
        return {r, r + 1};
    const int group = RowGroupSize();
    const int first = group * (r / group);
    return {first, std::min(first + group, RowCount())};
}

TColumn* TColumn::Neighbour(int offset) const
{
    const int index = Index();
    if (index < 0)
        return nullptr;
    const int other = index + offset;
    if (other < 0 || other >= FTable->ColumnCount())
        return nullptr;
    return &FTable->Column(other);
}
