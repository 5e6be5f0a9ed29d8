#pragma once
#include "engine/PoreWater.h"
#include "engine/WallModel.h"
#include "model/DesignFactors.h"

#include <optional>
#include <string>

// Hydraulic heave of the soil in front of the wall (EN 1997-1, 2.4.7.5, HYD)
// where water flows up through it: the exit gradient against the critical
// gradient, and Terzaghi's prism of the embedment (its width half the
// embedment), whose excess pore pressure at the toe lifts its submerged weight.
namespace checks {

struct HydraulicHeave {
    // The regime of the stage is not still water: the check is shown (as a
    // value, or as a note on why it does not apply).
    bool shown = false;
    // Water flows up in front of the wall: the values below are set.
    bool applies = false;
    std::string note;  // why it does not apply, or how the values were found
    double gammaDst = 1.35, gammaStb = 0.9;
    // The mean gradient of the excess head over the upper half of the soil in
    // front below the exit of the flow, and gamma' / gamma_w over the same soil.
    double exitGradient = 0, criticalGradient = 0;
    // Terzaghi's prism per unit area of its base at the toe: the excess pore
    // pressure there and the submerged weight above it (F/L^2).
    double excessPorePressure = 0, prismWeight = 0;
    // gamma_dst x destabilising / (gamma_stb x stabilising); each passes up to 1.
    double gradientUtilisation = 0, prismUtilisation = 0;
    bool passed = true;

    // i_c / i and G' / S, unfactored; infinite without flow.
    double GradientFactor() const;
    double PrismFactor() const;
};

// The values in one line: "Hydraulic heave: exit gradient i = 0.2222 of i_c =
// 1.039, utilisation 0.3209; Terzaghi's prism S = ..., G' = ... (F/L^2),
// utilisation 0.3209; passed." or that it does not apply (the note says why);
// `stressUnit` the label of the stresses.
std::string HydraulicHeaveSummary(const HydraulicHeave& check, const std::string& stressUnit);

// The check of one stage: `water` the stage's regime, the block in the units of its file.
HydraulicHeave CheckHydraulicHeave(const WallBlock& block, const engine::PoreWaterInput& water,
                                   const THydraulicFactors& factors);

}  // namespace checks
