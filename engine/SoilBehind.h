#pragma once
#include "engine/PoreWater.h"
#include "engine/PyCurve.h"
#include "engine/SoilLayer.h"

#include <memory>
#include <string>
#include <vector>

// The retained soil above the excavation pushing back on a wall that moves into
// it. The analysis loads the wall with the active pressure of the retained side
// (or the user's load); where the wall moves back toward the retained side
// (y < 0) the pressure rises by a subgrade reaction until it reaches the passive
// pressure, and where it moves away it stays at the load applied:
//   p = min(Es |y|, (sigma_p - sigma_a) Wa) for y < 0, 0 for y >= 0,
// with Es = k(py) z, z the depth below the retained surface: Terzaghi's (1955)
// horizontal subgrade reaction of a wall face, k_h = n_h z / B, whose force per
// unit length of wall, k_h B = n_h z, does not depend on the loaded width; k(py)
// is the layer's own n_h, the initial modulus its p-y curves take.
namespace engine {

class SoilBehindCurve : public PyCurve {
public:
    // modulus Es (F/L^2) >= 0, limit (F/L) >= 0, both finite.
    SoilBehindCurve(double modulus, double limit);

    double Resistance(double y) const override;
    double Ultimate() const override { return limit_; }
    double UltimateDeflection() const override { return modulus_ > 0 ? limit_ / modulus_ : 0.0; }
    std::string Describe(const UnitLabels& units) const override;
    // A node at rest has no stiffness: the soil behind takes part only once the wall moves into it.
    double InitialSlope() const override { return 0; }

private:
    double modulus_, limit_;
};

// Everything the soil behind depends on, in the file's units.
struct SoilBehindInput {
    UnitSystem unitSystem = UnitSystem::English;
    double excavationDepth = 0;       // H
    double activeWidth = 0;           // Wa, the width the pressure acts on above the excavation
    double waterDepthBackfill = 0;    // DWb
    double waterDepthExcavation = 0;  // DWe
    double wallLength = 0;            // the toe's depth, the end of a seepage path
    PoreWaterInput water;             // still water below DWb and DWe unless it says otherwise
    double backfillSlope = 0;         // beta, degrees (the active coefficient's)
    double topSurcharge = 0;          // uniform load on the retained surface (F/L^2)
    std::vector<SoilLayer> layers;    // with their contact with the wall
};

// The curves of the soil behind at nodeDepths: one at every node above the
// excavation level in a soil layer that is not rock where the spring has a
// stiffness and a range, null elsewhere; `notes` gets what the output text says
// of them.
std::vector<std::shared_ptr<const PyCurve>> SoilBehindCurves(const SoilBehindInput& input,
                                                             const std::vector<double>& nodeDepths,
                                                             std::vector<std::string>& notes);

}  // namespace engine
