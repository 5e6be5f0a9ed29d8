#pragma once
#include <limits>
#include <string>

// The range of every real value the program keeps. Values are held as 80-bit
// extended reals, but the engine computes in 8-byte reals and the command
// line's JSON holds 8-byte reals, so a value beyond the largest of those could
// be kept and saved yet never used, nor read back once written as "INF". Such
// values are refused where they enter: read from a file, typed, or made by a
// unit switch.

// The largest magnitude a value may have: that of an 8-byte real, 1.7976931E308.
constexpr long double kLargestValue = std::numeric_limits<double>::max();

// True when `value` is a number of at most kLargestValue in magnitude (false for NaN).
inline bool InValueRange(long double value)
{
    return value >= -kLargestValue && value <= kLargestValue;
}

// The range as messages state it.
inline std::string ValueRangeText()
{
    return "-1.7976931E308 to 1.7976931E308";
}

// `value` as an 8-byte real; TorvikError (an internal error: every value was
// checked where it entered) when it lies outside the range.
double ToDoubleChecked(long double value);
