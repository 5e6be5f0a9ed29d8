#pragma once
#include "model/WaterSettings.h"

#include <nlohmann/json.hpp>

#include <string>

// The water settings in the settings file: the list "water_regimes" of the
// stages that are not hydrostatic and the object "hydraulic_heave_factors",
// each written only where it differs from the default.

// A value that cannot be taken: the key it was found under and what is wrong.
struct TWaterFault {
    std::string key;
    std::string what;
};

// One entry of "water_regimes"; throws TWaterFault.
TStageWater StageWaterFrom(const nlohmann::json& entry);
nlohmann::json StageWaterJson(const TStageWater& water);
// The object "hydraulic_heave_factors"; throws TWaterFault.
THydraulicFactors HydraulicFactorsFrom(const nlohmann::json& object);
nlohmann::json HydraulicFactorsJson(const THydraulicFactors& factors);
