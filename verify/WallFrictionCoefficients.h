#pragma once
// The earth pressure coefficients of a rough wall against their published
// tables.
#include "verify/Verification.h"

#include <vector>

// The active coefficient that the engine's generated earth pressure uses
// (Coulomb's, with wall friction), inclined at delta (Ka / cos(delta)), for a
// vertical wall and level ground with delta = 2 phi'/3, against the table of
// Das, Principles of Geotechnical Engineering, at phi' = 28, 30 and 32 degrees,
// held to half a unit of the table's fourth decimal.
//
// The passive limit that the engine puts on the p-y curves of a sand against a
// rough vertical wall under level ground, per unit effective vertical stress
// and inclined at delta (Kp / cos(delta)), against Kerisel and Absi (1990),
// for phi' = 30 and 40 degrees and delta/phi' = 1/3, 2/3 and 1, held to half
// a unit of the table's second significant figure.
void WallFrictionCoefficients(std::vector<VerificationCase>& out);
