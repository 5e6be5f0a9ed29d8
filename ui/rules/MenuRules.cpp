#include "ui/rules/MenuRules.h"

#include "graph/GraphPlot.h"
#include "model/WallDocument.h"
#include "tables/GridTable.h"
#include "run/AnalysisRun.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"
#include "units/Units.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

TCommandState Enabled(bool enabled)
{
    TCommandState s;
    s.Enabled = enabled;
    return s;
}

TCommandState Checked(bool checked, bool enabled = true)
{
    TCommandState s;
    s.Enabled = enabled;
    s.Checked = checked;
    return s;
}

TCommandState Shown(bool visible, bool enabled = true)
{
    TCommandState s;
    s.Enabled = enabled;
    s.Visible = visible;
    return s;
}

// The name of a wall that was never saved: it has no files of its own.
bool NeverSaved(const TProgramData& wall)
{
    return wall.NeverSaved();
}

bool SideFileOnDisk(const TProgramData& wall, const char* extension, const FileExistsFn& exists)
{
    return !NeverSaved(wall) && exists(ReplaceExtension(wall.FileName, extension));
}

// A graph can be drawn when it has a curve of at least two points.
bool Drawable(const TGraphPlot& graph)
{
    return graph.LineCount() >= 1 && graph.PointCount() > 1;
}

// Whether the results read last may be offered: read without error, and their
// file still on disk (a deleted plot data file withdraws them).
bool ResultsAvailable(const TProgramData& wall, bool resultsLoaded, const FileExistsFn& exists)
{
    return resultsLoaded && PlotDataOnDisk(wall, exists);
}

}  // namespace

bool DiskFileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::u8path(path), ec);
}

bool DataFileOnDisk(const TProgramData& wall, const FileExistsFn& exists)
{
    return !NeverSaved(wall) && exists(wall.FileName);
}

bool RunNotesOnDisk(const TProgramData& wall, const FileExistsFn& exists)
{
    return SideFileOnDisk(wall, ".tk4r", exists);
}

bool OutputTextOnDisk(const TProgramData& wall, const FileExistsFn& exists)
{
    return SideFileOnDisk(wall, ".tk4o", exists);
}

bool PlotDataOnDisk(const TProgramData& wall, const FileExistsFn& exists)
{
    return !NeverSaved(wall) && exists(PlotFileName(wall.FileName));
}

TFileMenu FileMenuState(const TRecentFiles& recent, const std::string& workingDirectory)
{
    TFileMenu m;
    const int count = recent.Count();
    for (int i = 1; i <= TRecentFiles::Size; ++i) {
        m.Recent[i - 1] = Shown(i <= count);
        if (i <= count)
            m.RecentCaption[i - 1] = RecentFileCaption(i, recent.Entry(i), workingDirectory);
    }
    m.RecentSeparator = Shown(count > 0);
    return m;
}

TLongTermVisibility LongTermVisibility(const TProgramData& wall)
{
    const bool longTerm = wall.LongTermAnalysis;
    return {!longTerm, longTerm, !longTerm};
}

TDataMenu DataMenuState(const TProgramData& wall)
{
    const TLongTermVisibility lt = LongTermVisibility(wall);
    // The soil layers and the wall configuration feed only what is generated
    // from the soil: the earth pressure or the p-y curves.
    const bool fromSoil = GeneratesPressure(wall.EarthPressureKind) || wall.GeneratePyCurves;
    const bool userPressure = UsesUserPressure(wall.EarthPressureKind);
    const bool shortLongEntries = wall.LongTermAnalysis && wall.StageCount == 1;

    TDataMenu m;
    m.WallConfiguration = Enabled(fromSoil);
    m.SoilLayerData = Shown(lt.SingleEntriesVisible, fromSoil);
    m.SoilLayerDataMenu = Shown(lt.SubmenusVisible, fromSoil);
    m.SoilLayerShortTerm = Shown(shortLongEntries);
    m.SoilLayerLongTerm = Shown(shortLongEntries);
    m.DistributedEarthPressure = Shown(lt.SingleEntriesVisible, userPressure);
    m.DistributedEarthPressureMenu = Shown(lt.SubmenusVisible, userPressure);
    m.DistributedEarthPressureShortTerm = Shown(shortLongEntries, userPressure);
    m.DistributedEarthPressureLongTerm = Shown(shortLongEntries, userPressure);
    m.AdditionalSurchargeLoads = Enabled(wall.UseSurcharge);
    m.ConcentratedLoads = Enabled(wall.UseConcentratedLoads);
    m.BoundaryCondition = Enabled(wall.UseRestraints);
    m.ModificationFactors = Enabled(wall.UsePyModifiers);
    m.ExternalPyCurves = Enabled(wall.UseExternalPyCurves);
    m.LateralSprings = Enabled(wall.UseSprings);
    m.MomentEICurves = Enabled(wall.UseMeiCurves);
    return m;
}

TOptionsMenu OptionsMenuState(const TProgramData& wall)
{
    // The entries are a radio group, so one is always checked: no earth
    // pressure shows as the first.
    const TEarthPressure chosen = wall.EarthPressureKind;
    const TEarthPressure kind = chosen == TEarthPressure::None ? TEarthPressure::ByUser : chosen;
    TOptionsMenu m;
    m.EnglishUnits = Checked(wall.UnitSystem() == UnitSystem::English);
    m.SIUnits = Checked(wall.UnitSystem() == UnitSystem::SI);
    m.OtherUnits = Checked(wall.UnitSystem() == UnitSystem::Generic);
    m.EarthPressureByUser = Checked(kind == TEarthPressure::ByUser);
    m.TriangularEarthPressure = Checked(kind == TEarthPressure::Triangular);
    m.TrapezoidalEarthPressure = Checked(kind == TEarthPressure::Trapezoidal);
    m.GeneratePyCurves = Checked(wall.GeneratePyCurves);
    m.ApplyConcentratedLoads = Checked(wall.UseConcentratedLoads);
    m.ApplyRestraints = Checked(wall.UseRestraints);
    m.ApplyExternalPyCurves = Checked(wall.UseExternalPyCurves);
    m.ApplyLateralSprings = Checked(wall.UseSprings);
    m.ApplyPyModificationFactors = Checked(wall.UsePyModifiers);
    m.ApplySurchargeLoads = Checked(wall.UseSurcharge);
    m.ApplyMomentEICurves = Checked(wall.UseMeiCurves);
    // Long-term analysis and staged construction exclude each other.
    m.ShortAndLongTermAnalyses = Checked(wall.LongTermAnalysis, wall.StageCount == 1);
    m.StagedConstructionAnalysis = Checked(wall.StageCount > 1, LongTermVisibility(wall).StagedConstructionEnabled);
    m.SpringsFromInstallation = Checked(wall.Document().Settings().springsFromInstallation);
    m.PassiveLimit = Checked(wall.Document().Settings().limitToPassive);
    m.LockOffAsBuilt = Checked(wall.Document().Settings().lockOffAsBuilt);
    m.SoilBehind = Checked(wall.Document().Settings().soilBehindResists);
    m.LimitEquilibriumInVerdict = Checked(wall.Document().Settings().limitEquilibriumInVerdict);
    return m;
}

const std::vector<TOptionToggle>& OptionToggles()
{
    static const std::vector<TOptionToggle> toggles = {
        {TOption::GeneratePyCurves, "Generate &p-y Curves", &TProgramData::GeneratePyCurves, std::nullopt},
        {TOption::ConcentratedLoads, "Apply &Concentrated Loads", &TProgramData::UseConcentratedLoads,
         WallTable::ConcentratedLoads},
        {TOption::Restraints, "Apply &Restraints on Deflection or Slope", &TProgramData::UseRestraints,
         WallTable::BoundaryConditions},
        {TOption::ExternalPyCurves, "Apply User Specified p-y Curves (&External)",
         &TProgramData::UseExternalPyCurves, WallTable::PYCurves},
        {TOption::Springs, "Apply &Lateral Springs and Rotation Restraints", &TProgramData::UseSprings,
         WallTable::Springs},
        {TOption::PyModifiers, "Apply External p-y &Modification Factors ", &TProgramData::UsePyModifiers,
         WallTable::PYMod},
        {TOption::Surcharge, "Apply Additional Surcharge Loads", &TProgramData::UseSurcharge,
         WallTable::SurchargeTable},
        {TOption::MeiCurves, "Apply Nonlinear Moment vs EI Curves", &TProgramData::UseMeiCurves,
         WallTable::MEICurves},
        {TOption::LongTermAnalysis, "Conduct Short-Term and Long-Term &Analyses", &TProgramData::LongTermAnalysis,
         std::nullopt},
    };
    return toggles;
}

const TOptionToggle& OptionToggle(TOption option)
{
    for (const TOptionToggle& t : OptionToggles())
        if (t.Option == option)
            return t;
    return OptionToggles().front();  // not reached: every option is listed
}

std::optional<WallTable> ToggleOption(TProgramData& wall, TOption option)
{
    const TOptionToggle& t = OptionToggle(option);
    const bool wasOn = wall.*t.Flag;
    wall.*t.Flag = !wasOn;
    wall.Document().SetModified(true);
    if (wasOn)
        return t.Table;
    // Writing the wall (a save, a stage switch, an undo step) empties the
    // table of an option that is off. Switched on again, the table gets its
    // least rows back, as a wall read without it has: with no rows the option
    // would be written, and so read back, as off.
    if (t.Table) {
        TGridTable& table = wall.Document().Tables()[*t.Table];
        if (table.RowCount() < table.MinRows())
            table.SetRowCount(table.MinRows());
    }
    return std::nullopt;
}

TStageMenu StageMenuState(const TProgramData& wall)
{
    const bool staged = wall.StageCount > 1;
    TStageMenu m;
    m.Visible = staged;
    for (int k = 1; k <= 5; ++k)
        m.Stage[k - 1] = Checked(staged && wall.CurrentStage == k, staged && k <= wall.StageCount);
    m.CopyPreviousStage = Enabled(staged && wall.CurrentStage > 1);
    return m;
}

TStageButtons StageButtons(const TProgramData& wall)
{
    const bool staged = wall.StageCount > 1;
    TStageButtons b;
    for (int k = 1; k <= 5; ++k) {
        TCommandState& s = b.Stage[k - 1];
        s.Visible = staged;
        s.Enabled = staged && k <= wall.StageCount;
        s.Checked = wall.CurrentStage == k;
    }
    return b;
}

TComputationMenu ComputationMenuState(const TProgramData& wall, const FileExistsFn& exists)
{
    TComputationMenu m;
    m.EditInputText = Enabled(DataFileOnDisk(wall, exists));
    m.EditRunNotes = Enabled(RunNotesOnDisk(wall, exists));
    m.EditOutputText = Enabled(OutputTextOnDisk(wall, exists));
    return m;
}

TGraphicsMenu GraphicsMenuState(const TProgramData& wall, const TResultGraphs& graphs, bool resultsLoaded,
                                const FileExistsFn& exists)
{
    return GraphicsMenuState(graphs, ResultsAvailable(wall, resultsLoaded, exists));
}

TGraphicsMenu GraphicsMenuState(const TResultGraphs& graphs, bool available)
{
    TGraphicsMenu m;
    m.PyCurves = Enabled(available && Drawable(graphs.PyCurves));
    m.DeflectionVsDepth = Enabled(available && Drawable(graphs.Deflection));
    m.MomentVsDepth = Enabled(available && Drawable(graphs.Moment));
    m.ShearVsDepth = Enabled(available && Drawable(graphs.Shear));
    m.ReactionVsDepth = Enabled(available && Drawable(graphs.SoilReaction));
    m.DeflectionMomentShear =
        Enabled(m.DeflectionVsDepth.Enabled && m.MomentVsDepth.Enabled && m.ShearVsDepth.Enabled);
    m.EarthPressureDistribution = Enabled(available && Drawable(graphs.EarthPressure));
    m.EarthPressureCombined = Enabled(available);
    return m;
}

TResultButtons ResultButtons(const TProgramData& wall, const TResultGraphs& graphs, bool resultsLoaded,
                             const FileExistsFn& exists)
{
    return ResultButtons(GraphicsMenuState(wall, graphs, resultsLoaded, exists),
                         Enabled(OutputTextOnDisk(wall, exists)));
}

TResultButtons ResultButtons(const TGraphicsMenu& g, TCommandState viewOutput)
{
    // The buttons follow the Graphics menu's rules, less "Earth Pressure Combined".
    TResultButtons b;
    b.ViewOutputFile = viewOutput;
    b.PyCurves = g.PyCurves;
    b.Deflection = g.DeflectionVsDepth;
    b.Moment = g.MomentVsDepth;
    b.Shear = g.ShearVsDepth;
    b.SoilReaction = g.ReactionVsDepth;
    b.DeflectionMomentShear = g.DeflectionMomentShear;
    b.Pressure = g.EarthPressureDistribution;
    return b;
}

TWindowMenu WindowMenuState(const std::vector<std::string>& captions, int active)
{
    TWindowMenu m;
    m.SeparatorVisible = !captions.empty();
    const int n = std::min<int>(static_cast<int>(captions.size()), WindowMenuEntries);
    for (int i = 0; i < n; ++i) {
        TWindowMenu::Entry e;
        for (char c : captions[i]) {
            e.Caption += c;
            if (c == '&')
                e.Caption += '&';
        }
        e.Checked = i == active;
        m.Entries.push_back(std::move(e));
    }
    return m;
}

TCommandState TMainWindowStates::WindowEntry(int index) const
{
    TCommandState s;
    s.Visible = index < static_cast<int>(Windows.Entries.size());
    s.Checked = s.Visible && Windows.Entries[index].Checked;
    return s;
}

TMainWindowStates MainWindowStates(const TProgramData* wall, const TResultGraphs& graphs, bool resultsLoaded,
                                   const TRecentFiles& recent, const std::string& workingDirectory,
                                   const std::vector<std::string>& windowCaptions, int activeWindow,
                                   const FileExistsFn& exists)
{
    TMainWindowStates s;
    s.File = FileMenuState(recent, workingDirectory);
    s.Windows = WindowMenuState(windowCaptions, activeWindow);
    if (!wall)
        return s;
    s.Data = DataMenuState(*wall);
    s.Options = OptionsMenuState(*wall);
    s.Stage = StageMenuState(*wall);
    s.Computation = ComputationMenuState(*wall, exists);
    s.SaveReport = Enabled(resultsLoaded);
    s.Graphics = GraphicsMenuState(*wall, graphs, resultsLoaded, exists);
    s.StageEnvelope = Enabled(resultsLoaded && wall->StageCount > 1);
    s.ResultButtons = ResultButtons(*wall, graphs, resultsLoaded, exists);
    s.StageButtons = StageButtons(*wall);
    s.StageSeparator = Shown(s.StageButtons.Stage[0].Visible);
    s.StageOptions = Enabled(LongTermVisibility(*wall).StagedConstructionEnabled);
    return s;
}
