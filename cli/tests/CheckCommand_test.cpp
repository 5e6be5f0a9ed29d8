// torvik-cli check: the JSON interface and the exit codes on the bundled examples.
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

namespace {

std::string Example(const char* name)
{
    return Quote(std::string(TORVIK_SOURCE_DIR) + "/examples/" + name);
}

// The staged example: one entry per stage with every key of the interface,
// checks without data null and explained, exit 0 at the default target and
// 1 at a target no stage reaches.
TEST(CheckCommandTest, StagedExampleAsJson)
{
    const CliRun run = Cli("check " + Example("three-stage-excavation.tk4d") + " --json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const nlohmann::json j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["wall"], std::string(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d");
    EXPECT_EQ(j["target"], 1.5);
    EXPECT_EQ(j["passed"], true);
    ASSERT_EQ(j["stages"].size(), 3u);
    const nlohmann::json& s = j["stages"][1];
    EXPECT_EQ(s["stage"], 2);
    EXPECT_GT(s["safety_factor"].get<double>(), 1.5);
    EXPECT_TRUE(s["limit"] == "no convergence" || s["limit"] == "toe kicks out" || s["limit"] == "embedment mobilised");
    EXPECT_GT(s["required_tip_depth"].get<double>(), 4.0);
    EXPECT_LE(s["required_tip_depth"].get<double>(), 14.0);
    EXPECT_TRUE(s["bending_utilisation"].is_null());
    EXPECT_TRUE(s["shear_utilisation"].is_null());
    ASSERT_EQ(s["anchors"].size(), 1u);
    EXPECT_EQ(s["anchors"][0]["node"], 5);
    EXPECT_TRUE(s["anchors"][0]["utilisation"].is_null());
    EXPECT_GT(s["limit_equilibrium"]["required_embedment"].get<double>(), 0);
    EXPECT_GT(s["limit_equilibrium"]["anchor_force"].get<double>(), 0);
    EXPECT_FALSE(s["notes"].empty());
    // Two struts: the hinge method gives the embedment below the lower one.
    EXPECT_GT(j["stages"][2]["limit_equilibrium"]["required_embedment"].get<double>(), 0);
    EXPECT_GE(j["governing_stage"].get<int>(), 1);

    EXPECT_EQ(Cli("check " + Example("three-stage-excavation.tk4d") + " --target 9").exitCode, 1);
}

// The staged example with a steel section and anchor settings beside it: the
// utilisations are given, the CSV's utilisation columns agree with them, and an
// anchor loaded past its capacity fails the check (exit 1).
TEST(CheckCommandTest, SettingsGiveTheUtilisations)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("torvik-check-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path wall = dir / "staged.tk4d";
    fs::copy_file(std::string(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d", wall,
                  fs::copy_options::overwrite_existing);
    auto settings = [&](double capacity) {
        std::ofstream(dir / "staged.tk4s")
            << R"({"torvik_wall_settings": 1, "anchors": [{"node": 5, "spacing_m": 2.5, "inclination_deg": 15, )"
            << R"("capacity_kN": )" << capacity << R"(}], "sections": [{"node": 0, "section_modulus_m3": 0.0016, )"
            << R"("yield_strength_kPa": 355000, "shear_area_m2": 0.0075}]})";
    };
    settings(300);
    const CliRun run = Cli("check " + Quote(wall) + " --json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const nlohmann::json j = nlohmann::json::parse(run.out);
    for (const nlohmann::json& s : j["stages"]) {
        EXPECT_GT(s["bending_utilisation"].get<double>(), 0);
        EXPECT_GT(s["shear_utilisation"].get<double>(), 0);
    }
    const nlohmann::json& anchor = j["stages"][1]["anchors"][0];
    EXPECT_EQ(anchor["node"], 5);
    const double force = anchor["force_per_anchor"].get<double>();
    EXPECT_GT(force, 0);
    EXPECT_NEAR(anchor["utilisation"].get<double>(), force / 300, 1e-12);

    // The largest bending utilisation of the last stage's CSV rows is the check's.
    ASSERT_EQ(Cli("run " + Quote(wall)).exitCode, 0);
    ASSERT_EQ(Cli("export " + Quote(wall) + " --csv " + Quote(dir / "staged.csv")).exitCode, 0);
    std::ifstream csv(dir / "staged.csv");
    std::string line;
    std::getline(csv, line);
    EXPECT_NE(line.find(",Bending utilisation (-),Shear utilisation (-)\r"), std::string::npos) << line;
    double largest = 0;
    // The node rows end at the empty line before the spring table.
    while (std::getline(csv, line) && line != "\r")
        if (line.rfind("Stage 3", 0) == 0) {
            const std::size_t shear = line.rfind(','), bending = line.rfind(',', shear - 1);
            largest = std::max(largest, std::stod(line.substr(bending + 1, shear - bending - 1)));
        }
    EXPECT_NEAR(largest, j["stages"][2]["bending_utilisation"].get<double>(), 1e-4 * largest);

    settings(0.5 * force);
    const CliRun over = Cli("check " + Quote(wall) + " --json");
    EXPECT_EQ(over.exitCode, 1);
    EXPECT_EQ(nlohmann::json::parse(over.out)["passed"], false);
    fs::remove_all(dir);
}

TEST(CheckCommandTest, ErrorsExitWithTwo)
{
    for (const std::string args : {"check", "check a.tk4d --target", "check a.tk4d --target x", "check a b"})
        EXPECT_EQ(Cli(args).exitCode, 2) << args;
    const CliRun missing = Cli("check /nonexistent/wall.tk4d");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err, "torvik-cli check: /nonexistent/wall.tk4d does not exist\n");
}

}  // namespace
