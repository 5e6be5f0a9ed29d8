#pragma once
#include "engine/PyCurve.h"

#include <utility>
#include <vector>

namespace engine {

// One external p-y curve as the file gives it: the node, (y, p) points in the
// program's convention (p positive for negative y) and its multipliers.
struct ExternalCurveInput {
    int node = 0;
    std::vector<std::pair<double, double>> points;  // (y, p)
    double pMultiplier = 1;
    double yMultiplier = 1;
};

// An external p-y curve: p(y) = fp pc(y / fy), linear between the points and
// constant beyond the ends. A curve given on one side of y = 0 only is mirrored
// (p(-y) = -p(y)), so that it resists deflection both ways.
class ExternalPyCurve : public PyCurve {
public:
    // Sorts the points by y. Throws TorvikError naming the node for fewer than
    // two points, two points at the same y, a point whose p does not oppose its y,
    // a negative p-multiplier or a y-multiplier not above 0.
    explicit ExternalPyCurve(const ExternalCurveInput& input);

    double Resistance(double y) const override;
    double Ultimate() const override { return ultimate_; }
    double UltimateDeflection() const override { return ultimateDeflection_; }
    std::string Describe(const UnitLabels& units) const override;
    // The mean of the slopes of the two segments that meet at y = 0.
    double InitialSlope() const override;

    // True when the given points lay on one side of y = 0 and were mirrored.
    bool Mirrored() const { return mirrored_; }

private:
    std::vector<std::pair<double, double>> points_;  // (y, p), already multiplied, sorted
    int node_;
    double fp_, fy_;
    double ultimate_ = 0;
    double ultimateDeflection_ = 0;
    bool mirrored_ = false;
};

}  // namespace engine
