#include "engine/PyCurve.h"

#include <algorithm>
#include <cmath>

namespace engine {

std::string PyCurve::DeflectionWarning(double) const
{
    return {};
}

double PyCurve::SecantModulus(double y, double yMin) const
{
    const double a = std::max(std::abs(y), yMin);
    if (y == 0)  // no direction yet: the mean of both sides
        return 0.5 * (Resistance(-a) - Resistance(a)) / a;
    const double s = y > 0 ? a : -a;
    return std::max(0.0, -Resistance(s) / s);
}

double SymmetricPyCurve::Resistance(double y) const
{
    const double p = Magnitude(std::abs(y));
    return y > 0 ? -p : p;
}

}  // namespace engine
