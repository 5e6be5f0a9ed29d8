#include "engine/PassiveLimit.h"

#include "engine/WallFriction.h"

#include "units/Constants.h"
#include "units/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace engine {

namespace {

// The first deflection in 0..yEnd at which |base(y)| reaches `limit`: a scan
// finds the first sample at or past it (a softening curve may fall again after
// its peak) and bisection refines it. yEnd when the curve stays below.
double FirstReach(const PyCurve& base, double limit, double yEnd)
{
    constexpr int kSamples = 64;
    if (!(yEnd > 0) || !std::isfinite(yEnd))
        return yEnd;
    double lo = 0;
    for (int i = 1; i <= kSamples; ++i) {
        const double y = yEnd * i / kSamples;
        if (std::fabs(base.Resistance(-y)) < limit) {
            lo = y;
            continue;
        }
        double hi = y;
        for (int it = 0; it < 60 && hi - lo > 1e-12 * yEnd; ++it) {
            const double mid = 0.5 * (lo + hi);
            (std::fabs(base.Resistance(-mid)) < limit ? lo : hi) = mid;
        }
        return hi;
    }
    return yEnd;
}

}  // namespace

double PassiveLimit(SoilType type, const SoilParameters& p, double sigmaV, double width)
{
    if (IsRock(type))
        return std::numeric_limits<double>::infinity();
    const double s = std::max(0.0, sigmaV);
    if (IsClay(type))
        return (s + 2 * p.cohesion) * width;
    const double kp = RankinePassiveCoefficient(p.frictionAngle);
    return (kp * s + 2 * p.cohesion * std::sqrt(kp)) * width;
}

double PassiveLimit(SoilType type, const SoilParameters& p, const WallContact& contact, double sigmaV, double width)
{
    if (contact.Smooth() || IsRock(type))
        return PassiveLimit(type, p, sigmaV, width);
    const double s = std::max(0.0, sigmaV);
    const double kp = IsClay(type) ? 1.0 : CurvedSurfacePassiveCoefficient(p.frictionAngle, contact.frictionRatio * p.frictionAngle);
    return (kp * s + p.cohesion * CohesionFactor(kp, contact.adhesionRatio)) * width;
}

PassiveLimitedPyCurve::PassiveLimitedPyCurve(std::shared_ptr<const PyCurve> base, double limit)
    : base_(std::move(base)), limit_(limit), ultimateDeflection_(base_->UltimateDeflection())
{
    if (Governs())
        ultimateDeflection_ = FirstReach(*base_, limit_, ultimateDeflection_);
}

double PassiveLimitedPyCurve::Resistance(double y) const
{
    const double p = base_->Resistance(y);
    return std::fabs(p) > limit_ ? std::copysign(limit_, p) : p;
}

double PassiveLimitedPyCurve::Ultimate() const
{
    return std::min(base_->Ultimate(), limit_);
}

std::string PassiveLimitedPyCurve::Describe(const UnitLabels& units) const
{
    std::string text = base_->Describe(units);
    if (Governs()) {
        text += "; capped at the passive limit ";
        AppendGeneral(text, limit_, 5);
        text += " " + units.forcePerLength;
    }
    return text;
}

}  // namespace engine
