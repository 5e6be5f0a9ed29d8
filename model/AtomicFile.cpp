#include "model/AtomicFile.h"

#include "units/TorvikError.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <set>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const char* const TemporaryMark = ".tmp";
constexpr std::size_t TemporaryDigits = 6;

TWriteFault& WriteFault()
{
    static TWriteFault fault;
    return fault;
}

[[noreturn]] void Fail(const std::string& path, const std::string& reason)
{
    throw EInOutError("The file \"" + path + "\" could not be written: " + reason);
}

// A link is followed, so that the file it names is replaced and the link kept.
std::string ResolveLinks(const std::string& path)
{
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path target = fs::canonical(path, error);
    return error ? path : target.string();
}

// A file whose access rights let nobody write to it (mode 0444, or the
// read-only attribute) is left as it is, as an editor leaves it.
bool IsWriteProtected(const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status))
        return false;
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & write) == fs::perms::none;
}

#ifndef _WIN32
// Flushes the folder of `path`, so that a rename into it survives a power cut.
void FlushFolder(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    const int folder = open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    fsync(folder);  // some file systems cannot flush a folder; the rename stands
    close(folder);
}
#endif

// The replacement keeps the access rights of the file it replaces.
void KeepPermissions(const std::string& tempPath, const std::string& target)
{
    std::error_code error;
    const auto status = fs::status(target, error);
    if (!error && fs::exists(status))
        fs::permissions(tempPath, status.permissions(), error);
}

// The new content of one target, in a temporary file beside it so that the
// final rename stays on one file system. On POSIX the file is locked from its
// creation until it was renamed (or removed), so that a cleaner can tell a
// running write from one whose process died.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& requestedPath) : target_(ResolveLinks(requestedPath))
    {
        if (IsWriteProtected(target_))
            Fail(target_, "it is write-protected");
        std::random_device seed;
        std::mt19937 random(seed());
        int lastError = 0;
        for (int attempt = 0; attempt < 100; ++attempt) {
            temp_ = target_ + TemporaryMark + std::to_string(random() % 1000000);
            if (Create())
                return;
            lastError = errno;
            if (lastError != EEXIST)
                break;
        }
        Fail(target_, std::strerror(lastError));
    }
    ~TemporaryFile()
    {
        Close();
        if (!replaced_)
            std::remove(temp_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Target() const { return target_; }

    // Writes the content and flushes it to the disk.
    void Write(const std::string& content)
    {
        if (const TWriteFault& fault = WriteFault())
            if (const int error = fault(target_))
                Fail(target_, std::strerror(error));
        if (!WriteAll(content))
            Fail(target_, std::strerror(errno));
    }

    // Renames the written file over the target and flushes the folder.
    void Replace()
    {
        KeepPermissions(temp_, target_);
#ifdef _WIN32
        // Windows renames no file that is open.
        Close();
#endif
        std::error_code error;
        fs::rename(temp_, target_, error);
        if (error)
            Fail(target_, error.message());
        replaced_ = true;
#ifndef _WIN32
        FlushFolder(target_);
#endif
    }

private:
#ifdef _WIN32
    bool Create()
    {
        // "x": fail instead of truncating a file that happens to carry the name.
        file_ = std::fopen(temp_.c_str(), "wbx");
        return file_ != nullptr;
    }
    bool WriteAll(const std::string& content)
    {
        const bool written = std::fwrite(content.data(), 1, content.size(), file_) == content.size() &&
                             std::fflush(file_) == 0 && _commit(_fileno(file_)) == 0;
        const int writeError = errno;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (written && !closed)
            return false;
        errno = writeError;
        return written;
    }
    void Close()
    {
        if (file_)
            std::fclose(file_);
        file_ = nullptr;
    }
    std::FILE* file_ = nullptr;
#else
    bool Create()
    {
        fd_ = open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0)
            return false;
        // A cleaner may have taken the lock first and removed the new file as
        // stale; then another name is tried.
        struct stat status {};
        if (flock(fd_, LOCK_EX) == 0 && fstat(fd_, &status) == 0 && status.st_nlink > 0)
            return true;
        Close();
        errno = EEXIST;
        return false;
    }
    bool WriteAll(const std::string& content)
    {
        const char* data = content.data();
        std::size_t left = content.size();
        while (left > 0) {
            const ssize_t n = write(fd_, data, left);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            data += n;
            left -= static_cast<std::size_t>(n);
        }
        return fsync(fd_) == 0;
    }
    void Close()
    {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }
    int fd_ = -1;
#endif
    std::string target_;
    std::string temp_;
    bool replaced_ = false;
};

std::string NameList(const std::vector<TFileWrite>& files, std::size_t from, std::size_t to)
{
    std::string list;
    for (std::size_t i = from; i < to; ++i)
        list += (list.empty() ? "" : ", ") + files[i].path;
    return list.empty() ? "none" : list;
}

// Whether `name` is `prefix` and one to six digits.
bool IsNumbered(const std::string& name, const std::string& prefix)
{
    if (name.size() <= prefix.size() || name.size() > prefix.size() + TemporaryDigits ||
        name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](unsigned char c) { return std::isdigit(c) != 0; });
}

// Whether `name` is "<base>.tmp" and one to six digits.
bool IsTemporaryOf(const std::string& name, const std::string& base)
{
    return IsNumbered(name, base + TemporaryMark);
}

// Calls `remove` when no running process holds the file `lock`; on POSIX with
// the lock taken, so that no process takes it meanwhile. A running write or
// working folder holds its lock from its creation on (a process that created
// it but has not yet locked it finds it removed and takes another name).
template <class Remove>
void RemoveUnlessHeld(const fs::path& lock, Remove remove)
{
#ifdef _WIN32
    std::error_code error;
    if (fs::remove(lock, error) || !error)  // a file still open cannot be removed
        remove();
#else
    const int fd = open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened { };
    struct stat named { };
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
        lstat(lock.c_str(), &named) == 0 && named.st_ino == opened.st_ino && named.st_dev == opened.st_dev)
        remove();
    close(fd);
#endif
}

// Removes a temporary file whose write is over: the file is its own lock.
void RemoveIfStale(const fs::path& path)
{
#ifdef _WIN32
    std::error_code error;
    fs::remove(path, error);  // a file still open for writing cannot be removed
#else
    RemoveUnlessHeld(path, [&path] { unlink(path.c_str()); });
#endif
}

// The file inside a working folder that its process holds.
const char* const FolderLock = "held";

}  // namespace

void WriteFileAtomically(const std::string& path, const std::string& content)
{
    WriteFilesTogether({{path, content}});
}

void WriteFilesTogether(const std::vector<TFileWrite>& files, const std::function<void(std::size_t index)>& placed)
{
    // `replaced` files are in place when a step fails: the message says which.
    auto fail = [&files](const EInOutError& e, std::size_t replaced) {
        if (files.size() == 1)
            throw e;
        throw EInOutError(std::string(e.what()) + "\rWritten: " + NameList(files, 0, replaced) +
                          ".\rNot written: " + NameList(files, replaced, files.size()) + ".");
    };
    std::vector<std::unique_ptr<TemporaryFile>> temps;
    try {
        for (const TFileWrite& file : files) {
            temps.push_back(std::make_unique<TemporaryFile>(file.path));
            temps.back()->Write(file.content);
        }
    } catch (const EInOutError& e) {
        temps.clear();
        fail(e, 0);
    }
    for (std::size_t i = 0; i < temps.size(); ++i) {
        try {
            temps[i]->Replace();
        } catch (const EInOutError& e) {
            fail(e, i);
        }
        if (placed)
            placed(i);
    }
}

void RemoveStaleTemporaries(const std::vector<std::string>& paths)
{
    std::set<std::pair<fs::path, std::string>> targets;  // folder, file name
    for (const std::string& path : paths) {
        const fs::path resolved(ResolveLinks(path));
        targets.emplace(resolved.parent_path().empty() ? fs::path(".") : resolved.parent_path(),
                        resolved.filename().string());
    }
    std::set<fs::path> folders;
    for (const auto& target : targets)
        folders.insert(target.first);
    for (const fs::path& folder : folders) {
        std::error_code error;
        fs::directory_iterator it(folder, error);
        for (; !error && it != fs::directory_iterator(); it.increment(error)) {
            const std::string name = it->path().filename().string();
            for (const auto& [targetFolder, base] : targets)
                if (targetFolder == folder && IsTemporaryOf(name, base)) {
                    RemoveIfStale(it->path());
                    break;
                }
        }
    }
}

THeldFolder::THeldFolder(const std::string& parent, const std::string& prefix)
{
    const fs::path folder = parent.empty() ? fs::path(".") : fs::path(parent);
    std::random_device seed;
    std::mt19937 random(seed());
    std::error_code error;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const fs::path candidate = folder / (prefix + std::to_string(random() % 1000000));
        if (!fs::create_directory(candidate, error)) {
            if (error)
                break;
            continue;  // the name is taken
        }
        const fs::path lock = candidate / FolderLock;
#ifdef _WIN32
        // Held open (without sharing its deletion): a cleaner cannot remove it.
        std::FILE* file = std::fopen(lock.string().c_str(), "wbx");
        if (!file)
            continue;  // a cleaner took the new folder
        lock_ = file;
#else
        const int fd = open(lock.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0)
            continue;  // a cleaner took the new folder
        struct stat status { };
        if (flock(fd, LOCK_EX) != 0 || fstat(fd, &status) != 0 || status.st_nlink == 0) {
            close(fd);
            continue;
        }
        lock_ = fd;
#endif
        path_ = candidate.string();
    }
    if (path_.empty())
        throw EInOutError("No working folder could be made in \"" + folder.string() + "\"" +
                          (error ? ": " + error.message() : std::string(".")));
}

THeldFolder::~THeldFolder()
{
    std::error_code error;
#ifdef _WIN32
    if (lock_)
        std::fclose(static_cast<std::FILE*>(lock_));
    fs::remove_all(path_, error);
#else
    fs::remove_all(path_, error);  // removed while held, so that no cleaner meets it half gone
    if (lock_ >= 0)
        close(lock_);
#endif
}

void RemoveStaleFolders(const std::string& parent, const std::string& prefix)
{
    std::error_code error;
    fs::directory_iterator it(parent.empty() ? fs::path(".") : fs::path(parent), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::path folder = it->path();
        std::error_code ignored;
        if (!IsNumbered(folder.filename().string(), prefix) || !fs::is_directory(fs::symlink_status(folder, ignored)))
            continue;
        const fs::path lock = folder / FolderLock;
        if (fs::exists(fs::symlink_status(lock, ignored))) {
            RemoveUnlessHeld(lock, [&folder] {
                std::error_code failed;
                fs::remove_all(folder, failed);
            });
            continue;
        }
        // No lock: a process killed before it held the folder (or one of an
        // older release), or one between making the folder and holding it.
        // An empty one goes at once (a process that made it then finds it gone
        // and takes another name); one with content once it is a minute old.
        if (fs::remove(folder, ignored))
            continue;
        ignored.clear();
        const auto age = fs::file_time_type::clock::now() - fs::last_write_time(folder, ignored);
        if (!ignored && age > std::chrono::minutes(1))
            fs::remove_all(folder, ignored);
    }
}

void SetWriteFault(TWriteFault fault)
{
    WriteFault() = std::move(fault);
}
