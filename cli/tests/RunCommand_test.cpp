// torvik-cli run: the engine called as the program calls it, on an example wall.
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// torvik-cli run, with its messages in the same stream as its summary.
CliRun RunCli(const std::string& arguments)
{
    return Cli("run " + arguments, ErrorStream::Merged);
}

TEST(RunCommand, AnalysesAnExampleAndReportsFailures)
{
    const fs::path dir = fs::temp_directory_path() / ("torvik-cli-run-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path wall = dir / "cantilever-sand.tk4d";
    fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples" / "cantilever-sand.tk4d", wall);

    CliRun ok = RunCli("'" + wall.string() + "'");
    EXPECT_EQ(ok.exitCode, 0) << ok.out;
    EXPECT_EQ(ok.out.rfind("Analysis: converged. Converged in ", 0), 0u) << ok.out;
    EXPECT_NE(ok.out.find("Section 1: maximum deflection "), std::string::npos) << ok.out;
    EXPECT_NE(ok.out.find(" in at depth 0 ft; maximum moment "), std::string::npos) << ok.out;
    EXPECT_TRUE(fs::exists(dir / "cantilever-sand.tk4p"));
    EXPECT_FALSE(fs::exists(fs::path(TORVIK_BIN_DIR) / "names.dat")) << "runs work in a folder of their own";

    std::ofstream(wall, std::ios::binary) << "Damaged\r\n1 0\t1\t0";
    CliRun bad = RunCli("'" + wall.string() + "'");
    EXPECT_EQ(bad.exitCode, 1) << bad.out;
    EXPECT_NE(bad.out.find("No plot data file was written."), std::string::npos) << bad.out;
    EXPECT_FALSE(fs::exists(dir / "cantilever-sand.tk4p"));

    CliRun missing = RunCli("'" + (dir / "none.tk4d").string() + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(RunCli("").exitCode, 2);
    fs::remove_all(dir);
}

// The engine library finds the settings file beside the data file: the
// tied-back example's anchor acts from stage 2 with its prestress, and the
// summary gives its force per metre and per anchor.
TEST(RunCommand, TheLibraryTakesTheSettingsBesideTheWall)
{
    const fs::path dir = fs::temp_directory_path() / ("torvik-cli-anchor-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* ext : {".tk4d", ".tk4s"})
        fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples" / (std::string("tied-back-sand-over-clay") + ext),
                      dir / (std::string("wall") + ext));
    CliRun run = RunCli("'" + (dir / "wall.tk4d").string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find("Stage 2: spring at node 6 (depth 1.2 m): force 97.0549 kN/m, 251.196 kN per anchor"),
              std::string::npos)
        << run.out;
    fs::remove_all(dir);
}

}  // namespace
