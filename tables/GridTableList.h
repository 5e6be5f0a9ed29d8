#pragma once
#include <cstddef>
#include <vector>

class TGridTable;
class TTableScope;

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
    // The table referred to in `scope`, or nullptr when the position is
    // outside the scope or no live table of it has the identifier.
    TGridTable* Resolve(TTableScope& scope) const;

    bool operator==(const TIntWrapper& other) const { return Kind == other.Kind && Value == other.Value; }
};

// The template tables of a table column, one entry per choice of the table's
// first column.
class TGridTableList {
public:
    // A list whose entries resolve in `scope`, that of the tables it belongs to.
    explicit TGridTableList(TTableScope& scope) : FScope(&scope) {}

    // The scope the entries resolve in.
    TTableScope& Scope() const { return *FScope; }
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
    TTableScope* FScope;
    std::vector<TIntWrapper> FItems;
};
