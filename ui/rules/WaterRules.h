#pragma once
#include "model/WallSettings.h"

#include <array>
#include <string>
#include <vector>

// What the Ground Water window shows and how it stores what is typed into it:
// the water regime of the open stage, its tables of pore pressure on each side
// (for a flow net made elsewhere) and the partial factors of the heave check.
// Values are shown in the wall's unit system and stored in SI.

enum class TWaterSide { Retained, Excavation };

// The texts of the regime's choices, in the order of WaterRegime.
std::vector<std::string> WaterRegimeCaptions();
// Sets the regime of `stage`; a regime other than a table drops the stage's tables.
void SetStageRegime(TWallSettings& settings, int stage, WaterRegime regime);

// The captions of a table's two columns, units in brackets.
std::vector<std::string> PoreColumnCaptions(UnitSystem unitSystem);
// The rows of a side's table of `stage` as texts: depth, pore pressure.
std::vector<std::array<std::string, 2>> PoreRowsText(const TWallSettings& settings, int stage, TWaterSide side,
                                                     UnitSystem unitSystem);
// Stores a typed cell (column 0 depth, 1 pore pressure) into row `row` of a
// side's table of `stage`; a row one past the last adds a row (its depth a
// metre below the last row's, its pressure 0, until typed); an empty depth
// removes the row. Returns the message to show when the entry is refused
// (then nothing changes); empty when stored.
std::string SetPoreCell(TWallSettings& settings, int stage, TWaterSide side, int row, int column,
                        const std::string& typed, UnitSystem unitSystem);

// The text of gamma_G;dst (destabilising true) or gamma_G;stb.
std::string HydraulicFactorText(const TWallSettings& settings, bool destabilising);
// Stores a typed factor; the message when it is refused, empty when stored.
std::string SetHydraulicFactor(TWallSettings& settings, bool destabilising, const std::string& typed);
