#include "run/ResultGraphs.h"

namespace {

struct GraphDefinition {
    const char* caption;
    const char* curveName;
    const char* xCaption;
    const char* xUnits;
    const char* yCaption;
    const char* yUnits;
    bool xOnTop;
};

void Define(TGraphPlot& g, const GraphDefinition& d)
{
    g.Caption = d.caption;
    g.CurveName = d.curveName;
    g.XCaption = d.xCaption;
    g.XUnits = d.xUnits;
    g.YCaption = d.yCaption;
    g.YUnits = d.yUnits;
    g.XOnTop = d.xOnTop;
    g.ShowLegend = true;
    g.SetUnits(1);
}

}  // namespace

std::string MomentAxisCaption(bool english)
{
    return english ? "Bending Moment (in-kips)" : "Bending Moment (m-kN)";
}

TResultGraphs::TResultGraphs()
{
    Define(pltPY, {"p-y Curves", "Depth", "y", "L", "p", "F/L", false});
    Define(pltDef, {"Deflection vs Depth", "Load #", "Deflection", "L", "Depth", "", true});
    Define(pltMom, {"Moment Depth", "Load #", "Bending Moment", "", "Depth", "", true});
    Define(pltShear, {"Shear vs Depth", "Load #", "Shear", "", "Depth", "", true});
    // The engine writes the soil reaction per unit length of wall.
    Define(pltSoil, {"Soil Reaction vs Depth", "Load #", "Reaction", "F/L", "Depth", "", true});
    Define(pltLD, {"Load vs Top Deflection", "Curve #", "Distributed load", "F/L", "Depth", "", true});
    Define(PltCombine, {"", "Curve #", "", "F/L", "Depth", "L2", true});
    Define(pltDMS, {"Deflection, Moment, Shear vs Depth", "Curve #", "Deflection", "L", "Depth", "", true});
}

std::vector<std::pair<std::string, TGraphPlot*>> TResultGraphs::All()
{
    return {{"pltPY", &pltPY},       {"pltDef", &pltDef}, {"pltMom", &pltMom},         {"pltShear", &pltShear},
            {"pltSoil", &pltSoil},   {"pltDMS", &pltDMS}, {"pltLD", &pltLD},           {"PltCombine", &PltCombine}};
}

TGraphPlot* TResultGraphs::Find(const std::string& name)
{
    for (auto& [n, g] : All())
        if (n == name)
            return g;
    return nullptr;
}
