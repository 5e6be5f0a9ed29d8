#pragma once
#include "model/WallSettings.h"

#include <string>
#include <vector>

class TProgramData;

// What the Wall Friction window shows and how it stores what is typed into it:
// one row per soil layer of the open stage (as its soil layers table holds
// them) with that layer's contact with the wall: the wall friction ratio
// delta/phi' (0 to 1), where the soil has a friction angle, and the adhesion
// ratio a/c (0 to 0.5), where it has a cohesion.

// The editable columns, after the read-only layer, soil and bottom depth.
enum class TWallFrictionField { Friction, Adhesion };
constexpr int WallFrictionFieldCount = 2;
constexpr int WallFrictionFixedColumns = 3;

struct TWallFrictionRow {
    int layer = 1;               // 1 for the first
    std::string soil;            // the kind of soil, as the soil layers table names it
    std::string bottom;          // the layer's bottom depth, as that table holds it
    bool friction = false;       // the soil has a friction angle: delta/phi' applies
    bool cohesion = false;       // the soil has a cohesion: a/c applies
    TWallFrictionSettings contact;  // smooth when none was set
};

// The soil layers of the open stage of `wall` with their contact in `settings`.
std::vector<TWallFrictionRow> WallFrictionRows(const TProgramData& wall, const TWallSettings& settings);
// The captions of every column.
std::vector<std::string> WallFrictionColumnCaptions(UnitSystem unitSystem);
// The text of an editable column: the ratio, or "-" where it does not apply to the soil.
std::string WallFrictionFieldText(const TWallFrictionRow& row, TWallFrictionField field);
// Stores a typed ratio into the contact of `layer`. Returns the message to show
// when the entry is refused (then nothing changes); empty when stored.
std::string SetWallFrictionField(TWallSettings& settings, int layer, TWallFrictionField field,
                                 const std::string& typed);
// The name of the change for Undo: "Wall Friction Ratio".
std::string WallFrictionFieldCaption(TWallFrictionField field);
