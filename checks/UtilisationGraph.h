#pragma once
#include "checks/DesignChecks.h"

class TGraphPlot;

// The utilisation of the section against depth, as a graph the program's
// graph painter draws: for every stage or case a bending and a shear curve,
// and the limit 1 as a vertical line. Depth grows downwards from the top of
// the wall in the units the result graphs show (ft for English walls, m for SI).
namespace checks {

// Fills `graph` (replacing its curves). Curves are named "Bending, <stage>" and
// "Shear, <stage>"; a stage without a value at any node has no curve. The limit
// line is the last curve. No curve at all when no stage has a utilisation.
void FillUtilisationGraph(TGraphPlot& graph, const DesignCheckReport& report);

}  // namespace checks
