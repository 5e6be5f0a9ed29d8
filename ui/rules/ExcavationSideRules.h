#pragma once
#include "model/WallSettings.h"

#include <string>
#include <vector>

// What the Excavation Side window shows and how it stores what is typed into
// it: one row per stage with the ground in front of the wall (level, a berm or
// a falling surface) and its dimensions, in the wall's units.

// The editable numbers, after the Stage and Ground columns.
enum class TGroundField { TopWidth, Height, SideSlope, SlopeAngle };
constexpr int GroundFieldCount = 4;
constexpr int GroundFixedColumns = 2;

// The choices of the Ground column, in the order of ExcavationGroundKind.
std::vector<std::string> GroundKindNames();
// The ground of each of `stageCount` stages (level where the settings give none).
std::vector<TExcavationSideSettings> ExcavationSideRows(int stageCount, const TWallSettings& settings);
// The captions of every column, units in brackets.
std::vector<std::string> ExcavationSideCaptions(UnitSystem unitSystem);
// The text of a number of the row; empty for a number its kind of ground does not have.
std::string GroundFieldText(const TExcavationSideSettings& ground, TGroundField field, UnitSystem unitSystem);
// Sets the kind of ground of `stage`: a new berm or slope starts from
// dimensions of its own (a berm 1 m wide and 1 m high at 45 degrees, a slope of
// 10 degrees); choosing level removes the stage's entry.
void SetGroundKind(TWallSettings& settings, int stage, ExcavationGroundKind kind);
// Stores a typed number of `stage`; a number of the other kind of ground makes
// the stage that kind. Returns the message to show when the entry is refused
// (then nothing changes); empty when stored.
std::string SetGroundField(TWallSettings& settings, int stage, TGroundField field, const std::string& typed,
                           UnitSystem unitSystem);
// The name of a change for Undo: "Berm Height", "Excavation Ground".
std::string GroundFieldCaption(TGroundField field);
