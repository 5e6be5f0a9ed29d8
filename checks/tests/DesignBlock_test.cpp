// The design values of a combination as the engine sees them: the unplanned
// excavation of cantilevers and supported stages, and the earth resistance
// divided below the excavation with the curves' stiffness kept.
#include "checks/DesignApproach.h"
#include "engine/SectionBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<WallFileBlock> Example(const char* name)
{
    return WallFileReader::Read(std::string(TORVIK_SOURCE_DIR) + "/examples/" + name);
}

// 10 % of the 2 m cantilever, of the 3 m below the strut at 1 m and of the
// 2.4 m below the strut at 3.6 m; a 20 ft cantilever digs 0.5 m (19.69 in) deeper, not 24 in.
TEST(UnplannedExcavation, TenthOfTheHeightBelowTheLowestSupportAtMostHalfAMetre)
{
    const std::vector<WallFileBlock> staged = Example("three-stage-excavation.tk4d");
    ASSERT_EQ(staged.size(), 3u);
    EXPECT_DOUBLE_EQ(checks::UnplannedExcavation(staged[0].block), 0.2);
    EXPECT_DOUBLE_EQ(checks::UnplannedExcavation(staged[1].block), 0.3);
    EXPECT_DOUBLE_EQ(checks::UnplannedExcavation(staged[2].block), 0.24);
    WallBlock deep = Example("cantilever-sand.tk4d").front().block;
    deep.wallHeight = 240;
    EXPECT_NEAR(checks::UnplannedExcavation(deep), 0.5 / 0.0254, 1e-6);
}

// gamma_R;e = 1.4: every curve at or below the excavation has 1/1.4 of its
// ultimate resistance and the same initial slope; the curves keep the wall's
// own p-y modification factors.
TEST(DesignBlock, EarthResistanceDividedWithTheStiffnessKept)
{
    WallBlock wall = Example("three-stage-excavation.tk4d")[2].block;
    wall.modifiers = {{8.0, 1.0, 1.0}, {14.0, 0.5, 1.0}};
    checks::CombinationFactors f;
    f.resistance = 1.4;
    const SectionInput plain = SectionBuilder::Build(wall, "plain");
    const SectionInput design = SectionBuilder::Build(checks::DesignBlock(wall, f, 0, TWallSettings()), "design");
    int compared = 0;
    for (std::size_t m = 0; m < plain.soil.size(); ++m) {
        const auto& a = plain.soil[m].pyCurve;
        const auto& b = design.soil[m].pyCurve;
        ASSERT_EQ(!a, !b) << m;
        if (!a || !(a->Ultimate() > 0))
            continue;
        EXPECT_NEAR(b->Ultimate(), a->Ultimate() / 1.4, 1e-9 * a->Ultimate()) << m;
        EXPECT_NEAR(b->InitialSlope(), a->InitialSlope(), 1e-9 * a->InitialSlope()) << m;
        ++compared;
    }
    EXPECT_GT(compared, 30);
}

}  // namespace
