#include "units/DecimalReal.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <string>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The layout of a number as the grammar allows it; positions into the text.
struct Shape {
    bool negative = false;
    std::size_t mantissaBegin = 0;  // first character after the sign
    std::size_t mantissaEnd = 0;    // the exponent's "E", or the end of the text
    int fractionDigits = 0;         // digits after the decimal point
    long exponent = 0;              // written exponent, capped far beyond any range
    int magnitude = 0;              // decimal exponent of the leading non-zero digit
    bool allZero = true;
};

bool Scan(std::string_view t, Shape& s)
{
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        s.negative = t[i++] == '-';
    s.mantissaBegin = i;
    int digits = 0;
    int integerDigits = 0;  // significant digits before the point
    int leadingFractionZeros = 0;
    for (; i < t.size() && IsDigit(t[i]); ++i, ++digits) {
        if (t[i] != '0' || !s.allZero) {
            s.allZero = false;
            ++integerDigits;
        }
    }
    if (i < t.size() && t[i] == '.') {
        for (++i; i < t.size() && IsDigit(t[i]); ++i, ++digits, ++s.fractionDigits) {
            if (t[i] != '0')
                s.allZero = false;
            else if (s.allZero)
                ++leadingFractionZeros;
        }
    }
    if (digits == 0)
        return false;
    s.mantissaEnd = i;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            negativeExponent = t[i++] == '-';
        if (i == t.size() || !IsDigit(t[i]))
            return false;
        for (; i < t.size() && IsDigit(t[i]); ++i)
            if (s.exponent < 1000000)
                s.exponent = s.exponent * 10 + (t[i] - '0');
        if (negativeExponent)
            s.exponent = -s.exponent;
    }
    if (i != t.size())
        return false;
    s.magnitude = static_cast<int>(integerDigits > 0 ? integerDigits - 1 + s.exponent
                                                     : s.exponent - leadingFractionZeros - 1);
    return true;
}

// Powers of ten that an extended real holds exactly: 5^27 still fits in its
// 64-bit significand.
const long double kExactPowers[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
                                    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

// The common case of a data file, without the general conversion: at most 19
// significant digits and a small decimal exponent. The digits then form an
// exact 64-bit integer m and 10^k is exact, so m * 10^k or m / 10^k, rounded
// once, is the correctly rounded value, the same that the general conversion gives.
bool FastValue(std::string_view text, const Shape& shape, long double& value)
{
    const long k = shape.exponent - shape.fractionDigits;
    if (k < -27 || k > 27)
        return false;
    std::uint64_t m = 0;
    int digits = 0;
    for (std::size_t i = shape.mantissaBegin; i < shape.mantissaEnd; ++i) {
        const char c = text[i];
        if (c == '.')
            continue;
        if (m != 0 || c != '0')
            ++digits;
        if (digits > 19)
            return false;
        m = m * 10 + static_cast<std::uint64_t>(c - '0');
    }
    const long double mantissa = static_cast<long double>(m);
    value = k < 0 ? mantissa / kExactPowers[-k] : mantissa * kExactPowers[k];
    return true;
}

// Any other number, by the C library's conversion, which rounds correctly to
// an extended real with glibc and with MinGW-w64 alike (MinGW's std::from_chars
// for long double goes through an 8-byte real and loses the last digits). The
// number is passed without its decimal point, as digits times a power of ten,
// so that the locale's decimal separator cannot change the result. False when
// the value lies outside the extended range.
bool GeneralValue(std::string_view text, const Shape& shape, long double& value)
{
    std::string digits;
    digits.reserve(shape.mantissaEnd - shape.mantissaBegin + 24);
    for (std::size_t i = shape.mantissaBegin; i < shape.mantissaEnd; ++i)
        if (text[i] != '.')
            digits += text[i];
    digits += 'E';
    digits += std::to_string(shape.exponent - shape.fractionDigits);
    errno = 0;
    value = std::strtold(digits.c_str(), nullptr);
    return errno != ERANGE && std::isfinite(value);
}

}  // namespace

DecimalStatus ParseDecimalReal(std::string_view text, long double& value)
{
    Shape shape;
    if (!Scan(text, shape))
        return DecimalStatus::Invalid;
    if (shape.allZero) {
        value = shape.negative ? -0.0L : 0.0L;
        return DecimalStatus::Ok;
    }
    long double parsed = 0;
    if (FastValue(text, shape, parsed)) {
        value = shape.negative ? -parsed : parsed;
        return DecimalStatus::Ok;
    }
    if (!GeneralValue(text, shape, parsed)) {
        if (shape.magnitude >= 0)
            return DecimalStatus::Overflow;
        parsed = 0;  // below the smallest extended value
    }
    value = shape.negative ? -parsed : parsed;
    return DecimalStatus::Ok;
}
