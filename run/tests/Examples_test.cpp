// The example walls of examples/: each is built here through the program's
// model and saved by its writer (TORVIK_WRITE_EXAMPLES=1 rewrites the committed
// files), must equal the committed file, and must analyse to a plot data file.
#include "engine/EngineRun.h"
#include "engine/tests/TestWall.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"
#include "run/SpringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Cantilever sheet-pile wall in sand, English units: 10 ft retained, 22 ft long,
// a PZ 22 section per foot of wall (EI = 29e6 psi x 84.4 in^4).
std::string CantileverSand()
{
    TestWall w(UnitSystem::English, 88, 3.0);  // 88 increments of 3 in
    w.wall->Title = "Cantilever sheet-pile wall in sand";
    w.Stiffness(0, 88, 29.0e6 * 84.4);
    w.Generated(TEarthPressure::Triangular, 120.0, 12.0, 12.0);  // excavation 10 ft; widths 1 ft
    w.wall->WaterDepthBackfill = 600;   // water table 50 ft down, below the tip
    w.wall->WaterDepthExcavation = 600;
    w.wall->MaxDeflection = 20;
    w.wall->ClosureTolerance = 1e-5;
    // Table units: depth ft; unit weight lb/ft^3, friction angle, k(py) lb/in^3.
    w.Layer(4, 40.0, {115, 32, 90}, {120, 32, 90});
    return w.Text();
}

// Anchored sheet-pile wall in soft clay, SI: 5 m excavation, 14 m wall, one
// tie-back at 1.5 m below the top, water 2 m below the top behind the wall.
std::string AnchoredSoftClay()
{
    TestWall w(UnitSystem::SI, 56, 0.25);
    w.wall->Title = "Anchored sheet-pile wall in soft clay with one tie-back";
    BuildAnchoredSoftClay(w);
    return w.Text();
}

// Soldier-pile wall of steel wide-flange piles at 2.4 m with timber lagging,
// SI: 3 m excavation in sand with water 4 m below the top on both sides, a
// strip load behind the wall and a uniform surcharge; EI = 200 GPa x 8.0e-4 m^4,
// flange width 0.36 m.
std::string SoldierPile()
{
    TestWall w(UnitSystem::SI, 60, 0.2);
    w.wall->Title = "Soldier-pile wall at 2.4 m spacing with surcharge and water";
    w.Stiffness(0, 60, 200e6 * 8.0e-4);
    w.Generated(TEarthPressure::Triangular, 3.0, 2.4, 0.36);
    w.wall->WaterDepthBackfill = 4.0;
    w.wall->WaterDepthExcavation = 4.0;
    w.wall->TopSurcharge = 10;
    w.wall->MaxDeflection = 1.0;
    w.wall->ClosureTolerance = 1e-6;
    w.Surcharge(3, 20, 1000, 3000);  // strip load 20 kPa, 1 m from the wall, 3 m wide (mm)
    w.Layer(4, 20.0, {19, 34, 24000}, {20, 36, 24000});
    return w.Text();
}

// Three-stage excavation, SI: 2 m as a cantilever, then 4 m with a strut at
// 1 m, then 6 m with a second strut at 3.5 m; a 14 m wall in sand.
std::string ThreeStage()
{
    TestWall w(UnitSystem::SI, 70, 0.2);
    w.wall->Title = "Three-stage braced excavation in sand";
    w.Stiffness(0, 70, 1.0e5);
    w.Generated(TEarthPressure::Triangular, 2.0, 1.0, 1.0);
    w.wall->WaterDepthBackfill = 30;
    w.wall->WaterDepthExcavation = 30;
    w.wall->MaxDeflection = 1.0;
    w.wall->ClosureTolerance = 1e-6;
    w.Layer(4, 30.0, {19, 33, 20000}, {20, 35, 20000});
    return w.StagedText(3, [&w](TProgramData& wall, int k) {
        wall.WallHeight = 2.0 * k;
        if (k == 2)
            w.Spring(5, 5, 50000);  // strut at 1 m
        if (k == 3)
            w.Spring(18, 18, 50000);  // strut at 3.6 m
    });
}

// The engineer's tied-back wall, SI: sand over stiff clay, a 13 m sheet-pile wall
// (EI of a 1 m width, 210 GPa x 3.78e-4 m^4), dug as a cantilever to 2.5 m, then
// to 6 m after a tie-back at 1.2 m is installed and locked off. The tie-back's
// stiffness per metre of wall: 4 strands of 140 mm^2 at 195 GPa over a free
// length of 8 m, at 2.5 m spacing and 15 degrees, EA cos^2(i) / (L s) = 5100 kN/m.
std::string TiedBackSandOverClay()
{
    TestWall w(UnitSystem::SI, 65, 0.2);
    w.wall->Title = "Tied-back sheet-pile wall, sand over stiff clay, 6 m cut in two stages";
    w.Stiffness(0, 65, 210e6 * 3.78e-4);
    w.Generated(TEarthPressure::Triangular, 2.5, 1.0, 1.0);
    w.wall->WaterDepthBackfill = 30;
    w.wall->WaterDepthExcavation = 30;
    w.wall->MaxDeflection = 1.0;
    w.wall->ClosureTolerance = 1e-6;
    // sand: unit weight kN/m^3, friction angle, k(py) kN/m^3; clay: unit weight,
    // cohesion kPa, E50, k(py)
    w.Layer(4, 7.0, {18, 32, 16300}, {18.5, 33, 16300});
    w.Layer(3, 20.0, {19.5, 80, 0.005, 0}, {20, 140, 0.004, 0});
    return w.StagedText(2, [&w](TProgramData& wall, int k) {
        if (k == 2) {
            wall.WallHeight = 6.0;
            wall.EarthPressureKind = TEarthPressure::Trapezoidal;  // the apparent-pressure envelope of an anchored wall
            w.Spring(6, 6, 5100);        // tie-back at 1.2 m
        }
    });
}

// Its settings: the tie-back acts from its installation in stage 2, locked off at
// 100 kN/m (250 kN horizontal per anchor), its vertical component on the wall.
// The example was made before the passive limit, the lock-off as built and the
// soil behind the wall, and keeps its results.
TWallSettings TiedBackSettings()
{
    TWallSettings s = TWallSettings::ForNewWall();
    s.limitToPassive = false;
    s.lockOffAsBuilt = false;
    s.soilBehindResists = false;
    TAnchorSettings a;
    a.node = 6;
    a.prestress = 100;
    a.spacing = 2.5;
    a.inclination = 15;
    a.axialLoad = true;
    a.capacity = 450;
    s.Set(a);
    return s;
}

struct Example {
    const char* file;
    std::string (*text)();
    size_t sections;
    TWallSettings (*settings)() = nullptr;  // the settings file beside it, when it has one
};

const Example Examples[] = {
    {"cantilever-sand.tk4d", CantileverSand, 1},
    {"anchored-soft-clay.tk4d", AnchoredSoftClay, 1},
    {"soldier-pile-surcharge-water.tk4d", SoldierPile, 1},
    {"three-stage-excavation.tk4d", ThreeStage, 3},
    {"tied-back-sand-over-clay.tk4d", TiedBackSandOverClay, 2, TiedBackSettings},
};

class ExampleWall : public ::testing::TestWithParam<Example> {};

TEST_P(ExampleWall, IsTheWritersFileAndAnalyses)
{
    const Example& e = GetParam();
    const std::string path = std::string(TORVIK_SOURCE_DIR) + "/examples/" + e.file;
    const std::string text = e.text();
    const std::string settings = e.settings ? SettingsText(e.settings()) : std::string();
    if (std::getenv("TORVIK_WRITE_EXAMPLES")) {
        std::ofstream(path, std::ios::binary) << text;
        if (e.settings)
            std::ofstream(SettingsPathFor(path), std::ios::binary) << settings;
    }
    EXPECT_EQ(ReadAll(path), text);
    EXPECT_EQ(fs::exists(SettingsPathFor(path)), e.settings != nullptr);
    if (e.settings) {
        EXPECT_EQ(ReadAll(SettingsPathFor(path)), settings);
    }

    const RunOutcome o = EngineRun::Analyse(path);
    EXPECT_TRUE(o.fileError.empty()) << o.fileError;
    ASSERT_EQ(o.sections.size(), e.sections);
    for (const SectionRun& s : o.sections) {
        EXPECT_TRUE(s.Ok()) << s.heading << ": " << s.error << s.result.message;
        if (s.Ok()) {
            EXPECT_LT(std::fabs(s.result.ForceResidual()), 1e-6);
            EXPECT_LT(std::fabs(s.result.MomentResidual()), 1e-6);
        }
    }
}

// The anchored wall in soft clay: the tension cut-off leaves no active load above
// the excavation, so the clay envelope carries it: mean gamma over 5 m = 17.0625,
// Su = 33.75, Ns = 2.53 (stiff), 0.3 gamma H = 25.594 kN/m^2, plus the net water
// pressure (9.81 x 0.5 at 2.5 m, on the plateau from 1 m to 2.67 m).
TEST(AnchoredSoftClay, TieBackCarriesTheClayEnvelope)
{
    const RunOutcome o = EngineRun::Analyse(std::string(TORVIK_SOURCE_DIR) + "/examples/anchored-soft-clay.tk4d");
    ASSERT_EQ(o.sections.size(), 1u);
    const SectionRun& s = o.sections[0];
    ASSERT_TRUE(s.Ok());
    EXPECT_NEAR(s.input.qSoil[10], 0.3 * 17.0625 * 5 + 9.81 * 0.5, 1e-9);
    // The tie-back holds the wall against the envelope: forces balance.
    double applied = 0;
    for (int m = 0; m <= s.input.nodeCount; ++m)
        applied += (m == 0 || m == s.input.nodeCount ? 0.5 : 1.0) * s.input.increment * (s.input.q[m] + s.result.reaction[m]);
    EXPECT_NEAR(applied + s.result.springForce[6], 0, 1e-6 * std::fabs(s.result.springForce[6]));
    EXPECT_LT(s.result.springForce[6], -100);
}

// The tied-back wall: the tie-back acts from stage 2 on the movement since stage 1,
// locked off at 100 kN/m, and its force reaches the spring table that the CSV
// export and the calculation report take from the analysis.
TEST(TiedBackSandOverClay, AnchorActsFromItsInstallationAndReachesTheSpringTable)
{
    const fs::path dir = fs::temp_directory_path() / ("torvik-tied-back-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path wall = dir / "wall.tk4d";
    fs::copy_file(std::string(TORVIK_SOURCE_DIR) + "/examples/tied-back-sand-over-clay.tk4d", wall);
    fs::copy_file(std::string(TORVIK_SOURCE_DIR) + "/examples/tied-back-sand-over-clay.tk4s", dir / "wall.tk4s");
    const RunFiles files{wall.string(), (dir / "wall.tk4o").string(), (dir / "wall.tk4p").string(),
                         (dir / "wall.tk4r").string()};
    const RunOutcome o = EngineRun::Run(files);
    ASSERT_EQ(o.sections.size(), 2u);
    ASSERT_TRUE(o.plotWritten);
    EXPECT_TRUE(o.sections[0].result.springs.empty());
    const SectionResult& r = o.sections[1].result;
    ASSERT_EQ(r.springs.size(), 1u);
    const SpringResult& a = r.springs[0];
    EXPECT_EQ(a.installedIn, 2);
    EXPECT_EQ(a.deflectionFrom, o.sections[0].result.y[6]);
    EXPECT_NEAR(a.force, 100 + 5100 * (r.y[6] - a.deflectionFrom), 1e-9 * a.force);
    // Sensible numbers: near its lock-off load, within its capacity, a wall that moved a few millimetres.
    EXPECT_GT(a.force, 80);
    EXPECT_LT(a.force, 120);
    EXPECT_LT(a.forcePerAnchor, 450);
    for (double y : r.y)
        EXPECT_LT(std::fabs(y), 0.02);

    const TSpringTable table = SpringTableOf(o.sections);
    ASSERT_EQ(table.Rows.size(), 1u);
    EXPECT_EQ(table.Rows[0].Stage, "Stage 2");
    EXPECT_NEAR(std::stod(table.Rows[0].Cells[SpringColumnForce]), a.force, 1e-5 * a.force);
    EXPECT_NEAR(std::stod(table.Rows[0].Cells[SpringColumnPerAnchor]), a.forcePerAnchor, 1e-5 * a.forcePerAnchor);
    const std::string csv = SpringTableCsv(table);
    EXPECT_EQ(csv.substr(0, csv.find('\r')), "Stage,Node,Depth (m),K (kN/m),P0 (kN/m),Installed,y0 (m),y (m),F (kN/m),"
                                             "Anchor (kN),Fv (kN/m)");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 2);
    fs::remove_all(dir);
}

// Analyses a copy of the example `name` (with its settings) in `dir` and reads
// its plot data file into `graphs`.
void RunCopyAndLoad(const std::string& name, const fs::path& dir, TResultGraphs& graphs)
{
    const fs::path wall = dir / (name + ".tk4d");
    for (const char* ext : {".tk4d", ".tk4s"})
        fs::copy_file(std::string(TORVIK_SOURCE_DIR) + "/examples/" + name + ext, dir / (name + ext));
    const RunFiles files{wall.string(), (dir / (name + ".tk4o")).string(), (dir / (name + ".tk4p")).string(),
                         (dir / (name + ".tk4r")).string()};
    ASSERT_TRUE(EngineRun::Run(files).plotWritten);
    std::string error;
    ASSERT_TRUE(LoadWallResults(wall.string(), graphs, error)) << error;
}

// The cofferdam's earth-pressure graph draws three more lines, the pore pressures
// behind and in front and the net of its last stage with seepage, at the values
// the output text lists at the exit (6 m) and the toe (14 m); the tied-back wall
// in still water draws its two stages only.
TEST(CofferdamRiver, PressureGraphDrawsThePorePressuresOfFlowingWater)
{
    const fs::path dir = fs::temp_directory_path() / ("torvik-cofferdam-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    TResultGraphs cofferdam, still;
    RunCopyAndLoad("cofferdam-river", dir, cofferdam);
    RunCopyAndLoad("tied-back-sand-over-clay", dir, still);
    fs::remove_all(dir);

    EXPECT_EQ(still.EarthPressure.LineCount(), 2);
    const TGraphPlot& ld = cofferdam.EarthPressure;
    ASSERT_EQ(ld.LineCount(), 6);
    EXPECT_EQ(ld.Lines(3).Name, "Pore Pressure Behind (Stage: 3)");
    EXPECT_EQ(ld.Lines(4).Name, "Pore Pressure in Front (Stage: 3)");
    EXPECT_EQ(ld.Lines(5).Name, "Net Water Pressure (Stage: 3)");
    struct Listed {
        double depth, behind, front, net;
    };
    for (const Listed& l : {Listed{6, 31.392, 0, 31.392}, Listed{14, 94.176, 94.176, 0}}) {
        const auto& points = ld.Lines(3).Points;
        const auto at = std::find_if(points.begin(), points.end(),
                                     [&](const auto& p) { return std::fabs(p.Y - l.depth) < 1e-9; });
        ASSERT_NE(at, points.end()) << l.depth;
        const size_t j = static_cast<size_t>(at - points.begin());
        EXPECT_NEAR(ld.Lines(3).Points[j].X, l.behind, 1e-3) << l.depth;
        EXPECT_NEAR(ld.Lines(4).Points[j].X, l.front, 1e-3) << l.depth;
        EXPECT_NEAR(ld.Lines(5).Points[j].X, l.net, 1e-3) << l.depth;
        EXPECT_EQ(ld.Lines(5).Points[j].Y, l.depth);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleWall, ::testing::ValuesIn(Examples), [](const auto& info) {
    std::string name = info.param.file;
    name = name.substr(0, name.find('.'));
    for (char& c : name)
        if (c == '-')
            c = '_';
    return name;
});

}  // namespace
