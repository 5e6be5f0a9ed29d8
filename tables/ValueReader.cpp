#include "tables/ValueReader.h"

#include <cmath>

namespace {

bool IsKnownTag(std::uint8_t tag)
{
    return tag <= 6 || tag == 8 || tag == 9 || tag == 12;
}

} // namespace

TValueReader::TValueReader(const std::uint8_t* data, std::size_t size) : FData(data), FSize(data ? size : 0) {}

TValueReader::TValueReader(const std::vector<std::uint8_t>& bytes) : TValueReader(bytes.data(), bytes.size()) {}

void TValueReader::Require(std::size_t count) const
{
    if (FSize - FPosition < count)
        throw EReadError("Unexpected end of the value stream at byte " + std::to_string(FSize));
}

TValueType TValueReader::NextValue() const
{
    Require(1);
    const std::uint8_t tag = FData[FPosition];
    if (!IsKnownTag(tag))
        throw EReadError("Unknown value tag " + std::to_string(tag) + " at byte " + std::to_string(FPosition));
    return static_cast<TValueType>(tag);
}

TValueType TValueReader::ReadTag()
{
    const TValueType type = NextValue();
    ++FPosition;
    return type;
}

std::uint32_t TValueReader::ReadLittleEndian(int byteCount)
{
    Require(static_cast<std::size_t>(byteCount));
    std::uint32_t value = 0;
    for (int i = 0; i < byteCount; ++i)
        value |= static_cast<std::uint32_t>(FData[FPosition++]) << (8 * i);
    return value;
}

void TValueReader::WrongType(const std::string& expected, TValueType found, std::size_t at) const
{
    throw EReadError("Expected " + expected + " but found " + ValueTypeName(found) + " at byte " + std::to_string(at));
}

bool TValueReader::EndOfList() const { return NextValue() == TValueType::vaNull; }

void TValueReader::ReadListBegin()
{
    const std::size_t at = FPosition;
    const TValueType type = ReadTag();
    if (type != TValueType::vaList) {
        FPosition = at;
        WrongType("list", type, at);
    }
}

void TValueReader::ReadListEnd()
{
    const std::size_t at = FPosition;
    const TValueType type = ReadTag();
    if (type != TValueType::vaNull) {
        FPosition = at;
        WrongType("end of list", type, at);
    }
}

std::int32_t TValueReader::ReadInteger()
{
    const std::size_t at = FPosition;
    switch (NextValue()) {
    case TValueType::vaInt8:
        ++FPosition;
        return static_cast<std::int8_t>(ReadLittleEndian(1));
    case TValueType::vaInt16:
        ++FPosition;
        return static_cast<std::int16_t>(ReadLittleEndian(2));
    case TValueType::vaInt32:
        ++FPosition;
        return static_cast<std::int32_t>(ReadLittleEndian(4));
    default:
        WrongType("integer", NextValue(), at);
    }
}

long double TValueReader::ReadFloat()
{
    const std::size_t at = FPosition;
    const TValueType type = NextValue();
    if (type != TValueType::vaExtended) {
        if (type == TValueType::vaInt8 || type == TValueType::vaInt16 || type == TValueType::vaInt32)
            return ReadInteger();
        WrongType("real", type, at);
    }
    Require(1 + ExtendedSize);
    const long double value = DecodeExtended(FData + FPosition + 1);
    if (!std::isfinite(value))
        throw EReadError("Real value that is not a finite number at byte " + std::to_string(at));
    FPosition += 1 + ExtendedSize;
    return value;
}

std::string TValueReader::ReadString()
{
    const std::size_t at = FPosition;
    const TValueType type = NextValue();
    if (type != TValueType::vaString && type != TValueType::vaLString)
        WrongType("text", type, at);
    ++FPosition;
    const std::uint32_t length = ReadLittleEndian(type == TValueType::vaString ? 1 : 4);
    Require(length);
    std::string text(reinterpret_cast<const char*>(FData + FPosition), length);
    FPosition += length;
    return text;
}

bool TValueReader::ReadBoolean()
{
    const std::size_t at = FPosition;
    const TValueType type = NextValue();
    if (type != TValueType::vaTrue && type != TValueType::vaFalse)
        WrongType("boolean", type, at);
    ++FPosition;
    return type == TValueType::vaTrue;
}

std::vector<std::string> TValueReader::ReadStringList()
{
    std::vector<std::string> texts;
    ReadListBegin();
    while (!EndOfList())
        texts.push_back(ReadString());
    ReadListEnd();
    return texts;
}

std::vector<std::int32_t> TValueReader::ReadIntegerList()
{
    std::vector<std::int32_t> values;
    ReadListBegin();
    while (!EndOfList())
        values.push_back(ReadInteger());
    ReadListEnd();
    return values;
}
