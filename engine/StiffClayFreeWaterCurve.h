#pragma once
#include "engine/PyCurve.h"

namespace engine {

// Stiff clay with free water, Reese, Cox and Koop (1975), static loading:
// pc = min(2 ca b + s b + 2.83 ca x, 11 c b), y50 = eps50 b, As from x/b,
// four segments (square-root, softening, linear drop, residual) behind the
// initial line k x y, which governs until it first meets the curve.
class StiffClayFreeWaterCurve : public SymmetricPyCurve {
public:
    // c cohesion at the depth, ca mean cohesion from the excavation level to x,
    // s effective vertical stress (excavation side), eps50 (> 0), b width, x depth
    // below the excavation, k the static k(py) (0: no initial line).
    StiffClayFreeWaterCurve(double c, double ca, double s, double eps50, double b, double x, double k);

    double Magnitude(double y) const override;
    double Ultimate() const override { return peak_; }
    double UltimateDeflection() const override;
    std::string Describe(const UnitLabels& units) const override;
    double InitialSlope() const override;

    // Ultimate resistance pc.
    double Pc() const { return pc_; }
    // y50 = eps50 b.
    double Y50() const { return y50_; }
    // Empirical factor As = min(0.2042 + 0.3323 z - 0.1006 z^2 + 0.0106 z^3, 0.6), z = x/b.
    double As() const { return as_; }
    // The curve without the initial line.
    double Backbone(double y) const;
    // The constant resistance beyond 18 As y50 (not below 0).
    double Residual() const;
    // True when the published residual pc (1.225 sqrt(As) - 0.75 As - 0.411) is negative and held at 0.
    bool ResidualHeldAtZero() const;
    // As for a ratio x/b.
    static double FactorAs(double xOverB);

private:
    double pc_;
    double y50_;
    double as_;
    double kx_;
    bool hasLine_;
    double peak_ = 0;
};

}  // namespace engine
