#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "tables/ValueReader.h"
#include "tables/ValueWriter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Written(void (*write)(TValueWriter&))
{
    TValueWriter writer;
    write(writer);
    return writer.Bytes();
}

struct IntegerCase {
    std::int32_t value;
    Bytes bytes;
};

class IntegerForm : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerForm, SmallestFormLittleEndianAndBack)
{
    TValueWriter writer;
    writer.WriteInteger(GetParam().value);
    EXPECT_EQ(writer.Bytes(), GetParam().bytes);
    TValueReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadInteger(), GetParam().value);
    EXPECT_TRUE(reader.AtEnd());
}

INSTANTIATE_TEST_SUITE_P(Values, IntegerForm,
    testing::Values(IntegerCase{0, {2, 0}}, IntegerCase{-1, {2, 0xFF}}, IntegerCase{127, {2, 0x7F}},
                    IntegerCase{-128, {2, 0x80}}, IntegerCase{128, {3, 0x80, 0}},
                    IntegerCase{-129, {3, 0x7F, 0xFF}}, IntegerCase{32767, {3, 0xFF, 0x7F}},
                    IntegerCase{32768, {4, 0, 0x80, 0, 0}}, IntegerCase{2147483600, {4, 0xD0, 0xFF, 0xFF, 0x7F}},
                    IntegerCase{std::numeric_limits<std::int32_t>::min(), {4, 0, 0, 0, 0x80}},
                    IntegerCase{std::numeric_limits<std::int32_t>::max(), {4, 0xFF, 0xFF, 0xFF, 0x7F}}));

struct RealCase {
    long double value;
    Bytes bytes; // tag then the 10 bytes of the x87 layout
};

class RealForm : public testing::TestWithParam<RealCase> {};

TEST_P(RealForm, X87ExtendedBytesAndBack)
{
    TValueWriter writer;
    writer.WriteFloat(GetParam().value);
    EXPECT_EQ(writer.Bytes(), GetParam().bytes);
    TValueReader reader(writer.Bytes());
    const long double back = reader.ReadFloat();
    EXPECT_EQ(back, GetParam().value);
    EXPECT_EQ(std::signbit(back), std::signbit(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(Values, RealForm,
    testing::Values(RealCase{0.0L, {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                    RealCase{-0.0L, {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}},
                    RealCase{1.0L, {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
                    RealCase{-2.0L, {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
                    RealCase{0.5L, {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F}},
                    RealCase{3.0L, {5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0x40}}));

TEST(ValueStream, RealsKeepEveryBitOfAnExtended)
{
    const long double values[] = {0.1L, 3.280839895L, 224.8089237L, -6.365879805e-3L, 1e-4000L, 1e4000L,
                                  LDBL_MIN, LDBL_MAX, LDBL_TRUE_MIN, LDBL_TRUE_MIN * 12345, 1.0L / 3};
    for (long double value : values) {
        unsigned char bytes[ExtendedSize];
        EncodeExtended(value, bytes);
        EXPECT_EQ(DecodeExtended(bytes), value) << static_cast<double>(value);
#if LDBL_MANT_DIG == 64
        // Where long double is the x87 type itself, the bytes are its memory image.
        EXPECT_EQ(std::memcmp(bytes, &value, ExtendedSize), 0) << static_cast<double>(value);
#endif
    }
}

TEST(ValueStream, TextFormsByLength)
{
    const std::string shortText(255, 'a');
    const std::string longText(256, 'b');
    TValueWriter writer;
    writer.WriteString("Load Types");
    writer.WriteString(shortText);
    writer.WriteString(longText);
    writer.WriteString("");
    const Bytes& bytes = writer.Bytes();
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 3), (Bytes{6, 10, 'L'}));
    const std::size_t longAt = 2 + 10 + 2 + 255;
    EXPECT_EQ(bytes[12], 6);
    EXPECT_EQ(bytes[13], 255);
    EXPECT_EQ(Bytes(bytes.begin() + longAt, bytes.begin() + longAt + 5), (Bytes{12, 0, 1, 0, 0}));
    TValueReader reader(bytes);
    EXPECT_EQ(reader.ReadString(), "Load Types");
    EXPECT_EQ(reader.ReadString(), shortText);
    EXPECT_EQ(reader.ReadString(), longText);
    EXPECT_EQ(reader.ReadString(), "");
    EXPECT_TRUE(reader.AtEnd());
}

TEST(ValueStream, ListsAndBooleans)
{
    const Bytes bytes = Written([](TValueWriter& w) {
        w.WriteStringList({"From Node No.", "(Start)"});
        w.WriteBoolean(true);
        w.WriteBoolean(false);
        w.WriteIntegerList({27, -1});
        w.WriteStringList({});
    });
    EXPECT_EQ(bytes[0], 1);
    TValueReader reader(bytes);
    EXPECT_EQ(reader.ReadStringList(), (std::vector<std::string>{"From Node No.", "(Start)"}));
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_EQ(reader.ReadIntegerList(), (std::vector<std::int32_t>{27, -1}));
    EXPECT_TRUE(reader.ReadStringList().empty());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(bytes.back(), 0);
}

TEST(ValueStream, RealAcceptsAnIntegerValue)
{
    const Bytes bytes = Written([](TValueWriter& w) { w.WriteInteger(-300); });
    TValueReader reader(bytes);
    EXPECT_EQ(reader.ReadFloat(), -300.0L);
}

void ExpectReadError(const Bytes& bytes, void (*read)(TValueReader&), const std::string& message)
{
    TValueReader reader(bytes);
    try {
        read(reader);
        FAIL() << "no error, expected: " << message;
    } catch (const EReadError& error) {
        EXPECT_EQ(std::string(error.what()), message);
    }
}

TEST(ValueStream, WrongTypeUnknownTagAndNonFiniteRealAreErrors)
{
    ExpectReadError({6, 1, 'x'}, [](TValueReader& r) { r.ReadInteger(); }, "Expected integer but found text at byte 0");
    ExpectReadError({2, 1}, [](TValueReader& r) { r.ReadString(); }, "Expected text but found integer at byte 0");
    ExpectReadError({9}, [](TValueReader& r) { r.ReadListBegin(); }, "Expected list but found boolean at byte 0");
    ExpectReadError({1, 2, 1}, [](TValueReader& r) { r.ReadStringList(); }, "Expected text but found integer at byte 1");
    ExpectReadError({0}, [](TValueReader& r) { r.ReadBoolean(); }, "Expected boolean but found end of list at byte 0");
    ExpectReadError({7}, [](TValueReader& r) { r.ReadInteger(); }, "Unknown value tag 7 at byte 0");
    ExpectReadError({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}, [](TValueReader& r) { r.ReadFloat(); },
                    "Real value that is not a finite number at byte 0");
}

// Every prefix of a stream holding each kind of value must fail cleanly, and the
// reader must stop at the end of the buffer (checked by AddressSanitizer builds
// and by reading from a copy that holds exactly the prefix).
TEST(ValueStream, EveryTruncationIsAnErrorNeverAnOverread)
{
    const Bytes full = Written([](TValueWriter& w) {
        w.WriteStringList({"Depth", std::string(300, 'x')});
        w.WriteInteger(70000);
        w.WriteInteger(-5);
        w.WriteFloat(3.5L);
        w.WriteBoolean(true);
        w.WriteIntegerList({1, 1000});
    });
    auto readAll = [](TValueReader& r) {
        r.ReadStringList();
        r.ReadInteger();
        r.ReadInteger();
        r.ReadFloat();
        r.ReadBoolean();
        r.ReadIntegerList();
    };
    for (std::size_t length = 0; length < full.size(); ++length) {
        const Bytes prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        TValueReader reader(prefix);
        try {
            readAll(reader);
            FAIL() << "truncation at " << length << " was read without error";
        } catch (const EReadError& error) {
            EXPECT_EQ(std::string(error.what()), "Unexpected end of the value stream at byte " + std::to_string(length));
        }
    }
    TValueReader reader(full);
    readAll(reader);
    EXPECT_TRUE(reader.AtEnd());
}

} // namespace
