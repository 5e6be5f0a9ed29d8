#include "ui/rules/UndoCaptions.h"

#include "ui/rules/MenuRules.h"

const char* const SpringsFromInstallationCaption = "Anchors and springs act from their installation stage";
const char* const PassiveLimitCaption = "Limit soil resistance to the passive earth pressure";
const char* const LockOffAsBuiltCaption = "Anchors locked off before the stage's excavation";
const char* const SoilBehindCaption = "Soil behind the wall resists its movement back";
const char* const LimitEquilibriumInVerdictCaption = "Limit-equilibrium estimate counts in the design checks";
const char* const DesignApproachCaption = "Design approach";

std::string UnitsChangeCaption(UnitSystem system)
{
    static const char* const names[] = {"English", "SI", "Other"};
    return std::string("Units: ") + names[system == UnitSystem::SI ? 1 : system == UnitSystem::Generic ? 2 : 0];
}

std::string EarthPressureChangeCaption(TEarthPressure kind)
{
    const char* name = kind == TEarthPressure::Triangular    ? "Triangular"
                       : kind == TEarthPressure::Trapezoidal ? "Trapezoidal"
                                                             : "Specified by User";
    return std::string("Earth Pressure: ") + name;
}

std::string OptionChangeCaption(TOption option)
{
    return PlainCaption(OptionToggle(option).Caption);
}

std::string PlainCaption(const std::string& caption)
{
    std::string plain;
    for (char c : caption)
        if (c != '&')
            plain += c;
    const auto first = plain.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return plain.substr(first, plain.find_last_not_of(" \t") - first + 1);
}
