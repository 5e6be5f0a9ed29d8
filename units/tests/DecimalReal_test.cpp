#include "units/DecimalReal.h"

#include "units/tests/PrintText.h"
#include "units/tests/CommaLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <random>
#include <string>

namespace {

struct RealCase {
    const char* text;
    DecimalStatus status;
    long double value;  // when Ok
};

void PrintTo(const RealCase& c, std::ostream* os)
{
    PrintText(c.text, os);
}

class DecimalRealTest : public ::testing::TestWithParam<RealCase> {};

TEST_P(DecimalRealTest, ReadsTheWholeText)
{
    const RealCase& c = GetParam();
    long double value = -7;
    EXPECT_EQ(ParseDecimalReal(c.text, value), c.status) << c.text;
    EXPECT_EQ(value, c.status == DecimalStatus::Ok ? c.value : -7) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, DecimalRealTest,
    ::testing::Values(
        RealCase{"1.5", DecimalStatus::Ok, 1.5L}, RealCase{"-2", DecimalStatus::Ok, -2},
        RealCase{"+3", DecimalStatus::Ok, 3}, RealCase{".5", DecimalStatus::Ok, 0.5L},
        RealCase{"5.", DecimalStatus::Ok, 5}, RealCase{"1E-5", DecimalStatus::Ok, 1e-5L},
        RealCase{"1e5", DecimalStatus::Ok, 1e5L}, RealCase{"-1.25E+3", DecimalStatus::Ok, -1250},
        RealCase{"0.333333333333333333", DecimalStatus::Ok, 0.333333333333333333L},
        RealCase{"007", DecimalStatus::Ok, 7}, RealCase{"0.000", DecimalStatus::Ok, 0},
        // beyond the short path: still rounded to the extended real, not to an 8-byte one
        RealCase{"1595410.123456789012345678", DecimalStatus::Ok, 1595410.123456789012345678L},
        RealCase{"1.7976931E308", DecimalStatus::Ok, 1.7976931E308L},
        // below the smallest extended value: zero, not an error
        RealCase{"1E-5000", DecimalStatus::Ok, 0}, RealCase{"0.0001E-4950", DecimalStatus::Ok, 0},
        // too large for an extended value, also when written with many digits
        RealCase{"1E5000", DecimalStatus::Overflow, 0}, RealCase{"-2e4933", DecimalStatus::Overflow, 0},
        RealCase{"1E99999999999999999999", DecimalStatus::Overflow, 0},
        // not numbers in this grammar
        RealCase{"", DecimalStatus::Invalid, 0}, RealCase{"-", DecimalStatus::Invalid, 0},
        RealCase{".", DecimalStatus::Invalid, 0}, RealCase{"E5", DecimalStatus::Invalid, 0},
        RealCase{"1E", DecimalStatus::Invalid, 0}, RealCase{"1E+", DecimalStatus::Invalid, 0},
        RealCase{"1,5", DecimalStatus::Invalid, 0}, RealCase{"1.2.3", DecimalStatus::Invalid, 0},
        RealCase{"inf", DecimalStatus::Invalid, 0}, RealCase{"nan", DecimalStatus::Invalid, 0},
        RealCase{"0x10", DecimalStatus::Invalid, 0}, RealCase{"--1", DecimalStatus::Invalid, 0},
        RealCase{" 1", DecimalStatus::Invalid, 0}, RealCase{"1 ", DecimalStatus::Invalid, 0},
        RealCase{"1d5", DecimalStatus::Invalid, 0}));

// The short-number path must round exactly as the general conversion does.
TEST(DecimalReal, AgreesWithTheGeneralConversion)
{
    std::mt19937_64 random(20131);
    for (int t = 0; t < 20000; ++t) {
        std::string text;
        const int digits = 1 + static_cast<int>(random() % 22);
        const int point = static_cast<int>(random() % (digits + 1));
        for (int i = 0; i < digits; ++i) {
            if (i == point)
                text += '.';
            text += static_cast<char>('0' + random() % 10);
        }
        if (random() % 2)
            text += "E" + std::to_string(static_cast<int>(random() % 70) - 35);
        long double fast = 0;
        long double general = 0;
        ASSERT_EQ(ParseDecimalReal(text, fast), DecimalStatus::Ok) << text;
        general = std::strtold(text.c_str(), nullptr);  // the C library's, in the "C" locale
        ASSERT_EQ(fast, general) << text;
    }
}

TEST(DecimalReal, IgnoresACommaLocale)
{
    const CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no German locale installed";
    long double value = 0;
    EXPECT_EQ(ParseDecimalReal("2.5", value), DecimalStatus::Ok);
    EXPECT_EQ(value, 2.5L);
    EXPECT_EQ(ParseDecimalReal("2,5", value), DecimalStatus::Invalid);
    // beyond the short path, where the C library converts
    EXPECT_EQ(ParseDecimalReal("1595410.123456789012345678", value), DecimalStatus::Ok);
    EXPECT_EQ(value, 1595410.123456789012345678L);
}

}  // namespace
