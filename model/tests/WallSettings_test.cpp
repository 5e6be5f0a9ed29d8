#include "model/WallSettings.h"

#include "model/tests/WallTestSupport.h"

#include "units/TorvikError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace {

TWallSettings Sample()
{
    TWallSettings s = TWallSettings::ForNewWall();
    s.targetSafetyFactor = 1.3;
    TAnchorSettings a;
    a.node = 12;
    a.prestress = 50;
    a.spacing = 2.4;
    a.inclination = 15;
    a.axialLoad = true;
    a.capacity = 400;
    s.Set(a);
    TSectionSettings t;
    t.node = 0;
    t.name = "AZ 18-700";
    t.sectionModulus = 1.8e-3;
    t.yieldStrength = 355000;
    t.shearArea = 0.0094;
    t.corrosionLoss = 10;
    s.Set(t);
    return s;
}

std::string MessageOf(const std::string& text)
{
    try {
        ParseSettings(text, "wall.tk4s");
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(WallSettings, TextReadsBackToTheSameSettings)
{
    const TWallSettings s = Sample();
    EXPECT_EQ(ParseSettings(SettingsText(s), "x"), s);
    EXPECT_FALSE(s.IsDefault());
    EXPECT_TRUE(TWallSettings::Defaults().IsDefault());
    EXPECT_FALSE(TWallSettings::ForNewWall().IsDefault());
}

TEST(WallSettings, UnsetEntriesAndUnknownKeysAreIgnored)
{
    TWallSettings s;
    s.AnchorAt(7);
    s.Set(TSectionSettings{3, "", 0, 0, 0, 0});
    EXPECT_TRUE(s.IsDefault());
    const TWallSettings read =
        ParseSettings("{\"torvik_wall_settings\": 1, \"later\": [1, 2], \"anchors\": [{\"node\": 4}]}", "x");
    ASSERT_NE(read.Anchor(4), nullptr);
    EXPECT_EQ(read.Anchor(4)->spacing, 1);
    EXPECT_EQ(read.Anchor(5), nullptr);
}

TEST(WallSettings, SectionHoldsFromItsNodeDown)
{
    TWallSettings s;
    s.Set(TSectionSettings{10, "lower", 1, 1, 1, 0});
    s.Set(TSectionSettings{0, "upper", 1, 1, 1, 0});
    EXPECT_EQ(s.SectionAt(0)->name, "upper");
    EXPECT_EQ(s.SectionAt(9)->name, "upper");
    EXPECT_EQ(s.SectionAt(10)->name, "lower");
    EXPECT_EQ(s.SectionAt(40)->name, "lower");
}

TEST(WallSettings, DamagedTextIsReportedByNameAndLine)
{
    EXPECT_EQ(MessageOf("{\n  \"torvik_wall_settings\": 1,\n  \"anchors\": [\n"),
              "The settings file wall.tk4s is damaged at line 4: it is not valid JSON.");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"anchors\": [\n{\"node\": 1},\n{\"node\": 2, \"spacing_m\": 0}]}"),
              "The settings file wall.tk4s cannot be used at line 4: the spacing of the anchor at node 2 must be "
              "greater than 0.");
    EXPECT_NE(MessageOf("{\"torvik_wall_settings\": 1, \"target_safety_factor\": \"high\"}").find("wrong kind"),
              std::string::npos);
    EXPECT_NE(MessageOf("{\"torvik_wall_settings\": 2}").find("newer version"), std::string::npos);
    EXPECT_NE(MessageOf("[1]").find("not a JSON object"), std::string::npos);
}

TEST(WallSettings, ValuesComeInTheUnitsOfTheDataFile)
{
    const TWallSettings english = Sample().InFileUnits(UnitSystem::English);
    const TAnchorSettings& a = english.anchors.front();
    EXPECT_NEAR(a.prestress, 50 * 224.8089237 / 39.37007874, 1e-6);  // lb/in
    EXPECT_NEAR(a.spacing, 2.4 * 39.37007874, 1e-9);                // in
    EXPECT_NEAR(a.capacity, 400 * 224.8089237, 1e-6);               // lb
    EXPECT_NEAR(english.sections.front().sectionModulus, 1.8e-3 * std::pow(39.37007874, 3), 1e-6);
    EXPECT_NEAR(english.sections.front().yieldStrength, 355000 * 224.8089237 / std::pow(39.37007874, 2), 1e-3);
    EXPECT_EQ(Sample().InFileUnits(UnitSystem::SI), Sample());
    EXPECT_EQ(Sample().InFileUnits(UnitSystem::Generic), Sample());
}

TEST(WallSettings, ForcePerAnchorFollowsSpacingAndInclination)
{
    TAnchorSettings a;
    a.spacing = 2;
    a.inclination = 60;
    EXPECT_NEAR(ForcePerAnchor(10, a), 40, 1e-12);
    EXPECT_NEAR(VerticalForcePerWidth(10, a), 10 * std::sqrt(3.0), 1e-12);
}

TEST(WallSettings, FileBesideTheDataFile)
{
    EXPECT_EQ(SettingsPathFor("/a/b.c/wall.tk4d"), "/a/b.c/wall.tk4s");
    EXPECT_EQ(SettingsPathFor("/a/b.c/wall"), "/a/b.c/wall.tk4s");
    EXPECT_EQ(SettingsPathFor("C:\\x\\old.TKD"), "C:\\x\\old.tk4s");

    TempDir dir;
    const std::string data = dir.File("wall.tk4d");
    EXPECT_FALSE(ReadSettingsBeside(data).found);
    std::ofstream(SettingsPathFor(data)) << "{ damaged";
    const TSettingsRead damaged = ReadSettingsBeside(data);
    EXPECT_TRUE(damaged.found);
    EXPECT_NE(damaged.problem.find(SettingsPathFor(data)), std::string::npos);
    EXPECT_EQ(damaged.settings, TWallSettings::Defaults());
    std::ofstream(SettingsPathFor(data)) << SettingsText(Sample());
    EXPECT_EQ(ReadSettingsBeside(data).settings, Sample());
}

// Values beyond what the program holds never end the program nor turn into
// other values: each is reported by file, line and key.
TEST(WallSettings, ValuesOutOfRangeAreReportedByLineAndKey)
{
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"anchors\": [{\"node\": 3,\n\"prestress_kN_per_m\": 1e999}]}"),
              "The settings file wall.tk4s is damaged at line 3: the number 1e999 lies outside "
              "-1.7976931E308 to 1.7976931E308.");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"target_safety_factor\": -1e999}"),
              "The settings file wall.tk4s is damaged at line 2: the number -1e999 lies outside "
              "-1.7976931E308 to 1.7976931E308.");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"sections\": [\n{\"node\": 2},\n{\"name\": \"x\",\n"
                        "\"node\": 99999999999}]}"),
              "The settings file wall.tk4s cannot be used at line 5: \"node\" must be a node number from 0 to "
              "2147483647, not 99999999999.");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1, \"anchors\": [{\"node\": 1.5}]}"),
              "The settings file wall.tk4s cannot be used at line 1: \"node\" has a value of the wrong kind (a whole "
              "number is needed, not 1.5).");
    EXPECT_EQ(MessageOf("{\"springs_act_from_installation_stage\": 1,\n\"torvik_wall_settings\": \"1\"}"),
              "The settings file wall.tk4s cannot be used at line 2: its version \"torvik_wall_settings\" must be a "
              "whole number from 1, not \"1\".");
    EXPECT_NE(MessageOf("{\"torvik_wall_settings\": 1,\n\"springs_act_from_installation_stage\": 1}")
                  .find("line 2: \"springs_act_from_installation_stage\" has a value of the wrong kind"),
              std::string::npos);
    EXPECT_NE(MessageOf("{\"torvik_wall_settings\": 1e400}").find("line 1: the number 1e400"), std::string::npos);

    // A huge file is refused without being read whole, and the wall keeps its defaults.
    TempDir dir;
    const std::string data = dir.File("wall.tk4d");
    {
        std::ofstream big(SettingsPathFor(data), std::ios::binary);
        big << "{\"torvik_wall_settings\": 1, \"x\": \"" << std::string(kMaxSettingsBytes, 'a') << "\"}";
    }
    const TSettingsRead huge = ReadSettingsBeside(data);
    EXPECT_TRUE(huge.found);
    EXPECT_EQ(huge.settings, TWallSettings::Defaults());
    EXPECT_EQ(huge.problem, "The settings file " + SettingsPathFor(data) + " cannot be used: it holds " +
                                std::to_string(kMaxSettingsBytes + 36) +
                                " bytes, more than the 1048576 a settings "
                                "file may hold.");
}

// The design approach, its factors and the permanent loads read back as
// written; a wall without them writes none of their keys; a bad value is
// reported by its key and line.
TEST(WallSettings, DesignApproachRoundTripsAndStaysOutOfPlainFiles)
{
    TWallSettings s = Sample();
    const std::string plain = SettingsText(s);
    EXPECT_EQ(plain.find("design_approach"), std::string::npos);
    EXPECT_EQ(plain.find("partial_factors"), std::string::npos);
    EXPECT_EQ(plain.find("unplanned"), std::string::npos);
    s.designApproach = DesignApproach::DA3;
    s.partialFactors.gammaQ_A2 = 1.4;
    s.unplannedExcavation = false;
    s.uniformSurchargePermanent = true;
    s.permanentSurcharges = {2};
    s.permanentLoads = {0, 7};
    EXPECT_EQ(ParseSettings(SettingsText(s), "x"), s);
    TWallSettings factorsOnly;
    factorsOnly.partialFactors.gammaAnchor = 1.25;
    EXPECT_FALSE(factorsOnly.IsDefault());
    EXPECT_EQ(ParseSettings(SettingsText(factorsOnly), "x"), factorsOnly);

    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"design_approach\": \"DA4\"}"),
              "The settings file wall.tk4s cannot be used at line 2: \"design_approach\" must be \"none\", \"DA1\", "
              "\"DA2\" or \"DA3\", not \"DA4\".");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1, \"partial_factors\": {\n\"gamma_Q_A1\": 1.5,\n"
                        "\"gamma_cu_M2\": 0.9}}"),
              "The settings file wall.tk4s cannot be used at line 3: the partial factor \"gamma_cu_M2\" must lie "
              "from 1 to 10.");
    EXPECT_NE(MessageOf("{\"torvik_wall_settings\": 1,\n\"permanent_surcharge_rows\": [0]}").find("line 2"),
              std::string::npos);
}

// The wall friction of the layers reads back as written; a smooth wall writes
// no key; a value out of range is reported by its key and line.
TEST(WallSettings, WallFrictionRoundTripsAndStaysOutOfSmoothWalls)
{
    TWallSettings s = Sample();
    s.Set(TWallFrictionSettings{3, 0, 0});
    EXPECT_EQ(SettingsText(s).find("wall_friction"), std::string::npos);
    EXPECT_EQ(SettingsText(s), SettingsText(Sample()));
    TWallSettings plain;
    plain.Set(TWallFrictionSettings{1, 0, 0});
    EXPECT_TRUE(plain.IsDefault());
    s.Set(TWallFrictionSettings{2, 0.5, 0.25});
    s.Set(TWallFrictionSettings{1, 2.0 / 3.0, 0});
    s.wallFriction.erase(s.wallFriction.begin() + 2);  // the smooth layer 3, which is not written
    EXPECT_EQ(ParseSettings(SettingsText(s), "x"), s);
    ASSERT_NE(s.WallFriction(2), nullptr);
    EXPECT_EQ(s.WallFriction(2)->adhesionRatio, 0.25);

    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"wall_friction\": [\n{\"layer\": 1,\n"
                        "\"delta_over_phi\": 1.2}]}"),
              "The settings file wall.tk4s cannot be used at line 4: the wall friction ratio delta/phi' of soil "
              "layer 1 must lie from 0 to 1.");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"wall_friction\": [{\"layer\": 2, \"adhesion_ratio\": 0.6}]}"),
              "The settings file wall.tk4s cannot be used at line 2: the adhesion ratio a/c of soil layer 2 must lie "
              "from 0 to 0.5.");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"wall_friction\": [{\"delta_over_phi\": 0.5}]}"),
              "The settings file wall.tk4s cannot be used at line 2: a wall-friction entry needs its \"layer\".");
}

// The water of the stages reads back as written, a still-water wall writes
// none of it, and the units of the data file apply to the tables; a faulty
// entry is reported by its key and line.
TEST(WallSettings, WaterRegimesRoundTripAndStayOutOfStillWaterWalls)
{
    TWallSettings s = Sample();
    s.water.Set(TStageWater{2, WaterRegime::Hydrostatic, {}, {}});
    EXPECT_EQ(SettingsText(s), SettingsText(Sample()));
    s.water.Set(TStageWater{3, WaterRegime::Table, {{1, 0}, {12, 80}}, {{5, 0}, {12, 60}}});
    s.water.Set(TStageWater{1, WaterRegime::Seepage, {}, {}});
    s.water.factors.gammaG_stb = 0.95;
    EXPECT_FALSE(s.IsDefault());
    EXPECT_EQ(ParseSettings(SettingsText(s), "x"), s);
    EXPECT_EQ(s.water.Stage(2).regime, WaterRegime::Hydrostatic);
    EXPECT_NEAR(s.InFileUnits(UnitSystem::English).water.Stage(3).retained[1].depth, 12 / 0.0254, 1e-6);

    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"water_regimes\": [\n{\"stage\": 2,\n"
                        "\"regime\": \"flowing\"}]}"),
              "The settings file wall.tk4s cannot be used at line 4: \"regime\" of stage 2 must be \"hydrostatic\", "
              "\"seepage\" or \"table\".");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"water_regimes\": [{\"stage\": 1, \"regime\": \"table\",\n"
                        "\"retained_pore_pressure\": [[2, 0], [1, 5]]}]}"),
              "The settings file wall.tk4s cannot be used at line 3: \"retained_pore_pressure\": row 2: the depth "
              "must be greater than that of the row above.");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"hydraulic_heave_factors\": {\n\"gamma_G_stb\": 1.2}}"),
              "The settings file wall.tk4s cannot be used at line 3: the partial factor \"gamma_G_stb\" must lie "
              "from 0.1 to 1.");
}

// The anchors' lengths and the excavation's plan read back as written and stay
// out of files without them; they come in the units of the data file.
TEST(WallSettings, AnchorLengthsAndExcavationRoundTripAndStayOutOfOtherFiles)
{
    const std::string before = SettingsText(Sample());
    EXPECT_EQ(before.find("length_m"), std::string::npos);
    EXPECT_EQ(before.find("excavation"), std::string::npos);
    TWallSettings s = Sample();
    s.AnchorAt(12).freeLength = 8;
    s.AnchorAt(12).fixedLength = 6;
    s.excavation.width = 12;
    s.excavation.basalHeaveTarget = 2;
    EXPECT_EQ(ParseSettings(SettingsText(s), "x"), s);
    const TWallSettings inches = s.InFileUnits(UnitSystem::English);
    EXPECT_NEAR(inches.Anchor(12)->fixedLength, 6 * 39.37007874, 1e-9);
    EXPECT_NEAR(inches.excavation.width, 12 * 39.37007874, 1e-9);
    TWallSettings widthOnly;
    widthOnly.excavation.width = 12;
    EXPECT_FALSE(widthOnly.IsDefault());

    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"excavation\": {\"width_m\": 10,\n\"kranz_target\": 0.8}}"),
              "The settings file wall.tk4s cannot be used at line 3: the target factor of the anchors' block (Kranz) "
              "must be at least 1.");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"anchors\": [{\"node\": 3,\n\"fixed_length_m\": -1}]}"),
              "The settings file wall.tk4s cannot be used at line 3: the fixed length of the anchor at node 3 must "
              "not be negative.");
}

TEST(WallSettings, ExcavationSideRoundTripsAndStaysOutOfLevelWalls)
{
    TWallSettings s = Sample();
    TExcavationSideSettings level;
    level.stage = 2;
    s.Set(level);
    EXPECT_EQ(SettingsText(s), SettingsText(Sample()));
    TExcavationSideSettings berm;
    berm.stage = 3;
    berm.kind = ExcavationGroundKind::Berm;
    berm.topWidth = 2;
    berm.height = 1.5;
    berm.sideSlope = 26.5;
    TExcavationSideSettings slope;
    slope.stage = 1;
    slope.kind = ExcavationGroundKind::Slope;
    slope.slopeAngle = 15;
    s.Set(berm);
    s.Set(slope);
    EXPECT_EQ(ParseSettings(SettingsText(s), "x"), s);
    ASSERT_NE(s.ExcavationSide(3), nullptr);
    EXPECT_EQ(s.ExcavationSide(1)->slopeAngle, 15);
    EXPECT_NEAR(s.InFileUnits(UnitSystem::English).ExcavationSide(3)->height, 1.5 / 0.0254, 1e-9);
    berm.kind = ExcavationGroundKind::Level;  // levelling a stage removes its entry
    s.Set(berm);
    EXPECT_EQ(s.ExcavationSide(3), nullptr);

    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"excavation_side\": [\n{\"stage\": 2, \"ground\": \"berm\",\n"
                        "\"height_m\": 0}]}"),
              "The settings file wall.tk4s cannot be used at line 4: the berm's height of stage 2 must be greater "
              "than 0.");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"excavation_side\": [{\"stage\": 1,\n\"ground\": \"hill\"}]}"),
              "The settings file wall.tk4s cannot be used at line 3: \"ground\" must be \"berm\", \"slope\" or "
              "\"level\", not \"hill\".");
    EXPECT_EQ(MessageOf("{\"torvik_wall_settings\": 1,\n\"excavation_side\": [{\"stage\": 1, \"ground\": \"slope\", "
                        "\"slope_deg\": 90}]}"),
              "The settings file wall.tk4s cannot be used at line 2: the excavation surface's slope of stage 1 must "
              "lie between 0 and 90 degrees.");
}
