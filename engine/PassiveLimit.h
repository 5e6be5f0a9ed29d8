#pragma once
#include "engine/PyCurve.h"
#include "engine/SoilLayer.h"

#include <memory>

// The passive limit of a generated p-y curve. Curves from single-pile tests
// include the three-dimensional wedge around a pile; a continuous wall has only
// the plane-strain passive wedge in front of it, so its soil can never resist
// more than the passive earth pressure on the analysed strip.
namespace engine {

// The passive resistance per unit length of wall on a strip `width` wide, at a
// depth with effective vertical stress `sigmaV` on the excavation side:
// (Kp sigma'v + 2 c sqrt(Kp)) width for drained soil (sand, silt), with
// Kp = tan^2(45 + phi/2) (Rankine, no wall friction), and (sigma'v + 2 su) width
// for the three undrained clays (su the layer's cohesion). Infinite for rock,
// which is not limited.
double PassiveLimit(SoilType type, const SoilParameters& p, double sigmaV, double width);
// The same against a wall with friction and adhesion: Kp of the curved failure
// surface with delta = ratio x phi (CurvedSurfacePassiveCoefficient) and the
// cohesion term c x 2 sqrt(Kp (1 + a/c)), Kp = 1 for the clays. Equal to the
// smooth wall's limit for a smooth contact.
double PassiveLimit(SoilType type, const SoilParameters& p, const WallContact& contact, double sigmaV, double width);

// A curve whose resistance is capped at the passive limit: p = sign(p0) min(|p0(y)|, pLim).
// The curve keeps its shape up to the limit.
class PassiveLimitedPyCurve : public PyCurve {
public:
    // pLim >= 0 and finite.
    PassiveLimitedPyCurve(std::shared_ptr<const PyCurve> base, double limit);

    double Resistance(double y) const override;
    double Ultimate() const override;
    // The deflection at which the capped curve first reaches its ultimate value.
    double UltimateDeflection() const override { return ultimateDeflection_; }
    std::string Describe(const UnitLabels& units) const override;
    std::string DeflectionWarning(double y) const override { return base_->DeflectionWarning(y); }
    double InitialSlope() const override { return limit_ > 0 ? base_->InitialSlope() : 0.0; }

    // True when the limit lies below the curve's own ultimate resistance, so
    // that it changes the curve.
    bool Governs() const { return limit_ < base_->Ultimate(); }

private:
    std::shared_ptr<const PyCurve> base_;
    double limit_;
    double ultimateDeflection_;
};

}  // namespace engine
