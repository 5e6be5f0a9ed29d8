#include "units/Constants.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"
#include "units/tests/CommaLocale.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <locale>
#include <string>

namespace {

struct FormatCase {
    long double value;
    int digits;
    const char* expected;
};

class FormatGeneralTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatGeneralTest, WritesShortestGeneralForm)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatGeneral(c.value, c.digits), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatGeneralTest,
    ::testing::Values(
        // integral values carry no decimal point; trailing zeros are dropped
        FormatCase{100, 8, "100"}, FormatCase{0.5L, 8, "0.5"}, FormatCase{-2.5L, 8, "-2.5"},
        // zero, also negative zero
        FormatCase{0, 8, "0"}, FormatCase{-0.0L, 8, "0"},
        // one ten-thousandth is still fixed, below it scientific without exponent padding
        FormatCase{0.0001L, 8, "0.0001"}, FormatCase{0.00001L, 8, "1E-5"}, FormatCase{1.25e-6L, 8, "1.25E-6"},
        // eight integer digits fit, nine do not
        FormatCase{12345678, 8, "12345678"}, FormatCase{123456789, 8, "1.2345679E8"},
        FormatCase{1e20L, 8, "1E20"}, FormatCase{-3.5e-300L, 8, "-3.5E-300"},
        // rounding to the significant digits
        FormatCase{1.0L / 3, 8, "0.33333333"}, FormatCase{2.0L / 3, 8, "0.66666667"},
        FormatCase{0.1L, 8, "0.1"}, FormatCase{0.004448222468060651L, 8, "0.0044482225"},
        // 18 digits keep what an extended real holds
        FormatCase{1.0L / 3, 18, "0.333333333333333333"}, FormatCase{0.1L, 18, "0.1"},
        FormatCase{kPiLong, 18, "3.14159265358979324"}));

// No text stands for a value that is not finite: "INF" in a data file could
// not be read back, and NaN written as "0" hid the fault.
TEST(FormatGeneral, ANonFiniteValueIsAnInternalError)
{
    for (long double value : {std::numeric_limits<long double>::infinity(),
                              -std::numeric_limits<long double>::infinity(),
                              std::numeric_limits<long double>::quiet_NaN()})
        EXPECT_THROW(FormatGeneral(value, 8), TorvikError) << static_cast<double>(value);
    EXPECT_EQ(FormatGeneral(1E4000L, 8), "1E4000");
}

TEST(FormatGeneral, PadsExponentToMinimumDigits)
{
    EXPECT_EQ(FormatGeneral(1.5e-7L, 4, 2), "1.5E-07");
    EXPECT_EQ(FormatGeneral(1.5e12L, 5, 2), "1.5E12");
    EXPECT_EQ(FormatGeneral(1.5e123L, 5, 2), "1.5E123");
}

TEST(FormatGeneral, IgnoresCommaDecimalLocale)
{
    const CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no German locale installed";
    EXPECT_EQ(FormatGeneral(1234.5L, 8), "1234.5");
    EXPECT_EQ(FormatGeneral(1.25e-6L, 8), "1.25E-6");
}

TEST(FormatFixed, OneDecimalUpToThePrecision)
{
    EXPECT_EQ(FormatFixed(12.34L, 6, 1), "12.3");
    EXPECT_EQ(FormatFixed(-3.26L, 6, 1), "-3.3");
    EXPECT_EQ(FormatFixed(-0.04L, 6, 1), "0.0");
    EXPECT_EQ(FormatFixed(999999.94L, 6, 1), "999999.9");
    EXPECT_EQ(FormatFixed(1234567.0L, 6, 1), "1.23457E6");
}

}  // namespace

namespace {

// printf's %g digits with a precision, the exponent as the program writes it.
std::string Reference(double value, int digits, int minExponentDigits)
{
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string text(buffer, r.ptr);
    const auto e = text.find('e');
    if (e == std::string::npos)
        return text;
    const int exponent = std::stoi(text.substr(e + 1));
    std::string digitsText = std::to_string(std::abs(exponent));
    while (static_cast<int>(digitsText.size()) < minExponentDigits)
        digitsText.insert(0, "0");
    return text.substr(0, e) + "E" + (exponent < 0 ? "-" : "") + digitsText;
}

// Property: doubles of every magnitude, with few and many digits, at and next to
// the rounding midpoints of the last digit, give the digits of %g.
TEST(FormatGeneral, SameDigitsAsPrintfGeneral)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(1, 10);
    std::uniform_int_distribution<int> exponent(-40, 40), digits(1, 15);
    for (int i = 0; i < 300000; ++i) {
        const int d = digits(random);
        const double scale = std::pow(10.0, exponent(random));
        double v = mantissa(random) * scale;
        if (i % 3 == 0)  // few digits
            v = std::round(v / scale * 1000) / 1000 * scale;
        if (i % 5 == 0) {  // a midpoint of the last digit and its neighbours
            const double unit = std::pow(10.0, std::floor(std::log10(v)) - d + 1);
            v = (std::floor(v / unit) + 0.5) * unit;
            if (i % 10 == 0)
                v = std::nextafter(v, i % 20 == 0 ? 0.0 : 1e300);
        }
        if (i % 7 == 0)
            v = -v;
        const int e = i % 11 == 0 ? 2 : 0;
        ASSERT_EQ(FormatGeneral(v, d, e), Reference(v, d, e)) << v << " with " << d << " digits";
        std::string appended = "x";
        AppendGeneral(appended, v, d, e);
        ASSERT_EQ(appended, "x" + Reference(v, d, e)) << v << " with " << d << " digits";
    }
    for (double v : {0.5, 2.5, 0.125, 1234.5, 9.5, 99.95, 9.9999999e-5, 1e-5, 1e15, 123456789.0})
        for (int d = 1; d <= 15; ++d)
            ASSERT_EQ(FormatGeneral(v, d), Reference(v, d, 0)) << v << " with " << d << " digits";
}

}  // namespace
