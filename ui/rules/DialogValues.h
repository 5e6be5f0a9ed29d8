#pragma once
#include <cstdint>
#include <string>

#include "units/Units.h"

class TProgramData;

// How a dialog shows a scalar of the wall. The wall holds its scalars in the
// units of the data file; in English units the dialogs show depths in feet
// (stored in inches) and the surcharge at the top of the backfill in lbs/ft^2
// (stored in lbs/in^2). In SI and generic units every value is shown as stored.
enum class TShownUnit {
    AsStored,       // shown as stored in every unit system
    FeetForInches,  // English: shown in ft, stored in in
    PsfForPsi       // English: shown in lbs/ft^2, stored in lbs/in^2
};

// The value a dialog shows for a stored value, in unit system `unitSystem`.
long double ShownValue(TShownUnit unit, long double stored, UnitSystem unitSystem);
// The value stored for a value typed into a dialog (the inverse of ShownValue).
long double StoredValue(TShownUnit unit, long double shown, UnitSystem unitSystem);

// The project title as typed: one line, so line breaks (a pasted text may
// carry them) are dropped, and at most TitleLength characters.
std::string TitleLine(const std::string& typed);
// The longest project title.
constexpr int TitleLength = 80;
// Replaces `title` by the typed line when they differ; true when it changed,
// which is when the wall counts as modified.
bool StoreTitle(std::string& title, const std::string& typed);

// The water depth (data-file units) that a new wall starts with on both
// sides: far below any wall tip, so that a new wall has no water table until
// the user gives one (1000 ft in English units, 300 m in SI, 1000 otherwise).
long double NoWaterTableDepth(UnitSystem unitSystem);
// What a water depth means for a wall `wallLength` long (both in data-file
// units): "no water table (below the wall tip)" when it lies at or below the
// tip, "above the ground surface" when it is negative, else empty.
std::string WaterTableNote(long double depth, long double wallLength);
// Puts both water tables of a new wall at NoWaterTableDepth.
void StartWithoutWaterTable(TProgramData& wall);

// The geometry a new wall starts with, in the data-file units of `unitSystem`,
// so that every field of a new wall holds a value its dialog accepts: 100
// increments making a wall of 30 ft (10 m in SI and generic units), a free
// height of 10 ft (3 m), and the widths Wa and Wp of one foot (1 m) of wall.
struct TStartingWall {
    std::int32_t nodeCount;
    long double incrementLength;
    long double freeHeight;
    long double width;
};
TStartingWall StartingWall(UnitSystem unitSystem);
// A new wall as the program starts it: StartingWall and no water table.
void StartNewWall(TProgramData& wall);
// After a switch of `wall` from unit system `from`: a wall that still holds
// the starting geometry of `from` (converted) takes that of its new system
// (10 m, not 9.144 m); a wall with any of it changed keeps its converted values.
void AdoptStartingWall(TProgramData& wall, UnitSystem from);
// After a switch of `wall` from unit system `from`: a water depth that is the
// converted NoWaterTableDepth of `from` becomes that of the wall's new system
// (300 m, not 304.8 m).
void AdoptNoWaterTable(TProgramData& wall, UnitSystem from);

// Why the wall's free height cannot be analysed, with units as the dialogs
// show them: "Free Height of Wall: the excavation depth 12 m must be less than
// the wall's length 9 m (90 increments of 0.1 m)." (a staged wall's begins
// with "Stage 2: "); empty when the free height lies within the wall.
std::string WallLengthProblem(const TProgramData& wall);

// The depth of node `node` below the wall top, as the tables show it beside
// node numbers: node x increment length, in feet in English units (the
// increment length is held in inches), as held otherwise; 8 digits.
std::string NodeDepthText(long long node, const TProgramData& wall);
// The caption of those depths: "Depth (ft)", "Depth (m)" or "Depth (L)".
std::string NodeDepthCaption(UnitSystem unitSystem);
