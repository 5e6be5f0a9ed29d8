#pragma once
#include "engine/PyCurve.h"

namespace engine {

// Sand, Reese, Cox and Koop (1974), static loading: ps = min(pst, psd),
// pu = A ps at yu = 3b/80, pm = B ps at ym = b/60, parabola C y^(1/n) up to ym,
// straight line to (yu, pu), pu beyond, capped by k x y. With an added cohesive
// part pc (silt, c-phi soil) the key points become A ps + pc and B ps + pc.
class SandCurve : public SymmetricPyCurve {
public:
    // phi friction angle (degrees, 0 < phi < 90), s effective vertical stress
    // (excavation side), b width, x depth below the excavation, k = k(py),
    // pc the cohesive resistance added to pu and pm (0 for sand).
    SandCurve(double phi, double s, double b, double x, double k, double pc = 0);

    double Magnitude(double y) const override;
    double Ultimate() const override;
    double UltimateDeflection() const override;
    std::string Describe(const UnitLabels& units) const override;
    double InitialSlope() const override;

    // Theoretical resistance ps = min(pst, psd) of the wedge and the flow failure.
    double Ps() const { return ps_; }
    // Resistance pu at yu.
    double Pu() const { return pu_; }
    // Resistance pm at ym.
    double Pm() const { return pm_; }
    // yu = 3b/80.
    double Yu() const { return yu_; }
    // ym = b/60.
    double Ym() const { return ym_; }
    // Exponent n of the parabola; 0 when the straight-line form is used.
    double N() const { return linear_ ? 0 : n_; }
    // True when n <= 1 and the curve is made of straight lines 0-m-u.
    bool StraightLines() const { return linear_; }
    // Wedge resistance pst and flow resistance psd, for given values.
    static double WedgeResistance(double phi, double s, double b, double x);
    static double FlowResistance(double phi, double s, double b);
    // The factors A and B at depth ratio x/b (linear in the published tables, constant beyond 5).
    static double FactorA(double xOverB);
    static double FactorB(double xOverB);

protected:
    // "A = .., B = .., pu = .. at yu = .., ..." for the descriptions.
    std::string KeyValues(const UnitLabels& units) const;

private:
    double ps_ = 0, pu_ = 0, pm_ = 0, yu_, ym_;
    double slope_ = 0;  // of the straight line m-u
    double n_ = 0, inverseN_ = 0, c_ = 0;
    bool linear_ = false;
    double kx_;
    bool hasLine_;
    double pc_;
    double xOverB_;
};

}  // namespace engine
