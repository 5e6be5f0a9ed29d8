#pragma once
#include "model/WallSettings.h"

#include <string>
#include <vector>

class TProgramData;

// What the Anchors window shows and how it stores what is typed into it: one
// row per spring row of the current stage (as its data file holds them), with
// the settings of the anchor whose spring row starts at that row's From node.

// The editable columns, after the read-only From, To, depth and stiffness.
enum class TAnchorField { Prestress, Spacing, Inclination, AxialLoad, Capacity, FreeLength, FixedLength };
constexpr int AnchorFieldCount = 7;
// The read-only columns before them.
constexpr int AnchorFixedColumns = 4;

struct TAnchorRow {
    int from = 0;
    int to = 0;
    std::string depth;       // of the From node, as the tables show depths
    std::string stiffness;   // lateral stiffness as the springs table holds it
    TAnchorSettings anchor;  // the defaults when none was set
};

// The spring rows of the open stage of `wall` with their anchors in `settings`;
// a blank row (nodes 0 to 0, no stiffness) is none.
std::vector<TAnchorRow> AnchorRows(const TProgramData& wall, const TWallSettings& settings);
// The captions of every column, units in brackets.
std::vector<std::string> AnchorColumnCaptions(UnitSystem unitSystem);
// The text of an editable column (empty for the axial-load check box).
std::string AnchorFieldText(const TAnchorSettings& anchor, TAnchorField field, UnitSystem unitSystem);
// Stores a typed value into the anchor of `node`. Returns the message to show
// when the entry is refused (then nothing changes); empty when stored.
std::string SetAnchorField(TWallSettings& settings, int node, TAnchorField field, const std::string& typed,
                           UnitSystem unitSystem);
// Sets whether the vertical component of the anchor of `node` acts as axial load.
void SetAnchorAxialLoad(TWallSettings& settings, int node, bool axialLoad);
// The name of the change for Undo: "Anchor Prestress".
std::string AnchorFieldCaption(TAnchorField field);
