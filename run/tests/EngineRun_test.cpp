// The whole engine: a data file written by the program's writer goes in, the
// plot data file, the output text and the run notes come out.
#include "engine/EngineRun.h"
#include "engine/ReportWriter.h"
#include "engine/tests/TestWall.h"
#include "model/BlockWriter.h"
#include "run/OutputTextOutline.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"
#include "verify/ClosedForms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A scratch directory per test and process, so that two test runs at once
// (two build trees) never share one.
class EngineFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("torvik-engine-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        files.dataFile = (dir / "wall.tk4d").string();
        files.outputText = (dir / "wall.tk4o").string();
        files.plotFile = (dir / "wall.tk4p").string();
        files.runNotes = (dir / "wall.tk4r").string();
    }
    void TearDown() override { if (!HasFailure()) fs::remove_all(dir); }

    // Runs the engine on the data file and checks what every run must satisfy.
    RunOutcome Run()
    {
        RunOutcome o = EngineRun::Run(files);
        EXPECT_TRUE(fs::exists(files.outputText));
        EXPECT_TRUE(fs::exists(files.runNotes));
        EXPECT_EQ(o.plotWritten, fs::exists(files.plotFile));
        for (const SectionRun& s : o.sections)
            if (s.Ok()) {
                EXPECT_LT(std::fabs(s.result.ForceResidual()), 1e-6) << s.heading;
                EXPECT_LT(std::fabs(s.result.MomentResidual()), 1e-6) << s.heading;
            }
        const std::string text = ReadAll(files.outputText) + ReadAll(files.plotFile);
        EXPECT_EQ(text.find("nan"), std::string::npos);
        EXPECT_EQ(text.find("INF"), std::string::npos);
        return o;
    }

    // Reads the plot data file with the program's reader.
    bool ReadPlot(TResultGraphs& graphs, int units, int marker = 0)
    {
        TPlotReadContext context;
        context.UnitSystem = NormalizeUnitSystem(units);
        context.LongTermMarker = marker;
        return ReadPlotFile(graphs, files.plotFile, false, context, nullptr);
    }

    fs::path dir;
    RunFiles files;
};

using namespace closedform;

class WholeEngine : public EngineFiles, public ::testing::WithParamInterface<WholeCase> {
protected:
    double Value(int n)
    {
        const WholeCase& c = GetParam();
        {
            Beam b(n, c.length);
            c.setup(b);
            b.wall.Save(files.dataFile);
        }
        RunOutcome o = Run();
        EXPECT_TRUE(o.plotWritten) << ReadAll(files.runNotes);
        TResultGraphs graphs;
        EXPECT_TRUE(ReadPlot(graphs, 2));
        if (!c.moment)
            return static_cast<double>(graphs.Deflection.Points(0, 0).X);
        double largest = 0;
        for (const TFloatPoint& p : graphs.Moment.Lines(0).Points)
            largest = std::max(largest, static_cast<double>(p.X));
        return largest;
    }
};

TEST_P(WholeEngine, ClosedFormWithinHalfPercentAndSecondOrder)
{
    const WholeCase& c = GetParam();
    const double e100 = std::fabs(Value(100) / c.exact - 1);
    const double e200 = std::fabs(Value(200) / c.exact - 1);
    EXPECT_LT(e200, 0.005);
    if (!c.moment && e200 > 1e-6) {
        EXPECT_NEAR(e100 / e200, 4.0, 0.6);
    }
}

INSTANTIATE_TEST_SUITE_P(ClosedForms, WholeEngine, ::testing::ValuesIn(WholeCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// A cantilever sheet-pile wall in sand, SI: 6 m retained, 12 m long.
void SandWall(TestWall& w)
{
    w.Stiffness(0, w.wall->NodeCount, 40000);
    w.Generated(TEarthPressure::Triangular, 6.0, 1.0, 1.0);
    w.Layer(4, 20.0, {18, 32, 20000}, {18, 32, 20000});
    w.wall->MaxDeflection = 2.0;
    w.wall->ClosureTolerance = 1e-6;
}

struct Hostile {
    const char* name;
    std::function<void(TestWall&)> setup;
    std::string message;  // the whole message of the section (empty: only "no plot file")
};

const Hostile HostileWalls[] = {
    {"EiMissingBelowNode4", [](TestWall& w) { w.Stiffness(0, 4, EI); w.Load(0, 0, P); },
     "Analysis: Values of Flexural Stiffness (EI) must be specified for all nodes of the wall. Node 5 has none."},
    {"ZeroEi", [](TestWall& w) { w.Stiffness(0, 10, 0); w.Load(0, 0, P); },
     "Analysis: Values of Flexural Stiffness (EI) must be specified for all nodes of the wall. Node 0 has EI 0."},
    {"NoSoilNoSupport", [](TestWall& w) { w.Stiffness(0, 10, EI); w.Load(0, 0, P); },
     "The wall is not held: the equations have no unique solution (no soil resistance, springs or restraints that "
     "stop it from moving or rotating freely)."},
    {"WallAboveExcavation",
     [](TestWall& w) {
         w.Stiffness(0, 10, EI);
         w.Spring(0, 10, K);
         w.wall->WallHeight = 10;
     },
     "Analysis: Excavation depth: the wall (length 10) must be longer than the excavation depth 10."},
    {"EnormousLoad",
     [](TestWall& w) {
         w.Stiffness(0, 10, EI);
         w.Spring(0, 10, K);
         w.Load(0, 0, 1e15);
         w.wall->MaxDeflection = 100;
     },
     "Excessive deflection: 6.40123E12 at node 0 in iteration 1 exceeds the maximum allowable deflection 100; the "
     "soil cannot hold the wall."},
    {"TooManyIncrements", [](TestWall& w) { w.wall->NodeCount = 301; w.Stiffness(0, 301, EI); },
     "Analysis: Number of increments: 301 lies outside 1 to 300."},
    {"NodeOutsideTheWall", [](TestWall& w) { w.Stiffness(0, 10, EI); w.Load(0, 50, P); },
     "Analysis: Concentrated loads, row 1: node 50 lies outside the wall (nodes 0 to 10)."},
    {"WaterInGenericUnits",
     [](TestWall& w) {
         w.wall->SwitchUnits(UnitSystem::Generic);
         SandWall(w);
         w.wall->WallHeight = 4;
     },
     "Analysis: A water table lies within the wall, but water pressure cannot be computed in the generic unit "
     "system (it has no unit weight of water): set the water depths below the wall's tip."},
    {"SlopeSteeperThanFriction",
     [](TestWall& w) {
         SandWall(w);
         w.wall->WallHeight = 4;
         w.wall->BackfillSlope = 40;
     },
     "Analysis: Soil layer 1 (Sand): the backfill slope (40 degrees) is steeper than the friction angle (32 degrees)."},
    {"RestraintOutsideTheWall", [](TestWall& w) { w.Stiffness(0, 10, EI); w.Restraint(1, 11, 0); },
     "Analysis: Deflection and slope restraints, row 1: node 11 lies outside the wall (nodes 0 to 10)."},
};

class HostileWall : public EngineFiles, public ::testing::WithParamInterface<Hostile> {};

TEST_P(HostileWall, ClearMessageAndNoPlotFile)
{
    const Hostile& c = GetParam();
    {
        TestWall w(UnitSystem::SI, 10, 1.0);
        c.setup(w);
        w.Save(files.dataFile);
    }
    WriteText(files.plotFile, "stale");
    RunOutcome o = Run();
    EXPECT_FALSE(o.plotWritten);
    EXPECT_FALSE(fs::exists(files.plotFile));
    ASSERT_EQ(o.sections.size(), 1u);
    EXPECT_FALSE(o.sections[0].Ok());
    const std::string message = o.sections[0].built ? o.sections[0].result.message : o.sections[0].error;
    if (!c.message.empty()) {
        EXPECT_EQ(message, c.message);
    }
    EXPECT_NE(ReadAll(files.outputText).find(message), std::string::npos);
    EXPECT_NE(ReadAll(files.runNotes).find(message), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Degenerate, HostileWall, ::testing::ValuesIn(HostileWalls),
                         [](const auto& info) { return std::string(info.param.name); });

// A file cut in half, or one whose earth-pressure option names none of the
// four (which would run as a wall without earth pressure), is not analysed.
TEST_F(EngineFiles, DamagedFileIsAReadError)
{
    {
        TestWall w(UnitSystem::SI, 50, 0.24);
        SandWall(w);
        w.Save(files.dataFile);
    }
    const std::string text = ReadAll(files.dataFile);
    std::string unknownOption = text;
    const std::size_t header = text.find("\r\n") + 2;
    ASSERT_EQ(text.substr(header, 10), "2 0\t1\t0\t2\t");
    unknownOption[header + 8] = '4';
    for (const std::string& damaged : {text.substr(0, text.size() / 2), unknownOption}) {
        WriteText(files.dataFile, damaged);
        RunOutcome o = Run();
        EXPECT_FALSE(o.plotWritten);
        EXPECT_TRUE(o.sections.empty());
        EXPECT_EQ(o.fileError.rfind("The data file " + files.dataFile + " cannot be read: ", 0), 0u) << o.fileError;
        EXPECT_NE(ReadAll(files.runNotes).find("ERROR reading the data file"), std::string::npos);
    }
}

TEST_F(EngineFiles, MissingDataFileIsReported)
{
    RunOutcome o = Run();
    EXPECT_FALSE(o.plotWritten);
    EXPECT_FALSE(o.fileError.empty());
}

TEST_F(EngineFiles, CantileverInSandConvergesWithCurvesInThePlot)
{
    {
        TestWall w(UnitSystem::SI, 60, 0.2);
        SandWall(w);
        w.Save(files.dataFile);
    }
    RunOutcome o = Run();
    ASSERT_TRUE(o.plotWritten) << ReadAll(files.runNotes);
    const SectionResult& r = o.sections.at(0).result;
    EXPECT_GT(r.Iterations(), 2);
    EXPECT_GT(r.y.front(), 0);  // toward the excavation
    TResultGraphs graphs;
    ASSERT_TRUE(ReadPlot(graphs, 2));
    EXPECT_EQ(graphs.PyCurves.LineCount(), 30);  // nodes below 6 m down to 12 m
    EXPECT_EQ(graphs.Deflection.Lines(0).PointCount(), 61);
    EXPECT_NEAR(static_cast<double>(graphs.Deflection.Points(0, 0).X), r.y.front(), 1e-7 * std::fabs(r.y.front()));  // 8 digits
    const std::string report = ReadAll(files.outputText);
    EXPECT_NE(report.find("Largest deflection:"), std::string::npos);
    EXPECT_NE(report.find("Sum of lateral forces:"), std::string::npos);
}

TEST_F(EngineFiles, SoftClayPileConvergesToTheSolutionInFewIterations)
{
    // A 20 m pile in soft clay with 100 kN at the head: the tangent steps near the
    // end leave the result far closer to the solution than the closure tolerance.
    auto pile = [this](double tolerance) {
        {
            TestWall w(UnitSystem::SI, 200, 0.1);
            w.Stiffness(0, 200, 2e5);
            w.Generated(TEarthPressure::None, 0.0, 0.6, 0.6);
            w.wall->WaterDepthBackfill = w.wall->WaterDepthExcavation = 0;
            w.wall->MaxDeflection = 2.0;
            w.wall->ClosureTolerance = tolerance;
            w.Load(0, 0, 100);
            w.Layer(1, 30.0, {17, 20, 0.02, 0}, {18, 60, 0.01, 0});
            w.Save(files.dataFile);
        }
        RunOutcome o = Run();
        EXPECT_TRUE(o.plotWritten) << ReadAll(files.runNotes);
        return o.sections.at(0).result;
    };
    const SectionResult usual = pile(1e-6), tight = pile(1e-12);
    ASSERT_EQ(usual.y.size(), tight.y.size());
    EXPECT_LE(usual.Iterations(), 12);
    // The history names the rule of each step: secant steps first, tangent steps at the end.
    EXPECT_EQ(usual.history.front().rule, StepRule::Secant);
    EXPECT_EQ(usual.history.back().rule, StepRule::Tangent);
    for (size_t m = 0; m < usual.y.size(); ++m)
        EXPECT_NEAR(usual.y[m], tight.y[m], 1e-8) << "node " << m;
}

TEST_F(EngineFiles, ShortAndLongTermGiveTwoSections)
{
    {
        TestWall w(UnitSystem::SI, 60, 0.2);
        SandWall(w);
        w.Layer(4, 20.0, {18, 28, 10000}, {18, 28, 10000}, WallTable::LongSoil);
        w.wall->LongTermAnalysis = true;
        w.Save(files.dataFile);
    }
    RunOutcome o = Run();
    ASSERT_TRUE(o.plotWritten) << ReadAll(files.runNotes);
    ASSERT_EQ(o.sections.size(), 2u);
    EXPECT_EQ(o.sections[0].heading, "Short-term case");
    EXPECT_EQ(o.sections[1].heading, "Long-term case");
    // The weaker long-term sand lets the wall deflect more.
    EXPECT_GT(o.sections[1].result.y.front(), o.sections[0].result.y.front());
    TResultGraphs graphs;
    ASSERT_TRUE(ReadPlot(graphs, 2, 9));
    EXPECT_EQ(graphs.Deflection.LineCount(), 2);
    EXPECT_EQ(graphs.Deflection.Lines(1).Name, "Long-Term");
}

TEST_F(EngineFiles, StagedExcavationAnalysesEveryStage)
{
    {
        TestWall w(UnitSystem::SI, 60, 0.2);
        SandWall(w);
        WriteText(files.dataFile, w.StagedText(3, [](TProgramData& wall, int k) { wall.WallHeight = 2.0 * k; }));
    }
    RunOutcome o = Run();
    ASSERT_TRUE(o.plotWritten) << ReadAll(files.runNotes);
    ASSERT_EQ(o.sections.size(), 3u);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(o.sections[k].heading, "Stage " + std::to_string(k + 1) + " of 3");
    EXPECT_LT(o.sections[0].result.y.front(), o.sections[1].result.y.front());
    EXPECT_LT(o.sections[1].result.y.front(), o.sections[2].result.y.front());
    TResultGraphs graphs;
    ASSERT_TRUE(ReadPlot(graphs, 2));
    EXPECT_EQ(graphs.Deflection.LineCount(), 3);
    EXPECT_EQ(graphs.Deflection.Lines(2).Name, "Stage: 3");
}

TEST_F(EngineFiles, AnInputErrorInALaterStageWritesNoPlotFile)
{
    {
        TestWall w(UnitSystem::SI, 60, 0.2);
        SandWall(w);
        WriteText(files.dataFile, w.StagedText(2, [](TProgramData& wall, int k) { wall.WallHeight = k == 1 ? 4 : 12; }));
    }
    RunOutcome o = Run();
    EXPECT_FALSE(o.plotWritten);
    ASSERT_EQ(o.sections.size(), 2u);
    EXPECT_TRUE(o.sections[0].Ok());
    EXPECT_EQ(o.sections[1].error,
              "Stage 2 of 2: Excavation depth: the wall (length 12) must be longer than the excavation depth 12.");
}

}  // namespace

namespace {

// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(EngineFiles, ReportAndNotesStateInputsChoicesAndResults)
{
    {
        TestWall w(UnitSystem::SI, 10, 0.5);
        w.wall->Title = "Strutted beam";
        w.Stiffness(0, 10, 1000);
        w.Spring(0, 0, 500);
        w.Spring(10, 10, 500);
        w.Load(5, 5, 2.0);
        w.Save(files.dataFile);
    }
    RunOutcome o = Run();
    ASSERT_TRUE(o.plotWritten);
    const std::vector<std::string> report = Lines(ReadAll(files.outputText));
    for (const char* line :
         {"Title:         Strutted beam", "Units:         SI (kN, m)", "Number of increments:              10",
          "Increment length:                  0.5 m", "Wall length:                       5 m", "Earth pressure: none.",
          "p-y curves: none (no soil resistance).", "Status: converged. Converged in 2 iterations.",
          // Symmetric: each strut takes half the load.
          "Node 0 (depth 0 m): force -1 kN/m, moment 0 kN-m/m", "Node 10 (depth 5 m): force -1 kN/m, moment 0 kN-m/m",
          // The shear steps by each strut's force: 0 above the top one, 0 below the tip one.
          "  shear just above the spring 0 kN, just below -1 kN", "  shear just above the spring 1 kN, just below 0 kN",
          // P L / 4, sagging toward the excavation: y'' < 0.
          "Largest positive moment:   none", "Largest negative moment:   -2.5 kN-m/m at node 5, depth 2.5 m",
          "Analysis: converged. Converged in 2 iterations.", "The plot data file was written."})
        EXPECT_TRUE(HasLine(report, line)) << line;
    const std::vector<std::string> notes = Lines(ReadAll(files.runNotes));
    for (const char* line : {"Status per analysis:", "Analysis: converged. Converged in 2 iterations.",
                             "Plot data file written."})
        EXPECT_TRUE(HasLine(notes, line)) << line;
    EXPECT_TRUE(HasLine(notes, "Data file:   " + files.dataFile));
}

}  // namespace

namespace {

// The writer's output text read back by the reader the calculation report uses:
// every heading the report looks for is found where the report looks for it.
TEST_F(EngineFiles, TheReportFindsEveryHeadingTheWriterWrites)
{
    {
        TestWall w(UnitSystem::SI, 60, 0.2);
        w.wall->Title = "Round trip";
        w.Stiffness(0, 60, 40000);
        w.Generated(TEarthPressure::Triangular, 4.0, 1.0, 1.0);
        w.wall->MaxDeflection = 2.0;
        w.wall->ClosureTolerance = 1e-6;
        w.Spring(5, 5, 20000);
        w.Restraint(1, 60, 0.0);
        w.Load(10, 10, 0, 5.0);  // a couple at an interior node: a moment jump
        w.Layer(4, 20.0, {18, 32, 20000}, {18, 32, 20000});
        w.Save(files.dataFile);
    }
    const RunOutcome o = Run();
    ASSERT_TRUE(o.plotWritten) << ReadAll(files.runNotes);
    const OutputTextOutline text = ParseOutputText(ReadAll(files.outputText));
    EXPECT_EQ(text.Field(outputtext::Title), "Round trip");
    EXPECT_EQ(text.Field(outputtext::Units), "SI (kN, m)");
    EXPECT_EQ(text.Field(outputtext::Engine).rfind("TORVIK engine", 0), 0u);
    EXPECT_FALSE(text.Field(outputtext::RunStarted).empty());
    ASSERT_EQ(text.sections.size(), 2u);  // the front matter and the one analysis
    EXPECT_NE(text.sections[0].Find(outputtext::Method), nullptr);
    const OutputTextSection& s = text.sections[1];
    EXPECT_EQ(s.name, o.sections.at(0).heading);
    for (const char* heading : {outputtext::InputUsed, outputtext::ChoicesMade, outputtext::Iterations,
                                outputtext::Maxima, outputtext::SpringForces, outputtext::RestraintReactions,
                                outputtext::MomentJumps, outputtext::Equilibrium})
        EXPECT_NE(s.Find(heading), nullptr) << heading;
    ASSERT_NE(s.Find(outputtext::Equilibrium), nullptr);
    EXPECT_EQ(s.Find(outputtext::Equilibrium)->lines.front().rfind("Sum of lateral forces:", 0), 0u);
    EXPECT_FALSE(text.summary.lines.empty());
    EXPECT_EQ(text.summary.lines.front(), ReportWriter::StatusLine(o.sections.at(0)));
}

}  // namespace
