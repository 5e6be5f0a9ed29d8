#pragma once
#include <cstdint>
#include <string>

// What tells one version of a file on the disk from another: its size, its
// modification time and (on POSIX) its file number, which an atomic
// replacement changes. Kept when a wall is read or written, so that a save can
// tell whether another program replaced the file meanwhile.
struct TDiskStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;
    std::uint64_t fileNumber = 0;

    bool operator==(const TDiskStamp& other) const
    {
        return exists == other.exists && size == other.size && modified == other.modified &&
               fileNumber == other.fileNumber;
    }
    bool operator!=(const TDiskStamp& other) const { return !(*this == other); }
};

// The stamp of the file at `path` now (exists false when there is none).
TDiskStamp DiskStampOf(const std::string& path);

// Whether the file at `path` exists and is no longer the one `stamp` describes.
bool ChangedSince(const std::string& path, const TDiskStamp& stamp);
