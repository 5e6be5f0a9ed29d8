#include "units/EntryBounds.h"
#include "units/Units.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

namespace {

const long double kMax = std::numeric_limits<long double>::max();

// One step applied to bounds that start at [min, max].
struct BoundsCase {
    const char* name;
    long double min, max;
    bool integerOnly;
    void (*step)(TEntryBounds&);
    long double expectedMin, expectedMax;
};

void PrintTo(const BoundsCase& c, std::ostream* os)
{
    *os << c.name;
}

class EntryBoundsTest : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(EntryBoundsTest, AdjustsBounds)
{
    const BoundsCase& c = GetParam();
    TEntryBounds b(c.min, c.max);
    b.SetIntegerOnly(c.integerOnly);
    c.step(b);
    EXPECT_EQ(b.MinVal(), c.expectedMin);
    EXPECT_EQ(b.MaxVal(), c.expectedMax);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, EntryBoundsTest,
    ::testing::Values(
        BoundsCase{"MaxBelowMinBecomesMin", 5, 10, false, [](TEntryBounds& b) { b.SetMaxVal(2); }, 5, 5},
        BoundsCase{"MinAboveMaxBecomesMax", 5, 10, false, [](TEntryBounds& b) { b.SetMinVal(20); }, 10, 10},
        BoundsCase{"InsideIsKept", 5, 10, false, [](TEntryBounds& b) { b.SetMinVal(7); }, 7, 10},
        BoundsCase{"IntegerBoundsIn32Bits", 0, 1, true, [](TEntryBounds& b) { b.SetMaxVal(1e12L); }, 0, 2147483647},
        BoundsCase{"IntegerLowerBoundIn32Bits", -5, 1, true, [](TEntryBounds& b) { b.SetMinVal(-1e12L); },
                   -2147483648.0L, 1},
        BoundsCase{"SwitchingIntegerOnlyReappliesBoth", -kMax, kMax, false,
                   [](TEntryBounds& b) { b.SetIntegerOnly(true); }, -2147483648.0L, 2147483647},
        BoundsCase{"LoadingStoresAsGiven", 5, 10, false,
                   [](TEntryBounds& b) {
                       b.SetLoading(true);
                       b.SetMinVal(20);
                       b.SetMaxVal(1);
                   },
                   20, 1},
        BoundsCase{"RangeIndependentOfOrder", 0, 0, false, [](TEntryBounds& b) { b.SetRange(5, 10); }, 5, 10},
        BoundsCase{"RangeBelowTheOldOne", 100, 200, false, [](TEntryBounds& b) { b.SetRange(1, 2); }, 1, 2},
        BoundsCase{"InvertedRangeCollapses", 0, 0, false, [](TEntryBounds& b) { b.SetRange(10, 5); }, 10, 10}),
    [](const auto& info) { return std::string(info.param.name); });

struct CheckCase {
    long double value;
    bool integerOnly;
    TEntryBounds::Check expected;
};

void PrintTo(const CheckCase& c, std::ostream* os)
{
    *os << static_cast<double>(c.value) << (c.integerOnly ? " integer" : "");
}

class EntryCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(EntryCheckTest, WholeNumberBeforeBounds)
{
    TEntryBounds b(0, 10);
    b.SetIntegerOnly(GetParam().integerOnly);
    EXPECT_EQ(b.Test(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, EntryCheckTest,
                         ::testing::Values(CheckCase{5, true, TEntryBounds::Check::Ok},
                                           CheckCase{2.5L, false, TEntryBounds::Check::Ok},
                                           CheckCase{2.5L, true, TEntryBounds::Check::NotInteger},
                                           CheckCase{-0.5L, true, TEntryBounds::Check::NotInteger},
                                           CheckCase{-1, true, TEntryBounds::Check::BelowMin},
                                           CheckCase{11, false, TEntryBounds::Check::AboveMax},
                                           CheckCase{0, false, TEntryBounds::Check::Ok},
                                           CheckCase{10, false, TEntryBounds::Check::Ok}));

TEST(EntryBounds, ClampsUnlessLoading)
{
    TEntryBounds b(0, 10);
    EXPECT_EQ(b.Clamp(-5), 0);
    EXPECT_EQ(b.Clamp(15), 10);
    EXPECT_EQ(b.Clamp(3), 3);
    b.SetLoading(true);
    EXPECT_EQ(b.Clamp(15), 15);
}

TEST(ComboUnitLabel, ReplacesOnlyTheLetters)
{
    EXPECT_EQ(ComboUnitLabel("F-L2", UnitSystem::English), "lbs-in2");
    EXPECT_EQ(ComboUnitLabel("F/L", UnitSystem::SI), "kN/m");
    EXPECT_EQ(ComboUnitLabel("F/L", UnitSystem::Generic), "F/L");
    EXPECT_EQ(ComboUnitLabel("F/L", NormalizeUnitSystem(9)), "F/L");
}

}  // namespace
