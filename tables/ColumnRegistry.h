#pragma once
#include <functional>
#include <memory>

class TColumn;
class TGridTable;

// Kind number to column class: 0 TEnumColumn, 1 TIntColumn, 2 TFloatColumn,
// 3 TTableColumn, 4 TStringColumn. Process-wide; the five kinds are in it from
// the first use on.
class ColumnRegistry {
public:
    // Makes a new, empty column for `owner`.
    using TFactory = std::function<std::unique_ptr<TColumn>(TGridTable& owner)>;

    // Adds or replaces the class of a kind number.
    static void Register(int kind, TFactory factory);
    // Removes a kind number.
    static void Unregister(int kind);
    // True when the kind number has a class.
    static bool Contains(int kind);
    // A new column of kind `kind` for `owner`; TorvikError "Error Column Class not defined" for an unknown kind.
    static std::unique_ptr<TColumn> Create(int kind, TGridTable& owner);
};
