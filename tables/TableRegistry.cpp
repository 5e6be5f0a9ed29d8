#include "tables/TableRegistry.h"

#include <algorithm>
#include <unordered_map>

#include "tables/GridTable.h"

namespace {

// The live tables in creation order. A table that leaves the registry leaves
// a gap in its slot, so that adding and removing a table cost the same
// whatever the number of tables (a wall with tens of thousands of curve rows
// has as many sub-tables). Gaps at the end are dropped at once; the others are
// closed only when a position at or behind the first gap is asked for, so
// the positions of the tables in front of it (the catalogue's templates, made
// first) never need that.
struct Registry {
    static constexpr std::size_t kNoGap = static_cast<std::size_t>(-1);

    std::vector<TGridTable*> slots;
    std::unordered_map<const TGridTable*, std::size_t> slotOf;
    std::size_t firstGap = kNoGap;
    int identifierCounter = 0;

    void CloseGaps()
    {
        if (firstGap == kNoGap)
            return;
        std::size_t to = firstGap;
        for (std::size_t from = firstGap; from < slots.size(); ++from) {
            if (TGridTable* table = slots[from]) {
                slots[to] = table;
                slotOf[table] = to;
                ++to;
            }
        }
        slots.resize(to);
        firstGap = kNoGap;
    }

    bool BeforeFirstGap(std::size_t slot) const { return firstGap == kNoGap || slot < firstGap; }
};

// The registry is process-wide by design: tables find their templates by
// Identifier wherever they were created.
Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

} // namespace

int TableRegistry::Add(TGridTable* table)
{
    Registry& r = TheRegistry();
    r.slots.push_back(table);
    r.slotOf[table] = r.slots.size() - 1;
    return ++r.identifierCounter;
}

void TableRegistry::Remove(const TGridTable* table)
{
    Registry& r = TheRegistry();
    const auto it = r.slotOf.find(table);
    if (it == r.slotOf.end())
        return;
    const std::size_t slot = it->second;
    r.slotOf.erase(it);
    r.slots[slot] = nullptr;
    while (!r.slots.empty() && !r.slots.back())
        r.slots.pop_back();
    if (r.firstGap != Registry::kNoGap && r.firstGap >= r.slots.size())
        r.firstGap = Registry::kNoGap;
    if (slot < r.slots.size())
        r.firstGap = std::min(r.firstGap, slot);
}

int TableRegistry::Count() { return static_cast<int>(TheRegistry().slotOf.size()); }

TGridTable* TableRegistry::At(int position)
{
    if (position < 0 || position >= Count())
        return nullptr;
    Registry& r = TheRegistry();
    const auto slot = static_cast<std::size_t>(position);
    if (!r.BeforeFirstGap(slot))
        r.CloseGaps();
    return r.slots[slot];
}

int TableRegistry::IndexOf(const TGridTable* table)
{
    Registry& r = TheRegistry();
    auto it = r.slotOf.find(table);
    if (it == r.slotOf.end())
        return -1;
    if (!r.BeforeFirstGap(it->second))
        r.CloseGaps();
    return static_cast<int>(it->second);
}

TGridTable* TableRegistry::FindByIdentifier(int identifier)
{
    for (TGridTable* table : TheRegistry().slots)
        if (table && table->Identifier() == identifier)
            return table;
    return nullptr;
}

const std::vector<TGridTable*>& TableRegistry::Tables()
{
    Registry& r = TheRegistry();
    r.CloseGaps();
    return r.slots;
}
