#pragma once
#include "engine/PyCurve.h"

namespace engine {

// The constants that set the two clays of the power-curve form apart.
struct ClayPowerLaw {
    const char* description;  // the criterion as the output text names it
    double ultimateY50;       // p reaches pu at this multiple of y50
    int root;                 // p = 0.5 pu (y/y50)^(1/root) below it: 3 or 4
};

// The clays whose p-y curve is a power of y/y50, static loading:
// pu = min{(3 + s/ca + J x/b) ca b, 9 c b}, J = 0.5, y50 = 2.5 eps50 b,
// p = 0.5 pu (y/y50)^(1/root) up to ultimateY50 y50, pu beyond; capped by k x y
// when k > 0. Soft clay, Matlock (1970): cube root, 8 y50, ca = c. Stiff clay
// without free water, Welch and Reese (1972): fourth root, 16 y50.
class ClayPowerCurve : public SymmetricPyCurve {
public:
    static const ClayPowerLaw SoftClay;
    static const ClayPowerLaw StiffClayNoFreeWater;

    // c cohesion at the depth, ca mean cohesion from the excavation level to x
    // (c for soft clay), s effective vertical stress (excavation side), eps50
    // (> 0), b width, x depth below the excavation, k initial modulus k(py).
    ClayPowerCurve(const ClayPowerLaw& law, double c, double ca, double s, double eps50, double b, double x, double k);

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
    const ClayPowerLaw& law_;
    double pu_;
    double y50_;
    double kx_;
    bool hasLine_;
};

}  // namespace engine
