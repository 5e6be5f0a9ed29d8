#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Replaces the file at `path` with `content` (bytes as given) so that a failure
// never harms the file that was there: the content goes to a new file beside
// the target ("<path>.tmp" and up to six digits), is flushed to the disk, and
// only then renamed over the target; the folder is flushed after the rename.
// A link is followed, and the file keeps its access rights. A write-protected
// file (no write permission) is not replaced. Throws EInOutError naming the
// file and carrying the system's message; the temporary file is removed on
// failure.
void WriteFileAtomically(const std::string& path, const std::string& content);

// One file of a group written together.
struct TFileWrite {
    std::string path;
    std::string content;
};

// Writes the files of a group so that they change together: every content goes
// to its temporary file first, and only when all were written are they renamed
// over their targets, in the given order. When a file cannot be written no
// target is touched and the EInOutError names that file. When a rename fails
// (which leaves the files before it replaced), the error also says which files
// were written and which were not. `placed`, when given, hears the index of
// each file as soon as it is in place, so that a caller can record what it
// wrote even when a later rename fails.
void WriteFilesTogether(const std::vector<TFileWrite>& files,
                        const std::function<void(std::size_t index)>& placed = nullptr);

// Removes the temporary files that writes of this program left beside the
// files `paths` when they never finished (the process was killed). A temporary
// file that a running write still holds is left alone. Errors are ignored.
void RemoveStaleTemporaries(const std::vector<std::string>& paths);

// A working folder of the program beside a file: hidden, named `prefix` and up
// to six digits (".torvik-convert-123456"), held for the object's lifetime and
// removed with whatever it holds at its end. A folder whose process was killed
// is stale: RemoveStaleFolders removes it, never one that a running process holds.
class THeldFolder {
public:
    // A new folder in `parent` ("." when empty). EInOutError when none can be made.
    THeldFolder(const std::string& parent, const std::string& prefix);
    ~THeldFolder();
    THeldFolder(const THeldFolder&) = delete;
    THeldFolder& operator=(const THeldFolder&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
#ifdef _WIN32
    void* lock_ = nullptr;
#else
    int lock_ = -1;
#endif
};

// Removes the folders `prefix` and digits in `parent` that no running process
// holds, with their content (one of a process killed before it held it when
// empty, else once it is a minute old). Errors are ignored.
void RemoveStaleFolders(const std::string& parent, const std::string& prefix);

// For tests: decides, before the content of each file is written, whether the
// write fails and with which error number (0: it does not). Null ends it.
using TWriteFault = std::function<int(const std::string& path)>;
void SetWriteFault(TWriteFault fault);
