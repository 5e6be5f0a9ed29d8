#include "engine/WeakRockCurve.h"

#include "engine/PyCurveText.h"

#include <algorithm>
#include <cmath>

namespace engine {

WeakRockCurve::WeakRockCurve(double qu, double eir, double krm, double rqd, double b, double xr) : yrm_(krm * b)
{
    const double alpha = 1 - (2.0 / 3.0) * rqd / 100;
    const bool shallow = xr <= 3 * b;
    pur_ = shallow ? alpha * qu * b * (1 + 1.4 * xr / b) : 5.2 * alpha * qu * b;
    kir_ = (shallow ? 100 + 400 * xr / (3 * b) : 500) * eir;
}

double WeakRockCurve::YA() const
{
    return std::pow(pur_ / (2 * std::pow(yrm_, 0.25) * kir_), 4.0 / 3.0);
}

double WeakRockCurve::Magnitude(double y) const
{
    // The initial line Kir y until it meets the quarter-power curve at yA; p/y of
    // that curve falls monotonically, so the minimum of the two is the same curve.
    const double g = y >= 16 * yrm_ ? pur_ : 0.5 * pur_ * std::sqrt(std::sqrt(y / yrm_));
    return std::min(kir_ * y, g);
}

double WeakRockCurve::UltimateDeflection() const
{
    return std::max(16 * yrm_, pur_ / kir_);
}

std::string WeakRockCurve::Describe(const UnitLabels& u) const
{
    return Describing("weak rock (Reese 1997): pur = ", pur_, " ", u.forcePerLength, ", yrm = ", yrm_, " ", u.length, ", Kir = ", kir_, " ", u.stress, ", yA = ", std::min(YA(), 16 * yrm_), " ", u.length);
}

double WeakRockCurve::InitialSlope() const
{
    return kir_;
}

}  // namespace engine
