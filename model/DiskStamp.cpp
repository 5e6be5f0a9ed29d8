#include "model/DiskStamp.h"

#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

TDiskStamp DiskStampOf(const std::string& path)
{
    TDiskStamp stamp;
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return stamp;
    stamp.size = fs::file_size(path, error);
    if (error)
        return stamp;
    stamp.modified = fs::last_write_time(path, error).time_since_epoch().count();
    if (error)
        return stamp;
#ifndef _WIN32
    struct stat status {};
    if (stat(path.c_str(), &status) == 0)
        stamp.fileNumber = static_cast<std::uint64_t>(status.st_ino);
#endif
    stamp.exists = true;
    return stamp;
}

bool ChangedSince(const std::string& path, const TDiskStamp& stamp)
{
    const TDiskStamp now = DiskStampOf(path);
    return now.exists && now != stamp;
}
