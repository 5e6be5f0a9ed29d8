#pragma once
#include "engine/SectionRun.h"
#include "run/widgets/ReportPages.h"

#include <vector>

class TResultGraphs;
struct TResultSet;

// The pages of the calculation report that show the analyses themselves.
namespace report {

struct OutputText;

// Result tables longer than this show every few rows and the extremes.
constexpr int ReadableRowCount = 36;

// The method as the engine states it, and the input error of the run if any.
void Method(Pages& pages, const OutputText& text);

// The pages of analysis `k`: the input the engine used and the choices it made
// (the blocks of its output text as it wrote them, each coded option named from
// the analysis in `values` when there is one), the iterations, maxima, forces,
// reactions, equilibrium and warnings, the table of results along the wall and
// the graphs.
void Stage(Pages& pages, size_t k, const TResultSet& results, const OutputText& text,
           const std::vector<SectionRun>& values, TResultGraphs& graphs, const ColumnUnits& units);

}  // namespace report
