#pragma once
#include "engine/PoreWater.h"
#include "engine/ExcavationGround.h"
#include "engine/SoilLayer.h"

#include <optional>

#include <vector>

// The soil column beside the wall: which layer holds a depth, its parameters
// there (linear within the layer), and the vertical stresses on both sides.
// All depths are below the top of the wall, in the file's length unit.
namespace engine {

// At a layer boundary: take the layer that ends there or the one that starts there.
enum class Side { Above, Below };

class SoilProfile {
public:
    // Checks that the bottoms increase strictly and are positive (TorvikError
    // naming the layer otherwise). gammaW is the unit weight of water; the water
    // depths are those of the backfill (DWb) and the excavation side (DWe).
    SoilProfile(std::vector<SoilLayer> layers, double gammaW, double waterDepthBackfill,
                double waterDepthExcavation, double excavationDepth);
    // The same with the pore pressures of `water` in place of still water below
    // the two water depths (the same profile when it is hydrostatic).
    SoilProfile(std::vector<SoilLayer> layers, double gammaW, double waterDepthBackfill, double waterDepthExcavation,
                double excavationDepth, const PoreWater& water);

    // The layers, as given.
    const std::vector<SoilLayer>& Layers() const { return layers_; }
    // True when there are no layers.
    bool Empty() const { return layers_.empty(); }
    // Depth of the top of layer i (0 for the first).
    double LayerTop(int i) const;
    // Index of the layer holding depth z; below the last layer, the last layer.
    // -1 when there are no layers.
    int LayerAt(double z, Side side) const;
    // True when z lies below the bottom of the last layer.
    bool BelowLastLayer(double z) const;
    // Parameters at z, linear in the layer; below the last layer its bottom values.
    SoilParameters ParametersAt(double z, Side side) const;

    // Total vertical stress on the retained side: the integral of gamma from 0 to z.
    double TotalVerticalStress(double z) const;
    // Pore pressure on the retained side, gammaW (z - DWb) below DWb in still water.
    double PoreBackfill(double z) const;
    // Pore pressure on the excavation side, gammaW (z - DWe) below DWe in still water.
    double PoreExcavation(double z) const;
    // Effective vertical stress on the retained side (not below 0).
    double EffectiveBackfill(double z) const;
    // Effective vertical stress on the excavation side: integral from the excavation
    // level to z of gamma (above DWe) or gamma - gammaW (below it); 0 above the
    // excavation level and never below 0. With water that flows, the total
    // stress (soil and the free water above the excavation level) less the pore
    // pressure. With a berm in front of the wall, plus its equivalent surcharge
    // for the passive wedge through z (BermSurcharge).
    double EffectiveExcavation(double z) const;
    // The factor on the soil's resistance in front of the wall at z below the
    // excavation level: SlopeResistanceFactor for a falling surface, 1 otherwise.
    double ExcavationResistanceFactor(double z) const;
    // The ground in front of the wall; level unless set.
    void SetGround(const ExcavationGround& ground) { ground_ = ground; }
    const ExcavationGround& Ground() const { return ground_; }
    // The mean effective unit weight of a berm's soil: the effective vertical
    // stress its full height (cut at the top of the wall) gives at the excavation level, per height.
    double BermUnitWeight() const;
    // Mean cohesion between depths a < b (0 in layers without cohesion); the value at a when b <= a.
    double AverageCohesion(double a, double b) const;
    // Depth of the top of the rock below the excavation: the top of the first rock
    // layer whose bottom lies below the excavation level, or the excavation level
    // when that lies in rock. Negative when there is no such layer.
    double RockTopBelowExcavation() const;

    // Unit weight of water used.
    double GammaW() const { return gammaW_; }
    // Excavation depth H.
    double ExcavationDepth() const { return excavationDepth_; }

private:
    template <class Value>
    double IntegrateLinearPieces(double a, double b, Value value) const;

    std::vector<SoilLayer> layers_;
    std::vector<double> stressAtTop_;  // total vertical stress at the top of each layer
    double gammaW_;
    double waterDepthBackfill_;
    double waterDepthExcavation_;
    double excavationDepth_;
    std::optional<PoreWater> water_;  // set when the water is not still
    ExcavationGround ground_;
};

}  // namespace engine
