// The engine's secant rule on curves with an initial straight line: where a
// node's deflection lies below the small deflection but past the straight part,
// the node must take the curve's own secant, not its initial slope. A small
// deflection of 1E-3 of the pile length (20 mm) puts the top nodes of every such
// pile of the family there at its largest load; the engine must still agree with
// the exact-curve solution, and the independent solution must converge.
#include "verify/PileFamily.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(PileFamily, NodesPastTheStraightPartBelowTheSmallDeflectionTakeTheCurvesSecant)
{
    SolverOptions options = PileFamilyOptions();
    options.smallDeflectionRatio = 1e-3;
    int curvesWithLine = 0;
    for (const PileFamilyCase& pile : PileFamily()) {
        if (!std::isfinite(pile.curve(1, PileLength / PileIncrements)->InitialSlope()))
            continue;  // no straight line: floored below the small deflection
        ++curvesWithLine;
        const double load = pile.loads.back();
        const PileComparison c = ComparePile(pile, load, options);
        ASSERT_TRUE(c.engineOk && c.exactOk) << pile.criterion << ": " << c.engineMessage;
        EXPECT_GE(c.pastLineBelowSmall, 3) << pile.criterion;
        EXPECT_NEAR(c.engineTop / c.exactTop, 1, 1e-6) << pile.criterion << ", " << load << " kN";
        EXPECT_NEAR(c.engineMoment / c.exactMoment, 1, 1e-6) << pile.criterion << ", " << load << " kN";
    }
    EXPECT_EQ(curvesWithLine, 7);  // every family but soft clay without k
}
