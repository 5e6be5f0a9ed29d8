// torvik-cli graphs WALLFILE: the result graphs of a wall as JSON, the
// program's results export for scripts.
#include "cli/Command.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"
#include "units/Units.h"
#include "units/ValueRange.h"

#include <nlohmann/json.hpp>

#include <iostream>

namespace {

nlohmann::ordered_json LineList(const TGraphPlot::LineList& lines)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& line : lines) {
        nlohmann::ordered_json points = nlohmann::ordered_json::array();
        for (const TFloatPoint& p : line->Points)
            points.push_back({ToDoubleChecked(p.X), ToDoubleChecked(p.Y)});
        list.push_back({{"Name", line->GetName()}, {"Value", ToDoubleChecked(line->Value)}, {"Points", points}});
    }
    return list;
}

nlohmann::ordered_json Graph(const TGraphPlot& g)
{
    return {{"Caption", g.Caption}, {"XCaption", g.XCaption},         {"YCaption", g.YCaption},
            {"XUnits", g.XUnits},   {"YUnits", g.YUnits},             {"Units", UnitSystemCode(g.Units())},
            {"Lines", LineList(g.LineList1())}, {"Lines2", LineList(g.LineList2())},
            {"Lines3", LineList(g.LineList3())}, {"Layers", LineList(g.LayerList())}};
}

int Run(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::cerr << "Usage: torvik-cli graphs WALLFILE\n";
        return ExitUsage;
    }
    TResultGraphs graphs;
    std::string error;
    if (!LoadWallResults(args[0], graphs, error)) {
        std::cerr << "torvik-cli graphs: " << error << "\n";
        return ExitBadInput;
    }
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    for (auto& [name, graph] : graphs.All())
        out[name] = Graph(*graph);
    std::cout << out.dump(2) << "\n";
    return ExitOk;
}

const CommandRegistration registration({"graphs", "WALLFILE",
                                        "the result graphs of a wall (from its plot data file) as JSON", Run});

}  // namespace
