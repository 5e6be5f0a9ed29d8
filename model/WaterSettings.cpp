#include "model/WaterSettings.h"

#include "model/WaterSettingsJson.h"

#include <algorithm>
#include <cmath>

using nlohmann::json;

namespace {

constexpr const char* kRegimeNames[] = {"hydrostatic", "seepage", "table"};

[[noreturn]] void Fault(const char* key, const std::string& what)
{
    throw settings_fields::TSettingsFieldFault{key, what};
}

double RealOf(const json& object, const char* key, double fallback)
{
    auto it = object.find(key);
    if (it == object.end())
        return fallback;
    if (!it->is_number() || !std::isfinite(it->get<double>()))
        Fault(key, "\"" + std::string(key) + "\" must be a finite number");
    return it->get<double>();
}

// A table of [depth, pressure] pairs.
std::vector<TPorePoint> TableOf(const json& object, const char* key)
{
    std::vector<TPorePoint> rows;
    auto it = object.find(key);
    if (it == object.end())
        return rows;
    const std::string need = "\"" + std::string(key) + "\" must be a list of [depth m, pore pressure kPa] pairs";
    if (!it->is_array())
        Fault(key, need);
    for (const json& row : *it) {
        if (!row.is_array() || row.size() != 2 || !row[0].is_number() || !row[1].is_number())
            Fault(key, need);
        rows.push_back({row[0].get<double>(), row[1].get<double>()});
    }
    const std::string problem = PoreTableProblem(rows);
    if (!problem.empty())
        Fault(key, "\"" + std::string(key) + "\": " + problem);
    return rows;
}

json TableJson(const std::vector<TPorePoint>& rows)
{
    json list = json::array();
    for (const TPorePoint& p : rows)
        list.push_back({p.depth, p.pressure});
    return list;
}

}  // namespace

const char* WaterRegimeName(WaterRegime regime)
{
    return kRegimeNames[static_cast<int>(regime)];
}

std::optional<WaterRegime> WaterRegimeFromName(const std::string& name)
{
    for (int i = 0; i < 3; ++i)
        if (name == kRegimeNames[i])
            return static_cast<WaterRegime>(i);
    return std::nullopt;
}

bool TStageWater::operator==(const TStageWater& o) const
{
    return stage == o.stage && regime == o.regime && retained == o.retained && excavation == o.excavation;
}

bool TWaterSettings::IsDefault() const
{
    return stages.empty() && factors == THydraulicFactors{};
}

TStageWater TWaterSettings::Stage(int stage) const
{
    for (const TStageWater& w : stages)
        if (w.stage == stage)
            return w;
    TStageWater still;
    still.stage = stage;
    return still;
}

void TWaterSettings::Set(const TStageWater& water)
{
    auto at = std::lower_bound(stages.begin(), stages.end(), water.stage,
                               [](const TStageWater& w, int stage) { return w.stage < stage; });
    const bool same = at != stages.end() && at->stage == water.stage;
    if (water.regime == WaterRegime::Hydrostatic) {
        if (same)
            stages.erase(at);
    } else if (same) {
        *at = water;
    } else {
        stages.insert(at, water);
    }
}

std::string PoreTableProblem(const std::vector<TPorePoint>& rows)
{
    if (rows.size() > kMostPoreRows)
        return "a table of pore pressure may have at most " + std::to_string(kMostPoreRows) + " rows";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string row = "row " + std::to_string(i + 1);
        if (!std::isfinite(rows[i].depth) || !std::isfinite(rows[i].pressure))
            return row + " is not a usable number";
        if (rows[i].depth < 0)
            return row + ": the depth must not be negative";
        if (rows[i].pressure < 0)
            return row + ": the pore pressure must not be negative";
        if (i > 0 && !(rows[i].depth > rows[i - 1].depth))
            return row + ": the depth must be greater than that of the row above";
    }
    return {};
}

TStageWater StageWaterFrom(const json& entry)
{
    if (!entry.is_object() || !entry.contains("stage"))
        Fault("", "a water regime needs its \"stage\"");
    TStageWater w;
    const json& stage = entry.at("stage");
    if (!stage.is_number_integer() || stage.get<long long>() < 1 || stage.get<long long>() > 100000)
        Fault("stage", "\"stage\" must be a whole number from 1, not " + stage.dump());
    w.stage = static_cast<int>(stage.get<long long>());
    auto regime = entry.find("regime");
    const std::optional<WaterRegime> named =
        regime != entry.end() && regime->is_string() ? WaterRegimeFromName(regime->get<std::string>()) : std::nullopt;
    if (!named)
        Fault("regime",
              "\"regime\" of stage " + std::to_string(w.stage) + " must be \"hydrostatic\", \"seepage\" or \"table\"");
    w.regime = *named;
    if (w.regime == WaterRegime::Table) {
        w.retained = TableOf(entry, "retained_pore_pressure");
        w.excavation = TableOf(entry, "excavation_pore_pressure");
    }
    return w;
}

json StageWaterJson(const TStageWater& w)
{
    json j = {{"stage", w.stage}, {"regime", WaterRegimeName(w.regime)}};
    if (w.regime == WaterRegime::Table) {
        j["retained_pore_pressure"] = TableJson(w.retained);
        j["excavation_pore_pressure"] = TableJson(w.excavation);
    }
    return j;
}

THydraulicFactors HydraulicFactorsFrom(const json& object)
{
    if (!object.is_object())
        Fault("hydraulic_heave_factors", "\"hydraulic_heave_factors\" must be an object of partial factors");
    THydraulicFactors f;
    f.gammaG_dst = RealOf(object, "gamma_G_dst", f.gammaG_dst);
    f.gammaG_stb = RealOf(object, "gamma_G_stb", f.gammaG_stb);
    if (f.gammaG_dst < kLowestDestabilisingFactor || f.gammaG_dst > kHighestDestabilisingFactor)
        Fault("gamma_G_dst", "the partial factor \"gamma_G_dst\" must lie from 1 to 10");
    if (f.gammaG_stb < kLowestStabilisingFactor || f.gammaG_stb > kHighestStabilisingFactor)
        Fault("gamma_G_stb", "the partial factor \"gamma_G_stb\" must lie from 0.1 to 1");
    return f;
}

json HydraulicFactorsJson(const THydraulicFactors& f)
{
    return {{"gamma_G_dst", f.gammaG_dst}, {"gamma_G_stb", f.gammaG_stb}};
}
