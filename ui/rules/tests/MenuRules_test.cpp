#include "ui/rules/MenuRules.h"

#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "tables/GridTable.h"
#include "run/ResultGraphs.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>

namespace {

class MenuRulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wall = TProgramData::CreateNew(host);
        wall->FileName = "/walls/pier.tk4d";
        host.modified = false;
    }
    // A fake disk holding exactly the files named.
    FileExistsFn Disk() const
    {
        return [this](const std::string& path) { return files.count(path) > 0; };
    }
    static void Fill(TGraphPlot& g, int lines, int points)
    {
        g.SetLineCount(lines);
        g.SetPointCount(points);
    }

    BatchHost host;
    std::unique_ptr<TProgramData> wall;
    std::set<std::string> files;
};

TEST_F(MenuRulesTest, OptionSwitchesFlipTheirFlagAndCloseTheirTableOnlyWhenSwitchedOff)
{
    const std::pair<TOption, std::optional<WallTable>> expected[] = {
        {TOption::ConcentratedLoads, WallTable::ConcentratedLoads},   {TOption::Restraints, WallTable::BoundaryConditions},
        {TOption::ExternalPyCurves, WallTable::PYCurves},     {TOption::Springs, WallTable::Springs},
        {TOption::PyModifiers, WallTable::PYMod},             {TOption::Surcharge, WallTable::SurchargeTable},
        {TOption::MeiCurves, WallTable::MEICurves},           {TOption::GeneratePyCurves, std::nullopt},
        {TOption::LongTermAnalysis, std::nullopt},
    };
    for (const auto& [option, table] : expected) {
        const TOptionToggle& t = OptionToggle(option);
        SCOPED_TRACE(t.Caption);
        (*wall).*t.Flag = false;
        host.modified = false;
        EXPECT_EQ(ToggleOption(*wall, option), std::nullopt);  // switched on: nothing closes
        EXPECT_TRUE((*wall).*t.Flag);
        EXPECT_TRUE(host.modified);
        EXPECT_EQ(ToggleOption(*wall, option), table);
        EXPECT_FALSE((*wall).*t.Flag);
    }
    EXPECT_STREQ(OptionToggle(TOption::PyModifiers).Caption, "Apply External p-y &Modification Factors ");
    EXPECT_EQ(OptionToggles().size(), 9u);
}

TEST_F(MenuRulesTest, AnOptionSwitchedOnAfterItsTableWasWrittenOffGetsItsRowsBack)
{
    for (const TOptionToggle& t : OptionToggles()) {
        if (!t.Table)
            continue;
        SCOPED_TRACE(t.Caption);
        (*wall).*t.Flag = false;
        wall->DataFileText();  // writing empties the tables of the options that are off
        ToggleOption(*wall, t.Option);
        TGridTable& table = host.Tables()[*t.Table];
        EXPECT_EQ(table.RowCount(), table.MinRows()) << "rows that the file writes, so the option reads back on";
        wall->DataFileText();
        EXPECT_EQ(table.RowCount(), table.MinRows());
    }
}

TEST_F(MenuRulesTest, LongTermAnalysisAndStagedConstructionExcludeEachOther)
{
    wall->LongTermAnalysis = true;
    TOptionsMenu m = OptionsMenuState(*wall);
    EXPECT_EQ(m.ShortAndLongTermAnalyses, (TCommandState{true, true, true}));
    EXPECT_FALSE(m.StagedConstructionAnalysis.Enabled);
    EXPECT_FALSE(LongTermVisibility(*wall).StagedConstructionEnabled);

    wall->LongTermAnalysis = false;
    wall->StageCount = 3;
    m = OptionsMenuState(*wall);
    EXPECT_FALSE(m.ShortAndLongTermAnalyses.Enabled);
    EXPECT_EQ(m.StagedConstructionAnalysis, (TCommandState{true, true, true}));
}

TEST_F(MenuRulesTest, OptionsMenuChecksTheWallsChoices)
{
    wall->SwitchUnits(UnitSystem::SI);
    wall->EarthPressureKind = TEarthPressure::None;
    wall->GeneratePyCurves = false;
    wall->UseSprings = true;
    TOptionsMenu m = OptionsMenuState(*wall);
    EXPECT_TRUE(m.SIUnits.Checked);
    EXPECT_FALSE(m.EnglishUnits.Checked || m.OtherUnits.Checked);
    EXPECT_TRUE(m.EarthPressureByUser.Checked);  // no earth pressure shows as the first entry
    EXPECT_FALSE(m.TriangularEarthPressure.Checked || m.TrapezoidalEarthPressure.Checked);
    EXPECT_FALSE(m.GeneratePyCurves.Checked);
    EXPECT_TRUE(m.ApplyLateralSprings.Checked);
    EXPECT_FALSE(m.ApplyConcentratedLoads.Checked);
    EXPECT_FALSE(DataMenuState(*wall).DistributedEarthPressure.Enabled);

    wall->EarthPressureKind = TEarthPressure::Trapezoidal;
    m = OptionsMenuState(*wall);
    EXPECT_FALSE(m.EarthPressureByUser.Checked || m.TriangularEarthPressure.Checked);
    EXPECT_TRUE(m.TrapezoidalEarthPressure.Checked);
}

TEST_F(MenuRulesTest, GeneratedEarthPressureWithoutPyCurvesIsSavedAndOffersTheSoilLayers)
{
    wall->GeneratePyCurves = false;
    wall->EarthPressureKind = TEarthPressure::Triangular;
    std::istringstream text(wall->DataFileText());
    std::string title, header;
    std::getline(text, title);
    std::getline(text, header);
    std::istringstream items(header);
    int item[5] = {};
    for (int& i : item)
        items >> i;
    EXPECT_EQ(item[4], 2) << header;
    EXPECT_TRUE(DataMenuState(*wall).SoilLayerData.Enabled);
    EXPECT_FALSE(DataMenuState(*wall).DistributedEarthPressure.Enabled);
}

TEST_F(MenuRulesTest, DataMenuFollowsTheOptionsAndTheLongTermAnalysis)
{
    wall->GeneratePyCurves = false;
    wall->EarthPressureKind = TEarthPressure::ByUser;
    wall->UseRestraints = true;
    TDataMenu m = DataMenuState(*wall);
    EXPECT_TRUE(m.Title.Enabled && m.WallProperties.Enabled);
    EXPECT_FALSE(m.SoilLayerData.Enabled || m.WallConfiguration.Enabled);
    EXPECT_TRUE(m.DistributedEarthPressure.Enabled);
    EXPECT_TRUE(m.BoundaryCondition.Enabled);
    EXPECT_FALSE(m.ConcentratedLoads.Enabled || m.LateralSprings.Enabled || m.ExternalPyCurves.Enabled ||
                 m.MomentEICurves.Enabled || m.ModificationFactors.Enabled || m.AdditionalSurchargeLoads.Enabled);
    EXPECT_TRUE(m.SoilLayerData.Visible && m.DistributedEarthPressure.Visible);
    EXPECT_FALSE(m.SoilLayerDataMenu.Visible || m.DistributedEarthPressureMenu.Visible);

    wall->GeneratePyCurves = true;
    wall->LongTermAnalysis = true;
    m = DataMenuState(*wall);
    EXPECT_TRUE(m.WallConfiguration.Enabled && m.SoilLayerDataMenu.Enabled);
    EXPECT_FALSE(m.SoilLayerData.Visible || m.DistributedEarthPressure.Visible);
    EXPECT_TRUE(m.SoilLayerDataMenu.Visible && m.SoilLayerShortTerm.Visible && m.SoilLayerLongTerm.Visible);
    EXPECT_TRUE(m.DistributedEarthPressureLongTerm.Visible && m.DistributedEarthPressureLongTerm.Enabled);

    // A staged wall has no long-term entries.
    wall->StageCount = 2;
    m = DataMenuState(*wall);
    EXPECT_FALSE(m.SoilLayerShortTerm.Visible || m.DistributedEarthPressureLongTerm.Visible);
}

TEST_F(MenuRulesTest, GraphicsAndResultButtonsNeedThePlotDataFileAndDrawableGraphs)
{
    TResultGraphs graphs;
    for (auto& [name, g] : graphs.All())
        Fill(*g, 1, 10);
    Fill(graphs.PyCurves, 0, 0);  // the p-y section held no curves
    files = {"/walls/pier.tk4d", "/walls/pier.tk4p", "/walls/pier.tk4o"};

    TGraphicsMenu m = GraphicsMenuState(*wall, graphs, true, Disk());
    EXPECT_FALSE(m.PyCurves.Enabled);
    EXPECT_TRUE(m.DeflectionVsDepth.Enabled && m.MomentVsDepth.Enabled && m.ShearVsDepth.Enabled &&
                m.ReactionVsDepth.Enabled && m.DeflectionMomentShear.Enabled && m.EarthPressureDistribution.Enabled &&
                m.EarthPressureCombined.Enabled);
    TResultButtons b = ResultButtons(*wall, graphs, true, Disk());
    EXPECT_FALSE(b.PyCurves.Enabled);
    EXPECT_TRUE(b.ViewOutputFile.Enabled && b.Deflection.Enabled && b.DeflectionMomentShear.Enabled &&
                b.Pressure.Enabled);

    // A shear graph of one point takes the combined graph with it.
    Fill(graphs.Shear, 1, 1);
    m = GraphicsMenuState(*wall, graphs, true, Disk());
    EXPECT_FALSE(m.ShearVsDepth.Enabled || m.DeflectionMomentShear.Enabled);
    EXPECT_TRUE(m.EarthPressureCombined.Enabled);

    // The plot data file deleted on disk: nothing is offered, though the graphs hold data.
    files.erase("/walls/pier.tk4p");
    m = GraphicsMenuState(*wall, graphs, true, Disk());
    EXPECT_FALSE(m.DeflectionVsDepth.Enabled || m.EarthPressureCombined.Enabled || m.EarthPressureDistribution.Enabled);
    b = ResultButtons(*wall, graphs, true, Disk());
    EXPECT_FALSE(b.Deflection.Enabled || b.Pressure.Enabled);
    EXPECT_TRUE(b.ViewOutputFile.Enabled);

    // A failed read offers nothing either.
    files.insert("/walls/pier.tk4p");
    EXPECT_FALSE(GraphicsMenuState(*wall, graphs, false, Disk()).EarthPressureCombined.Enabled);
}

TEST_F(MenuRulesTest, ComputationMenuOffersTheTextsOnDiskOfASavedWallOnly)
{
    files = {"/walls/pier.tk4d", "/walls/pier.tk4r"};
    TComputationMenu m = ComputationMenuState(*wall, Disk());
    EXPECT_TRUE(m.RunAnalysis.Enabled && m.EditInputText.Enabled && m.EditRunNotes.Enabled &&
                m.ViewWallGeometry.Enabled);
    EXPECT_FALSE(m.EditOutputText.Enabled);

    // A file that happens to carry the new wall's name is not the new wall's.
    wall->FileName = TProgramData::UntitledFileName();
    const std::string stem = wall->FileName.substr(0, wall->FileName.size() - 1);
    files = {wall->FileName, stem + "o", stem + "r"};
    m = ComputationMenuState(*wall, Disk());
    EXPECT_FALSE(m.EditInputText.Enabled || m.EditRunNotes.Enabled || m.EditOutputText.Enabled);
}

TEST_F(MenuRulesTest, StageMenuAndButtonsShowTheStagesOfAStagedWall)
{
    TStageMenu menu = StageMenuState(*wall);
    TStageButtons buttons = StageButtons(*wall);
    EXPECT_FALSE(menu.Visible);
    for (const TCommandState& b : buttons.Stage)
        EXPECT_FALSE(b.Visible);
    EXPECT_FALSE(menu.CopyPreviousStage.Enabled);

    wall->StageCount = 3;
    wall->CurrentStage = 2;
    menu = StageMenuState(*wall);
    buttons = StageButtons(*wall);
    EXPECT_TRUE(menu.Visible);
    EXPECT_TRUE(menu.CopyPreviousStage.Enabled);
    const bool enabled[5] = {true, true, true, false, false};
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_EQ(menu.Stage[k], (TCommandState{enabled[k], k == 1, true}));
        EXPECT_EQ(buttons.Stage[k], (TCommandState{enabled[k], k == 1, true}));
    }
    wall->CurrentStage = 1;
    EXPECT_FALSE(StageMenuState(*wall).CopyPreviousStage.Enabled);
}

TEST(WindowMenuRules, ListsTheChildWindowsWithTheActiveOneChecked)
{
    EXPECT_FALSE(WindowMenuState({}, -1).SeparatorVisible);
    const TWindowMenu m = WindowMenuState({"Wall Properties", "Lateral & Rotational Springs"}, 1);
    ASSERT_EQ(m.Entries.size(), 2u);
    EXPECT_TRUE(m.SeparatorVisible);
    EXPECT_EQ(m.Entries[1].Caption, "Lateral && Rotational Springs");
    EXPECT_FALSE(m.Entries[0].Checked);
    EXPECT_TRUE(m.Entries[1].Checked);
    EXPECT_EQ(WindowMenuState(std::vector<std::string>(60, "Graph"), 0).Entries.size(), 50u);
}

// The states of every command at once: the result documents need results,
// the envelope those of a staged wall; without a wall the recent files and
// the windows still have theirs.
TEST_F(MenuRulesTest, MainWindowStatesDecideTheResultDocumentsAndTheWindowEntries)
{
    TResultGraphs graphs;
    TRecentFiles recent;
    recent.UpdatePrevFile("/walls/pier.tk4d");
    const std::vector<std::string> windows = {"Wall Properties", "Graph"};
    TMainWindowStates s = MainWindowStates(wall.get(), graphs, false, recent, "/walls", windows, 1, Disk());
    EXPECT_FALSE(s.SaveReport.Enabled);
    EXPECT_FALSE(s.StageEnvelope.Enabled);
    EXPECT_TRUE(s.File.Recent[0].Visible);
    EXPECT_EQ(s.WindowEntry(1), (TCommandState{true, true, true}));
    EXPECT_EQ(s.WindowEntry(2), (TCommandState{true, false, false}));

    s = MainWindowStates(wall.get(), graphs, true, recent, "/walls", windows, 1, Disk());
    EXPECT_TRUE(s.SaveReport.Enabled);
    EXPECT_FALSE(s.StageEnvelope.Enabled);
    wall->StageCount = 3;
    s = MainWindowStates(wall.get(), graphs, true, recent, "/walls", windows, 1, Disk());
    EXPECT_TRUE(s.StageEnvelope.Enabled);
    EXPECT_TRUE(s.StageSeparator.Visible);

    s = MainWindowStates(nullptr, graphs, true, recent, "/walls", {}, -1, Disk());
    EXPECT_TRUE(s.File.Recent[0].Visible);
    EXPECT_FALSE(s.Windows.SeparatorVisible);
}

}  // namespace
