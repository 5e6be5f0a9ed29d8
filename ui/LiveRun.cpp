#include "ui/LiveRun.h"

#include "engine/EngineRun.h"
#include "run/AnalysisRun.h"
#include "run/WallInput.h"
#include "units/TorvikError.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Removes every generation folder but `keep` and `current`; errors are ignored
// (a folder left over goes with the private folder).
void RemoveOlderFolders(const fs::path& folder, long keep, long current)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name == std::to_string(keep) || name == std::to_string(current))
            continue;
        std::error_code ignored;
        fs::remove_all(it->path(), ignored);
    }
}

RunFiles FilesOf(const std::string& dataFile)
{
    return {dataFile, ReplaceExtension(dataFile, ".tk4o"), ReplaceExtension(dataFile, ".tk4p"),
            ReplaceExtension(dataFile, ".tk4r")};
}

}  // namespace

TLiveInput LiveInputOf(TProgramData& wall)
{
    return {WallInput(wall), WallInputSettings(wall)};
}

std::string LiveFailureReason(const RunOutcome& outcome)
{
    if (!outcome.fileError.empty())
        return outcome.fileError;
    for (const SectionRun& section : outcome.sections) {
        if (section.Ok())
            continue;
        if (!section.error.empty())
            return section.error;
        return section.heading + ": " + section.result.message;
    }
    if (outcome.sections.empty())
        return "The data file holds no wall to analyse.";
    if (!outcome.plotWritten)
        return "Not every stage could be analysed.";
    return std::string();
}

TLiveResult RunLiveJob(const TLiveJob& job)
{
    TLiveResult result;
    result.generation = job.generation;
    result.input = job.input;
    const fs::path folder = fs::path(job.folder) / std::to_string(job.generation);
    RemoveOlderFolders(job.folder, job.keep, job.generation);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        result.reason =
            "The folder " + folder.string() + " for the results of the analysis cannot be made: " + error.message();
        return result;
    }
    result.dataFile = (folder / "wall.tk4d").string();
    if (!job.input) {
        result.reason = "There is no wall to analyse.";
        return result;
    }
    const RunOutcome outcome = EngineRun::Run(FilesOf(result.dataFile), job.input->blocks, job.input->settings);
    result.ok = outcome.plotWritten;
    if (!result.ok)
        result.reason = LiveFailureReason(outcome);
    return result;
}

TLiveResult RunLiveChecks(const TLiveJob& job, const TLiveResult& analysed)
{
    TLiveResult result = analysed;
    result.checked = true;
    try {
        if (!analysed.input)
            throw TorvikError("there is no wall to check.");
        result.report = checks::RunDesignChecks(analysed.input->blocks, job.target, analysed.input->settings);
    } catch (const std::exception& e) {
        result.checksError = e.what();
    }
    return result;
}
