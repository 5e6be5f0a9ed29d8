#include "model/ProgramData.h"

#include "model/UnitSwitch.h"
#include "model/WallDocument.h"
#include "model/WallTableRows.h"
#include "tables/WallTables.h"
#include "units/NumberFormat.h"
#include "units/Prompt.h"
#include "units/Units.h"
#include "units/ValueRange.h"

#include <algorithm>
#include <cctype>
#include <type_traits>
#include <vector>

const std::string& TProgramData::UntitledFileName()
{
    static const std::string name = "NewWall.tk4d";
    return name;
}

std::unique_ptr<TProgramData> TProgramData::CreateNew(TWallDocument& document)
{
    std::unique_ptr<TProgramData> wall(new TProgramData(document));
    // The member defaults are the new wall's; SwitchUnits(UnitSystem::English) also brings the
    // tables, which may still be in the last wall's system, back to English
    // (emptied first, so that no value of the last wall can refuse the switch).
    EmptyAllTables(document.Tables());
    wall->SwitchUnits(UnitSystem::English);
    PadToMinRows(document.Tables());
    document.SetModified(false);
    wall->StageFilesCurrent = true;
    return wall;
}

namespace {

// One scalar of the wall that a unit switch converts: the value, its name in
// messages and its factor.
template <typename Value>
struct ScaledScalar {
    Value* value;
    const char* name;
    long double factor;
};

// The scalars with a dimension and their factors for a move with factors `f`.
template <typename Wall>
auto ScaledScalars(Wall& w, const ScalarFactors& f)
{
    using Value = std::conditional_t<std::is_const_v<Wall>, const long double, long double>;
    const long double L = f.Length;
    const long double F = f.Force;
    auto& s = w.LegacySurcharge;
    return std::vector<ScaledScalar<Value>>{
        {&w.IncrementLength, "the increment length", L},
        {&w.MaxDeflection, "the maximum allowable deflection", L},
        {&w.ClosureTolerance, "the deflection closure tolerance", L},
        {&w.WallHeight, "the wall height H", L},
        {&w.WaterDepthBackfill, "the water depth on the backfill side", L},
        {&w.WaterDepthExcavation, "the water depth on the excavation side", L},
        {&w.ActiveWidth, "the width for active earth pressure Wa", L},
        {&w.PyWidth, "the width for p-y curves Wp", L},
        {&w.TopSurcharge, "the surcharge at the top of the backfill", F / (L * L)},
        {&s.Distance, "the distance of the older layouts' surcharge", L},
        {&s.PointLoad, "the point load of the older layouts' surcharge", F},
        {&s.LineLoad, "the line load of the older layouts' surcharge", F / L},
        {&s.StripLoad, "the strip load of the older layouts' surcharge", F / (L * L)},
        {&s.StripWidth, "the strip width of the older layouts' surcharge", L},
    };
}

const char* SystemName(UnitSystem system)
{
    switch (system) {
    case UnitSystem::English: return "English units";
    case UnitSystem::SI: return "SI units";
    default: return "other units";
    }
}

}  // namespace

std::string TProgramData::UnitSwitchProblem(::UnitSystem system) const
{
    const ScalarFactors f = ScalarSwitchFactors(unitSystem_, system);
    std::string what;
    if (f.Length != 1 || f.Force != 1)
        for (const auto& s : ScaledScalars(*this, f))
            if (what.empty() && !InValueRange(*s.value * s.factor))
                what = s.name + std::string(" (") + FormatFloat8(*s.value) + ")";
    if (what.empty())
        what = document_.Tables().UnitSwitchProblem(system);
    if (what.empty())
        return "";
    return "The wall cannot be switched to " + std::string(SystemName(system)) + ": " + what +
           " would lie outside " + ValueRangeText() + " there. Nothing was changed.";
}

bool TProgramData::SwitchUnits(::UnitSystem system)
{
    const std::string problem = UnitSwitchProblem(system);
    if (!problem.empty()) {
        document_.UserPrompt().Information(problem);
        return false;
    }
    const ScalarFactors f = ScalarSwitchFactors(unitSystem_, system);
    if (f.Length != 1 || f.Force != 1)
        for (const auto& s : ScaledScalars(*this, f))
            *s.value *= s.factor;
    unitSystem_ = system;
    document_.Tables().SetUnitSystem(system);
    document_.UnitsSwitched.Raise();
    return true;
}
