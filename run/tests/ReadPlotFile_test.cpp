#include "run/ReadPlotFile.h"

#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "run/ResultGraphs.h"
#include "tables/Data.h"
#include "tables/GridTable.h"
#include "units/ScriptedPrompt.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <unistd.h>

namespace {

std::string Data(const std::string& name)
{
    return std::string(TORVIK_TEST_DATA_DIR) + "/" + name;
}

// Sizes of a generated plot data file.
struct FileShape {
    int sections = 1;
    int lines = 1;          // L of every section (section 1 decides the section count)
    int laterLines = -1;    // L of sections 2 and on; -1: as `lines`
    int pressurePoints = 3;
    int rows = 3;
    int curves = 2;
    int curvePoints = 3;
};

// Writes a plot data file of the given shape to a temporary file and returns its name.
std::string WriteFile(const FileShape& f, const std::string& name)
{
    // Named per process: test processes run side by side.
    const std::string path =
        (std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "_" + name)).string();
    std::ofstream out(path);
    for (int s = 1; s <= f.sections; ++s) {
        out << f.pressurePoints << "\n";
        for (int j = 0; j < f.pressurePoints; ++j)
            out << j << " " << 2 * j << " " << j << " " << j << "\n";
        out << "2\n" << f.curves << "\n";
        for (int c = 0; c < f.curves; ++c) {
            out << c + 1 << " " << f.curvePoints << "\n";
            for (int j = 0; j < f.curvePoints; ++j)
                out << 0.001 * j << " " << 10 * j << "\n";
        }
        out << (s == 1 || f.laterLines < 0 ? f.lines : f.laterLines) << "\n" << f.rows << "\n0\n";
        for (int j = 0; j < f.rows; ++j)
            out << 0.1 * j << " " << 0.001 * (f.rows - j) << " " << s * j << " " << -j << " " << j << "\n";
    }
    return path;
}

struct Reader : testing::Test {
    TResultGraphs g;
    TPlotReadContext context;
    ScriptedPrompt prompt;

    bool Read(const std::string& path, bool reportErrors = true)
    {
        return ReadPlotFile(g, path, reportErrors, context, &prompt);
    }
};

TEST_F(Reader, SingleSectionInSiUnits)
{
    context.UnitSystem = UnitSystem::SI;
    context.NodeCount = 30;
    context.IncrementLength = 0.1L;
    context.WallHeight = 1.5L;
    context.SoilLayers = {{2, 2.0L}, {4, 3.5L}};
    ASSERT_TRUE(Read(Data("single_si.tk4p"))) << context.ErrorMessage;
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(context.PressurePointCount, 3);

    // Earth pressure: total against depth, and the three distributions of section 1.
    ASSERT_EQ(g.EarthPressure.LineCount(), 1);
    EXPECT_EQ(g.EarthPressure.PointCount(), 3);
    EXPECT_EQ(g.EarthPressure.Points(0, 2).X, 10);
    EXPECT_EQ(g.EarthPressure.Points(0, 2).Y, 2);
    ASSERT_EQ(g.CombinedPressure.LineCount(), 3);
    EXPECT_EQ(g.CombinedPressure.Points(1, 1).X, 4);
    EXPECT_EQ(g.CombinedPressure.Points(2, 2).X, 2);
    EXPECT_EQ(g.CombinedPressure.Lines(0).GetName(), "Total Earth Pressure");
    EXPECT_EQ(g.CombinedPressure.Lines(1).GetName(), "from Soils ");
    EXPECT_EQ(g.CombinedPressure.Lines(2).GetName(), "from Surcharge Loads");

    // p-y curves: the shorter curve ends in a copy of its last point.
    ASSERT_EQ(g.PyCurves.LineCount(), 2);
    EXPECT_EQ(g.PyCurves.PointCount(), 3);
    // The legend gives each curve its depth with a space and the unit.
    EXPECT_EQ(g.PyCurves.Lines(0).GetName(), "Depth 1.5 m");
    EXPECT_EQ(g.PyCurves.Lines(1).GetName(), "Depth 3 m");
    EXPECT_EQ(g.PyCurves.Points(1, 2).X, g.PyCurves.Points(1, 1).X);
    EXPECT_EQ(g.PyCurves.Points(1, 2).Y, 40);

    // Results along the wall, unconverted.
    for (TGraphPlot* graph : {&g.Deflection, &g.Moment, &g.Shear, &g.SoilReaction}) {
        ASSERT_EQ(graph->LineCount(), 1);
        EXPECT_EQ(graph->PointCount(), 4);
        EXPECT_EQ(graph->Points(0, 1).Y, 1);
        EXPECT_EQ(graph->Lines(0).GetName(), "Load #1");
    }
    EXPECT_EQ(g.Deflection.Points(0, 1).X, 0.005L);
    EXPECT_EQ(g.Moment.Points(0, 1).X, 12.5L);
    EXPECT_EQ(g.Shear.Points(0, 1).X, -3);
    EXPECT_EQ(g.SoilReaction.Points(0, 1).X, 4);

    // The three-panel graph repeats deflection, moment and shear.
    EXPECT_TRUE(g.DeflectionMomentShear.ShowThree);
    ASSERT_EQ(g.DeflectionMomentShear.LineCount2(), 1);
    EXPECT_EQ(g.DeflectionMomentShear.Points(0, 2).X, 0.001L);
    EXPECT_EQ(g.DeflectionMomentShear.Points2(0, 2).X, 20);
    EXPECT_EQ(g.DeflectionMomentShear.Points3(0, 2).X, -6);

    // Captions and units of SI, per metre of wall (a strip one length unit wide).
    EXPECT_EQ(g.Deflection.YCaption, "Depth (m)");
    EXPECT_EQ(g.Moment.XCaption, "Bending Moment (m-kN/m)");
    EXPECT_EQ(g.Shear.XCaption, "Shear (kN/m)");
    EXPECT_EQ(g.DeflectionMomentShear.XCaption2, "Bending Moment (m-kN/m)");
    EXPECT_EQ(g.DeflectionMomentShear.YCaption3, "Depth (m)");
    EXPECT_EQ(g.DeflectionMomentShear.XUnits, "L");
    for (auto& [name, graph] : g.All())
        EXPECT_EQ(graph->Units(), UnitSystem::SI) << name;
    EXPECT_EQ(AxisCaption(g.SoilReaction.XCaption, g.SoilReaction.XUnits, g.SoilReaction.Units()),
              "Reaction per m of width (kN/m)");
    // The combined pressures are distributed loads too, not a bare unit.
    EXPECT_EQ(AxisCaption(g.CombinedPressure.XCaption, g.CombinedPressure.XUnits, g.CombinedPressure.Units()),
              "Earth pressure per m of width (kN/m)");

    // Spaced units analysed as a strip of their spacing: every axis says so.
    context.StripWidth = 2.5;
    ASSERT_TRUE(Read(Data("single_si.tk4p")));
    EXPECT_EQ(g.Moment.XCaption, "Bending Moment (m-kN per 2.5 m strip)");
    EXPECT_EQ(g.DeflectionMomentShear.XCaption3, "Shear (kN per 2.5 m strip)");
    EXPECT_EQ(AxisCaption(g.SoilReaction.XCaption, g.SoilReaction.XUnits, g.SoilReaction.Units()),
              "Reaction per 2.5 m strip (kN/m)");
    EXPECT_EQ(AxisCaption(g.EarthPressure.XCaption, g.EarthPressure.XUnits, g.EarthPressure.Units()),
              "Distributed load per 2.5 m strip (kN/m)");
}

TEST_F(Reader, SoilLayerAndWallEntriesOfTheThreePanelGraph)
{
    context.UnitSystem = UnitSystem::SI;
    context.NodeCount = 40;
    context.IncrementLength = 0.25L;
    context.WallHeight = 4;
    context.SoilLayers = {{1, 2}, {3, 3}, {4, 5}, {5, 6}, {6, 7}, {7, 9}, {9, 10}};
    ASSERT_TRUE(Read(Data("single_si.tk4p")));
    const TGraphPlot& d = g.DeflectionMomentShear;
    ASSERT_EQ(d.LayerCount(), 9);
    EXPECT_EQ(d.WallLineCount, 7);
    const struct {
        const char* name;
        int code;
        long double depth;
    } expected[] = {{" CLAY ", 1, 2}, {" CLAY ", 1, 3},       {" SAND ", 7, 5}, {" SILT ", 8, 6},
                    {"STRONG ROCK", 9, 7}, {"WEAK ROCK", 10, 9}, {"LAYER 7", 0, 10}, {"PILE", 0, 10},
                    {"PILE", 0, 4}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(d.Layers(i).Name, expected[i].name) << i;
        ASSERT_EQ(d.Layers(i).PointCount(), 1);
        EXPECT_EQ(d.Layers(i).Points[0].X, expected[i].code) << i;
        EXPECT_EQ(d.Layers(i).Points[0].Y, expected[i].depth) << i;
    }
}

TEST_F(Reader, EnglishUnitsAreConvertedByTheSectionsFlag)
{
    context.UnitSystem = UnitSystem::English;
    context.NodeCount = 100;
    context.IncrementLength = 2.4L;  // inches, as the wall holds it
    context.WallHeight = 120;
    context.SoilLayers = {{4, 12.5L}};  // feet, as the table holds it
    ASSERT_TRUE(Read(Data("english.tk4p"))) << context.ErrorMessage;
    EXPECT_EQ(g.Deflection.Points(0, 1).Y, 10);
    EXPECT_EQ(g.Deflection.Points(0, 2).Y, 20);
    EXPECT_EQ(g.Deflection.Points(0, 1).X, 0.25L);  // deflection never converted
    EXPECT_EQ(g.Moment.Points(0, 1).X, 5);
    EXPECT_EQ(g.Shear.Points(0, 1).X, -2);
    EXPECT_EQ(g.SoilReaction.Points(0, 1).X, 30);    // soil reaction never converted
    EXPECT_EQ(g.EarthPressure.Points(0, 1).Y, 10);
    EXPECT_EQ(g.EarthPressure.Points(0, 1).X, 50);
    EXPECT_EQ(g.CombinedPressure.Points(0, 1).Y, 10);
    EXPECT_EQ(g.PyCurves.LineCount(), 0);
    EXPECT_EQ(g.Deflection.YCaption, "Depth (ft)");
    // Per inch of wall: the analysed strip is one length unit wide.
    EXPECT_EQ(g.Moment.XCaption, "Bending Moment (in-kips/in)");
    EXPECT_EQ(g.Shear.XCaption, "Shear (kips/in)");
    EXPECT_EQ(g.EarthPressure.YCaption, "Depth (ft)");
    EXPECT_EQ(g.DeflectionMomentShear.Units(), UnitSystem::English);
    // Wall bottom and excavation level in feet, as the depth axis.
    ASSERT_EQ(g.DeflectionMomentShear.LayerCount(), 3);
    EXPECT_EQ(g.DeflectionMomentShear.Layers(0).Points[0].Y, 12.5L);
    EXPECT_NEAR(static_cast<double>(g.DeflectionMomentShear.Layers(1).Points[0].Y), 20, 1e-12);
    EXPECT_EQ(g.DeflectionMomentShear.Layers(2).Points[0].Y, 10);
    EXPECT_EQ(AxisCaption(g.SoilReaction.XCaption, g.SoilReaction.XUnits, UnitSystem::English),
              "Reaction per in of width (lbs/in)");
    // A strip of one foot (Wa = 12 in) reads as a rate per foot.
    context.StripWidth = 12;
    ASSERT_TRUE(Read(Data("english.tk4p")));
    EXPECT_EQ(g.Moment.XCaption, "Bending Moment (in-kips/ft)");
}

TEST_F(Reader, CombinedPressureDepthsFollowTheWallsUnits)
{
    context.UnitSystem = UnitSystem::SI;  // an SI wall: the file's flag does not matter here
    ASSERT_TRUE(Read(Data("english.tk4p")));
    EXPECT_EQ(g.CombinedPressure.Points(0, 1).Y, 120);
    EXPECT_EQ(g.EarthPressure.Points(0, 1).Y, 10);
}

TEST_F(Reader, BlankLinesAndTabsCarryNoMeaning)
{
    TResultGraphs reference;
    TPlotReadContext referenceContext;
    ASSERT_TRUE(ReadPlotFile(reference, Data("english.tk4p"), true, referenceContext, nullptr));
    ASSERT_TRUE(Read(Data("english_blank_lines.tk4p"))) << context.ErrorMessage;
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(g.Moment.Points(0, j).X, reference.Moment.Points(0, j).X);
        EXPECT_EQ(g.Moment.Points(0, j).Y, reference.Moment.Points(0, j).Y);
    }
}

TEST_F(Reader, StagedFileNamesStagesAndFillsShortLines)
{
    ASSERT_TRUE(Read(Data("staged.tk4p"))) << context.ErrorMessage;
    EXPECT_EQ(context.PressurePointCount, 3);
    for (TGraphPlot* graph : {&g.Deflection, &g.Moment, &g.Shear, &g.SoilReaction, &g.DeflectionMomentShear}) {
        ASSERT_EQ(graph->LineCount(), 3);
        EXPECT_EQ(graph->Lines(0).GetName(), "Stage: 1");
        EXPECT_EQ(graph->Lines(1).GetName(), "Stage: 2");
        EXPECT_EQ(graph->Lines(2).GetName(), "Stage: 3");
        EXPECT_EQ(graph->PointCount(), 4);
    }
    // Section 1 had 3 rows: its line ends in a copy of row 3.
    EXPECT_EQ(g.Deflection.Points(0, 3).X, 3);
    EXPECT_EQ(g.Deflection.Points(0, 3).Y, 2);
    // Section 2 had 2 rows.
    EXPECT_EQ(g.Deflection.Points(1, 2).X, 2.5L);
    EXPECT_EQ(g.Deflection.Points(1, 3).Y, 1);
    EXPECT_EQ(g.Moment.Points(1, 3).X, 4);
    EXPECT_EQ(g.DeflectionMomentShear.Points3(1, 3).X, 5);
    // Section 3 is complete.
    EXPECT_EQ(g.Deflection.Points(2, 3).X, 5);
    EXPECT_EQ(g.Moment.Points(2, 3).X, 3);
    // One pressure line per section, filled up to the most points.
    ASSERT_EQ(g.EarthPressure.LineCount(), 3);
    EXPECT_EQ(g.EarthPressure.PointCount(), 3);
    EXPECT_EQ(g.EarthPressure.Points(0, 2).X, 10);
    EXPECT_EQ(g.EarthPressure.Points(1, 2).X, 30);
    // The combined graph is section 1's; the p-y graph the last section's (none).
    EXPECT_EQ(g.CombinedPressure.PointCount(), 2);
    EXPECT_EQ(g.PyCurves.LineCount(), 0);
}

TEST_F(Reader, ShortTermAndLongTermNames)
{
    context.LongTermMarker = 9;
    ASSERT_TRUE(Read(Data("longterm.tk4p"))) << context.ErrorMessage;
    for (TGraphPlot* graph : {&g.Deflection, &g.Moment, &g.Shear, &g.SoilReaction, &g.DeflectionMomentShear}) {
        ASSERT_EQ(graph->LineCount(), 2);
        EXPECT_EQ(graph->Lines(0).GetName(), "Short-Term");
        EXPECT_EQ(graph->Lines(1).GetName(), "Long-Term");
    }
    EXPECT_EQ(g.Shear.Points(1, 1).X, 6);
}

TEST_F(Reader, NoResultLinesGivesOneEmptyLine)
{
    ASSERT_TRUE(Read(Data("no_lines.tk4p"))) << context.ErrorMessage;
    for (TGraphPlot* graph : {&g.Deflection, &g.Moment, &g.Shear, &g.SoilReaction}) {
        ASSERT_EQ(graph->LineCount(), 1);
        EXPECT_EQ(graph->PointCount(), 0);
    }
    EXPECT_EQ(g.DeflectionMomentShear.LayerCount(), 0);
}

TEST_F(Reader, ANewReadFirstEmptiesTheGraphs)
{
    context.SoilLayers = {{4, 3}};
    ASSERT_TRUE(Read(Data("single_si.tk4p")));
    EXPECT_FALSE(Read(Data("truncated.tk4p"), false));
    EXPECT_EQ(g.PyCurves.LineCount(), 2);  // read again before the failure
    EXPECT_EQ(g.DeflectionMomentShear.LayerCount(), 0);
    EXPECT_EQ(g.DeflectionMomentShear.PointCount2(), 4);  // section 1 set the counts before its rows failed
    EXPECT_FALSE(Read(Data("missing.tk4p"), false));
    for (auto& [name, graph] : g.All())
        EXPECT_EQ(graph->PointCount(), 0) << name;
}

struct FailureCase {
    const char* name;
    std::string file;                // a file of the test data, or
    std::optional<FileShape> shape;  // the shape of a file written for the case
    std::string message;             // the reason kept for the command line
};

class ReadFailure : public Reader, public testing::WithParamInterface<FailureCase> {};

TEST_P(ReadFailure, IsReportedOnlyAfterARun)
{
    const FailureCase& c = GetParam();
    const std::string file = c.shape ? WriteFile(*c.shape, "failure.tk4p") : c.file;
    EXPECT_FALSE(Read(file, false));
    EXPECT_TRUE(prompt.shown.empty());
    if (!c.message.empty()) {
        EXPECT_EQ(context.ErrorMessage, c.message);
    }
    EXPECT_FALSE(Read(file, true));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], "An error occured in running the main program.");
    if (c.shape)
        std::filesystem::remove(file);
}

FileShape Shape(int pressurePoints, int rows, int curves, int curvePoints, int lines = 1, int laterLines = -1)
{
    FileShape f;
    f.pressurePoints = pressurePoints;
    f.rows = rows;
    f.curves = curves;
    f.curvePoints = curvePoints;
    f.lines = lines;
    f.sections = std::max(1, lines);
    f.laterLines = laterLines;
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadFailure,
    testing::Values(
        FailureCase{"truncated", Data("truncated.tk4p"), std::nullopt, "This file either invalid or incomplete."},
        FailureCase{"missing", Data("missing.tk4p"), std::nullopt, ""},
        FailureCase{"bad number", Data("bad_number.tk4p"), std::nullopt,
                    "Error on Line 3 Item 3\rA floating point number was expected but not found."},
        FailureCase{"fractional count", Data("fractional_count.tk4p"), std::nullopt,
                    "Error on Line 11 Item 1\rAn integer was expected but not found."},
        FailureCase{"302 pressure points", "", Shape(302, 3, 1, 3),
                    "Section 1 of the plot data file gives 302 earth-pressure points; 0 to 301 are allowed."},
        FailureCase{"302 result rows", "", Shape(3, 302, 1, 3),
                    "Section 1 of the plot data file gives 302 result rows; 0 to 301 are allowed."},
        FailureCase{"51 p-y curves", "", Shape(3, 3, 51, 3),
                    "Section 1 of the plot data file gives 51 p-y curves; 0 to 50 are allowed."},
        FailureCase{"302 points of a curve", "", Shape(3, 3, 1, 302),
                    "Section 1 of the plot data file gives 302 points of a p-y curve; 0 to 301 are allowed."},
        FailureCase{"51 result lines", "", Shape(3, 3, 1, 3, 51),
                    "Section 1 of the plot data file gives 51 result lines; 0 to 50 are allowed."},
        FailureCase{"later section with more lines", "", Shape(3, 3, 1, 3, 2, 3),
                    "Section 2 of the plot data file gives 3 result lines, more than the 2 of section 1."},
        FailureCase{"negative count", "", Shape(-1, 3, 1, 3),
                    "Section 1 of the plot data file gives -1 earth-pressure points; 0 to 301 are allowed."}),
    [](const testing::TestParamInfo<FailureCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST_F(Reader, AFileAtItsLimitsIsReadWhole)
{
    const std::string file = WriteFile(Shape(301, 301, 50, 301, 5), "limits.tk4p");
    ASSERT_TRUE(Read(file)) << context.ErrorMessage;
    std::filesystem::remove(file);
    EXPECT_EQ(context.PressurePointCount, 301);
    EXPECT_EQ(g.PyCurves.LineCount(), 50);
    EXPECT_EQ(g.PyCurves.PointCount(), 301);
    EXPECT_EQ(g.Deflection.LineCount(), 5);
    EXPECT_EQ(g.Deflection.PointCount(), 301);
    EXPECT_EQ(g.EarthPressure.LineCount(), 5);
    EXPECT_EQ(g.Moment.Points(4, 300).X, 5 * 300);
    EXPECT_EQ(g.Deflection.Lines(4).GetName(), "Stage: 5");
}

TEST(ReadPlotFileOfAWall, TakesTheSoilLayersTableAndStoresThePointCount)
{
    BatchHost host;
    std::unique_ptr<TProgramData> wall = TProgramData::CreateNew(host);
    wall->SwitchUnits(UnitSystem::SI);
    wall->NodeCount = 10;
    wall->IncrementLength = 0.5L;
    wall->WallHeight = 2;
    TGridTable& soil = host.tables[WallTable::NewSoil];
    soil.SetRowCount(2);
    soil.Cell(0, 0).SetAsInteger(5);
    soil.Cell(1, 0).SetAsFloat(2.5L);
    soil.Cell(0, 1).SetAsInteger(4);
    soil.Cell(1, 1).SetAsFloat(6);
    TResultGraphs g;
    ASSERT_TRUE(ReadPlotFile(g, Data("single_si.tk4p"), true, *wall));
    EXPECT_EQ(wall->PressurePointCount, 3);
    ASSERT_EQ(g.DeflectionMomentShear.LayerCount(), 4);
    EXPECT_EQ(g.DeflectionMomentShear.Layers(0).Name, " SILT ");
    EXPECT_EQ(g.DeflectionMomentShear.Layers(1).Points[0].Y, 6);
    EXPECT_EQ(g.DeflectionMomentShear.Layers(2).Points[0].Y, 5);
    EXPECT_FALSE(ReadPlotFile(g, Data("truncated.tk4p"), true, *wall));
    ASSERT_EQ(host.prompt.shown.size(), 1u);
    EXPECT_EQ(host.prompt.shown[0], "An error occured in running the main program.");
}

TEST(PlotFileNames, ReplaceTheExtension)
{
    EXPECT_EQ(PlotFileName("/a/b/Wall.tk4d"), "/a/b/Wall.tk4p");
    EXPECT_EQ(PlotFileName("old.tkd"), "old.tk4p");
}

}  // namespace
