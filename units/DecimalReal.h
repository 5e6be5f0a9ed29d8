#pragma once
#include <string_view>

// Reading of decimal real numbers, independent of the user's locale: the one
// reader behind data files, plot files and the expression evaluator.

// Outcome of reading a decimal real.
enum class DecimalStatus { Ok, Invalid, Overflow };

// Reads the whole of `text` as an optional sign, digits with an optional
// fraction after a full stop (at least one digit in all), and an optional
// exponent "E" or "e" with optional sign and at least one digit. A value too
// small for an extended real reads as zero; one too large is Overflow. On
// anything but Ok, `value` is left unchanged.
DecimalStatus ParseDecimalReal(std::string_view text, long double& value);
