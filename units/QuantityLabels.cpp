#include "units/QuantityLabels.h"

#include "units/NumberFormat.h"
#include "units/Units.h"

const QuantityLabels& QuantityLabelsOf(UnitSystem unitSystem)
{
    static const QuantityLabels english{"English (lb, in; depths shown in ft)",
                                        1.0 / 12.0, "ft", "in", "lb", "lb-in", "lb/in", "lb-in^2", "lb/in^2",
                                        "lb/in^3", "kips", "in-kips"};
    static const QuantityLabels si{"SI (kN, m)", 1.0, "m", "m", "kN", "kN-m", "kN/m", "kN-m^2", "kN/m^2", "kN/m^3",
                                   "kN", "kN-m"};
    static const QuantityLabels generic{"Other (consistent F, L)", 1.0, "L", "L", "F", "F-L", "F/L", "F-L^2", "F/L^2",
                                        "F/L^3", "F", "F-L"};
    return unitSystem == UnitSystem::English ? english : unitSystem == UnitSystem::SI ? si : generic;
}

std::string StripBasis(UnitSystem unitSystem, double stripWidth)
{
    if (unitSystem == UnitSystem::English) {
        if (stripWidth == 12)
            return "/ft";
        if (stripWidth == 1)
            return "/in";
        return " per " + FormatGeneral(stripWidth / 12, 6) + " ft strip";
    }
    const char* length = unitSystem == UnitSystem::SI ? "m" : "L";
    if (stripWidth == 1)
        return std::string("/") + length;
    return " per " + FormatGeneral(stripWidth, 6) + " " + length + " strip";
}

std::string StripBasisPerLength(UnitSystem unitSystem, double stripWidth)
{
    const std::string basis = StripBasis(unitSystem, stripWidth);
    return basis.front() == '/' ? " per " + basis.substr(1) + " of width" : basis;
}
