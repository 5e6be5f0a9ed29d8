#include "model/UnitSwitch.h"
#include "units/Units.h"

ScalarFactors ScalarSwitchFactors(int from, int to)
{
    if (from == 1 && to == 2)
        return {0.0254L, 0.004448222468060651L};
    if (from == 2 && to == 1)
        return {39.3701L, 224.8089L};
    return {};
}

int ClampUnitSystem(int system)
{
    return system < UnitsEnglish ? UnitsEnglish : system > UnitsGeneric ? UnitsGeneric : system;
}
