// The command table of the main window: every menu, command and toolbar
// button with its caption, shortcut, icon, hint, handler and the rule of
// ui/rules/MenuRules.h that decides what it shows. A new command is one row
// here and its handler.
#include "ui/MainCommands.h"

#include "TorvikVersion.h"
#include "model/ProgramData.h"
#include "run/widgets/ResultCommands.h"
#include "tables/GridTable.h"
#include "ui/MainForm.h"
#include "ui/MainMenus.h"
#include "ui/VerificationWindow.h"
#include "ui/rules/UndoCaptions.h"
#include "units/Units.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

TMainCommand TMainCommand::Separator(TMenuId place, int slot)
{
    TMainCommand c(place, nullptr);
    c.Is = Kind::Separator;
    c.Slot = slot;
    return c;
}

TMainCommand TMainCommand::Menu(TMenuId place, const char* caption, TMenuId menu)
{
    TMainCommand c(place, caption);
    c.Is = Kind::Menu;
    c.Opens = menu;
    return c;
}

TMainCommand& TMainCommand::Key(QKeySequence key)
{
    Shortcut = key;
    return *this;
}

TMainCommand& TMainCommand::Button(int slot, const char* icon, const char* hint, const char* does)
{
    Slot = slot;
    Icon = icon;
    Hint = hint;
    Purpose = does;
    return *this;
}

TMainCommand& TMainCommand::Does(std::function<void(TMainForm&)> handler)
{
    Handler = std::move(handler);
    return *this;
}

TMainCommand& TMainCommand::Rule(std::function<TCommandState(const TMainWindowStates&)> rule, unsigned when)
{
    State = std::move(rule);
    When = when;
    return *this;
}

TMainCommand& TMainCommand::Text(std::function<std::string(const TMainWindowStates&)> text)
{
    Label = std::move(text);
    return *this;
}

TMainCommand& TMainCommand::Checkable(int group)
{
    IsCheckable = true;
    Group = group;
    return *this;
}

TMainCommand& TMainCommand::Initially(TCommandState state)
{
    Initial = state;
    return *this;
}

TMainCommand& TMainCommand::Keep(std::function<void(TMainActions&, QAction*)> keep)
{
    Keeper = std::move(keep);
    return *this;
}

TMainCommand& TMainCommand::Opening(bool commits)
{
    Commits = commits;
    return *this;
}

std::function<TCommandState(const TMainWindowStates&)> Pick(TCommandState TMainWindowStates::*state)
{
    return [state](const TMainWindowStates& s) { return s.*state; };
}

std::function<void(TMainActions&, QAction*)> Into(QAction* TMainActions::*field)
{
    return [field](TMainActions& a, QAction* action) { a.*field = action; };
}

std::function<void(TMainActions&, QAction*)> IntoMenu(QMenu* TMainActions::*field)
{
    return [field](TMainActions& a, QAction* action) { a.*field = action->menu(); };
}

namespace {

using M = TMenuId;
using S = TMainWindowStates;
using A = TMainActions;

constexpr TCommandState Hidden{true, false, false};
constexpr TCommandState Disabled{false, false, true};
// The exclusive groups of check marks.
enum Group { NoGroup, UnitGroup, EarthPressureGroup, StageButtonGroup };

}  // namespace

void TMainForm::AddFileCommands(std::vector<TMainCommand>& t)
{
    t.push_back(TMainCommand::Menu(M::MenuBar, "&File", M::File).Opening(true).Keep(IntoMenu(&A::File)));
    t.push_back(TMainCommand(M::File, "&New")
                    .Key(QKeySequence::New)
                    .Button(1, "New", "New Data File")
                    .Does([](TMainForm& f) { f.FileNewClick(); })
                    .Keep(Into(&A::New)));
    t.push_back(TMainCommand(M::File, "&Open...")
                    .Key(QKeySequence::Open)
                    .Button(2, "Open", "Open Data File")
                    .Does([](TMainForm& f) { f.FileOpenClick(); })
                    .Keep(Into(&A::Open)));
    t.push_back(TMainCommand(M::File, "&Save")
                    .Key(QKeySequence::Save)
                    .Button(3, "Save", "Save Data File")
                    .Does([](TMainForm& f) { f.FileSaveClick(); })
                    .Keep(Into(&A::Save)));
    t.push_back(
        TMainCommand(M::File, "Save &As...").Does([](TMainForm& f) { f.FileSaveAsClick(); }).Keep(Into(&A::SaveAs)));
    t.push_back(TMainCommand::Separator(M::File));
    for (int i = 1; i <= TRecentFiles::Size; ++i)
        t.push_back(TMainCommand(M::File, "")
                        .Does([i](TMainForm& f) { f.RecentFileClick(i); })
                        .Rule([i](const S& s) { return s.File.Recent[i - 1]; })
                        .Text([i](const S& s) { return s.File.RecentCaption[i - 1]; })
                        .Initially(Hidden)
                        .Keep(Into(&A::Recent, i - 1)));
    t.push_back(TMainCommand::Separator(M::File)
                    .Rule(Pick(&S::File, &TFileMenu::RecentSeparator))
                    .Initially(Hidden)
                    .Keep(Into(&A::RecentSeparator)));
    // Ctrl+Q on every platform (Windows has no standard key for quitting).
    t.push_back(TMainCommand(M::File, "E&xit")
                    .Key(QKeySequence(Qt::CTRL | Qt::Key_Q))
                    .Does([](TMainForm& f) { f.close(); })
                    .Keep(Into(&A::Exit)));
}

void TMainForm::AddDataCommands(std::vector<TMainCommand>& t)
{
    using D = TDataMenu;
    const auto dialog = [](InputDialog kind) { return [kind](TMainForm& f) { f.ShowDialog(kind); }; };
    const auto editor = [](WallTable table) { return [table](TMainForm& f) { f.Tables()[table].ShowEditor(); }; };
    const unsigned alsoWhenShown = OnMenuOpened | OnWallShown;
    t.push_back(TMainCommand::Menu(M::MenuBar, "Da&ta", M::Data).Opening(true).Keep(IntoMenu(&A::Data)));
    t.push_back(TMainCommand(M::Data, "&Title")
                    .Does(dialog(InputDialog::Title))
                    .Rule(Pick(&S::Data, &D::Title))
                    .Keep(Into(&A::Title)));
    t.push_back(TMainCommand::Separator(M::Data));
    t.push_back(TMainCommand(M::Data, "Wall &Properties")
                    .Does(dialog(InputDialog::Prop))
                    .Rule(Pick(&S::Data, &D::WallProperties))
                    .Keep(Into(&A::WallProperties)));
    t.push_back(TMainCommand(M::Data, "&Wall Configuration")
                    .Does(dialog(InputDialog::CSD))
                    .Rule(Pick(&S::Data, &D::WallConfiguration))
                    .Keep(Into(&A::WallConfiguration)));
    t.push_back(TMainCommand(M::Data, "&Soil Layer Data")
                    .Does(editor(WallTable::NewSoil))
                    .Rule(Pick(&S::Data, &D::SoilLayerData), alsoWhenShown)
                    .Keep(Into(&A::SoilLayerData)));
    t.push_back(TMainCommand::Menu(M::Data, "&Soil Layer Data", M::SoilLayers)
                    .Rule(Pick(&S::Data, &D::SoilLayerDataMenu), alsoWhenShown)
                    .Keep(IntoMenu(&A::SoilLayerMenu)));
    t.push_back(TMainCommand(M::SoilLayers, "Short-Term")
                    .Does(editor(WallTable::NewSoil))
                    .Rule(Pick(&S::Data, &D::SoilLayerShortTerm))
                    .Keep(Into(&A::SoilLayerShortTerm)));
    t.push_back(TMainCommand(M::SoilLayers, "Long-Term")
                    .Does(editor(WallTable::LongSoil))
                    .Rule(Pick(&S::Data, &D::SoilLayerLongTerm))
                    .Keep(Into(&A::SoilLayerLongTerm)));
    t.push_back(TMainCommand::Separator(M::Data));
    t.push_back(TMainCommand(M::Data, "&Distributed Active Earth Pressure")
                    .Does(editor(WallTable::DistLoad))
                    .Rule(Pick(&S::Data, &D::DistributedEarthPressure), alsoWhenShown)
                    .Keep(Into(&A::DistributedPressure)));
    t.push_back(TMainCommand::Menu(M::Data, "&Distributed Active Earth Pressure", M::DistributedPressure)
                    .Rule(Pick(&S::Data, &D::DistributedEarthPressureMenu), alsoWhenShown)
                    .Keep(IntoMenu(&A::DistributedPressureMenu)));
    t.push_back(TMainCommand(M::DistributedPressure, "Short-Term")
                    .Does(editor(WallTable::DistLoad))
                    .Rule(Pick(&S::Data, &D::DistributedEarthPressureShortTerm))
                    .Keep(Into(&A::DistributedPressureShortTerm)));
    t.push_back(TMainCommand(M::DistributedPressure, "Long-Term")
                    .Does(editor(WallTable::LongDist))
                    .Rule(Pick(&S::Data, &D::DistributedEarthPressureLongTerm))
                    .Keep(Into(&A::DistributedPressureLongTerm)));
    AddDataLoadCommands(t);
}

void TMainForm::AddDataLoadCommands(std::vector<TMainCommand>& t)
{
    using D = TDataMenu;
    const auto dialog = [](InputDialog kind) { return [kind](TMainForm& f) { f.ShowDialog(kind); }; };
    const auto editor = [](WallTable table) { return [table](TMainForm& f) { f.Tables()[table].ShowEditor(); }; };
    t.push_back(TMainCommand(M::Data, "&Additional Surcharge Loads")
                    .Does(dialog(InputDialog::Rebar))
                    .Rule(Pick(&S::Data, &D::AdditionalSurchargeLoads))
                    .Keep(Into(&A::SurchargeLoads)));
    t.push_back(TMainCommand(M::Data, "&Concentrated Loads on the Wall")
                    .Does(dialog(InputDialog::ConLoads))
                    .Rule(Pick(&S::Data, &D::ConcentratedLoads))
                    .Keep(Into(&A::ConcentratedLoads)));
    t.push_back(TMainCommand::Separator(M::Data));
    t.push_back(TMainCommand(M::Data, "&Boundary Condition on Deflection or Slope")
                    .Does(editor(WallTable::BoundaryConditions))
                    .Rule(Pick(&S::Data, &D::BoundaryCondition))
                    .Keep(Into(&A::BoundaryCondition)));
    t.push_back(TMainCommand(M::Data, "Modification &Factors for p-y Curves")
                    .Does(editor(WallTable::PYMod))
                    .Rule(Pick(&S::Data, &D::ModificationFactors))
                    .Keep(Into(&A::ModificationFactors)));
    t.push_back(TMainCommand::Separator(M::Data));
    t.push_back(TMainCommand(M::Data, "Sets of &External p-y Curves")
                    .Does(editor(WallTable::PYCurves))
                    .Rule(Pick(&S::Data, &D::ExternalPyCurves))
                    .Keep(Into(&A::ExternalPyCurves)));
    t.push_back(TMainCommand(M::Data, "&Lateral Springs and Rotational Restraints")
                    .Does(dialog(InputDialog::Spring))
                    .Rule(Pick(&S::Data, &D::LateralSprings))
                    .Keep(Into(&A::LateralSprings)));
    // The settings of the spring rows and the steel of the wall, kept beside the data file.
    t.push_back(TMainCommand(M::Data, "A&nchors...")
                    .Does(dialog(InputDialog::Anchors))
                    .Rule(Pick(&S::Data, &D::LateralSprings)));
    t.push_back(TMainCommand(M::Data, "Steel Sect&ions...").Does(dialog(InputDialog::Sections)));
    // The water of each stage and the factors of the heave check, kept beside the data file.
    t.push_back(TMainCommand(M::Data, "&Ground Water...").Does(dialog(InputDialog::Water)));
    t.push_back(TMainCommand(M::Data, "Wall F&riction...").Does(dialog(InputDialog::WallFriction)));
    t.push_back(TMainCommand(M::Data, "E&xcavation Plan...").Does(dialog(InputDialog::Excavation)));
    t.push_back(TMainCommand(M::Data, "Excavati&on Side...").Does(dialog(InputDialog::ExcavationSide)));
    t.push_back(TMainCommand(M::Data, "Sets of Nonlinear Moment vs EI Curves")
                    .Does(editor(WallTable::MEICurves))
                    .Rule(Pick(&S::Data, &D::MomentEICurves))
                    .Keep(Into(&A::MomentEICurves)));
}

// Options > Units: one checked system of three.
void TMainForm::AddUnitCommands(std::vector<TMainCommand>& t)
{
    using O = TOptionsMenu;
    t.push_back(TMainCommand::Menu(M::Options, "&Units", M::Units).Keep(IntoMenu(&A::Units)));
    const std::pair<const char*, TCommandState O::*> units[3] = {{"&English Units (lbs, in)", &O::EnglishUnits},
                                                                 {"&SI Units (kN, m)", &O::SIUnits},
                                                                 {"&Other Units (F, L)", &O::OtherUnits}};
    const UnitSystem systems[3] = {UnitSystem::English, UnitSystem::SI, UnitSystem::Generic};
    for (int k = 0; k < 3; ++k) {
        const UnitSystem system = systems[k];
        t.push_back(TMainCommand(M::Units, units[k].first)
                        .Checkable(UnitGroup)
                        .Does([system](TMainForm& f) { f.UnitsClick(system); })
                        .Rule(Pick(&S::Options, units[k].second))
                        .Keep(Into(&A::UnitSystem, k)));
    }
}

// Options > Earth-Pressure Options: one checked kind of three.
void TMainForm::AddEarthPressureCommands(std::vector<TMainCommand>& t)
{
    using O = TOptionsMenu;
    t.push_back(TMainCommand::Menu(M::Options, "Earth-Pressure Options", M::EarthPressure)
                    .Opening(false)
                    .Rule(Pick(&S::Options, &O::EarthPressureOptions))
                    .Keep(IntoMenu(&A::EarthPressure)));
    struct Entry {
        const char* caption;
        TEarthPressure kind;
        TCommandState O::*state;
    };
    const Entry entries[3] = {
        {"Earth-Pressure Specified by User", TEarthPressure::ByUser, &O::EarthPressureByUser},
        {"Generate Triangular-Distribution Earth-Pressure", TEarthPressure::Triangular, &O::TriangularEarthPressure},
        {"Generate Trapezoidal-Distribution Pressure (Anchored Walls)", TEarthPressure::Trapezoidal,
         &O::TrapezoidalEarthPressure}};
    for (int i = 0; i < 3; ++i) {
        const TEarthPressure kind = entries[i].kind;
        t.push_back(TMainCommand(M::EarthPressure, entries[i].caption)
                        .Checkable(EarthPressureGroup)
                        .Does([kind](TMainForm& f) { f.EarthPressureClick(kind); })
                        .Rule(Pick(&S::Options, entries[i].state))
                        .Keep(Into(&A::EarthPressureKind, i)));
    }
}

// The Options menu's check marks of the optional tables and analyses.
void TMainForm::AddOptionToggleCommands(std::vector<TMainCommand>& t)
{
    using O = TOptionsMenu;
    const std::pair<TOption, TCommandState O::*> toggles[] = {
        {TOption::GeneratePyCurves, &O::GeneratePyCurves},
        {TOption::ConcentratedLoads, &O::ApplyConcentratedLoads},
        {TOption::Restraints, &O::ApplyRestraints},
        {TOption::ExternalPyCurves, &O::ApplyExternalPyCurves},
        {TOption::Springs, &O::ApplyLateralSprings},
        {TOption::PyModifiers, &O::ApplyPyModificationFactors},
        {TOption::Surcharge, &O::ApplySurchargeLoads},
        {TOption::MeiCurves, &O::ApplyMomentEICurves},
        {TOption::LongTermAnalysis, &O::ShortAndLongTermAnalyses},
    };
    for (const auto& [option, state] : toggles) {
        if (option == TOption::ConcentratedLoads || option == TOption::LongTermAnalysis)
            t.push_back(TMainCommand::Separator(M::Options));
        const TOption o = option;
        t.push_back(TMainCommand(M::Options, OptionToggle(o).Caption)
                        .Checkable()
                        .Does([o](TMainForm& f) { f.OptionClick(o); })
                        .Rule(Pick(&S::Options, state))
                        .Keep([o](TMainActions& a, QAction* action) { a.Toggles[o] = action; }));
    }
}

void TMainForm::AddOptionsCommands(std::vector<TMainCommand>& t)
{
    using O = TOptionsMenu;
    t.push_back(TMainCommand::Menu(M::MenuBar, "&Options", M::Options).Opening(true).Keep(IntoMenu(&A::Options)));
    AddUnitCommands(t);
    t.push_back(TMainCommand::Separator(M::Options));
    AddEarthPressureCommands(t);
    AddOptionToggleCommands(t);
    t.push_back(TMainCommand(M::Options, "Conduct &Staged-Construction Analysis...")
                    .Checkable()
                    .Does([](TMainForm& f) { f.StagedOptionsClick(); })
                    .Rule(Pick(&S::Options, &O::StagedConstructionAnalysis), OnMenuOpened | OnWallShown)
                    .Keep(Into(&A::StagedConstruction)));
    // The caption of the change it makes, with an access key.
    t.push_back(TMainCommand(M::Options, "Anchors and springs act from their &installation stage")
                    .Checkable()
                    .Does([](TMainForm& f) { f.SpringsFromInstallationClick(); })
                    .Rule(Pick(&S::Options, &O::SpringsFromInstallation), OnMenuOpened | OnWallShown)
                    .Keep(Into(&A::SpringsFromInstallation)));
    t.push_back(TMainCommand(M::Options, PassiveLimitCaption)
                    .Checkable()
                    .Does([](TMainForm& f) { f.ToggleWallSetting(&TWallSettings::limitToPassive, PassiveLimitCaption); })
                    .Rule(Pick(&S::Options, &O::PassiveLimit), OnMenuOpened | OnWallShown)
                    .Keep(Into(&A::PassiveLimit)));
    t.push_back(TMainCommand(M::Options, LockOffAsBuiltCaption)
                    .Checkable()
                    .Does([](TMainForm& f) { f.ToggleWallSetting(&TWallSettings::lockOffAsBuilt, LockOffAsBuiltCaption); })
                    .Rule(Pick(&S::Options, &O::LockOffAsBuilt), OnMenuOpened | OnWallShown)
                    .Keep(Into(&A::LockOffAsBuilt)));
    t.push_back(TMainCommand(M::Options, SoilBehindCaption)
                    .Checkable()
                    .Does([](TMainForm& f) { f.ToggleWallSetting(&TWallSettings::soilBehindResists, SoilBehindCaption); })
                    .Rule(Pick(&S::Options, &O::SoilBehind), OnMenuOpened | OnWallShown)
                    .Keep(Into(&A::SoilBehind)));
    t.push_back(TMainCommand(M::Options, LimitEquilibriumInVerdictCaption)
                    .Checkable()
                    .Does([](TMainForm& f) {
                        f.ToggleWallSetting(&TWallSettings::limitEquilibriumInVerdict, LimitEquilibriumInVerdictCaption);
                    })
                    .Rule(Pick(&S::Options, &O::LimitEquilibriumInVerdict), OnMenuOpened | OnWallShown)
                    .Keep(Into(&A::LimitEquilibriumInVerdict)));
    t.push_back(TMainCommand::Separator(M::Options));
    t.push_back(TMainCommand(M::Options, "&Option of Text Editor...")
                    .Does([](TMainForm& f) { f.ShowDialog(InputDialog::Options); })
                    .Keep(Into(&A::TextEditorOption)));
    // The program's own setting, kept in the user's settings; ticked at start-up by readSettings.
    t.push_back(TMainCommand(M::Options, "Analyse As &You Edit")
                    .Checkable()
                    .Does([](TMainForm& f) { f.SetAnalyseAsYouEdit(!f.AnalysesAsYouEdit()); })
                    .Keep(Into(&A::AnalyseAsYouEdit)));
}

void TMainForm::AddStageCommands(std::vector<TMainCommand>& t)
{
    t.push_back(TMainCommand::Menu(M::MenuBar, "&Stage Construction", M::Stage)
                    .Opening(true)
                    .Rule(
                        [](const S& s) {
                            return TCommandState{true, false, s.Stage.Visible};
                        },
                        OnStagesChanged)
                    .Initially(Hidden)
                    .Keep(IntoMenu(&A::Stage)));
    static const char* const captions[5] = {"Stage &1", "Stage &2", "Stage &3", "Stage &4", "Stage &5"};
    for (int k = 1; k <= 5; ++k)
        t.push_back(TMainCommand(M::Stage, captions[k - 1])
                        .Checkable()
                        .Does([k](TMainForm& f) { f.StageClick(k); })
                        .Rule([k](const S& s) { return s.Stage.Stage[k - 1]; })
                        .Keep(Into(&A::StageEntry, k - 1)));
    t.push_back(TMainCommand::Separator(M::Stage));
    t.push_back(TMainCommand(M::Stage, "Copy &Previous Stage")
                    .Does([](TMainForm& f) { f.CopyPreviousStageClick(); })
                    .Rule(Pick(&S::Stage, &TStageMenu::CopyPreviousStage))
                    .Keep(Into(&A::CopyPreviousStage)));
}

void TMainForm::AddComputationCommands(std::vector<TMainCommand>& t)
{
    using C = TComputationMenu;
    t.push_back(
        TMainCommand::Menu(M::MenuBar, "&Computation", M::Computation).Opening(true).Keep(IntoMenu(&A::Computation)));
    t.push_back(TMainCommand(M::Computation, "&Run Analysis")
                    .Key(Qt::Key_F9)
                    .Button(10, "Run", "Run Analysis")
                    .Does([](TMainForm& f) { f.CompRunClick(); })
                    .Rule(Pick(&S::Computation, &C::RunAnalysis))
                    .Keep(Into(&A::Run)));
    t.push_back(TMainCommand::Separator(M::Computation));
    t.push_back(TMainCommand(M::Computation, "Edit I&nput Text")
                    .Does([](TMainForm& f) { f.EditTextFile(nullptr); })
                    .Rule(Pick(&S::Computation, &C::EditInputText))
                    .Keep(Into(&A::EditInputText)));
    t.push_back(TMainCommand(M::Computation, "Edit &Processor-Run Notes")
                    .Does([](TMainForm& f) { f.EditTextFile(".tk4r"); })
                    .Rule(Pick(&S::Computation, &C::EditRunNotes))
                    .Keep(Into(&A::EditRunNotes)));
    t.push_back(TMainCommand(M::Computation, "Edit &Output Text")
                    .Does([](TMainForm& f) { f.EditTextFile(".tk4o"); })
                    .Rule(Pick(&S::Computation, &C::EditOutputText))
                    .Keep(Into(&A::EditOutputText)));
    t.push_back(TMainCommand::Separator(M::Computation));
    t.push_back(TMainCommand(M::Computation, "&View Wall Geometry")
                    .Button(13, "SoilProfile", "View Soil Profile", "View Wall Geometry")
                    .Does([](TMainForm& f) { f.ViewGeometryClick(); })
                    .Rule(Pick(&S::Computation, &C::ViewWallGeometry))
                    .Keep(Into(&A::ViewWallGeometry)));
    // The result documents follow the standard entries, so that those keep their places.
    t.push_back(TMainCommand::Separator(M::Computation));
    t.push_back(TMainCommand(M::Computation, "Save R&eport...")
                    .Does([](TMainForm& f) {
                        if (const TProgramData* wall = f.Wall())
                            f.resultCommands_->SaveReport(*wall);
                    })
                    .Rule(Pick(&S::SaveReport))
                    .Keep(Into(&A::SaveReport)));
    t.push_back(TMainCommand(M::Computation, "Save Results as &CSV...")
                    .Does([](TMainForm& f) {
                        if (const TProgramData* wall = f.Wall())
                            f.resultCommands_->SaveCsv(*wall);
                    })
                    .Rule(Pick(&S::SaveReport))
                    .Keep(Into(&A::SaveResultsCsv)));
    t.push_back(TMainCommand(M::Computation, "&Design Checks...")
                    .Key(QKeySequence(Qt::SHIFT | Qt::Key_F9))
                    .Does([](TMainForm& f) { f.DesignChecksClick(); })
                    .Rule(Pick(&S::Computation, &C::RunAnalysis)));
    t.push_back(TMainCommand(M::Computation, "St&udy...")
                    .Does([](TMainForm& f) { f.StudyClick(); })
                    .Rule(Pick(&S::Computation, &C::RunAnalysis)));
}

void TMainForm::AddGraphicsCommands(std::vector<TMainCommand>& t)
{
    using G = TGraphicsMenu;
    using R = TResultButtons;
    const unsigned alsoWithResults = OnMenuOpened | OnResultsChanged;
    // The Graphics menu leaves the active child window alone: opening it hands nothing over.
    t.push_back(TMainCommand::Menu(M::MenuBar, "&Graphics", M::Graphics).Keep(IntoMenu(&A::Graphics)));
    struct Graph {
        const char* caption;
        TGraphPlot TResultGraphs::*plot;
        TCommandState G::*state;
    };
    const Graph graphs[8] = {
        {"p-&y Curves", &TResultGraphs::PyCurves, &G::PyCurves},
        {"&Deflection vs Depth", &TResultGraphs::Deflection, &G::DeflectionVsDepth},
        {"&Moment vs Depth", &TResultGraphs::Moment, &G::MomentVsDepth},
        {"&Shear vs Depth", &TResultGraphs::Shear, &G::ShearVsDepth},
        {"&Reaction vs Depth", &TResultGraphs::SoilReaction, &G::ReactionVsDepth},
        {"Deflection, Moment and S&hear", &TResultGraphs::DeflectionMomentShear, &G::DeflectionMomentShear},
        {"Earth &Pressure Distribution", &TResultGraphs::EarthPressure, &G::EarthPressureDistribution},
        {"Earth Pressure Combined", &TResultGraphs::CombinedPressure, &G::EarthPressureCombined},
    };
    for (int i = 0; i < 8; ++i) {
        if (i == 1 || i == 6)
            t.push_back(TMainCommand::Separator(M::Graphics));
        TGraphPlot TResultGraphs::*plot = graphs[i].plot;
        t.push_back(TMainCommand(M::Graphics, graphs[i].caption)
                        .Does([plot](TMainForm& f) { (f.graphs_.*plot).Execute(); })
                        .Rule(Pick(&S::Graphics, graphs[i].state), alsoWithResults)
                        .Keep(Into(&A::Graph, i)));
    }
    t.push_back(TMainCommand::Separator(M::Graphics));
    t.push_back(TMainCommand(M::Graphics, "Stage &Envelope")
                    .Does([](TMainForm& f) {
                        if (const TProgramData* wall = f.Wall())
                            f.resultCommands_->ShowStageEnvelope(*wall);
                    })
                    .Rule(Pick(&S::StageEnvelope), alsoWithResults)
                    .Keep(Into(&A::StageEnvelope)));

    // The toolbar's graph buttons do what the Graphics menu's entries do, when those are enabled.
    // The hints are the toolbar's own; where one does not say what its button
    // shows, the button's name for screen readers (and a second line of the hint) does.
    struct GraphButton {
        const char* icon;
        const char* hint;
        const char* does;
    };
    const GraphButton buttons[7] = {
        {"PyCurves", "View p-y Curves", nullptr},
        {"Deflection", "Deflection Diagram", nullptr},
        {"Moment", "Moment Diagram", nullptr},
        {"Shear", "LShear Diagram", "Shear Diagram"},
        {"SoilReaction", "Soil-Reaction Diagram", nullptr},
        {"DeflectionMomentShear", "Soil-Reaction Diagram", "Deflection, Moment and Shear Diagram"},
        {"Pressure", "Pressure Diagram", nullptr}};
    TCommandState R::*const states[7] = {
        &R::PyCurves, &R::Deflection, &R::Moment, &R::Shear, &R::SoilReaction, &R::DeflectionMomentShear, &R::Pressure};
    for (int i = 0; i < 7; ++i)
        t.push_back(TMainCommand(M::ToolBar, nullptr)
                        .Button(20 + i, buttons[i].icon, buttons[i].hint, buttons[i].does)
                        .Does([i](TMainForm& f) { f.act_->Graph[i]->trigger(); })
                        .Rule(Pick(&S::ResultButtons, states[i]), OnResultsChanged)
                        .Initially(Disabled)
                        .Keep(Into(&A::GraphButton, i)));
}

void TMainForm::AddWindowCommands(std::vector<TMainCommand>& t)
{
    t.push_back(TMainCommand::Menu(M::MenuBar, "&Window", M::Window).Opening(true).Keep(IntoMenu(&A::Window)));
    t.push_back(TMainCommand(M::Window, "&Cascade")
                    .Does([](TMainForm& f) { f.mdiArea_->cascadeSubWindows(); })
                    .Keep(Into(&A::Cascade)));
    t.push_back(TMainCommand(M::Window, "&Arrange Icons")
                    .Does([](TMainForm& f) { f.ArrangeIcons(); })
                    .Keep(Into(&A::ArrangeIcons)));
    t.push_back(TMainCommand::Separator(M::Window)
                    .Rule([](const S& s) {
                        return TCommandState{true, false, s.Windows.SeparatorVisible};
                    })
                    .Keep(Into(&A::WindowSeparator)));
    for (int i = 0; i < WindowMenuEntries; ++i)
        t.push_back(TMainCommand(M::Window, "")
                        .Checkable()
                        .Does([i](TMainForm& f) { f.ActivateWindow(i); })
                        .Rule([i](const S& s) { return s.WindowEntry(i); })
                        .Text([i](const S& s) {
                            return i < static_cast<int>(s.Windows.Entries.size()) ? s.Windows.Entries[i].Caption
                                                                                  : std::string();
                        })
                        .Initially(Hidden)
                        .Keep(Into(&A::WindowEntry, i)));
}

void TMainForm::AddHelpCommands(std::vector<TMainCommand>& t)
{
    // Windows opens the compiled help; other platforms have no viewer for it and open the manual as HTML.
#ifdef _WIN32
    const char* const contents = ContentsHelpFileName;
    const char* const technicalManual = "TorvikTechnicalManual.bat";
#else
    const char* const contents = ContentsHtmlFileName;
    const char* const technicalManual = "TorvikTechnicalManual.pdf";
#endif
    t.push_back(TMainCommand::Menu(M::MenuBar, "&Help", M::Help).Opening(true).Keep(IntoMenu(&A::Help)));
    t.push_back(TMainCommand(M::Help, "&Contents")
                    .Does([contents](TMainForm& f) { f.OpenDocument(contents); })
                    .Keep(Into(&A::Contents)));
    t.push_back(TMainCommand(M::Help, "&User's Manual")
                    .Does([](TMainForm& f) { f.OpenDocument(UsersManualFileName); })
                    .Keep(Into(&A::UsersManual)));
    t.push_back(TMainCommand(M::Help, "&Technical Manual")
                    .Does([technicalManual](TMainForm& f) { f.OpenDocument(technicalManual); })
                    .Keep(Into(&A::TechnicalManual)));
    t.push_back(TMainCommand::Separator(M::Help));
    t.push_back(TMainCommand(M::Help, "&About...").Does([](TMainForm& f) { f.AboutClick(); }).Keep(Into(&A::About)));
    t.push_back(TMainCommand(M::Help, "Check for &Updates")
                    .Does([](TMainForm& f) { f.CheckUpdatesClick(); })
                    .Keep(Into(&A::CheckUpdates)));
    t.push_back(TMainCommand(M::Help, "&Verification")
                    .Does([](TMainForm& f) { TVerificationWindow::Show(&f); })
                    .Keep(Into(&A::Verification)));
}

void TMainForm::AddToolBarCommands(std::vector<TMainCommand>& t)
{
    t.push_back(TMainCommand::Separator(M::ToolBar, 9));
    t.push_back(TMainCommand(M::ToolBar, nullptr)
                    .Button(11, "StageOptions", "Stage Construction Option")
                    .Does([](TMainForm& f) { f.StagedOptionsClick(); })
                    .Rule(Pick(&S::StageOptions), OnWallShown)
                    .Keep(Into(&A::StageOptionsButton)));
    t.push_back(TMainCommand(M::ToolBar, nullptr)
                    .Button(12, "OutputText", "View Output File")
                    .Does([](TMainForm& f) { f.EditTextFile(".tk4o"); })
                    .Rule(Pick(&S::ResultButtons, &TResultButtons::ViewOutputFile), OnResultsChanged)
                    .Initially(Disabled)
                    .Keep(Into(&A::ViewOutputButton)));
    t.push_back(TMainCommand::Separator(M::ToolBar, 19));
    // The stage buttons and their separator show for a staged wall only.
    t.push_back(TMainCommand::Separator(M::ToolBar, 29)
                    .Rule(Pick(&S::StageSeparator), OnStagesChanged)
                    .Initially(Hidden)
                    .Keep(Into(&A::StageSeparator)));
    static const char* const icons[5] = {"Stage1", "Stage2", "Stage3", "Stage4", "Stage5"};
    static const char* const hints[5] = {"Stage Const. 1", "Stage Const. 2", "Stage Const. 3", "Stage Const. 4",
                                         "Stage Const. 5"};
    for (int k = 1; k <= 5; ++k)
        t.push_back(TMainCommand(M::ToolBar, nullptr)
                        .Button(29 + k, icons[k - 1], hints[k - 1])
                        .Checkable(StageButtonGroup)
                        .Does([k](TMainForm& f) { f.StageClick(k); })
                        .Rule([k](const S& s) { return s.StageButtons.Stage[k - 1]; }, OnStagesChanged)
                        .Initially(Hidden)
                        .Keep(Into(&A::StageButton, k - 1)));
}

const std::vector<TMainCommand>& TMainForm::Commands()
{
    static const std::vector<TMainCommand> table = [] {
        std::vector<TMainCommand> t;
        AddFileCommands(t);
        AddEditCommands(t);
        AddDataCommands(t);
        AddOptionsCommands(t);
        AddStageCommands(t);
        AddComputationCommands(t);
        AddGraphicsCommands(t);
        AddWindowCommands(t);
        AddHelpCommands(t);
        AddToolBarCommands(t);
        return t;
    }();
    return table;
}
