#include "ui/rules/WindowFit.h"

#include <gtest/gtest.h>

// A 1600 x 1000 screen at double scale: 800 x 500 free below a 40-pixel panel.
const TWindowRect Screen{0, 40, 800, 460};

TEST(WindowFit, AWindowLargerThanTheScreenBecomesAsLargeAsTheScreenAndLiesOnIt)
{
    // Design Checks wanted 1000 x 640 at its default place.
    EXPECT_EQ(FitWindow({30, 60, 1000, 640}, Screen), (TWindowRect{0, 40, 800, 460}));
    // Too wide only: the height and the vertical place stay.
    EXPECT_EQ(FitWindow({100, 100, 900, 300}, Screen), (TWindowRect{0, 100, 800, 300}));
}

TEST(WindowFit, AWindowPartlyOutsideMovesInByTheLeastDistanceAndOneInsideStays)
{
    EXPECT_EQ(FitWindow({700, 300, 300, 250}, Screen), (TWindowRect{500, 250, 300, 250}));
    // Left of and above the free rectangle (a window placed on a panel).
    EXPECT_EQ(FitWindow({-50, 0, 300, 200}, Screen), (TWindowRect{0, 40, 300, 200}));
    EXPECT_EQ(FitWindow({10, 50, 300, 200}, Screen), (TWindowRect{10, 50, 300, 200}));
    // A child window in a work area that has no room left keeps no negative size.
    EXPECT_EQ(FitWindow({10, 10, 300, 200}, {0, 0, 0, 0}), (TWindowRect{0, 0, 0, 0}));
}

TEST(WindowFit, AWindowWithoutAPlaceOpensCentredAndFitted)
{
    EXPECT_EQ(CentreWindow(400, 200, Screen), (TWindowRect{200, 170, 400, 200}));
    EXPECT_EQ(CentreWindow(2000, 1280, Screen), (TWindowRect{0, 40, 800, 460}));
}
