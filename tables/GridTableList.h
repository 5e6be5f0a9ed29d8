#pragma once
#include <cstddef>
#include <vector>

class TGridTable;

// One reference to a table: either a position in the table registry, used
// directly, or an Identifier, looked up anew at every use.
struct TIntWrapper {
    // How `Value` refers to a table.
    enum class TKind { Position, Identifier };

    TKind Kind = TKind::Identifier;
    int Value = -1;

    // A reference by registry position.
    static TIntWrapper Position(int position) { return {TKind::Position, position}; }
    // A reference by Identifier.
    static TIntWrapper Identifier(int identifier) { return {TKind::Identifier, identifier}; }
    // The table referred to, or nullptr when the position is outside the
    // registry or no live table has the identifier.
    TGridTable* Resolve() const;

    bool operator==(const TIntWrapper& other) const { return Kind == other.Kind && Value == other.Value; }
};

// The template tables of a table column, one entry per choice of the table's
// first column.
class TGridTableList {
public:
    // Number of entries.
    int Count() const { return static_cast<int>(FItems.size()); }
    // The entry at `index` (0-based); TorvikError "Index out of bounds" outside.
    const TIntWrapper& Item(int index) const;
    // Replaces the entry at `index`.
    void SetItem(int index, TIntWrapper item);
    // Appends an entry.
    void Add(TIntWrapper item) { FItems.push_back(item); }
    // Removes every entry.
    void Clear() { FItems.clear(); }
    // Extends with unresolved entries or shortens from the end to `count` entries.
    void Resize(int count);
    // The table of entry `index`; nullptr when the index is out of range or the entry does not resolve.
    TGridTable* Table(int index) const;
    // The entries.
    const std::vector<TIntWrapper>& Items() const { return FItems; }

private:
    std::vector<TIntWrapper> FItems;
};
