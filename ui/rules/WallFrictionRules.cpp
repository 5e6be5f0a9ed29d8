#include "ui/rules/WallFrictionRules.h"

#include "model/ProgramData.h"
#include "model/SoilType.h"
#include "model/WallDocument.h"
#include "model/WallTableRows.h"
#include "tables/Data.h"
#include "tables/GridTable.h"
#include "ui/rules/SettingsFields.h"
#include "units/NumberFormat.h"

namespace {

// The soil layers table's columns.
enum SoilColumn { kType = 0, kBottom = 1 };

constexpr double kHighestAdhesion = 0.5;

}  // namespace

std::vector<TWallFrictionRow> WallFrictionRows(const TProgramData& wall, const TWallSettings& settings)
{
    WallTables& tables = wall.Document().Tables();
    const int index = static_cast<int>(WallTable::NewSoil);
    const TGridTable& soil = tables.Table(index);
    const int count = RowsToWrite(tables, wall.Padding, index);
    std::vector<TWallFrictionRow> rows;
    for (int r = 0; r < count; ++r) {
        TWallFrictionRow row;
        row.layer = r + 1;
        const SoilTypeTraits* traits = FindSoilType(soil.Cell(kType, r).AsInteger());
        row.soil = traits ? traits->Name : "-";
        row.friction = traits && traits->Strengths.Friction;
        row.cohesion = traits && traits->Strengths.Cohesion;
        row.bottom = FormatFloat8(soil.Cell(kBottom, r).AsFloat());
        if (const TWallFrictionSettings* w = settings.WallFriction(row.layer))
            row.contact = *w;
        row.contact.layer = row.layer;
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> WallFrictionColumnCaptions(UnitSystem unitSystem)
{
    // The soil layers table gives English depths in feet.
    const std::string depth = unitSystem == UnitSystem::English ? "Bottom Depth (ft)"
                              : unitSystem == UnitSystem::SI    ? "Bottom Depth (m)"
                                                                : "Bottom Depth (L)";
    return {"Layer", "Soil", depth, "Wall Friction delta/phi' (0 to 1)", "Adhesion a/c (0 to 0.5)"};
}

std::string WallFrictionFieldText(const TWallFrictionRow& row, TWallFrictionField field)
{
    if (field == TWallFrictionField::Friction)
        return row.friction ? FormatFloat8(row.contact.frictionRatio) : "-";
    return row.cohesion ? FormatFloat8(row.contact.adhesionRatio) : "-";
}

std::string SetWallFrictionField(TWallSettings& settings, int layer, TWallFrictionField field,
                                 const std::string& typed)
{
    const std::string where = "Soil layer " + std::to_string(layer) + ": ";
    double value = 0;
    const std::string unreadable = ReadSettingEntry(typed, value);
    if (!unreadable.empty())
        return where + unreadable;
    TWallFrictionSettings contact;
    contact.layer = layer;
    if (const TWallFrictionSettings* w = settings.WallFriction(layer))
        contact = *w;
    if (field == TWallFrictionField::Friction) {
        if (!(value >= 0 && value <= 1))
            return where + "the wall friction ratio delta/phi' must lie from 0 (a smooth wall) to 1.";
        contact.frictionRatio = value;
    } else {
        if (!(value >= 0 && value <= kHighestAdhesion))
            return where + "the adhesion ratio a/c must lie from 0 (no adhesion) to 0.5.";
        contact.adhesionRatio = value;
    }
    settings.Set(contact);
    return {};
}

std::string WallFrictionFieldCaption(TWallFrictionField field)
{
    return field == TWallFrictionField::Friction ? "Wall Friction Ratio" : "Adhesion Ratio";
}
