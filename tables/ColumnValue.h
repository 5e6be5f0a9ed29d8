#pragma once

// Tests and conversions of evaluated entries for the integer-valued columns.

// True when `value` lies within 1e-10 of a whole number.
bool IsWholeNumber(long double value);
// True when the nearest whole number of `value` is a 32-bit signed integer.
bool FitsInt32(long double value);
// The nearest 32-bit integer (ties to even); `value` must fit.
int NearestInt32(long double value);
