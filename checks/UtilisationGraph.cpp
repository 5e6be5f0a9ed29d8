#include "checks/UtilisationGraph.h"

#include "graph/GraphPlot.h"
#include "units/QuantityLabels.h"

#include <algorithm>

namespace checks {

namespace {

void AddCurve(TGraphPlot& graph, const std::string& name, const std::vector<TFloatPoint>& points)
{
    graph.SetLineCount(graph.LineCount() + 1);
    TLine& line = graph.Lines(graph.LineCount() - 1);
    line.Name = name;
    line.Points = points;
}

std::vector<TFloatPoint> Curve(const StageCheck& s, std::optional<double> NodeUtilisation::*which, double scale)
{
    std::vector<TFloatPoint> points;
    for (const NodeUtilisation& n : s.nodes)
        if (n.*which)
            points.push_back({static_cast<long double>(*(n.*which)), static_cast<long double>(n.depth * scale)});
    return points;
}

}  // namespace

void FillUtilisationGraph(TGraphPlot& graph, const DesignCheckReport& report)
{
    // Depths as the result graphs show them (feet for the inches of English walls).
    const QuantityLabels& labels = QuantityLabelsOf(report.unitSystem);
    const double scale = labels.depthFactor;
    graph.SetLineCount(0);
    graph.Caption = "Utilisation";
    graph.CurveName = "Curve #";
    graph.XOnTop = true;
    graph.ShowThree = false;
    graph.ShowLegend = true;
    graph.Markers = 0;
    graph.XCaption = "Utilisation (-)";
    graph.YCaption = std::string("Depth (") + labels.depth + ")";
    graph.XUnits = graph.YUnits = "";
    graph.SetUnits(report.unitSystem);
    double top = 0, bottom = 0;
    bool any = false;
    for (const StageCheck& s : report.stages)
        for (const auto& [which, kind] : {std::pair{&NodeUtilisation::bending, "Bending, "},
                                          std::pair{&NodeUtilisation::shear, "Shear, "}}) {
            const std::vector<TFloatPoint> points = Curve(s, which, scale);
            if (points.empty())
                continue;
            top = any ? std::min(top, double(points.front().Y)) : double(points.front().Y);
            bottom = any ? std::max(bottom, double(points.back().Y)) : double(points.back().Y);
            any = true;
            AddCurve(graph, kind + s.heading, points);
        }
    if (any)
        AddCurve(graph, "Limit 1", {{1, static_cast<long double>(top)}, {1, static_cast<long double>(bottom)}});
}

}  // namespace checks
