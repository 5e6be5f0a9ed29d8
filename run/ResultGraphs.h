#pragma once
#include "graph/GraphPlot.h"

#include <string>
#include <utility>
#include <vector>

// The caption of the bending moment axis of every result graph: one label
// for the quantity in every graph window ("Bending Moment (in-kips)" in
// English units, "Bending Moment (m-kN)" otherwise), the strip's basis
// (StripBasis: "/m", " per 2.5 m strip") after the unit.
std::string MomentAxisCaption(bool english, const std::string& basis = std::string());

// The eight result graphs of the main window, with the captions, unit
// templates and curve names each is defined with. They live as long as the
// main window; only their lines and points change when a plot data file is read.
class TResultGraphs {
public:
    TResultGraphs();
    TResultGraphs(const TResultGraphs&) = delete;
    TResultGraphs& operator=(const TResultGraphs&) = delete;

    // Each graph is named by what it shows; its component name, which
    // torvik-cli and the plot data take, follows in the comment.
    TGraphPlot PyCurves;               // "pltPY": p-y curves of the last section
    TGraphPlot Deflection;             // "pltDef": deflection against depth
    TGraphPlot Moment;                 // "pltMom": bending moment against depth
    TGraphPlot Shear;                  // "pltShear": shear against depth
    TGraphPlot SoilReaction;           // "pltSoil": soil reaction (per unit length of wall) against depth
    TGraphPlot EarthPressure;          // "pltLD": total earth pressure against depth, one line per section
    TGraphPlot CombinedPressure;       // "PltCombine": the three earth-pressure distributions of section 1
    TGraphPlot DeflectionMomentShear;  // "pltDMS": deflection, moment and shear side by side, with the soil strip

    // Every graph with its component name, in menu order.
    std::vector<std::pair<std::string, TGraphPlot*>> All();
    // The graph of a component name ("pltPY", ...; case matters), or nullptr.
    TGraphPlot* Find(const std::string& name);
    // Installs the factory that opens the window of each of these graphs.
    void SetWindowFactory(const TGraphWindowFactory& factory);
};
