#include "units/Units.h"
#include "units/QuantityLabels.h"

#include "units/tests/PrintText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace {

struct DimensionCase {
    const char* dimension;
    long double factor;  // rounded to the digits of the published table
    const char* english;
    const char* si;
    const char* generic;
};

void PrintTo(const DimensionCase& c, std::ostream* os)
{
    PrintText(c.dimension, os);
}

class DimensionTest : public ::testing::TestWithParam<DimensionCase> {};

TEST_P(DimensionTest, FactorMatchesPublishedValue)
{
    const DimensionCase& c = GetParam();
    const long double factor = DimensionFactor(c.dimension);
    EXPECT_NEAR(static_cast<double>(factor / c.factor), 1.0, 5e-10) << c.dimension;
}

TEST_P(DimensionTest, LabelsInEverySystem)
{
    const DimensionCase& c = GetParam();
    EXPECT_EQ(UnitLabel(c.dimension, UnitSystem::English), c.english);
    EXPECT_EQ(UnitLabel(c.dimension, UnitSystem::SI), c.si);
    EXPECT_EQ(UnitLabel(c.dimension, UnitSystem::Generic), c.generic);
}

// The dimensions of the input tables, and the basic codes on their own.
INSTANTIATE_TEST_SUITE_P(
    TableDimensions, DimensionTest,
    ::testing::Values(
        DimensionCase{"L", 39.37007874L, "in", "m", "L"},
        DimensionCase{"L1", 0.03937007874L, "in", "mm", "L"},
        DimensionCase{"L2", 3.280839895L, "ft", "m", "L"},
        DimensionCase{"F", 224.8089237L, "lbs", "kN", "F"},
        DimensionCase{"F-L", 8850.745028L, "lbs-in", "kN-m", "F-L"},
        DimensionCase{"F-L^2", 348454.5286L, "lbs-in^2", "kN-m^2", "F-L^2"},
        DimensionCase{"F/L", 5.710146662L, "lbs/in", "kN/m", "F/L"},
        DimensionCase{"F/L2", 68.52175994L, "lbs/ft", "kN/m", "F/L"},
        DimensionCase{"F/L^2", 0.1450377252L, "lbs/in^2", "kN/m^2", "F/L^2"},
        DimensionCase{"F/L2^2", 20.88543243L, "lbs/ft^2", "kN/m^2", "F/L^2"},
        DimensionCase{"F/L2^3", 6.365879805L, "lbs/ft^3", "kN/m^3", "F/L^3"},
        DimensionCase{"F/L^3", 0.00368395822L, "lbs/in^3", "kN/m^3", "F/L^3"},
        DimensionCase{"F-L/RAD.", 8850.745028L, "lbs-in/RAD.", "kN-m/RAD.", "F-L/RAD."},
        DimensionCase{"SEE NOTES", 1, "SEE NOTES", "SEE NOTES", "SEE NOTES"},
        DimensionCase{"", 1, "", "", ""}));

INSTANTIATE_TEST_SUITE_P(
    BasicCodes, DimensionTest,
    ::testing::Values(
        DimensionCase{"F1", 0.2248089237L, "kips", "kN", "F"},
        DimensionCase{"F2", 0.1124044745L, "tons", "kN", "F"},
        DimensionCase{"F4", 5.7101483L, "lb-sec2/in", "Mg", "M"},
        DimensionCase{"F5", 1, "sec", "sec", "T"},
        DimensionCase{"L3", 1, "rad", "rad", "L"},
        DimensionCase{"F6", 68.364249L, "slug", "Mg", "F"},
        // a force code with its own exponent, and a coded force with a length
        DimensionCase{"F1^2-L2", 0.2248089237L * 0.2248089237L * 3.280839895L, "kips^2-ft", "kN^2-m", "F^2-L"},
        DimensionCase{"F2-L1^2/F6", 0.1124044745L * 0.03937007874L * 0.03937007874L / 68.364249L, "tons-in^2/slug",
                      "kN-mm^2/Mg", "F-L^2/F"}));

TEST(BasicUnits, FactorsHoldTheDecimalValuesExactly)
{
    const auto& u = BasicUnits();
    const char* codes[] = {"F", "F1", "F2", "L", "L1", "L2", "F4", "F5", "L3", "F6"};
    const long double factors[] = {224.8089237L, 0.2248089237L, 0.1124044745L, 39.37007874L, 0.03937007874L,
                                   3.280839895L, 5.7101483L,    1.0L,          1.0L,         68.364249L};
    for (int i = 0; i < 10; ++i) {
        EXPECT_STREQ(u[i].code, codes[i]);
        EXPECT_EQ(u[i].factor, factors[i]) << codes[i];
        EXPECT_EQ(DimensionFactor(codes[i]), factors[i]) << codes[i];
    }
    // "F0" and "L0" name the same units as "F" and "L".
    EXPECT_EQ(DimensionFactor("F0"), DimensionFactor("F"));
    EXPECT_EQ(DimensionFactor("L0^2"), DimensionFactor("L^2"));
}

struct ConversionCase {
    int from;
    int to;
    long double value;
    long double expected;
};

void PrintTo(const ConversionCase& c, std::ostream* os)
{
    *os << c.from << " to " << c.to;
}

class ConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, DepthOfTenFeet)
{
    const ConversionCase& c = GetParam();
    EXPECT_NEAR(
        static_cast<double>(c.value * ConversionFactor(NormalizeUnitSystem(c.from), NormalizeUnitSystem(c.to), "L2")),
        static_cast<double>(c.expected),
        1e-9);  // the factor itself has ten significant digits
}

INSTANTIATE_TEST_SUITE_P(Systems, ConversionTest,
                         ::testing::Values(ConversionCase{1, 2, 10, 3.048L}, ConversionCase{2, 1, 3.048L, 10},
                                           ConversionCase{1, 1, 10, 10}, ConversionCase{2, 2, 10, 10},
                                           ConversionCase{1, 3, 10, 10}, ConversionCase{3, 1, 10, 10},
                                           ConversionCase{2, 3, 10, 10}, ConversionCase{3, 2, 10, 10}));

TEST(ConversionFactor, RoundTripKeepsExtendedPrecision)
{
    const long double there = 10 * ConversionFactor(UnitSystem::English, UnitSystem::SI, "L2");
    const long double back = there * ConversionFactor(UnitSystem::SI, UnitSystem::English, "L2");
    EXPECT_NEAR(static_cast<double>((back - 10) / 10), 0.0, 1e-18);
}

TEST(ConversionFactor, UnitWeightToSI)
{
    // 120 lbs/ft^3 is 18.850 kN/m^3.
    EXPECT_NEAR(static_cast<double>(120 * ConversionFactor(UnitSystem::English, UnitSystem::SI, "F/L2^3")), 18.850,
                5e-4);
}

struct EntryLabelCase {
    const char* units;
    int system;
    const char* expected;
};

void PrintTo(const EntryLabelCase& c, std::ostream* os)
{
    PrintText(c.units, os);
    *os << " in " << c.system;
}

class EntryLabelTest : public ::testing::TestWithParam<EntryLabelCase> {};

TEST_P(EntryLabelTest, ReplacesFirstForceAndLengthCode)
{
    const EntryLabelCase& c = GetParam();
    EXPECT_EQ(EntryUnitLabel(c.units, NormalizeUnitSystem(c.system)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryLabelTest,
    ::testing::Values(EntryLabelCase{"F-L2", 1, "lbs-ft"}, EntryLabelCase{"F-L2", 2, "kN-m"},
                      EntryLabelCase{"F-L2", 3, "F-L2"}, EntryLabelCase{"F/L2^3", 1, "lbs/ft^3"},
                      EntryLabelCase{"L", 1, "in"}, EntryLabelCase{"L1", 2, "mm"}, EntryLabelCase{"F1", 1, "kips"},
                      // only the first coded length found is replaced, plain "L" then stays
                      EntryLabelCase{"L2-L", 1, "ft-L"},
                      // F6 is looked for before F1 whatever their order in the text
                      EntryLabelCase{"F1/F6", 1, "F1/slug"},
                      // out-of-range systems: below 1 is English, above 3 generic
                      EntryLabelCase{"F-L2", 0, "lbs-ft"}, EntryLabelCase{"F-L2", 7, "F-L2"},
                      EntryLabelCase{"", 1, ""}));

TEST(UnitLabel, EveryOccurrenceIsReplaced)
{
    EXPECT_EQ(UnitLabel("F-L/F-L", UnitSystem::English), "lbs-in/lbs-in");
    EXPECT_EQ(UnitLabel("L2-L2", UnitSystem::SI), "m-m");
}

// A result per analysed strip says so: a unit width reads as a rate, any other
// width names the strip (English widths are in inches, named in feet).
TEST(StripBasis, RateForUnitWidthsAndNamedStripOtherwise)
{
    EXPECT_EQ(StripBasis(UnitSystem::SI, 1), "/m");
    EXPECT_EQ(StripBasis(UnitSystem::SI, 2.5), " per 2.5 m strip");
    EXPECT_EQ(StripBasis(UnitSystem::English, 12), "/ft");
    EXPECT_EQ(StripBasis(UnitSystem::English, 1), "/in");
    EXPECT_EQ(StripBasis(UnitSystem::English, 30), " per 2.5 ft strip");
    EXPECT_EQ(StripBasis(UnitSystem::Generic, 1), "/L");
}

}  // namespace
