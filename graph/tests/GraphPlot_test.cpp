#include "graph/GraphPlot.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

TEST(GraphPlot, DefaultsAtConstruction)
{
    TGraphPlot g;
    EXPECT_EQ(g.CurveName, "Curve #");
    EXPECT_TRUE(g.XOnTop);
    EXPECT_TRUE(g.ShowLegend);
    EXPECT_FALSE(g.ShowLayers);
    EXPECT_FALSE(g.ShowWall);
    EXPECT_FALSE(g.ShowThree);
    EXPECT_TRUE(g.ShowFontWidth);
    EXPECT_EQ(g.WallLineCount, 0);
    EXPECT_EQ(g.Markers, 1);
    EXPECT_EQ(g.SizeFont, 10);
    EXPECT_EQ(g.LegendFont, 11);
    EXPECT_EQ(g.WidthLine, 1);
    EXPECT_EQ(g.Units(), UnitSystem::English);
    EXPECT_TRUE(g.LegendLimit);
    EXPECT_FALSE(g.GraphTitleOnTop);
    EXPECT_EQ(g.LineCount(), 0);
    EXPECT_EQ(g.PointCount(), 0);
    EXPECT_FALSE(g.HasPlotForm());
}

TEST(GraphPlot, UnitsAreClampedToOneToThree)
{
    TGraphPlot g;
    const int cases[][2] = {{-4, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 3}, {4, 3}, {99, 3}};
    for (const auto& c : cases) {
        g.SetUnits(NormalizeUnitSystem(c[0]));
        EXPECT_EQ(UnitSystemCode(g.Units()), c[1]) << c[0];
    }
}

TEST(GraphPlot, LineCountAppendsAndFreesFromTheEndKeepingData)
{
    TGraphPlot g;
    g.SetLineCount(3);
    EXPECT_EQ(g.Lines(0).Value, 1);
    EXPECT_EQ(g.Lines(2).Value, 3);
    g.Lines(0).Name = "kept";
    TLine* first = &g.Lines(0);
    g.SetLineCount(1);
    EXPECT_EQ(g.LineCount(), 1);
    EXPECT_EQ(&g.Lines(0), first);
    EXPECT_EQ(g.Lines(0).Name, "kept");
    g.SetLineCount(-2);
    EXPECT_EQ(g.LineCount(), 0);
    // A curve made for another list counts the panel-1 curves of that moment.
    g.SetLineCount(2);
    g.SetLineCount2(1);
    EXPECT_EQ(g.Lines2(0).Value, 3);
}

TEST(GraphPlot, PointCountResizesEveryCurveOfItsListOnly)
{
    TGraphPlot g;
    g.SetPointCount(5);  // empty list: nothing happens
    EXPECT_EQ(g.PointCount(), 0);
    g.SetLineCount(2);
    g.SetLineCount2(1);
    g.SetPointCount(4);
    g.Points(1, 3) = {2.5L, -1};
    EXPECT_EQ(g.Lines(0).PointCount(), 4);
    EXPECT_EQ(g.Lines(1).PointCount(), 4);
    EXPECT_EQ(g.PointCount2(), 0);
    g.SetPointCount(6);
    EXPECT_EQ(g.Points(1, 3).X, 2.5L);
    EXPECT_EQ(g.Points(1, 5).X, 0);
    EXPECT_EQ(g.Points(1, 5).Y, 0);
    g.SetPointCount(-1);
    EXPECT_EQ(g.PointCount(), 0);
}

TEST(GraphPlot, IndexOutsideTheCountsThrows)
{
    TGraphPlot g;
    g.SetLineCount(1);
    g.SetPointCount(2);
    EXPECT_THROW(g.Lines(1), std::out_of_range);
    EXPECT_THROW(g.Layers(0), std::out_of_range);
    EXPECT_THROW(g.Points(0, 2), std::out_of_range);
    EXPECT_THROW(g.Points(0, -1), std::out_of_range);
}

TEST(GraphPlot, GetNameRules)
{
    TGraphPlot g;
    g.CurveName = "Load #";
    g.SetLineCount(3);
    g.SetLineCount2(1);
    g.LineNames = {"preset A", "preset B"};
    g.Lines(1).Name = "own";
    g.Lines(2).Value = 2.5L;
    EXPECT_EQ(g.Lines(0).GetName(), "preset A");  // preset of its position
    EXPECT_EQ(g.Lines(1).GetName(), "own");       // its own name first
    EXPECT_EQ(g.Lines(2).GetName(), "Load #2.5"); // beyond the presets
    EXPECT_EQ(g.Lines2(0).GetName(), "Load #4");  // not in panel 1: the default rule directly
    g.LineNames.clear();
    g.Lines(0).Value = 2;
    EXPECT_EQ(g.Lines(0).GetName(), "Load #2");
    g.Lines(0).Value = 0.1L;
    EXPECT_EQ(g.Lines(0).GetName(), "Load #0.1");
}

struct TemplateCase {
    const char* unitTemplate;
    int units;
    const char* expanded;
};

class UnitTemplate : public testing::TestWithParam<TemplateCase> {};

TEST_P(UnitTemplate, Expands)
{
    const TemplateCase& c = GetParam();
    EXPECT_EQ(ExpandUnitTemplate(c.unitTemplate, NormalizeUnitSystem(c.units)), c.expanded);
}

INSTANTIATE_TEST_SUITE_P(Tokens, UnitTemplate,
                         testing::Values(TemplateCase{"L2", 1, "ft"}, TemplateCase{"L2", 2, "m"},
                                         TemplateCase{"F/L", 1, "lbs/in"}, TemplateCase{"F/L", 2, "kN/m"},
                                         TemplateCase{"F/L", 3, "F/L"}, TemplateCase{"L-F/Rad.", 1, "in-lbs/Rad."},
                                         TemplateCase{"L-F/Rad.", 2, "m-kN/Rad."},
                                         TemplateCase{"F1-L2", 1, "kips-ft"},
                                         // Only the most specific token kind of a family is replaced.
                                         TemplateCase{"F1/F", 1, "kips/F"}, TemplateCase{"L1/L", 2, "mm/L"},
                                         TemplateCase{"F2", 1, "tons"}, TemplateCase{"L1", 2, "mm"},
                                         TemplateCase{"L", 1, "in"}));

TEST(GraphPlot, AxisCaptionAddsTheExpandedTemplate)
{
    EXPECT_EQ(AxisCaption("Depth", "", UnitSystem::English), "Depth");
    EXPECT_EQ(AxisCaption("Depth", "L2", UnitSystem::English), "Depth (ft)");
    EXPECT_EQ(AxisCaption("p", "F/L", UnitSystem::SI), "p (kN/m)");
}

class CountingWindow : public TGraphWindow {
public:
    explicit CountingWindow(int& shows) : shows_(shows) {}
    void ShowWindow() override { ++shows_; }

private:
    int& shows_;
};

TEST(GraphPlot, ExecuteCreatesTheWindowOnceAndShowsItEachTime)
{
    int created = 0, shows = 0;
    TGraphPlot g;
    g.SetWindowFactory([&](TGraphPlot&) {
        ++created;
        return std::make_unique<CountingWindow>(shows);
    });
    g.Execute();
    g.Execute();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(shows, 2);
    EXPECT_TRUE(g.HasPlotForm());
    g.PlotFormClosed();
    EXPECT_FALSE(g.HasPlotForm());
    g.Execute();
    EXPECT_EQ(created, 2);
    TGraphPlot other;
    other.Execute();  // without a GUI nothing opens
    EXPECT_FALSE(other.HasPlotForm());
}

}  // namespace
