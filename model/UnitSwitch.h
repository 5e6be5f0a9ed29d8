#pragma once
#include "units/Units.h"

// The conversion factors of the wall's scalars between English (1) and SI (2)
// units. The force factor of 1 to 2 is the program's own 0.004448222468060651,
// not the exact kilonewtons per pound-force, and 2 to 1 is a rounded inverse,
// so a switch there and back does not give back exactly the same numbers.
struct ScalarFactors {
    long double Length = 1;  // L
    long double Force = 1;   // F
};

// The factors for a move from `from` to `to`: 1/1 for the same
// system and for every move from or to generic units.
ScalarFactors ScalarSwitchFactors(UnitSystem from, UnitSystem to);

// The iteration controls of a new wall in a unit system: round values of
// about the same size in each (100 in and 1E-5 in; 2.5 m and 1E-7 m; generic
// units as English).
struct ControlDefaults {
    long double MaxDeflection = 100;
    long double ClosureTolerance = 0.00001L;
};
ControlDefaults DefaultControls(UnitSystem system);

// After a switch from `from` to `to`: a control that holds the converted
// default of `from` takes the round default of `to` instead (a new SI wall
// shows 2.5 m, not 2.54 m). Values the user chose are left as converted.
void AdoptControlDefaults(long double& maxDeflection, long double& closureTolerance, UnitSystem from, UnitSystem to);
