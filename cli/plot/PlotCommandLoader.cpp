// torvik-cli plot: loads the drawing module from torvik-cli's directory and
// runs the command there. Only this command pays for loading Qt.
#include "cli/Command.h"
#include "cli/plot/PlotModule.h"
#include "run/DynamicLibrary.h"

#include <iostream>

namespace {

int Run(const std::vector<std::string>& args)
{
    const std::string path = RunningProgramDirectory() + "/" + PlotModuleName;
    // Never released: Qt leaves exit handlers behind in the process.
    const DynamicLibrary& module = *new DynamicLibrary(path);
    const auto entry = module.Loaded() ? reinterpret_cast<PlotModuleFunction>(module.Symbol(PlotModuleEntry)) : nullptr;
    if (!entry) {
        std::cerr << "torvik-cli plot: the drawing module " << path << " cannot be loaded\n";
        return ExitBadInput;
    }
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    return entry(static_cast<int>(argv.size()), argv.data());
}

const CommandRegistration registration(
    {"plot", "WALLFILE --graph NAME --out FILE [--width IN --height IN --ppi N]",
     "draws a result graph into a .bmp, .png, .svg or .pdf file (default 6 x 4 in at 72 ppi)", Run});

}  // namespace
