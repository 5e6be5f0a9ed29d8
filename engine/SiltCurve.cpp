#include "engine/SiltCurve.h"

#include "engine/PyCurveText.h"

#include <algorithm>

namespace engine {

double SiltCurve::CohesiveResistance(double c, double s, double b, double x)
{
    // (3 + s/c + 0.5 x/b) c b without the division, so that c = 0 gives 0.
    return std::max(0.0, std::min((3 * c + s + 0.5 * c * x / b) * b, 9 * c * b));
}

SiltCurve::SiltCurve(double phi, double c, double s, double b, double x, double k)
    : SandCurve(phi, s, b, x, k, CohesiveResistance(c, s, b, x)), pcSilt_(CohesiveResistance(c, s, b, x))
{
}

std::string SiltCurve::Describe(const UnitLabels& u) const
{
    return Describing("silt, c-phi soil (sand curve of Reese, Cox and Koop 1974 plus the cohesive part, Evans and Duncan 1982): " "ps = ", Ps(), " ", u.forcePerLength, ", pc = ", pcSilt_, " ", u.forcePerLength, ", ", KeyValues(u));
}

}  // namespace engine
