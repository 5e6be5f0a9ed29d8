// The section and anchor checks against hand values: a beam on two springs
// carrying a load at midspan has a known moment, shear and spring forces; the
// utilisation graph draws what the checks found.
#include "checks/DesignChecks.h"
#include "checks/UtilisationGraph.h"
#include "engine/EngineRun.h"
#include "engine/tests/TestWall.h"
#include "graph/GraphPlot.h"
#include "units/Constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#if defined(_WIN32)
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace {

// The blocks of the wall as its data file gives them.
std::vector<WallFileBlock> Blocks(TestWall& w)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("torvik-utilisation-" + std::to_string(::getpid()) + ".tk4d");
    std::ofstream(file, std::ios::binary) << w.Text();
    std::vector<WallFileBlock> blocks = WallFileReader::Read(file.string());
    std::filesystem::remove(file);
    return blocks;
}

// SI: a 10 m wall (20 x 0.5 m) without soil, on springs at its ends, with a
// load P = 100 kN/m at node 10. By statics: spring forces P/2 = 50 kN/m,
// moment at midspan P L / 4 = 250 kN m/m, shear P/2 = 50 kN/m.
std::vector<WallFileBlock> BeamOnSprings()
{
    TestWall w(UnitSystem::SI, 20, 0.5);
    w.Stiffness(0, 20, 1.0e5);
    w.wall->MaxDeflection = 10;
    w.wall->ClosureTolerance = 1e-8;
    w.Spring(0, 0, 1.0e5);
    w.Spring(20, 20, 1.0e5);
    w.Load(10, 10, 100);
    return Blocks(w);
}

TWallSettings Settings(double capacity)
{
    TWallSettings s;
    TSectionSettings section;
    section.sectionModulus = 0.002;   // m^3/m
    section.yieldStrength = 250000;   // kPa
    section.shearArea = 0.01;         // m^2/m
    section.corrosionLoss = 20;       // W and Av x 0.8
    s.Set(section);
    TAnchorSettings anchor;
    anchor.node = 0;
    anchor.spacing = 2;
    anchor.inclination = 30;
    anchor.capacity = capacity;
    s.Set(anchor);
    return s;
}

TEST(SectionAndAnchorChecks, BeamOnSpringsMatchesHandValues)
{
    const checks::DesignCheckReport r = checks::RunDesignChecks(BeamOnSprings(), 1.5, Settings(200));
    ASSERT_EQ(r.stages.size(), 1u);
    const checks::StageCheck& s = r.stages[0];
    // 250 / (250000 x 0.002 x 0.8) = 0.625 at midspan, 5 m down.
    ASSERT_TRUE(s.bendingUtilisation);
    EXPECT_NEAR(*s.bendingUtilisation, 0.625, 1e-6);
    EXPECT_NEAR(s.bendingDepth, 5.0, 1e-9);
    // 50 / (0.01 x 0.8 x 250000 / sqrt 3) = 0.04330.
    ASSERT_TRUE(s.shearUtilisation);
    EXPECT_NEAR(*s.shearUtilisation, 50 / (0.008 * 250000 / std::sqrt(3.0)), 1e-6);
    ASSERT_EQ(s.nodes.size(), 21u);

    // Anchor at node 0: 50 kN/m x 2 m / cos 30 = 115.47 kN, of 200 kN. The
    // spring at node 20 has no anchor settings: its force per width only.
    ASSERT_EQ(s.anchors.size(), 2u);
    EXPECT_EQ(s.anchors[0].node, 0);
    EXPECT_NEAR(std::fabs(s.anchors[0].forcePerWidth), 50, 1e-6);
    ASSERT_TRUE(s.anchors[0].forcePerAnchor);
    EXPECT_NEAR(*s.anchors[0].forcePerAnchor, 100 / std::cos(30 * kPi / 180), 1e-5);
    ASSERT_TRUE(s.anchors[0].utilisation);
    EXPECT_NEAR(*s.anchors[0].utilisation, *s.anchors[0].forcePerAnchor / 200, 1e-12);
    EXPECT_FALSE(s.anchors[1].forcePerAnchor);
    EXPECT_FALSE(s.anchors[1].utilisation);
    EXPECT_TRUE(s.passed);
    EXPECT_TRUE(r.passed);

    // An anchor loaded past its capacity fails the stage and the wall.
    const checks::DesignCheckReport over = checks::RunDesignChecks(BeamOnSprings(), 1.5, Settings(100));
    EXPECT_GT(*over.stages[0].anchors[0].utilisation, 1);
    EXPECT_FALSE(over.stages[0].passed);
    EXPECT_FALSE(over.passed);

    // The graph: bending and shear of the stage against depth, and the limit.
    TGraphPlot graph;
    checks::FillUtilisationGraph(graph, r);
    ASSERT_EQ(graph.LineCount(), 3);
    EXPECT_EQ(graph.Lines(0).Name, "Bending, " + s.heading);
    EXPECT_EQ(graph.Lines(1).Name, "Shear, " + s.heading);
    EXPECT_NEAR(double(graph.Lines(0).Point(10).X), 0.625, 1e-6);
    EXPECT_NEAR(double(graph.Lines(0).Point(10).Y), 5.0, 1e-9);
    EXPECT_EQ(graph.Lines(2).Point(0).X, 1);
    EXPECT_TRUE(graph.XOnTop);
}

// Without a section the utilisations are empty and said to be missing; a
// section that starts below the top leaves the nodes above it unchecked.
TEST(SectionAndAnchorChecks, MissingSectionDataIsExplained)
{
    const checks::DesignCheckReport none = checks::RunDesignChecks(BeamOnSprings());
    EXPECT_FALSE(none.stages[0].bendingUtilisation);
    EXPECT_FALSE(none.stages[0].shearUtilisation);
    const std::vector<std::string>& notes = none.stages[0].notes;
    EXPECT_NE(std::find(notes.begin(), notes.end(),
                        "Bending and shear utilisation need the section modulus, shear area and yield strength of the "
                        "wall's steel section; none is given."),
              notes.end());
    TGraphPlot graph;
    checks::FillUtilisationGraph(graph, none);
    EXPECT_EQ(graph.LineCount(), 0);

    TWallSettings lower = Settings(200);
    TSectionSettings section = lower.sections[0];
    lower.sections.clear();
    section.node = 12;
    lower.Set(section);
    const checks::StageCheck s = checks::RunDesignChecks(BeamOnSprings(), 1.5, lower).stages[0];
    ASSERT_TRUE(s.bendingUtilisation);
    EXPECT_LT(*s.bendingUtilisation, 0.625);
    EXPECT_NE(std::find(s.notes.begin(), s.notes.end(),
                        "Bending utilisation is not checked at nodes 0 to 11: their section has no section modulus or "
                        "yield strength."),
              s.notes.end());

    // A sheet pile picked from a catalogue row without a shear area: bending is
    // checked, and the notes say that shear is not, and why.
    TWallSettings noShear = Settings(200);
    noShear.sections[0].shearArea = 0;
    const checks::StageCheck b = checks::RunDesignChecks(BeamOnSprings(), 1.5, noShear).stages[0];
    EXPECT_TRUE(b.bendingUtilisation);
    EXPECT_FALSE(b.shearUtilisation);
    const std::string said = "Shear utilisation is not checked: the wall's steel section has no shear area or "
                             "yield strength. A sheet pile's shear area is that of its webs";
    EXPECT_NE(std::find_if(b.notes.begin(), b.notes.end(),
                           [&](const std::string& n) { return n.rfind(said, 0) == 0; }),
              b.notes.end());
}

// An English wall is analysed on a strip of its active width (12 in here):
// the anchor's force per unit width is the strip's spring force over 12 in,
// and its force per anchor that times the spacing (2.5 m = 98.43 in), in lb.
TEST(SectionAndAnchorChecks, EnglishAnchorForcesArePerInchOfWall)
{
    TestWall w(UnitSystem::English, 88, 3.0);
    w.Stiffness(0, 88, 29.0e6 * 84.4);
    w.Generated(TEarthPressure::Triangular, 120.0, 12.0, 12.0);
    w.wall->WaterDepthBackfill = 600;
    w.wall->WaterDepthExcavation = 600;
    w.wall->MaxDeflection = 20;
    w.wall->ClosureTolerance = 1e-5;
    w.Spring(8, 8, 2000);
    w.Layer(4, 40.0, {115, 32, 90}, {120, 32, 90});
    const std::vector<WallFileBlock> blocks = Blocks(w);
    TWallSettings settings;
    TAnchorSettings anchor;
    anchor.node = 8;
    anchor.spacing = 2.5;     // m
    anchor.capacity = 100;    // kN
    settings.Set(anchor);
    const checks::StageCheck s = checks::RunDesignChecks(blocks, 1.5, settings).stages.at(0);
    const SectionRun run = EngineRun::Analyse(blocks).sections.at(0);
    ASSERT_TRUE(run.Ok());
    const double strip = std::fabs(run.result.springForce[8]);
    ASSERT_GT(strip, 0);
    ASSERT_EQ(s.anchors.size(), 1u);
    EXPECT_NEAR(std::fabs(s.anchors[0].forcePerWidth), strip / 12, 1e-9 * strip);
    ASSERT_TRUE(s.anchors[0].forcePerAnchor);
    EXPECT_NEAR(*s.anchors[0].forcePerAnchor, strip / 12 * 2.5 / 0.0254, 1e-6 * strip);
    EXPECT_NEAR(*s.anchors[0].utilisation, *s.anchors[0].forcePerAnchor / (100 / 4.4482216152605e-3), 1e-6);
}

// The checks take the anchor force of the analysis the run makes: the
// tied-back example's tie-back acts from its installation in stage 2 with its
// prestress and axial load, and the check's force per anchor is the run's.
TEST(SectionAndAnchorChecks, AnchorForceIsTheRunsWithItsInstallationAndPrestress)
{
    const std::string wall = std::string(TORVIK_SOURCE_DIR) + "/examples/tied-back-sand-over-clay.tk4d";
    const TSettingsRead settings = ReadSettingsBeside(wall);
    ASSERT_TRUE(settings.found && settings.problem.empty());
    const checks::StageCheck s = checks::RunDesignChecks(WallFileReader::Read(wall), 1.5, settings.settings).stages.at(1);
    const RunOutcome run = EngineRun::Analyse(wall);
    ASSERT_TRUE(run.sections.at(1).Ok());
    const SpringResult& anchor = run.sections[1].result.springs.at(0);
    ASSERT_EQ(s.anchors.size(), 1u);
    ASSERT_TRUE(s.anchors[0].forcePerAnchor);
    EXPECT_NEAR(*s.anchors[0].forcePerAnchor, anchor.forcePerAnchor, 1e-9 * anchor.forcePerAnchor);
}

}  // namespace
