#include "units/NumberFormat.h"

#include "units/TorvikError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

namespace {

// Powers of ten that a double holds exactly (5^22 < 2^53).
constexpr int kExactPowers = 22;
constexpr double kPowers[kExactPowers + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Two decimal digits of 0..99, for writing digits in pairs.
constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The decimal exponent of a normal, positive double from its binary one
// (log10(2) = 0.30103); it may be one too small, which ScaleToDigits corrects.
int EstimateExponent(double a)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &a, sizeof bits);
    const int binary = static_cast<int>(bits >> 52) - 1022;  // as frexp gives it, for a normal double
    return ((binary - 1) * 78913) >> 18;
}

// Scales `a` by an exact power of ten to a number of `digits` integer digits
// (in [1E(digits-1), 1E digits)), correcting `exponent` by one where the estimate
// was off; false where that power is not exact or the scaling does not settle.
bool ScaleToDigits(double a, int digits, int& exponent, double& scaled)
{
    const double low = kPowers[digits - 1], high = kPowers[digits];
    scaled = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = digits - 1 - exponent;
        if (k > kExactPowers || -k > kExactPowers)
            return false;
        scaled = k >= 0 ? a * kPowers[k] : a / kPowers[-k];
        if (scaled >= high)
            ++exponent;
        else if (scaled < low)
            --exponent;
        else
            break;
    }
    return scaled >= low && scaled < high;
}

// Rounds `scaled` (of `digits` integer digits) to the integer `n`; a carry to
// one digit more is taken into `exponent`. False where the fraction lies within
// twice the scaling error of one half, so that the exact value might round the
// other way.
bool RoundScaled(double scaled, int digits, int& exponent, std::uint64_t& n)
{
    const std::uint64_t whole = static_cast<std::uint64_t>(scaled);  // below 1E15: exact
    const double fraction = scaled - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) <= scaled * 2.3e-16)
        return false;
    n = whole + (fraction > 0.5 ? 1 : 0);
    if (static_cast<double>(n) >= kPowers[digits]) {
        n /= 10;
        ++exponent;
    }
    return true;
}

// Writes the `digits` digits of `n` at `d`, most significant first, two at a
// time from the right; returns how many remain without the trailing zeros (at
// least one).
int WriteDigits(char* d, std::uint64_t n, int digits)
{
    int left = digits;
    if (n < 4000000000u) {  // in 32 bits, whose divisions are shorter
        std::uint32_t n32 = static_cast<std::uint32_t>(n);
        for (; left >= 2; n32 /= 100, left -= 2)
            std::memcpy(d + left - 2, kPairs + 2 * (n32 % 100), 2);
        n = n32;
    } else {
        for (; left >= 2; n /= 100, left -= 2)
            std::memcpy(d + left - 2, kPairs + 2 * (n % 100), 2);
    }
    if (left == 1)
        d[0] = static_cast<char>('0' + n);
    int count = digits;
    while (count > 1 && d[count - 1] == '0')
        --count;
    return count;
}

// Writes the first n (at most 15) characters of `from` at `o` and moves `o` past
// them. Copying a fixed 16 characters is faster than copying n; `from` holds 16
// readable characters and the output buffer (kGeneralTextSize) has room for the
// excess.
void Put(char*& o, const char* from, int n)
{
    std::memcpy(o, from, 16);
    o += n;
}

// Writes d[0].d[1..count) E exponent, the exponent with at least
// `minExponentDigits` digits; returns the end.
char* WriteScientific(char* o, const char* d, int count, int exponent, int minExponentDigits)
{
    *o++ = d[0];
    if (count > 1) {
        *o++ = '.';
        Put(o, d + 1, count - 1);
    }
    *o++ = 'E';
    if (exponent < 0)
        *o++ = '-';
    char e[16];  // read 16 at a time by Put
    const auto r = std::to_chars(e, e + sizeof e, exponent < 0 ? -exponent : exponent);
    for (int pad = static_cast<int>(r.ptr - e); pad < minExponentDigits; ++pad)
        *o++ = '0';
    Put(o, e, static_cast<int>(r.ptr - e));
    return o;
}

// Writes the `count` digits of `d` with the decimal point placed by `exponent`
// (-4..14), padding with zeros before or after them; returns the end.
char* WriteFixed(char* o, const char* d, int count, int exponent)
{
    if (exponent >= 0) {
        const int whole = exponent + 1;
        if (count <= whole) {
            Put(o, d, count);
            for (int i = count; i < whole; ++i)
                *o++ = '0';
        } else {
            Put(o, d, whole);
            *o++ = '.';
            Put(o, d + whole, count - whole);
        }
    } else {
        *o++ = '0';
        *o++ = '.';
        for (int i = 0; i < -exponent - 1; ++i)
            *o++ = '0';
        Put(o, d, count);
    }
    return o;
}

// The general form of a normal double with `digits` (1..15) significant digits,
// the same text as the correctly rounded conversion, written at `o` (room for
// kGeneralTextSize characters); returns the end of the text, or null where this
// short way cannot be sure of the rounding.
// The value is scaled by an exact power of ten (one rounding, 1.1E-16 relative)
// to a number of `digits` integer digits; unless its fraction lies within twice
// that error of one half, rounding it to an integer rounds the exact value the
// same way. It is faster than the conversion with a precision.
char* QuickGeneral(char* o, double value, int digits, int minExponentDigits)
{
    const double a = std::fabs(value);
    int exponent = EstimateExponent(a);
    double scaled = 0;
    std::uint64_t n = 0;
    if (!ScaleToDigits(a, digits, exponent, scaled) || !RoundScaled(scaled, digits, exponent, n))
        return nullptr;
    char d[32] = {};  // room for the 16-character copies by Put
    const int count = WriteDigits(d, n, digits);

    if (value < 0)
        *o++ = '-';
    if (exponent < -4 || exponent >= digits)
        return WriteScientific(o, d, count, exponent, minExponentDigits);
    return WriteFixed(o, d, count, exponent);
}

[[noreturn]] void NotFinite()
{
    // No text stands for infinity or NaN: a file holding it could not be read
    // back, and a "0" would hide the fault. Every value is checked where it
    // enters, so one reaching here is a fault of the program.
    throw TorvikError("Internal error: a value that is not a finite number was to be written.");
}

}  // namespace

std::string FormatGeneral(long double value, int digits, int minExponentDigits)
{
    if (!std::isfinite(value))
        NotFinite();
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
    const bool narrowDigits = fitsDouble && (digits <= 12 || static_cast<long double>(narrow) == value);
    if (narrowDigits && digits <= 15 && std::fabs(narrow) >= std::numeric_limits<double>::min()) {
        char text[kGeneralTextSize];
        if (const char* end = QuickGeneral(text, narrow, digits, minExponentDigits))
            return std::string(text, static_cast<size_t>(end - text));
    }
    auto result = narrowDigits
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

char* WriteGeneral(char* buffer, double value, int digits, int minExponentDigits)
{
    if (!std::isfinite(value))
        NotFinite();
    if (value != 0 && digits >= 1 && digits <= 15 && minExponentDigits <= 8 &&
        std::fabs(value) >= std::numeric_limits<double>::min()) {
        if (char* end = QuickGeneral(buffer, value, digits, minExponentDigits))
            return end;
    }
    // Up to 17 digits and 8 exponent digits the text fits the buffer.
    const std::string text = FormatGeneral(value, std::min(digits, 17), std::min(minExponentDigits, 8));
    std::memcpy(buffer, text.data(), text.size());
    return buffer + text.size();
}

void AppendGeneral(std::string& out, double value, int digits, int minExponentDigits)
{
    if (digits > 17 || minExponentDigits > 8) {
        out += FormatGeneral(value, digits, minExponentDigits);
        return;
    }
    char text[kGeneralTextSize];
    const char* end = WriteGeneral(text, value, digits, minExponentDigits);
    out.append(text, static_cast<size_t>(end - text));
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
