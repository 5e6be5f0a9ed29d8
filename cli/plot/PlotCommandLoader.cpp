// torvik-cli plot and report: load the drawing module from torvik-cli's
// directory and run the command there. Only these commands pay for loading Qt.
#include "cli/Command.h"
#include "cli/plot/PlotModule.h"
#include "run/DynamicLibrary.h"

#include <iostream>

int RunInDrawingModule(const char* entryName, const std::string& command, const std::vector<std::string>& args)
{
    const std::string path = RunningProgramDirectory() + "/" + PlotModuleName;
    // Never released: Qt leaves exit handlers behind in the process.
    const DynamicLibrary& module = *new DynamicLibrary(path);
    const auto entry = module.Loaded() ? reinterpret_cast<PlotModuleFunction>(module.Symbol(entryName)) : nullptr;
    if (!entry) {
        std::cerr << "torvik-cli " << command << ": the drawing module " << path << " cannot be loaded\n";
        return ExitBadInput;
    }
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    return entry(static_cast<int>(argv.size()), argv.data());
}

namespace {

int Run(const std::vector<std::string>& args) { return RunInDrawingModule(PlotModuleEntry, "plot", args); }

int Report(const std::vector<std::string>& args) { return RunInDrawingModule(ReportModuleEntry, "report", args); }

const CommandRegistration registration(
    {"plot", "WALLFILE --graph NAME --out FILE [--width IN --height IN --ppi N]",
     "draws a result graph into a .bmp, .png, .svg or .pdf file (default 6 x 4 in at 72 ppi)", Run});

const CommandRegistration report(
    {"report", "WALLFILE --out FILE.pdf [--paper A4|Letter]",
     "writes the calculation report of an analysed wall as PDF (paper of the locale by default)", Report});

}  // namespace
