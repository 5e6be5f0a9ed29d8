#pragma once
// The data files the design-check tests write: in a folder of the test
// program's own, removed when it ends, each with its settings beside it.
#include "model/SettingsFile.h"
#include "model/WallSettings.h"

#include <filesystem>
#include <fstream>
#include <string>

#if defined(_WIN32)
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

inline const std::filesystem::path& CheckWallFolder()
{
    struct Dir {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("torvik-checks-" + std::to_string(::getpid()));
        ~Dir()
        {
            std::error_code e;
            std::filesystem::remove_all(path, e);
        }
    };
    static const Dir dir;
    return dir.path;
}

// Writes `text` as the data file `name` with `settings` beside it; its path.
inline std::string WriteWall(const std::string& name, const std::string& text,
                             const TWallSettings& settings = TWallSettings::Defaults())
{
    std::filesystem::create_directories(CheckWallFolder());
    const std::string path = (CheckWallFolder() / name).string();
    std::ofstream(path, std::ios::binary) << text;
    WriteSettingsBeside(path, settings);
    return path;
}
