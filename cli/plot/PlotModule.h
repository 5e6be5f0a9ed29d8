#pragma once
// The drawing module of torvik-cli: the `plot` and `report` commands live in a library of
// its own (it needs Qt), which torvik-cli loads from its directory only when
// that command runs.

#if defined(_WIN32)
#define TORVIK_PLOT_EXPORT extern "C" __declspec(dllexport)
#else
#define TORVIK_PLOT_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// The module's file name, beside torvik-cli.
#if defined(_WIN32)
inline constexpr const char* PlotModuleName = "torvik-cli-plot.dll";
#else
inline constexpr const char* PlotModuleName = "torvik-cli-plot.so";
#endif

// The entry points: run `plot` or `report` on their arguments (without the command name) and
// returns the command's exit code.
inline constexpr const char* PlotModuleEntry = "TorvikCliPlot";
inline constexpr const char* ReportModuleEntry = "TorvikCliReport";
using PlotModuleFunction = int (*)(int argc, const char* const* argv);

#include <string>
#include <vector>
// torvik-cli's side: loads the module and calls the entry point `entryName`;
// the command's exit code.
int RunInDrawingModule(const char* entryName, const std::string& command, const std::vector<std::string>& args);
