#pragma once
#include <string>

#include "model/EarthPressure.h"
#include "units/Units.h"

enum class TOption;

// The names of the changes that Undo and Redo show ("Undo Earth Pressure: Trapezoidal").

// A switch to a unit system.
std::string UnitsChangeCaption(UnitSystem system);
// A choice of the Earth-Pressure Options submenu.
std::string EarthPressureChangeCaption(TEarthPressure kind);
// An option switched on or off: its menu caption without access keys.
std::string OptionChangeCaption(TOption option);
// The Options menu's switch of the wall's settings, and the name of its change.
extern const char* const SpringsFromInstallationCaption;
extern const char* const PassiveLimitCaption;
extern const char* const LockOffAsBuiltCaption;
extern const char* const SoilBehindCaption;
extern const char* const LimitEquilibriumInVerdictCaption;
// The change of the design approach, its partial factors or the unplanned excavation in the Design Checks window.
extern const char* const DesignApproachCaption;
// A caption as shown in a menu: without access-key marks, blanks trimmed.
std::string PlainCaption(const std::string& caption);
