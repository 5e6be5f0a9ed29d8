#pragma once
#include "run/widgets/ReportPages.h"

#include <string>

struct TResultSet;

// The envelope of the stages in the calculation report of a staged wall.
namespace report {

// The largest and smallest deflection, moment and shear at each depth over
// all stages with the stage that gives each, as a table and a graph.
// `basis` (StripBasis) names the strip in the graph's moment and shear axes.
void Envelope(Pages& pages, const TResultSet& results, const ColumnUnits& units, const std::string& basis,
              int readableRows);

}  // namespace report
