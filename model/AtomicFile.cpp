#include "model/AtomicFile.h"

#include "units/TorvikError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& reason)
{
    throw EInOutError("The file \"" + path + "\" could not be written: " + reason);
}

// Opens a temporary file that did not exist before, in the folder of `path`,
// so that the final rename stays on one file system.
std::FILE* OpenTemporary(const std::string& path, std::string& tempPath)
{
    std::random_device seed;
    std::mt19937 random(seed());
    int lastError = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + ".tmp" + std::to_string(random() % 1000000);
        // "x": fail instead of truncating a file that happens to carry the name.
        if (std::FILE* file = std::fopen(tempPath.c_str(), "wbx"))
            return file;
        lastError = errno;
        if (lastError != EEXIST)
            break;
    }
    Fail(path, std::strerror(lastError));
}

bool FlushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// A link is followed, so that the file it names is replaced and the link kept.
std::string ResolveLinks(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

// The replacement keeps the access rights of the file it replaces.
void KeepPermissions(const std::string& tempPath, const std::string& target)
{
    std::error_code error;
    const auto status = std::filesystem::status(target, error);
    if (!error && std::filesystem::exists(status))
        std::filesystem::permissions(tempPath, status.permissions(), error);
}

}  // namespace

void WriteFileAtomically(const std::string& requestedPath, const std::string& content)
{
    const std::string path = ResolveLinks(requestedPath);
    std::string tempPath;
    std::FILE* file = OpenTemporary(path, tempPath);
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size() && FlushToDisk(file);
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    const int closeError = errno;
    if (!written || !closed) {
        std::remove(tempPath.c_str());
        Fail(path, std::strerror(!written ? writeError : closeError));
    }
    KeepPermissions(tempPath, path);
    std::error_code error;
    std::filesystem::rename(tempPath, path, error);
    if (error) {
        std::remove(tempPath.c_str());
        Fail(path, error.message());
    }
}
