#include "tables/ColumnValue.h"

#include <cmath>
#include <cstdint>
#include <limits>

bool IsWholeNumber(long double value)
{
    return std::fabs(value - std::nearbyint(value)) <= 1e-10L;
}

bool FitsInt32(long double value)
{
    const long double rounded = std::nearbyint(value);
    return rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max();
}

int NearestInt32(long double value) { return static_cast<int>(std::nearbyint(value)); }
