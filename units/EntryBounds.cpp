#include "units/EntryBounds.h"

#include <cmath>

long double TEntryBounds::IntegerRange(long double value) const
{
    if (!integerOnly_)
        return value;
    if (value < -2147483648.0L)
        return -2147483648.0L;
    if (value > 2147483647.0L)
        return 2147483647.0L;
    return value;
}

void TEntryBounds::SetMinVal(long double value)
{
    if (!loading_) {
        value = IntegerRange(value);
        if (value > maxVal_)
            value = maxVal_;
    }
    minVal_ = value;
}

void TEntryBounds::SetMaxVal(long double value)
{
    if (!loading_) {
        value = IntegerRange(value);
        if (value < minVal_)
            value = minVal_;
    }
    maxVal_ = value;
}

void TEntryBounds::SetIntegerOnly(bool integerOnly)
{
    integerOnly_ = integerOnly;
    if (integerOnly && !loading_) {
        SetMinVal(minVal_);
        SetMaxVal(maxVal_);
    }
}

void TEntryBounds::SetRange(long double minVal, long double maxVal)
{
    if (loading_) {
        minVal_ = minVal;
        maxVal_ = maxVal;
        return;
    }
    if (maxVal < minVal)
        maxVal = minVal;  // as when the upper bound is set below the lower one
    // Widen first, so that neither bound is pulled to the old other one.
    minVal_ = IntegerRange(std::fmin(minVal, minVal_));
    maxVal_ = IntegerRange(std::fmax(maxVal, maxVal_));
    SetMinVal(minVal);
    SetMaxVal(maxVal);
}

long double TEntryBounds::Clamp(long double value) const
{
    if (loading_)
        return value;
    if (value < minVal_)
        return minVal_;
    if (value > maxVal_)
        return maxVal_;
    return value;
}

TEntryBounds::Check TEntryBounds::Test(long double value) const
{
    if (integerOnly_ && value != std::trunc(value))
        return Check::NotInteger;
    if (value < minVal_)
        return Check::BelowMin;
    if (!(value <= maxVal_))
        return Check::AboveMax;
    return Check::Ok;
}
