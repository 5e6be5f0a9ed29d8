// torvik-cli check --approach: each combination is the wall with its design
// values applied by hand, analysed by torvik-cli run.
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

namespace {

namespace fs = std::filesystem;

// A cantilever sheet pile in sand (SI), excavation `h`, wall of `nodes` x 0.2 m,
// a uniform surcharge `q` (kPa) and friction angles at the top and the bottom of the sand.
std::string Cantilever(double h, int nodes, double q, double phiTop, double phiBottom)
{
    char text[640];
    std::snprintf(text, sizeof text,
                  "Cantilever in sand\n2 0\t1\t0\t2\t2 0 1 0\n%d 0.2\t0.25\t1E-6\t%.12g\n0\t%d\t1\t100000\n0\n0\n"
                  "%.12g\t1\t1\t30\t30\t1\t1\t0\n%.12g\t0\t0\t0\t0\t0\n0\n1\n4 30 \n"
                  "19 0.0  %.12g 0.0  20000 0.0  \n20 0.0  %.12g 0.0  20000 0.0  \n0\n",
                  nodes, h, nodes, h, q, phiTop, phiBottom);
    return text;
}

double Degrees(double radians) { return radians * 180 / 3.14159265358979323846; }

// The largest moment that torvik-cli run gives for the wall.
double RunMoment(const fs::path& wall)
{
    const CliRun run = Cli("run " + Quote(wall));
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    const std::size_t at = run.out.find("maximum moment ");
    EXPECT_NE(at, std::string::npos) << run.out;
    return at == std::string::npos ? 0 : std::fabs(std::stod(run.out.substr(at + 15)));
}

struct Folder {
    fs::path path = fs::temp_directory_path() / ("torvik-approach-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    fs::path Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(path / name, std::ios::binary) << text;
        return path / name;
    }
};

// DA1-2: tan(phi') / 1.25, the excavation 0.3 m deeper (10 % of 3 m), the
// variable surcharge x 1.3; DA1-1: the same excavation, the surcharge x 1.5 /
// 1.35 and the moment x 1.35. Without an approach the JSON has none of its keys.
TEST(DesignApproachCommand, CombinationsAreTheWallFactoredByHand)
{
    const Folder dir;
    const fs::path wall = dir.Write("wall.tk4d", Cantilever(3, 50, 10, 33, 35));
    const CliRun run = Cli("check " + Quote(wall) + " --json --approach DA1");
    ASSERT_LE(run.exitCode, 1) << run.err;
    const nlohmann::json j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["approach"], "DA1");
    EXPECT_EQ(j["factors"]["gamma_Q"]["A2"], 1.3);
    const nlohmann::json& combinations = j["stages"][0]["combinations"];
    ASSERT_EQ(combinations.size(), 2u);
    EXPECT_EQ(combinations[0]["name"], "DA1-1");
    EXPECT_EQ(combinations[1]["unplanned_excavation"], 0.3);
    EXPECT_EQ(combinations[1]["analysis"], "converged");

    auto reduced = [](double phi) { return Degrees(std::atan(std::tan(phi * 3.14159265358979323846 / 180) / 1.25)); };
    const double da12 = RunMoment(dir.Write("da12.tk4d", Cantilever(3.3, 50, 13, reduced(33), reduced(35))));
    EXPECT_NEAR(combinations[1]["design_moment"].get<double>(), da12, 1e-3 * da12);
    const double da11 = 1.35 * RunMoment(dir.Write("da11.tk4d", Cantilever(3.3, 50, 10 * 1.5 / 1.35, 33, 35)));
    EXPECT_NEAR(combinations[0]["design_moment"].get<double>(), da11, 1e-3 * da11);
    EXPECT_GT(combinations[1]["over_design_factor"].get<double>(), 1);
    EXPECT_TRUE(j["stages"][0]["governing_combination"].is_string());

    const nlohmann::json plain = nlohmann::json::parse(Cli("check " + Quote(wall) + " --json").out);
    EXPECT_FALSE(plain.contains("approach"));
    EXPECT_FALSE(plain.contains("factors"));
    EXPECT_FALSE(plain["stages"][0].contains("combinations"));
}

// An embedment that holds with the characteristic strengths (F = 1.33) but
// not with those of M2 fails DA1-2 and the command exits 1.
TEST(DesignApproachCommand, ShortEmbedmentFailsTheFactoredStrengths)
{
    const Folder dir;
    const fs::path wall = dir.Write("short.tk4d", Cantilever(3, 30, 10, 33, 35));
    EXPECT_EQ(Cli("check " + Quote(wall) + " --target 1").exitCode, 0);
    const CliRun run = Cli("check " + Quote(wall) + " --json --target 1 --approach DA1");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const nlohmann::json j = nlohmann::json::parse(run.out);
    const nlohmann::json& combinations = j["stages"][0]["combinations"];
    EXPECT_EQ(combinations[0]["passed"], true);
    EXPECT_EQ(combinations[1]["name"], "DA1-2");
    EXPECT_TRUE(combinations[1]["analysis"] == "no convergence" || combinations[1]["analysis"] == "deflection");
    EXPECT_EQ(combinations[1]["passed"], false);
    EXPECT_EQ(j["stages"][0]["governing_combination"], "DA1-2");
    EXPECT_EQ(j["passed"], false);
    EXPECT_EQ(Cli("check " + Quote(wall) + " --approach DA4").exitCode, 2);
}

}  // namespace
