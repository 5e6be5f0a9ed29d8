#pragma once
#include "engine/SoilLayer.h"

#include <limits>
#include <string>

// A p-y curve: the soil reaction p (force per unit length of wall) at a lateral
// deflection y of the wall, in the program's sign convention: p opposes y, so p
// is positive for negative y.
namespace engine {

class PyCurve {
public:
    virtual ~PyCurve() = default;

    // Soil reaction at deflection y (F/L), positive for negative y.
    virtual double Resistance(double y) const = 0;
    // The largest magnitude of p the curve reaches (F/L).
    virtual double Ultimate() const = 0;
    // The deflection magnitude beyond which p no longer changes (L); the plot of a
    // curve should reach at least this far.
    virtual double UltimateDeflection() const = 0;
    // The criterion and its key values (pu, y50, ...), one line, for the output text.
    virtual std::string Describe(const UnitLabels& units) const = 0;
    // A warning for the output text when deflection y passes a limit of the
    // criterion (brittle rock); empty otherwise.
    virtual std::string DeflectionWarning(double y) const;
    // The slope dp/dy of the curve at y = 0 (F/L^2, as a positive stiffness);
    // infinity where the curve has no initial straight line (Matlock's cube root,
    // the power curves without k). The solver gives a node at y = 0 this
    // stiffness, the limit of the secant there, and takes the secant at the
    // small deflection only for curves where it is infinite.
    virtual double InitialSlope() const = 0;

    // Secant modulus Es = -p(y)/y (F/L^2, not negative) at |y| taken as at least
    // yMin (> 0); at y = 0 the mean of both sides.
    double SecantModulus(double y, double yMin) const;
};

// A curve with p(-y) = -p(y): defined by the magnitude of p for y >= 0.
class SymmetricPyCurve : public PyCurve {
public:
    double Resistance(double y) const final;
    // Magnitude of p at deflection magnitude y >= 0.
    virtual double Magnitude(double y) const = 0;
};

// The initial slope of a curve that has no initial straight line.
constexpr double kInfinite = std::numeric_limits<double>::infinity();

// Magnitude of p capped by the initial line: min(kx y, g) when the layer has a
// k(py) > 0 (even where kx is 0, at the excavation level), else g.
inline double CapByInitialLine(bool hasLine, double kx, double y, double g) { return hasLine && kx * y < g ? kx * y : g; }

}  // namespace engine
