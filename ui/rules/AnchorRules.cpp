#include "ui/rules/AnchorRules.h"

#include "model/ProgramData.h"
#include "model/WallDocument.h"
#include "model/WallTableRows.h"
#include "tables/Data.h"
#include "tables/GridTable.h"
#include "ui/rules/DialogValues.h"
#include "ui/rules/SettingsFields.h"
#include "units/NumberFormat.h"
#include "units/Units.h"

namespace {

// The springs table's columns.
enum SpringColumn { kFrom = 1, kTo = 2, kLateral = 3, kRotational = 4 };

struct FieldInfo {
    const char* caption;
    const char* dimension;
    const char* unitText;
    const char* undo;
};

const FieldInfo& Info(TAnchorField field)
{
    static const FieldInfo info[AnchorFieldCount] = {
        {"Prestress per Unit Width", "F/L", "", "Anchor Prestress"},
        {"Spacing", "L", "", "Anchor Spacing"},
        {"Inclination", "", "deg", "Anchor Inclination"},
        {"Axial Load (vertical component)", "", "", "Anchor Axial Load"},
        {"Capacity per Anchor", "F", "", "Anchor Capacity"},
        {"Free Length", "L", "", "Anchor Free Length"},
        {"Fixed Length", "L", "", "Anchor Fixed Length"},
    };
    return info[static_cast<int>(field)];
}

double& Member(TAnchorSettings& a, TAnchorField field)
{
    switch (field) {
    case TAnchorField::Spacing:
        return a.spacing;
    case TAnchorField::Inclination:
        return a.inclination;
    case TAnchorField::Capacity:
        return a.capacity;
    case TAnchorField::FreeLength:
        return a.freeLength;
    case TAnchorField::FixedLength:
        return a.fixedLength;
    default:
        return a.prestress;
    }
}

// Why a value of a field is refused; empty when it is taken.
std::string Problem(TAnchorField field, double v)
{
    switch (field) {
    case TAnchorField::Spacing:
        return v > 0 ? "" : "the spacing must be greater than 0.";
    case TAnchorField::Inclination:
        return v > -90 && v < 90 ? "" : "the inclination must lie between -90 and 90 degrees (both excluded).";
    case TAnchorField::Capacity:
        return v >= 0 ? "" : "the capacity per anchor must be 0 (not given) or greater.";
    case TAnchorField::FreeLength:
        return v >= 0 ? "" : "the free length must be 0 (not given) or greater.";
    case TAnchorField::FixedLength:
        return v >= 0 ? "" : "the fixed length must be 0 (not given) or greater.";
    default:
        return "";
    }
}

}  // namespace

std::vector<TAnchorRow> AnchorRows(const TProgramData& wall, const TWallSettings& settings)
{
    WallTables& tables = wall.Document().Tables();
    const int index = static_cast<int>(WallTable::Springs);
    const TGridTable& springs = tables.Table(index);
    const int count = RowsToWrite(tables, wall.Padding, index);
    std::vector<TAnchorRow> rows;
    for (int r = 0; r < count; ++r) {
        // A blank row (what an editor shows in a stage without springs) is no spring of the stage.
        if (springs.Cell(kFrom, r).AsInteger() == 0 && springs.Cell(kTo, r).AsInteger() == 0 &&
            springs.Cell(kLateral, r).AsFloat() == 0 && springs.Cell(kRotational, r).AsFloat() == 0)
            continue;
        TAnchorRow row;
        row.from = springs.Cell(kFrom, r).AsInteger();
        row.to = springs.Cell(kTo, r).AsInteger();
        row.depth = NodeDepthText(row.from, wall);
        row.stiffness = FormatFloat8(springs.Cell(kLateral, r).AsFloat());
        if (const TAnchorSettings* a = settings.Anchor(row.from))
            row.anchor = *a;
        row.anchor.node = row.from;
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> AnchorColumnCaptions(UnitSystem unitSystem)
{
    std::vector<std::string> captions = {"From Node", "To Node", NodeDepthCaption(unitSystem),
                                         SettingCaption("Lateral Stiffness", "F/L", unitSystem)};
    for (int f = 0; f < AnchorFieldCount; ++f) {
        const FieldInfo& i = Info(static_cast<TAnchorField>(f));
        captions.push_back(SettingCaption(i.caption, i.dimension, unitSystem, i.unitText));
    }
    return captions;
}

std::string AnchorFieldText(const TAnchorSettings& anchor, TAnchorField field, UnitSystem unitSystem)
{
    if (field == TAnchorField::AxialLoad)
        return {};
    TAnchorSettings a = anchor;
    return SettingText(Member(a, field), Info(field).dimension, unitSystem);
}

std::string SetAnchorField(TWallSettings& settings, int node, TAnchorField field, const std::string& typed,
                           UnitSystem unitSystem)
{
    double value = 0;
    const std::string refused = ReadStoredSetting(
        typed, Info(field).dimension, unitSystem, [field](double v) { return Problem(field, v); }, value);
    if (!refused.empty())
        return "Anchor at node " + std::to_string(node) + ": " + refused;
    Member(settings.AnchorAt(node), field) = value;
    return {};
}

void SetAnchorAxialLoad(TWallSettings& settings, int node, bool axialLoad)
{
    settings.AnchorAt(node).axialLoad = axialLoad;
}

std::string AnchorFieldCaption(TAnchorField field)
{
    return Info(field).undo;
}
