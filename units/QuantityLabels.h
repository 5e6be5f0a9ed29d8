#pragma once
#include <string>

#include "units/Units.h"

// The labels of the quantities that the engine's output text, its p-y curve
// descriptions and the program's result tables write beside their values, per
// unit system: the one table they all take them from.

// The labels of one unit system. Lengths of the wall file are inches in English
// units; depths are shown in feet there. The plot data file's results give
// English forces in kips.
struct QuantityLabels {
    const char* system;          // the system as the output text names it
    double depthFactor;          // file length -> depth as shown (1/12 in English units)
    const char* depth;           // ft, m, L
    const char* length;          // in, m, L
    const char* force;           // lb, kN, F
    const char* moment;          // lb-in, kN-m, F-L
    const char* forcePerLength;  // lb/in, kN/m, F/L
    const char* ei;              // lb-in^2, kN-m^2, F-L^2
    const char* stress;          // lb/in^2, kN/m^2, F/L^2
    const char* unitWeight;      // lb/in^3, kN/m^3, F/L^3
    const char* resultForce;     // kips, kN, F: the shear of the result tables
    const char* resultMoment;    // in-kips, kN-m, F-L: the moment of the result tables
};

// The labels of a unit system.
const QuantityLabels& QuantityLabelsOf(UnitSystem unitSystem);

// The basis of the forces, moments and shears of an analysis, as a suffix to
// their unit: the analysis is of a strip of wall `stripWidth` wide (in the
// file's length unit; the active width Wa of generated earth pressure, else one
// length unit), so its results are per that strip. One foot (12 in), one metre
// or one length unit reads as a rate ("/ft", "/m", "/L"; "kN-m/m"); any other
// width names the strip (" per 2.5 m strip"; "kN-m per 2.5 m strip").
std::string StripBasis(UnitSystem unitSystem, double stripWidth);

// The same basis for a quantity that is already per unit length of the wall's
// height (a soil reaction, a distributed load, "kN/m"): " per m of width"
// where StripBasis gives a rate ("kN/m per m of width"), else the strip
// (" per 2.5 m strip").
std::string StripBasisPerLength(UnitSystem unitSystem, double stripWidth);
