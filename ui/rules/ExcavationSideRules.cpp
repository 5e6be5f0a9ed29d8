#include "ui/rules/ExcavationSideRules.h"

#include "ui/rules/SettingsFields.h"

namespace {

struct FieldInfo {
    const char* caption;
    const char* dimension;
    const char* unitText;
    const char* undo;
    ExcavationGroundKind kind;  // the ground that has the number
};

const FieldInfo& Info(TGroundField field)
{
    static const FieldInfo info[GroundFieldCount] = {
        {"Berm Top Width", "L", "", "Berm Top Width", ExcavationGroundKind::Berm},
        {"Berm Height", "L", "", "Berm Height", ExcavationGroundKind::Berm},
        {"Berm Side Slope", "", "deg", "Berm Side Slope", ExcavationGroundKind::Berm},
        {"Surface Slope", "", "deg", "Excavation Surface Slope", ExcavationGroundKind::Slope},
    };
    return info[static_cast<int>(field)];
}

double& Member(TExcavationSideSettings& g, TGroundField field)
{
    switch (field) {
    case TGroundField::TopWidth:
        return g.topWidth;
    case TGroundField::Height:
        return g.height;
    case TGroundField::SideSlope:
        return g.sideSlope;
    default:
        return g.slopeAngle;
    }
}

// Why a value is refused; empty when it is taken.
std::string Problem(TGroundField field, double v)
{
    switch (field) {
    case TGroundField::TopWidth:
        return v >= 0 ? "" : "the berm's top width must not be negative.";
    case TGroundField::Height:
        return v > 0 ? "" : "the berm's height must be greater than 0.";
    case TGroundField::SideSlope:
        return v > 0 && v <= 90 ? "" : "the berm's side slope must lie above 0 and up to 90 degrees.";
    default:
        return v > 0 && v < 90 ? "" : "the surface's slope must lie between 0 and 90 degrees (both excluded).";
    }
}

TExcavationSideSettings Started(int stage, ExcavationGroundKind kind)
{
    TExcavationSideSettings g;
    g.stage = stage;
    g.kind = kind;
    if (kind == ExcavationGroundKind::Berm) {
        g.topWidth = 1;
        g.height = 1;
        g.sideSlope = 45;
    } else if (kind == ExcavationGroundKind::Slope) {
        g.slopeAngle = 10;
    }
    return g;
}

}  // namespace

std::vector<std::string> GroundKindNames()
{
    return {"Level", "Berm", "Sloping surface"};
}

std::vector<TExcavationSideSettings> ExcavationSideRows(int stageCount, const TWallSettings& settings)
{
    std::vector<TExcavationSideSettings> rows;
    for (int stage = 1; stage <= std::max(1, stageCount); ++stage) {
        const TExcavationSideSettings* g = settings.ExcavationSide(stage);
        rows.push_back(g ? *g : Started(stage, ExcavationGroundKind::Level));
    }
    return rows;
}

std::vector<std::string> ExcavationSideCaptions(UnitSystem unitSystem)
{
    std::vector<std::string> captions = {"Stage", "Ground"};
    for (int f = 0; f < GroundFieldCount; ++f) {
        const FieldInfo& i = Info(static_cast<TGroundField>(f));
        captions.push_back(SettingCaption(i.caption, i.dimension, unitSystem, i.unitText));
    }
    return captions;
}

std::string GroundFieldText(const TExcavationSideSettings& ground, TGroundField field, UnitSystem unitSystem)
{
    if (ground.kind != Info(field).kind)
        return {};
    TExcavationSideSettings g = ground;
    return SettingText(Member(g, field), Info(field).dimension, unitSystem);
}

void SetGroundKind(TWallSettings& settings, int stage, ExcavationGroundKind kind)
{
    const TExcavationSideSettings* now = settings.ExcavationSide(stage);
    if (now && now->kind == kind)
        return;
    settings.Set(Started(stage, kind));
}

std::string SetGroundField(TWallSettings& settings, int stage, TGroundField field, const std::string& typed,
                           UnitSystem unitSystem)
{
    double value = 0;
    const std::string refused = ReadStoredSetting(
        typed, Info(field).dimension, unitSystem, [field](double v) { return Problem(field, v); }, value);
    if (!refused.empty())
        return "Stage " + std::to_string(stage) + ": " + refused;
    SetGroundKind(settings, stage, Info(field).kind);
    TExcavationSideSettings g = *settings.ExcavationSide(stage);
    Member(g, field) = value;
    settings.Set(g);
    return {};
}

std::string GroundFieldCaption(TGroundField field)
{
    return Info(field).undo;
}
