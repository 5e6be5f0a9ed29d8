#include "ui/rules/RecentFiles.h"

#include <algorithm>

const std::string& TRecentFiles::Entry(int i) const
{
    static const std::string none;
    return i >= 1 && i <= Size ? entries_[i - 1] : none;
}

void TRecentFiles::Assign(const std::vector<std::string>& paths)
{
    entries_ = {};
    int n = 0;
    for (const std::string& p : paths)
        if (!p.empty() && n < Size)
            entries_[n++] = p;
}

int TRecentFiles::Count() const
{
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [](const std::string& e) {
        return !e.empty();
    }));
}

bool TRecentFiles::UpdatePrevFile(const std::string& path)
{
    if (path.empty() || entries_[0] == path)
        return false;
    // The entries above the path's old place (or all, the tenth dropping) move down one.
    auto last = std::find(entries_.begin() + 1, entries_.end(), path);
    if (last == entries_.end())
        --last;
    std::move_backward(entries_.begin(), last, last + 1);
    entries_[0] = path;
    return true;
}

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

// Whether `path` begins with `prefix`, "/" and "\\" counting as the same
// separator (a Windows directory may be given either way).
bool StartsWith(const std::string& path, const std::string& prefix)
{
    if (path.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (path[i] != prefix[i] && !(IsSeparator(path[i]) && IsSeparator(prefix[i])))
            return false;
    return true;
}

}  // namespace

std::string RecentFileCaption(int i, const std::string& path, const std::string& workingDirectory)
{
    std::string shown = path;
    if (!workingDirectory.empty()) {
        // A directory given with its separator (a root such as "/" or "C:\\") keeps it.
        const std::string prefix =
            IsSeparator(workingDirectory.back()) ? workingDirectory : workingDirectory + '/';
        if (path.size() > prefix.size() && StartsWith(path, prefix))
            shown = path.substr(prefix.size());
    }
    std::string caption = std::to_string(i) + " ";
    for (char c : shown) {
        caption += c;
        if (c == '&')
            caption += '&';
    }
    return caption;
}
