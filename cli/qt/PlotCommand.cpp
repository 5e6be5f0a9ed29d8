// torvik-cli plot WALLFILE --graph NAME --out FILE: draws one result graph
// into a picture file as the graph window saves it (bitmap layout with the
// legend box), with the full ranges of the data. This is the drawing module
// torvik-cli loads only for this command, so that the other commands start
// without Qt.
#include "cli/Command.h"
#include "cli/plot/PlotModule.h"
#include "cli/qt/GuiCommand.h"
#include "graph/widgets/GraphExport.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"


#include <cstdlib>
#include <iostream>
#include <optional>

namespace {

struct PlotArguments {
    std::string wallFile, graph, out;
    double width = 6, height = 4;
    int ppi = 72;
};

std::optional<double> Number(const std::string& text)
{
    try {
        size_t used = 0;
        const double v = std::stod(text, &used);
        if (used == text.size() && v > 0)
            return v;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// Parses the arguments; a message on standard error and no value on a usage fault.
std::optional<PlotArguments> Parse(const std::vector<std::string>& args)
{
    PlotArguments a;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if ((arg == "--graph" || arg == "--out" || arg == "--width" || arg == "--height" || arg == "--ppi") && !hasValue) {
            std::cerr << "torvik-cli plot: " << arg << " needs a value\n";
            return std::nullopt;
        }
        if (arg == "--graph") {
            a.graph = args[++i];
        } else if (arg == "--out") {
            a.out = args[++i];
        } else if (arg == "--width" || arg == "--height" || arg == "--ppi") {
            const auto v = Number(args[++i]);
            if (!v || (arg == "--ppi" && (*v != static_cast<int>(*v) || *v > 4800)) || *v > 1000) {
                std::cerr << "torvik-cli plot: " << arg << " needs a positive number, not '" << args[i] << "'\n";
                return std::nullopt;
            }
            if (arg == "--width")
                a.width = *v;
            else if (arg == "--height")
                a.height = *v;
            else
                a.ppi = static_cast<int>(*v);
        } else if (a.wallFile.empty() && arg.rfind("--", 0) != 0) {
            a.wallFile = arg;
        } else {
            std::cerr << "torvik-cli plot: unexpected argument '" << arg << "'\n";
            return std::nullopt;
        }
    }
    if (a.wallFile.empty() || a.graph.empty() || a.out.empty()) {
        std::cerr << "Usage: torvik-cli plot WALLFILE --graph NAME --out FILE [--width IN --height IN --ppi N]\n";
        return std::nullopt;
    }
    return a;
}

int Run(const std::vector<std::string>& args)
{
    const auto a = Parse(args);
    if (!a)
        return ExitUsage;
    TResultGraphs graphs;
    TGraphPlot* graph = graphs.Find(a->graph);
    if (!graph) {
        std::cerr << "torvik-cli plot: unknown graph '" << a->graph
                  << "'; one of pltPY, pltDef, pltMom, pltShear, pltSoil, pltDMS, pltLD, PltCombine\n";
        return ExitUsage;
    }
    std::string error;
    if (!LoadWallResults(a->wallFile, graphs, error)) {
        std::cerr << "torvik-cli plot: " << error << "\n";
        return ExitBadInput;
    }
    ActivateCurves(*graph);
    const auto ranges = GraphRanges(*graph);
    if (!ranges) {
        std::cerr << "torvik-cli plot: the graph " << a->graph << " has no drawable range\n";
        return ExitBadInput;
    }
    // Drawing text needs a GUI application.
    return WithGuiApplication([&] {
        QString message;
        if (!TGraphExport::Save(*graph, *ranges, QString::fromStdString(a->out), a->width, a->height, a->ppi,
                                &message)) {
            std::cerr << "torvik-cli plot: " << message.toStdString() << "\n";
            return int(ExitBadInput);
        }
        return int(ExitOk);
    });
}

}  // namespace

TORVIK_PLOT_EXPORT int TorvikCliPlot(int argc, const char* const* argv)
{
    return RunModuleCommand("plot", Run, argc, argv);
}
