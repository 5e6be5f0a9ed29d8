#pragma once
#include "engine/PyCurve.h"

namespace engine {

// Weak rock, Reese (1997): alpha_r = 1 - (2/3) RQD/100, pur = alpha_r qu b
// (1 + 1.4 xr/b) to xr = 3b and 5.2 alpha_r qu b beyond, Kir = kir Eir with
// kir = 100 + 400 xr/(3b) to 3b and 500 beyond, yrm = krm b; p = Kir y up to yA,
// (pur/2)(y/yrm)^(1/4) up to 16 yrm, pur beyond.
class WeakRockCurve : public SymmetricPyCurve {
public:
    // qu (> 0), Eir (> 0), krm (> 0), RQD (%), b width, xr depth below the top of the rock.
    WeakRockCurve(double qu, double eir, double krm, double rqd, double b, double xr);

    double Magnitude(double y) const override;
    double Ultimate() const override { return pur_; }
    double UltimateDeflection() const override;
    std::string Describe(const UnitLabels& units) const override;
    double InitialSlope() const override;

    // Ultimate resistance pur.
    double Pur() const { return pur_; }
    // Initial modulus Kir.
    double Kir() const { return kir_; }
    // yrm = krm b.
    double Yrm() const { return yrm_; }
    // End of the initial straight line, yA = [pur / (2 yrm^0.25 Kir)]^(4/3).
    double YA() const;

private:
    double pur_;
    double kir_;
    double yrm_;
};

}  // namespace engine
