#pragma once
#include <optional>
#include <string>
#include <vector>

// The catalogue of steel sections to pick a wall's stiffness from: sheet piles
// per unit length of wall and H-piles per pile, each row with its published
// properties and its source. The program's own rows are built in; a user's own
// rows come from a file of the same layout (checks/data/sections.csv describes it).
namespace checks {

// One section, in SI base units: per metre of wall for sheet piles, per pile for H-piles.
struct CatalogueSection {
    std::string name;
    bool perPile = false;                // H-pile (per pile) or sheet pile (per m of wall)
    bool imperial = false;               // the source's units (which also decide E)
    double area = 0;                     // m^2 (per m of wall, or per pile)
    double mass = 0;                     // kg/m^2 of wall, or kg/m of pile
    double inertia = 0;                  // m^4
    double modulus = 0;                  // elastic section modulus W, m^3
    std::optional<double> shearArea;     // m^2; not published for sheet piles
    std::string source;
    // Young's modulus of the source's standard: 210 GPa (EN 1993-1-1) for metric
    // rows, 29,000 ksi (AISC) for imperial rows; in Pa.
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
SectionInWallUnits InWallUnits(const CatalogueSection& section, int unitSystem);

}  // namespace checks
