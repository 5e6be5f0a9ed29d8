#pragma once
#include "engine/SoilLayer.h"
#include "model/WallSettings.h"

#include <cstddef>
#include <vector>

// Earth-pressure coefficients of a rough vertical wall, as the horizontal
// component of the pressure per unit vertical effective stress. Angles in
// degrees.
namespace engine {

// Rankine's passive coefficient of a smooth wall, tan^2(45 + phi/2).
double RankinePassiveCoefficient(double phi);

// Coulomb's active coefficient of a vertical wall with wall friction delta and
// a backfill slope beta, horizontal component:
// cos^2(phi) / [1 + sqrt(sin(phi + delta) sin(phi - beta) / (cos(delta) cos(beta)))]^2.
// 0 <= phi < 90, 0 <= delta <= phi, beta <= phi when phi > 0.
double CoulombActiveCoefficient(double phi, double beta, double delta);

// The passive coefficient of a vertical wall with wall friction delta under a
// horizontal ground surface, normal (horizontal) component, for the soil's
// weight: the slip-line field of SlipLinePassiveCoefficient, the solution that
// the tables of Caquot and Kerisel (1948) and Kerisel and Absi (1990) give.
// Each process solves the field once per node of a table in phi (every degree
// to 50) and Delta = asin(sin(delta) / sin(phi)) (every 10 degrees) and
// interpolates ln K between them, within 2E-4 of the field solved at the point
// for phi <= 45 degrees. Above 50 degrees, where the field converges too
// slowly toward the rough wall, it is the closed form of EN 1997-1, Annex C,
// C.2 for a weightless soil, which lies below it.
// Valid for 0 <= delta <= phi; Rankine's tan^2(45 + phi/2) for delta = 0.
double CurvedSurfacePassiveCoefficient(double phi, double delta);

// The factor of the cohesion term with adhesion a = ratio x c on the wall:
// 2 sqrt(K (1 + a/c)), the form of the usual texts for both the active and
// the passive side (2 sqrt(K) for a smooth wall).
double CohesionFactor(double k, double adhesionRatio);

// The contact of each of `layerCount` layers with the wall from the wall's
// settings (smooth where they give none); empty when every layer is smooth.
// Entries for layers beyond the count are ignored.
std::vector<WallContact> WallContactByLayer(const TWallSettings& settings, std::size_t layerCount);

// The layers with their contact from the settings.
void ApplyWallContact(std::vector<SoilLayer>& layers, const TWallSettings& settings);

}  // namespace engine
