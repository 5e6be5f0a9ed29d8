// torvik-cli export WALLFILE --csv FILE: the results of every stage or case
// as one CSV file for a spreadsheet (from the plot data file of the wall), and
// the forces of its springs and anchors (from its output text).
#include "cli/Command.h"
#include "model/AtomicFile.h"
#include "model/WallSettings.h"
#include "run/ResultTables.h"
#include "run/SpringTable.h"
#include "units/TorvikError.h"

#include <iostream>

namespace {

int Run(const std::vector<std::string>& args)
{
    if (args.size() != 3 || args[1] != "--csv") {
        std::cerr << "Usage: torvik-cli export WALLFILE --csv FILE\n";
        return ExitUsage;
    }
    TResultSet results;
    std::string error;
    if (!LoadResultTables(args[0], results, error)) {
        std::cerr << "torvik-cli export: " << error << "\n";
        return ExitBadInput;
    }
    // The utilisation columns come from the steel sections beside the wall.
    const TSettingsRead settings = ReadSettingsBeside(args[0]);
    if (!settings.problem.empty())
        std::cerr << "torvik-cli export: the settings file is ignored: " << settings.problem << "\n";
    try {
        WriteFileAtomically(args[2], WallResultsCsv(results, args[0], settings.settings));
    } catch (const TorvikError& e) {
        std::cerr << "torvik-cli export: " << e.what() << "\n";
        return ExitBadInput;
    }
    return ExitOk;
}

const CommandRegistration registration({"export", "WALLFILE --csv FILE",
                                        "writes the results of every stage or case to a CSV file", Run});

}  // namespace
