// Reading and writing a table's columns as a column definition stream: the
// column count, then per column its kind number and its definition.
#include "tables/ColumnRegistry.h"
#include "tables/FloatColumn.h"
#include "tables/GridTable.h"
#include "tables/ValueReader.h"
#include "tables/ValueWriter.h"

namespace {

// Clears the loading flag however reading ends.
class TLoadingScope {
public:
    explicit TLoadingScope(TGridTable& table) : FTable(table), FWasLoading(table.Loading()) { table.SetLoading(true); }
    ~TLoadingScope() { FTable.SetLoading(FWasLoading); }
    TLoadingScope(const TLoadingScope&) = delete;
    TLoadingScope& operator=(const TLoadingScope&) = delete;

private:
    TGridTable& FTable;
    bool FWasLoading;
};

std::int32_t ReadColumnCount(TValueReader& reader)
{
    std::int32_t count = -1;
    try {
        count = reader.ReadInteger();
    } catch (const TorvikError&) {
    }
    if (count < 0)
        throw EReadError("Error reading column count");
    return count;
}

std::unique_ptr<TColumn> ReadColumn(TValueReader& reader, TGridTable& table, int index)
{
    int kind = 0;
    try {
        kind = reader.ReadInteger();
    } catch (const TorvikError& error) {
        throw EReadError("Error occured when creating column " + std::to_string(index) + ": " + error.what());
    }
    if (!ColumnRegistry::Contains(kind))
        throw EReadError("Error Column Class not defined");
    std::unique_ptr<TColumn> column = ColumnRegistry::Create(kind, table);
    try {
        column->ReadDefinition(reader);
    } catch (const std::exception& error) {
        throw EReadError("Error occured when creating column " + std::to_string(index) + ": " + error.what());
    }
    return column;
}

} // namespace

void TGridTable::ReadColumns(TValueReader& reader)
{
    TLoadingScope loading(*this);
    const std::int32_t count = ReadColumnCount(reader);
    const int before = ColumnCount();
    try {
        for (int i = 0; i < count; ++i) {
            AddColumn(ReadColumn(reader, *this, before + i));
            SyncTableIds();
        }
        CheckDefinition();
    } catch (...) {
        // A faulty definition leaves the table as it was.
        while (ColumnCount() > before)
            FColumns.pop_back();
        SyncTableIds();
        throw;
    }
    Change();
}

void TGridTable::ReadColumns(const std::uint8_t* data, std::size_t size)
{
    TValueReader reader(data, size);
    ReadColumns(reader);
}

void TGridTable::WriteColumns(TValueWriter& writer) const
{
    writer.WriteInteger(ColumnCount());
    for (const auto& column : FColumns) {
        writer.WriteInteger(column->Kind());
        column->WriteDefinition(writer);
    }
}

std::vector<std::uint8_t> TGridTable::WriteColumns() const
{
    TValueWriter writer;
    WriteColumns(writer);
    return writer.Bytes();
}

void TGridTable::CheckDefinition() const
{
    for (const auto& column : FColumns)
        if (const auto* real = dynamic_cast<const TFloatColumn*>(column.get()))
            real->CheckLayerLink();
}
