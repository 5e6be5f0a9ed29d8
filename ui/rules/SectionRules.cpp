#include "ui/rules/SectionRules.h"

#include "model/ProgramData.h"
#include "ui/rules/DialogValues.h"
#include "ui/rules/SettingsFields.h"
#include "units/NumberFormat.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>

namespace {

struct FieldInfo {
    const char* caption;
    const char* dimension;
    const char* unitText;
    const char* undo;
    const char* noun;  // in messages
    // In SI units the field is shown and typed in the unit engineers use for
    // it (cm³/m, MPa): the shown value is the stored one (m³, kN/m²) times this.
    double siScale;
    const char* siUnit;
};

const FieldInfo& Info(TSectionField field)
{
    static const FieldInfo info[SectionFieldCount] = {
        {"First Node", "", "", "Section Node", "first node", 1, nullptr},
        {"Depth", "", "", "", "depth", 1, nullptr},
        {"Name", "", "", "Section Name", "name", 1, nullptr},
        {"Section Modulus W", "L^3", "", "Section Modulus", "section modulus", 1e6, "cm³"},
        {"Yield Strength fy", "F/L^2", "", "Yield Strength", "yield strength", 1e-3, "MPa"},
        {"Shear Area", "L^2", "", "Shear Area", "shear area", 1, nullptr},
        {"Corrosion Loss", "", "%", "Corrosion Loss", "corrosion loss", 1, nullptr},
    };
    return info[static_cast<int>(field)];
}

double* Member(TSectionSettings& s, TSectionField field)
{
    switch (field) {
    case TSectionField::Modulus:
        return &s.sectionModulus;
    case TSectionField::YieldStrength:
        return &s.yieldStrength;
    case TSectionField::ShearArea:
        return &s.shearArea;
    case TSectionField::CorrosionLoss:
        return &s.corrosionLoss;
    default:
        return nullptr;
    }
}

std::string NumberProblem(TSectionField field, double v)
{
    if (field == TSectionField::CorrosionLoss)
        return v >= 0 && v < 100 ? "" : "the corrosion loss must be at least 0 and below 100 percent.";
    return v >= 0 ? "" : "the " + std::string(Info(field).noun) + " must be 0 (not given) or greater.";
}

// Moves the section of `node` to `target`; the message when it cannot.
std::string MoveSection(TWallSettings& settings, int node, double target, const TProgramData& wall)
{
    if (target != std::floor(target) || target < 0 || (wall.NodeCount > 0 && target > wall.NodeCount))
        return "the first node must be a whole number from 0 to " +
               (wall.NodeCount > 0 ? std::to_string(wall.NodeCount) : std::string("the wall's last node")) + ".";
    const int to = static_cast<int>(target);
    if (to == node)
        return {};
    if (settings.SectionAt(to) && settings.SectionAt(to)->node == to)
        return "node " + std::to_string(to) + " already starts a section.";
    TSectionSettings moved = *settings.SectionAt(node);
    RemoveSection(settings, node);
    moved.node = to;
    settings.Set(moved);
    return {};
}

bool EngineersUnit(const FieldInfo& i, UnitSystem unitSystem)
{
    return i.siUnit && unitSystem == UnitSystem::SI;
}

// The value shown for the stored SI value, and back.
double Shown(const FieldInfo& i, double si, UnitSystem unitSystem)
{
    return EngineersUnit(i, unitSystem) ? si * i.siScale : ShownSetting(si, i.dimension, unitSystem);
}
double Stored(const FieldInfo& i, double shown, UnitSystem unitSystem)
{
    return EngineersUnit(i, unitSystem) ? shown / i.siScale : StoredSetting(shown, i.dimension, unitSystem);
}

}  // namespace

std::vector<std::string> SectionColumnCaptions(UnitSystem unitSystem, bool perPile)
{
    std::vector<std::string> captions;
    for (int f = 0; f < SectionFieldCount; ++f) {
        const TSectionField field = static_cast<TSectionField>(f);
        const FieldInfo& i = Info(field);
        if (field == TSectionField::Depth)
            captions.push_back(NodeDepthCaption(unitSystem));
        else if (EngineersUnit(i, unitSystem))
            captions.push_back(std::string(i.caption) + " (" + i.siUnit +
                               (field == TSectionField::Modulus ? (perPile ? " per pile" : "/m") : "") + ")");
        else
            captions.push_back(SettingCaption(i.caption, i.dimension, unitSystem, i.unitText));
    }
    return captions;
}

bool SectionsPerPile(const TProgramData& wall)
{
    return GeneratesPressure(wall.EarthPressureKind) && wall.ActiveWidth > 0 && wall.ActiveWidth != 1;
}

std::string SectionFieldText(const TSectionSettings& section, TSectionField field, const TProgramData& wall)
{
    switch (field) {
    case TSectionField::Node:
        return std::to_string(section.node);
    case TSectionField::Depth:
        return NodeDepthText(section.node, wall);
    case TSectionField::Name:
        return section.name;
    default: {
        TSectionSettings s = section;
        return FormatFloat8(Shown(Info(field), *Member(s, field), wall.UnitSystem()));
    }
    }
}

std::string SetSectionField(TWallSettings& settings, int node, TSectionField field, const std::string& typed,
                            const TProgramData& wall)
{
    const TSectionSettings* found = settings.SectionAt(node);
    if (!found || found->node != node || field == TSectionField::Depth)
        return {};
    if (field == TSectionField::Name) {
        TSectionSettings s = *found;
        const auto a = typed.find_first_not_of(" \t");
        s.name = a == std::string::npos ? std::string() : typed.substr(a, typed.find_last_not_of(" \t") - a + 1);
        settings.Set(s);
        return {};
    }
    const std::string where = "Section at node " + std::to_string(node) + ": ";
    double shown = 0;
    const std::string unreadable = ReadSettingEntry(typed, shown);
    if (!unreadable.empty())
        return where + unreadable;
    if (field == TSectionField::Node) {
        const std::string problem = MoveSection(settings, node, shown, wall);
        return problem.empty() ? problem : where + problem;
    }
    const double value = Stored(Info(field), shown, wall.UnitSystem());
    std::string problem = NumberProblem(field, value);
    if (!problem.empty())
        return where + problem;
    TSectionSettings s = *found;
    *Member(s, field) = value;
    settings.Set(s);
    return {};
}

int AddSection(TWallSettings& settings)
{
    TSectionSettings s;
    s.node = settings.sections.empty() ? 0 : settings.sections.back().node + 1;
    settings.Set(s);
    return s.node;
}

void RemoveSection(TWallSettings& settings, int node)
{
    auto& list = settings.sections;
    list.erase(std::remove_if(list.begin(), list.end(), [node](const TSectionSettings& s) { return s.node == node; }),
               list.end());
}

std::string SectionFieldCaption(TSectionField field)
{
    return Info(field).undo;
}
