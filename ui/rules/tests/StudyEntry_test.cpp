#include "ui/rules/StudyEntry.h"

#include <gtest/gtest.h>

using study::DistributionKind;
using study::StudyKind;

namespace {

StudyEntry WithParameters(StudyKind kind, std::vector<StudyParameterEntry> parameters)
{
    StudyEntry e;
    e.kind = kind;
    e.parameters = std::move(parameters);
    return e;
}

std::string Problem(const StudyEntry& e)
{
    const StudyRead read = ReadStudyEntry(e);
    EXPECT_EQ(read.definition.has_value(), read.problem.empty());
    return read.problem;
}

}  // namespace

TEST(StudyEntry, EachKindShowsItsOwnFields)
{
    EXPECT_TRUE(StudyColumnShown(StudyKind::Sensitivity, StudyColumn::Percent));
    EXPECT_FALSE(StudyColumnShown(StudyKind::Sensitivity, StudyColumn::Mean));
    EXPECT_TRUE(StudyColumnShown(StudyKind::Sweep, StudyColumn::Values));
    EXPECT_FALSE(StudyColumnShown(StudyKind::MonteCarlo, StudyColumn::Low));
    EXPECT_TRUE(StudyColumnShown(StudyKind::MonteCarlo, StudyColumn::WallValue));
    // A uniform distribution has bounds only; a truncated normal both.
    EXPECT_FALSE(DistributionTakes(DistributionKind::Uniform, StudyColumn::Mean));
    EXPECT_TRUE(DistributionTakes(DistributionKind::Uniform, StudyColumn::UpperBound));
    EXPECT_FALSE(DistributionTakes(DistributionKind::Lognormal, StudyColumn::LowerBound));
    EXPECT_TRUE(DistributionTakes(DistributionKind::TruncatedNormal, StudyColumn::Deviation));
    EXPECT_TRUE(StudySamples(StudyKind::MonteCarlo));
    EXPECT_FALSE(StudySamples(StudyKind::Sweep));
}

// A parameter added starts with fields every kind can run as they are.
TEST(StudyEntry, AnAddedParameterRunsInEveryKind)
{
    const StudyParameterEntry phi = DefaultEntry({"layer 1 friction angle", 30, "deg"});
    const StudyParameterEntry c = DefaultEntry({"layer 1 cohesion", 0, "kPa"});
    for (StudyKind kind : {StudyKind::Sensitivity, StudyKind::Sweep, StudyKind::MonteCarlo})
        EXPECT_EQ(Problem(WithParameters(kind, {phi, c})), "") << static_cast<int>(kind);

    const study::StudyDefinition d = *ReadStudyEntry(WithParameters(StudyKind::Sensitivity, {phi, c})).definition;
    EXPECT_DOUBLE_EQ(d.parameters[0].low, 27);
    EXPECT_DOUBLE_EQ(d.parameters[0].high, 33);
    EXPECT_EQ(d.parameters[0].base, 30.0);  // the other rows keep the wall's value
    // Zero has no percentage: the low and high values are given instead, and
    // no kind of study starts a parameter of 0 below 0, where its analyses fail.
    EXPECT_DOUBLE_EQ(d.parameters[1].low, 0);
    EXPECT_DOUBLE_EQ(d.parameters[1].high, 1);
    EXPECT_EQ(ReadStudyEntry(WithParameters(StudyKind::Sweep, {c})).definition->parameters[0].values,
              (std::vector<double>{0, 0.5, 1}));
    const study::Distribution zero =
        ReadStudyEntry(WithParameters(StudyKind::MonteCarlo, {c})).definition->parameters[0].distribution;
    EXPECT_EQ(zero.kind, DistributionKind::Uniform);
    EXPECT_DOUBLE_EQ(zero.low, 0);
    EXPECT_DOUBLE_EQ(zero.high, 1);
    EXPECT_EQ(ReadStudyEntry(WithParameters(StudyKind::Sweep, {phi})).definition->parameters[0].values,
              (std::vector<double>{27, 30, 33}));
    const study::Distribution n = ReadStudyEntry(WithParameters(StudyKind::MonteCarlo, {phi})).definition->parameters[0].distribution;
    EXPECT_EQ(n.kind, DistributionKind::Normal);
    EXPECT_DOUBLE_EQ(n.mean, 30);
    EXPECT_DOUBLE_EQ(n.deviation, 3);
}

TEST(StudyEntry, AProblemNamesTheParameterAndTheField)
{
    StudyParameterEntry phi = DefaultEntry({"layer 1 friction angle", 30, "deg"});
    EXPECT_EQ(Problem(WithParameters(StudyKind::Sensitivity, {})), "Add at least one parameter to vary.");
    EXPECT_EQ(Problem(WithParameters(StudyKind::Sensitivity, {phi, phi})),
              "layer 1 friction angle is varied twice: remove one of its rows.");

    StudyParameterEntry range = phi;
    range.percent = "";
    range.low = "35";
    range.high = "2*12.5";
    EXPECT_EQ(Problem(WithParameters(StudyKind::Sensitivity, {range})),
              "layer 1 friction angle: the low value must be below the high value.");
    range.low = "abc";
    EXPECT_EQ(Problem(WithParameters(StudyKind::Sensitivity, {range})),
              "layer 1 friction angle: the low value \"abc\" is not a number.");

    StudyParameterEntry uniform = phi;
    uniform.distribution = DistributionKind::Uniform;
    uniform.mean = "no number, but a uniform distribution has no mean";
    uniform.upperBound = "";
    EXPECT_EQ(Problem(WithParameters(StudyKind::MonteCarlo, {uniform})),
              "layer 1 friction angle: the upper bound is missing.");
    StudyEntry one = WithParameters(StudyKind::MonteCarlo, {phi});
    one.count = "1";
    EXPECT_EQ(Problem(one), "The count must be a whole number from 2 to 1000000000.");

    // Side by side, the lists of a sweep pair up; a grid takes any lengths.
    StudyParameterEntry gamma = DefaultEntry({"layer 1 unit weight", 18, "kN/m3"});
    gamma.values = "17 19";
    StudyEntry sweep = WithParameters(StudyKind::Sweep, {phi, gamma});
    EXPECT_NE(Problem(sweep).find("layer 1 unit weight has 2"), std::string::npos);
    sweep.grid = true;
    EXPECT_EQ(Problem(sweep), "");
}
