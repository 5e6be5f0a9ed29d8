#pragma once
#include <array>
#include <string>
#include <vector>

// The data files used last, most recent first: ten entries, an empty string
// for an empty entry. Comparisons are exact and case-sensitive.
class TRecentFiles {
public:
    static constexpr int Size = 10;

    // Entry i, 1 to Size (empty when unused or out of range).
    const std::string& Entry(int i) const;
    // Every entry in order.
    const std::array<std::string, Size>& Entries() const { return entries_; }
    // Replaces the list by `paths` (as read from the settings): empty ones are
    // dropped and the rest close up, so the first Count() entries are the used ones.
    void Assign(const std::vector<std::string>& paths);
    // The number of non-empty entries.
    int Count() const;

    // Puts `path` at the top: an entry 1 equal to it changes nothing; a later
    // equal entry moves to the top; otherwise every entry moves down and the
    // tenth drops. Answers whether the list changed (the settings are then
    // written at once). An empty path changes nothing.
    bool UpdatePrevFile(const std::string& path);

private:
    std::array<std::string, Size> entries_;
};

// The File menu's caption of recent entry i (1 to 10): the number, a blank and
// the path, shown from after the working directory and its separator when the
// path lies in it ("/" and "\\" count as the same separator). An "&" of the
// path is doubled so that the menu shows it as it is, not as an access key.
std::string RecentFileCaption(int i, const std::string& path, const std::string& workingDirectory);
