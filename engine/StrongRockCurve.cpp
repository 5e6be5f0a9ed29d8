#include "engine/StrongRockCurve.h"

#include "engine/PyCurveText.h"

#include <cmath>

namespace engine {

StrongRockCurve::StrongRockCurve(double qu, double b) : su_(qu / 2), b_(b) {}

double StrongRockCurve::Magnitude(double y) const
{
    if (y <= 0.0004 * b_)
        return 2000 * su_ * y;
    if (y <= 0.0024 * b_)
        return 0.8 * b_ * su_ + 100 * su_ * (y - 0.0004 * b_);
    return b_ * su_;
}

std::string StrongRockCurve::Describe(const UnitLabels& u) const
{
    return Describing("strong rock (Reese and Nyman 1978): su = qu/2 = ", su_, " ", u.stress, ", pu = b su = ", b_ * su_, " ", u.forcePerLength, " beyond y = 0.0024 b = ", 0.0024 * b_, " ", u.length);
}

std::string StrongRockCurve::DeflectionWarning(double y) const
{
    if (std::abs(y) <= 0.0024 * b_)
        return {};
    return "the deflection passes 0.0024 b = " + Num(0.0024 * b_) + ": brittle failure of the rock is possible";
}

double StrongRockCurve::InitialSlope() const
{
    return 2000 * su_;
}

}  // namespace engine
