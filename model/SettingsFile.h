#pragma once
#include "model/AtomicFile.h"
#include "model/WallSettings.h"

#include <string>
#include <vector>

// The settings file beside a wall's data file on disk: written in the same
// group as the data file, and removed when nothing in it differs from the
// defaults, so that a stale file never speaks for the wall.

// The settings file's part of a save of the data file `dataFile`: its write,
// when anything differs from the defaults; none otherwise.
std::vector<TFileWrite> SettingsFileWrites(const std::string& dataFile, const TWallSettings& settings);

// After a save of `dataFile`: removes the settings file beside it when
// `settings` are the defaults. EInOutError naming the file when it stays.
void RemoveSettingsFileIfDefault(const std::string& dataFile, const TWallSettings& settings);

// Writes (atomically) or removes the settings file beside `dataFile`, as
// `settings` call for. EInOutError when that fails.
void WriteSettingsBeside(const std::string& dataFile, const TWallSettings& settings);

// The line of a problem list for a settings file that was found but ignored;
// `problem` is TSettingsRead::problem (it names the file and the line).
std::string IgnoredSettingsMessage(const std::string& problem);
