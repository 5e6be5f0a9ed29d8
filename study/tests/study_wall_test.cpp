#include "study/Study.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace study;

namespace {

const std::string kExamples = std::string(TORVIK_SOURCE_DIR) + "/examples/";

StudyDefinition Varying(std::vector<std::string> addresses)
{
    StudyDefinition s;
    for (std::string& a : addresses) {
        s.parameters.emplace_back();
        s.parameters.back().address = std::move(a);
    }
    return s;
}

}  // namespace

TEST(StudyWall, ListsTheParametersOfTheWallWithTheirValues)
{
    const StudyWall wall = ReadStudyWall(kExamples + "three-stage-excavation.tk4d");
    std::vector<std::string> names;
    for (const ParameterAddress& a : ParameterAddresses(wall))
        names.push_back(a.address + " = " + std::to_string(a.value) + " " + a.unit);
    for (const char* expected : {"layer 1 friction angle = 33.000000 deg", "layer 1 k = 20000.000000 kN/m^3",
                                 "section 1 EI = 100000.000000 kN-m^2", "excavation depth of stage 3 = 6.000000 m",
                                 "anchor 2 stiffness = 50000.000000 kN/m^2"})
        EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
}

TEST(StudyWall, PutsEachInputWhereItsParameterApplies)
{
    const StudyWall wall = ReadStudyWall(kExamples + "three-stage-excavation.tk4d");
    const StudyDefinition s = Varying({"excavation depth of stage 3", "anchor 2 stiffness", "layer 1 friction angle",
                                       "anchor 1 prestress"});
    const StudyWall v = WithInputs(s, wall, {5.5, 1234, 30, 40});
    EXPECT_EQ(v.blocks[1].block.wallHeight, wall.blocks[1].block.wallHeight);
    EXPECT_EQ(v.blocks[2].block.wallHeight, 5.5);
    EXPECT_EQ(v.blocks[2].block.springs[1].values[0], 1234);
    EXPECT_EQ(v.blocks[2].block.springs[0].values[0], 50000);
    // The layer's 33 to 35 degrees scaled alike, in every stage.
    for (const WallFileBlock& b : v.blocks) {
        EXPECT_EQ(b.block.layers[0].top.frictionAngle, 30);
        EXPECT_DOUBLE_EQ(b.block.layers[0].bottom.frictionAngle, 35 * 30 / 33.0);
    }
    ASSERT_NE(v.settings.Anchor(wall.blocks[1].block.springs[0].from), nullptr);
    EXPECT_EQ(v.settings.Anchor(wall.blocks[1].block.springs[0].from)->prestress, 40);
    EXPECT_THROW(WithInputs(Varying({"layer 9 k"}), wall, {1}), TorvikError);
}
