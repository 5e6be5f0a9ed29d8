#pragma once
#include "model/WallSettings.h"

#include <optional>

// How much of a steel section's elastic resistance a bending moment or a shear
// force uses. Moments, forces and section properties are in one consistent set
// of units (those of the data file: lb, in for English walls, kN, m for SI) and
// on the same basis (per unit width of a continuous wall, or per pile).
//
// Bending: |M| / (fy W_eff), first yield of the extreme fibre, W_eff = W (1 - loss/100).
// Shear: |V| / (A_v,eff fy / sqrt(3)), the plastic shear resistance of the
// shear area at the von Mises shear yield stress fy / sqrt(3) (EN 1993-1-1,
// 6.2.6 (2), with the partial factor 1), A_v,eff = A_v (1 - loss/100).
// Both are empty when the section lacks the property they need.

// The section modulus left after corrosion; 0 when not given.
double EffectiveModulus(const TSectionSettings& section);
// The shear area left after corrosion; 0 when not given.
double EffectiveShearArea(const TSectionSettings& section);

// |M| / (fy W_eff); empty without W or fy, or when corrosion left nothing.
std::optional<double> BendingUtilisation(double moment, const TSectionSettings& section);
// |V| / (A_v,eff fy / sqrt(3)); empty without A_v or fy, or when corrosion left nothing.
std::optional<double> ShearUtilisation(double shear, const TSectionSettings& section);
