#pragma once
#include "model/SettingsJsonFields.h"
#include "model/WaterSettings.h"

#include <nlohmann/json.hpp>

#include <string>

// The water settings in the settings file: the list "water_regimes" of the
// stages that are not hydrostatic and the object "hydraulic_heave_factors",
// each written only where it differs from the default.

// One entry of "water_regimes"; throws settings_fields::TSettingsFieldFault.
TStageWater StageWaterFrom(const nlohmann::json& entry);
nlohmann::json StageWaterJson(const TStageWater& water);
// The object "hydraulic_heave_factors"; throws settings_fields::TSettingsFieldFault.
THydraulicFactors HydraulicFactorsFrom(const nlohmann::json& object);
nlohmann::json HydraulicFactorsJson(const THydraulicFactors& factors);
