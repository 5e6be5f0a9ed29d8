#include "engine/SoftClayCurve.h"

#include "engine/PyCurveText.h"

#include <algorithm>
#include <cmath>

namespace engine {

SoftClayCurve::SoftClayCurve(double c, double s, double eps50, double b, double x, double k)
    : y50_(2.5 * eps50 * b), kx_(k * x), hasLine_(k > 0)
{
    // (3 + s/c + J x/b) c b written without the division, so that c = 0 gives 0.
    const double j = 0.5;
    pu_ = std::max(0.0, std::min((3 * c + s + j * c * x / b) * b, 9 * c * b));
}

double SoftClayCurve::Magnitude(double y) const
{
    const double g = y >= 8 * y50_ ? pu_ : 0.5 * pu_ * std::cbrt(y / y50_);
    return CapByInitialLine(hasLine_, kx_, y, g);
}

double SoftClayCurve::UltimateDeflection() const
{
    return kx_ > 0 ? std::max(8 * y50_, pu_ / kx_) : 8 * y50_;
}

double SoftClayCurve::Ultimate() const
{
    return hasLine_ && kx_ <= 0 ? 0.0 : pu_;  // a line of slope 0 holds nothing
}

std::string SoftClayCurve::Describe(const UnitLabels& u) const
{
    return Describing("soft clay (Matlock 1970, static, J = 0.5): pu = ", pu_, " ", u.forcePerLength, ", y50 = ", y50_, " ", u.length, (hasLine_ ? ", initial line k x = " + Num(kx_) + " " + u.stress : ""));
}

double SoftClayCurve::InitialSlope() const
{
    return hasLine_ ? kx_ : kInfinite;
}

}  // namespace engine
