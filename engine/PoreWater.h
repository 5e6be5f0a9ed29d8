#pragma once
#include "model/WallSettings.h"
#include "model/WaterSettings.h"
#include "units/Units.h"

#include <string>
#include <vector>

// The pore pressures on the two sides of the wall. Still water stands below
// each side's water depth. In steady seepage under the toe the head
// difference between the two water levels is lost along the flow path down
// the retained side and up the excavation side in proportion to the length
// travelled (the simplified method of the retaining-wall design guides: CIRIA
// C760, 2017, and the EAU, 2012, R 113), so the pore pressure varies linearly
// along the path and is the same on both sides at the toe. Depths are below
// the top of the wall, in the file's units.
namespace engine {

// The regime of a stage and, for a table, its rows in the file's units.
struct PoreWaterInput {
    WaterRegime regime = WaterRegime::Hydrostatic;
    std::vector<TPorePoint> retained, excavation;
};

// The regime of `stage` of a wall's settings (already in the file's units); a
// file without stages (stage 0) takes that of stage 1.
PoreWaterInput StageWaterInput(const TWallSettings& settings, int stage);

class PoreWater {
public:
    // gammaW the unit weight of water, dwb and dwe the water depths of the
    // retained and excavation sides, h the excavation level, toe the depth of
    // the wall's tip. Seepage without a path in the soil on either side (a
    // water depth at or below the toe) or without a head difference is still water.
    PoreWater(const PoreWaterInput& input, double gammaW, double dwb, double dwe, double h, double toe);

    // True when both sides have still water (the regime, or seepage that cannot flow).
    bool Hydrostatic() const { return regime_ == WaterRegime::Hydrostatic; }
    WaterRegime Regime() const { return regime_; }
    // Pore pressure at depth z on the retained and on the excavation side.
    double Retained(double z) const;
    double Excavation(double z) const;
    // The still-water pore pressure of the excavation side at z.
    double ExcavationStill(double z) const;

    // Seepage: where the flow enters the soil behind (the retained water table,
    // not above the top of the wall), where it leaves in front (the excavation
    // level or the water table there, the deeper), the path's length between
    // them round the toe, and the head lost along it (DWe - DWb).
    double Entry() const { return entry_; }
    double Exit() const { return exit_; }
    double PathLength() const { return path_; }
    double HeadDifference() const { return dwe_ - dwb_; }
    // The tip of the wall.
    double Toe() const { return toe_; }
    // Why seepage became still water; empty otherwise.
    const std::string& Fallback() const { return fallback_; }

private:
    double Seepage(double travelled) const;
    static double FromTable(const std::vector<TPorePoint>& rows, double gammaW, double z);

    WaterRegime regime_;
    std::vector<TPorePoint> retained_, excavation_;
    double gammaW_, dwb_, dwe_, toe_;
    double entry_ = 0, exit_ = 0, path_ = 0;
    std::string fallback_;
};

// The output text's lines on the pore water of a regime other than still
// water: the method and its limits, and the pore pressures on both sides and
// the net water pressure at the entry, the excavation level, the exit and the
// toe; none for still water, whose text stays as it was.
std::vector<std::string> PoreWaterNotes(const PoreWater& water, UnitSystem unitSystem);

}  // namespace engine
