#include "engine/ExternalPyCurve.h"

#include "engine/PyCurveText.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <cmath>

namespace engine {

ExternalPyCurve::ExternalPyCurve(const ExternalCurveInput& input)
    : node_(input.node), fp_(input.pMultiplier), fy_(input.yMultiplier)
{
    const std::string name = "External p-y curve at node " + std::to_string(node_);
    if (!std::isfinite(fp_) || fp_ < 0)
        throw TorvikError(name + ": the p-multiplier must not be negative.");
    if (!std::isfinite(fy_) || fy_ <= 0)
        throw TorvikError(name + ": the y-multiplier must be greater than 0.");
    if (input.points.size() < 2)
        throw TorvikError(name + ": the curve needs at least two points.");
    std::vector<std::pair<double, double>> points = input.points;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double y = points[i].first, p = points[i].second;
        const std::string point = name + ", point " + std::to_string(i + 1);
        if (!std::isfinite(y) || !std::isfinite(p))
            throw TorvikError(point + ": the value is not a number.");
        if (y * p > 0)
            throw TorvikError(point + ": the soil resistance must oppose the deflection "
                              "(positive p for negative y, negative p for positive y).");
    }
    std::stable_sort(points.begin(), points.end());
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].first == points[i - 1].first)
            throw TorvikError(name + ": two points have the same deflection.");

    // A curve given for one direction only would offer no resistance (or a
    // constant one) the other way: mirror it.
    const bool negativeSide = points.front().first < 0, positiveSide = points.back().first > 0;
    if (negativeSide != positiveSide) {
        mirrored_ = true;
        const std::size_t n = points.size();
        for (std::size_t i = 0; i < n; ++i)
            if (points[i].first != 0)
                points.emplace_back(-points[i].first, -points[i].second);
        if (std::none_of(points.begin(), points.end(), [](const auto& q) { return q.first == 0; }))
            points.emplace_back(0.0, 0.0);
        std::sort(points.begin(), points.end());
    }
    for (auto& [y, p] : points) {
        y *= fy_;
        p *= fp_;
    }
    points_ = std::move(points);

    // The largest |p| and the farthest deflection at which the curve still changes.
    for (const auto& [y, p] : points_)
        ultimate_ = std::max(ultimate_, std::abs(p));
    ultimateDeflection_ = std::max(std::abs(points_.front().first), std::abs(points_.back().first));
}

double ExternalPyCurve::Resistance(double y) const
{
    if (y <= points_.front().first)
        return points_.front().second;
    if (y >= points_.back().first)
        return points_.back().second;
    const auto next = std::upper_bound(points_.begin(), points_.end(), y,
                                       [](double v, const std::pair<double, double>& q) { return v < q.first; });
    const auto prev = next - 1;
    return prev->second + (next->second - prev->second) * (y - prev->first) / (next->first - prev->first);
}

std::string ExternalPyCurve::Describe(const UnitLabels& u) const
{
    return "external p-y curve of " + std::to_string(points_.size()) + " points" +
           (mirrored_ ? " (mirrored to both directions)" : "") + ", p x " + Num(fp_) + ", y x " + Num(fy_) +
           ": largest p = " + Num(ultimate_) + " " + u.forcePerLength + ", last point at y = " + Num(ultimateDeflection_) +
           " " + u.length;
}

double ExternalPyCurve::InitialSlope() const
{
    // p is linear between the points: for a curve through the origin the secant
    // -p(y)/y at the first point on each side of 0 is the slope of the segment there.
    if (Resistance(0) != 0)
        return kInfinite;  // no finite secant at 0
    auto secant = [this](const std::pair<double, double>* q) { return q ? std::max(0.0, -q->second / q->first) : 0.0; };
    const std::pair<double, double>* below = nullptr;
    const std::pair<double, double>* above = nullptr;
    for (const auto& q : points_) {
        if (q.first < 0)
            below = &q;
        else if (q.first > 0 && !above)
            above = &q;
    }
    return 0.5 * (secant(below) + secant(above));
}

}  // namespace engine
