#pragma once
#include <string>

// The one place that turns numbers into text. Every number the program writes
// to a file, a table cell, an entry field or a graph goes through here, so the
// decimal separator is always a full stop whatever the user's locale.

// General format with `digits` significant digits: the shortest form with
// trailing zeros dropped, fixed notation unless the magnitude is below 1E-4 or
// the value needs more than `digits` integer digits; then scientific notation
// "1.25E-6" with an exponent of at least `minExponentDigits` digits, no leading
// zeros beyond that and a sign only when negative. Zero is "0". Infinity and
// NaN have no text: they raise TorvikError, an internal error.
std::string FormatGeneral(long double value, int digits, int minExponentDigits = 0);

// Appends FormatGeneral(value, digits, minExponentDigits) to `out`: the same
// text, written straight into `out` (for files of many numbers).
void AppendGeneral(std::string& out, double value, int digits, int minExponentDigits = 0);

// The room WriteGeneral needs: the text of a double with up to 17 digits.
constexpr int kGeneralTextSize = 48;
// Writes FormatGeneral(value, digits, minExponentDigits) into `buffer` (kGeneralTextSize
// characters, no terminating zero) and returns the end of the text; digits above
// 17 and exponent digits above 8 count as 17 and 8.
char* WriteGeneral(char* buffer, double value, int digits, int minExponentDigits = 0);

// Fixed notation with `decimals` decimals ("12.3"), or the general format with
// `precision` digits when the integer part needs more than `precision` digits.
// A value that rounds to zero carries no sign.
std::string FormatFixed(long double value, int precision, int decimals);

// The 8-digit form of data files and table cells.
inline std::string FormatFloat8(long double value) { return FormatGeneral(value, 8); }

// The 18-digit form of the evaluator and the entry fields.
inline std::string FormatFloat18(long double value) { return FormatGeneral(value, 18); }
