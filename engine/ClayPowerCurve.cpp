#include "engine/ClayPowerCurve.h"

#include "engine/PyCurveText.h"

#include <algorithm>
#include <cmath>

namespace engine {

const ClayPowerLaw ClayPowerCurve::SoftClay{"soft clay (Matlock 1970, static, J = 0.5)", 8, 3};
const ClayPowerLaw ClayPowerCurve::StiffClayNoFreeWater{
    "stiff clay without free water (Welch and Reese 1972, static, J = 0.5)", 16, 4};

ClayPowerCurve::ClayPowerCurve(const ClayPowerLaw& law, double c, double ca, double s, double eps50, double b,
                               double x, double k)
    : law_(law), y50_(2.5 * eps50 * b), kx_(k * x), hasLine_(k > 0)
{
    // (3 + s/ca + J x/b) ca b written without the division, so that ca = 0 gives 0.
    const double j = 0.5;
    pu_ = std::max(0.0, std::min((3 * ca + s + j * ca * x / b) * b, 9 * c * b));
}

double ClayPowerCurve::Magnitude(double y) const
{
    double g = pu_;
    if (y < law_.ultimateY50 * y50_) {
        const double ratio = y / y50_;
        g = 0.5 * pu_ * (law_.root == 3 ? std::cbrt(ratio) : std::sqrt(std::sqrt(ratio)));
    }
    return CapByInitialLine(hasLine_, kx_, y, g);
}

double ClayPowerCurve::UltimateDeflection() const
{
    const double reach = law_.ultimateY50 * y50_;
    return kx_ > 0 ? std::max(reach, pu_ / kx_) : reach;
}

double ClayPowerCurve::Ultimate() const
{
    return hasLine_ && kx_ <= 0 ? 0.0 : pu_;  // a line of slope 0 holds nothing
}

std::string ClayPowerCurve::Describe(const UnitLabels& u) const
{
    return Describing(law_.description, ": pu = ", pu_, " ", u.forcePerLength, ", y50 = ", y50_, " ", u.length,
                      (hasLine_ ? ", initial line k x = " + Num(kx_) + " " + u.stress : ""));
}

double ClayPowerCurve::InitialSlope() const
{
    return hasLine_ ? kx_ : kInfinite;
}

}  // namespace engine
