#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "units/TorvikError.h"

// Typed-value stream in which the input tables store their column definitions:
// every value is a tag byte followed by its data, little-endian. The writer and
// the reader depend on the standard library alone, so that build tools can
// compile them without the rest of the program.

// Tag byte of one typed value.
enum class TValueType : std::uint8_t {
    vaNull = 0,      // end of a list
    vaList = 1,      // start of a list
    vaInt8 = 2,      // integer, 1 byte signed
    vaInt16 = 3,     // integer, 2 bytes signed
    vaInt32 = 4,     // integer, 4 bytes signed
    vaExtended = 5,  // real, 10-byte x87 extended
    vaString = 6,    // text, 1-byte length then bytes
    vaFalse = 8,     // boolean false
    vaTrue = 9,      // boolean true
    vaLString = 12   // text, 4-byte length then bytes
};

// A typed-value stream that is truncated or holds a value of the wrong type.
class EReadError : public TorvikError {
public:
    using TorvikError::TorvikError;
};

// Size in bytes of a 10-byte x87 extended real.
constexpr std::size_t ExtendedSize = 10;

// Writes `value` as a 10-byte x87 extended real (64-bit mantissa with explicit
// leading bit, 15-bit exponent biased by 16383, sign bit) into `out`.
void EncodeExtended(long double value, unsigned char out[ExtendedSize]);

// Reads a 10-byte x87 extended real; infinities and NaNs come back as such.
long double DecodeExtended(const unsigned char in[ExtendedSize]);

// Name of a tag as the reader's messages show it ("integer", "text", ...).
std::string ValueTypeName(TValueType type);
