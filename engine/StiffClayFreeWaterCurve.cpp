#include "engine/StiffClayFreeWaterCurve.h"

#include "engine/PyCurveText.h"

#include <algorithm>
#include <cmath>

namespace engine {

double StiffClayFreeWaterCurve::FactorAs(double z)
{
    // The cubic rises monotonically (its derivative has no real root) and is capped at 0.6.
    return std::min(0.2042 + z * (0.3323 + z * (-0.1006 + z * 0.0106)), 0.6);
}

StiffClayFreeWaterCurve::StiffClayFreeWaterCurve(double c, double ca, double s, double eps50, double b, double x,
                                                 double k)
    : y50_(eps50 * b), as_(FactorAs(x / b)), kx_(k * x), hasLine_(k > 0)
{
    const double pct = 2 * ca * b + s * b + 2.83 * ca * x;
    const double pcd = 11 * c * b;
    pc_ = std::max(0.0, std::min(pct, pcd));

    // The backbone peaks inside the softening segment, where dp/dy = 0 reads, with
    // y = a (1 + t) and a = As y50: t^(1/4) sqrt(1 + t) = (0.25 / 0.06875) sqrt(As).
    // The left side rises monotonically (to 3.66 at t = 5, above the right side's
    // 2.82 for As <= 0.6): Newton's method on its logarithm converges in a few steps.
    const double target = std::log(0.25 / 0.06875 * std::sqrt(as_));
    double t = 1;
    for (int i = 0; i < 50; ++i) {
        const double h = 0.25 * std::log(t) + 0.5 * std::log1p(t) - target;
        const double step = h / (0.25 / t + 0.5 / (1 + t));
        t = std::clamp(t - step, 0.5 * t, 5.0);
        if (std::abs(step) < 1e-14 * t)
            break;
    }
    const double yPeak = as_ * y50_ * (1 + t);
    peak_ = Magnitude(yPeak);
    if (kx_ > 0 && kx_ * yPeak < Backbone(yPeak)) {
        // The line is still below the curve at its peak: it meets the falling part
        // later, and the largest value is at the meeting point.
        double a = yPeak, d = 2 * yPeak;
        while (kx_ * d < Backbone(d)) {
            a = d;
            d *= 2;
        }
        for (int i = 0; i < 200 && d - a > 1e-12 * d; ++i) {
            const double m = 0.5 * (a + d);
            (kx_ * m < Backbone(m) ? a : d) = m;
        }
        peak_ = kx_ * a;
    }
}

double StiffClayFreeWaterCurve::Backbone(double y) const
{
    // Near the excavation level (As below about 0.22) the published residual is
    // negative; the resistance is kept at 0 there rather than pushing the wall.
    const double a = as_ * y50_;
    if (y <= 0)
        return 0;
    if (y <= a)
        return 0.5 * pc_ * std::sqrt(y / y50_);
    if (y <= 6 * a) {
        const double t = (y - a) / a;  // t^1.25 as t sqrt(sqrt(t)), much cheaper than pow
        return std::max(0.0, 0.5 * pc_ * std::sqrt(y / y50_) - 0.055 * pc_ * t * std::sqrt(std::sqrt(t)));
    }
    if (y <= 18 * a)
        return std::max(0.0, 0.5 * pc_ * std::sqrt(6 * as_) - 0.411 * pc_ - 0.0625 / y50_ * pc_ * (y - 6 * a));
    return Residual();
}

double StiffClayFreeWaterCurve::Residual() const
{
    return std::max(0.0, pc_ * (1.225 * std::sqrt(as_) - 0.75 * as_ - 0.411));
}

double StiffClayFreeWaterCurve::Magnitude(double y) const
{
    return CapByInitialLine(hasLine_, kx_, y, Backbone(y));
}

bool StiffClayFreeWaterCurve::ResidualHeldAtZero() const
{
    return pc_ > 0 && 1.225 * std::sqrt(as_) - 0.75 * as_ - 0.411 < 0;
}

double StiffClayFreeWaterCurve::UltimateDeflection() const
{
    const double end = 18 * as_ * y50_;
    return kx_ > 0 ? std::max(end, Residual() / kx_) : end;
}

std::string StiffClayFreeWaterCurve::Describe(const UnitLabels& u) const
{
    return Describing("stiff clay with free water (Reese, Cox and Koop 1975, static): pc = ", pc_, " ", u.forcePerLength, ", y50 = ", y50_, " ", u.length, ", As = ", as_, ", peak p = ", peak_, " ", u.forcePerLength, ", residual p = ", Residual(), " ", u.forcePerLength, (hasLine_ ? ", initial line k x = " + Num(kx_) + " " + u.stress : ", no initial line (k = 0)"));
}

double StiffClayFreeWaterCurve::InitialSlope() const
{
    return hasLine_ ? kx_ : kInfinite;
}

}  // namespace engine
