#include "tables/TableRegistry.h"

#include <algorithm>

#include "tables/GridTable.h"

void TTableScope::CloseGaps()
{
    if (firstGap_ == kNoGap)
        return;
    std::size_t to = firstGap_;
    for (std::size_t from = firstGap_; from < slots_.size(); ++from) {
        if (TGridTable* table = slots_[from]) {
            slots_[to] = table;
            slotOf_[table] = to;
            ++to;
        }
    }
    slots_.resize(to);
    firstGap_ = kNoGap;
}

int TTableScope::Add(TGridTable* table)
{
    slots_.push_back(table);
    slotOf_[table] = slots_.size() - 1;
    return ++identifierCounter_;
}

void TTableScope::Remove(const TGridTable* table)
{
    const auto it = slotOf_.find(table);
    if (it == slotOf_.end())
        return;
    const std::size_t slot = it->second;
    slotOf_.erase(it);
    slots_[slot] = nullptr;
    while (!slots_.empty() && !slots_.back())
        slots_.pop_back();
    if (firstGap_ != kNoGap && firstGap_ >= slots_.size())
        firstGap_ = kNoGap;
    if (slot < slots_.size())
        firstGap_ = std::min(firstGap_, slot);
}

TGridTable* TTableScope::At(int position)
{
    if (position < 0 || position >= Count())
        return nullptr;
    const auto slot = static_cast<std::size_t>(position);
    if (!BeforeFirstGap(slot))
        CloseGaps();
    return slots_[slot];
}

int TTableScope::IndexOf(const TGridTable* table)
{
    auto it = slotOf_.find(table);
    if (it == slotOf_.end())
        return -1;
    if (!BeforeFirstGap(it->second))
        CloseGaps();
    return static_cast<int>(slotOf_.find(table)->second);
}

TGridTable* TTableScope::FindByIdentifier(int identifier) const
{
    for (TGridTable* table : slots_)
        if (table && table->Identifier() == identifier)
            return table;
    return nullptr;
}

const std::vector<TGridTable*>& TTableScope::Tables()
{
    CloseGaps();
    return slots_;
}
