// The section catalogue: rows against their published sources, in the units of
// SI and English walls; every row's mass agrees with its area and every sheet
// pile's shear area with the web geometry it names; E follows the section's
// standard, not the units it is typed in; a user's file with a bad row is
// refused by line and item.
#include "checks/SectionCatalogue.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

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
    const checks::SectionInWallUnits au16 = checks::InWallUnits(Row("AU 16"), UnitSystem::SI);
    EXPECT_NEAR(au16.ei, 210e6 * 32850e-8, 1e-6 * au16.ei);
    EXPECT_NEAR(au16.modulus, 1600e-6, 1e-12);
    EXPECT_FALSE(au16.shearArea);

    const checks::SectionInWallUnits pz22 = checks::InWallUnits(Row("PZ 22"), UnitSystem::English);
    EXPECT_NEAR(pz22.ei, 29.0e6 * 84.4, 1e-6 * pz22.ei);
    EXPECT_NEAR(pz22.modulus, 18.1, 1e-9);
    // The same wall per m in SI: 84.4 in4/ft = 84.4 x 0.0254^4 / 0.3048 m4/m.
    EXPECT_NEAR(checks::InWallUnits(Row("PZ 22"), UnitSystem::SI).ei,
                29e6 * 6894.757293 * 84.4 * std::pow(0.0254, 4) / 0.3048 / 1000,
                1e-6 * checks::InWallUnits(Row("PZ 22"), UnitSystem::SI).ei);

    const checks::CatalogueSection& hp = Row("HP14x73");
    EXPECT_TRUE(hp.perPile);
    const checks::SectionInWallUnits hp14 = checks::InWallUnits(hp, UnitSystem::English);
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

// The web geometry a sheet-pile row names at the end of its source,
// "b 630 h 380 t 9.5 s 9.5 mm" (or "in"), in m; false when it names none.
bool WebGeometry(const std::string& source, double& b, double& h, double& t, double& s)
{
    const std::size_t at = source.rfind(": b ");
    if (at == std::string::npos)
        return false;
    std::istringstream in(source.substr(at + 2));
    std::string kb, kh, kt, ks, unit;
    in >> kb >> b >> kh >> h >> kt >> t >> ks >> s >> unit;
    if (!in || kb != "b" || kh != "h" || kt != "t" || ks != "s" || (unit != "mm" && unit != "in"))
        return false;
    const double m = unit == "mm" ? 0.001 : 0.0254;
    b *= m, h *= m, t *= m, s *= m;
    return true;
}

// Every sheet pile with a shear area names the geometry it comes from, and the
// area is its webs' by EN 1993-5, s (h - t) per web and one web per pile width b,
// to the rounding of the stored figure (1 %). A row without geometry has none.
TEST(SectionCatalogue, SheetPileShearAreaIsItsWebs)
{
    int checked = 0;
    for (const checks::CatalogueSection& p : checks::BuiltInSections()) {
        if (p.perPile)
            continue;
        double b, h, t, s;
        const bool geometry = WebGeometry(p.source, b, h, t, s);
        ASSERT_EQ(geometry, p.shearArea.has_value()) << p.name;
        if (!geometry)
            continue;
        EXPECT_NEAR(*p.shearArea, s * (h - t) / b, 0.01 * *p.shearArea) << p.name;
        ++checked;
    }
    EXPECT_GE(checked, 20);
}

// Every H-pile's shear area is its depth times its web thickness, as its
// source names them ("d 13.6 in, tw 0.505 in"), to the rounding of the figure.
TEST(SectionCatalogue, HPileShearAreaIsDepthTimesWeb)
{
    for (const checks::CatalogueSection& p : checks::BuiltInSections()) {
        if (!p.perPile)
            continue;
        const std::size_t at = p.source.rfind(": d ");
        ASSERT_NE(at, std::string::npos) << p.name;
        std::istringstream in(p.source.substr(at + 4));
        double d = 0, tw = 0;
        std::string unit, key;
        in >> d >> unit >> key >> tw;
        ASSERT_TRUE(in && unit == "in," && key == "tw") << p.name;
        ASSERT_TRUE(p.shearArea) << p.name;
        EXPECT_NEAR(*p.shearArea, d * tw * 0.0254 * 0.0254, 0.01 * *p.shearArea) << p.name;
    }
}

// AZ 18 (Arcelor's Z-sections table, per m of wall): I 34200 cm4, W 1800 cm3,
// webs 9.5 x (380 - 9.5) mm per 630 mm. PZ 40 (per ft of wall): I 490.85 in4,
// S 60.7 in3, webs 0.5 x (16.1 - 0.6) in per 19.7 in. PU 16 (Piling Handbook):
// I 30400 cm4/m, webs 9.0 x (380 - 12.0) mm per 600 mm.
TEST(SectionCatalogue, NewRowsMatchTheirSources)
{
    const checks::SectionInWallUnits az18 = checks::InWallUnits(Row("AZ 18"), UnitSystem::SI);
    EXPECT_NEAR(az18.ei, 210e6 * 34200e-8, 1e-6 * az18.ei);
    EXPECT_NEAR(az18.modulus, 1800e-6, 1e-12);
    ASSERT_TRUE(az18.shearArea);
    EXPECT_NEAR(*az18.shearArea, 9.5e-3 * (380 - 9.5) * 1e-3 / 0.630, 0.05e-4);  // stored to 0.1 cm2

    const checks::SectionInWallUnits pz40 = checks::InWallUnits(Row("PZ 40"), UnitSystem::English);
    EXPECT_NEAR(pz40.ei, 29e6 * 490.85, 1e-6 * pz40.ei);
    EXPECT_NEAR(pz40.modulus, 60.7, 1e-9);
    ASSERT_TRUE(pz40.shearArea);
    EXPECT_NEAR(*pz40.shearArea, 0.5 * (16.1 - 0.6) * 12 / 19.7, 0.01);

    const checks::CatalogueSection& pu16 = Row("PU 16");
    EXPECT_EQ(pu16.standard, "EN 10248");
    EXPECT_NEAR(checks::InWallUnits(pu16, UnitSystem::SI).ei, 210e6 * 30400e-8, 1e-3);
    EXPECT_NEAR(*checks::InWallUnits(pu16, UnitSystem::SI).shearArea, 9.0e-3 * 0.368 / 0.6, 0.05e-4);
}

// AU 18 is published per ft of wall (I 287.8 in4/ft); it is an EN 10248 pile, so
// E is 210 GPa however it is typed. The same pile typed per m of wall, 287.8
// in4/ft = 39302 cm4/m rounded as a metric table prints it (39300), gives the
// same EI per m, to that rounding (and not 4.8 % less, as 29,000 ksi gave).
TEST(SectionCatalogue, EIIsTheSameWhicheverUnitsARowIsTypedIn)
{
    const checks::CatalogueSection& perFoot = Row("AU 18");
    ASSERT_TRUE(perFoot.imperial);
    const auto perMetre = checks::ReadSectionCatalogue(
        "AU 18,wall,metric,150.3,118.0,39300,1780,,EN 10248, the same pile per m of wall\n", "mine.csv");
    ASSERT_EQ(perMetre.size(), 1u);
    const double ei = checks::InWallUnits(perFoot, UnitSystem::SI).ei;
    EXPECT_NEAR(ei, checks::InWallUnits(perMetre[0], UnitSystem::SI).ei, 1e-4 * ei);
    EXPECT_NEAR(ei, 210e6 * 287.8 * std::pow(0.0254, 4) / 0.3048, 1e-6 * ei);

    // The standard decides E, not the units: an ASTM pile typed in metric units
    // keeps 29,000 ksi, and a row that names no standard keeps its units' E.
    const auto rows = checks::ReadSectionCatalogue("US 1,wall,metric,100,78.5,10000,500,,ASTM A572, a US pile\n"
                                                   "MY 1,wall,imperial,7.10,24.17,287.8,33.1,,my own site table\n",
                                                   "mine.csv");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].standard, "ASTM A572");
    EXPECT_EQ(rows[0].source, "a US pile");
    EXPECT_NEAR(rows[0].YoungsModulus(), 29000 * 6894757.293, 1e3);
    EXPECT_EQ(rows[1].standard, "");
    EXPECT_NEAR(rows[1].YoungsModulus(), 29000 * 6894757.293, 1e3);
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
    EXPECT_THROW(checks::InWallUnits(rows[0], UnitSystem::Generic), TorvikError);
}

}  // namespace
