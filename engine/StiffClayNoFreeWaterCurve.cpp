#include "engine/StiffClayNoFreeWaterCurve.h"

#include "engine/PyCurveText.h"

#include <algorithm>
#include <cmath>

namespace engine {

StiffClayNoFreeWaterCurve::StiffClayNoFreeWaterCurve(double c, double ca, double s, double eps50, double b, double x,
                                                     double k)
    : y50_(2.5 * eps50 * b), kx_(k * x), hasLine_(k > 0)
{
    const double j = 0.5;
    pu_ = std::max(0.0, std::min((3 * ca + s + j * ca * x / b) * b, 9 * c * b));
}

double StiffClayNoFreeWaterCurve::Magnitude(double y) const
{
    const double g = y >= 16 * y50_ ? pu_ : 0.5 * pu_ * std::sqrt(std::sqrt(y / y50_));
    return CapByInitialLine(hasLine_, kx_, y, g);
}

double StiffClayNoFreeWaterCurve::UltimateDeflection() const
{
    return kx_ > 0 ? std::max(16 * y50_, pu_ / kx_) : 16 * y50_;
}

double StiffClayNoFreeWaterCurve::Ultimate() const
{
    return hasLine_ && kx_ <= 0 ? 0.0 : pu_;  // a line of slope 0 holds nothing
}

std::string StiffClayNoFreeWaterCurve::Describe(const UnitLabels& u) const
{
    return Describing("stiff clay without free water (Welch and Reese 1972, static, J = 0.5): pu = ", pu_, " ", u.forcePerLength, ", y50 = ", y50_, " ", u.length, (hasLine_ ? ", initial line k x = " + Num(kx_) + " " + u.stress : ""));
}

double StiffClayNoFreeWaterCurve::InitialSlope() const
{
    return hasLine_ ? kx_ : kInfinite;
}

}  // namespace engine
