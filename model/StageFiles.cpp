#include "model/StageFiles.h"

#include "model/AtomicFile.h"
#include "model/BlockReader.h"
#include "model/BlockWriter.h"
#include "model/DiskStamp.h"
#include "model/FileLayout.h"
#include "model/ProgramData.h"
#include "model/SettingsFile.h"
#include "model/WallDocument.h"
#include "model/WallSettings.h"
#include "model/WallTableRows.h"
#include "model/WordReader.h"
#include "units/Prompt.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace {

constexpr int kMaxStages = 5;
const char* const kStageMark = " Stage No :";

bool FileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

void DeleteIfExists(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::exists(path, error) && !std::filesystem::remove(path, error))
        throw EInOutError("The file \"" + path + "\" could not be deleted: " + error.message());
}

void DeleteWorkCopies(const TProgramData& wall, int from, int to)
{
    for (int k = from; k <= to; ++k)
        DeleteIfExists(StageWorkPath(wall, k));
}

// Stage files beside a wall that it no longer has; a folder that forbids it keeps them.
void DeleteStageFilesQuietly(const std::string& dataFile, int from, int to)
{
    for (int k = from; k <= to; ++k) {
        std::error_code error;
        std::filesystem::remove(StageFilePath(dataFile, k), error);
    }
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string JoinLines(const TWordReader& reader, int first, int last)
{
    std::string text;
    for (int i = first; i <= last; ++i)
        text += reader.Line(i).Text + "\r\n";
    return text;
}

std::string LowerExtension(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

std::string FirstLineOf(const std::string& path)
{
    TWordReader reader(path);
    return reader.Line(0).Text;
}

}  // namespace

std::string StageFilePath(const std::string& dataFile, int stage)
{
    std::filesystem::path path(dataFile);
    path.replace_extension(".st" + std::to_string(stage));
    return path.string();
}

std::string StageWorkPath(const TProgramData& wall, int stage)
{
    return (std::filesystem::path(wall.StageFolder.Path()) / ("stage.st" + std::to_string(stage))).string();
}

std::string StageStatusText(const TProgramData& wall)
{
    if (wall.StageCount <= 1)
        return "";
    return "Construction Stage Number: " + std::to_string(wall.CurrentStage);
}

std::string StageFileText(TProgramData& wall)
{
    const int stage = wall.CurrentStage;
    std::string text;
    TBlockWriter writer(wall, text);
    writer.WriteBlock({stage == 1 ? wall.Title : " Stage No : " + std::to_string(stage), false,
                       TGeneratedPressure::TrapezoidOrTriangular});
    writer.WriteLine(std::to_string(stage));
    return text;
}

void WriteStageFile(TProgramData& wall)
{
    WriteFileAtomically(wall.StageFileName, StageFileText(wall));
    wall.StageFilesCurrent = true;
}

std::vector<std::string> ReadStageFile(TProgramData& wall, const std::string& path)
{
    std::vector<std::string> diagnostics;
    TWallDocument& document = wall.Document();
    // While a legacy wall is converted its stage files still have the 3.0 layout.
    const TFileLayout layout = wall.StageFilesCurrent ? TFileLayout::Current : TFileLayout::Version30;
    // A stage file leaves out the tables its stage does not use (no spring
    // rows, say): the rows of the stage shown before must not stay in them.
    EmptyAllTables(document.Tables());
    try {
        TWordReader reader(path);
        TBlockReader blocks(wall, reader);
        blocks.ReadBlock(layout, TBlockRole::Stage);
        wall.LongTermAnalysis = reader.ReadInteger() == kLongTermMarker;
        if (const int line = reader.NextTextLine(); line >= 0)
            diagnostics.push_back(TextAfterTheWallMessage(line));
    } catch (const EInOutError& error) {
        diagnostics.push_back(error.what());
    }
    wall.Padding = PadToMinRows(document.Tables());
    document.SetModified(false);
    return diagnostics;
}

void SaveStage(TProgramData& wall)
{
    wall.StageFileName = StageWorkPath(wall, wall.CurrentStage);
    WriteStageFile(wall);
}

void LoadStage(TProgramData& wall)
{
    wall.StageFileName = StageWorkPath(wall, wall.CurrentStage);
    if (!FileExists(wall.StageFileName))
        return;
    // Loading a stage is part of a command (a stage switch, a copy): its reading errors are shown at once.
    for (const std::string& message : ReadStageFile(wall, wall.StageFileName))
        wall.Document().UserPrompt().Information(message);
}

bool SelectStage(TProgramData& wall, int stage)
{
    if (stage == wall.CurrentStage || stage < 1 || stage > wall.StageCount)
        return false;
    TWallDocument& document = wall.Document();
    const bool modified = document.IsModified();
    SaveStage(wall);
    wall.CurrentStage = stage;
    LoadStage(wall);
    document.SetModified(modified);
    return true;
}

void SplitStagedFile(TProgramData& wall, const std::string& path)
{
    const TWordReader reader(path);
    const int lines = reader.LineCount();
    // Stage 1 starts at the first line; every later line but the last that
    // carries the stage mark starts the next stage.
    std::vector<int> starts{0};
    for (int i = 1; i < lines - 1; ++i)
        if (reader.Line(i).Text.find(kStageMark) != std::string::npos)
            starts.push_back(i);

    const int stages = wall.StageCount;
    const int found = std::min(static_cast<int>(starts.size()), stages);
    DeleteWorkCopies(wall, 1, kMaxStages);
    for (int k = 1; k <= found; ++k) {
        const int first = starts[k - 1];
        const int last = k < static_cast<int>(starts.size()) ? starts[k] - 1 : lines - 1;
        WriteFileAtomically(StageWorkPath(wall, k), JoinLines(reader, first, last));
    }
    if (found == stages)
        return;

    // A damaged file: give every missing stage the contents of the last stage
    // present, so that the wall stays whole and can be repaired by the user.
    wall.Document().UserPrompt().Information("The data file holds " + std::to_string(found) + " of its " +
                                         std::to_string(stages) + " construction stages.\rStages " +
                                         std::to_string(found + 1) + " to " + std::to_string(stages) +
                                         " start as copies of stage " + std::to_string(found) + ".");
    const bool modified = wall.Document().IsModified();
    wall.CurrentStage = found;
    LoadStage(wall);
    wall.StageCount = stages;
    for (int k = found + 1; k <= stages; ++k) {
        wall.CurrentStage = k;
        SaveStage(wall);
    }
    wall.CurrentStage = 1;
    LoadStage(wall);
    wall.Document().SetModified(modified);
}

void ConvertLegacyStages(TProgramData& wall)
{
    for (int k = 1; k <= wall.StageCount; ++k) {
        wall.CurrentStage = k;
        wall.StageFilesCurrent = false;
        LoadStage(wall);
        SaveStage(wall);
    }
    wall.StageFilesCurrent = true;
    wall.CurrentStage = 1;
    LoadStage(wall);
}

std::vector<std::string> StageTexts(const TProgramData& wall)
{
    std::vector<std::string> texts;
    for (int k = 1; k <= wall.StageCount; ++k) {
        const TWordReader stage(StageWorkPath(wall, k));
        texts.push_back(JoinLines(stage, 0, stage.LineCount() - 1));
    }
    return texts;
}

std::vector<std::string> OpenStageTexts(TProgramData& wall)
{
    std::vector<std::string> texts;
    for (int k = 1; k <= wall.StageCount; ++k) {
        const TWordReader stage = k == wall.CurrentStage ? TWordReader::FromText(StageFileText(wall))
                                                         : TWordReader(StageWorkPath(wall, k));
        texts.push_back(JoinLines(stage, 0, stage.LineCount() - 1));
    }
    return texts;
}

// A save that was cut off may have left stage files beside the wall that
// disagree with its data file, which is what was saved: they are made to
// agree. Missing stage files are left to the next save, so that opening a
// wall where none are (such as an installed example) writes nothing.
void RepairStageFiles(const TProgramData& wall)
{
    std::vector<TFileWrite> repairs;
    const std::vector<std::string> texts = StageTexts(wall);
    for (int k = 1; k <= wall.StageCount; ++k) {
        const std::string path = StageFilePath(wall.FileName, k);
        if (FileExists(path) && FileBytes(path) != texts[k - 1])
            repairs.push_back({path, texts[k - 1]});
    }
    try {
        WriteFilesTogether(repairs);
    } catch (const EInOutError&) {
        // A folder that cannot be written keeps them: the data file decides.
    }
    DeleteStageFilesQuietly(wall.FileName, wall.StageCount + 1, kMaxStages);
}

void OpenStagedWall(TProgramData& wall)
{
    if (wall.StageCount <= 1)
        return;
    SplitStagedFile(wall, wall.FileName);
    if (LowerExtension(wall.FileName) == ".tkd")
        ConvertLegacyStages(wall);
    else
        RepairStageFiles(wall);
}

void WriteStagedDataFile(TProgramData& wall, const std::string& target, const std::string& source,
                         const std::vector<TFileWrite>& alongside)
{
    // The current stage comes from the open wall, not its working copy: a save
    // depends on no file of the private folder, whose failures would name
    // files the user never sees.
    const std::vector<std::string> texts = OpenStageTexts(wall);
    std::vector<TFileWrite> files{{target, ""}};
    for (int k = 1; k <= wall.StageCount; ++k) {
        files.front().content += texts[k - 1];
        files.push_back({StageFilePath(target, k), texts[k - 1]});
    }
    files.insert(files.end(), alongside.begin(), alongside.end());
    // The data file is renamed first: once it is in place it is this
    // instance's, even when a stage file after it fails.
    WriteFilesTogether(files, [&wall, &target](std::size_t index) {
        if (index == 0)
            wall.DiskStamp = DiskStampOf(target);
    });
    DeleteStageFilesQuietly(target, wall.StageCount + 1, kMaxStages);
    if (target != source)
        DeleteStageFilesQuietly(source, 1, kMaxStages);
}

// After a save: the working copy of the current stage follows the saved
// wall. A failure here harms nothing saved; the next stage switch writes the
// copy again and reports its failure then.
void KeepStageWorkCopy(TProgramData& wall)
{
    try {
        SaveStage(wall);
    } catch (const EInOutError&) {
    }
}

void SaveStagedWall(TProgramData& wall, const std::vector<TFileWrite>& alongside)
{
    wall.StagedSaveName = wall.FileName;
    WriteStagedDataFile(wall, wall.StagedSaveName, wall.FileName, alongside);
    KeepStageWorkCopy(wall);
    wall.Document().SetModified(false);
}

void SaveStagedWallAs(TProgramData& wall, const std::string& newName, const std::vector<TFileWrite>& alongside)
{
    wall.StagedSaveName = newName;
    // A failed Save As keeps the former name, and with it the stamp of its file.
    const TDiskStamp former = wall.DiskStamp;
    try {
        WriteStagedDataFile(wall, wall.StagedSaveName, wall.FileName, alongside);
    } catch (const TorvikError&) {
        wall.DiskStamp = former;
        throw;
    }
    KeepStageWorkCopy(wall);
    wall.PreviousFileName = wall.FileName;
    wall.FileName = newName;
    wall.Document().SetModified(false);
}

// After the files of a save are in place: a settings file that the defaults
// leave without a purpose goes, and the save has failed while it stays.
void RemoveDefaultSettingsFile(TProgramData& wall)
{
    try {
        RemoveSettingsFileIfDefault(wall.FileName, wall.Document().Settings());
    } catch (const EInOutError&) {
        wall.Document().SetModified(true);
        throw;
    }
}

namespace {

// A file of the wall as it was before a save.
struct TFileBefore {
    std::string path;
    bool exists = false;
    std::string bytes;
    std::filesystem::file_time_type time;
};

// The data file, every stage file and the settings file of `dataFile`, as they are now.
std::vector<TFileBefore> WallFilesNow(const std::string& dataFile)
{
    std::vector<std::string> paths{dataFile, SettingsPathFor(dataFile)};
    for (int k = 1; k <= kMaxStages; ++k)
        paths.push_back(StageFilePath(dataFile, k));
    std::vector<TFileBefore> files;
    for (const std::string& path : paths) {
        TFileBefore file;
        file.path = path;
        std::ifstream in(path, std::ios::binary);
        std::error_code error;
        file.time = std::filesystem::last_write_time(path, error);
        file.exists = in && !error;
        if (file.exists)
            file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        files.push_back(std::move(file));
    }
    return files;
}

// After a save that wrote every file of the wall as it already was, each file
// gets its earlier time back: the content decides whether results made from
// it are older, and an unchanged wall has not changed since its results.
void KeepTimesOfUnchangedWall(const std::vector<TFileBefore>& before, TProgramData& wall)
{
    const std::vector<TFileBefore> after = WallFilesNow(wall.FileName);
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i].exists != after[i].exists || before[i].bytes != after[i].bytes)
            return;
    for (const TFileBefore& file : before) {
        std::error_code error;
        if (file.exists)
            std::filesystem::last_write_time(file.path, file.time, error);
    }
    wall.DiskStamp = DiskStampOf(wall.FileName);
}

}  // namespace

void SaveWall(TProgramData& wall)
{
    const std::vector<TFileBefore> before = WallFilesNow(wall.FileName);
    const std::vector<TFileWrite> settings = SettingsFileWrites(wall.FileName, wall.Document().Settings());
    if (wall.StageCount > 1) {
        SaveStagedWall(wall, settings);
    } else {
        wall.WriteDataFile(settings);
        DeleteStageFilesQuietly(wall.FileName, 1, kMaxStages);
    }
    RemoveStaleWallTemporaries(wall.FileName);
    RemoveDefaultSettingsFile(wall);
    KeepTimesOfUnchangedWall(before, wall);
}

void SaveWallAs(TProgramData& wall, const std::string& newName)
{
    const std::vector<TFileWrite> settings = SettingsFileWrites(newName, wall.Document().Settings());
    if (wall.StageCount > 1) {
        SaveStagedWallAs(wall, newName, settings);
    } else {
        const std::string old = wall.FileName;
        const TDiskStamp former = wall.DiskStamp;
        wall.FileName = newName;
        try {
            wall.WriteDataFile(settings);
        } catch (const TorvikError&) {
            wall.FileName = old;
            wall.DiskStamp = former;
            throw;
        }
        DeleteStageFilesQuietly(newName, 1, kMaxStages);
    }
    RemoveStaleWallTemporaries(wall.FileName);
    RemoveDefaultSettingsFile(wall);
}

void RemoveStaleWallTemporaries(const std::string& dataFile)
{
    std::vector<std::string> paths{dataFile};
    for (int k = 1; k <= kMaxStages; ++k)
        paths.push_back(StageFilePath(dataFile, k));
    paths.push_back(SettingsPathFor(dataFile));
    for (const char* extension : {".tk4o", ".tk4p", ".tk4r"})
        paths.push_back(std::filesystem::path(dataFile).replace_extension(extension).string());
    RemoveStaleTemporaries(paths);
    const std::filesystem::path folder = std::filesystem::path(dataFile).parent_path();
    RemoveStaleFolders(folder.empty() ? "." : folder.string(), kConvertFolderPrefix);
}

bool CopyPreviousStage(TProgramData& wall)
{
    if (wall.StageCount <= 1 || wall.CurrentStage <= 1)
        return false;
    const std::string question = "Do you want to copy all information from Stage " +
                                 std::to_string(wall.CurrentStage - 1) + " to Stage " +
                                 std::to_string(wall.CurrentStage);
    if (wall.Document().UserPrompt().AskYesNo(question) != Prompt::Answer::Yes)
        return false;
    --wall.CurrentStage;
    LoadStage(wall);
    ++wall.CurrentStage;
    SaveStage(wall);
    wall.Document().SetModified(true);
    return true;
}

void ChangeStageCount(TProgramData& wall, int count)
{
    if (count < 1 || count > kMaxStages)
        throw EAssignError("The number of stages must be from 1 to 5.");
    const int old = wall.StageCount;
    // The current stage's edits go to its file before the stages are
    // rearranged; otherwise loading another stage would drop them.
    if (old > 1)
        SaveStage(wall);
    wall.StageCount = count;
    if (count == 1 || old == 1 || count < old)
        wall.CurrentStage = 1;

    if (count == 1) {
        // The open wall becomes the whole wall: it keeps the wall's title, not a stage line.
        const std::string first = StageWorkPath(wall, 1);
        if (wall.Title.find(kStageMark) != std::string::npos && FileExists(first))
            wall.Title = FirstLineOf(first);
        DeleteWorkCopies(wall, 1, kMaxStages);
        return;
    }
    if (count != old) {
        const int remembered = wall.CurrentStage;
        for (int k = 1; k <= count; ++k) {
            wall.CurrentStage = k;
            if (FileExists(StageWorkPath(wall, k)))
                LoadStage(wall);
            wall.StageCount = count;  // reading a stage file sets it from the file
            SaveStage(wall);
        }
        wall.CurrentStage = remembered;
        LoadStage(wall);
        wall.Document().SetModified(true);
    }
    DeleteWorkCopies(wall, count + 1, kMaxStages);
}
