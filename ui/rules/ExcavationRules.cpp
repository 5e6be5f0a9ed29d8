#include "ui/rules/ExcavationRules.h"

#include "ui/rules/SettingsFields.h"

namespace {

struct FieldInfo {
    const char* caption;
    const char* dimension;
    const char* undo;
};

const FieldInfo& Info(TExcavationField field)
{
    static const FieldInfo info[ExcavationFieldCount] = {
        {"Width", "L", "Excavation Width"},
        {"Length", "L", "Excavation Length"},
        {"Target against Basal Heave", "", "Basal Heave Target"},
        {"Target of the Anchors' Block (Kranz)", "", "Kranz Target"},
    };
    return info[static_cast<int>(field)];
}

double& Member(TExcavationSettings& e, TExcavationField field)
{
    switch (field) {
    case TExcavationField::Width:
        return e.width;
    case TExcavationField::Length:
        return e.length;
    case TExcavationField::BasalHeaveTarget:
        return e.basalHeaveTarget;
    default:
        return e.kranzTarget;
    }
}

// Why a value is refused; empty when it is taken.
std::string Problem(TExcavationField field, double v)
{
    switch (field) {
    case TExcavationField::Width:
        return v >= 0 ? "" : "the excavation's width must be 0 (not given) or greater.";
    case TExcavationField::Length:
        return v >= 0 ? "" : "the excavation's length must be 0 (infinitely long) or greater.";
    default:
        return v >= 1 && v <= 10 ? "" : "a target factor must lie from 1 to 10.";
    }
}

}  // namespace

std::vector<std::string> ExcavationColumnCaptions(UnitSystem unitSystem)
{
    std::vector<std::string> captions;
    for (int f = 0; f < ExcavationFieldCount; ++f) {
        const FieldInfo& i = Info(static_cast<TExcavationField>(f));
        captions.push_back(SettingCaption(i.caption, i.dimension, unitSystem));
    }
    return captions;
}

std::string ExcavationFieldText(const TExcavationSettings& excavation, TExcavationField field, UnitSystem unitSystem)
{
    TExcavationSettings e = excavation;
    return SettingText(Member(e, field), Info(field).dimension, unitSystem);
}

std::string SetExcavationField(TWallSettings& settings, TExcavationField field, const std::string& typed,
                               UnitSystem unitSystem)
{
    const std::string refused = ReadStoredSetting(
        typed, Info(field).dimension, unitSystem, [field](double v) { return Problem(field, v); },
        Member(settings.excavation, field));
    if (!refused.empty())
        return "Excavation: " + refused;
    return {};
}

std::string ExcavationFieldCaption(TExcavationField field)
{
    return Info(field).undo;
}
