// Property: a wall read by the program (which pads every table to its minimum
// rows for the editor) and saved again analyses exactly as the wall did.
#include "engine/EngineRun.h"
#include "engine/tests/TestWall.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A 10 m SI wall on 40 increments in sand, 3 m excavation; `fewer` then leaves
// one table with fewer rows than its minimum.
std::string WallText(std::mt19937& random, const std::function<void(TestWall&, std::mt19937&)>& fewer)
{
    TestWall w(UnitSystem::SI, 40, 0.25);
    w.Stiffness(0, 40, 2e4);
    w.Generated(TEarthPressure::Triangular, 3.0, 1.0, 1.0);
    w.wall->MaxDeflection = 5;
    w.wall->ClosureTolerance = 1e-6;
    w.wall->WaterDepthBackfill = 2;
    w.wall->WaterDepthExcavation = 3;
    w.Layer(4, 20, {18, 32, 20000}, {18, 32, 20000});
    fewer(w, random);
    return w.Text();
}

double Uniform(std::mt19937& random, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random);
}

void Write(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The wall as the program opens and saves it.
std::string OpenedAndSaved(const fs::path& path)
{
    BatchHost host;
    return TProgramData::CreateFromFile(host, path.string(), TFileLayout::Current)->DataFileText();
}

void ExpectSameAnalyses(const RunOutcome& a, const RunOutcome& b, const std::string& what)
{
    ASSERT_EQ(a.fileError, b.fileError) << what;
    ASSERT_EQ(a.sections.size(), b.sections.size()) << what;
    for (size_t i = 0; i < a.sections.size(); ++i) {
        const SectionRun &x = a.sections[i], &y = b.sections[i];
        EXPECT_EQ(x.error, y.error) << what;
        EXPECT_EQ(x.result.status, y.result.status) << what;
        EXPECT_EQ(x.result.message, y.result.message) << what;
        EXPECT_EQ(x.input.q, y.input.q) << what;
        EXPECT_EQ(x.result.y, y.result.y) << what;
        EXPECT_EQ(x.result.moment, y.result.moment) << what;
    }
}

struct FewerRows {
    const char* table;
    std::function<void(TestWall&, std::mt19937&)> make;
};

const FewerRows Cases[] = {
    {"PileSect (no stiffness)", [](TestWall& w, std::mt19937&) { w.Table(WallTable::PileSect).SetRowCount(0); }},
    {"PYMod (one row)",
     [](TestWall& w, std::mt19937& r) {
         w.wall->UsePyModifiers = true;
         w.AddRow(WallTable::PYMod, {{0, Uniform(r, 0, 10)}, {1, Uniform(r, 0.3, 1.5)}, {2, Uniform(r, 0.5, 2)}}, {});
     }},
    {"PYCurves (one curve)",
     [](TestWall& w, std::mt19937& r) {
         const double p = Uniform(r, 5, 50), y = Uniform(r, 0.005, 0.05);
         w.ExternalCurve(std::uniform_int_distribution<int>(12, 40)(r), {{-y, p}, {0, 0}, {y, -p}});
         w.wall->GeneratePyCurves = r() % 2 == 0;  // p-y option 2 or 1
     }},
    {"DistLoad (one row)", [](TestWall& w, std::mt19937& r) { w.UserLoad(Uniform(r, 0, 10), Uniform(r, 1, 20)); }},
    {"NewSoil (no layers)",
     [](TestWall& w, std::mt19937& r) {
         w.Table(WallTable::NewSoil).SetRowCount(0);
         w.Spring(0, 40, Uniform(r, 100, 1000));
     }},
    {"LongSoil and LongDist (none)",
     [](TestWall& w, std::mt19937& r) {
         w.wall->LongTermAnalysis = true;
         if (r() % 2 == 0)
             w.UserLoad(Uniform(r, 0, 10), Uniform(r, 1, 20));
     }},
};

TEST(SavedWall, AnalysesAsBeforeWhenTablesHoldFewerRowsThanTheEditorShows)
{
    const fs::path dir = fs::temp_directory_path() / ("torvik-engine-saved-wall-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path first = dir / "first.tk4d", second = dir / "second.tk4d";
    for (const FewerRows& c : Cases) {
        for (unsigned seed = 1; seed <= 8; ++seed) {
            std::mt19937 random(seed);
            Write(first, WallText(random, c.make));
            const RunOutcome before = EngineRun::Analyse(first.string());
            Write(second, OpenedAndSaved(first));
            ExpectSameAnalyses(before, EngineRun::Analyse(second.string()), std::string(c.table) + ", seed " + std::to_string(seed));
        }
    }
    fs::remove_all(dir);
}

}  // namespace
