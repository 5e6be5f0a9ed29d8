#pragma once
#include <optional>
#include <string>

// The layouts of a data file the reader accepts.
enum class TFileLayout {
    Current,    // ".tk4d": stage count, moment-EI curves, surcharge table, p-y multipliers
    Version30,  // ".tkd" 3.0: stage count; surcharge rows built from the surcharge line
    Version20,  // ".tkd" 2.0: no stage count, layer thicknesses, one parameter line per layer
};

// The marker line after the first block of a data file that announces the
// block of the long-term analysis; any other number ends the wall.
constexpr int kLongTermMarker = 9;
// The marker line a wall's data file carries: 9 with a long-term analysis, else 0.
constexpr int LongTermMarkerOf(bool longTermAnalysis)
{
    return longTermAnalysis ? kLongTermMarker : 0;
}

// The kind of a row of deflection and slope restraints, its first item in the
// data file: the row holds the deflection or the slope at its node.
constexpr int kDeflectionRestraint = 1;
constexpr int kSlopeRestraint = 2;

// The layout of a file opened by name: version 3.0 for a ".tkd" extension (any
// case), the current layout otherwise.
TFileLayout LayoutForPath(const std::string& path);
// The layout as the open dialog's filters and torvik-cli's --format number
// them: 1 current, 2 version 3.0, 3 version 2.0; none for any other number.
std::optional<TFileLayout> LayoutOfNumber(int number);
