// torvik-cli convert: reads a wall data file of any layout and writes it in
// the current layout, optionally in another unit system; a staged wall as its
// staged data file with its stage files.
#include "cli/Command.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/SettingsFile.h"
#include "model/StageFiles.h"
#include "model/WordReader.h"
#include "units/TorvikError.h"
#include "units/Units.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kUsage = "Usage: torvik-cli convert IN OUT [--units 1|2|3] [--format 1|2|3]\n";

std::optional<int> ParseOneToThree(const std::string& text)
{
    if (text == "1" || text == "2" || text == "3")
        return text[0] - '0';
    return std::nullopt;
}

int Usage(const std::string& problem)
{
    std::cerr << "torvik-cli convert: " << problem << "\n" << kUsage;
    return ExitUsage;
}

// The reader's messages end their line-and-item part with a carriage return.
std::string Lines(std::string text)
{
    for (char& c : text)
        if (c == '\r')
            c = '\n';
    return text;
}

// Prints the messages shown since message `from`, each after `where`; true
// when there were any.
bool ReportMessages(const BatchHost& host, const std::string& where, std::size_t from = 0)
{
    const auto& shown = host.prompt.shown;
    for (std::size_t i = from; i < shown.size(); ++i)
        std::cerr << "torvik-cli convert: " << where << ": " << Lines(shown[i]) << "\n";
    return shown.size() > from;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw EInOutError("The file \"" + path + "\" could not be read.");
    return bytes;
}

// The settings file beside IN, as it is (a damaged one too, reported: it is
// the wall's all the same, and nothing of it is lost); none when IN has none.
std::optional<std::string> SettingsOfInput(const std::string& in)
{
    const TSettingsRead read = ReadSettingsBeside(in);
    if (!read.problem.empty())
        std::cerr << "torvik-cli convert: " << read.problem << " It is copied as it is.\n";
    if (!read.found)
        return std::nullopt;
    return FileBytes(SettingsPathFor(in));
}

// Puts each built file in place of its target (a target without a built file
// is taken away). Targets that existed are first moved into `aside`; when a
// move fails, every target is given back as it was and the error is raised.
void ReplaceTogether(const std::vector<std::pair<fs::path, fs::path>>& builtAndTarget, const fs::path& aside)
{
    std::vector<std::pair<fs::path, fs::path>> done;  // target, its former file ("" for none)
    try {
        for (const auto& [built, target] : builtAndTarget) {
            fs::path former;
            if (fs::exists(fs::symlink_status(target))) {
                former = aside / ("former" + std::to_string(done.size()));
                fs::rename(target, former);
            }
            done.emplace_back(target, former);
            if (!built.empty())
                fs::rename(built, target);
        }
    } catch (const fs::filesystem_error& e) {
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            std::error_code ignored;
            if (!it->second.empty())
                fs::rename(it->second, it->first, ignored);
            else
                fs::remove(it->first, ignored);
        }
        throw EInOutError(std::string("The converted files could not be put in place: ") + e.what());
    }
}

// A staged wall becomes the staged data file OUT with its stage files. The
// stage files take their names from the data file they are split from, so a
// copy of IN is split, every stage read (converted to the current layout and
// the unit system asked for) and written, and the stages joined again, all in
// a working folder beside OUT. Only when every stage was read without a
// message and every file written do the files replace OUT and its stage files,
// together; otherwise OUT and its stage files are untouched and nothing is
// written beside IN.
int ConvertStagedIn(const fs::path& folder, BatchHost& host, const std::string& in, const std::string& out,
                    TFileLayout layout, std::optional<UnitSystem> units, const std::optional<std::string>& settings)
{
    const std::string work = (folder / fs::path(out).filename()).string();
    WriteFileAtomically(work, FileBytes(in));
    auto wall = TProgramData::CreateFromFile(host, work, layout);
    SplitStagedFile(*wall, work);
    if (ReportMessages(host, in))
        return ExitBadInput;

    // Each stage's messages name lines of its own block; say where it starts in IN.
    std::vector<int> firstLine{1};
    for (int k = 1; k < wall->StageCount; ++k)
        firstLine.push_back(firstLine.back() + TWordReader(StageWorkPath(*wall, k)).LineCount());
    for (int k = 1; k <= wall->StageCount; ++k) {
        const std::size_t before = host.prompt.shown.size();
        wall->CurrentStage = k;
        // The stage files of an older file keep its layout until rewritten.
        wall->StageFilesCurrent = layout == TFileLayout::Current;
        LoadStage(*wall);
        if (units)
            wall->SwitchUnits(*units);
        if (ReportMessages(host, in + ": stage " + std::to_string(k) + " (from line " +
                                     std::to_string(firstLine[k - 1]) + ")",
                           before))
            return ExitBadInput;
        SaveStage(*wall);
    }
    wall->StageFilesCurrent = true;
    wall->CurrentStage = 1;
    LoadStage(*wall);
    SaveStagedWall(*wall);
    if (ReportMessages(host, in))
        return ExitBadInput;

    std::vector<std::pair<fs::path, fs::path>> files;
    for (int k = 1; k <= 5; ++k)
        files.emplace_back(k <= wall->StageCount ? fs::path(StageFilePath(work, k)) : fs::path(),
                           StageFilePath(out, k));
    // The settings file goes with the data file; a stale one beside OUT goes.
    fs::path builtSettings;
    if (settings) {
        builtSettings = SettingsPathFor(work);
        WriteFileAtomically(builtSettings.string(), *settings);
    }
    files.emplace_back(builtSettings, SettingsPathFor(out));
    files.emplace_back(work, out);
    ReplaceTogether(files, folder);
    return ExitOk;
}

// The folder of OUT, where the working folder of a conversion goes.
std::string FolderOf(const std::string& out)
{
    const fs::path parent = fs::path(out).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// The conversion in a working folder of its own beside OUT. Each file built
// there has the name of its target: a message names the target.
int ConvertStaged(BatchHost& host, const std::string& in, const std::string& out, TFileLayout layout,
                  std::optional<UnitSystem> units, const std::optional<std::string>& settings)
{
    const THeldFolder folder(FolderOf(out), kConvertFolderPrefix);
    try {
        return ConvertStagedIn(folder.Path(), host, in, out, layout, units, settings);
    } catch (const EInOutError& e) {
        std::string message = e.what();
        const std::string built = (fs::path(folder.Path()) / "").string();
        const std::string target =
            fs::path(out).parent_path().empty() ? "" : (fs::path(out).parent_path() / "").string();
        for (std::size_t at = message.find(built); at != std::string::npos;
             at = message.find(built, at + target.size()))
            message.replace(at, built.size(), target);
        throw EInOutError(message);
    }
}

int RunConvert(const std::vector<std::string>& args)
{
    std::vector<std::string> files;
    std::optional<UnitSystem> units;
    std::optional<int> format;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool isUnits = args[i] == "--units";
        if (isUnits || args[i] == "--format") {
            std::optional<int> value = i + 1 < args.size() ? ParseOneToThree(args[i + 1]) : std::nullopt;
            if (!value)
                return Usage(isUnits ? "--units takes 1 (English), 2 (SI) or 3 (other units)"
                                     : "--format takes 1 (current layout), 2 (version 3.0) or 3 (version 2.0)");
            if (isUnits)
                units = NormalizeUnitSystem(*value);
            else
                format = value;
            ++i;
        } else if (args[i].rfind("--", 0) == 0) {
            return Usage("unknown option " + args[i]);
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2)
        return Usage("an input and an output file are needed");
    try {
        TWordReader probe(files[0]);  // a file that cannot be read at all fails here
    } catch (const EInOutError& e) {
        std::cerr << "torvik-cli convert: " << e.what() << "\n";
        return ExitBadInput;
    }

    // Working folders that conversions killed before their end left beside OUT go.
    RemoveStaleFolders(FolderOf(files[1]), kConvertFolderPrefix);
    const TFileLayout layout = format ? *LayoutOfNumber(*format) : LayoutForPath(files[0]);
    BatchHost host;
    auto wall = TProgramData::CreateFromFile(host, files[0], layout);
    // A damaged file gives a partly read wall; converting it would pass the
    // damage on silently, so nothing is written.
    if (ReportMessages(host, files[0]))
        return ExitBadInput;
    // Files of the older layouts never had settings (one of their name belongs to a converted wall).
    const std::optional<std::string> settings =
        layout == TFileLayout::Current ? SettingsOfInput(files[0]) : std::nullopt;
    if (wall->StageCount > 1) {
        wall.reset();
        try {
            return ConvertStaged(host, files[0], files[1], layout, units, settings);
        } catch (const EInOutError& e) {
            std::cerr << "torvik-cli convert: " << files[1]
                      << " and its stage files are left as they were: " << Lines(e.what()) << "\n";
            return ExitBadInput;
        }
    }
    if (units && !wall->SwitchUnits(*units)) {
        ReportMessages(host, files[0]);
        return ExitBadInput;
    }
    wall->FileName = files[1];
    std::vector<TFileWrite> alongside;
    if (settings)
        alongside.push_back({SettingsPathFor(files[1]), *settings});
    try {
        wall->WriteDataFile(alongside);
        if (!settings)
            RemoveSettingsFileIfDefault(files[1], TWallSettings::Defaults());
    } catch (const EInOutError& e) {
        std::cerr << "torvik-cli convert: " << Lines(e.what()) << "\n";
        return ExitBadInput;
    }
    return ExitOk;
}

const CommandRegistration registration{
    {"convert", "IN OUT [--units 1|2|3] [--format 1|2|3]",
     "reads a wall data file (format as for dump) and writes it in the current layout, in the unit system asked for; "
     "a staged wall with its stage files, and the settings file beside it with it",
     RunConvert}};

}  // namespace
