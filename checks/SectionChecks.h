#pragma once
#include "engine/SectionResult.h"
#include "model/WallSettings.h"

#include <optional>
#include <string>
#include <vector>

// The bending and shear utilisation of the wall's steel section along the
// wall, from the moments and shears of one analysis and the sections of the
// wall's settings (in the units of the data file).
namespace checks {

// The utilisations at one node; empty where the section lacks the data.
struct NodeUtilisation {
    int node = 0;
    double depth = 0;  // below the top of the wall, in the units of the data file
    std::optional<double> bending, shear;
};

// The largest utilisation along the wall and the depth where it occurs.
struct LargestUtilisation {
    std::optional<double> value;
    double depth = 0;
};

// The utilisations at every node of `result`. The bending moment of a node is
// the larger of the moments just above and below it where a couple acts.
std::vector<NodeUtilisation> SectionUtilisations(const SectionResult& result, const TWallSettings& settings);

// The largest bending or shear utilisation of the nodes (the shallowest of equal ones).
LargestUtilisation LargestBending(const std::vector<NodeUtilisation>& nodes);
LargestUtilisation LargestShear(const std::vector<NodeUtilisation>& nodes);

// |M| at node m of `result`, the larger of the moments on both sides where a couple acts.
double LargestMomentAt(const SectionResult& result, std::size_t m);

// The largest |y| along the wall.
double LargestDeflection(const SectionResult& result);

// A utilisation passes up to 1; one not checked does not fail.
inline bool Within(const std::optional<double>& utilisation) { return !utilisation || *utilisation <= 1; }

// Why a check of the section is missing or covers only part of the wall; none
// when both checks cover every node.
std::vector<std::string> SectionNotes(const std::vector<NodeUtilisation>& nodes);

}  // namespace checks
