#include "model/SettingsFile.h"

#include "units/TorvikError.h"

#include <filesystem>
#include <system_error>

std::vector<TFileWrite> SettingsFileWrites(const std::string& dataFile, const TWallSettings& settings)
{
    if (settings.IsDefault())
        return {};
    return {{SettingsPathFor(dataFile), SettingsText(settings)}};
}

void RemoveSettingsFileIfDefault(const std::string& dataFile, const TWallSettings& settings)
{
    if (!settings.IsDefault())
        return;
    const std::string path = SettingsPathFor(dataFile);
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, error)) &&
        !std::filesystem::remove(path, error))
        throw EInOutError("The settings file \"" + path + "\" could not be deleted: " + error.message() +
                          "\rUntil it is, it gives the wall settings that are no longer its own.");
}

void WriteSettingsBeside(const std::string& dataFile, const TWallSettings& settings)
{
    WriteFilesTogether(SettingsFileWrites(dataFile, settings));
    RemoveSettingsFileIfDefault(dataFile, settings);
}

std::string IgnoredSettingsMessage(const std::string& problem)
{
    return problem + " It is ignored: the wall has the default settings, and its next save replaces the file.";
}
