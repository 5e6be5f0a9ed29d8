#pragma once
#include "engine/WallFileReader.h"
#include "model/WallSettings.h"

#include <string>
#include <vector>

// The hydraulic-heave check of every stage whose water is not still, as CSV
// for the results export: a header row, then a row per such stage (a check
// that does not apply has empty values and says why). Lines end in CR LF; ""
// when every stage is in still water. `settings` as stored (SI).
std::string HydraulicHeaveCsv(const std::vector<WallFileBlock>& blocks, const TWallSettings& settings);
