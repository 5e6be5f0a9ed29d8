#include "tables/ValueStream.h"

#include <cmath>
#include <cstring>

// The codec works on the value's sign, exponent and 64-bit mantissa rather than
// copying memory, so the bytes are the same whatever the compiler's long double.
void EncodeExtended(long double value, unsigned char out[ExtendedSize])
{
    std::uint64_t mantissa = 0;
    unsigned exponent = 0;
    const bool negative = std::signbit(value);
    const long double magnitude = std::fabs(value);
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ULL;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ULL;
    } else if (magnitude != 0) {
        int e = 0;
        const long double fraction = std::frexp(magnitude, &e); // magnitude = fraction * 2^e, fraction in [0.5, 1)
        int biased = e - 1 + 16383;
        int shift = 64;
        if (biased <= 0) { // denormal: the leading bit moves right
            shift += biased - 1;
            biased = 0;
        }
        mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, shift));
        exponent = static_cast<unsigned>(biased);
    }
    for (std::size_t i = 0; i < 8; ++i)
        out[i] = static_cast<unsigned char>(mantissa >> (8 * i));
    const unsigned top = exponent | (negative ? 0x8000u : 0u);
    out[8] = static_cast<unsigned char>(top & 0xFF);
    out[9] = static_cast<unsigned char>(top >> 8);
}

long double DecodeExtended(const unsigned char in[ExtendedSize])
{
    std::uint64_t mantissa = 0;
    for (std::size_t i = 0; i < 8; ++i)
        mantissa |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    const unsigned top = in[8] | (static_cast<unsigned>(in[9]) << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int exponent = static_cast<int>(top & 0x7FFFu);
    long double magnitude;
    if (exponent == 0x7FFF) {
        magnitude = (mantissa << 1) == 0 ? HUGE_VALL : std::nanl("");
    } else {
        // A zero exponent is a denormal with the exponent of the smallest normal.
        const int unbiased = (exponent == 0 ? 1 : exponent) - 16383;
        magnitude = std::ldexp(static_cast<long double>(mantissa), unbiased - 63);
    }
    return negative ? -magnitude : magnitude;
}

std::string ValueTypeName(TValueType type)
{
    switch (type) {
    case TValueType::vaNull: return "end of list";
    case TValueType::vaList: return "list";
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32: return "integer";
    case TValueType::vaExtended: return "real";
    case TValueType::vaString:
    case TValueType::vaLString: return "text";
    case TValueType::vaFalse:
    case TValueType::vaTrue: return "boolean";
    }
    return "unknown tag " + std::to_string(static_cast<int>(type));
}
