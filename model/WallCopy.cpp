#include "model/WallCopy.h"

#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/WallDocument.h"
#include "model/WallSettings.h"
#include "units/TorvikError.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

// A plain write: the copy lives in a folder of its own that nothing else
// reads while it is written, so it needs neither a temporary file nor a flush
// to the disk, which would cost more than the analysis.
void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out)
        throw EInOutError("The file " + path + " could not be written: " + std::strerror(errno));
}

}  // namespace

TWallCopy CopyOfWall(TProgramData& wall)
{
    TWallCopy copy;
    const bool modified = wall.Document().IsModified();
    if (wall.StageCount > 1) {
        copy.stageTexts = OpenStageTexts(wall);
        for (const std::string& stage : copy.stageTexts)
            copy.dataText += stage;
    } else {
        copy.dataText = wall.DataFileText();
    }
    // Preparing the tables for the text, as saving does, is no change of the wall.
    wall.Document().SetModified(modified);
    const TWallSettings& settings = wall.Document().Settings();
    if (!settings.IsDefault())
        copy.settingsText = SettingsText(settings);
    return copy;
}

void WriteWallCopy(const TWallCopy& copy, const std::string& dataFile)
{
    for (std::size_t k = 0; k < copy.stageTexts.size(); ++k)
        WriteText(StageFilePath(dataFile, static_cast<int>(k) + 1), copy.stageTexts[k]);
    if (!copy.settingsText.empty())
        WriteText(SettingsPathFor(dataFile), copy.settingsText);
    // The data file last: an analysis that finds it finds everything beside it.
    WriteText(dataFile, copy.dataText);
}
