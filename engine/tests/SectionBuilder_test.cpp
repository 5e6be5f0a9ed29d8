// Range tables expanded to the nodes, and the input checks of a section.
#include "engine/SectionBuilder.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

namespace {

struct ExpandCase {
    const char* name;
    std::vector<RangeRow> rows;
    std::vector<double> expected;  // nodes 0..4
};

const ExpandCase ExpandCases[] = {
    {"ConstantRows", {{1, 0, 1, {5}}, {1, 2, 4, {7}}}, {5, 5, 7, 7, 7}},
    {"LaterRowOverrides", {{1, 0, 4, {1}}, {1, 2, 2, {9}}}, {1, 1, 9, 1, 1}},
    // Interpolated from row 1's From node to row 2's To node.
    {"InterpolateToNextRowsToNode", {{2, 0, 0, {0}}, {1, 4, 4, {8}}}, {0, 2, 4, 6, 8}},
    {"LastRowIsConstant", {{1, 0, 1, {3}}, {2, 2, 4, {6}}}, {3, 3, 6, 6, 6}},
    {"NodesWithoutRowsGetZero", {{1, 1, 2, {4}}}, {0, 4, 4, 0, 0}},
};

class ExpandTest : public ::testing::TestWithParam<ExpandCase> {};

TEST_P(ExpandTest, GivesEveryNodeItsValue)
{
    std::vector<bool> given;
    const std::vector<double> v = SectionBuilder::Expand(GetParam().rows, 0, 4, "Table", &given);
    ASSERT_EQ(v.size(), 5u);
    for (size_t m = 0; m < v.size(); ++m)
        EXPECT_DOUBLE_EQ(v[m], GetParam().expected[m]) << "node " << m;
}

INSTANTIATE_TEST_SUITE_P(Ranges, ExpandTest, ::testing::ValuesIn(ExpandCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::string ExpandError(const std::vector<RangeRow>& rows)
{
    try {
        SectionBuilder::Expand(rows, 0, 4, "Springs");
    } catch (const TorvikError& e) {
        return e.what();
    }
    return "";
}

TEST(ExpandErrors, NameTheTableRowAndNode)
{
    EXPECT_EQ(ExpandError({{1, 0, 5, {1}}}), "Springs, row 1: node 5 lies outside the wall (nodes 0 to 4).");
    EXPECT_EQ(ExpandError({{1, 0, 1, {1}}, {1, -1, 2, {1}}}),
              "Springs, row 2: node -1 lies outside the wall (nodes 0 to 4).");
    EXPECT_EQ(ExpandError({{1, 3, 1, {1}}}), "Springs, row 1: the From node 3 lies below the To node 1.");
    EXPECT_EQ(ExpandError({{4, 0, 1, {1}}}), "Springs, row 1: the choice 4 is neither 1 (constant) nor 2 (interpolate).");
}

WallBlock Block()
{
    WallBlock b;
    b.unitSystem = UnitSystem::SI;
    b.nodeCount = 4;
    b.increment = 1;
    b.maxDeflection = 1;
    b.tolerance = 1e-6;
    b.stiffness = {{1, 0, 4, {100}}};
    return b;
}

std::string BuildError(const WallBlock& b)
{
    try {
        SectionBuilder::Build(b, "Stage 1");
    } catch (const TorvikError& e) {
        return e.what();
    }
    return "";
}

TEST(BuildErrors, NameTheItem)
{
    WallBlock b = Block();
    EXPECT_EQ(BuildError(b), "");
    b.nodeCount = 0;
    EXPECT_EQ(BuildError(b), "Number of increments: 0 lies outside 1 to 300.");
    b = Block();
    b.increment = 0;
    EXPECT_EQ(BuildError(b), "Increment length: 0 must be above 0.");
    b = Block();
    b.tolerance = -1;
    EXPECT_EQ(BuildError(b), "Deflection closure tolerance: -1 must be above 0.");
    b = Block();
    b.springs = {{1, 2, 2, {-5, 0}}};
    EXPECT_EQ(BuildError(b), "Springs: node 2 has a negative spring stiffness.");
    b = Block();
    b.meiCurves = {{0, 7, {{0, 1}}}};
    EXPECT_EQ(BuildError(b), "Moment-EI curves, row 1: node 7 lies outside the wall (nodes 0 to 4).");
    b = Block();
    b.restraints = {{3, 1, 0, 0}};
    EXPECT_EQ(BuildError(b), "Deflection and slope restraints, row 1: the case 3 is neither 1 (deflection) nor 2 (slope).");
    b = Block();
    b.pyCurveOption = 1;
    b.externalCurves = {{9, {{-1, 1}, {1, -1}}, 1, 1}};
    EXPECT_EQ(BuildError(b), "External p-y curves, row 1: node 9 lies outside the wall (nodes 0 to 4).");
}

TEST(Build, RestraintsOfTheSameNodeAndCaseKeepTheLastRow)
{
    WallBlock b = Block();
    b.restraints = {{1, 4, 0.5, 0}, {2, 4, 0, 0.1}, {1, 4, 0.25, 0}};
    const SectionInput in = SectionBuilder::Build(b, "Stage 1");
    ASSERT_EQ(in.restraints.size(), 2u);
    EXPECT_EQ(in.restraints[0].value, 0.25);
    EXPECT_EQ(in.restraints[1].value, 0.1);
}

}  // namespace

namespace {

TEST(Build, WarnsOfAnExcavationLevelBetweenNodes)
{
    WallBlock b = Block();
    b.wallHeight = 1.5;
    const SectionInput in = SectionBuilder::Build(b, "Stage 1");
    ASSERT_EQ(in.warnings.size(), 1u);
    EXPECT_EQ(in.warnings[0], "The excavation level (depth 1.5) lies between nodes 1 and 2; choose increments that "
                              "put a node on it for the best accuracy.");
    b.wallHeight = 2;
    EXPECT_TRUE(SectionBuilder::Build(b, "Stage 1").warnings.empty());
}

}  // namespace
