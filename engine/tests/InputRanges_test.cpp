// The ranges of the engine's inputs: an input beyond what the method can
// compute is an input error naming it, never a curve or result of infinity.
#include "engine/EngineRun.h"
#include "engine/InputRanges.h"
#include "engine/tests/TestWall.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A cantilever sheet pile in soft clay, SI: 4 m retained, 10 m long.
void ClayWall(TestWall& w)
{
    w.Stiffness(0, w.wall->NodeCount, 40000);
    w.Generated(TEarthPressure::Triangular, 4.0, 1.0, 1.0);
    w.Layer(1, 20.0, {18, 60, 0.01, 0}, {18, 60, 0.01, 0});
    w.wall->MaxDeflection = 2.0;
    w.wall->ClosureTolerance = 1e-6;
}

// The outcome of analysing the wall that `setup` makes.
RunOutcome Analyse(const std::function<void(TestWall&)>& setup)
{
    const fs::path file = fs::temp_directory_path() / ("torvik-ranges-" + std::to_string(getpid()) + ".tk4d");
    {
        TestWall w(UnitSystem::SI, 10, 1.0);
        ClayWall(w);
        setup(w);
        w.Save(file.string());
    }
    RunOutcome outcome = EngineRun::Analyse(file.string());
    fs::remove(file);
    return outcome;
}

struct OutOfRange {
    const char* name;
    std::function<void(TestWall&)> setup;
    const char* message;
};

void PrintTo(const OutOfRange& c, std::ostream* os)
{
    *os << c.name;
}

class InputOutOfRange : public ::testing::TestWithParam<OutOfRange> {};

TEST_P(InputOutOfRange, IsAnInputErrorNamingTheItem)
{
    const RunOutcome o = Analyse(GetParam().setup);
    ASSERT_EQ(o.sections.size(), 1u);
    EXPECT_FALSE(o.sections[0].built);
    EXPECT_EQ(o.sections[0].error, GetParam().message);
}

// Each of these passed the engine's own checks before and gave pu = INF, a
// spacing factor of INF or a wall reported as unstable for want of soil.
INSTANTIATE_TEST_SUITE_P(
    Reproducers, InputOutOfRange,
    ::testing::Values(
        OutOfRange{"HugeWidth", [](TestWall& w) { w.wall->PyWidth = 1e308; },
                   "Analysis: Width for p-y curves (Wp): 1E308 lies outside 0.001 to 1000 m."},
        OutOfRange{"TinyWidth", [](TestWall& w) { w.wall->PyWidth = 1e-300; },
                   "Analysis: Width for p-y curves (Wp): 1E-300 lies outside 0.001 to 1000 m."},
        OutOfRange{"HugePMultiplier",
                   [](TestWall& w) { w.ExternalCurve(6, {{-1, 10}, {0, 0}, {1, -10}}, 1e308); },
                   "Analysis: External p-y curves, row 1: the p-multiplier: 1E308 lies outside 0 to 1000."},
        OutOfRange{"HugeCohesion",
                   [](TestWall& w) {
                       w.Table(WallTable::NewSoil).Cell(2, 0).AsTable()->Cell(1, 0).SetAsFloat(1e30);
                   },
                   "Analysis: Soil layer 1 (Soft Clay), top: the cohesive strength: 1E30 lies outside 0 to 1E12 "
                   "kN/m^2."},
        OutOfRange{"TinyE50",
                   [](TestWall& w) {
                       w.Table(WallTable::NewSoil).Cell(2, 0).AsTable()->Cell(2, 1).SetAsFloat(1e-200);
                   },
                   "Analysis: Soil layer 1 (Soft Clay), bottom: E50: 1E-200 lies outside 1E-6 to 1."},
        OutOfRange{"HugeDeflectionLimit", [](TestWall& w) { w.wall->MaxDeflection = 1e300; },
                   "Analysis: Maximum allowable deflection: 1E300 must lie above 0 and at most 1E6 m."}),
    [](const auto& info) { return std::string(info.param.name); });

// The largest inputs of every range still give finite curves and results.
TEST(InputRanges, TheEdgesOfTheRangesStayFinite)
{
    const RunOutcome o = Analyse([](TestWall& w) {
        w.wall->PyWidth = 1000;
        w.wall->ActiveWidth = 0.001;
        TGridTable* clay = w.Table(WallTable::NewSoil).Cell(2, 0).AsTable();
        for (int row : {0, 1}) {
            clay->Cell(0, row).SetAsFloat(1000);
            clay->Cell(1, row).SetAsFloat(1e12);
            clay->Cell(2, row).SetAsFloat(1e-6);
            clay->Cell(3, row).SetAsFloat(1e12);
        }
        w.ExternalCurve(8, {{-1e6, 1e15}, {0, 0}, {1e6, -1e15}}, 1000, 0.001);
    });
    ASSERT_EQ(o.sections.size(), 1u);
    const SectionRun& s = o.sections[0];
    EXPECT_TRUE(s.built) << s.error;
    if (s.result.status == SolveStatus::Converged) {
        for (double v : s.result.y)
            EXPECT_TRUE(std::isfinite(v));
    }
}

TEST(InputRanges, AResultThatIsNotANumberIsNeverConverged)
{
    SectionResult r;
    r.status = SolveStatus::Converged;
    r.y = {0, 1};
    r.moment = {0, 2, std::numeric_limits<double>::infinity()};
    CheckResultsFinite(r);
    EXPECT_EQ(r.status, SolveStatus::NotConverged);
    EXPECT_EQ(r.message, "The analysis gave no usable result: the moment at node 2 is not a finite number.");
    EXPECT_FALSE(r.Ok());
}

}  // namespace
