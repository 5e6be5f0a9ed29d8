// The section catalogue: rows against their published sources, in the units of
// SI and English walls; every row's mass agrees with its area; a user's file
// with a bad row is refused by line and item.
#include "checks/SectionCatalogue.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const checks::CatalogueSection& Row(const std::string& name)
{
    for (const checks::CatalogueSection& s : checks::BuiltInSections())
        if (s.name == name)
            return s;
    throw std::runtime_error("no row " + name);
}

// ArcelorMittal's AU 16 page, per m of wall: I = 32850 cm4/m, W = 1600 cm3/m;
// E = 210 GPa. USS (1984) PZ 22, per ft of wall: I = 84.4 in4/ft, S = 18.1 in3/ft;
// E = 29,000 ksi (EI as the cantilever example gives it). AISC HP14x73, per pile:
// I = 729 in4, S = 107 in3, d = 13.6 in, tw = 0.505 in.
TEST(SectionCatalogue, RowsMatchTheirSources)
{
    const checks::SectionInWallUnits au16 = checks::InWallUnits(Row("AU 16"), 2);
    EXPECT_NEAR(au16.ei, 210e6 * 32850e-8, 1e-6 * au16.ei);
    EXPECT_NEAR(au16.modulus, 1600e-6, 1e-12);
    EXPECT_FALSE(au16.shearArea);

    const checks::SectionInWallUnits pz22 = checks::InWallUnits(Row("PZ 22"), 1);
    EXPECT_NEAR(pz22.ei, 29.0e6 * 84.4, 1e-6 * pz22.ei);
    EXPECT_NEAR(pz22.modulus, 18.1, 1e-9);
    // The same wall per m in SI: 84.4 in4/ft = 84.4 x 0.0254^4 / 0.3048 m4/m.
    EXPECT_NEAR(checks::InWallUnits(Row("PZ 22"), 2).ei, 29e6 * 6894.757293 * 84.4 * std::pow(0.0254, 4) / 0.3048 / 1000,
                1e-6 * checks::InWallUnits(Row("PZ 22"), 2).ei);

    const checks::CatalogueSection& hp = Row("HP14x73");
    EXPECT_TRUE(hp.perPile);
    const checks::SectionInWallUnits hp14 = checks::InWallUnits(hp, 1);
    EXPECT_NEAR(hp14.ei, 29.0e6 * 729, 1e-6 * hp14.ei);
    EXPECT_NEAR(hp14.modulus, 107, 1e-9);
    ASSERT_TRUE(hp14.shearArea);
    EXPECT_NEAR(*hp14.shearArea, 13.6 * 0.505, 0.01);
    EXPECT_NE(hp.source.find("AISC"), std::string::npos);
}

// A typing error in a row shows as a mass that steel of 7850 kg/m^3 over the
// row's area does not give (1 % for the rounding of the published values).
TEST(SectionCatalogue, EveryRowsMassIsItsArea)
{
    ASSERT_GE(checks::BuiltInSections().size(), 10u);
    for (const checks::CatalogueSection& s : checks::BuiltInSections()) {
        EXPECT_NEAR(s.mass, 7850 * s.area, 0.01 * s.mass) << s.name;
        EXPECT_FALSE(s.source.empty()) << s.name;
        EXPECT_GT(s.modulus, 0) << s.name;
    }
}

TEST(SectionCatalogue, UsersFileWithABadRowNamesLineAndItem)
{
    const std::string text = "# my sections\nMY 1,wall,metric,100,78.5,x,900,,my own test\n";
    try {
        checks::ReadSectionCatalogue(text, "my.csv");
        FAIL() << "no error";
    } catch (const TorvikError& e) {
        EXPECT_STREQ(e.what(), "my.csv, line 2: the moment of inertia 'x' is not a number above 0.");
    }
    const auto rows = checks::ReadSectionCatalogue("MY 2,pile,metric,100,78.5,5000,400,20,my test, with a comma\n", "my.csv");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].source, "my test, with a comma");
    EXPECT_THROW(checks::InWallUnits(rows[0], 3), TorvikError);
}

}  // namespace
