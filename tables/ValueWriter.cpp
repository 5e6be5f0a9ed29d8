#include "tables/ValueWriter.h"

#include <limits>

void TValueWriter::WriteTag(TValueType type)
{
    FBytes.push_back(static_cast<std::uint8_t>(type));
}

void TValueWriter::WriteLittleEndian(std::uint32_t value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i)
        FBytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void TValueWriter::WriteListBegin() { WriteTag(TValueType::vaList); }

void TValueWriter::WriteListEnd() { WriteTag(TValueType::vaNull); }

void TValueWriter::WriteInteger(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if (value >= std::numeric_limits<std::int8_t>::min() && value <= std::numeric_limits<std::int8_t>::max()) {
        WriteTag(TValueType::vaInt8);
        WriteLittleEndian(bits, 1);
    } else if (value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max()) {
        WriteTag(TValueType::vaInt16);
        WriteLittleEndian(bits, 2);
    } else {
        WriteTag(TValueType::vaInt32);
        WriteLittleEndian(bits, 4);
    }
}

void TValueWriter::WriteFloat(long double value)
{
    WriteTag(TValueType::vaExtended);
    unsigned char bytes[ExtendedSize];
    EncodeExtended(value, bytes);
    FBytes.insert(FBytes.end(), bytes, bytes + ExtendedSize);
}

void TValueWriter::WriteString(const std::string& text)
{
    if (text.size() < 256) {
        WriteTag(TValueType::vaString);
        WriteLittleEndian(static_cast<std::uint32_t>(text.size()), 1);
    } else {
        WriteTag(TValueType::vaLString);
        WriteLittleEndian(static_cast<std::uint32_t>(text.size()), 4);
    }
    FBytes.insert(FBytes.end(), text.begin(), text.end());
}

void TValueWriter::WriteBoolean(bool value)
{
    WriteTag(value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TValueWriter::WriteStringList(const std::vector<std::string>& texts)
{
    WriteListBegin();
    for (const std::string& text : texts)
        WriteString(text);
    WriteListEnd();
}

void TValueWriter::WriteIntegerList(const std::vector<std::int32_t>& values)
{
    WriteListBegin();
    for (std::int32_t value : values)
        WriteInteger(value);
    WriteListEnd();
}
