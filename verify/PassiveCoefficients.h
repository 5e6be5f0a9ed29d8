#pragma once
// The passive limit of a rough wall against the published tables of the
// passive earth pressure coefficient.
#include "verify/Verification.h"

#include <vector>

// The passive limit that the engine puts on the p-y curves of a sand against a
// rough vertical wall under level ground, per unit effective vertical stress
// and inclined at delta (Kp / cos(delta)), against Kerisel and Absi (1990),
// for phi' = 30 and 40 degrees and delta/phi' = 1/3, 2/3 and 1. Each case is
// held to half a unit of the table's second significant figure.
void PassiveCoefficients(std::vector<VerificationCase>& out);
