#include "units/NumberFormat.h"

#include "units/TorvikError.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

std::string FormatGeneral(long double value, int digits, int minExponentDigits)
{
    // No text stands for infinity or NaN: a file holding it could not be read
    // back, and a "0" would hide the fault. Every value is checked where it
    // enters, so one reaching here is a fault of the program.
    if (!std::isfinite(value))
        throw TorvikError("Internal error: a value that is not a finite number was to be written.");
    if (value == 0)  // also folds -0 into "0"
        return "0";
    if (digits < 1)
        digits = 1;

    // std::to_chars never consults the locale; its general format is printf's %g:
    // scientific when the exponent is below -4 or not below the precision.
    char buffer[128];
    // A value that a double holds exactly has the same correctly rounded digits
    // either way; the double conversion is many times faster than the extended
    // one. So has the nearest double when few digits are asked for: it differs
    // from the value by at most 1.1E-16 relative, which can move the last of 12
    // digits only for a value within that distance of a rounding midpoint, and
    // then either neighbour keeps the digits asked for. Data files and table
    // cells (8 digits) and graph labels (4 and 5) take this road.
    const bool fitsDouble = std::fabs(value) <= std::numeric_limits<double>::max();
    const double narrow = fitsDouble ? static_cast<double>(value) : 0.0;
    auto result = fitsDouble && (digits <= 12 || static_cast<long double>(narrow) == value)
                      ? std::to_chars(buffer, buffer + sizeof buffer, narrow, std::chars_format::general, digits)
                      : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string text(buffer, result.ptr);

    const auto e = text.find('e');
    if (e == std::string::npos)
        return text;
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    bool negative = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+'))
        exponent.erase(0, 1);
    const auto firstDigit = exponent.find_first_not_of('0');
    exponent = firstDigit == std::string::npos ? "0" : exponent.substr(firstDigit);
    while (static_cast<int>(exponent.size()) < minExponentDigits)
        exponent.insert(0, "0");
    return mantissa + "E" + (negative ? "-" : "") + exponent;
}

std::string FormatFixed(long double value, int precision, int decimals)
{
    if (std::isnan(value) || std::isinf(value) || std::fabs(value) >= std::pow(10.0L, precision))
        return FormatGeneral(value, precision);
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, decimals < 0 ? 0 : decimals);
    std::string text(buffer, result.ptr);
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}
