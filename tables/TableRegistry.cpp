#include "tables/TableRegistry.h"

#include <algorithm>

#include "tables/GridTable.h"

namespace {

// The registry is process-wide by design: tables find their templates by
// Identifier wherever they were created.
std::vector<TGridTable*>& LiveTables()
{
    static std::vector<TGridTable*> tables;
    return tables;
}

int& IdentifierCounter()
{
    static int counter = 0;
    return counter;
}

} // namespace

int TableRegistry::Add(TGridTable* table)
{
    LiveTables().push_back(table);
    return ++IdentifierCounter();
}

void TableRegistry::Remove(const TGridTable* table)
{
    auto& tables = LiveTables();
    const auto it = std::find(tables.begin(), tables.end(), table);
    if (it != tables.end())
        tables.erase(it);
}

int TableRegistry::Count() { return static_cast<int>(LiveTables().size()); }

TGridTable* TableRegistry::At(int position)
{
    if (position < 0 || position >= Count())
        return nullptr;
    return LiveTables()[static_cast<std::size_t>(position)];
}

int TableRegistry::IndexOf(const TGridTable* table)
{
    const auto& tables = LiveTables();
    const auto it = std::find(tables.begin(), tables.end(), table);
    return it == tables.end() ? -1 : static_cast<int>(it - tables.begin());
}

TGridTable* TableRegistry::FindByIdentifier(int identifier)
{
    for (TGridTable* table : LiveTables())
        if (table->Identifier() == identifier)
            return table;
    return nullptr;
}

const std::vector<TGridTable*>& TableRegistry::Tables() { return LiveTables(); }
