// torvik-cli convert: reads a wall data file of any layout and writes it in
// the current layout, optionally in another unit system; a staged wall as its
// staged data file with its stage files.
#include "cli/Command.h"
#include "model/AtomicFile.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/WordReader.h"
#include "units/TorvikError.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>

namespace {

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

bool ReportMessages(const BatchHost& host, const std::string& file)
{
    for (const std::string& message : host.prompt.shown)
        std::cerr << "torvik-cli convert: " << file << ": " << Lines(message) << "\n";
    return !host.prompt.shown.empty();
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A staged wall becomes the staged data file OUT with its stage files. The
// stage files take their names from the data file they are split from, so
// OUT starts as a copy of IN and is split, converted stage by stage and joined
// again; nothing is written beside IN.
int ConvertStaged(BatchHost& host, const std::string& in, const std::string& out, int format,
                  std::optional<int> units)
{
    WriteFileAtomically(out, FileBytes(in));
    auto wall = TProgramData::CreateFromFile(host, out, format);
    SplitStagedFile(*wall, out);
    if (format != 1)
        ConvertLegacyStages(*wall);
    if (ReportMessages(host, in)) {
        for (int k = 1; k <= 5; ++k)
            std::filesystem::remove(StageFilePath(out, k));
        if (out != in)
            std::filesystem::remove(out);
        return ExitBadInput;
    }
    if (units) {
        for (int k = 1; k <= wall->StageCount; ++k) {
            wall->CurrentStage = k;
            LoadStage(*wall);
            wall->SwitchUnits(*units);
            SaveStage(*wall);
        }
        wall->CurrentStage = 1;
        LoadStage(*wall);
    }
    SaveStagedWall(*wall);
    return ExitOk;
}

int RunConvert(const std::vector<std::string>& args)
{
    std::vector<std::string> files;
    std::optional<int> units;
    std::optional<int> format;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool isUnits = args[i] == "--units";
        if (isUnits || args[i] == "--format") {
            std::optional<int> value = i + 1 < args.size() ? ParseOneToThree(args[i + 1]) : std::nullopt;
            if (!value)
                return Usage(isUnits ? "--units takes 1 (English), 2 (SI) or 3 (other units)"
                                     : "--format takes 1 (current layout), 2 (version 3.0) or 3 (version 2.0)");
            (isUnits ? units : format) = value;
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

    const int layout = format.value_or(TProgramData::FormatForPath(files[0]));
    BatchHost host;
    auto wall = TProgramData::CreateFromFile(host, files[0], layout);
    // A damaged file gives a partly read wall; converting it would pass the
    // damage on silently, so nothing is written.
    if (ReportMessages(host, files[0]))
        return ExitBadInput;
    if (wall->StageCount > 1) {
        wall.reset();
        return ConvertStaged(host, files[0], files[1], layout, units);
    }
    if (units)
        wall->SwitchUnits(*units);
    wall->FileName = files[1];
    wall->WriteDataFile();
    return ExitOk;
}

const CommandRegistration registration{
    {"convert", "IN OUT [--units 1|2|3] [--format 1|2|3]",
     "reads a wall data file (format as for dump) and writes it in the current layout, in the unit system asked for; "
     "a staged wall with its stage files",
     RunConvert}};

}  // namespace
