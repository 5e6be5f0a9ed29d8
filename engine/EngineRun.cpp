#include "engine/EngineRun.h"

#include "engine/AnchorForces.h"
#include "engine/BeamColumnSolver.h"
#include "engine/InputRanges.h"
#include "engine/PoreWater.h"
#include "engine/PlotFileWriter.h"
#include "engine/ReportWriter.h"
#include "engine/SectionBuilder.h"
#include "engine/SpringInstallation.h"
#include "engine/WallFileReader.h"
#include "engine/WallFriction.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string Now()
{
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm tm{};
#if defined(_WIN32)
    gmtime_s(&tm, &t);
#else
    gmtime_r(&t, &tm);
#endif
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S UTC", &tm);
    return buffer;
}

// Writes a whole file; false when it cannot be written. An existing file is
// overwritten in place and cut to the new length: emptying it first (or
// deleting and creating it) costs more, and on ext4 emptying a file makes the
// next close start writing it back to disk.
bool WriteFile(const std::string& path, const std::string& text)
{
    if (path.empty())
        return false;
    std::error_code error;
    const bool exists = fs::exists(path, error);
    std::ofstream out(path, exists ? std::ios::binary | std::ios::in | std::ios::out : std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out)
        return false;
    if (exists)
        fs::resize_file(path, text.size(), error);
    return !error;
}

std::string Trim(std::string s)
{
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    size_t start = s.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : s.substr(start);
}

}  // namespace

bool EngineRun::ReadNamesFile(const std::string& path, RunFiles& files)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string* names[] = {&files.dataFile, &files.outputText, &files.plotFile, &files.runNotes};
    std::string line;
    for (std::string* name : names) {
        if (!std::getline(in, line))
            break;
        *name = Trim(line);
    }
    return !files.dataFile.empty() && !files.outputText.empty() && !files.plotFile.empty() &&
           !files.runNotes.empty();
}

namespace {

std::vector<WallFileBlock> ReadBlocks(const std::string& dataFile, RunOutcome& outcome)
{
    try {
        return WallFileReader::Read(dataFile);
    } catch (const std::exception& e) {
        outcome.fileError = std::string("The data file ") + dataFile + " cannot be read: " + e.what();
        for (char& c : outcome.fileError)
            if (c == '\r' || c == '\n')
                c = ' ';
    } catch (...) {
        outcome.fileError = "The data file " + dataFile + " cannot be read.";
    }
    return {};
}

// Builds, links to the earlier stages and solves one analysis. `stage` is its
// number in a staged file (0 otherwise); `earlier` the analyses before it.
void AnalyseSection(SectionRun& s, int stage, const std::vector<SectionRun>& earlier, const TWallSettings& settings)
{
    try {
        CheckInputRanges(s.block);
        SectionBuilder::Options options;
        options.passiveLimit = settings.limitToPassive;
        options.wallContact = engine::WallContactByLayer(settings, s.block.layers.size());
        options.soilBehind = settings.soilBehindResists;
        options.water = engine::StageWaterInput(settings, stage);
        s.block.excavationGround = engine::ExcavationGroundFor(settings, stage);
        s.input = SectionBuilder::Build(s.block, s.heading, options);
        s.water = options.water;
        s.built = true;
    } catch (const std::exception& e) {
        s.error = s.heading + ": " + e.what();
        s.result.status = SolveStatus::InvalidInput;
        s.result.message = s.error;
        return;
    }
    try {
        const std::vector<std::string> warnings = ApplyAnchorSettings(s.input, s.block, settings);
        s.input.warnings.insert(s.input.warnings.end(), warnings.begin(), warnings.end());
        const std::string blocked =
            InstallOnMovedWall(s.input, stage, earlier, settings.springsFromInstallation, settings.lockOffAsBuilt);
        if (!blocked.empty()) {
            s.result.status = SolveStatus::InvalidInput;
            s.result.message = blocked;
            return;
        }
        s.result = SolveWithAnchors(s.input, BeamColumnSolver::OptionsFor(s.input));
        CheckResultsFinite(s.result);
        if (s.result.Ok())
            FillSpringResults(s.input, s.result);
    } catch (const std::exception& e) {
        s.result = SectionResult{};
        s.result.status = SolveStatus::InvalidInput;
        s.result.message = std::string("The analysis stopped: ") + e.what();
    }
}

}  // namespace

RunOutcome EngineRun::Analyse(const std::string& dataFile)
{
    const TSettingsRead read = ReadSettingsBeside(dataFile);
    RunOutcome outcome = Analyse(dataFile, read.settings);
    if (!read.problem.empty())
        outcome.notes.insert(outcome.notes.begin(),
                             "WARNING: " + read.problem + " The default settings were used in its place.");
    return outcome;
}

RunOutcome EngineRun::Analyse(const std::string& dataFile, const TWallSettings& settings)
{
    RunOutcome read;
    std::vector<WallFileBlock> blocks = ReadBlocks(dataFile, read);
    if (!read.fileError.empty())
        return read;
    return Analyse(std::move(blocks), settings);
}

RunOutcome EngineRun::Analyse(std::vector<WallFileBlock> blocks)
{
    return Analyse(std::move(blocks), TWallSettings::Defaults());
}

// The settings are taken to the units of each block's file; stages of a staged
// file are numbered so that springs installed in a later stage find the
// deflections of the stage before.
RunOutcome EngineRun::Analyse(std::vector<WallFileBlock> blocks, const TWallSettings& settings)
{
    RunOutcome outcome;
    const bool staged = !blocks.empty() && blocks.front().block.stageCount > 1;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const int stage = staged ? static_cast<int>(i) + 1 : 0;
        SectionRun s = AnalyseBlock(std::move(blocks[i]), stage, outcome.sections, settings);
        const bool inputError = !s.built;
        outcome.sections.push_back(std::move(s));
        // An input error ends the run: later stages are not analysed.
        if (inputError)
            break;
    }
    return outcome;
}

SectionRun EngineRun::AnalyseBlock(WallFileBlock block, int stage, const std::vector<SectionRun>& earlier,
                                   const TWallSettings& settings)
{
    SectionRun s;
    s.heading = std::move(block.heading);
    s.block = std::move(block.block);
    AnalyseSection(s, stage, earlier, settings.InFileUnits(s.block.unitSystem));
    return s;
}

namespace {

// One run: `analyse` gives the analyses, the outputs of `files` are written from them.
template <typename Analysis>
RunOutcome RunAndWrite(const RunFiles& files, Analysis analyse)
{
    // No plot data file of an earlier run may pass for a result of this one; the
    // output text and the run notes are always written, over the old ones.
    std::remove(files.plotFile.c_str());

    RunInfo info;
    info.dataFile = files.dataFile;
    info.outputText = files.outputText;
    info.plotFile = files.plotFile;
    info.runNotes = files.runNotes;
    info.startTime = Now();

    RunOutcome outcome = analyse();
    info.fileError = outcome.fileError;
    info.notes = outcome.notes;
    if (!outcome.sections.empty()) {
        info.title = outcome.sections.front().block.title;
        info.unitSystem = outcome.sections.front().block.unitSystem;
    }
    bool allOk = !outcome.sections.empty() && outcome.fileError.empty();
    for (const SectionRun& s : outcome.sections)
        allOk = allOk && s.Ok();
    if (allOk && static_cast<int>(outcome.sections.size()) < outcome.sections.front().block.stageCount)
        allOk = false;
    if (allOk) {
        try {
            outcome.plotWritten = WriteFile(files.plotFile, PlotFileWriter::Text(outcome.sections));
            if (!outcome.plotWritten) {
                std::remove(files.plotFile.c_str());
                info.notes.push_back("ERROR: the plot data file " + files.plotFile + " cannot be written.");
            }
        } catch (const std::exception& e) {
            info.notes.push_back(std::string("ERROR: ") + e.what());
        }
    }
    info.plotWritten = outcome.plotWritten;
    info.endTime = Now();
    // An output that cannot be written must not leave the earlier run's in its place.
    if (!WriteFile(files.outputText, ReportWriter::Text(info, outcome.sections)))
        std::remove(files.outputText.c_str());
    if (!WriteFile(files.runNotes, ReportWriter::Notes(info, outcome.sections)))
        std::remove(files.runNotes.c_str());
    return outcome;
}

}  // namespace

RunOutcome EngineRun::Run(const RunFiles& files)
{
    return RunAndWrite(files, [&files] { return Analyse(files.dataFile); });
}

RunOutcome EngineRun::Run(const RunFiles& files, std::vector<WallFileBlock> blocks, const TWallSettings& settings)
{
    return RunAndWrite(files, [&] { return Analyse(std::move(blocks), settings); });
}

bool EngineRun::RunFromNamesFile()
{
    RunFiles files;
    if (!ReadNamesFile("names.dat", files))
        return false;
    Run(files);
    return true;
}

bool EngineRun::RunInFolder(const std::string& folder)
{
    const fs::path base(folder);
    RunFiles files;
    if (!ReadNamesFile((base / "names.dat").string(), files))
        return false;
    for (std::string* name : {&files.dataFile, &files.outputText, &files.plotFile, &files.runNotes})
        if (fs::path(*name).is_relative())
            *name = (base / *name).string();
    Run(files);
    return true;
}
