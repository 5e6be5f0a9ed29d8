#include "engine/PoreWater.h"

#include "engine/PyCurveText.h"
#include "engine/SoilLayer.h"

#include <algorithm>

namespace engine {

PoreWaterInput StageWaterInput(const TWallSettings& settings, int stage)
{
    const TStageWater w = settings.water.Stage(stage > 0 ? stage : 1);
    return {w.regime, w.retained, w.excavation};
}

PoreWater::PoreWater(const PoreWaterInput& input, double gammaW, double dwb, double dwe, double h, double toe)
    : regime_(input.regime),
      retained_(input.retained),
      excavation_(input.excavation),
      gammaW_(gammaW),
      dwb_(dwb),
      dwe_(dwe),
      toe_(toe)
{
    if (regime_ != WaterRegime::Seepage)
        return;
    entry_ = std::max(dwb, 0.0);
    exit_ = std::max(dwe, h);
    path_ = (toe - entry_) + (toe - exit_);
    if (entry_ >= toe || exit_ >= toe)
        fallback_ = "a water table lies at or below the tip of the wall, so no water flows under it";
    else if (dwe == dwb)
        fallback_ = "the two water levels are the same";
    if (!fallback_.empty())
        regime_ = WaterRegime::Hydrostatic;
}

double PoreWater::Seepage(double travelled) const
{
    // The piezometric level, as a depth, moves from DWb to DWe along the path.
    return dwb_ + (dwe_ - dwb_) * travelled / path_;
}

double PoreWater::FromTable(const std::vector<TPorePoint>& rows, double gammaW, double z)
{
    // Linear between the rows; above the first and below the last the pressure
    // changes as in still water from the nearest row.
    if (z <= rows.front().depth)
        return std::max(0.0, rows.front().pressure - gammaW * (rows.front().depth - z));
    if (z >= rows.back().depth)
        return rows.back().pressure + gammaW * (z - rows.back().depth);
    auto above =
        std::lower_bound(rows.begin(), rows.end(), z, [](const TPorePoint& p, double d) { return p.depth < d; });
    const TPorePoint& b = *above;
    const TPorePoint& a = *(above - 1);
    return a.pressure + (b.pressure - a.pressure) * (z - a.depth) / (b.depth - a.depth);
}

double PoreWater::Retained(double z) const
{
    if (regime_ == WaterRegime::Table && !retained_.empty())
        return FromTable(retained_, gammaW_, z);
    if (regime_ == WaterRegime::Seepage && z > entry_) {
        const double d = std::min(z, toe_);
        return std::max(0.0, gammaW_ * (z - Seepage(d - entry_)));
    }
    return z > dwb_ ? gammaW_ * (z - dwb_) : 0.0;
}

double PoreWater::ExcavationStill(double z) const
{
    return z > dwe_ ? gammaW_ * (z - dwe_) : 0.0;
}

double PoreWater::Excavation(double z) const
{
    if (regime_ == WaterRegime::Table && !excavation_.empty())
        return FromTable(excavation_, gammaW_, z);
    if (regime_ == WaterRegime::Seepage && z > exit_) {
        const double d = std::min(z, toe_);
        return std::max(0.0, gammaW_ * (z - Seepage((toe_ - entry_) + (toe_ - d))));
    }
    return ExcavationStill(z);
}

namespace {

std::string PressureLine(const PoreWater& water, double z, UnitSystem unitSystem, const std::string& where)
{
    const UnitLabels units = UnitLabelsFor(unitSystem);
    const double ub = water.Retained(z), ue = water.Excavation(z);
    return "  at " + DepthText(z, unitSystem) + " (" + where + "): u_b = " + Num(ub) + ", u_e = " + Num(ue) +
           ", net u_b - u_e = " + Num(ub - ue) + " " + units.stress;
}

}  // namespace

std::vector<std::string> PoreWaterNotes(const PoreWater& water, UnitSystem unitSystem)
{
    std::vector<std::string> notes;
    if (!water.Fallback().empty()) {
        notes.push_back("Water: seepage is set for this stage, but " + water.Fallback() +
                        ": still water on both sides.");
        return notes;
    }
    if (water.Regime() == WaterRegime::Seepage) {
        notes.push_back(
            "Water: steady seepage under the toe by the simplified method (CIRIA C760; EAU R 113): the head difference "
            "DWe - DWb = " +
            DepthText(water.HeadDifference(), unitSystem) +
            " is lost in proportion to the length of "
            "the flow path down the retained side from " +
            DepthText(water.Entry(), unitSystem) +
            " and up the "
            "excavation side to " +
            DepthText(water.Exit(), unitSystem) + ", " + DepthText(water.PathLength(), unitSystem) +
            " long: the gradient " + Num(water.HeadDifference() / water.PathLength()) +
            " is the same all along it "
            "(the flow near the toe is more concentrated than this; where the exit gradient matters, use a flow net). "
            "The pore pressures change sigma'v on both sides in the earth pressure, the p-y curves and the passive "
            "limit.");
    } else {
        notes.push_back("Water: the user's table of pore pressures against depth (linear between its rows; above the "
                        "first and below the last as still water from the nearest row). The pore pressures change "
                        "sigma'v on both sides in the earth pressure, the p-y curves and the passive limit.");
    }
    notes.push_back("Pore pressures on both sides and the net water pressure:");
    const double toe = water.Toe();
    if (water.Regime() == WaterRegime::Seepage) {
        notes.push_back(PressureLine(water, water.Entry(), unitSystem, "entry behind"));
        notes.push_back(PressureLine(water, water.Exit(), unitSystem, "exit in front"));
    }
    notes.push_back(PressureLine(water, toe, unitSystem, "toe"));
    return notes;
}

}  // namespace engine
