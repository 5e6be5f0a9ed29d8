// The design checks: the safety factor by strength reduction agrees with the
// engine's own analyses of walls whose strengths were divided in their data
// files; a raised tip is the wall built that short; the limit-equilibrium
// embedment of a cantilever in sand matches the closed form.
#include "checks/DesignChecks.h"
#include "checks/EmbedmentSafety.h"
#include "checks/StrengthReduction.h"
#include "engine/EngineRun.h"
#include "engine/PoreWater.h"
#include "engine/WallFriction.h"
#include "checks/tests/CheckWalls.h"
#include "engine/tests/TestWall.h"
#include "model/SettingsFile.h"
#include "units/Constants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

double ReducedPhi(double phi, double f) { return std::atan(std::tan(phi * kPi / 180) / f) * 180 / kPi; }

// Cantilever in sand, English units: 10 ft retained, 22 ft long.
std::string CantileverSand(double f, int n = 88, double maxDeflection = 20)
{
    TestWall w(UnitSystem::English, n, 3.0);
    w.Stiffness(0, n, 29.0e6 * 84.4);
    w.Generated(TEarthPressure::Triangular, 120.0, 12.0, 12.0);
    w.wall->WaterDepthBackfill = 600;
    w.wall->WaterDepthExcavation = 600;
    w.wall->MaxDeflection = maxDeflection;
    w.wall->ClosureTolerance = 1e-5;
    w.Layer(4, 40.0, {115, ReducedPhi(32, f), 90}, {120, ReducedPhi(32, f), 90});
    return w.Text();
}

// Anchored wall in soft clay, SI: 5 m excavation, 14 m wall, a tie-back at 1.5 m.
std::string AnchoredClay(double f)
{
    TestWall w(UnitSystem::SI, 56, 0.25);
    BuildAnchoredSoftClay(w, f);
    return w.Text();
}

// Staged excavation in sand, SI: 2 m cantilever, 4 m with a strut at 1 m, 6 m
// with a second strut at 3.6 m.
std::string ThreeStage(double f)
{
    TestWall w(UnitSystem::SI, 70, 0.2);
    w.Stiffness(0, 70, 1.0e5);
    w.Generated(TEarthPressure::Triangular, 2.0, 1.0, 1.0);
    w.wall->WaterDepthBackfill = 30;
    w.wall->WaterDepthExcavation = 30;
    w.wall->MaxDeflection = 1.0;
    w.wall->ClosureTolerance = 1e-6;
    w.Layer(4, 30.0, {19, ReducedPhi(33, f), 20000}, {20, ReducedPhi(35, f), 20000});
    return w.StagedText(3, [&w](TProgramData& wall, int k) {
        wall.WallHeight = 2.0 * k;
        if (k == 2)
            w.Spring(5, 5, 50000);
        if (k == 3)
            w.Spring(18, 18, 50000);
    });
}

struct WallCase {
    const char* name;
    std::function<std::string(double)> text;  // the wall with strengths divided by the argument
    TWallSettings settings = TWallSettings::Defaults();
};

// The struts of the three stages installed on the moved wall, each locked off at 20 kN/m.
TWallSettings StrutsInstalled()
{
    TWallSettings s = TWallSettings::ForNewWall();
    s.AnchorAt(5).prestress = 20;
    s.AnchorAt(18).prestress = 20;
    return s;
}

class StrengthReduction : public ::testing::TestWithParam<WallCase> { };

// The analyses of a data file's stages as the strength reduction judges them,
// every deflection allowed up to the wall's length: stage k of `reduced` after
// the stages before it of `characteristic` (when springs act from their
// installation stage; each stage alone otherwise).
SectionRun StageOf(const std::string& characteristic, const std::string& reduced, std::size_t k,
                   const TWallSettings& settings)
{
    auto read = [](const std::string& path) {
        std::vector<WallFileBlock> blocks = WallFileReader::Read(path);
        for (WallFileBlock& b : blocks)
            b.block.maxDeflection = b.block.nodeCount * b.block.increment;
        return blocks;
    };
    const std::vector<WallFileBlock> before = read(characteristic), after = read(reduced);
    const bool staged = after.size() > 1;
    std::vector<SectionRun> earlier;
    if (settings.springsFromInstallation)
        for (std::size_t j = 0; j < k; ++j)
            earlier.push_back(EngineRun::AnalyseBlock(before[j], static_cast<int>(j) + 1, earlier, settings));
    return EngineRun::AnalyseBlock(after[k], staged ? static_cast<int>(earlier.size()) + 1 : 0, earlier, settings);
}

bool Holds(const SectionRun& run)
{
    return run.Ok() && checks::ToeHolds(run.input) && !checks::EmbedmentMobilised(run);
}

// Each stage's F: the data file written with every strength divided by 0.98 F
// holds (the engine converges, the toe holds about the lowest support and the
// embedment has reserve), with 1.02 F it fails, whatever the allowable
// deflection; the stages before are built with the characteristic strengths.
TEST_P(StrengthReduction, FactorIsWhereAMechanismForms)
{
    const WallCase& c = GetParam();
    const std::string wall = WriteWall(std::string(c.name) + ".tk4d", c.text(1), c.settings);
    const checks::DesignCheckReport r = checks::RunDesignChecks(wall);
    ASSERT_FALSE(r.stages.empty());
    for (const checks::StageCheck& s : r.stages) {
        ASSERT_TRUE(s.safety.factor) << s.heading;
        const double f = *s.safety.factor;
        const std::size_t k = static_cast<std::size_t>(s.stage - 1);
        const std::string below = WriteWall("below.tk4d", c.text(0.98 * f), c.settings);
        EXPECT_TRUE(Holds(StageOf(wall, below, k, c.settings))) << s.heading << " at 0.98 F = " << 0.98 * f;
        const std::string above = WriteWall("above.tk4d", c.text(1.02 * f), c.settings);
        EXPECT_FALSE(Holds(StageOf(wall, above, k, c.settings))) << s.heading << " at 1.02 F = " << 1.02 * f;
        EXPECT_TRUE(s.safety.limit == checks::kLimitNoConvergence || s.safety.limit == checks::kLimitToe ||
                    s.safety.limit == checks::kLimitEmbedment)
            << s.heading << ": " << s.safety.limit;
        // The wall as given (F = 1) has a share of its resistance in use only when it holds.
        EXPECT_EQ(s.mobilisedPassive.has_value(), s.deflection.has_value()) << s.heading;
        if (s.mobilisedPassive) {
            EXPECT_GT(*s.mobilisedPassive, 0);
            EXPECT_LT(*s.mobilisedPassive, 1);
        }
        EXPECT_EQ(s.passed, f >= 1.5 && s.deflectionPassed && s.limitEquilibriumPassed.value_or(true)) << s.heading;
    }
    EXPECT_TRUE(r.governingStage);
}

INSTANTIATE_TEST_SUITE_P(
    Walls, StrengthReduction,
    ::testing::Values(WallCase{"cantilever_sand", [](double f) { return CantileverSand(f); }},
                      // the same F; its top deflects 0.9 in, more than it allows
                      WallCase{"cantilever_sand_half_inch", [](double f) { return CantileverSand(f, 88, 0.5); }},
                      WallCase{"anchored_clay", AnchoredClay}, WallCase{"three_stages", ThreeStage},
                      WallCase{"three_stages_struts_installed", ThreeStage, StrutsInstalled()}),
    [](const auto& info) { return std::string(info.param.name); });

// A tip raised for the search is the wall built that short: same deflections.
// The required tip holds at the target and the node above it does not.
TEST(RequiredTip, CutWallIsTheShortWall)
{
    const std::vector<WallFileBlock> full = WallFileReader::Read(WriteWall("full.tk4d", CantileverSand(1)));
    const std::vector<WallFileBlock> shorter = WallFileReader::Read(WriteWall("short.tk4d", CantileverSand(1, 80)));
    const RunOutcome cut = EngineRun::Analyse({{"cut", checks::CutAtTip(full[0].block, 80)}});
    const RunOutcome built = EngineRun::Analyse(shorter);
    ASSERT_TRUE(cut.sections[0].Ok());
    ASSERT_TRUE(built.sections[0].Ok());
    EXPECT_EQ(cut.sections[0].result.y, built.sections[0].result.y);

    checks::StageAnalyser stage(full[0]);
    const std::optional<int> tip = checks::FindRequiredTip(stage, 1.5);
    ASSERT_TRUE(tip);
    EXPECT_LT(*tip, 88);
    EXPECT_TRUE(stage.Holds(1.5, *tip));
    EXPECT_FALSE(stage.Holds(1.5, *tip - 1));
}

// A 12 m SI cantilever on 0.2 m nodes in one sand layer, excavated to 4 m,
// with the water depths behind and in front of the wall.
WallBlock SandCantilever(const std::string& name, double gamma, double phi, double behind = 100,
                         double inFront = 100)
{
    TestWall w(UnitSystem::SI, 60, 0.2);
    w.Stiffness(0, 60, 1.0e5);
    w.Generated(TEarthPressure::Triangular, 4.0, 1.0, 1.0);
    w.wall->WaterDepthBackfill = behind;
    w.wall->WaterDepthExcavation = inFront;
    w.Layer(4, 30.0, {gamma, phi, 20000}, {gamma, phi, 20000});
    return WallFileReader::Read(WriteWall(name, w.Text()))[0].block;
}

// Uniform dry sand (gamma, phi = 30, no cohesion, no water), retained height H,
// target F = 1.5 on tan(phi): a = Ka, b = Kp of phi_d = atan(tan 30 / 1.5).
// The conventional method's net pressure toward the excavation is, per gamma,
//   above the pivot z0:  p1 = a z - b (z - H)+   (active behind, passive in front)
//   below the pivot:     p2 = b z - a (z - H)    (passive behind, active in front)
// so p2 - p1 = (b - a)(2 z - H). With the tip at d, D = d - H and s = d - z0:
//   forces:            a d^2/2 - b D^2/2 + (b - a) s (2d - H - s) = 0
//   moments about tip: a d^3/6 - b D^3/6 + (b - a) [(2d - H) s^2/2 - 2 s^3/3] = 0
// The force equation is a quadratic in s (its smaller root lies in 0..D); the
// embedment D is the root of the moment equation, found here by bisection.
// With wall friction delta = r phi_d the same closed form holds with Coulomb's
// Ka and the curved-surface Kp of phi_d and delta in place of Rankine's.
TEST(LimitEquilibrium, CantileverInSandMatchesTheClosedForm)
{
    const double h = 4.0, f = 1.5;
    WallBlock block = SandCantilever("le.tk4d", 18.0, 30);
    for (const double ratio : {0.0, 2.0 / 3.0}) {
        block.layers[0].contact.frictionRatio = ratio;
        const checks::LimitEquilibrium le = checks::EstimateLimitEquilibrium(block, f);
        ASSERT_TRUE(le.requiredEmbedment) << (le.notes.empty() ? "" : le.notes[0]);
        EXPECT_FALSE(le.anchorForce);

        const double phi = std::atan(std::tan(30 * kPi / 180) / f), phiDegrees = phi * 180 / kPi;
        const double a = ratio == 0 ? std::pow(std::tan(kPi / 4 - phi / 2), 2)
                                    : engine::CoulombActiveCoefficient(phiDegrees, 0, ratio * phiDegrees);
        const double b = ratio == 0 ? std::pow(std::tan(kPi / 4 + phi / 2), 2)
                                    : engine::CurvedSurfacePassiveCoefficient(phiDegrees, ratio * phiDegrees);
        auto moment = [&](double d) {
            const double e = d - h, t = 2 * d - h;
            const double s = 0.5 * (t - std::sqrt(t * t + 2 * (a * d * d - b * e * e) / (b - a)));
            return a * d * d * d / 6 - b * e * e * e / 6 + (b - a) * (t * s * s / 2 - 2 * s * s * s / 3);
        };
        double lo = 1.5 * h, hi = 5 * h;  // overturning at lo, balanced beyond the root
        ASSERT_GT(moment(lo), 0);
        ASSERT_LT(moment(hi), 0);
        for (int i = 0; i < 100; ++i)
            (moment(0.5 * (lo + hi)) > 0 ? lo : hi) = 0.5 * (lo + hi);
        const double embedment = 0.5 * (lo + hi) - h;
        EXPECT_NEAR(*le.requiredEmbedment, embedment, 0.002 * embedment) << "delta/phi " << ratio;
    }
}

// Water seeping round the tip of a cantilever in sand (river 1 m below the top,
// pumped down to the 4 m excavation): the estimate takes the seepage of the
// tip it requires, so that the same pore pressures given as a table of the
// wall cut at that tip require the same tip; still water requires another.
TEST(LimitEquilibrium, SeepageRunsRoundTheRequiredTip)
{
    const WallBlock block = SandCantilever("le-seepage.tk4d", 20, 32, 1, 4);
    engine::PoreWaterInput seepage;
    seepage.regime = WaterRegime::Seepage;
    const checks::LimitEquilibrium still = checks::EstimateLimitEquilibrium(block, 1.5);
    const checks::LimitEquilibrium seeping = checks::EstimateLimitEquilibrium(block, 1.5, seepage);
    ASSERT_TRUE(still.requiredEmbedment && seeping.requiredEmbedment);
    EXPECT_GT(std::fabs(*seeping.requiredEmbedment - *still.requiredEmbedment), 0.01)
        << *seeping.requiredEmbedment << " " << *still.requiredEmbedment;

    // The seepage pressures are linear between the entry, the exit and the tip.
    const double tip = 4.0 + *seeping.requiredEmbedment;
    const engine::PoreWater pore(seepage, engine::UnitWeightOfWater(UnitSystem::SI), 1, 4, 4, tip);
    engine::PoreWaterInput table;
    table.regime = WaterRegime::Table;
    table.retained = {{1, 0}, {tip, pore.Retained(tip)}};
    table.excavation = {{4, 0}, {tip, pore.Excavation(tip)}};
    const checks::LimitEquilibrium tabled = checks::EstimateLimitEquilibrium(block, 1.5, table);
    ASSERT_TRUE(tabled.requiredEmbedment);
    EXPECT_NEAR(*tabled.requiredEmbedment, *seeping.requiredEmbedment, 1e-4);
}

// A berm 1.5 m high in front of the cantilever of the closed form: its
// equivalent surcharge needs less embedment than the level excavation at 4 m
// but more than the excavation left at the berm's top (2.5 m), where the berm
// would be level ground; a surface falling away from the wall needs more.
TEST(LimitEquilibrium, BermAndSlopeLieAsTheirGroundSays)
{
    WallBlock block = SandCantilever("berm.tk4d", 18.0, 30);
    auto tip = [&block]() {
        const checks::LimitEquilibrium le = checks::EstimateLimitEquilibrium(block, 1.5);
        EXPECT_TRUE(le.requiredEmbedment);
        return block.wallHeight + le.requiredEmbedment.value_or(0);
    };
    const double level = tip();
    block.excavationGround.kind = ExcavationGroundKind::Berm;
    block.excavationGround.topWidth = 2;
    block.excavationGround.height = 1.5;
    block.excavationGround.sideSlope = 26.57;
    const double berm = tip();
    block.excavationGround.kind = ExcavationGroundKind::Slope;
    block.excavationGround.slopeAngle = 15;
    const double slope = tip();
    block.excavationGround = {};
    block.wallHeight = 2.5;
    const double raised = tip();
    EXPECT_LT(berm, level - 0.1);
    EXPECT_GT(berm, raised + 0.1);
    EXPECT_GT(slope, level + 0.1);
}

// Soldier piles at 2.4 m: below the excavation the active pressure acts on the
// pile's width and the passive resistance on three times it (at most the
// spacing). Piles 0.8 m wide (3 Wp = Wa) take less active load than a
// continuous wall and need less embedment; piles 0.3 m wide mobilise only
// 0.9 m of passive resistance and need more.
TEST(LimitEquilibrium, SoldierPilesResistOverThreeTimesTheirWidth)
{
    auto embedment = [](double wp) {
        TestWall w(UnitSystem::SI, 100, 0.1);
        w.Stiffness(0, 100, 1.0e5);
        w.Generated(TEarthPressure::Triangular, 3.0, 2.4, wp);
        w.wall->WaterDepthBackfill = 100;
        w.wall->WaterDepthExcavation = 100;
        w.Layer(4, 30.0, {18, 32, 20000}, {18, 32, 20000});
        const std::vector<WallFileBlock> blocks = WallFileReader::Read(WriteWall("soldier.tk4d", w.Text()));
        const checks::LimitEquilibrium le = checks::EstimateLimitEquilibrium(blocks[0].block, 1.5);
        EXPECT_TRUE(le.requiredEmbedment) << (le.notes.empty() ? "" : le.notes[0]);
        return le.requiredEmbedment.value_or(0);
    };
    const double continuous = embedment(2.4), wide = embedment(0.8), narrow = embedment(0.3);
    EXPECT_LT(wide, continuous);
    EXPECT_GT(narrow, continuous);
}

// Two struts: the hinge method gives the embedment below the lowest strut and
// each strut's force; the forces of the supports and of the soil in front
// balance the net pressure behind.
TEST(LimitEquilibrium, TwoStrutsByTheHingeMethod)
{
    const std::vector<WallFileBlock> blocks = WallFileReader::Read(WriteWall("staged.tk4d", ThreeStage(1)));
    const checks::LimitEquilibrium le = checks::EstimateLimitEquilibrium(blocks[2].block, 1.5);
    ASSERT_TRUE(le.requiredEmbedment);
    EXPECT_GT(*le.requiredEmbedment, 0);
    EXPECT_EQ(le.anchorNode, std::optional<int>(18));
    ASSERT_TRUE(le.anchorForce);
    EXPECT_GT(*le.anchorForce, 0);
    EXPECT_NE(le.method.find("hinge method"), std::string::npos);
    ASSERT_FALSE(le.notes.empty());
    EXPECT_EQ(le.notes[0].rfind("Support forces of the hinge method", 0), 0u) << le.notes[0];
}

// A wall that cannot be analysed fails its checks with the reason, and the
// estimate beside it says that it has no length instead of dividing by it.
TEST(DesignChecks, WallWithoutLengthFailsWithItsReason)
{
    WallFileBlock b;
    b.heading = "Analysis";
    b.block.earthPressureOption = 2;
    b.block.wallHeight = 1;
    const checks::DesignCheckReport r = checks::RunDesignChecks({b});
    ASSERT_EQ(r.stages.size(), 1u);
    EXPECT_FALSE(r.passed);
    EXPECT_FALSE(r.stages[0].safety.factor);
    EXPECT_FALSE(r.stages[0].limitEquilibrium.requiredEmbedment);
    EXPECT_NE(r.stages[0].notes[0].find("The wall cannot be analysed: "), std::string::npos) << r.stages[0].notes[0];
    EXPECT_NE(r.stages[0].limitEquilibrium.notes[0].find("the wall has no usable length"), std::string::npos);
}

}  // namespace
