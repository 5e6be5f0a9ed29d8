#pragma once
#include "engine/SectionRun.h"
#include "run/widgets/ReportPages.h"

#include <vector>

struct TResultSet;

// The summary of results in the calculation report.
namespace report {

struct OutputText;

// Per stage or case the largest deflection, moments and shear with their
// depths and the equilibrium residuals, the status of each analysis and of the
// run as the engine stated it, then the force of every spring and anchor.
// `values` are the analyses of the wall (LoadResultValues), one per stage of
// `results`; without them the residuals and the spring forces are left out.
void Summary(Pages& pages, const TResultSet& results, const OutputText& text, const std::vector<SectionRun>& values,
             const ColumnUnits& units);

}  // namespace report
