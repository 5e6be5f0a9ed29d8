#include "graph/GraphGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void AddCurve(TGraphPlot& g, std::initializer_list<TFloatPoint> points)
{
    g.SetLineCount(g.LineCount() + 1);
    TLine& line = g.Lines(g.LineCount() - 1);
    line.Points.assign(points.begin(), points.end());
}

struct RangeCase {
    long double min, max;          // extent of the data (0 included)
    long double roundedMin, roundedMax;
};

class AxisRange : public testing::TestWithParam<RangeCase> {};

TEST_P(AxisRange, RoundsToTheStepBelowTheRange)
{
    const RangeCase& c = GetParam();
    const auto r = RoundAxisRange(c.min, c.max);
    ASSERT_TRUE(r);
    EXPECT_NEAR(static_cast<double>(r->Min), static_cast<double>(c.roundedMin), 1e-12);
    EXPECT_NEAR(static_cast<double>(r->Max), static_cast<double>(c.roundedMax), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, AxisRange,
                         testing::Values(RangeCase{0, 0, -0.01L, 0.01L},    // degenerate: widened by 0.01
                                         RangeCase{0, 47, 0, 50},           // step 10
                                         RangeCase{0, 2.5L, 0, 2.5L},       // 2.5 < 3: step 0.1
                                         RangeCase{-0.37L, 0, -0.4L, 0},    // 0.37 > 0.3: step 0.1
                                         RangeCase{-12.5L, 3.2L, -13, 4},   // 15.7 < 30: step 1
                                         RangeCase{0, 301, 0, 400},         // 301 > 300: step 100
                                         RangeCase{-1.2e-3L, 4e-3L, -2e-3L, 4e-3L}));  // step 0.001

TEST(AxisRangeOfPanel, ContainsZeroAndEveryPointActiveOrNot)
{
    TGraphPlot g;
    AddCurve(g, {{3, 10}, {47, 20}});
    AddCurve(g, {{5, 3}});
    g.Lines(1).Active = false;
    g.Lines(1).Points[0] = {-8, 3};
    const auto r = PanelRange(g.LineList1());
    ASSERT_TRUE(r);
    EXPECT_EQ(r->X.Min, -10);
    EXPECT_EQ(r->X.Max, 50);
    EXPECT_EQ(r->Y.Min, 0);
    EXPECT_EQ(r->Y.Max, 20);
}

TEST(AxisRangeOfPanel, AllPointsAtTheOriginGiveAHundredthEachWay)
{
    TGraphPlot g;
    AddCurve(g, {{0, 0}, {0, 0}});
    const auto ranges = GraphRanges(g);
    ASSERT_TRUE(ranges);
    EXPECT_NEAR(static_cast<double>(ranges->Panel[0].X.Min), -0.01, 1e-15);
    EXPECT_NEAR(static_cast<double>(ranges->Panel[0].Y.Max), 0.01, 1e-15);
    // Empty panels 2 and 3 get the same degenerate range.
    EXPECT_NEAR(static_cast<double>(ranges->Panel[2].Y.Min), -0.01, 1e-15);
}

TEST(AxisRangeOfPanel, TheGraphFitsTheCurvesDrawnWithValuesOffTheFrame)
{
    // 25 p-y curves; a new window draws the first 20, so the large 23rd does not size the axes.
    TGraphPlot py;
    py.XOnTop = false;
    for (int i = 0; i < 25; ++i)
        AddCurve(py, {{-2, i == 22 ? -2000.0L : -40}, {2, i == 22 ? 2000.0L : 40}});
    ActivateCurves(py);
    auto ranges = GraphRanges(py);
    ASSERT_TRUE(ranges);
    EXPECT_LT(ranges->Panel[0].Y.Max, 100);
    // A peak on a round value (40, and the 2 of y) keeps a margin from the frame.
    EXPECT_GT(ranges->Panel[0].Y.Max, 40);
    EXPECT_GT(ranges->Panel[0].X.Max, 2);
    EXPECT_LT(ranges->Panel[0].X.Min, -2);

    // A depth plot: the moment keeps its margin, the depth axis ends at the tip.
    TGraphPlot moment;
    AddCurve(moment, {{0, 0}, {130, 14}, {0, 22}});
    ranges = GraphRanges(moment);
    ASSERT_TRUE(ranges);
    EXPECT_GT(ranges->Panel[0].X.Max, 130);
    EXPECT_EQ(ranges->Panel[0].Y.Max, 22);
}

TEST(Palette, LightColoursAreDarkenedForLegendText)
{
    for (int c = 0; c < 17; ++c) {
        const TRgb rgb = LegendTextColor(c), own = PaletteColor(c);
        EXPECT_LE(0.299 * rgb.R + 0.587 * rgb.G + 0.114 * rgb.B, 0.43 * 255) << c;
        // The hue stays: a channel that is zero stays zero, the order of the channels stays.
        EXPECT_EQ(rgb.R == 0, own.R == 0) << c;
        EXPECT_EQ(rgb.R >= rgb.G, own.R >= own.G) << c;
    }
    EXPECT_EQ(LegendTextColor(1).B, 255);  // blue reads as it is
}

TEST(AxisRangeOfPanel, NonFiniteExtentHasNoRange)
{
    EXPECT_FALSE(RoundAxisRange(0, INFINITY));
    EXPECT_FALSE(RoundAxisRange(0, NAN));
}

struct TickCase {
    long double min, max;
    int span, textHeight, k;
    long double major;
    long long imin, imax;
};

class Ticks : public testing::TestWithParam<TickCase> {};

TEST_P(Ticks, StepAndIndices)
{
    const TickCase& c = GetParam();
    const TAxisTicks t = AxisTicks({c.min, c.max}, c.span, c.textHeight, c.k);
    ASSERT_TRUE(t.Exists);
    EXPECT_NEAR(static_cast<double>(t.Major), static_cast<double>(c.major), 1e-12);
    EXPECT_NEAR(static_cast<double>(t.Minor), static_cast<double>(c.major / 5), 1e-12);
    EXPECT_EQ(t.IMin, c.imin);
    EXPECT_EQ(t.IMax, c.imax);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ticks,
    testing::Values(TickCase{0, 50, 840, 14, 6, 5, 0, 50},        // n = 10, raw 5 -> 5
                    TickCase{0, 50, 420, 14, 6, 10, 0, 25},       // n = 5, raw 10 -> m = 1 -> 10
                    TickCase{-0.4L, 0, 336, 14, 4, 0.05L, -40, 0}, // n = 6, raw 0.0667: m = 6 -> 5g
                    TickCase{0, 2.5L, 252, 14, 6, 0.5L, 0, 25},    // n = 3, raw 0.833: m = 8 -> 5g
                    TickCase{-16, 4, 504, 14, 6, 2, -40, 10},      // n = 6, raw 3.33: m = 3 -> 2g
                    TickCase{0, 9.5L, 84, 14, 6, 10, 0, 4}));      // n = 1, raw 9.5: m = 9 -> 10g

TEST(Ticks, TooSmallAPanelHasNone)
{
    EXPECT_FALSE(AxisTicks({0, 10}, 83, 14, 6).Exists);  // 83 < 6 x 14
    EXPECT_TRUE(AxisTicks({0, 10}, 84, 14, 6).Exists);
    EXPECT_FALSE(AxisTicks({0, 10}, 500, 0, 6).Exists);
}

TEST(Mapping, BothDirectionsAndTheInverse)
{
    TPanelMapping m{{100, 50, 500, 250}, {{0, 40}, {0, 10}}, true};
    EXPECT_EQ(m.X(0), 100);
    EXPECT_EQ(m.X(40), 500);
    EXPECT_EQ(m.X(10), 200);
    EXPECT_EQ(m.Y(0), 50);   // depth 0 at the top
    EXPECT_EQ(m.Y(10), 250);
    EXPECT_EQ(m.Y(2.5L), 100);
    EXPECT_NEAR(static_cast<double>(m.DataX(300)), 20, 1e-12);
    EXPECT_NEAR(static_cast<double>(m.DataY(150)), 5, 1e-12);
    m.XOnTop = false;
    EXPECT_EQ(m.Y(0), 250);
    EXPECT_EQ(m.Y(10), 50);
    EXPECT_NEAR(static_cast<double>(m.DataY(100)), 7.5, 1e-12);
    EXPECT_EQ(m.X(1e30L), 10000000);  // far-away points stay within painter coordinates
}

struct LayoutCase {
    const char* name;
    TPlotTarget target;
    bool xOnTop, titleOnTop, withTitle, layers;
    TPixelRect client;
    TPixelRect plot;
};

class Layout : public testing::TestWithParam<LayoutCase> {};

// H = 14, Px = Py = 96: 2H + Px/8 + H/8 = 41, Px/4 + H/2 = 31, H/2 + Py/4 = 31.
TEST_P(Layout, PlottingRectangle)
{
    const LayoutCase& c = GetParam();
    TGraphPlot g;
    g.XOnTop = c.xOnTop;
    g.GraphTitleOnTop = c.titleOnTop;
    g.GraphTitle = c.withTitle ? "Title" : "";
    g.ShowLayers = c.layers;
    const TPlotLayout l = ComputeLayout(g, {c.target, c.client, 14, 96, 96});
    EXPECT_EQ(l.Plot.Left, c.plot.Left) << c.name;
    EXPECT_EQ(l.Plot.Top, c.plot.Top) << c.name;
    EXPECT_EQ(l.Plot.Right, c.plot.Right) << c.name;
    EXPECT_EQ(l.Plot.Bottom, c.plot.Bottom) << c.name;
    EXPECT_EQ(l.HasStrip, c.layers);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, Layout,
    testing::Values(
        LayoutCase{"screen top axis", TPlotTarget::Screen, true, false, false, false, {0, 0, 800, 600}, {41, 41, 769, 569}},
        LayoutCase{"screen bottom axis", TPlotTarget::Screen, false, false, false, false, {0, 0, 800, 600}, {41, 31, 769, 559}},
        LayoutCase{"screen title on top", TPlotTarget::Screen, true, true, true, false, {0, 0, 800, 600}, {41, 56, 769, 569}},
        LayoutCase{"screen title below", TPlotTarget::Screen, true, false, true, false, {0, 0, 800, 600}, {41, 41, 769, 555}},
        LayoutCase{"bitmap makes room for the title", TPlotTarget::Bitmap, true, true, true, false, {0, 0, 800, 600}, {41, 56, 769, 569}},
        LayoutCase{"screen layers", TPlotTarget::Screen, true, false, false, true, {0, 0, 800, 600}, {41, 41, 673, 569}},
        LayoutCase{"bitmap layers", TPlotTarget::Bitmap, true, false, false, true, {0, 0, 800, 600}, {41, 41, 721, 569}},
        LayoutCase{"printer", TPlotTarget::Printer, true, false, false, false, {96, 96, 704, 504}, {137, 137, 704, 504}},
        LayoutCase{"printer bottom axis, title below", TPlotTarget::Printer, false, false, true, false, {96, 96, 704, 504}, {137, 96, 704, 415}},
        LayoutCase{"printer title on top", TPlotTarget::Printer, true, true, true, false, {96, 96, 704, 504}, {137, 161, 704, 504}}));

TEST(Layout, StripAndThreePanels)
{
    TGraphPlot g;
    g.ShowLayers = true;
    g.ShowThree = true;
    const TPlotLayout l = ComputeLayout(g, {TPlotTarget::Screen, {0, 0, 1000, 600}, 14, 96, 96});
    // R = 969 - 96 = 873; the strip from R + Px/5 to the old R.
    EXPECT_EQ(l.Strip.Left, 892);
    EXPECT_EQ(l.Strip.Right, 969);
    EXPECT_EQ(l.Strip.Top, 41);
    ASSERT_EQ(l.PanelCount, 3);
    // pw = (873 - 41 - 56 - 48) / 3 = 242; gaps of 2H + Px/4 = 52.
    EXPECT_EQ(l.Panels[0].Left, 41);
    EXPECT_EQ(l.Panels[0].Right, 283);
    EXPECT_EQ(l.Panels[1].Left, 335);
    EXPECT_EQ(l.Panels[1].Right, 577);
    EXPECT_EQ(l.Panels[2].Left, 629);
    EXPECT_EQ(l.Panels[2].Right, 873);
}

TEST(Layout, UprightDepthLabelsGetTheirWidthBesideEveryPanel)
{
    TGraphPlot g;
    g.ShowThree = true;
    TLayoutInput in{TPlotTarget::Bitmap, {0, 0, 1000, 600}, 14, 96, 96};
    const TPlotLayout upwards = ComputeLayout(g, in);
    in.UprightLabelWidth = 50;
    const TPlotLayout upright = ComputeLayout(g, in);
    // Each panel's caption (H) and labels (50 instead of H) fit before it.
    EXPECT_EQ(upright.Panels[0].Left - upwards.Panels[0].Left, 50 - 14);
    for (int k = 1; k < 3; ++k)
        EXPECT_EQ(upright.Panels[k].Left - upright.Panels[k - 1].Right, upwards.Panels[k].Left - upwards.Panels[k - 1].Right + 50 - 14);
    EXPECT_EQ(upright.Panels[2].Right, upwards.Panels[2].Right);
}

TEST(TextAndPen, ScaledHeightAndPenWidth)
{
    EXPECT_EQ(ScaledTextHeight(14, 10), 14);
    EXPECT_EQ(ScaledTextHeight(14, 15), 21);
    EXPECT_EQ(ScaledTextHeight(-11, 25), 27);
    EXPECT_EQ(CurvePenWidth(96, 1), 1);
    EXPECT_EQ(CurvePenWidth(150, 2), 2);   // 0.5 rounds to even: 0
    EXPECT_EQ(CurvePenWidth(450, 1), 3);   // 1.5 rounds to even: 2
    EXPECT_EQ(CurvePenWidth(600, 4), 12);
}

TEST(Markers, ShapesByPosition)
{
    // Curve 0: a triangle with its apex down (closed: 4 vertices).
    const auto t = MarkerVertices(0, 100, 100, 3, 3);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].X, 100);
    EXPECT_EQ(t[0].Y, 103);
    EXPECT_EQ(t[1].X, 97);  // 300 degrees: sin = -0.866
    EXPECT_EQ(t[1].Y, 98);
    EXPECT_EQ(t[3].X, t[0].X);
    EXPECT_EQ(t[3].Y, t[0].Y);
    // Curve 1: an upright square.
    const auto s = MarkerVertices(1, 0, 0, 10, 10);
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].X, 7);
    EXPECT_EQ(s[0].Y, -7);
    EXPECT_EQ(s[2].X, -7);
    EXPECT_EQ(s[2].Y, 7);
    // Curve 3: a diamond with its first corner on top; curve 4 a pentagon.
    const auto d = MarkerVertices(3, 0, 0, 10, 5);
    ASSERT_EQ(d.size(), 5u);
    EXPECT_EQ(d[0].X, 0);
    EXPECT_EQ(d[0].Y, -5);
    EXPECT_EQ(d[1].X, 10);
    EXPECT_EQ(d[1].Y, 0);
    EXPECT_EQ(MarkerVertices(2, 0, 0, 3, 3).size(), 4u);
    EXPECT_EQ(MarkerVertices(4, 0, 0, 3, 3).size(), 6u);
}

TEST(Palette, SeventeenEntriesRepeating)
{
    EXPECT_EQ(PaletteColor(1).B, 255);
    EXPECT_EQ(PaletteColor(2).R, 255);
    EXPECT_EQ(PaletteColor(3).G, 128);
    EXPECT_EQ(PaletteColor(12).R, 128);
    EXPECT_EQ(PaletteColor(14).G, 192);
    EXPECT_EQ(PaletteColor(16).G, 255);
    EXPECT_EQ(PaletteColor(16).R, 0);
    EXPECT_EQ(PaletteColor(17).R, 0);
    EXPECT_EQ(PaletteColor(18).B, 255);
}

TEST(Palette, CurvesThatShareAColourDifferInTheirDashes)
{
    // A p-y graph shows 20 curves: 17 to 19 take the colours of 0 to 2.
    for (int c = 0; c < 68; ++c)
        for (int d = c + 17; d < 68; d += 17)
            EXPECT_NE(CurveDash(c), CurveDash(d)) << c << " and " << d;
    EXPECT_EQ(CurveDash(16), TCurveDash::Solid);
}

TEST(Legend, ActiveCurvesWithTheOwnersCaption)
{
    TGraphPlot g;
    g.SetLineCount(4);
    g.Lines(1).Active = false;
    g.Lines(2).Name = "named";
    g.onGetCaption = [](int index, std::string& text) {
        if (index == 3)
            text = "replaced";
    };
    const auto e = LegendEntries(g);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].Curve, 0);
    EXPECT_EQ(e[0].Text, "Curve #1");
    EXPECT_EQ(e[1].Curve, 2);
    EXPECT_EQ(e[1].Text, "named");
    EXPECT_EQ(e[2].Text, "replaced");
}

TEST(Legend, ANewWindowActivatesTwentyOfManyCurves)
{
    TGraphPlot g;
    g.SetLineCount(25);
    g.Lines(3).Active = false;
    ActivateCurves(g);
    EXPECT_EQ(LegendEntries(g).size(), 20u);
    EXPECT_TRUE(g.Lines(3).Active);
    EXPECT_FALSE(g.Lines(20).Active);
    g.LegendLimit = false;
    ActivateCurves(g);
    EXPECT_EQ(LegendEntries(g).size(), 25u);
    g.LegendLimit = true;
    g.SetLineCount(20);
    ActivateCurves(g);
    EXPECT_EQ(LegendEntries(g).size(), 20u);
}

// A strip of 100 x 200 pixels beside depths 0 to 20 (10 pixels per unit).
struct StripFixture : testing::Test {
    TGraphPlot g;
    TPixelRect strip{500, 0, 600, 200};
    TPanelMapping map{{0, 0, 400, 200}, {{0, 1}, {0, 20}}, true};

    void Layers(std::initializer_list<TFloatPoint> entries, int wallLineCount)
    {
        g.SetLayerCount(static_cast<int>(entries.size()));
        g.SetLayerPointCount(1);
        int i = 0;
        for (const TFloatPoint& p : entries)
            g.Layers(i++).Points[0] = p;
        g.WallLineCount = wallLineCount;
    }
};

TEST_F(StripFixture, WithoutTheWallBandsFollowOneAnother)
{
    // Clay to 5, sand to 12, wall bottom 18, excavation 8.
    Layers({{1, 5}, {7, 12}, {0, 18}, {0, 8}}, 2);
    const auto b = SoilStripBands(g, strip, map, 200);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0].Code, 1);
    EXPECT_EQ(b[0].Top, 0);
    EXPECT_EQ(b[0].Bottom, 51);  // overlaps the next band by one pixel
    EXPECT_EQ(b[0].Right, 599);
    EXPECT_TRUE(b[0].Labelled);
    EXPECT_EQ(b[1].Code, 7);
    EXPECT_EQ(b[1].Top, 50);
    EXPECT_EQ(b[1].Bottom, 120);  // the last band does not overlap
}

TEST_F(StripFixture, WithoutWallEntriesEveryEntryIsABandLimitedToTheBottom)
{
    Layers({{1, 5}, {7, 40}}, 0);
    const auto b = SoilStripBands(g, strip, map, 180);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[1].Bottom, 180);
}

TEST_F(StripFixture, WithTheWallBothSidesAndTheBar)
{
    g.ShowWall = true;
    // Clay to 5 (above the excavation at 8), sand to 12 (cut by it), silt to 20; wall to 18.
    Layers({{1, 5}, {7, 12}, {8, 20}, {0, 18}, {0, 8}}, 3);
    const auto b = SoilStripBands(g, strip, map, 200);
    ASSERT_EQ(b.size(), 5u);
    // Clay: retained side only (to 2w/5).
    EXPECT_EQ(b[0].Left, 500);
    EXPECT_EQ(b[0].Right, 540);
    EXPECT_EQ(b[0].Top, 0);
    EXPECT_EQ(b[0].Bottom, 51);
    // Sand: retained side from 5 to 12, excavated side from the excavation (80) to 12.
    EXPECT_EQ(b[1].Right, 540);
    EXPECT_EQ(b[1].Top, 50);
    EXPECT_EQ(b[2].Left, 560);
    EXPECT_EQ(b[2].Right, 599);
    EXPECT_EQ(b[2].Top, 80);
    EXPECT_EQ(b[2].Bottom, 121);
    // Silt below the excavation: across the strip; last layer before the wall: no overlap.
    EXPECT_EQ(b[3].Left, 500);
    EXPECT_EQ(b[3].Right, 599);
    EXPECT_EQ(b[3].Top, 120);
    EXPECT_EQ(b[3].Bottom, 200);
    // The wall bar in the middle fifth, down to its bottom, drawn last.
    EXPECT_TRUE(b[4].IsWall);
    EXPECT_EQ(b[4].Left, 540);
    EXPECT_EQ(b[4].Right, 560);
    EXPECT_EQ(b[4].Bottom, 180);
    for (const TStripBand& band : b)
        EXPECT_FALSE(band.Labelled);
}

TEST_F(StripFixture, NothingWithoutEntriesOrPoints)
{
    EXPECT_TRUE(SoilStripBands(g, strip, map, 200).empty());
    g.SetLayerCount(2);
    EXPECT_TRUE(SoilStripBands(g, strip, map, 200).empty());
}

}  // namespace
