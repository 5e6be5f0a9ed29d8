#include "study/Study.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace study;

namespace {

const std::string kWall = std::string(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d";

// A small Monte Carlo of the three-stage wall whose strength reduction runs
// beside the analyses, so that both run on several threads at once.
StudyDefinition MonteCarlo(long count)
{
    return ParseStudy(R"({"wall": "three-stage-excavation.tk4d", "kind": "monte carlo", "count": )" +
                          std::to_string(count) + R"(, "seed": 3,
        "parameters": [
          {"parameter": "layer 1 friction angle", "distribution": "normal", "mean": 33, "deviation": 3},
          {"parameter": "anchor 2 stiffness", "distribution": "lognormal", "mean": 50000, "deviation": 15000}],
        "compute": {"safety_factor": true}})",
                      "study.json");
}

struct Scratch {
    Scratch() : path(fs::temp_directory_path() / ("torvik-study-test-" + std::to_string(::getpid())))
    {
        fs::remove_all(path);
    }
    ~Scratch() { fs::remove_all(path); }
    std::string Folder(const std::string& name) const { return (path / name).string(); }
    fs::path path;
};

std::string TextOf(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

RunOptions Options(int jobs, int shard = 1, int shards = 1, std::string folder = "")
{
    RunOptions o;
    o.jobs = jobs;
    o.shard = shard;
    o.shards = shards;
    o.outFolder = std::move(folder);
    return o;
}

}  // namespace

TEST(StudyRun, GivesTheSameRowsWhateverTheJobsAndShards)
{
    const StudyWall wall = ReadStudyWall(kWall);
    const StudyDefinition s = MonteCarlo(12);
    const StudyResult one = RunStudy(s, wall, Options(1));
    ASSERT_EQ(one.rows.size(), 12u);
    EXPECT_EQ(one.outputs.back().name, "lowest F");
    EXPECT_TRUE(one.rows[0].outputs.back().has_value());
    EXPECT_EQ(RowsCsv(RunStudy(s, wall, Options(2))), RowsCsv(one));
    Scratch scratch;
    std::vector<std::string> folders;
    for (int k = 1; k <= 3; ++k) {
        folders.push_back(scratch.Folder("shard" + std::to_string(k)));
        EXPECT_EQ(RunStudy(s, wall, Options(2, k, 3, folders.back())).rows.size(), 4u);
    }
    EXPECT_EQ(RowsCsv(MergeShards(s, folders)), RowsCsv(one));
    folders.pop_back();
    EXPECT_THROW(MergeShards(s, folders), TorvikError);
}

TEST(StudyRun, ResumesAnInterruptedStudyFromItsRows)
{
    const StudyWall wall = ReadStudyWall(kWall);
    const StudyDefinition s = MonteCarlo(6);
    Scratch scratch;
    const std::string folder = scratch.Folder("run");
    const StudyResult whole = RunStudy(s, wall, Options(2, 1, 1, folder));
    // Interrupted within the fourth row: three whole rows and part of one, the
    // file saved again with CR LF line ends (a spreadsheet on Windows).
    const std::string rows = TextOf(folder + "/rows.csv");
    std::size_t cut = 0;
    for (int line = 0; line < 4; ++line)
        cut = rows.find('\n', cut) + 1;
    std::string kept;
    for (char c : rows.substr(0, cut + 5))
        kept += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::ofstream(folder + "/rows.csv", std::ios::trunc | std::ios::binary) << kept;
    fs::remove(folder + "/summary.json");

    std::atomic<bool> cancel{true};
    RunOptions cancelled = Options(2, 1, 1, folder);
    cancelled.cancel = &cancel;
    EXPECT_TRUE(RunStudy(s, wall, cancelled).cancelled);
    const StudyResult resumed = RunStudy(s, wall, Options(2, 1, 1, folder));
    EXPECT_FALSE(resumed.cancelled);
    EXPECT_EQ(RowsCsv(resumed), RowsCsv(whole));
    EXPECT_TRUE(fs::exists(folder + "/summary.json"));
    EXPECT_THROW(RunStudy(MonteCarlo(7), wall, Options(1, 1, 1, folder)), TorvikError);
}

TEST(StudyRun, CountsAnAnalysisThatFailsAsAFailureWithItsReason)
{
    const StudyWall wall = ReadStudyWall(kWall);
    const StudyDefinition s = ParseStudy(R"({"wall": "w", "kind": "sweep", "parameters": [
        {"parameter": "section 1 EI", "values": [100000, -5]}]})", "s");
    const StudyResult r = RunStudy(s, wall, Options(1));
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_FALSE(r.rows[0].failed);
    EXPECT_TRUE(r.rows[1].failed);
    EXPECT_NE(r.rows[1].reason.find("stage 1"), std::string::npos) << r.rows[1].reason;
    EXPECT_FALSE(r.rows[1].outputs[0].has_value());
}
