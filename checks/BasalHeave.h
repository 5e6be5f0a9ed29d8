#pragma once
#include "engine/WallModel.h"
#include "model/ExcavationSettings.h"

#include <optional>
#include <string>
#include <vector>

// The stability of the base of an excavation in clay against heave: the clay
// beside the wall sinks under the weight of the retained soil and squeezes up
// into the excavation. Undrained, in total stresses:
//  - wide, shallow excavations (H/B < 1): Terzaghi (1943), a column of width
//    B1 = B / sqrt(2) (or the depth of a firm layer below the base where that is
//    less) bearing on the clay with Nc = 5.7, eased by the shear su H on its side:
//    F = Nc su_b / (gamma H + q - p_w - su_s H / B1);
//  - narrow, deep ones (H/B >= 1): Bjerrum and Eide (1956), the base as a deep
//    footing with Skempton's (1951) factor Nc = 5 (1 + 0.2 H/B) (1 + 0.2 B/L),
//    H/B at most 2.5: F = Nc su_b / (gamma H + q - p_w).
// su_b is the mean undrained strength of the clay below the base (over B1 for
// Terzaghi, over B for Bjerrum and Eide, down to a firm layer at most), su_s the
// mean cohesion of the retained side above it, p_w the water standing in the
// excavation. Plane strain when the length is not given (B/L = 0).
namespace checks {

struct BasalHeave {
    std::string method;                // "Terzaghi (1943)" or "Bjerrum and Eide (1956)"
    double bearingFactor = 0;          // Nc
    double baseStrength = 0;           // su_b (F/L^2)
    double load = 0;                   // gamma H + q - p_w, before the side shear (F/L^2)
    std::optional<double> factor;      // empty when the side shear alone holds the column
    double target = 1.5;
    bool passed = false;
};

// The check of one block with the excavation's plan in the block's units. Empty
// when it is not made: without the width, silently (the check is asked for by
// giving it); otherwise `notes` says why (no excavation, no clay at the base,
// no soil layers).
std::optional<BasalHeave> CheckBasalHeave(const WallBlock& block, const TExcavationSettings& excavation,
                                          std::vector<std::string>& notes);

}  // namespace checks
