#include "engine/SoilLayer.h"

#include "units/QuantityLabels.h"
#include "units/TorvikError.h"
#include "units/Units.h"

namespace engine {

SoilParameters SoilParametersFromLine(SoilType type, const std::array<double, 6>& v)
{
    SoilParameters p;
    p.unitWeight = v[0];
    switch (type) {
    case SoilType::SoftClay:
    case SoilType::StiffClayFreeWater:
    case SoilType::StiffClayNoFreeWater:
        p.cohesion = v[1];
        p.e50 = v[3];
        p.kpy = v[4];
        break;
    case SoilType::Sand:
        p.frictionAngle = v[2];
        p.kpy = v[4];
        break;
    case SoilType::Silt:
        p.cohesion = v[1];
        p.frictionAngle = v[2];
        p.e50 = v[3];
        p.kpy = v[4];
        break;
    case SoilType::StrongRock:
        p.compressiveStrength = v[1];
        break;
    case SoilType::WeakRock:
        p.compressiveStrength = v[1];
        p.krm = v[3];
        p.rockModulus = v[4];
        p.rqd = v[5];
        break;
    }
    return p;
}

SoilType SoilTypeFromChoice(int choice, int layerNumber)
{
    if (choice < 1 || choice > 7)
        throw TorvikError("Soil layer " + std::to_string(layerNumber) + ": the soil type " + std::to_string(choice) +
                          " is not one of 1 to 7.");
    return static_cast<SoilType>(choice);
}

std::string SoilTypeName(SoilType type)
{
    switch (type) {
    case SoilType::SoftClay: return "Soft Clay";
    case SoilType::StiffClayFreeWater: return "Stiff Clay with Free Water";
    case SoilType::StiffClayNoFreeWater: return "Stiff Clay w/o Free Water";
    case SoilType::Sand: return "Sand";
    case SoilType::Silt: return "Silt (c-phi soil)";
    case SoilType::StrongRock: return "Strong Rock";
    case SoilType::WeakRock: return "Weak Rock";
    }
    return "Unknown";
}

bool IsClay(SoilType type)
{
    return type == SoilType::SoftClay || type == SoilType::StiffClayFreeWater || type == SoilType::StiffClayNoFreeWater;
}

bool IsRock(SoilType type)
{
    return type == SoilType::StrongRock || type == SoilType::WeakRock;
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
