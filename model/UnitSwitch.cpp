#include "model/UnitSwitch.h"
#include "units/Units.h"

ScalarFactors ScalarSwitchFactors(UnitSystem from, UnitSystem to)
{
    if (from == UnitSystem::English && to == UnitSystem::SI)
        return {0.0254L, 0.004448222468060651L};
    if (from == UnitSystem::SI && to == UnitSystem::English)
        return {39.3701L, 224.8089L};
    return {};
}

ControlDefaults DefaultControls(UnitSystem system)
{
    if (system == UnitSystem::SI)
        return {2.5L, 1e-7L};
    return {};
}

namespace {

// Whether `value` is `reference` up to the rounding of one conversion.
bool Same(long double value, long double reference)
{
    const long double scale = reference < 0 ? -reference : reference;
    const long double difference = value > reference ? value - reference : reference - value;
    return difference <= scale * 1e-12L;
}

}  // namespace

void AdoptControlDefaults(long double& maxDeflection, long double& closureTolerance, UnitSystem from, UnitSystem to)
{
    const long double factor = ScalarSwitchFactors(from, to).Length;
    const ControlDefaults before = DefaultControls(from);
    const ControlDefaults after = DefaultControls(to);
    if (Same(maxDeflection, before.MaxDeflection * factor))
        maxDeflection = after.MaxDeflection;
    if (Same(closureTolerance, before.ClosureTolerance * factor))
        closureTolerance = after.ClosureTolerance;
}
