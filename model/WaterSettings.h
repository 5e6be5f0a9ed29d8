#pragma once
#include "model/DesignFactors.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// How the ground water stands beside the wall, stage by stage, and the partial
// factors of the check against hydraulic heave (model/DesignFactors.h). Values are in SI units (m, kPa)
// like every wall setting; TWallSettings::InFileUnits converts them.

// The pore pressures on the two sides of the wall in one stage.
enum class WaterRegime {
    Hydrostatic,  // still water below each side's water depth (DWb, DWe)
    Seepage,  // steady flow under the toe, the head lost in proportion to the path length
    Table,  // the user's pore pressures against depth on each side (a flow net made elsewhere)
};

// "hydrostatic", "seepage", "table".
const char* WaterRegimeName(WaterRegime regime);
// The regime of a name as WaterRegimeName gives it; empty for any other text.
std::optional<WaterRegime> WaterRegimeFromName(const std::string& name);

// One row of a table of pore pressure: depth below the top of the wall (m) and
// the pore pressure there (kPa).
struct TPorePoint {
    double depth = 0;
    double pressure = 0;

    bool operator==(const TPorePoint& o) const { return depth == o.depth && pressure == o.pressure; }
};

// The water of stage `stage` (1 for the first; in a file without stages the
// entry of stage 1 holds for its analyses).
struct TStageWater {
    int stage = 1;
    WaterRegime regime = WaterRegime::Hydrostatic;
    // Only for WaterRegime::Table: rising depths, pressures not negative. A side
    // without rows keeps its still water.
    std::vector<TPorePoint> retained, excavation;

    bool operator==(const TStageWater& o) const;
    bool operator!=(const TStageWater& o) const { return !(*this == o); }
};

struct TWaterSettings {
    std::vector<TStageWater> stages;  // by rising stage, one per stage; stages without one are hydrostatic
    THydraulicFactors factors;

    // True when every stage is hydrostatic and the factors are the recommended ones.
    bool IsDefault() const;
    // The water of `stage`: hydrostatic when none was set.
    TStageWater Stage(int stage) const;
    // Puts the entry in its place by stage, replacing one of the same stage; a
    // hydrostatic entry removes the stage's entry.
    void Set(const TStageWater& water);

    bool operator==(const TWaterSettings& o) const { return stages == o.stages && factors == o.factors; }
    bool operator!=(const TWaterSettings& o) const { return !(*this == o); }
};

// The ranges the settings file and the windows accept.
constexpr double kLowestDestabilisingFactor = 1.0;  // gamma_G;dst from 1 ...
constexpr double kHighestDestabilisingFactor = 10.0;  // ... to 10
constexpr double kLowestStabilisingFactor = 0.1;  // gamma_G;stb from 0.1 ...
constexpr double kHighestStabilisingFactor = 1.0;  // ... to 1: it lowers the weight
// The most rows a table of pore pressure may have on one side.
constexpr std::size_t kMostPoreRows = 200;

// What is wrong with a stage's table of pore pressure ("" when it is usable):
// depths rising (not falling), pressures finite and not negative, at most
// kMostPoreRows rows a side.
std::string PoreTableProblem(const std::vector<TPorePoint>& rows);
