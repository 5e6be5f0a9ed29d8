// The file names of a run and names.dat.
#include "run/AnalysisRun.h"

#include "units/TorvikError.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

struct Extension {
    const char* name;
    const char* replaced;
};

class ReplaceExtensionTest : public ::testing::TestWithParam<Extension> {};

TEST_P(ReplaceExtensionTest, ReplacesFromTheLastDotOfTheFileName)
{
    EXPECT_EQ(ReplaceExtension(GetParam().name, ".tk4p"), GetParam().replaced);
}

INSTANTIATE_TEST_SUITE_P(Names, ReplaceExtensionTest,
                         ::testing::Values(Extension{"/w/wall.tk4d", "/w/wall.tk4p"},
                                           Extension{"/w/wall", "/w/wall.tk4p"},
                                           Extension{"/w.x/wall", "/w.x/wall.tk4p"},
                                           Extension{"/w/a.b.tk4d", "/w/a.b.tk4p"},
                                           Extension{"C:\\w.x\\wall", "C:\\w.x\\wall.tk4p"}));

TEST(NamesFile, FourLinesEndedByCrLf)
{
    EXPECT_EQ(NamesFileText("/home/e/wall.tk4d"),
              "/home/e/wall.tk4d\r\n/home/e/wall.tk4o\r\n/home/e/wall.tk4p\r\n/home/e/wall.tk4r\r\n");
    EXPECT_EQ(NamesFileText("/home/e/wall"),
              "/home/e/wall\r\n/home/e/wall.tk4o\r\n/home/e/wall.tk4p\r\n/home/e/wall.tk4r\r\n");
}

TEST(AnalysisRunMessages, AreTheProgramsTexts)
{
    EXPECT_STREQ(EngineLibraryName, "Torvik2013_DLL.DLL");
    EXPECT_STREQ(InitializeFailedMessage, "Attempt to initialize DLL failed");
    EXPECT_STREQ(ReinitializeMessage, "Attempt to reinitialize DLL");
    EXPECT_STREQ(CompletedMessage,
                 "Computations are completed. Please, check output file for results or error messages.");
}

// The run notes' status block summed up: every analysis converged, or not
// every one, each line kept with its iterations or its reason.
TEST(RunStatus, SaysWhetherEveryAnalysisConverged)
{
    EXPECT_EQ(RunStatusSummary({}), "");
    EXPECT_EQ(RunStatusSummary({"Stage 1 of 2: converged. Converged in 3 iterations.",
                                "Stage 2 of 2: converged. Converged in 5 iterations."}),
              "Every analysis converged:\rStage 1 of 2: converged. Converged in 3 iterations.\r"
              "Stage 2 of 2: converged. Converged in 5 iterations.");
    EXPECT_EQ(RunStatusSummary({"Short-term: converged. Converged in 4 iterations.",
                                "Long-term: excessive deflection. A deflection passed the maximum allowable."}),
              "Not every analysis converged:\rShort-term: converged. Converged in 4 iterations.\r"
              "Long-term: excessive deflection. A deflection passed the maximum allowable.");
}

TEST(CallEngine, WorksInAFolderOfItsOwnAndReturnsToTheWorkingDirectory)
{
    namespace fs = std::filesystem;
    // A program directory without an engine: the call fails to load it, but
    // names.dat was written in the run folder, never in the program's or the
    // user's directory, and the working directory is given back.
    const fs::path home = fs::temp_directory_path() / ("torvik-run-test-home-" + std::to_string(getpid()));
    const fs::path program = fs::temp_directory_path() / ("torvik-run-test-program-" + std::to_string(getpid()));
    fs::create_directories(home);
    fs::create_directories(program);
    const fs::path before = fs::current_path();
    fs::current_path(home);
    EXPECT_EQ(CallEngine("wall.tk4d", program.string()), TEngineCall::LoadFailed);
    EXPECT_EQ(fs::current_path(), home);
    EXPECT_FALSE(fs::exists(home / "names.dat"));
    EXPECT_FALSE(fs::exists(program / "names.dat"));
    fs::current_path(before);
    fs::remove_all(home);
    fs::remove_all(program);
}

}  // namespace
