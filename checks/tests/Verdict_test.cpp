// The verdict of the design checks: generated p-y curves within the passive
// earth pressure, so that the embedment the p-y analysis needs is that of limit
// equilibrium; a safety factor that does not depend on the allowable
// deflection; a stage's factor its own; the limit-equilibrium estimate in the verdict.
#include "checks/DesignChecks.h"
#include "engine/EngineRun.h"
#include "engine/PassiveLimit.h"
#include "engine/PyCurveSet.h"
#include "checks/tests/CheckWalls.h"
#include "engine/tests/TestWall.h"
#include "model/SettingsFile.h"
#include "units/Constants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

TWallSettings Limited(bool on = true)
{
    TWallSettings s = TWallSettings::Defaults();
    s.limitToPassive = on;
    return s;
}

// A continuous wall (Wa = Wp = 1 m), SI, 0.1 m increments, `excavation` m
// retained, triangular active pressure, dry; `anchor` puts a stiff tie-back
// at 1 m. `layer` adds the soil.
std::string Wall(double length, double excavation, bool anchor, const std::function<void(TestWall&)>& layer)
{
    const int n = static_cast<int>(std::lround(length / 0.1));
    TestWall w(UnitSystem::SI, n, 0.1);
    w.Stiffness(0, n, 1.0e5);
    w.Generated(TEarthPressure::Triangular, excavation, 1.0, 1.0);
    w.wall->WaterDepthBackfill = 100;
    w.wall->WaterDepthExcavation = 100;
    w.wall->MaxDeflection = 1.0;
    w.wall->ClosureTolerance = 1e-6;
    if (anchor)
        w.Spring(10, 10, 1.0e5);
    layer(w);
    return w.Text();
}

// Sand, phi' 32 degrees, 4 m retained.
std::string SandWall(bool anchor)
{
    return Wall(anchor ? 9 : 12, 4.0, anchor, [](TestWall& w) { w.Layer(4, 30.0, {18, 32, 20000}, {18, 32, 20000}); });
}

// 4 m of sand retained over soft clay, su 40 kPa, below the excavation.
// Sand as above, 6 m retained with struts at 1 m and 3.5 m.
std::string StruttedSandWall()
{
    return Wall(12, 6.0, true, [](TestWall& w) {
        w.Spring(35, 35, 1.0e5);
        w.Layer(4, 30.0, {18, 32, 20000}, {18, 32, 20000});
    });
}

std::string ClayWall(bool anchor)
{
    return Wall(anchor ? 8 : 10, 4.0, anchor, [](TestWall& w) {
        w.Layer(4, 4.0, {18, 32, 20000}, {18, 32, 20000});
        w.Layer(1, 30.0, {18, 40, 0.01, 0}, {18, 40, 0.01, 0});
    });
}

struct EmbedmentCase {
    const char* name;
    std::function<std::string()> text;
    double target;
};

class PassiveLimitEmbedment : public ::testing::TestWithParam<EmbedmentCase> { };

TEST_P(PassiveLimitEmbedment, IsWithinTenPercentOfLimitEquilibrium)
{
    const EmbedmentCase& c = GetParam();
    const std::vector<WallFileBlock> blocks =
        WallFileReader::Read(WriteWall(std::string(c.name) + ".tk4d", c.text(), Limited()));
    const checks::DesignCheckReport r = checks::RunDesignChecks(blocks, c.target, Limited());
    ASSERT_EQ(r.stages.size(), 1u);
    const checks::StageCheck& s = r.stages[0];
    ASSERT_TRUE(s.requiredTipDepth) << checks::DesignChecksText(r);
    ASSERT_TRUE(s.limitEquilibrium.requiredEmbedment) << checks::DesignChecksText(r);
    const double py = *s.requiredTipDepth - blocks[0].block.wallHeight, le = *s.limitEquilibrium.requiredEmbedment;
    EXPECT_NEAR(py / le, 1.0, 0.10) << "p-y " << py << ", limit equilibrium " << le;
}

INSTANTIATE_TEST_SUITE_P(Walls, PassiveLimitEmbedment,
                         ::testing::Values(EmbedmentCase{"cantilever_sand_1", [] { return SandWall(false); }, 1.0},
                                           EmbedmentCase{"cantilever_sand_15", [] { return SandWall(false); }, 1.5},
                                           EmbedmentCase{"cantilever_clay_1", [] { return ClayWall(false); }, 1.0},
                                           EmbedmentCase{"cantilever_clay_15", [] { return ClayWall(false); }, 1.5},
                                           EmbedmentCase{"anchored_sand_1", [] { return SandWall(true); }, 1.0},
                                           EmbedmentCase{"anchored_sand_15", [] { return SandWall(true); }, 1.5},
                                           EmbedmentCase{"anchored_clay_1", [] { return ClayWall(true); }, 1.0},
                                           EmbedmentCase{"anchored_clay_15", [] { return ClayWall(true); }, 1.5},
                                           EmbedmentCase{"strutted_sand_1", StruttedSandWall, 1.0},
                                           EmbedmentCase{"strutted_sand_15", StruttedSandWall, 1.5}),
                         [](const auto& info) { return std::string(info.param.name); });

std::string Example(const std::string& name)
{
    return (fs::path(TORVIK_SOURCE_DIR) / "examples" / name).string();
}

// The factor of every stage of a wall whose blocks all allow `allowed`.
checks::DesignCheckReport CheckAllowing(std::vector<WallFileBlock> blocks, const TWallSettings& settings,
                                        double allowed)
{
    for (WallFileBlock& b : blocks)
        b.block.maxDeflection = allowed;
    return checks::RunDesignChecks(blocks, 1.5, settings);
}

// F is where a mechanism forms: the same to 0.01 whatever maximum allowable
// deflection the user typed. That deflection is the serviceability check of
// the wall as built, which fails on its own when it is exceeded.
TEST(SafetyFactor, DoesNotDependOnTheAllowableDeflection)
{
    std::vector<std::pair<std::string, std::vector<WallFileBlock>>> walls;
    for (const char* name : {"anchored-soft-clay.tk4d", "soldier-pile-surcharge-water.tk4d",
                             "three-stage-excavation.tk4d", "tied-back-sand-over-clay.tk4d"})
        walls.emplace_back(name, WallFileReader::Read(Example(name)));
    walls.emplace_back("anchored sand", WallFileReader::Read(WriteWall("anchored.tk4d", SandWall(true), Limited())));
    for (const auto& [name, blocks] : walls) {
        const TWallSettings settings = ReadSettingsBeside(Example(name)).settings;
        const checks::DesignCheckReport reference = CheckAllowing(blocks, settings, 1.0);
        for (double allowed : {2.5, 10.0, 1e-4}) {
            const checks::DesignCheckReport r = CheckAllowing(blocks, settings, allowed);
            ASSERT_EQ(r.stages.size(), reference.stages.size());
            for (std::size_t k = 0; k < r.stages.size(); ++k) {
                const checks::StageCheck &s = r.stages[k], &ref = reference.stages[k];
                ASSERT_TRUE(s.safety.factor && ref.safety.factor) << name << ", " << s.heading;
                EXPECT_NEAR(*s.safety.factor, *ref.safety.factor, 0.01) << name << ", " << s.heading << ", " << allowed;
                EXPECT_EQ(s.deflectionPassed, allowed >= 1) << name << ", " << s.heading << ", " << allowed;
                if (allowed < 1) {
                    EXPECT_FALSE(s.passed) << name << ", " << s.heading;
                }
            }
        }
    }
}

// A wall held by two anchors with 0.3 m or 0.1 m of embedment: its toe kicks
// out about the lowest anchor with the strengths barely reduced, so it has a
// finite factor and fails, though the anchors and the wall's stiffness would
// hold it in the analysis at any strength.
TEST(SafetyFactor, WallHeldByItsSupportsAloneFails)
{
    for (double length : {4.3, 4.1}) {
        const std::string text = Wall(length, 4.0, true, [](TestWall& w) {
            w.Spring(25, 25, 1.0e5);
            w.Layer(4, 30.0, {18, 32, 20000}, {18, 32, 20000});
        });
        const checks::DesignCheckReport r =
            checks::RunDesignChecks(WallFileReader::Read(WriteWall("supports.tk4d", text, Limited())), 1.5, Limited());
        ASSERT_EQ(r.stages.size(), 1u);
        const checks::StageCheck& s = r.stages[0];
        ASSERT_TRUE(s.safety.factor) << checks::DesignChecksText(r);
        EXPECT_LT(*s.safety.factor, 1.5) << length;
        EXPECT_EQ(s.safety.limit, checks::kLimitToe) << length;
        EXPECT_FALSE(s.passed);
        EXPECT_FALSE(r.passed);
    }
}

// Two stages: a 3.5 m cantilever, then 4 m with a stiff strut at the top. The
// first stage stood with the soil as it is, so the second's factor is its own,
// above the first's: with the first stage analysed at the characteristic
// strengths, the second holds at 0.98 F and fails at 1.02 F.
TEST(SafetyFactor, StageFactorIsTheStagesOwn)
{
    TWallSettings settings = TWallSettings::ForNewWall();
    TestWall w(UnitSystem::SI, 80, 0.1);
    w.Stiffness(0, 80, 1.0e5);
    w.Generated(TEarthPressure::Triangular, 3.5, 1.0, 1.0);
    w.wall->WaterDepthBackfill = 100;
    w.wall->WaterDepthExcavation = 100;
    w.wall->MaxDeflection = 1.0;
    w.wall->ClosureTolerance = 1e-6;
    w.Layer(4, 30.0, {18, 32, 20000}, {18, 32, 20000});
    const std::string text = w.StagedText(2, [&w](TProgramData& wall, int k) {
        wall.WallHeight = k == 1 ? 3.5 : 4.0;
        if (k == 2)
            w.Spring(5, 5, 1.0e5);
    });
    const std::vector<WallFileBlock> blocks = WallFileReader::Read(WriteWall("staged.tk4d", text, settings));
    const checks::DesignCheckReport r = checks::RunDesignChecks(blocks, 1.5, settings);
    ASSERT_EQ(r.stages.size(), 2u);
    ASSERT_TRUE(r.stages[0].safety.factor && r.stages[1].safety.factor) << checks::DesignChecksText(r);
    const double f1 = *r.stages[0].safety.factor, f2 = *r.stages[1].safety.factor;
    EXPECT_GT(f2, f1 + 0.1);
    checks::StageAnalyser second({blocks[0]}, blocks[1], settings);
    EXPECT_TRUE(second.Holds(0.98 * f2));
    EXPECT_FALSE(second.Holds(1.02 * f2));
}

// The bundled cantilever has 144 in of embedment where limit equilibrium needs
// 176.6 in at F = 1.5: the verdict counts the estimate and fails it, unless the
// wall's settings leave the estimate out, which the checks then say.
TEST(Verdict, CountsTheLimitEquilibriumEstimate)
{
    const std::vector<WallFileBlock> blocks = WallFileReader::Read(Example("cantilever-sand.tk4d"));
    TWallSettings settings = TWallSettings::Defaults();
    const checks::DesignCheckReport counted = checks::RunDesignChecks(blocks, 1.5, settings);
    ASSERT_EQ(counted.stages.size(), 1u);
    ASSERT_TRUE(counted.stages[0].limitEquilibrium.requiredEmbedment);
    EXPECT_NEAR(*counted.stages[0].limitEquilibrium.requiredEmbedment, 176.6, 0.1);
    EXPECT_EQ(counted.stages[0].limitEquilibriumPassed, std::optional<bool>(false));
    EXPECT_EQ(counted.stages[0].governingApproach, "limit equilibrium");
    EXPECT_FALSE(counted.passed);

    settings.limitEquilibriumInVerdict = false;
    const checks::DesignCheckReport shown = checks::RunDesignChecks(blocks, 1.5, settings);
    EXPECT_FALSE(shown.stages[0].limitEquilibriumPassed);
    EXPECT_TRUE(shown.passed);
    EXPECT_NE(checks::DesignChecksText(shown).find("does not count in the verdict"), std::string::npos);
}

// The bundled anchored wall with its water flowing under the toe (3 m of head
// over a 21 m path) passes, hydraulic heave included; a larger factor on the
// destabilising action fails heave and with it the stage.
TEST(Verdict, CountsHydraulicHeave)
{
    const std::vector<WallFileBlock> blocks = WallFileReader::Read(Example("anchored-soft-clay.tk4d"));
    TWallSettings settings = TWallSettings::Defaults();
    settings.water.Set(TStageWater{1, WaterRegime::Seepage, {}, {}});
    const checks::DesignCheckReport held = checks::RunDesignChecks(blocks, 1.5, settings);
    ASSERT_TRUE(held.stages[0].hydraulicHeave.applies);
    EXPECT_TRUE(held.passed);
    settings.water.factors.gammaG_dst = 5;
    const checks::DesignCheckReport heaved = checks::RunDesignChecks(blocks, 1.5, settings);
    EXPECT_FALSE(heaved.stages[0].hydraulicHeave.passed);
    EXPECT_FALSE(heaved.passed);
}

// A check without its inputs has no value, and the report says which and where
// they are entered; given them, the note goes.
TEST(Verdict, SaysWhichGroundChecksLackTheirInputs)
{
    const std::vector<WallFileBlock> blocks = WallFileReader::Read(Example("anchored-soft-clay.tk4d"));
    TWallSettings settings = TWallSettings::Defaults();
    const auto note = [](const checks::DesignCheckReport& r) {
        for (const std::string& n : r.notes)
            if (n.rfind("Not checked (no value):", 0) == 0)
                return n;
        return std::string();
    };
    const checks::DesignCheckReport bare = checks::RunDesignChecks(blocks, 1.5, settings);
    ASSERT_FALSE(bare.stages.at(0).anchors.empty());
    const std::string said = note(bare);
    EXPECT_NE(said.find("hydraulic heave where the water is still"), std::string::npos) << said;
    EXPECT_NE(said.find("basal heave without the excavation's plan"), std::string::npos) << said;
    EXPECT_NE(said.find("an anchor's are entered in Data > Anchors..."), std::string::npos) << said;

    settings.water.Set(TStageWater{1, WaterRegime::Seepage, {}, {}});
    settings.excavation.width = 10;
    TAnchorSettings anchor;
    anchor.node = bare.stages[0].anchors[0].node;
    anchor.freeLength = 8;
    anchor.fixedLength = 6;
    anchor.inclination = 15;
    settings.anchors = {anchor};
    EXPECT_EQ(note(checks::RunDesignChecks(blocks, 1.5, settings)), "");
}

}  // namespace
