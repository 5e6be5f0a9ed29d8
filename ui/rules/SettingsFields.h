#pragma once
#include <functional>
#include <string>

#include "units/Units.h"

// A quantity of the wall settings as the Anchors and Steel Sections windows
// show it: the settings hold SI values (kN, m, kPa); the windows show them in
// the wall's unit system, labelled as the input tables label theirs.

// The value shown in unit system `unitSystem` for the SI value `si` of dimension
// `dimension` ("F/L", "L^3"; empty for degrees and percent), and back.
double ShownSetting(double si, const char* dimension, UnitSystem unitSystem);
double StoredSetting(double shown, const char* dimension, UnitSystem unitSystem);
// The caption of a column: "Spacing (m)"; `dimension` empty gives `unitText`
// in brackets when it is not empty ("Inclination (deg)").
std::string SettingCaption(const char* caption, const char* dimension, UnitSystem unitSystem,
                           const char* unitText = "");
// The text of a shown value: 8 significant digits.
std::string SettingText(double si, const char* dimension, UnitSystem unitSystem);
// The number a typed entry gives (the program's evaluator: 2*1.5 is 3).
// Returns the message to show when it is no number; empty when `value` was set.
std::string ReadSettingEntry(const std::string& typed, double& value);
// A typed entry shown in the wall's units, as the SI value of `dimension` in
// `value` when it is a number that `problem` (the SI value's check: empty when
// it is taken) takes. Returns why it is refused; empty when `value` was set.
std::string ReadStoredSetting(const std::string& typed, const char* dimension, UnitSystem unitSystem,
                              const std::function<std::string(double)>& problem, double& value);
