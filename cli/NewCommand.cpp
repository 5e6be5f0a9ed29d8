// torvik-cli new: the data file of a new wall.
#include "cli/Command.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/SettingsFile.h"

#include <iostream>

namespace {

int RunNew(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].rfind("--", 0) == 0) {
        std::cerr << "Usage: torvik-cli new OUT\n";
        return ExitUsage;
    }
    BatchHost host;
    auto wall = TProgramData::CreateNew(host);
    wall->FileName = args[0];
    wall->WriteDataFile();
    // A new wall has the settings of a new wall, beside it as the program saves them.
    WriteSettingsBeside(args[0], host.Settings());
    return ExitOk;
}

const CommandRegistration registration{{"new", "OUT", "writes the data file of a new wall with the defaults, and its settings file", RunNew}};

}  // namespace
