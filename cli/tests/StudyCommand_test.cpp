// torvik-cli study: shards run as separate processes and merged give the rows
// of one run; the exit codes of a bad study and of a bad command line.
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string TextOf(const fs::path& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The rows of a rows file by rising index (they are written as they finish).
std::vector<std::string> RowsOf(const fs::path& path)
{
    std::istringstream in(TextOf(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::sort(lines.begin() + 1, lines.end(),
              [](const std::string& a, const std::string& b) { return std::stol(a) < std::stol(b); });
    return lines;
}

TEST(StudyCommandTest, ShardsMergedGiveTheRowsOfOneRun)
{
    const fs::path dir = fs::temp_directory_path() / ("torvik-cli-study-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string study = Quote(std::string(TORVIK_SOURCE_DIR) + "/examples/studies/tied-back-sensitivity.json");
    const CliRun whole = Cli("study " + study + " --jobs 2 --out " + Quote(dir / "whole"));
    ASSERT_EQ(whole.exitCode, 0) << whole.err;
    EXPECT_NE(whole.err.find(" per second, "), std::string::npos);
    for (const char* shard : {"1/2", "2/2"})
        ASSERT_EQ(Cli("study " + study + " --jobs 1 --shard " + shard + " --out " + Quote(dir / std::string(1, shard[0]))).exitCode, 0);
    const CliRun merged = Cli("study merge " + Quote(dir / "1") + " " + Quote(dir / "2") + " --out " + Quote(dir / "merged"));
    ASSERT_EQ(merged.exitCode, 0) << merged.err;
    EXPECT_EQ(merged.out, whole.out);
    EXPECT_EQ(RowsOf(dir / "merged" / "rows.csv"), RowsOf(dir / "whole" / "rows.csv"));
    EXPECT_EQ(Cli("study merge " + Quote(dir / "1")).exitCode, 1);
    fs::remove_all(dir);
}

TEST(StudyCommandTest, BadStudiesAndCommandLines)
{
    const fs::path bad = fs::temp_directory_path() / ("torvik-cli-study-" + std::to_string(getpid()) + ".json");
    std::ofstream(bad) << "{\"wall\": \"none.tk4d\",\n \"kind\": \"tornado\"}";
    const CliRun run = Cli("study " + Quote(bad));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("at line 2: \"tornado\" is no kind"), std::string::npos) << run.err;
    fs::remove(bad);
    EXPECT_EQ(Cli("study " + Quote(bad) + " --shard 3/2").exitCode, 1);
    EXPECT_EQ(Cli("study").exitCode, 2);
    EXPECT_EQ(Cli("study a.json --frobnicate").exitCode, 2);
}

}  // namespace
