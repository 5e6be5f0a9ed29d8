#pragma once
#include "engine/WallModel.h"

// The wall with its soil strengths divided by a factor F, and the wall cut at a
// raised tip: the two variations of a wall that the design checks analyse.
namespace checks {

// The block with every soil strength divided by F: tan(phi') / F, c / F (clays
// and silt) and qu / F (rock), at the top and the bottom of every layer. The
// stiffness parameters (k, E50, Eir, krm, RQD) and unit weights stay as given.
// The generated earth pressure and the generated p-y curves both follow from
// these layers, so both see the reduced strengths; user-specified loads and
// external p-y curves do not depend on them and are not changed. F > 0.
WallBlock ReduceStrengths(const WallBlock& block, double factor);

// The divisors of each strength (and of the unit weight) apart, as the
// partial factors of a set of soil parameters give them; every one > 0.
struct StrengthDivisors {
    double tanPhi = 1;       // tan(phi')
    double cohesion = 1;     // c' of soils with friction and cohesion (silt)
    double undrained = 1;    // su of clays
    double compressive = 1;  // qu of rock
    double unitWeight = 1;   // the total unit weight of every soil
};

// The block with its strengths divided as ReduceStrengths does, each by its own divisor.
WallBlock DivideStrengths(const WallBlock& block, const StrengthDivisors& divisors);

// The block with its tip raised to `tipNode` (0 < tipNode <= n): the range
// tables (stiffness, loads, springs) expanded to the nodes that remain and
// given one row per node, restraints, external p-y curves and moment-EI rows
// below the new tip removed. The soil layers stay (they are given by depth).
WallBlock CutAtTip(const WallBlock& block, int tipNode);

}  // namespace checks
