#pragma once
#include <array>

// The kinds of soil the program knows, and everything each layer of the
// program needs to know about one: its code in the data file, how its
// parameter lines map to its parameter table, its names as the program shows
// them, the strengths it is described by and its tint in the profile view.
// A new kind of soil is a new enumerator and a new row of the table below
// (with its parameter template and choice in the table catalogue, and its
// p-y curve in the engine).

// A kind of soil, numbered by its code in the data file (the soil-type choice
// of a layer row, 1-based in the order of the table).
enum class SoilType : int {
    SoftClay = 1,
    StiffClayFreeWater = 2,
    StiffClayNoFreeWater = 3,
    Sand = 4,
    Silt = 5,
    StrongRock = 6,
    WeakRock = 7
};

// The strengths a kind of soil is described by.
struct SoilStrengths {
    bool Friction = false;  // a friction angle phi (sand, silt)
    bool Cohesion = false;  // a cohesion c (clays, silt)
    bool Undrained = false;  // the cohesion is an undrained shear strength: phi = 0, Ka = 1 (clays)
    bool Rock = false;  // a uniaxial compressive strength qu instead of c and phi (rocks)
};

// A colour as plain red, green and blue, 0 to 255.
struct SoilTint {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
};

// The six positions of a parameter line of the data file.
enum SoilLinePosition : int {
    kLineUnitWeight = 0,  // total unit weight gamma
    kLineStrength = 1,  // cohesion c or compressive strength qu
    kLineFriction = 2,  // friction angle phi
    kLineStrain = 3,  // E50 or krm
    kLineModulus = 4,  // k(py) or the rock's elastic modulus Eir
    kLineRqd = 5,  // RQD
    kLinePositions = 6
};

// The five values of a parameter line of the version 2.0 layout.
constexpr int kVersion20Values = 5;

// Everything the program knows about one kind of soil.
struct SoilTypeTraits {
    SoilType Type;
    // Name of the layer's parameter table (its template in the table catalogue),
    // which also keys the file unit factors.
    const char* Template;
    // The template column at each position of a parameter line; -1 where the
    // line holds a 0 in the place of a value this kind of soil lacks.
    std::array<int, kLinePositions> LineColumns;
    // Whether the version 2.0 layout has a parameter line for this kind: one
    // line for the whole layer, its values at the first kVersion20Values positions.
    bool HasVersion20Line;
    SoilStrengths Strengths;
    const char* Name;  // as the soil layers table, the output text and messages show it
    const char* ProfileName;  // as the profile view labels a layer
    const char* StripName;  // the soil strip of the deflection, moment and shear graph
    int StripCode;  // the strip's code for the kind's pattern there
    SoilTint Tint;  // light, so that lines and texts on it stay legible
};

// The lowest and highest code of a kind of soil.
constexpr int kFirstSoilCode = 1;
constexpr int kLastSoilCode = 7;

// The kinds of soil, in the order of their codes.
const std::array<SoilTypeTraits, kLastSoilCode - kFirstSoilCode + 1>& SoilTypeTable();

// The tint of a layer whose code names no kind of soil.
constexpr SoilTint kUnknownSoilTint{228, 224, 210};

// The code of a kind of soil in the data file.
constexpr int SoilCode(SoilType type)
{
    return static_cast<int>(type);
}

// The traits of a kind of soil.
const SoilTypeTraits& TraitsOf(SoilType type);

// The traits of the kind of soil with file code `code`; nullptr for a code
// that names none.
const SoilTypeTraits* FindSoilType(int code);
