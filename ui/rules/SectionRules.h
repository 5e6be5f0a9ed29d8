#pragma once
#include "model/WallSettings.h"

#include <string>
#include <vector>

class TProgramData;

// What the Steel Sections window shows and how it stores what is typed into
// it: one row per section of the wall settings, by rising first node.

// The columns, the depth read-only.
enum class TSectionField { Node, Depth, Name, Modulus, YieldStrength, ShearArea, CorrosionLoss };
constexpr int SectionFieldCount = 7;

// The captions of every column, units in brackets. In SI units W is shown in
// cm³ per metre of wall (`perPile`: per pile of spaced units) and fy in MPa,
// as catalogues give them; the settings keep m³ and kN/m².
std::vector<std::string> SectionColumnCaptions(UnitSystem unitSystem, bool perPile = false);
// Whether the wall's sections are of spaced units, analysed per pile: the
// earth pressure is generated on an active width other than one length unit.
bool SectionsPerPile(const TProgramData& wall);
// The text of a column of `section` on `wall`.
std::string SectionFieldText(const TSectionSettings& section, TSectionField field, const TProgramData& wall);
// Stores a typed value into the section of `node` (a new first node moves it).
// Returns the message to show when the entry is refused (then nothing
// changes); empty when stored.
std::string SetSectionField(TWallSettings& settings, int node, TSectionField field, const std::string& typed,
                            const TProgramData& wall);
// Adds a section with no values below the last one (at node 0 when there is
// none); returns its node.
int AddSection(TWallSettings& settings);
// Removes the section of `node`, when there is one.
void RemoveSection(TWallSettings& settings, int node);
// The name of the change for Undo: "Section Modulus".
std::string SectionFieldCaption(TSectionField field);
