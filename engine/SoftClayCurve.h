#pragma once
#include "engine/PyCurve.h"

namespace engine {

// Soft clay, Matlock (1970), static loading:
// pu = min{(3 + s/c + J x/b) c b, 9 c b}, J = 0.5, y50 = 2.5 eps50 b,
// p = 0.5 pu (y/y50)^(1/3) up to 8 y50, pu beyond; capped by k x y when k > 0.
class SoftClayCurve : public SymmetricPyCurve {
public:
    // c cohesion at the depth, s effective vertical stress (excavation side),
    // eps50 (> 0), b width, x depth below the excavation, k initial modulus k(py).
    SoftClayCurve(double c, double s, double eps50, double b, double x, double k);

    double Magnitude(double y) const override;
    double Ultimate() const override;
    double UltimateDeflection() const override;
    std::string Describe(const UnitLabels& units) const override;
    double InitialSlope() const override;

    // Ultimate resistance pu.
    double Pu() const { return pu_; }
    // Deflection at half the ultimate resistance, y50.
    double Y50() const { return y50_; }

private:
    double pu_;
    double y50_;
    double kx_;
    bool hasLine_;
};

}  // namespace engine
