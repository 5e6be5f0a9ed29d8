#pragma once
#include <array>
#include <string>

// Unit systems and dimension strings. Every real input carries a dimension
// string such as "F/L2^3" (force over cubic length); from it come the factor
// that converts the value between English and SI units and the label shown
// next to it.

// The unit systems. Files store them as the integers 1, 2 and 3.
enum class UnitSystem : int { English = 1, SI = 2, Generic = 3 };

// The integer a file stores for a unit system.
constexpr int UnitSystemCode(UnitSystem system)
{
    return static_cast<int>(system);
}

// One basic unit code with its label per system and its factor, the number of
// English units in one SI unit.
struct BasicUnit {
    const char* code;
    std::array<const char*, 3> labels;  // English, SI, generic
    long double factor;
};

// The ten basic unit codes in their stored order: F, F1, F2, L, L1, L2, F4, F5, L3, F6.
const std::array<BasicUnit, 10>& BasicUnits();

// The unit system of a stored integer brought into 1..3: values below 1 count
// as English, above 3 as generic.
UnitSystem NormalizeUnitSystem(int code);

// The factor of a dimension string (English units per SI unit); 1 for an empty
// string or a plain word.
long double DimensionFactor(const std::string& dimension);

// The multiplier converting a value of `dimension` from one unit system to
// another; 1 for the same system and for any conversion to or from generic units.
long double ConversionFactor(UnitSystem fromSystem, UnitSystem toSystem, const std::string& dimension);

// The label of a dimension string in a unit system, as the input tables show it.
std::string UnitLabel(const std::string& dimension, UnitSystem system);

// The label of an entry field's units string: only the first force code and the
// first length code found are replaced; generic units show the string itself.
std::string EntryUnitLabel(const std::string& units, UnitSystem system);

// The label of a choice-list field's units string: every "F" becomes the force
// label and every "L" the length label of the system; generic units show the
// string itself.
std::string ComboUnitLabel(const std::string& units, UnitSystem system);
