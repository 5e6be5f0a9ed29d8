#pragma once
#include <optional>
#include <string>
#include <vector>

#include "units/Units.h"

// The catalogue of steel sections to pick a wall's stiffness from: sheet piles
// per unit length of wall and H-piles per pile, each row with its published
// properties and its source. The program's own rows are built in; a user's own
// rows come from a file of the same layout (checks/data/sections.csv describes it).
namespace checks {

// One section, in SI base units: per metre of wall for sheet piles, per pile for H-piles.
struct CatalogueSection {
    std::string name;
    bool perPile = false;                // H-pile (per pile) or sheet pile (per m of wall)
    bool imperial = false;               // the units the row is typed in
    double area = 0;                     // m^2 (per m of wall, or per pile)
    double mass = 0;                     // kg/m^2 of wall, or kg/m of pile
    double inertia = 0;                  // m^4
    double modulus = 0;                  // elastic section modulus W, m^3
    std::optional<double> shearArea;     // m^2; absent when the row gives none
    std::string standard;                // the product standard, e.g. "EN 10248"; may be empty
    std::string source;
    // Young's modulus of the section's own standard, in Pa: 210 GPa for European
    // products ("EN ..."), 29,000 ksi for American ones ("AISC", "ASTM ..."),
    // whatever units the row is typed in. A row that names no standard takes
    // 210 GPa when typed in metric units and 29,000 ksi when typed in imperial.
    double YoungsModulus() const;
};

// EI, W and the shear area in the units of a wall file: SI kN m^2, m^3, m^2
// (per m of wall for sheet piles); English lb in^2, in^3, in^2 (per ft of wall).
struct SectionInWallUnits {
    double ei = 0, modulus = 0;
    std::optional<double> shearArea;
};

// Reads catalogue rows from text (`origin` names it in messages). Lines that
// are empty or begin with '#' are skipped. Throws TorvikError naming the line
// and the item of a row that cannot be read.
std::vector<CatalogueSection> ReadSectionCatalogue(const std::string& text, const std::string& origin);

// The program's own catalogue.
const std::vector<CatalogueSection>& BuiltInSections();

// The section's values in the units of a wall file: 1 English, 2 SI. Throws
// TorvikError for the generic unit system, which has no fixed units.
SectionInWallUnits InWallUnits(const CatalogueSection& section, UnitSystem unitSystem);

}  // namespace checks
