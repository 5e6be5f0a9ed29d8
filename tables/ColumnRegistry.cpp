#include "tables/ColumnRegistry.h"

#include <map>

#include "tables/EnumColumn.h"
#include "tables/FloatColumn.h"
#include "tables/IntColumn.h"
#include "tables/StringColumn.h"
#include "tables/TableColumn.h"

namespace {

template <typename T>
std::unique_ptr<TColumn> Make(TGridTable& owner)
{
    return std::make_unique<T>(owner);
}

std::map<int, ColumnRegistry::TFactory>& Kinds()
{
    static std::map<int, ColumnRegistry::TFactory> kinds{
        {ColumnChoice, Make<TEnumColumn>}, {ColumnInteger, Make<TIntColumn>}, {ColumnReal, Make<TFloatColumn>},
        {ColumnTable, Make<TTableColumn>}, {ColumnText, Make<TStringColumn>}};
    return kinds;
}

} // namespace

void ColumnRegistry::Register(int kind, TFactory factory) { Kinds()[kind] = std::move(factory); }

void ColumnRegistry::Unregister(int kind) { Kinds().erase(kind); }

bool ColumnRegistry::Contains(int kind) { return Kinds().count(kind) != 0; }

std::unique_ptr<TColumn> ColumnRegistry::Create(int kind, TGridTable& owner)
{
    const auto it = Kinds().find(kind);
    if (it == Kinds().end() || !it->second)
        throw TorvikError("Error Column Class not defined");
    return it->second(owner);
}
