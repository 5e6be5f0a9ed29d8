#include "ui/rules/DialogValues.h"

#include <gtest/gtest.h>

namespace {

struct ConversionCase {
    TShownUnit unit;
    int system;
    long double shown, stored;
};

class ShownStoredTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ShownStoredTest, ConvertsBothWays)
{
    const ConversionCase& c = GetParam();
    EXPECT_EQ(StoredValue(c.unit, c.shown, NormalizeUnitSystem(c.system)), c.stored);
    EXPECT_EQ(ShownValue(c.unit, c.stored, NormalizeUnitSystem(c.system)), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Units, ShownStoredTest,
    ::testing::Values(ConversionCase{TShownUnit::FeetForInches, 1, 20, 240},  // 20 ft is 240 in
                      ConversionCase{TShownUnit::FeetForInches, 2, 6, 6},     // SI: metres as stored
                      ConversionCase{TShownUnit::FeetForInches, 3, 6, 6},     // generic units as stored
                      ConversionCase{TShownUnit::PsfForPsi, 1, 144, 1},       // 144 lbs/ft^2 is 1 lbs/in^2
                      ConversionCase{TShownUnit::PsfForPsi, 2, 10, 10},
                      ConversionCase{TShownUnit::AsStored, 1, 36, 36}));

TEST(TitleTest, OneLineOfAtMostEightyCharactersReplacesOnlyADifferentTitle)
{
    std::string title = "New Wall";
    EXPECT_FALSE(StoreTitle(title, "New Wall"));
    EXPECT_TRUE(StoreTitle(title, "Pier 7\r\nnorth"));
    EXPECT_EQ(title, "Pier 7north");
    EXPECT_EQ(TitleLine(std::string(100, 'x')), std::string(80, 'x'));
    // Eighty characters, not bytes: a degree sign is two bytes in UTF-8.
    std::string degrees;
    for (int i = 0; i < 90; ++i)
        degrees += "\xC2\xB0";
    EXPECT_EQ(TitleLine(degrees).size(), 160u);
}

}  // namespace
