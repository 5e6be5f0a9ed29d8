#pragma once
#include <vector>

class TGridTable;

// Every live input table in creation order, and the counter that gives a new
// table its default Identifier. Tables refer to their sub-table templates
// through this registry. Adding and removing a table take constant time.
class TableRegistry {
public:
    // Adds a new table at the end; returns the next value of the identifier counter.
    static int Add(TGridTable* table);
    // Removes a table that is being destroyed.
    static void Remove(const TGridTable* table);
    // Number of live tables.
    static int Count();
    // The table at a registry position; nullptr outside 0 .. Count() - 1.
    static TGridTable* At(int position);
    // Registry position of a table, -1 if it is not live.
    static int IndexOf(const TGridTable* table);
    // The first table, in creation order, whose Identifier is `identifier`; nullptr if none.
    static TGridTable* FindByIdentifier(int identifier);
    // The live tables in creation order.
    static const std::vector<TGridTable*>& Tables();
};
