#include "units/ValueRange.h"

#include "units/TorvikError.h"

double ToDoubleChecked(long double value)
{
    if (!InValueRange(value))
        throw TorvikError("Internal error: a value outside " + ValueRangeText() +
                          " was to be passed on as a number.");
    return static_cast<double>(value);
}
