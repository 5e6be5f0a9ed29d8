#include "ui/rules/ApproachRules.h"

#include "units/DecimalReal.h"

#include <cstring>

std::string FactorSetName(const TPartialFactorEntry& entry)
{
    // The keys of set factors end in their set: "gamma_G_A1", "gamma_phi_M2", "gamma_Re_R3".
    const std::string key = entry.key;
    const std::size_t last = key.rfind('_');
    const std::string suffix = last == std::string::npos ? std::string() : key.substr(last + 1);
    const bool set = suffix.size() == 2 && std::strchr("AMR", suffix[0]) && suffix[1] >= '1' && suffix[1] <= '3';
    return set ? suffix : "Structure";
}

std::optional<double> TypedFactor(const std::string& text)
{
    long double value = 0;
    if (ParseDecimalReal(text, value) != DecimalStatus::Ok || value < kLowestPartialFactor ||
        value > kHighestPartialFactor)
        return std::nullopt;
    return static_cast<double>(value);
}

TWallSettings WithApproachOf(TWallSettings settings, const TWallSettings& from)
{
    settings.designApproach = from.designApproach;
    settings.partialFactors = from.partialFactors;
    settings.unplannedExcavation = from.unplannedExcavation;
    return settings;
}
