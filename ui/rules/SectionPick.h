#pragma once
#include "checks/SectionCatalogue.h"
#include "model/WallSettings.h"

#include <string>
#include <vector>

class TProgramData;

// Picking a steel section from the catalogue: the program's own rows and the
// user's own file of the same layout, and what a pick fills in.

// One row of the list and where it comes from.
struct TCatalogueEntry {
    checks::CatalogueSection section;
    std::string origin;  // "built-in" or the user's file name
};
struct TCatalogueList {
    std::vector<TCatalogueEntry> rows;  // the program's rows, then the user's
    std::string problem;                // why the user's file was left out; empty when read or absent
};
// The program's rows and those of `userFile` (none when it does not exist).
TCatalogueList ReadCatalogueList(const std::string& userFile);

// The list's column captions and the texts of a row, EI and W in the units of
// a wall of `unitSystem` (empty in generic units, which have no fixed units).
std::vector<std::string> CatalogueColumnCaptions(UnitSystem unitSystem);
std::vector<std::string> CatalogueRowTexts(const TCatalogueEntry& entry, UnitSystem unitSystem);
// How EI is taken from a catalogue row, for the picking window.
std::string CatalogueBasisNote();

// Picks `section` for the section of `settings` starting at `node` (made when
// there is none): its name, W and shear area (0 when the row gives none); and
// its EI in every row of the wall stiffness table, in every stage, whose From
// node is `node`, each row then reaching down to the node before the next
// section or to the tip (a stage without such a row gets one while its table
// has room). Returns the number of stiffness rows set. TorvikError in generic
// units (nothing changes then).
int PickSection(TProgramData& wall, TWallSettings& settings, int node, const checks::CatalogueSection& section);
// The name of the change for Undo: "Pick Section AZ 18-700".
std::string PickCaption(const std::string& sectionName);
