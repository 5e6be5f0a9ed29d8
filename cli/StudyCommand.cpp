// torvik-cli study: runs a study file (sensitivity, sweep or Monte Carlo) on
// worker threads, or one shard of it, with a progress line on standard error
// and the summary as JSON on standard output; `study merge` joins the folders
// of the shards. An interrupted study keeps its rows; run again, it resumes.
#include "cli/Command.h"
#include "model/AtomicFile.h"
#include "study/Study.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "Usage: torvik-cli study STUDY.json [--jobs N] [--shard K/N] [--out DIR]\n"
    "       torvik-cli study merge DIR... [--out DIR]\n";

// The largest study file read: far beyond any list of parameters.
constexpr std::uintmax_t kMaxStudyBytes = 16 << 20;

std::atomic<bool> interrupted{false};
bool progressShown = false;  // the progress line needs its line break before a message

extern "C" void Interrupt(int)
{
    interrupted = true;
}

std::string TextOf(const std::string& path)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        throw EInOutError("The study file " + path + " does not exist.");
    if (fs::file_size(path, error) > kMaxStudyBytes)
        throw EInOutError("The study file " + path + " is too large to be a study.");
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        throw EInOutError("The study file " + path + " cannot be read.");
    return text.str();
}

bool WholeNumber(const std::string& text, int low, int& value)
{
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(text);
    return value >= low;
}

bool Shard(const std::string& text, int& shard, int& shards)
{
    const std::size_t slash = text.find('/');
    return slash != std::string::npos && WholeNumber(text.substr(0, slash), 1, shard) &&
           WholeNumber(text.substr(slash + 1), 1, shards) && shard <= shards;
}

std::string Duration(double seconds)
{
    const long s = static_cast<long>(seconds + 0.5);
    if (s < 60)
        return std::to_string(s) + " s";
    return std::to_string(s / 60) + " min " + std::to_string(s % 60) + " s";
}

void ShowProgress(const study::Progress& p)
{
    progressShown = true;
    std::cerr << "\rstudy: " << p.done << " of " << p.total << " rows, " << FormatFixed(p.perSecond, 6, 1)
              << " per second, " << Duration(p.secondsLeft) << " left   " << std::flush;
}

int Fault(const std::string& what)
{
    std::cerr << "torvik-cli study: " << what << "\n";
    return ExitBadInput;
}

int Run(const std::string& file, const study::RunOptions& given)
{
    const study::StudyDefinition asRead = study::ParseStudy(TextOf(file), file);
    const fs::path wall = fs::path(file).parent_path() / asRead.wallFile;
    const study::StudyWall base = study::ReadStudyWall(wall.lexically_normal().string());
    // The summary names the values the study ran with: the wall's where the file gives percent.
    const study::StudyDefinition definition = study::ResolveParameters(asRead, base);
    study::RunOptions options = given;
    options.progress = ShowProgress;
    options.cancel = &interrupted;
    std::signal(SIGINT, Interrupt);
    std::signal(SIGTERM, Interrupt);
    const study::StudyResult result = study::RunStudy(definition, base, options);
    if (progressShown)
        std::cerr << "\n";
    progressShown = false;
    if (result.cancelled) {
        std::cerr << "torvik-cli study: interrupted after " << result.rows.size() << " rows"
                  << (options.outFolder.empty() ? "" : "; run again into " + options.outFolder + " to resume")
                  << "\n";
        return ExitBadInput;
    }
    std::cout << study::SummaryJson(definition, result);
    return ExitOk;
}

int Merge(const std::vector<std::string>& folders, const std::string& out)
{
    const std::string first = (fs::path(folders.front()) / "study.json").string();
    const study::StudyDefinition definition = study::ParseStudy(TextOf(first), first);
    const study::StudyResult result = study::MergeShards(definition, folders);
    const std::string summary = study::SummaryJson(definition, result);
    if (!out.empty()) {
        fs::create_directories(out);
        WriteFilesTogether({{(fs::path(out) / "study.json").string(), study::StudyText(definition)},
                            {(fs::path(out) / "rows.csv").string(), study::RowsCsv(result)},
                            {(fs::path(out) / "summary.json").string(), summary}});
    }
    std::cout << summary;
    return ExitOk;
}

int Study(const std::vector<std::string>& args)
{
    const bool merge = !args.empty() && args[0] == "merge";
    std::vector<std::string> files;
    study::RunOptions options;
    for (std::size_t i = merge ? 1 : 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool value = i + 1 < args.size();
        if (a == "--out" && value) {
            options.outFolder = args[++i];
        } else if (a == "--jobs" && value && !merge) {
            if (!WholeNumber(args[++i], 0, options.jobs))
                return Fault("--jobs needs a whole number (0: every core), not '" + args[i] + "'");
        } else if (a == "--shard" && value && !merge) {
            if (!Shard(args[++i], options.shard, options.shards))
                return Fault("--shard needs K/N with 1 <= K <= N, not '" + args[i] + "'");
        } else if (a.rfind("--", 0) == 0) {
            std::cerr << kUsage;
            return ExitUsage;
        } else {
            files.push_back(a);
        }
    }
    if (files.empty() || (!merge && files.size() != 1)) {
        std::cerr << kUsage;
        return ExitUsage;
    }
    try {
        return merge ? Merge(files, options.outFolder) : Run(files.front(), options);
    } catch (const TorvikError& e) {
        if (progressShown)
            std::cerr << "\n";
        return Fault(e.what());
    } catch (const fs::filesystem_error& e) {
        return Fault(e.what());
    }
}

const CommandRegistration registration({"study", "STUDY.json [--jobs N] [--shard K/N] [--out DIR] | merge DIR... [--out DIR]",
                                        "runs a sensitivity, sweep or Monte Carlo study of a wall on every core "
                                        "(or one shard of it), or merges the folders of its shards",
                                        Study});

}  // namespace
