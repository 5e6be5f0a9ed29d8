#pragma once
// The drawing module of torvik-cli: the `plot` command lives in a library of
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

// The entry point: runs `plot` on its arguments (without the command name) and
// returns the command's exit code.
inline constexpr const char* PlotModuleEntry = "TorvikCliPlot";
using PlotModuleFunction = int (*)(int argc, const char* const* argv);
