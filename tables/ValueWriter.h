#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tables/ValueStream.h"

// Appends typed values to a byte buffer: the smallest integer form that holds
// the value, texts shorter than 256 bytes in the 1-byte-length form.
class TValueWriter {
public:
    // Starts a list; its items follow, then WriteListEnd.
    void WriteListBegin();
    // Ends the list begun last.
    void WriteListEnd();
    // Writes an integer in 1, 2 or 4 bytes.
    void WriteInteger(std::int32_t value);
    // Writes a 10-byte extended real.
    void WriteFloat(long double value);
    // Writes a text (form 6 below 256 bytes, else form 12).
    void WriteString(const std::string& text);
    // Writes a boolean as its own tag.
    void WriteBoolean(bool value);
    // Writes a list of texts.
    void WriteStringList(const std::vector<std::string>& texts);
    // Writes a list of integers.
    void WriteIntegerList(const std::vector<std::int32_t>& values);

    // The bytes written so far.
    const std::vector<std::uint8_t>& Bytes() const { return FBytes; }

private:
    void WriteTag(TValueType type);
    void WriteLittleEndian(std::uint32_t value, int byteCount);

    std::vector<std::uint8_t> FBytes;
};
