// torvik-cli run: the engine called as the program calls it, on an example wall.
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// Result files that cannot be replaced: the run says on both streams that it
// kept none of its results, and fails; a folder is not taken for a missing wall.
TEST(RunCommand, ResultsThatWereNotWrittenAreNotReported)
{
    const fs::path dir = fs::temp_directory_path() / ("torvik-cli-ro-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path wall = dir / "cantilever-sand.tk4d";
    fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples" / "cantilever-sand.tk4d", wall);
    ASSERT_EQ(Cli("run '" + wall.string() + "'").exitCode, 0);
    for (const char* ext : {".tk4o", ".tk4r", ".tk4p"})
        fs::permissions(fs::path(dir / "cantilever-sand").concat(ext), fs::perms::owner_read | fs::perms::group_read);

    const CliRun run = Cli("run '" + wall.string() + "'");
    EXPECT_EQ(run.exitCode, 1) << run.out;
    const std::string base = (dir / "cantilever-sand").string();
    EXPECT_EQ(run.out, "The results of this run were not written beside the wall.\nOutput text not written: " + base +
                           ".tk4o\nRun notes not written: " + base + ".tk4r\nPlot data not written: " + base +
                           ".tk4p\n");
    EXPECT_NE(run.err.find("write-protected\nWritten: none.\nNot written: "), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\r'), std::string::npos) << run.err;

    EXPECT_EQ(Cli("run '" + dir.string() + "'").err,
              "torvik-cli run: " + dir.string() + " is a folder, not a wall data file\n");
    EXPECT_EQ(Cli("check '" + dir.string() + "'").err,
              "torvik-cli check: " + dir.string() + " is a folder, not a wall data file\n");
    fs::remove_all(dir);
}

// A number beyond what the program holds in the settings file: every command
// names the settings file and its line, ignores it and works on the wall.
TEST(RunCommand, SettingsOutOfRangeAreReportedAndIgnoredByEveryCommand)
{
    const fs::path dir = fs::temp_directory_path() / ("torvik-cli-1e999-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path wall = dir / "wall.tk4d";
    fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples" / "tied-back-sand-over-clay.tk4d", wall);
    std::ofstream(dir / "wall.tk4s") << "{\n  \"torvik_wall_settings\": 1,\n  \"target_safety_factor\": 1e999\n}\n";
    const std::string problem = "The settings file " + (dir / "wall.tk4s").string() +
                                " is damaged at line 3: the number 1e999 lies outside -1.7976931E308 to 1.7976931E308.";

    const CliRun dump = Cli("dump '" + wall.string() + "'");
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_EQ(dump.err.rfind("torvik-cli dump: " + problem + " It is ignored", 0), 0u) << dump.err;
    const CliRun check = Cli("check '" + wall.string() + "'");
    EXPECT_NE(check.exitCode, 2) << check.err;
    EXPECT_EQ(check.err.find("cannot be read"), std::string::npos) << check.err;
    const CliRun run = RunCli("'" + wall.string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_TRUE(fs::exists(dir / "wall.tk4p"));
    std::ifstream notes(dir / "wall.tk4r");
    const std::string text((std::istreambuf_iterator<char>(notes)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(problem), std::string::npos) << text;
    fs::remove_all(dir);
}

}  // namespace
