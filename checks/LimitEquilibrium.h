#pragma once
#include "engine/PoreWater.h"
#include "engine/WallModel.h"

#include <optional>
#include <string>
#include <vector>

// A classic limit-equilibrium estimate beside the p-y analysis: the conventional
// method of USACE EM 1110-2-2504 (Design of Sheet Pile Walls, 1994) for
// cantilever walls, its free-earth-support method for walls with a single
// anchor, and for several anchors or struts the hinge method of FHWA GEC-4 (the
// embedment below the lowest support by free earth support about it). The factor of safety divides tan(phi') and c on both sides of the wall
// (tan(phi_d) = tan(phi') / F, c_d = c / F); Rankine's coefficients without wall
// friction (or, with the wall friction of the settings, Coulomb's Ka and the
// curved-surface Kp), active pressure not below 0, still water below the water depths of the wall file
// unless the stage's water regime says otherwise (seepage runs round the
// required tip, found again until it stays).
namespace checks {

struct LimitEquilibrium {
    std::string method;                        // the method applied, or the one that would apply
    std::optional<double> requiredEmbedment;   // below the excavation level (L)
    std::optional<double> anchorForce;         // per the wall's width (F), anchored walls only
    std::optional<int> anchorNode;
    // The largest bending moment of the limit-equilibrium solution with the
    // strengths unfactored (F = 1, the embedment that balances the wall then),
    // per the analysed strip (F-L); `basis` its suffix ("/m", " per 2.5 m strip").
    std::optional<double> largestMoment;
    std::string basis;
    std::vector<std::string> notes;  // why a value is missing, and what the estimate leaves out
};

// The estimate for one block with the factor F on tan(phi') and c. Walls outside
// the method's scope (no generated pressure, rock, sloping backfill, surcharge
// loads other than the uniform one, loads or restraints on the wall, more than
// an anchor at or below the excavation, spaced units) get notes saying so instead of numbers.
LimitEquilibrium EstimateLimitEquilibrium(const WallBlock& block, double factor,
                                          const engine::PoreWaterInput& water = {});

}  // namespace checks
