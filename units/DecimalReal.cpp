#include "units/DecimalReal.h"

#include <charconv>
#include <string>
#include <system_error>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The layout of a number as the grammar allows it; positions into the text.
struct Shape {
    bool negative = false;
    std::size_t mantissaBegin = 0;  // first character after the sign
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
        for (++i; i < t.size() && IsDigit(t[i]); ++i, ++digits) {
            if (t[i] != '0')
                s.allZero = false;
            else if (s.allZero)
                ++leadingFractionZeros;
        }
    }
    if (digits == 0)
        return false;
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
    // std::from_chars never looks at the locale; it takes no "+" sign.
    std::string_view body = text.substr(shape.mantissaBegin);
    long double parsed = 0;
    const auto result = std::from_chars(body.data(), body.data() + body.size(), parsed);
    if (result.ec == std::errc::result_out_of_range) {
        if (shape.magnitude >= 0)
            return DecimalStatus::Overflow;
        parsed = 0;  // below the smallest extended value
    } else if (result.ec != std::errc() || result.ptr != body.data() + body.size()) {
        return DecimalStatus::Invalid;
    }
    value = shape.negative ? -parsed : parsed;
    return DecimalStatus::Ok;
}
