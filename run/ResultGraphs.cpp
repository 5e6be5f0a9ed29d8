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
    g.SetUnits(UnitSystem::English);
}

}  // namespace

std::string MomentAxisCaption(bool english, const std::string& basis)
{
    return std::string(english ? "Bending Moment (in-kips" : "Bending Moment (m-kN") + basis + ")";
}

TResultGraphs::TResultGraphs()
{
    Define(PyCurves, {"p-y Curves", "Depth", "y", "L", "p", "F/L", false});
    Define(Deflection, {"Deflection vs Depth", "Load #", "Deflection", "L", "Depth", "", true});
    Define(Moment, {"Moment Depth", "Load #", "Bending Moment", "", "Depth", "", true});
    Define(Shear, {"Shear vs Depth", "Load #", "Shear", "", "Depth", "", true});
    // The engine writes the soil reaction per unit length of wall.
    Define(SoilReaction, {"Soil Reaction vs Depth", "Load #", "Reaction", "F/L", "Depth", "", true});
    Define(EarthPressure, {"Load vs Top Deflection", "Curve #", "Distributed load", "F/L", "Depth", "", true});
    Define(CombinedPressure, {"", "Curve #", "", "F/L", "Depth", "L2", true});
    Define(DeflectionMomentShear, {"Deflection, Moment, Shear vs Depth", "Curve #", "Deflection", "L", "Depth", "", true});
    // The windows are called as the Graphics menu calls the graphs.
    PyCurves.Name = "p-y Curves";
    Deflection.Name = "Deflection vs Depth";
    Moment.Name = "Moment vs Depth";
    Shear.Name = "Shear vs Depth";
    SoilReaction.Name = "Reaction vs Depth";
    DeflectionMomentShear.Name = "Deflection, Moment and Shear";
    EarthPressure.Name = "Earth Pressure Distribution";
    CombinedPressure.Name = "Earth Pressure Combined";
}

std::vector<std::pair<std::string, TGraphPlot*>> TResultGraphs::All()
{
    return {{"pltPY", &PyCurves},       {"pltDef", &Deflection}, {"pltMom", &Moment},         {"pltShear", &Shear},
            {"pltSoil", &SoilReaction},   {"pltDMS", &DeflectionMomentShear}, {"pltLD", &EarthPressure},           {"PltCombine", &CombinedPressure}};
}

TGraphPlot* TResultGraphs::Find(const std::string& name)
{
    for (auto& [n, g] : All())
        if (n == name)
            return g;
    return nullptr;
}

void TResultGraphs::SetWindowFactory(const TGraphWindowFactory& factory)
{
    for (auto& [name, graph] : All())
        graph->SetWindowFactory(factory);
}
