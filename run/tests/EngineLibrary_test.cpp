// The engine library as the program uses it: loaded from a program directory by
// its path, called with 6 through names.dat, released; many times in one process.
#include "engine/tests/TestWall.h"
#include "run/AnalysisRun.h"
#include "run/DynamicLibrary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A program directory of its own with a copy of the built library, and the
// working directory restored afterwards.
class EngineLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        cwd = fs::current_path();
        dir = fs::temp_directory_path() /
              ("torvik-library-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "bin");
        fs::copy_file(fs::path(TORVIK_BIN_DIR) / EngineLibraryName, dir / "bin" / EngineLibraryName);
        data = (dir / "wall.tk4d").string();
        TestWall w(UnitSystem::SI, 40, 0.25);
        w.Stiffness(0, 40, 1e4);
        w.Generated(TEarthPressure::Triangular, 3.0, 1.0, 1.0);
        w.Layer(4, 20, {18, 32, 20000}, {18, 32, 20000});
        w.wall->MaxDeflection = 1;
        w.wall->ClosureTolerance = 1e-6;
        w.Save(data);
    }
    void TearDown() override
    {
        fs::current_path(cwd);
        fs::remove_all(dir);
    }

    fs::path cwd, dir;
    std::string data;
};

TEST_F(EngineLibrary, ExportsOnlyTheEntryPoint)
{
    DynamicLibrary library((dir / "bin" / EngineLibraryName).string());
    ASSERT_TRUE(library.Loaded());
    EXPECT_NE(library.Symbol("_ITORVIK"), nullptr);
    EXPECT_EQ(library.Symbol("_ZN9EngineRun3RunERK8RunFiles"), nullptr);
    EXPECT_EQ(library.Symbol("_Z13FormatGeneraleii"), nullptr);
    EXPECT_EQ(library.Symbol("ITORVIK"), nullptr);
}

TEST_F(EngineLibrary, LoadCallReleaseManyTimesGivesTheSameResults)
{
    std::string first;
    const fs::path before = fs::current_path();
    for (int i = 0; i < 25; ++i) {
        ASSERT_EQ(CallEngine(data, (dir / "bin").string()), TEngineCall::Completed);
        const std::string plot = ReadAll(dir / "wall.tk4p");
        ASSERT_FALSE(plot.empty()) << ReadAll(dir / "wall.tk4r");
        if (i == 0)
            first = plot;
        EXPECT_EQ(plot, first) << "call " << i;
        EXPECT_FALSE(fs::exists(dir / "bin" / "names.dat"));
        EXPECT_EQ(fs::current_path(), before) << "the run gives the working directory back";
    }
}

// Each run has its folder and its library to itself and leaves the working
// directory alone: two walls analysed at once in two threads come out as each
// does alone.
TEST_F(EngineLibrary, TwoRunsSideBySideEachGiveTheirOwnResults)
{
    fs::create_directories(dir / "other");
    const std::string second = (dir / "other" / "anchored.tk4d").string();
    TestWall w(UnitSystem::SI, 56, 0.25);
    BuildAnchoredSoftClay(w);
    w.Save(second);
    const std::string walls[] = {data, second};
    std::string alone[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(CallEngine(walls[i], (dir / "bin").string()), TEngineCall::Completed);
        alone[i] = ReadAll(ReplaceExtension(walls[i], ".tk4p"));
        ASSERT_FALSE(alone[i].empty()) << ReadAll(ReplaceExtension(walls[i], ".tk4r"));
        fs::remove(ReplaceExtension(walls[i], ".tk4p"));
    }
    ASSERT_NE(alone[0], alone[1]);

    const fs::path before = fs::current_path();
    TEngineCall calls[2] = {TEngineCall::LoadFailed, TEngineCall::LoadFailed};
    std::thread threads[2];
    for (int i = 0; i < 2; ++i)
        threads[i] = std::thread([&, i] {
            for (int k = 0; k < 5; ++k)
                calls[i] = CallEngine(walls[i], (dir / "bin").string());
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(fs::current_path(), before);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(calls[i], TEngineCall::Completed) << walls[i];
        EXPECT_EQ(ReadAll(ReplaceExtension(walls[i], ".tk4p")), alone[i]) << walls[i];
        EXPECT_NE(ReadAll(ReplaceExtension(walls[i], ".tk4o")).find(walls[i]), std::string::npos) << walls[i];
    }
}

TEST_F(EngineLibrary, StaleOutputsAreDeletedWhenTheAnalysisFails)
{
    ASSERT_EQ(CallEngine(data, (dir / "bin").string()), TEngineCall::Completed);
    ASSERT_TRUE(fs::exists(dir / "wall.tk4p"));
    std::ofstream(data, std::ios::binary) << "Cut\r\n2 0\t1";  // a damaged file
    ASSERT_EQ(CallEngine(data, (dir / "bin").string()), TEngineCall::Completed);
    EXPECT_FALSE(fs::exists(dir / "wall.tk4p"));
    EXPECT_NE(ReadAll(dir / "wall.tk4r").find("ERROR reading the data file"), std::string::npos);
}

TEST_F(EngineLibrary, MissingLibraryIsReportedAndLeavesNoNamesFile)
{
    fs::remove(dir / "bin" / EngineLibraryName);
    EXPECT_EQ(CallEngine(data, (dir / "bin").string()), TEngineCall::LoadFailed);
    EXPECT_FALSE(fs::exists(dir / "bin" / "names.dat"));
    EXPECT_FALSE(fs::exists(dir / "wall.tk4o"));
}

TEST_F(EngineLibrary, WithoutNamesFileTheEngineWritesNothing)
{
    {
        DynamicLibrary library((dir / "bin" / EngineLibraryName).string());
        ASSERT_TRUE(library.Loaded());
        auto entry = reinterpret_cast<void (*)(int)>(library.Symbol("_ITORVIK"));
        ASSERT_NE(entry, nullptr);
        fs::current_path(dir / "bin");
        entry(6);  // no names.dat: returns quietly
    }
    EXPECT_FALSE(fs::exists(dir / "wall.tk4o"));
}

}  // namespace
