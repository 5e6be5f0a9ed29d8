// torvik-cli check: the JSON interface and the exit codes on the bundled examples.
#include "CliRunner.h"

#include <gtest/gtest.h>
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
    EXPECT_TRUE(s["limit"] == "no convergence" || s["limit"] == "deflection");
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
    EXPECT_TRUE(j["stages"][2]["limit_equilibrium"]["required_embedment"].is_null());
    EXPECT_GE(j["governing_stage"].get<int>(), 1);

    EXPECT_EQ(Cli("check " + Example("three-stage-excavation.tk4d") + " --target 9").exitCode, 1);
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
