#include "model/SectionUtilisation.h"

#include <cmath>

namespace {

double Remaining(const TSectionSettings& s) { return 1 - s.corrosionLoss / 100; }

std::optional<double> Ratio(double action, double resistance)
{
    if (!(resistance > 0) || !std::isfinite(resistance))
        return std::nullopt;
    return std::fabs(action) / resistance;
}

}  // namespace

double EffectiveModulus(const TSectionSettings& section)
{
    return section.sectionModulus * Remaining(section);
}

double EffectiveShearArea(const TSectionSettings& section)
{
    return section.shearArea * Remaining(section);
}

std::optional<double> BendingUtilisation(double moment, const TSectionSettings& section)
{
    return Ratio(moment, section.yieldStrength * EffectiveModulus(section));
}

std::optional<double> ShearUtilisation(double shear, const TSectionSettings& section)
{
    return Ratio(shear, EffectiveShearArea(section) * section.yieldStrength / std::sqrt(3.0));
}
