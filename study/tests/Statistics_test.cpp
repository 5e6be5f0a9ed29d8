#include "study/Statistics.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>

namespace {

using study::Column;
using study::Row;
using study::StudyDefinition;
using study::StudyKind;

Row Computed(long index, std::optional<double> value, bool failed = false, const std::string& reason = "")
{
    return Row{index, {}, {value}, failed, reason};
}

// Six Monte Carlo rows, given out of order: outputs 1 to 5, row 2 failed by
// the criterion and row 5 by its analysis, without an output.
std::vector<Row> MonteCarloRows()
{
    return {Computed(3, 4),
            Computed(0, 1),
            Computed(5, std::nullopt, true, "the analysis did not converge"),
            Computed(1, 2),
            Computed(2, 3, true, "stage 1 F below 1"),
            Computed(4, 5)};
}

StudyDefinition OfKind(StudyKind kind)
{
    StudyDefinition s;
    s.kind = kind;
    return s;
}

TEST(Statistics, ConfidenceIntervalAndReliabilityIndexMatchHandValues)
{
    // Clopper-Pearson: 1 - 0.025^(1/10) for no failure in 10, its mirror for
    // 10 in 10, and the tabulated interval of 5 in 10.
    const auto none = study::ClopperPearson(0, 10), all = study::ClopperPearson(10, 10);
    const auto half = study::ClopperPearson(5, 10);
    EXPECT_EQ(none.first, 0);
    EXPECT_NEAR(none.second, 0.308497, 1e-6);
    EXPECT_NEAR(all.first, 0.691503, 1e-6);
    EXPECT_EQ(all.second, 1);
    EXPECT_NEAR(half.first, 0.187086, 1e-6);
    EXPECT_NEAR(half.second, 0.812914, 1e-6);
    EXPECT_EQ(study::ClopperPearson(0, 0), std::make_pair(0.0, 1.0));

    EXPECT_NEAR(*study::ReliabilityIndex(0.0228), 2.0, 1e-3);
    EXPECT_NEAR(*study::ReliabilityIndex(0.0013499), 3.0, 1e-4);
    EXPECT_NEAR(*study::ReliabilityIndex(0.5), 0.0, 1e-12);
    EXPECT_FALSE(study::ReliabilityIndex(0));
    EXPECT_FALSE(study::ReliabilityIndex(1));
}

TEST(Statistics, MonteCarloSummaryCountsFailedAnalysesAsFailuresAndSkipsTheirMissingOutputs)
{
    const study::Summary s =
        study::Summarise(OfKind(StudyKind::MonteCarlo), {Column{"stage 1 largest moment", "kNm/m"}}, MonteCarloRows());
    ASSERT_EQ(s.statistics.size(), 1u);
    const study::OutputStatistics& m = s.statistics[0];
    EXPECT_EQ(m.count, 5);
    EXPECT_DOUBLE_EQ(m.mean, 3);
    EXPECT_DOUBLE_EQ(m.deviation, std::sqrt(2.5));
    // Ranks interpolated: h = 4 p, so 1.2, 3 and 4.8.
    EXPECT_DOUBLE_EQ(m.p5, 1.2);
    EXPECT_DOUBLE_EQ(m.p50, 3);
    EXPECT_DOUBLE_EQ(m.p95, 4.8);

    ASSERT_TRUE(s.failure);
    EXPECT_EQ(s.failure->failures, 2);
    EXPECT_EQ(s.failure->realisations, 6);
    EXPECT_DOUBLE_EQ(s.failure->pf, 2.0 / 6);
    // Convergence by rising index: after rows 0..2 one failure in three.
    const auto& c = s.failure->convergence;
    ASSERT_EQ(c.size(), 6u);
    EXPECT_EQ(c[2], std::make_pair(3L, 1.0 / 3));
    EXPECT_EQ(c.back(), std::make_pair(6L, 2.0 / 6));

    ASSERT_EQ(s.failedRows.size(), 2u);
    EXPECT_EQ(s.failedRows[0].index, 2);
    EXPECT_EQ(s.failedRows[1].reason, "the analysis did not converge");
}

TEST(Statistics, SensitivitySwingsAreSortedLargestFirstPerOutput)
{
    StudyDefinition study = OfKind(StudyKind::Sensitivity);
    study.parameters.resize(2);
    study.parameters[0].address = "layer 1 friction angle";
    study.parameters[1].address = "surcharge q";
    // Rows 1 and 2: the friction angle low and high; rows 3 and 4: q. The
    // second output has no value with q high.
    const std::vector<Row> rows = {Row{0, {}, {10, 1}, false, {}}, Row{1, {}, {12, 1}, false, {}},
                                   Row{2, {}, {10, 4}, false, {}}, Row{3, {}, {6, 1}, false, {}},
                                   Row{4, {}, {11, std::nullopt}, false, {}}};
    const std::vector<study::Swing> swings =
        study::Summarise(study, {Column{"moment", ""}, Column{"F", ""}}, rows).swings;
    ASSERT_EQ(swings.size(), 4u);
    EXPECT_EQ(swings[0].output, "moment");
    EXPECT_EQ(swings[0].parameter, "surcharge q");
    EXPECT_DOUBLE_EQ(swings[0].swing, 5);
    EXPECT_EQ(swings[1].parameter, "layer 1 friction angle");
    EXPECT_EQ(swings[2].output, "F");
    EXPECT_DOUBLE_EQ(swings[2].swing, 3);
    EXPECT_EQ(swings[3].parameter, "surcharge q");
    EXPECT_FALSE(swings[3].atHigh);
}

TEST(Statistics, SummaryJsonAndTextReportTheProbabilityOfFailure)
{
    const StudyDefinition study = OfKind(StudyKind::MonteCarlo);
    study::StudyResult result;
    result.outputs = {Column{"stage 1 largest moment", "kNm/m"}};
    result.rows = MonteCarloRows();
    result.summary = study::Summarise(study, result.outputs, result.rows);

    const nlohmann::json j = nlohmann::json::parse(study::SummaryJson(study, result));
    EXPECT_EQ(j["kind"], "monte_carlo");
    EXPECT_EQ(j["rows"], 6);
    EXPECT_EQ(j["statistics"][0]["p95"], 4.8);
    EXPECT_EQ(j["failure"]["failures"], 2);
    EXPECT_EQ(j["failure"]["interval"], "Clopper-Pearson");
    EXPECT_NEAR(j["failure"]["beta"].get<double>(), 0.4307, 1e-4);
    EXPECT_EQ(j["failure"]["convergence"].back(), nlohmann::json::array({6, 2.0 / 6}));
    EXPECT_EQ(j["failed"][1]["index"], 5);
    EXPECT_TRUE(j["swings"].empty());

    const std::string text = study::SummaryText(study, result);
    EXPECT_NE(text.find("pf = 0.3333 (2 of 6 realisations failed)"), std::string::npos) << text;
    EXPECT_NE(text.find("beta = -PhiInverse(pf): 0.4307"), std::string::npos) << text;
    EXPECT_NE(text.find("row 5: the analysis did not converge"), std::string::npos) << text;
}

}  // namespace
