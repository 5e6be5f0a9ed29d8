// The rules of the Anchors and Steel Sections windows: the rows they show,
// values typed in the wall's units stored in SI, refused entries with their
// whole messages, and a section picked from the catalogue into every stage.
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "tables/Data.h"
#include "tables/GridTable.h"
#include "ui/rules/AnchorRules.h"
#include "ui/rules/ExcavationRules.h"
#include "ui/rules/ExcavationSideRules.h"
#include "ui/rules/SectionPick.h"
#include "ui/rules/SectionRules.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// A wall with one spring row from node 12 to 12 of 2000 (wall units) and a
// stiffness row from node 0 and one from node 40.
class SettingsEditorsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wall().NodeCount = 100;
        wall().IncrementLength = 6;  // in: node 12 is 6 ft down
        wall().UseSprings = true;
        TGridTable& springs = host.tables[WallTable::Springs];
        springs.Cell(1, 0).SetAsInteger(12);
        springs.Cell(2, 0).SetAsInteger(12);
        springs.Cell(3, 0).SetAsFloat(2000);
        TGridTable& stiffness = host.tables[WallTable::PileSect];
        stiffness.SetRowCount(2);
        stiffness.Cell(0, 1).SetAsInteger(40);
        stiffness.Cell(1, 1).SetAsInteger(100);
    }
    TProgramData& wall() { return host.Wall(); }
    long double EI(int row) const { return host.tables[WallTable::PileSect].Cell(3, row).AsFloat(); }

    BatchHost host;
};

TEST_F(SettingsEditorsTest, AnchorRowsShowTheSpringRowsAndStoreTypedValuesInSI)
{
    TWallSettings settings;
    ASSERT_EQ(AnchorRows(wall(), settings).size(), 1u);
    const TAnchorRow row = AnchorRows(wall(), settings)[0];
    EXPECT_EQ(row.from, 12);
    EXPECT_EQ(row.depth, "6");
    EXPECT_EQ(row.stiffness, "2000");
    // Prestress is per unit width, as the springs' forces; capacity per anchor.
    EXPECT_EQ(AnchorColumnCaptions(UnitSystem::English)[4], "Prestress per Unit Width (lbs/in)");
    EXPECT_EQ(AnchorColumnCaptions(UnitSystem::SI)[8], "Capacity per Anchor (kN)");
    EXPECT_EQ(AnchorColumnCaptions(UnitSystem::SI)[6], "Inclination (deg)");

    // English entries: 571.01471 lbs/in is 100 kN/m; 2*39.37007874 in is 2 m.
    EXPECT_EQ(SetAnchorField(settings, 12, TAnchorField::Prestress, "571.01471", UnitSystem::English), "");
    EXPECT_EQ(SetAnchorField(settings, 12, TAnchorField::Spacing, "2*39.37007874", UnitSystem::English), "");
    EXPECT_EQ(SetAnchorField(settings, 12, TAnchorField::Inclination, "15", UnitSystem::English), "");
    SetAnchorAxialLoad(settings, 12, true);
    ASSERT_NE(settings.Anchor(12), nullptr);
    EXPECT_NEAR(settings.Anchor(12)->prestress, 100, 1e-5);
    EXPECT_NEAR(settings.Anchor(12)->spacing, 2, 1e-9);
    EXPECT_EQ(settings.Anchor(12)->inclination, 15);
    EXPECT_TRUE(AnchorRows(wall(), settings)[0].anchor.axialLoad);
    EXPECT_EQ(AnchorFieldText(*settings.Anchor(12), TAnchorField::Spacing, UnitSystem::SI), "2");
}

TEST_F(SettingsEditorsTest, RefusedAnchorEntriesSayWhyAndChangeNothing)
{
    TWallSettings settings;
    settings.AnchorAt(12).spacing = 2.5;
    const TWallSettings before = settings;
    const struct {
        TAnchorField field;
        const char* typed;
        const char* message;
    } cases[] = {
        {TAnchorField::Spacing, "0", "Anchor at node 12: the spacing must be greater than 0."},
        {TAnchorField::Inclination, "90",
         "Anchor at node 12: the inclination must lie between -90 and 90 degrees (both excluded)."},
        {TAnchorField::Inclination, "-90",
         "Anchor at node 12: the inclination must lie between -90 and 90 degrees (both excluded)."},
        {TAnchorField::Capacity, "-1", "Anchor at node 12: the capacity per anchor must be 0 (not given) or greater."},
        {TAnchorField::FixedLength, "-1", "Anchor at node 12: the fixed length must be 0 (not given) or greater."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SetAnchorField(settings, 12, c.field, c.typed, UnitSystem::SI), c.message) << c.typed;
        EXPECT_EQ(settings, before) << c.typed;
    }
    EXPECT_EQ(SetAnchorField(settings, 12, TAnchorField::Spacing, "2,5", UnitSystem::SI)
                  .rfind("Anchor at node 12: Entry could not be evaluated:", 0),
              0u);
    EXPECT_EQ(settings, before);
}

TEST_F(SettingsEditorsTest, SectionsMoveByTheirFirstNodeAndRefuseOutOfRangeValues)
{
    TWallSettings settings;
    EXPECT_EQ(AddSection(settings), 0);
    EXPECT_EQ(AddSection(settings), 1);
    EXPECT_EQ(SetSectionField(settings, 1, TSectionField::Node, "40", wall()), "");
    ASSERT_EQ(settings.sections.size(), 2u);
    EXPECT_EQ(settings.sections[1].node, 40);
    EXPECT_EQ(SectionFieldText(settings.sections[1], TSectionField::Depth, wall()), "20");
    EXPECT_EQ(SetSectionField(settings, 40, TSectionField::Node, "0", wall()),
              "Section at node 40: node 0 already starts a section.");
    EXPECT_EQ(SetSectionField(settings, 40, TSectionField::Node, "101", wall()),
              "Section at node 40: the first node must be a whole number from 0 to 100.");
    EXPECT_EQ(SetSectionField(settings, 40, TSectionField::CorrosionLoss, "100", wall()),
              "Section at node 40: the corrosion loss must be at least 0 and below 100 percent.");
    EXPECT_EQ(SetSectionField(settings, 40, TSectionField::ShearArea, "-1", wall()),
              "Section at node 40: the shear area must be 0 (not given) or greater.");
    // English: 61.023744 in^3 is 0.001 m^3; 145.03774 lbs/in^2 is 1000 kPa.
    EXPECT_EQ(SetSectionField(settings, 40, TSectionField::Modulus, "61.023744", wall()), "");
    EXPECT_EQ(SetSectionField(settings, 40, TSectionField::YieldStrength, "145.03774", wall()), "");
    EXPECT_EQ(SetSectionField(settings, 40, TSectionField::Name, "  PZ 22 ", wall()), "");
    EXPECT_NEAR(settings.sections[1].sectionModulus, 0.001, 1e-10);
    EXPECT_NEAR(settings.sections[1].yieldStrength, 1000, 1e-3);
    EXPECT_EQ(settings.sections[1].name, "PZ 22");
    RemoveSection(settings, 0);
    ASSERT_EQ(settings.sections.size(), 1u);
    EXPECT_EQ(SectionColumnCaptions(UnitSystem::English)[3], "Section Modulus W (in^3)");
}

// In SI units W is typed and shown in cm³/m and fy in MPa, as catalogues give
// them; the settings keep m³ and kN/m².
TEST_F(SettingsEditorsTest, SiSectionsAreTypedInCubicCentimetresAndMegapascals)
{
    wall().SwitchUnits(UnitSystem::SI);
    TWallSettings settings;
    const int node = AddSection(settings);
    EXPECT_EQ(SetSectionField(settings, node, TSectionField::Modulus, "1600", wall()), "");
    EXPECT_EQ(SetSectionField(settings, node, TSectionField::YieldStrength, "355", wall()), "");
    EXPECT_NEAR(settings.sections[0].sectionModulus, 0.0016, 1e-12);
    EXPECT_NEAR(settings.sections[0].yieldStrength, 355000, 1e-6);
    EXPECT_EQ(SectionFieldText(settings.sections[0], TSectionField::Modulus, wall()), "1600");
    EXPECT_EQ(SectionFieldText(settings.sections[0], TSectionField::YieldStrength, wall()), "355");
    EXPECT_EQ(SectionColumnCaptions(UnitSystem::SI)[3], "Section Modulus W (cm³/m)");
    EXPECT_EQ(SectionColumnCaptions(UnitSystem::SI, true)[3], "Section Modulus W (cm³ per pile)");
    EXPECT_EQ(SectionColumnCaptions(UnitSystem::SI)[4], "Yield Strength fy (MPa)");
}

TEST_F(SettingsEditorsTest, PickingASectionFillsItsRowAndEIOfEveryStage)
{
    ChangeStageCount(wall(), 2);
    SelectStage(wall(), 2);
    const checks::CatalogueSection* pz22 = nullptr;
    for (const checks::CatalogueSection& s : checks::BuiltInSections())
        if (s.name == "PZ 22")
            pz22 = &s;
    ASSERT_NE(pz22, nullptr);

    TWallSettings settings;
    EXPECT_EQ(PickSection(wall(), settings, 40, *pz22), 2);  // the row from node 40 in each stage
    EXPECT_EQ(wall().CurrentStage, 2);
    // USS PZ 22 per ft of wall: I = 84.4 in^4, S = 18.1 in^3; E = 29,000 ksi.
    EXPECT_NEAR(EI(1), 29e6 * 84.4, 1e-6 * 29e6 * 84.4);
    EXPECT_EQ(EI(0), 0);
    SelectStage(wall(), 1);
    EXPECT_NEAR(EI(1), 29e6 * 84.4, 1e-6 * 29e6 * 84.4);
    ASSERT_EQ(settings.sections.size(), 1u);
    EXPECT_EQ(settings.sections[0].name, "PZ 22");
    EXPECT_NEAR(settings.InFileUnits(UnitSystem::English).sections[0].sectionModulus, 18.1, 1e-9);
    // The webs' shear area, 0.375 x (9.0 - 0.375) in per web, one web per 22 in of wall.
    EXPECT_NEAR(settings.InFileUnits(UnitSystem::English).sections[0].shearArea, 1.76, 1e-9);
    EXPECT_EQ(PickCaption("PZ 22"), "Pick Section PZ 22");

    wall().SwitchUnits(UnitSystem::Generic);
    const TWallSettings before = settings;
    EXPECT_THROW(PickSection(wall(), settings, 40, *pz22), TorvikError);
    EXPECT_EQ(settings, before);
}

// The Excavation Side window: a row per stage, numbers of the stage's kind of
// ground only, inches typed into metres, a number of a berm making the stage a
// berm, levelling a stage dropping its entry, refusals saying why. English
// lengths are in inches, as the other settings windows show them.
TEST(ExcavationSideRules, RowsPerStageStoreTypedValuesInSI)
{
    TWallSettings settings;
    std::vector<TExcavationSideSettings> rows = ExcavationSideRows(3, settings);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].kind, ExcavationGroundKind::Level);
    EXPECT_EQ(GroundFieldText(rows[2], TGroundField::Height, UnitSystem::English), "");
    EXPECT_EQ(ExcavationSideCaptions(UnitSystem::SI)[3], "Berm Height (m)");

    EXPECT_EQ(SetGroundField(settings, 2, TGroundField::Height, "60", UnitSystem::English), "");
    ASSERT_NE(settings.ExcavationSide(2), nullptr);
    EXPECT_EQ(settings.ExcavationSide(2)->kind, ExcavationGroundKind::Berm);
    EXPECT_NEAR(settings.ExcavationSide(2)->height, 1.524, 1e-9);
    EXPECT_EQ(settings.ExcavationSide(2)->sideSlope, 45);
    EXPECT_EQ(GroundFieldText(*settings.ExcavationSide(2), TGroundField::Height, UnitSystem::English), "60");

    EXPECT_EQ(SetGroundField(settings, 2, TGroundField::SideSlope, "0", UnitSystem::SI),
              "Stage 2: the berm's side slope must lie above 0 and up to 90 degrees.");
    EXPECT_EQ(settings.ExcavationSide(2)->sideSlope, 45);
    EXPECT_EQ(SetGroundField(settings, 3, TGroundField::SlopeAngle, "12", UnitSystem::SI), "");
    EXPECT_EQ(settings.ExcavationSide(3)->kind, ExcavationGroundKind::Slope);
    SetGroundKind(settings, 2, ExcavationGroundKind::Level);
    EXPECT_EQ(settings.ExcavationSide(2), nullptr);
    EXPECT_EQ(settings.excavationSide.size(), 1u);
}

TEST(SectionCatalogueList, UsersRowsFollowTheProgramsAndABadFileIsReportedNotLost)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "torvik-own-sections-test.csv";
    std::ofstream(file) << "MY 1,pile,metric,100,78.5,5000,400,20,site test 2026\n";
    TCatalogueList list = ReadCatalogueList(file.string());
    EXPECT_EQ(list.problem, "");
    ASSERT_EQ(list.rows.size(), checks::BuiltInSections().size() + 1);
    EXPECT_EQ(list.rows.back().origin, file.string());
    EXPECT_EQ(CatalogueRowTexts(list.rows.back(), UnitSystem::SI)[5], "site test 2026 (" + file.string() + ")");
    EXPECT_EQ(CatalogueRowTexts(list.rows.back(), UnitSystem::SI)[3], "0.0004");
    // A sheet pile without published web geometry shows that it has no shear
    // area; the source column leads with the standard that sets E.
    const std::vector<std::string> au16 = CatalogueRowTexts(list.rows.front(), UnitSystem::SI);
    EXPECT_EQ(au16[0], "AU 16");
    EXPECT_EQ(au16[4], "none");
    EXPECT_EQ(au16[5].rfind("EN 10248, ArcelorMittal", 0), 0u);

    std::ofstream(file) << "MY 1,pile,metric,100,78.5,x,400,20,site test\n";
    list = ReadCatalogueList(file.string());
    EXPECT_EQ(list.rows.size(), checks::BuiltInSections().size());
    EXPECT_EQ(list.problem, file.string() + ", line 1: the moment of inertia 'x' is not a number above 0. "
                                           "The sections of that file are not listed.");
    std::filesystem::remove(file);
    EXPECT_EQ(ReadCatalogueList(file.string()).problem, "");
}

}  // namespace

// The excavation's lengths are typed in the wall's units and stored in m; a
// negative width or a target below 1 is refused and changes nothing.
TEST(ExcavationRules, LengthsInTheWallsUnitsAndRefusedEntriesSayWhy)
{
    TWallSettings settings;
    EXPECT_EQ(SetExcavationField(settings, TExcavationField::Width, "12*39.37007874", UnitSystem::English), "");
    EXPECT_NEAR(settings.excavation.width, 12, 1e-9);
    EXPECT_EQ(ExcavationFieldText(settings.excavation, TExcavationField::Width, UnitSystem::SI), "12");
    const TWallSettings before = settings;
    EXPECT_EQ(SetExcavationField(settings, TExcavationField::Width, "-1", UnitSystem::SI),
              "Excavation: the excavation's width must be 0 (not given) or greater.");
    EXPECT_EQ(SetExcavationField(settings, TExcavationField::KranzTarget, "0.9", UnitSystem::SI),
              "Excavation: a target factor must lie from 1 to 10.");
    EXPECT_EQ(settings, before);
}
