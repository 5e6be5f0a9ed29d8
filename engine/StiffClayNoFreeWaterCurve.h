#pragma once
#include "engine/PyCurve.h"

namespace engine {

// Stiff clay without free water, Welch and Reese (1972), static loading:
// pu = min{(3 + s/ca + J x/b) ca b, 9 c b}, J = 0.5, y50 = 2.5 eps50 b,
// p = 0.5 pu (y/y50)^(1/4) up to 16 y50, pu beyond; capped by k x y when k > 0.
class StiffClayNoFreeWaterCurve : public SymmetricPyCurve {
public:
    // c cohesion at the depth, ca mean cohesion from the excavation level to x,
    // s effective vertical stress (excavation side), eps50 (> 0), b, x, k as for soft clay.
    StiffClayNoFreeWaterCurve(double c, double ca, double s, double eps50, double b, double x, double k);

    double Magnitude(double y) const override;
    double Ultimate() const override;
    double UltimateDeflection() const override;
    std::string Describe(const UnitLabels& units) const override;
    double InitialSlope() const override;

    // Ultimate resistance pu.
    double Pu() const { return pu_; }
    // y50 = 2.5 eps50 b.
    double Y50() const { return y50_; }

private:
    double pu_;
    double y50_;
    double kx_;
    bool hasLine_;
};

}  // namespace engine
