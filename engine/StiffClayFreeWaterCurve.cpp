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

    // The backbone peaks inside the softening segment (As y50 .. 6 As y50): find its
    // maximum by golden-section search (the segment is concave there), then take
    // the initial line into account. p/y falls monotonically along the whole curve,
    // so the line meets it once.
    double lo = as_ * y50_, hi = 6 * as_ * y50_;
    const double g = 0.5 * (std::sqrt(5.0) - 1);
    for (int i = 0; i < 100 && hi - lo > 1e-14 * (hi + lo); ++i) {
        const double a = hi - g * (hi - lo), d = lo + g * (hi - lo);
        if (Backbone(a) < Backbone(d))
            lo = a;
        else
            hi = d;
    }
    const double yPeak = 0.5 * (lo + hi);
    peak_ = Magnitude(yPeak);
    if (kx_ > 0 && kx_ * yPeak < Backbone(yPeak)) {
        // The line is still below the curve at its peak: it meets the falling part
        // later, and the largest value is at the meeting point.
        double a = yPeak, d = 2 * yPeak;
        while (kx_ * d < Backbone(d)) {
            a = d;
            d *= 2;
        }
        for (int i = 0; i < 200 && d - a > 1e-15 * d; ++i) {
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
    double p;
    if (y <= 0)
        p = 0;
    else if (y <= a)
        p = 0.5 * pc_ * std::sqrt(y / y50_);
    else if (y <= 6 * a)
        p = 0.5 * pc_ * std::sqrt(y / y50_) - 0.055 * pc_ * std::pow((y - a) / a, 1.25);
    else if (y <= 18 * a)
        p = 0.5 * pc_ * std::sqrt(6 * as_) - 0.411 * pc_ - 0.0625 / y50_ * pc_ * (y - 6 * a);
    else
        p = Residual();
    return std::max(0.0, p);
}

double StiffClayFreeWaterCurve::Residual() const
{
    return std::max(0.0, pc_ * (1.225 * std::sqrt(as_) - 0.75 * as_ - 0.411));
}

double StiffClayFreeWaterCurve::Magnitude(double y) const
{
    return CapByInitialLine(hasLine_, kx_, y, Backbone(y));
}

double StiffClayFreeWaterCurve::UltimateDeflection() const
{
    const double end = 18 * as_ * y50_;
    return kx_ > 0 ? std::max(end, Residual() / kx_) : end;
}

std::string StiffClayFreeWaterCurve::Describe(const UnitLabels& u) const
{
    return "stiff clay with free water (Reese, Cox and Koop 1975, static): pc = " + Num(pc_) + " " + u.forcePerLength +
           ", y50 = " + Num(y50_) + " " + u.length + ", As = " + Num(as_) + ", peak p = " + Num(peak_) + " " +
           u.forcePerLength + ", residual p = " + Num(Residual()) + " " + u.forcePerLength +
           (hasLine_ ? ", initial line k x = " + Num(kx_) + " " + u.stress : ", no initial line (k = 0)");
}

}  // namespace engine
