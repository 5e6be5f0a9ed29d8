#include "model/PrivateFolder.h"

#include "units/TorvikError.h"

#include <random>
#include <system_error>

namespace fs = std::filesystem;

fs::path MakePrivateFolder(const std::string& prefix)
{
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error)
        throw EInOutError("No working folder could be made: " + error.message());
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / (prefix + std::to_string(random() % 1000000000000ULL));
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
