#pragma once
#include "engine/PyCurve.h"

namespace engine {

// Strong rock, Reese and Nyman (1978): su = qu/2; p = 2000 su y up to 0.0004 b,
// then 0.8 b su + 100 su (y - 0.0004 b) up to 0.0024 b, b su beyond.
class StrongRockCurve : public SymmetricPyCurve {
public:
    // qu uniaxial compressive strength (> 0), b width.
    StrongRockCurve(double qu, double b);

    double Magnitude(double y) const override;
    double Ultimate() const override { return b_ * su_; }
    double UltimateDeflection() const override { return 0.0024 * b_; }
    std::string Describe(const UnitLabels& units) const override;
    double InitialSlope() const override;
    // Beyond 0.0024 b the rock may fail in a brittle manner.
    std::string DeflectionWarning(double y) const override;

private:
    double su_;
    double b_;
};

}  // namespace engine
