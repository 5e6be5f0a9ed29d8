#include "ui/rules/StudyDisplay.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

study::Swing SwingOf(const char* parameter, const char* output, std::optional<double> low, std::optional<double> high)
{
    study::Swing s{parameter, output, low, high, 0};
    if (low && high)
        s.swing = std::abs(*high - *low);
    return s;
}

}  // namespace

// The bars of one output, largest swing first, about the base row's value;
// a parameter whose low or high analysis failed has no bar.
TEST(StudyDisplay, TheTornadoPutsTheLargestSwingOnTop)
{
    study::StudyResult r;
    r.outputs = {{"stage 1 largest moment", "kN-m/m"}, {"stage 1 F", ""}, {"largest moment", "kN-m/m"}, {"lowest F", ""}};
    study::Row base;
    base.outputs = {120.0, 1.8, 120.0, 1.8};
    r.rows = {base};
    r.summary.swings = {SwingOf("layer 1 unit weight", "stage 1 largest moment", 110, 131),
                        SwingOf("layer 1 friction angle", "stage 1 largest moment", 150, 95),
                        SwingOf("layer 1 friction angle", "stage 1 F", 1.5, 2.1),
                        SwingOf("surcharge q", "stage 1 largest moment", std::nullopt, 140)};
    const TornadoChartData t = TornadoOf(r, "stage 1 largest moment");
    ASSERT_EQ(t.base, 120.0);
    ASSERT_EQ(t.bars.size(), 2u);
    EXPECT_EQ(t.bars[0].parameter, "layer 1 friction angle");
    EXPECT_DOUBLE_EQ(t.bars[0].swing, 55);
    EXPECT_EQ(t.bars[1].parameter, "layer 1 unit weight");
    EXPECT_TRUE(TornadoOf(r, "no such output").bars.empty());
    // The charts of F and of the moment offer those outputs, the one over every stage first.
    EXPECT_EQ(SafetyFactorOutputs(r.outputs), (std::vector<std::string>{"lowest F", "stage 1 F"}));
    EXPECT_EQ(MomentOutputs(r.outputs), (std::vector<std::string>{"largest moment", "stage 1 largest moment"}));
}

TEST(StudyDisplay, TheHistogramCountsEveryValueOnce)
{
    const std::vector<HistogramBin> bins = HistogramOf({1, 2, 2, 3, 4, 5}, 4);
    ASSERT_EQ(bins.size(), 4u);
    EXPECT_DOUBLE_EQ(bins.front().low, 1);
    EXPECT_DOUBLE_EQ(bins.back().high, 5);
    // The largest value falls in the last bin, not past it.
    EXPECT_EQ(bins.back().count, 2);
    EXPECT_EQ(std::accumulate(bins.begin(), bins.end(), 0L, [](long n, const HistogramBin& b) { return n + b.count; }), 6);
    EXPECT_EQ(HistogramOf({7, 7, 7}, 10).size(), 1u);
    EXPECT_TRUE(HistogramOf({}, 10).empty());
}

TEST(StudyDisplay, SaysTheProgressAndTheProbabilityOfFailure)
{
    EXPECT_EQ(ProgressText({120, 1000, 2.9, 41.5, 81.2}), "120 of 1000 analyses, 41.5 per second, 1 min 21 s left");
    study::FailureProbability none{0, 200, 0, 0, 0.0183, std::nullopt, {}};
    EXPECT_EQ(FailureText(none), "pf = 0 (95 % confidence 0 to 0.0183), β = not defined; 0 of 200 realisations failed");
}
