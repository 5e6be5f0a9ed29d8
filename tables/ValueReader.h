#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tables/ValueStream.h"

// Reads typed values from a byte range that the caller keeps alive. It never
// reads past the end: a truncated stream, an unknown tag or a value of the
// wrong type raises EReadError naming the byte offset.
class TValueReader {
public:
    // Reads from `size` bytes at `data`.
    TValueReader(const std::uint8_t* data, std::size_t size);
    // Reads from a buffer (which must outlive the reader).
    explicit TValueReader(const std::vector<std::uint8_t>& bytes);

    // Tag of the next value without consuming it.
    TValueType NextValue() const;
    // True when the next value ends a list (it is not consumed).
    bool EndOfList() const;
    // Consumes the start of a list.
    void ReadListBegin();
    // Consumes the end of a list.
    void ReadListEnd();
    // Reads an integer of any of the three sizes.
    std::int32_t ReadInteger();
    // Reads a real (an integer value is accepted); never infinity or NaN.
    long double ReadFloat();
    // Reads a text of either form.
    std::string ReadString();
    // Reads a boolean.
    bool ReadBoolean();
    // Reads a list of texts.
    std::vector<std::string> ReadStringList();
    // Reads a list of integers.
    std::vector<std::int32_t> ReadIntegerList();

    // Offset of the next byte to read.
    std::size_t Position() const { return FPosition; }
    // True when every byte was read.
    bool AtEnd() const { return FPosition >= FSize; }

private:
    TValueType ReadTag();
    void Require(std::size_t count) const;
    std::uint32_t ReadLittleEndian(int byteCount);
    [[noreturn]] void WrongType(const std::string& expected, TValueType found, std::size_t at) const;

    const std::uint8_t* FData;
    std::size_t FSize;
    std::size_t FPosition = 0;
};
