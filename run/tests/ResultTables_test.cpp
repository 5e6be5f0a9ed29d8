#include "run/ResultTables.h"

#include "graph/GraphPlot.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

std::string Data(const std::string& name) { return std::string(TORVIK_TEST_DATA_DIR) + "/" + name; }

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> cells;
    std::stringstream in(line);
    std::string cell;
    while (std::getline(in, cell, ','))
        cells.push_back(cell);
    return cells;
}

// The CSV read back agrees, row by row, with what the graph reader makes of the same file.
void ExpectCsvMatchesGraphs(const std::string& file, bool longTerm, UnitSystem unitSystem)
{
    TResultSet results;
    std::string error;
    ASSERT_TRUE(ReadResultTables(Data(file), longTerm, results, error)) << error;
    TResultGraphs graphs;
    TPlotReadContext context;
    context.UnitSystem = unitSystem;
    context.LongTermMarker = longTerm ? 9 : 0;
    ASSERT_TRUE(ReadPlotFile(graphs, Data(file), false, context, nullptr));
    ASSERT_EQ(static_cast<int>(results.Stages.size()), graphs.Deflection.LineCount());

    std::stringstream csv(ResultsCsv(results));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(Split(line).size(), 9u);
    EXPECT_NE(line.find("Depth (" + ResultUnits(results.UnitSystem).Depth + ")"), std::string::npos);
    std::vector<int> rowOfStage(results.Stages.size());
    while (std::getline(csv, line)) {
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        const std::vector<std::string> cells = Split(line);
        ASSERT_GE(cells.size(), 6u) << line;
        size_t k = 0;
        while (k < results.Stages.size() && results.Stages[k].Name != cells[0])
            ++k;
        ASSERT_LT(k, results.Stages.size()) << cells[0];
        const int j = rowOfStage[k]++;
        const int i = static_cast<int>(k);
        const long double expected[] = {graphs.Deflection.Points(i, j).Y, graphs.Deflection.Points(i, j).X,
                                        graphs.Moment.Points(i, j).X, graphs.Shear.Points(i, j).X,
                                        graphs.SoilReaction.Points(i, j).X};
        for (int c = 0; c < 5; ++c)
            EXPECT_NEAR(std::stod(cells[static_cast<size_t>(c + 1)]), static_cast<double>(expected[c]),
                        1e-7 * (1 + std::fabs(static_cast<double>(expected[c]))))
                << file << " " << cells[0] << " row " << j << " column " << c + 1;
    }
    for (size_t k = 0; k < results.Stages.size(); ++k)
        EXPECT_EQ(rowOfStage[k], static_cast<int>(results.Stages[k].Rows.size()));
}

TEST(ResultsCsv, ReadsBackAsTheGraphsOfThePlotDataFile)
{
    ExpectCsvMatchesGraphs("staged.tk4p", false, UnitSystem::SI);
    ExpectCsvMatchesGraphs("english.tk4p", false, UnitSystem::English);
    ExpectCsvMatchesGraphs("longterm.tk4p", true, UnitSystem::English);
}

TEST(ResultsCsv, NamesStagesAndCasesAndFailsOnABadFile)
{
    TResultSet results;
    std::string error;
    ASSERT_TRUE(ReadResultTables(Data("longterm.tk4p"), true, results, error));
    ASSERT_EQ(results.Stages.size(), 2u);
    EXPECT_EQ(results.Stages[1].Name, "Long-term");
    ASSERT_TRUE(ReadResultTables(Data("staged.tk4p"), false, results, error));
    EXPECT_EQ(results.Stages.back().Name, "Stage " + std::to_string(results.Stages.size()));
    for (const char* bad : {"truncated.tk4p", "bad_number.tk4p", "no-such-file.tk4p"}) {
        EXPECT_FALSE(ReadResultTables(Data(bad), false, results, error)) << bad;
        EXPECT_NE(error.find(bad), std::string::npos) << error;
    }
}

TResultRow Row(long double depth, long double y, long double m, long double v)
{
    TResultRow r;
    r.Depth = depth;
    r.Deflection = y;
    r.Moment = m;
    r.Shear = v;
    return r;
}

TEST(StageEnvelope, TakesTheExtremesOverTheStagesThatReachEachDepth)
{
    TResultSet set;
    set.UnitSystem = UnitSystem::SI;
    // Stage 3 is shorter (its wall ends at 1 m) and has a depth between the others' nodes.
    set.Stages = {{"Stage 1", {Row(0, 1, 0, 5), Row(1, 2, -4, 0), Row(2, 0, 0, -5)}},
                  {"Stage 2", {Row(0, -1, 0, 2), Row(1, 3, 6, 1), Row(2, 1, 1, 0)}},
                  {"Stage 3", {Row(0, 0, 0, 9), Row(0.5L, 10, 0, 0), Row(1, 0, 0, 0)}}};
    // Stage 3 has as many rows as stage 1; the first stage with the most rows gives the depths.
    const std::vector<TEnvelopeRow> e = StageEnvelope(set);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].Shear.Max, 9);
    EXPECT_EQ(e[0].Shear.MaxStage, 2);
    EXPECT_EQ(e[0].Deflection.Min, -1);
    EXPECT_EQ(e[0].Deflection.MinStage, 1);
    EXPECT_EQ(e[1].Moment.Max, 6);
    EXPECT_EQ(e[1].Moment.MaxStage, 1);
    EXPECT_EQ(e[1].Moment.Min, -4);
    EXPECT_EQ(e[1].Moment.MinStage, 0);
    EXPECT_EQ(e[1].Deflection.Max, 3);  // stage 3 gives 0 at 1 m
    // At 2 m stage 3 does not count.
    EXPECT_EQ(e[2].Shear.Min, -5);
    EXPECT_EQ(e[2].Deflection.Max, 1);
    EXPECT_EQ(e[2].Deflection.MaxStage, 1);

    // Stage 3 interpolated at a depth between its nodes: 10 + (0 - 10) * 0.5 = 5 at 0.75 m.
    set.Stages[0].Rows = {Row(0, 0, 0, 0), Row(0.75L, 0, 0, 0), Row(1, 0, 0, 0), Row(2, 0, 0, 0)};
    const std::vector<TEnvelopeRow> f = StageEnvelope(set);
    ASSERT_EQ(f.size(), 4u);
    EXPECT_NEAR(static_cast<double>(f[1].Deflection.Max), 5, 1e-12);
    EXPECT_EQ(f[1].Deflection.MaxStage, 2);

    TGraphPlot graph;
    FillEnvelopeGraph(graph, f, UnitSystem::SI);
    EXPECT_EQ(graph.LineCount3(), 2);
    EXPECT_EQ(graph.Points2(0, 1).Y, 0.75L);
    EXPECT_TRUE(StageEnvelope(TResultSet()).empty());
}

TEST(ReadableRows, KeepsEveryRowOfAShortTableAndTheExtremesOfALongOne)
{
    std::vector<TResultRow> rows;
    for (int i = 0; i < 10; ++i)
        rows.push_back(Row(i, 0, 0, 0));
    EXPECT_EQ(ReadableRows(rows, 10).size(), 10u);
    for (int i = 10; i < 141; ++i)
        rows.push_back(Row(i, 0, 0, 0));
    rows[37].Moment = 50;
    rows[93].Shear = -20;
    const std::vector<size_t> chosen = ReadableRows(rows, 30);
    EXPECT_LE(chosen.size(), 30u + 8u);
    for (size_t must : {size_t(0), size_t(37), size_t(93), size_t(140)})
        EXPECT_NE(std::find(chosen.begin(), chosen.end(), must), chosen.end()) << must;
    EXPECT_TRUE(std::is_sorted(chosen.begin(), chosen.end()));
}

}  // namespace
