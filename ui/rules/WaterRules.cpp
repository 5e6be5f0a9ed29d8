#include "ui/rules/WaterRules.h"

#include "ui/rules/SettingsFields.h"
#include "units/NumberFormat.h"

namespace {

std::vector<TPorePoint>& Table(TStageWater& water, TWaterSide side)
{
    return side == TWaterSide::Retained ? water.retained : water.excavation;
}

const char* Dimension(int column)
{
    return column == 0 ? "L" : "F/L^2";
}

}  // namespace

std::vector<std::string> WaterRegimeCaptions()
{
    return {"Still water below the water depths (hydrostatic)", "Seepage under the toe (simplified method)",
            "Table of pore pressures on each side"};
}

void SetStageRegime(TWallSettings& settings, int stage, WaterRegime regime)
{
    TStageWater water = settings.water.Stage(stage);
    water.regime = regime;
    if (regime != WaterRegime::Table) {
        water.retained.clear();
        water.excavation.clear();
    }
    settings.water.Set(water);
}

std::vector<std::string> PoreColumnCaptions(UnitSystem unitSystem)
{
    return {SettingCaption("Depth", "L", unitSystem), SettingCaption("Pore Pressure", "F/L^2", unitSystem)};
}

std::vector<std::array<std::string, 2>> PoreRowsText(const TWallSettings& settings, int stage, TWaterSide side,
                                                     UnitSystem unitSystem)
{
    TStageWater water = settings.water.Stage(stage);
    std::vector<std::array<std::string, 2>> rows;
    for (const TPorePoint& p : Table(water, side))
        rows.push_back({SettingText(p.depth, "L", unitSystem), SettingText(p.pressure, "F/L^2", unitSystem)});
    return rows;
}

std::string SetPoreCell(TWallSettings& settings, int stage, TWaterSide side, int row, int column,
                        const std::string& typed, UnitSystem unitSystem)
{
    TStageWater water = settings.water.Stage(stage);
    std::vector<TPorePoint>& rows = Table(water, side);
    const std::string where = std::string(side == TWaterSide::Retained ? "Pore pressure behind the wall"
                                                                       : "Pore pressure in front of the wall") +
                              ": ";
    const std::string rowName = "row " + std::to_string(row + 1) + ": ";
    if (row < 0 || row > static_cast<int>(rows.size()) || water.regime != WaterRegime::Table)
        return where + "pore pressures are typed in a stage whose water is a table.";
    const auto at = static_cast<std::size_t>(row);
    if (typed.find_first_not_of(" \t") == std::string::npos) {
        if (column != 0 || at == rows.size())
            return where + rowName + "a value is needed (an empty depth removes the row).";
        rows.erase(rows.begin() + static_cast<long>(at));
    } else {
        double shown = 0;
        const std::string unreadable = ReadSettingEntry(typed, shown);
        if (!unreadable.empty())
            return where + rowName + unreadable;
        if (at == rows.size())
            rows.push_back({rows.empty() ? 0.0 : rows.back().depth + 1, 0.0});
        (column == 0 ? rows[at].depth : rows[at].pressure) = StoredSetting(shown, Dimension(column), unitSystem);
        const std::string problem = PoreTableProblem(rows);
        if (!problem.empty())
            return where + problem + ".";
    }
    settings.water.Set(water);
    return {};
}

std::string HydraulicFactorText(const TWallSettings& settings, bool destabilising)
{
    return FormatGeneral(destabilising ? settings.water.factors.gammaG_dst : settings.water.factors.gammaG_stb, 8);
}

std::string SetHydraulicFactor(TWallSettings& settings, bool destabilising, const std::string& typed)
{
    double value = 0;
    const std::string unreadable = ReadSettingEntry(typed, value);
    const char* name = destabilising ? "gamma_G;dst" : "gamma_G;stb";
    if (!unreadable.empty())
        return std::string(name) + ": " + unreadable;
    const double lowest = destabilising ? kLowestDestabilisingFactor : kLowestStabilisingFactor;
    const double highest = destabilising ? kHighestDestabilisingFactor : kHighestStabilisingFactor;
    if (!(value >= lowest && value <= highest))
        return std::string(name) + " must lie from " + FormatGeneral(lowest, 4) + " to " + FormatGeneral(highest, 4) +
               ".";
    (destabilising ? settings.water.factors.gammaG_dst : settings.water.factors.gammaG_stb) = value;
    return {};
}
