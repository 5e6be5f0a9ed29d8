#pragma once
#include "model/WallSettings.h"

#include <string>
#include <vector>

// What the Excavation Plan window shows and how it stores what is typed into
// it: the excavation's width and length (0: not given) and the factors asked
// of its base against heave and of the anchors' block of soil (Kranz), one
// row, lengths in the wall's units.

enum class TExcavationField { Width, Length, BasalHeaveTarget, KranzTarget };
constexpr int ExcavationFieldCount = 4;

// The captions of the columns, units in brackets.
std::vector<std::string> ExcavationColumnCaptions(UnitSystem unitSystem);
// The text of a field in the wall's units.
std::string ExcavationFieldText(const TExcavationSettings& excavation, TExcavationField field, UnitSystem unitSystem);
// Stores a typed value. Returns the message to show when the entry is refused
// (then nothing changes); empty when stored.
std::string SetExcavationField(TWallSettings& settings, TExcavationField field, const std::string& typed,
                               UnitSystem unitSystem);
// The name of the change for Undo: "Excavation Width".
std::string ExcavationFieldCaption(TExcavationField field);
