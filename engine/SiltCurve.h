#pragma once
#include "engine/SandCurve.h"

namespace engine {

// Silt, c-phi soil: the sand curve of the friction angle with the cohesive
// resistance pc = min{(3 + s/c + 0.5 x/b) c b, 9 c b} added to pu and pm
// (Evans and Duncan 1982); k governs the initial line, E50 is not used.
class SiltCurve : public SandCurve {
public:
    // phi (degrees, 0 <= phi < 90), c cohesion, s effective vertical stress
    // (excavation side), b width, x depth below the excavation, k = k(py).
    SiltCurve(double phi, double c, double s, double b, double x, double k);

    std::string Describe(const UnitLabels& units) const override;

    // The cohesive part pc.
    double Pc() const { return pcSilt_; }
    // pc for given values.
    static double CohesiveResistance(double c, double s, double b, double x);

private:
    double pcSilt_;
};

}  // namespace engine
