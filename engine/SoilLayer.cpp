#include "engine/SoilLayer.h"

#include "units/QuantityLabels.h"
#include "units/TorvikError.h"
#include "units/Units.h"

namespace engine {

SoilParameters SoilParametersFromLine(SoilType type, const std::array<double, 6>& v)
{
    // A position the kind of soil has no table column for is not read; position 1
    // is the compressive strength of rock and the cohesion of any other soil,
    // positions 3 and 4 the rock's krm and modulus or the soil's E50 and k(py).
    const SoilTypeTraits& traits = TraitsOf(type);
    auto has = [&](int position) { return traits.LineColumns[static_cast<std::size_t>(position)] >= 0; };
    SoilParameters p;
    p.unitWeight = v[kLineUnitWeight];
    if (traits.Strengths.Rock) {
        p.compressiveStrength = has(kLineStrength) ? v[kLineStrength] : 0;
        p.krm = has(kLineStrain) ? v[kLineStrain] : 0;
        p.rockModulus = has(kLineModulus) ? v[kLineModulus] : 0;
        p.rqd = has(kLineRqd) ? v[kLineRqd] : 0;
    } else {
        p.cohesion = has(kLineStrength) ? v[kLineStrength] : 0;
        p.frictionAngle = has(kLineFriction) ? v[kLineFriction] : 0;
        p.e50 = has(kLineStrain) ? v[kLineStrain] : 0;
        p.kpy = has(kLineModulus) ? v[kLineModulus] : 0;
    }
    return p;
}

SoilType SoilTypeFromChoice(int choice, int layerNumber)
{
    const SoilTypeTraits* traits = FindSoilType(choice);
    if (!traits)
        throw TorvikError("Soil layer " + std::to_string(layerNumber) + ": the soil type " + std::to_string(choice) +
                          " is not one of " + std::to_string(kFirstSoilCode) + " to " + std::to_string(kLastSoilCode) +
                          ".");
    return traits->Type;
}

std::string SoilTypeName(SoilType type)
{
    const SoilTypeTraits* traits = FindSoilType(SoilCode(type));
    return traits ? traits->Name : "Unknown";
}

bool IsClay(SoilType type)
{
    return TraitsOf(type).Strengths.Undrained;
}

bool IsRock(SoilType type)
{
    return TraitsOf(type).Strengths.Rock;
}

double UnitWeightOfWater(UnitSystem unitSystem)
{
    if (unitSystem == UnitSystem::English)
        return 62.4 / 1728.0;  // lb/ft^3 as lb/in^3
    if (unitSystem == UnitSystem::SI)
        return 9.81;  // kN/m^3
    return 0;
}

UnitLabels UnitLabelsFor(UnitSystem unitSystem)
{
    const QuantityLabels& l = QuantityLabelsOf(unitSystem);
    return {l.length, l.forcePerLength, l.stress, l.unitWeight};
}

}  // namespace engine
