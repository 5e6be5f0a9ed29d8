#include "ui/rules/SectionPick.h"

#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/WallDocument.h"
#include "tables/Data.h"
#include "tables/GridTable.h"
#include "ui/rules/SettingsFields.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace {

// The wall stiffness table's columns.
enum StiffnessColumn { kFrom = 0, kTo = 1, kChoice = 2, kEI = 3 };

// The last node of the section starting at `node`: the node before the next
// section of `settings`, else the wall's tip.
int SectionEnd(const TProgramData& wall, const TWallSettings& settings, int node)
{
    for (const TSectionSettings& s : settings.sections)
        if (s.node > node)
            return std::max(node, std::min(s.node - 1, static_cast<int>(wall.NodeCount)));
    return std::max(node, static_cast<int>(wall.NodeCount));
}

// Sets EI in the rows of the open stage's stiffness table that start at
// `node`, each reaching to the section's end; a stage without such a row gets
// one (in node order) while the table has room. Returns the rows set.
int SetStiffness(TProgramData& wall, const TWallSettings& settings, int node, long double ei)
{
    TGridTable& table = wall.Document().Tables()[WallTable::PileSect];
    const int end = SectionEnd(wall, settings, node);
    int set = 0;
    for (int r = 0; r < table.RowCount(); ++r)
        if (table.Cell(kFrom, r).AsInteger() == node) {
            table.Cell(kTo, r).SetAsInteger(end);
            table.Cell(kEI, r).SetAsFloat(ei);
            ++set;
        }
    if (set > 0 || table.RowCount() >= table.MaxRows())
        return set;
    int r = 0;
    while (r < table.RowCount() && table.Cell(kFrom, r).AsInteger() < node)
        ++r;
    if (r < table.RowCount())
        table.InsertRowGroup(r);
    else
        table.AppendRowGroup();
    table.Cell(kFrom, r).SetAsInteger(node);
    table.Cell(kTo, r).SetAsInteger(end);
    table.Cell(kChoice, r).SetAsInteger(1);
    table.Cell(kEI, r).SetAsFloat(ei);
    return 1;
}

// The same in every stage: each stage is made current in turn, as a stage
// switch does, and the stage that was current is shown again.
int SetStiffnessInEveryStage(TProgramData& wall, const TWallSettings& settings, int node, long double ei)
{
    if (wall.StageCount <= 1)
        return SetStiffness(wall, settings, node, ei);
    const int current = wall.CurrentStage;
    int set = 0;
    try {
        for (int k = 1; k <= wall.StageCount; ++k) {
            SelectStage(wall, k);
            set += SetStiffness(wall, settings, node, ei);
        }
    } catch (...) {
        // A stage that could not be written or read: the user's stage is shown again all the same.
        try {
            SelectStage(wall, current);
        } catch (...) {
        }
        throw;
    }
    SelectStage(wall, current);
    return set;
}

// Five significant digits, the precision of the catalogues, in plain notation.
std::string Rounded(double v)
{
    if (v == 0)
        return "0";
    const double scale = std::pow(10.0, 4 - std::floor(std::log10(std::fabs(v))));
    return FormatGeneral(std::round(v * scale) / scale, 12);
}

}  // namespace

TCatalogueList ReadCatalogueList(const std::string& userFile)
{
    TCatalogueList list;
    for (const checks::CatalogueSection& s : checks::BuiltInSections())
        list.rows.push_back({s, "built-in"});
    std::ifstream in(userFile, std::ios::binary);
    if (userFile.empty() || !in)
        return list;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        for (const checks::CatalogueSection& s : checks::ReadSectionCatalogue(text, userFile))
            list.rows.push_back({s, userFile});
    } catch (const TorvikError& e) {
        list.problem = std::string(e.what()) + " The sections of that file are not listed.";
    }
    return list;
}

std::vector<std::string> CatalogueColumnCaptions(UnitSystem unitSystem)
{
    return {"Section",
            "Basis",
            SettingCaption("EI", "F-L^2", unitSystem),
            SettingCaption("W", "L^3", unitSystem),
            SettingCaption("Shear Area", "L^2", unitSystem),
            "Source"};
}

std::vector<std::string> CatalogueRowTexts(const TCatalogueEntry& entry, UnitSystem unitSystem)
{
    const checks::CatalogueSection& s = entry.section;
    std::vector<std::string> texts = {s.name, s.perPile ? "per pile" : "per unit width", "", "", "", ""};
    const UnitSystem system = unitSystem;
    if (system != UnitSystem::Generic) {
        const checks::SectionInWallUnits v = checks::InWallUnits(s, system);
        texts[2] = Rounded(v.ei);
        texts[3] = Rounded(v.modulus);
        texts[4] = v.shearArea ? Rounded(*v.shearArea) : "none";  // shear then goes unchecked
    }
    // The standard, which sets E, ahead of the source.
    const std::string source = s.standard.empty() ? s.source : s.standard + ", " + s.source;
    texts[5] = entry.origin == "built-in" ? source : source + " (" + entry.origin + ")";
    return texts;
}

std::string CatalogueBasisNote()
{
    return "EI is E times the catalogue's I, with E of the section's own standard: 210 GPa for European products"
           " (EN 10248, EN 1993-1-1) and 29,000 ksi for American ones (AISC), whatever units the row is typed "
           "in. A sheet pile's shear area is that of its webs, s (h - t) per web (EN 1993-5); a row showing none"
           " has no published geometry, and shear is not checked unless you type one. Sheet piles are per unit "
           "width of wall (per m in SI walls, per ft in English walls); H-piles are per pile, for walls of "
           "spaced units. Picking fills the name, W and the shear area of the section and EI in the wall "
           "stiffness rows starting at its node, in every stage, down to the next section or the tip. Values typed by hand are always allowed.";
}

int PickSection(TProgramData& wall, TWallSettings& settings, int node, const checks::CatalogueSection& section)
{
    const UnitSystem system = wall.UnitSystem();
    const checks::SectionInWallUnits v = checks::InWallUnits(section, system);  // throws in generic units
    TSectionSettings s;
    if (const TSectionSettings* found = settings.SectionAt(node); found && found->node == node)
        s = *found;
    s.node = node;
    s.name = section.name;
    s.sectionModulus = StoredSetting(v.modulus, "L^3", system);
    s.shearArea = v.shearArea ? StoredSetting(*v.shearArea, "L^2", system) : 0;
    settings.Set(s);
    return SetStiffnessInEveryStage(wall, settings, node, v.ei);
}

std::string PickCaption(const std::string& sectionName)
{
    return "Pick Section " + sectionName;
}
