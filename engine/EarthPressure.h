#pragma once
#include "engine/PoreWater.h"
#include "engine/SoilLayer.h"

#include <string>
#include <vector>

// The load on the wall from the retained side: earth pressure, water on both
// sides and surcharges, as force per unit length of wall at every node.
namespace engine {

// Coulomb's active coefficient for a vertical wall without wall friction and a
// backfill slope beta (degrees): cos^2(phi) / [1 + sqrt(sin(phi) sin(phi - beta) / cos(beta))]^2;
// tan^2(45 - phi/2) for beta = 0. phi in degrees, 0 <= phi < 90, beta <= phi when phi > 0.
double CoulombActiveCoefficient(double phi, double beta);

// One row of the surcharge table as the file holds it: type 1 point, 2 line,
// 3 strip; distance X and width W in the file's units of that table (mm in SI).
struct SurchargeLoad {
    int type = 1;
    double magnitude = 0;
    double distance = 0;
    double width = 0;
};

// One row of the user-specified distributed load (earth-pressure option 1):
// depth below the top of the wall (L) and line load (F/L).
struct DepthLoad {
    double depth = 0;
    double load = 0;
};

// Everything the retained-side load depends on, in the file's units.
struct RetainedSideInput {
    int earthPressureOption = 0;      // 0 none, 1 user-specified, 2 triangular, 3 trapezoidal
    UnitSystem unitSystem = UnitSystem::English;
    double excavationDepth = 0;       // H (WallHeight)
    double wallLength = 0;            // L = n h
    double activeWidth = 0;           // Wa, the width loaded above the excavation level
    double pyWidth = 0;               // Wp: below the excavation level the width is min(Wa, Wp) (0: Wa throughout)
    double waterDepthBackfill = 0;    // DWb
    double waterDepthExcavation = 0;  // DWe
    PoreWaterInput water;             // still water below DWb and DWe unless it says otherwise
    double activePressureFactor = 1;
    double backfillSlope = 0;         // beta, degrees
    double topSurcharge = 0;          // uniform load on the retained surface (F/L^2)
    std::vector<SoilLayer> layers;
    std::vector<SurchargeLoad> surcharges;
    std::vector<DepthLoad> userLoads;             // option 1
    std::vector<double> springDepths;             // depths of the lateral springs (anchors), for option 3
};

// The loads at the nodes (force per unit length, positive toward the excavation).
struct NodeLoads {
    std::vector<double> soil;       // earth pressure and water ("pressure from soils")
    std::vector<double> surcharge;  // surcharge loads ("pressure from surcharge loads")
    std::vector<double> total;      // their sum, the load the analysis applies
    std::vector<std::string> notes; // choices and warnings, for the output text
};

// The loads at nodeDepths (increasing, from 0 to L). Pressures act on the width
// Wa above the excavation level and on min(Wa, Wp) below it, where spaced units
// have no lagging. At a node where a pressure or the width jumps (a layer
// boundary, the excavation level) the load is the mean of the values just above
// and just below. Throws TorvikError (naming the layer or the
// row) for unusable input.
NodeLoads ComputeRetainedSideLoads(const RetainedSideInput& input, const std::vector<double>& nodeDepths);

// The apparent-pressure envelope above the excavation for anchored walls: zero
// at the top, rising to its maximum at 2/3 H1, constant to H - 2/3 Hn, falling
// to zero at H; the maximum is total / (H - H1/3 - Hn/3).
class ApparentPressureEnvelope {
public:
    // h excavation depth, h1 depth of the highest anchor, hn distance from the
    // lowest anchor to the excavation level, total the area of the envelope.
    ApparentPressureEnvelope(double h, double h1, double hn, double total);
    // Pressure at depth z (0 outside 0..H).
    double At(double z) const;
    // The maximum pressure.
    double Maximum() const { return max_; }
    // Raises the maximum (the shape stays), for a lower bound such as that of clays.
    void RaiseMaximumTo(double maximum);
    // The area of the envelope (force per unit width).
    double Total() const;

private:
    double h_, rise_, fall_, max_;
};

}  // namespace engine
