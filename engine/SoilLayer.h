#pragma once
#include "model/SoilType.h"

#include <array>
#include <string>
#include <vector>

#include "units/Units.h"

// Soil layers as the wall data file gives them, in the file's units (English:
// in, lb, lb/in^3, lb/in^2; SI: m, kN, kN/m^3, kN/m^2; other: consistent L, F).
namespace engine {

// Soil type, numbered as the file's soil-type choice: the program's kinds of soil.
using SoilType = ::SoilType;

// The parameters of one soil at one depth (the top or the bottom of a layer).
// A field the soil type does not have stays 0.
struct SoilParameters {
    double unitWeight = 0;          // total unit weight gamma (F/L^3), every type
    double cohesion = 0;            // undrained cohesion c (F/L^2): clays and silt
    double frictionAngle = 0;       // friction angle phi (degrees): sand and silt
    double e50 = 0;                 // strain at half the peak stress, eps50: clays and silt
    double kpy = 0;                 // initial modulus k(py) (F/L^3): clays, sand, silt
    double compressiveStrength = 0; // uniaxial compressive strength qu (F/L^2): rocks
    double krm = 0;                 // strain constant krm: weak rock
    double rockModulus = 0;         // initial elastic modulus Eir (F/L^2): weak rock
    double rqd = 0;                 // rock quality designation RQD (%): weak rock
};

// The contact of a layer with the wall: the wall friction delta = frictionRatio x phi'
// (0 <= frictionRatio <= 1) and the adhesion a = adhesionRatio x c (0 to 0.5). Both
// 0 (a smooth wall) unless the wall's settings give them.
struct WallContact {
    double frictionRatio = 0;
    double adhesionRatio = 0;
    bool Smooth() const { return frictionRatio == 0 && adhesionRatio == 0; }
};

// One layer: from the bottom of the layer above (or the top of the wall) down to
// bottomDepth; its parameters vary linearly from `top` to `bottom` with depth.
struct SoilLayer {
    SoilType type = SoilType::SoftClay;
    double bottomDepth = 0;   // depth of the layer's bottom below the top of the wall (L)
    SoilParameters top;       // first parameter row of the file
    SoilParameters bottom;    // second parameter row of the file
    WallContact contact;      // from the wall's settings, not from the file
};

// The parameters of a parameter line of the file: its six positions (unit weight,
// cohesion or qu, friction angle, E50 or krm, k or Eir, RQD) taken as the soil
// type uses them; positions the type does not use are ignored.
SoilParameters SoilParametersFromLine(SoilType type, const std::array<double, 6>& positions);

// The kind of soil of a file code (kFirstSoilCode to kLastSoilCode); throws
// TorvikError naming the layer otherwise.
SoilType SoilTypeFromChoice(int choice, int layerNumber);

// The program's name of a soil type, e.g. "Stiff Clay with Free Water".
std::string SoilTypeName(SoilType type);

// True for the three clays (undrained: phi = 0, Ka = 1).
bool IsClay(SoilType type);

// True for strong and weak rock (no active pressure of their own).
bool IsRock(SoilType type);

// Unit weight of water in the file's units: 62.4 lb/ft^3 (English, as lb/in^3),
// 9.81 kN/m^3 (SI); 0 for the generic system, which has none.
double UnitWeightOfWater(UnitSystem unitSystem);

// Unit labels for the output text: length, force per length, stress, unit weight.
struct UnitLabels {
    std::string length;
    std::string forcePerLength;
    std::string stress;
    std::string unitWeight;
};

// The labels of the file's units: "in", "lb/in", "lb/in^2", "lb/in^3" (English);
// "m", "kN/m", "kN/m^2", "kN/m^3" (SI); "L", "F/L", "F/L^2", "F/L^3" (other).
UnitLabels UnitLabelsFor(UnitSystem unitSystem);

}  // namespace engine
