// torvik-cli graphs and plot: the result graphs of a wall as scripts read them.
#include "CliRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {


// A directory with an example wall (an SI wall of one soil layer) and a plot data file for it.
struct GraphsCommand : testing::Test {
    fs::path dir = fs::temp_directory_path() / ("torvik-cli-graphs-" + std::to_string(getpid()));
    fs::path wall = dir / "wall.tk4d";

    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples" / "three-stage-excavation.tk4d", wall);
        fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "run" / "tests" / "data" / "staged.tk4p", dir / "wall.tk4p");
    }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(GraphsCommand, PrintsEveryGraphWithItsLines)
{
    const CliRun r = Cli("graphs " + Quote(wall));
    ASSERT_EQ(r.exitCode, 0);
    const auto j = nlohmann::ordered_json::parse(r.out);
    std::vector<std::string> names;
    for (auto it = j.begin(); it != j.end(); ++it)
        names.push_back(it.key());
    EXPECT_EQ(names, (std::vector<std::string>{"pltPY", "pltDef", "pltMom", "pltShear", "pltSoil", "pltDMS", "pltLD",
                                               "PltCombine"}));
    for (const auto& [name, graph] : j.items())
        for (const char* key : {"Caption", "XCaption", "YCaption", "XUnits", "YUnits", "Units", "Lines", "Lines2",
                                "Lines3", "Layers"})
            EXPECT_TRUE(graph.contains(key)) << name << " " << key;
    const auto& def = j["pltDef"];
    EXPECT_EQ(def["Caption"], "Deflection vs Depth");
    EXPECT_EQ(def["YCaption"], "Depth (m)");
    EXPECT_EQ(def["XUnits"], "L");
    EXPECT_EQ(def["Units"], 2);
    ASSERT_EQ(def["Lines"].size(), 3u);
    EXPECT_EQ(def["Lines"][1]["Name"], "Stage: 2");
    EXPECT_EQ(def["Lines"][0]["Points"][1], nlohmann::ordered_json::array({2.0, 1.0}));
    EXPECT_EQ(j["pltSoil"]["XUnits"], "F/L");
    EXPECT_EQ(j["PltCombine"]["Lines"][0]["Name"], "Total Earth Pressure");
    EXPECT_EQ(j["pltDMS"]["Lines3"].size(), 3u);
    // One soil layer, the wall and the excavation level.
    const auto& layers = j["pltDMS"]["Layers"];
    ASSERT_EQ(layers.size(), 3u);
    EXPECT_EQ(layers[0]["Name"], " SAND ");
    EXPECT_EQ(layers[1]["Name"], "PILE");
}

TEST_F(GraphsCommand, FailsWithoutAReadablePlotDataFile)
{
    std::ofstream(dir / "wall.tk4p", std::ios::trunc) << "3\n0 0 0 0\n";
    EXPECT_EQ(Cli("graphs " + Quote(wall)).exitCode, 1);
    fs::remove(dir / "wall.tk4p");
    EXPECT_EQ(Cli("graphs " + Quote(wall)).exitCode, 1);
    EXPECT_EQ(Cli("graphs " + Quote(dir / "none.tk4d")).exitCode, 1);
    EXPECT_EQ(Cli("graphs").exitCode, 2);
}

TEST_F(GraphsCommand, ANumberNoJsonNumberHoldsIsAnErrorNeverNull)
{
    std::ifstream in(dir / "wall.tk4p", std::ios::binary);
    std::string plot((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    plot.replace(plot.find("1 10 8 2"), 8, "1 1E309 8 2");
    std::ofstream(dir / "wall.tk4p", std::ios::binary | std::ios::trunc) << plot;
    const CliRun r = Cli("graphs " + Quote(wall));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out.find("null"), std::string::npos);
}

TEST_F(GraphsCommand, PlotWritesThePictureInTheFormatOfItsExtension)
{
    // A build without the windows (TORVIK_GUI off) has no drawing command.
    if (Cli("--help").out.find("\n  plot ") == std::string::npos)
        GTEST_SKIP() << "torvik-cli was built without the plot command";
    for (const char* name : {"def.bmp", "def.png", "def.svg", "def.pdf"}) {
        const CliRun r = Cli("plot " + Quote(wall) + " --graph pltDef --out " + Quote(dir / name));
        EXPECT_EQ(r.exitCode, 0) << name;
        EXPECT_GT(fs::file_size(dir / name), 0u) << name;
    }
    // The default bitmap: 6 x 4 inches at 72 ppi, 24 bits (header fields of the file).
    std::ifstream bmp(dir / "def.bmp", std::ios::binary);
    char header[26] = {};
    bmp.read(header, sizeof header);
    EXPECT_EQ(header[0], 'B');
    int32_t width = 0, height = 0;
    std::memcpy(&width, header + 18, 4);
    std::memcpy(&height, header + 22, 4);
    EXPECT_EQ(width, 432);
    EXPECT_EQ(std::abs(height), 288);
    EXPECT_EQ(Cli("plot " + Quote(wall) + " --graph pltDMS --out " + Quote(dir / "dms.png") +
                  " --width 3 --height 2 --ppi 100").exitCode, 0);
    EXPECT_EQ(Cli("plot " + Quote(wall) + " --graph nothing --out " + Quote(dir / "x.png")).exitCode, 2);
    EXPECT_EQ(Cli("plot " + Quote(wall) + " --graph pltDef --out " + Quote(dir / "x.png") + " --ppi -3").exitCode, 2);
    EXPECT_EQ(Cli("plot " + Quote(wall) + " --graph pltDef").exitCode, 2);
    EXPECT_EQ(Cli("plot " + Quote(wall) + " --graph pltDef --out " + Quote(dir / "x.gif")).exitCode, 1);
    fs::remove(dir / "wall.tk4p");
    EXPECT_EQ(Cli("plot " + Quote(wall) + " --graph pltDef --out " + Quote(dir / "y.png")).exitCode, 1);
}

TEST(GraphsAfterRun, TheEnginesPlotDataFileIsRead)
{
    const fs::path dir = fs::temp_directory_path() / ("torvik-cli-graphs-run-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path wall = dir / "cantilever-sand.tk4d";
    fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples" / "cantilever-sand.tk4d", wall);
    ASSERT_EQ(Cli("run " + Quote(wall)).exitCode, 0);
    const CliRun r = Cli("graphs " + Quote(wall));
    ASSERT_EQ(r.exitCode, 0);
    const auto j = nlohmann::json::parse(r.out);
    // The PZ 22 wall is analysed per foot (Wa = 12 in): the moment axis says so.
    EXPECT_EQ(j["pltMom"]["XCaption"], "Bending Moment (in-kips/ft)");
    ASSERT_EQ(j["pltDef"]["Lines"].size(), 1u);
    EXPECT_GT(j["pltDef"]["Lines"][0]["Points"].size(), 10u);
    EXPECT_GT(j["pltPY"]["Lines"].size(), 0u);
    fs::remove_all(dir);
}

}  // namespace
