#pragma once
#include <functional>
#include <unordered_map>
#include <vector>

class TGridTable;

// Opens a table's editor window (modally or not); the windows library installs it.
using TEditorOpener = std::function<void(TGridTable& table, bool modal)>;

// A set of tables that refer to each other: every live table of the set in
// creation order, the counter that gives a new table its default Identifier,
// and the function that opens their editors. Tables find their sub-table
// templates by Identifier or position within their own scope, so two sets of
// wall tables live side by side without taking each other's identifiers.
// Sub-tables join the scope of the table that owns them. Adding and removing
// a table take constant time.
class TTableScope {
public:
    TTableScope() = default;
    TTableScope(const TTableScope&) = delete;
    TTableScope& operator=(const TTableScope&) = delete;

    // Adds a new table at the end; returns the next value of the identifier counter.
    int Add(TGridTable* table);
    // Removes a table that is being destroyed.
    void Remove(const TGridTable* table);
    // Number of live tables.
    int Count() const { return static_cast<int>(slotOf_.size()); }
    // The table at a position; nullptr outside 0 .. Count() - 1.
    TGridTable* At(int position);
    // Position of a table, -1 if it is not live in this scope.
    int IndexOf(const TGridTable* table);
    // The first table, in creation order, whose Identifier is `identifier`; nullptr if none.
    TGridTable* FindByIdentifier(int identifier) const;
    // The live tables in creation order.
    const std::vector<TGridTable*>& Tables();

    // The function that opens the editors of this scope's tables (none: editors do not open).
    const TEditorOpener& EditorOpener() const { return editorOpener_; }
    void SetEditorOpener(TEditorOpener opener) { editorOpener_ = std::move(opener); }

private:
    static constexpr std::size_t kNoGap = static_cast<std::size_t>(-1);

    void CloseGaps();
    bool BeforeFirstGap(std::size_t slot) const { return firstGap_ == kNoGap || slot < firstGap_; }

    // A table that leaves leaves a gap in its slot, so that adding and
    // removing a table cost the same whatever the number of tables (a wall
    // with tens of thousands of curve rows has as many sub-tables). Gaps at
    // the end are dropped at once; the others are closed only when a position
    // at or behind the first gap is asked for, so the positions of the tables
    // in front of it (the catalogue's templates, made first) never need that.
    std::vector<TGridTable*> slots_;
    std::unordered_map<const TGridTable*, std::size_t> slotOf_;
    std::size_t firstGap_ = kNoGap;
    int identifierCounter_ = 0;
    TEditorOpener editorOpener_;
};
