#include "tables/GridTableList.h"

#include "tables/TableRegistry.h"
#include "units/TorvikError.h"

TGridTable* TIntWrapper::Resolve(TTableScope& scope) const
{
    return Kind == TKind::Position ? scope.At(Value) : scope.FindByIdentifier(Value);
}

const TIntWrapper& TGridTableList::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw TorvikError("Index out of bounds");
    return FItems[static_cast<std::size_t>(index)];
}

void TGridTableList::SetItem(int index, TIntWrapper item)
{
    if (index < 0 || index >= Count())
        throw TorvikError("Index out of bounds");
    FItems[static_cast<std::size_t>(index)] = item;
}

void TGridTableList::Resize(int count)
{
    FItems.resize(static_cast<std::size_t>(count < 0 ? 0 : count), TIntWrapper{});
}

TGridTable* TGridTableList::Table(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return FItems[static_cast<std::size_t>(index)].Resolve(*FScope);
}
