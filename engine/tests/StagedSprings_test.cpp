// Springs installed on a wall that has already moved, their prestress and the
// anchors' vertical components: the option off leaves every result as a wall
// without settings gets it, a damaged settings file is a warning and the run goes
// on, and the axial loads of inclined anchors settle at tan(i) times their force.
// The linear two-stage case with its independent reference is in verify/.
#include "engine/EngineRun.h"
#include "engine/tests/TestWall.h"
#include "units/Constants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Example(const char* name) { return std::string(TORVIK_SOURCE_DIR) + "/examples/" + name; }

TAnchorSettings Anchor(int node, double prestress, double inclination, bool axial)
{
    TAnchorSettings a;
    a.node = node;
    a.prestress = prestress;
    a.spacing = 2.0;
    a.inclination = inclination;
    a.axialLoad = axial;
    return a;
}

// The three-stage braced example (struts added in stages 2 and 3): anchor
// settings without prestress and the option off change no result; the option on
// changes those of the stages with a strut installed after stage 1 only.
TEST(StagedSprings, OptionOffKeepsTheResultsOfAWallWithoutSettings)
{
    const std::string wall = Example("three-stage-excavation.tk4d");
    const RunOutcome plain = EngineRun::Analyse(wall, TWallSettings::Defaults());
    TWallSettings settings;
    settings.Set(Anchor(5, 0, 10, false));
    settings.Set(Anchor(18, 0, 10, false));
    const RunOutcome off = EngineRun::Analyse(wall, settings);
    settings.springsFromInstallation = true;
    const RunOutcome on = EngineRun::Analyse(wall, settings);
    ASSERT_EQ(plain.sections.size(), 3u);
    ASSERT_EQ(off.sections.size(), 3u);
    ASSERT_EQ(on.sections.size(), 3u);
    for (size_t k = 0; k < 3; ++k) {
        ASSERT_TRUE(plain.sections[k].Ok() && off.sections[k].Ok() && on.sections[k].Ok()) << k;
        EXPECT_EQ(off.sections[k].result.y, plain.sections[k].result.y);
        EXPECT_EQ(off.sections[k].result.moment, plain.sections[k].result.moment);
        EXPECT_EQ(off.sections[k].result.springForce, plain.sections[k].result.springForce);
        if (k == 0)
            EXPECT_EQ(on.sections[k].result.y, plain.sections[k].result.y);
        else
            EXPECT_NE(on.sections[k].result.y, plain.sections[k].result.y);
    }
    // The strut of stage 2 acts on the movement since the end of stage 1, in stage 3 too.
    const double y1 = on.sections[0].result.y[5];
    for (size_t k = 1; k < 3; ++k) {
        const SpringResult& s = on.sections[k].result.springs.front();
        EXPECT_EQ(s.node, 5);
        EXPECT_EQ(s.installedIn, 2);
        EXPECT_EQ(s.deflectionFrom, y1);
        EXPECT_NEAR(s.force, 50000 * (on.sections[k].result.y[5] - y1), 1e-9 * std::fabs(s.force));
        EXPECT_LT(std::fabs(on.sections[k].result.ForceResidual()), 1e-6);
        EXPECT_LT(std::fabs(on.sections[k].result.MomentResidual()), 1e-6);
    }
    EXPECT_EQ(on.sections[2].result.springs.back().installedIn, 3);
}

// A stage without usable results leaves the later stages whose springs act on
// its deflections unanalysed, and each says why.
TEST(StagedSprings, StageWithoutResultsStopsTheStagesThatNeedItsDeflections)
{
    std::vector<WallFileBlock> blocks = WallFileReader::Read(Example("three-stage-excavation.tk4d"));
    ASSERT_EQ(blocks.size(), 3u);
    blocks[0].block.maxDeflection = 1e-6;  // stage 1 deflects too far
    TWallSettings settings;
    settings.springsFromInstallation = true;
    const RunOutcome o = EngineRun::Analyse(std::move(blocks), settings);
    ASSERT_EQ(o.sections.size(), 3u);
    EXPECT_EQ(o.sections[0].result.status, SolveStatus::ExcessiveDeflection);
    const std::string why = "This stage cannot be analysed: the spring at node 5 was installed in stage 2 and acts on "
                            "the movement of the wall since the end of stage 1, which has no usable result.";
    for (size_t k = 1; k < 3; ++k) {
        EXPECT_FALSE(o.sections[k].Ok());
        EXPECT_EQ(o.sections[k].result.message, why);
    }
}

// Forces per unit width do not depend on the units: the anchored wall in soft
// clay (SI, analysed width 1 m) and the same wall switched to English units
// (analysed width 39.37 in) give the same anchor force and prestress.
TEST(StagedSprings, ForcesPerUnitWidthAreTheSameInEnglishUnits)
{
    TestWall w(UnitSystem::SI, 56, 0.25);
    BuildAnchoredSoftClay(w);
    TWallSettings settings;
    settings.Set(Anchor(6, 50, 10, true));
    const fs::path dir = fs::temp_directory_path() / ("torvik-units-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "si.tk4d", std::ios::binary) << w.Text();
    ASSERT_TRUE(w.wall->SwitchUnits(UnitSystem::English));
    std::ofstream(dir / "english.tk4d", std::ios::binary) << w.Text();
    const RunOutcome si = EngineRun::Analyse((dir / "si.tk4d").string(), settings);
    const RunOutcome english = EngineRun::Analyse((dir / "english.tk4d").string(), settings);
    fs::remove_all(dir);
    ASSERT_TRUE(si.sections.at(0).Ok() && english.sections.at(0).Ok());
    const SpringResult &a = si.sections[0].result.springs.at(0), &b = english.sections[0].result.springs.at(0);
    const double lbPerInInKnPerM = 4.4482216152605e-3 / 0.0254, lbInKn = 4.4482216152605e-3;
    EXPECT_NEAR(b.prestress * lbPerInInKnPerM, 50, 1e-6 * 50);  // the program's conversion factors
    EXPECT_NEAR(b.force * lbPerInInKnPerM, a.force, 2e-3 * a.force);
    EXPECT_NEAR(b.forcePerAnchor * lbInKn, a.forcePerAnchor, 2e-3 * a.forcePerAnchor);
}

// A restraint and a rotational spring added in stage 2 of a wall on linear p-y
// curves hold the change since stage 1: the restrained node stays where stage 1
// left it, the spring's couple is -Kr (slope2 - slope1), and the wall balances.
TEST(StagedSprings, RestraintAndRotationalSpringAddedLaterActOnTheChange)
{
    const fs::path file = fs::temp_directory_path() / ("torvik-restraint-" + std::to_string(getpid()) + ".tk4d");
    {
        WallBuilder w(UnitSystem::SI, 40, 0.25);
        w.Stiffness(0, 40, 5e4);
        w.ExternalCurve(0, {{-1, 5000}, {1, -5000}});
        w.ExternalCurve(40, {{-1, 5000}, {1, -5000}});
        w.Load(0, 0, 50);
        std::ofstream(file, std::ios::binary) << w.StagedText(2, [&w](TProgramData&, int k) {
            if (k == 2) {
                w.Table(WallTable::ConcentratedLoads).Cell(3, 0).SetAsFloat(80);
                w.Restraint(1, 4, 0);
                w.Spring(0, 0, 0, 3e4);
            }
        });
    }
    TWallSettings settings;
    settings.springsFromInstallation = true;
    const RunOutcome o = EngineRun::Analyse(file.string(), settings);
    fs::remove(file);
    ASSERT_EQ(o.sections.size(), 2u);
    ASSERT_TRUE(o.sections[0].Ok() && o.sections[1].Ok());
    const SectionResult &r1 = o.sections[0].result, &r2 = o.sections[1].result;
    EXPECT_NEAR(r2.y[4], r1.y[4], 1e-12);
    EXPECT_NE(r2.y[4], 0);
    EXPECT_NEAR(r2.springMoment[0], -3e4 * (r2.slope[0] - r1.slope[0]), 1e-9 * std::fabs(r2.springMoment[0]));
    EXPECT_LT(std::fabs(r2.ForceResidual()), 1e-6);
    EXPECT_LT(std::fabs(r2.MomentResidual()), 1e-6);
}

// A settings file that cannot be read is named, with its line, in the run notes
// and the output text; the wall is analysed with the default settings.
TEST(StagedSprings, DamagedSettingsFileIsAWarningAndTheRunGoesOn)
{
    const fs::path dir = fs::temp_directory_path() / ("torvik-settings-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    RunFiles files{(dir / "wall.tk4d").string(), (dir / "wall.tk4o").string(), (dir / "wall.tk4p").string(),
                   (dir / "wall.tk4r").string()};
    fs::copy_file(Example("anchored-soft-clay.tk4d"), files.dataFile);
    std::ofstream(dir / "wall.tk4s", std::ios::binary) << "{\n  \"springsFromInstallation\": tru\n}\n";
    const RunOutcome o = EngineRun::Run(files);
    EXPECT_TRUE(o.plotWritten);
    std::ostringstream notes;
    {
        std::ifstream in(files.runNotes, std::ios::binary);  // closed before the folder is removed
        notes << in.rdbuf();
    }
    const std::string expected = "WARNING: The settings file " + (dir / "wall.tk4s").string() + " is damaged at line 2";
    EXPECT_NE(notes.str().find(expected), std::string::npos) << notes.str();
    EXPECT_NE(notes.str().find("The default settings were used in its place."), std::string::npos);
    fs::remove_all(dir);
}

// A prestressed tie-back inclined 20 degrees whose vertical component acts on
// the wall: the axial load at its node is tan(20) times its final force.
TEST(StagedSprings, AnchorAxialLoadSettlesAtItsVerticalComponent)
{
    TWallSettings settings;
    settings.Set(Anchor(6, 50, 20, true));
    const RunOutcome o = EngineRun::Analyse(Example("anchored-soft-clay.tk4d"), settings);
    ASSERT_EQ(o.sections.size(), 1u);
    const SectionRun& s = o.sections[0];
    ASSERT_TRUE(s.Ok()) << s.result.message;
    ASSERT_EQ(s.result.springs.size(), 1u);
    const SpringResult& a = s.result.springs[0];
    const double tan20 = std::tan(20 * kPi / 180);
    EXPECT_EQ(a.prestress, 50);
    EXPECT_NEAR(s.input.axialLoad[6], tan20 * a.force, 1e-6 * a.force);
    EXPECT_NEAR(a.vertical, tan20 * a.force, 1e-9 * a.force);
    EXPECT_NEAR(a.forcePerAnchor, a.force * 2.0 / std::cos(20 * kPi / 180), 1e-9 * a.force);
    EXPECT_GT(s.result.anchorIterations, 1);
    EXPECT_LT(std::fabs(s.result.ForceResidual()), 1e-6);
    EXPECT_LT(std::fabs(s.result.MomentResidual()), 1e-6);
}

}  // namespace
