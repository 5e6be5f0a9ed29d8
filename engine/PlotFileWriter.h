#pragma once
#include "engine/SectionRun.h"

#include <string>
#include <vector>

// The plot data file that the program reads into its result graphs: per section
// the load at every node, the unit flag, p-y curves below the excavation, the
// number of sections and the results at every node, all in the file's units.
class PlotFileWriter {
public:
    // The most p-y curves of one section, and the points of each.
    static constexpr int MaxCurves = 50;
    static constexpr int CurvePoints = 41;

    // The text of the file for sections that all have usable results;
    // TorvikError when a value is not finite (nothing is then written).
    static std::string Text(const std::vector<SectionRun>& sections);
    // Nodes whose p-y curves the file shows: up to 50, evenly spaced from the
    // first node below the excavation to the tip, among nodes that have a curve.
    static std::vector<int> CurveNodes(const SectionInput& input);
    // The half-range of a curve's deflections: the larger of twice the largest
    // deflection of the wall and the curve's ultimate deflection, capped at the
    // maximum allowable deflection.
    static double CurveRange(const SectionInput& input, const SectionResult& result, int node);
};
