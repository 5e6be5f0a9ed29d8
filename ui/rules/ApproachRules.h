#pragma once
#include "model/WallSettings.h"

#include <optional>
#include <string>

// How the Design Checks window shows and takes the design approach of a wall.

// The set a partial factor belongs to, from its settings key: "A1", "M2",
// "R3", ...; "Structure" for gamma_M0 and the anchors' factor.
std::string FactorSetName(const TPartialFactorEntry& entry);

// The factor as typed, when it is a number within the range a partial factor may take.
std::optional<double> TypedFactor(const std::string& text);

// `settings` with the design approach, its partial factors and the unplanned
// excavation switch of `from`; everything else of `settings` kept.
TWallSettings WithApproachOf(TWallSettings settings, const TWallSettings& from);
