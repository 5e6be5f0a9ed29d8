#include "engine/SandCurve.h"

#include "engine/PyCurveText.h"
#include "units/Constants.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

constexpr double kK0 = 0.4;

// Linear interpolation in a table of (x/b, factor), constant beyond its ends.
template <std::size_t N>
double Interpolate(const double (&xs)[N], const double (&fs)[N], double x)
{
    if (x <= xs[0])
        return fs[0];
    for (std::size_t i = 1; i < N; ++i)
        if (x <= xs[i])
            return fs[i - 1] + (fs[i] - fs[i - 1]) * (x - xs[i - 1]) / (xs[i] - xs[i - 1]);
    return fs[N - 1];
}

}  // namespace

double SandCurve::WedgeResistance(double phiDeg, double s, double b, double x)
{
    const double phi = Radians(phiDeg), alpha = phi / 2, beta = Radians(45 + phiDeg / 2);
    const double ka = std::pow(std::tan(Radians(45 - phiDeg / 2)), 2);
    const double tPhi = std::tan(phi), tBeta = std::tan(beta), tBmP = std::tan(beta - phi), tAlpha = std::tan(alpha);
    return s * (kK0 * x * tPhi * std::sin(beta) / (tBmP * std::cos(alpha)) + tBeta / tBmP * (b + x * tBeta * tAlpha) +
                kK0 * x * tBeta * (tPhi * std::sin(beta) - tAlpha) - ka * b);
}

double SandCurve::FlowResistance(double phiDeg, double s, double b)
{
    const double ka = std::pow(std::tan(Radians(45 - phiDeg / 2)), 2);
    const double tBeta = std::tan(Radians(45 + phiDeg / 2));
    return ka * b * s * (std::pow(tBeta, 8) - 1) + kK0 * b * s * std::tan(Radians(phiDeg)) * std::pow(tBeta, 4);
}

double SandCurve::FactorA(double xOverB)
{
    static const double xs[] = {0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 4.5, 5.0};
    static const double as[] = {2.846, 2.427, 2.058, 1.737, 1.442, 1.207, 1.035, 0.961, 0.899, 0.881, 0.88};
    return Interpolate(xs, as, xOverB);
}

double SandCurve::FactorB(double xOverB)
{
    static const double xs[] = {0, 1, 2, 3, 4, 5};
    static const double bs[] = {2.1, 1.5, 1.0, 0.72, 0.56, 0.50};
    return Interpolate(xs, bs, xOverB);
}

SandCurve::SandCurve(double phi, double s, double b, double x, double k, double pc)
    : yu_(3 * b / 80), ym_(b / 60), kx_(k * x), hasLine_(k > 0), pc_(pc), xOverB_(x / b)
{
    ps_ = std::max(0.0, std::min(WedgeResistance(phi, s, b, x), FlowResistance(phi, s, b)));
    pu_ = FactorA(xOverB_) * ps_ + pc;
    pm_ = FactorB(xOverB_) * ps_ + pc;
    slope_ = (pu_ - pm_) / (yu_ - ym_);
    // Parabola p = C y^(1/n) through (ym, pm) with the slope of the line m-u there.
    if (slope_ > 0 && pm_ > 0) {
        n_ = pm_ / (slope_ * ym_);
        inverseN_ = 1 / n_;
        c_ = pm_ / std::pow(ym_, inverseN_);
    }
    linear_ = !(n_ > 1);
}

double SandCurve::Magnitude(double y) const
{
    double g;
    if (y >= yu_)
        g = pu_;
    else if (y > ym_)
        g = pm_ + slope_ * (y - ym_);
    else if (linear_)
        g = pm_ * y / ym_;
    else
        g = c_ * std::pow(y, inverseN_);
    return CapByInitialLine(hasLine_, kx_, y, g);
}

double SandCurve::UltimateDeflection() const
{
    return kx_ > 0 ? std::max(yu_, pu_ / kx_) : yu_;
}

double SandCurve::Ultimate() const
{
    return hasLine_ && kx_ <= 0 ? 0.0 : pu_;  // a line of slope 0 holds nothing
}

std::string SandCurve::KeyValues(const UnitLabels& u) const
{
    if (!(pu_ > 0))
        return "no resistance at this depth (no effective stress, no cohesion)";
    std::string text = Describing("A = ", FactorA(xOverB_), ", B = ", FactorB(xOverB_), ", pu = ", pu_, " ",
                                  u.forcePerLength, " at yu = ", yu_, " ", u.length, ", pm = ", pm_, " ",
                                  u.forcePerLength, " at ym = ", ym_, " ", u.length);
    if (linear_) {
        text += ", straight lines 0-m-u (n <= 1)";
    } else {
        text += ", n = ";
        AppendGeneral(text, n_, 5);
    }
    if (hasLine_) {
        text += ", initial line k x = ";
        AppendGeneral(text, kx_, 5);
        text += " ";
        text += u.stress;
    } else {
        text += ", no initial line (k = 0)";
    }
    return text;
}

std::string SandCurve::Describe(const UnitLabels& u) const
{
    return Describing("sand (Reese, Cox and Koop 1974, static): ps = ", ps_, " ", u.forcePerLength, ", ", KeyValues(u));
}

double SandCurve::InitialSlope() const
{
    // The parabola (n > 1) starts vertical; the straight-line form starts with pm / ym.
    const double curve = linear_ ? pm_ / ym_ : kInfinite;
    return hasLine_ ? std::min(kx_, curve) : curve;
}

}  // namespace engine
