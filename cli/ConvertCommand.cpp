// torvik-cli convert: reads a wall data file of any layout and writes it in
// the current layout, optionally in another unit system.
#include "cli/Command.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/WordReader.h"
#include "units/TorvikError.h"

#include <iostream>
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

    BatchHost host;
    auto wall = TProgramData::CreateFromFile(host, files[0], format.value_or(TProgramData::FormatForPath(files[0])));
    // A damaged file gives a partly read wall; converting it would pass the
    // damage on silently, so nothing is written.
    if (!host.prompt.shown.empty()) {
        for (const std::string& message : host.prompt.shown)
            std::cerr << "torvik-cli convert: " << files[0] << ": " << Lines(message) << "\n";
        return ExitBadInput;
    }
    if (wall->StageCount > 1) {
        std::cerr << "torvik-cli convert: " << files[0] << " is a staged wall of " << wall->StageCount
                  << " stages; convert writes walls of one stage\n";
        return ExitBadInput;
    }
    if (units)
        wall->SwitchUnits(*units);
    wall->FileName = files[1];
    wall->WriteDataFile();
    return ExitOk;
}

const CommandRegistration registration{
    {"convert", "IN OUT [--units 1|2|3] [--format 1|2|3]",
     "reads a wall data file (format as for dump) and writes it in the current layout, in the unit system asked for",
     RunConvert}};

}  // namespace
