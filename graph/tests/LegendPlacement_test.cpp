#include "graph/LegendPlacement.h"

#include <gtest/gtest.h>

// p-y curves through the origin at the plot's centre, rising to the left and
// falling to the right, fill the lower right and upper left corners; the
// legend takes the upper right, which none reaches.
TEST(LegendPlacement, TheLegendTakesTheCornerThatHidesFewestPointsTheLowerRightOnATie)
{
    const TPixelRect plot{0, 0, 400, 300};
    std::vector<TPixelPoint> points;
    for (int k = 1; k <= 10; ++k) {
        points.push_back({200 + 20 * k, 150 + 14 * k});
        points.push_back({200 - 20 * k, 150 - 14 * k});
    }
    EXPECT_EQ(LeastCoveringCorner(plot, 100, 80, points), (TLegendPlace{300, 0}));
    // Nothing under any corner: the lower right, where depth graphs have it.
    EXPECT_EQ(LeastCoveringCorner(plot, 100, 80, {}), (TLegendPlace{300, 220}));
}
