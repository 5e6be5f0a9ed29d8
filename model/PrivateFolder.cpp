#include "model/PrivateFolder.h"

#include "units/TorvikError.h"

#include <cerrno>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

long ProcessId()
{
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<long>(getpid());
#endif
}

// Folders "<prefix><process>-<number>" of processes that ended without
// removing them (killed, crashed) are removed. A folder of a process that
// still runs, or of another user's, stays.
void RemoveFoldersOfEndedProcesses(const fs::path& base, const std::string& prefix)
{
#ifndef _WIN32
    std::error_code error;
    fs::directory_iterator it(base, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string rest = name.substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos || dash > 10 ||
            rest.find_first_not_of("0123456789") != dash)
            continue;
        const long process = std::stol(rest.substr(0, dash));
        std::error_code ignored;
        if (process > 0 && kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH)
            fs::remove_all(it->path(), ignored);
    }
#else
    (void)base;
    (void)prefix;
#endif
}

}  // namespace

fs::path MakePrivateFolder(const std::string& prefix)
{
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error)
        throw EInOutError("No working folder could be made: " + error.message());
    RemoveFoldersOfEndedProcesses(base, prefix);
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::string own = prefix + std::to_string(ProcessId()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / (own + std::to_string(random() % 1000000000ULL));
        if (fs::create_directory(candidate, error)) {
            fs::permissions(candidate, fs::perms::owner_all, error);
            return candidate;
        }
        if (error)
            throw EInOutError("No working folder could be made in " + base.string() + ": " + error.message());
    }
    throw EInOutError("No working folder could be made in " + base.string());
}

TPrivateFolder::~TPrivateFolder()
{
    std::error_code error;
    if (!path_.empty())
        fs::remove_all(path_, error);
}

const std::string& TPrivateFolder::Path() const
{
    if (path_.empty())
        path_ = MakePrivateFolder(prefix_).string();
    return path_;
}
