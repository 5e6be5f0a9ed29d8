// The main window's menu bar and toolbar: every command with its caption,
// shortcut, icon and hint, and what each menu shows when it opens (the rules
// of ui/rules/MenuRules.h applied to the actions).
#include "ui/MainMenus.h"


#include "graph/widgets/PlotForm.h"
#include "model/ProgramData.h"
#include "run/widgets/ResultCommands.h"
#include "tables/GridTable.h"
#include "ui/MainForm.h"
#include "ui/VerificationWindow.h"
#include "ui/art/Artwork.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>

void ApplyCommandState(QAction* action, const TCommandState& state)
{
    action->setEnabled(state.Enabled);
    if (action->isCheckable())
        action->setChecked(state.Checked);
    action->setVisible(state.Visible);
}

namespace {

QAction* AddCommand(QMenu* menu, const char* caption, QObject* receiver, std::function<void()> handler,
                    QKeySequence shortcut = {})
{
    QAction* a = menu->addAction(QString::fromLatin1(caption));
    a->setShortcut(shortcut);
    QObject::connect(a, &QAction::triggered, receiver, [handler] { handler(); });
    return a;
}

}  // namespace

void TMainForm::createMenus()
{
    act_ = std::make_unique<TMainActions>();
    createFileMenu();
    createDataMenu();
    createOptionsMenu();
    createStageMenu();
    createComputationMenu();
    createGraphicsMenu();
    createWindowMenu();
    createHelpMenu();
}

void TMainForm::createFileMenu()
{
    TMainActions& a = *act_;
    a.File = menuBar()->addMenu("&File");
    a.New = AddCommand(a.File, "&New", this, [this] { FileNewClick(); }, QKeySequence(Qt::CTRL | Qt::Key_N));
    a.Open = AddCommand(a.File, "&Open...", this, [this] { FileOpenClick(); }, QKeySequence(Qt::CTRL | Qt::Key_O));
    a.Save = AddCommand(a.File, "&Save", this, [this] { FileSaveClick(); }, QKeySequence(Qt::CTRL | Qt::Key_S));
    a.SaveAs = AddCommand(a.File, "Save &As...", this, [this] { FileSaveAsClick(); });
    a.File->addSeparator();
    for (int i = 1; i <= TRecentFiles::Size; ++i) {
        a.Recent[i - 1] = AddCommand(a.File, "", this, [this, i] { RecentFileClick(i); });
        a.Recent[i - 1]->setVisible(false);
    }
    a.RecentSeparator = a.File->addSeparator();
    a.RecentSeparator->setVisible(false);
    a.Exit = AddCommand(a.File, "E&xit", this, [this] { close(); }, QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(a.File, &QMenu::aboutToShow, this, &TMainForm::FileMenuOpened);
}

void TMainForm::createDataMenu()
{
    TMainActions& a = *act_;
    a.Data = menuBar()->addMenu("Da&ta");
    auto dialog = [this](QMenu* menu, const char* caption, InputDialog kind) {
        return AddCommand(menu, caption, this, [this, kind] { ShowDialog(kind); });
    };
    auto editor = [this](QMenu* menu, const char* caption, WallTable table) {
        return AddCommand(menu, caption, this, [this, table] { Tables()[table].ShowEditor(); });
    };
    a.Title = dialog(a.Data, "&Title", InputDialog::Title);
    a.Data->addSeparator();
    a.WallProperties = dialog(a.Data, "Wall &Properties", InputDialog::Prop);
    a.WallConfiguration = dialog(a.Data, "&Wall Configuration", InputDialog::CSD);
    a.SoilLayerData = editor(a.Data, "&Soil Layer Data", WallTable::NewSoil);
    a.SoilLayerMenu = a.Data->addMenu("&Soil Layer Data");
    a.SoilLayerShortTerm = editor(a.SoilLayerMenu, "Short-Term", WallTable::NewSoil);
    a.SoilLayerLongTerm = editor(a.SoilLayerMenu, "Long-Term", WallTable::LongSoil);
    a.Data->addSeparator();
    a.DistributedPressure = editor(a.Data, "&Distributed Active Earth Pressure", WallTable::DistLoad);
    a.DistributedPressureMenu = a.Data->addMenu("&Distributed Active Earth Pressure");
    a.DistributedPressureShortTerm = editor(a.DistributedPressureMenu, "Short-Term", WallTable::DistLoad);
    a.DistributedPressureLongTerm = editor(a.DistributedPressureMenu, "Long-Term", WallTable::LongDist);
    a.SurchargeLoads = dialog(a.Data, "&Additional Surcharge Loads", InputDialog::Rebar);
    a.ConcentratedLoads = dialog(a.Data, "&Concentrated Loads on the Wall", InputDialog::ConLoads);
    a.Data->addSeparator();
    a.BoundaryCondition = editor(a.Data, "&Boundary Condition on Deflection or Slope", WallTable::Soillayer);
    a.ModificationFactors = editor(a.Data, "Modification &Factors for p-y Curves", WallTable::PYMod);
    a.Data->addSeparator();
    a.ExternalPyCurves = editor(a.Data, "Sets of &External p-y Curves", WallTable::PYCurves);
    a.LateralSprings = dialog(a.Data, "&Lateral Springs and Rotational Restraints", InputDialog::Spring);
    a.MomentEICurves = editor(a.Data, "Sets of Nonlinear Moment vs EI Curves", WallTable::MEICurves);
    connect(a.Data, &QMenu::aboutToShow, this, &TMainForm::DataMenuOpened);
}

void TMainForm::createOptionsMenu()
{
    TMainActions& a = *act_;
    a.Options = menuBar()->addMenu("&Options");
    a.Units = a.Options->addMenu("&Units");
    auto* units = new QActionGroup(this);
    const char* unitCaptions[3] = {"&English Units (lbs, in)", "&SI Units (kN, m)", "&Other Units (F, L)"};
    for (int k = 1; k <= 3; ++k) {
        QAction* e = AddCommand(a.Units, unitCaptions[k - 1], this, [this, k] { UnitsClick(k); });
        e->setCheckable(true);
        units->addAction(e);
        a.UnitSystem[k - 1] = e;
    }
    connect(a.Units, &QMenu::aboutToShow, this, [this] {
        if (const TProgramData* wall = Wall())
            for (int k = 1; k <= 3; ++k)
                act_->UnitSystem[k - 1]->setChecked(wall->UnitSystem() == k);
    });
    a.Options->addSeparator();

    a.EarthPressure = a.Options->addMenu("Earth-Pressure Options");
    auto* kinds = new QActionGroup(this);
    const char* kindCaptions[3] = {"Earth-Pressure Specified by User", "Generate Triangular-Distribution Earth-Pressure",
                                   "Generate Trapezoidal-Distribution Pressure (Anchored Walls)"};
    for (int k = 1; k <= 3; ++k) {
        QAction* e = AddCommand(a.EarthPressure, kindCaptions[k - 1], this, [this, k] { EarthPressureClick(k); });
        e->setCheckable(true);
        kinds->addAction(e);
        a.EarthPressureKind[k - 1] = e;
    }
    connect(a.EarthPressure, &QMenu::aboutToShow, this, [this] {
        if (TProgramData* wall = Wall()) {
            EarthPressureMenuOpened(*wall);
            for (int k = 1; k <= 3; ++k)
                act_->EarthPressureKind[k - 1]->setChecked(wall->EarthPressureKind == k);
        }
    });

    auto toggle = [this, &a](TOption option) {
        QAction* e =
            AddCommand(a.Options, OptionToggle(option).Caption, this, [this, option] { OptionClick(option); });
        e->setCheckable(true);
        a.Toggles[option] = e;
    };
    toggle(TOption::GeneratePyCurves);
    a.Options->addSeparator();
    for (TOption o : {TOption::ConcentratedLoads, TOption::Restraints, TOption::ExternalPyCurves, TOption::Springs,
                      TOption::PyModifiers, TOption::Surcharge, TOption::MeiCurves})
        toggle(o);
    a.Options->addSeparator();
    toggle(TOption::LongTermAnalysis);
    a.StagedConstruction = AddCommand(a.Options, "Conduct &Staged-Construction Analysis...", this,
                                      [this] { StagedOptionsClick(true); });
    a.StagedConstruction->setCheckable(true);
    a.Options->addSeparator();
    a.TextEditorOption =
        AddCommand(a.Options, "&Option of Text Editor...", this, [this] { ShowDialog(InputDialog::Options); });
    connect(a.Options, &QMenu::aboutToShow, this, &TMainForm::OptionsMenuOpen);
}

void TMainForm::createStageMenu()
{
    TMainActions& a = *act_;
    a.Stage = menuBar()->addMenu("&Stage Construction");
    for (int k = 1; k <= 5; ++k) {
        const QByteArray caption = "Stage &" + QByteArray::number(k);
        a.StageEntry[k - 1] = AddCommand(a.Stage, caption.constData(), this, [this, k] { StageClick(k); });
        a.StageEntry[k - 1]->setCheckable(true);
    }
    a.Stage->addSeparator();
    a.CopyPreviousStage = AddCommand(a.Stage, "Copy &Previous Stage", this, [this] { CopyPreviousStageClick(); });
    a.Stage->menuAction()->setVisible(false);
    connect(a.Stage, &QMenu::aboutToShow, this, &TMainForm::StageMenuOpened);
}

void TMainForm::createComputationMenu()
{
    TMainActions& a = *act_;
    a.Computation = menuBar()->addMenu("&Computation");
    a.Run = AddCommand(a.Computation, "&Run Analysis", this, [this] { CompRunClick(); });
    a.Computation->addSeparator();
    a.EditInputText = AddCommand(a.Computation, "Edit I&nput Text", this, [this] { EditTextFile(nullptr); });
    a.EditRunNotes = AddCommand(a.Computation, "Edit &Processor-Run Notes", this, [this] { EditTextFile(".tk4r"); });
    a.EditOutputText = AddCommand(a.Computation, "Edit &Output Text", this, [this] { EditTextFile(".tk4o"); });
    a.Computation->addSeparator();
    a.ViewWallGeometry = AddCommand(a.Computation, "&View Wall Geometry", this, [this] { ViewGeometryClick(); });
    // The result documents follow the standard entries, so that those keep their places.
    a.Computation->addSeparator();
    a.SaveReport = AddCommand(a.Computation, "Save &Report...", this, [this] {
        if (const TProgramData* wall = Wall())
            resultCommands_->SaveReport(*wall);
    });
    a.SaveResultsCsv = AddCommand(a.Computation, "Save Results as &CSV...", this, [this] {
        if (const TProgramData* wall = Wall())
            resultCommands_->SaveCsv(*wall);
    });
    connect(a.Computation, &QMenu::aboutToShow, this, &TMainForm::ComputationMenuOpened);
}

void TMainForm::createGraphicsMenu()
{
    TMainActions& a = *act_;
    a.Graphics = menuBar()->addMenu("&Graphics");
    const char* captions[8] = {"p-&y Curves",      "&Deflection vs Depth",         "&Moment vs Depth",
                               "&Shear vs Depth",  "&Reaction vs Depth",           "&Deflection, Moment and Shear",
                               "Earth &Pressure Distribution", "Earth Pressure Combined"};
    TGraphPlot* graphs[8] = {&graphs_.pltPY,   &graphs_.pltDef, &graphs_.pltMom, &graphs_.pltShear,
                             &graphs_.pltSoil, &graphs_.pltDMS, &graphs_.pltLD,  &graphs_.PltCombine};
    for (int i = 0; i < 8; ++i) {
        if (i == 1 || i == 6)
            a.Graphics->addSeparator();
        TGraphPlot* g = graphs[i];
        a.Graph[i] = AddCommand(a.Graphics, captions[i], this, [g] { g->Execute(); });
    }
    a.Graphics->addSeparator();
    a.StageEnvelope = AddCommand(a.Graphics, "Stage &Envelope", this, [this] {
        if (const TProgramData* wall = Wall())
            resultCommands_->ShowStageEnvelope(*wall);
    });
    // The Graphics menu leaves the active child window alone: opening it hands nothing over.
    connect(a.Graphics, &QMenu::aboutToShow, this, &TMainForm::GraphicsMenuOpened);
}

void TMainForm::createWindowMenu()
{
    TMainActions& a = *act_;
    a.Window = menuBar()->addMenu("&Window");
    a.Cascade = AddCommand(a.Window, "&Cascade", this, [this] { mdiArea_->cascadeSubWindows(); });
    a.ArrangeIcons = AddCommand(a.Window, "&Arrange Icons", this, [this] { ArrangeIcons(); });
    a.WindowSeparator = a.Window->addSeparator();
    for (int i = 0; i < WindowMenuEntries; ++i) {
        QAction* e = AddCommand(a.Window, "", this, [this, i] {
            const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
            if (i < windows.size()) {
                if (windows[i]->isMinimized())
                    windows[i]->showNormal();
                mdiArea_->setActiveSubWindow(windows[i]);
            }
        });
        e->setCheckable(true);
        e->setVisible(false);
        a.WindowEntry[i] = e;
    }
    connect(a.Window, &QMenu::aboutToShow, this, &TMainForm::WindowMenuOpened);
}

void TMainForm::createHelpMenu()
{
    TMainActions& a = *act_;
    a.Help = menuBar()->addMenu("&Help");
    // Windows opens the compiled help; other platforms have no viewer for it and open the manual as HTML.
#ifdef _WIN32
    const char* const contents = "TORVIK_2013.chm";
    const char* const technicalManual = "TorvikTechnicalManual.bat";
#else
    const char* const contents = "TORVIK_2013.html";
    const char* const technicalManual = "TorvikTechnicalManual.pdf";
#endif
    a.Contents = AddCommand(a.Help, "&Contents", this, [this, contents] { OpenDocument(contents); });
    a.UsersManual =
        AddCommand(a.Help, "&User's Manual", this, [this] { OpenDocument("TORVIK 2013 Users Manual.pdf"); });
    a.TechnicalManual =
        AddCommand(a.Help, "&Technical Manual", this, [this, technicalManual] { OpenDocument(technicalManual); });
    a.Help->addSeparator();
    a.About = AddCommand(a.Help, "&About...", this, [this] { AboutClick(); });
    a.CheckUpdates = AddCommand(a.Help, "Check for &Updates", this, [this] { CheckUpdatesClick(); });
    a.Verification = AddCommand(a.Help, "&Verification", this, [this] { TVerificationWindow::Show(this); });
    connect(a.Help, &QMenu::aboutToShow, this, [this] { CommitActiveChild(); });
}

void TMainForm::createToolBars()
{
    TMainActions& a = *act_;
    a.ToolBar = addToolBar("Toolbar");
    a.ToolBar->setObjectName("MainToolBar");
    a.ToolBar->setMovable(false);
    a.StageOptionsButton = new QAction(this);
    connect(a.StageOptionsButton, &QAction::triggered, this, [this] { StagedOptionsClick(false); });
    a.ViewOutputButton = new QAction(this);
    connect(a.ViewOutputButton, &QAction::triggered, this, [this] { EditTextFile(".tk4o"); });
    const int graphOfButton[7] = {0, 1, 2, 3, 4, 5, 6};
    for (int i = 0; i < 7; ++i) {
        a.GraphButton[i] = new QAction(this);
        QAction* menuEntry = a.Graph[graphOfButton[i]];
        connect(a.GraphButton[i], &QAction::triggered, menuEntry, &QAction::trigger);
    }
    a.StageGroup = new QActionGroup(this);
    a.StageGroup->setExclusive(true);
    for (int k = 1; k <= 5; ++k) {
        a.StageButton[k - 1] = new QAction(this);
        a.StageButton[k - 1]->setCheckable(true);
        a.StageGroup->addAction(a.StageButton[k - 1]);
        connect(a.StageButton[k - 1], &QAction::triggered, this, [this, k] { StageClick(k); });
    }

    // The buttons left to right: the icon's name, the hint, the command (null: a separator).
    struct Button {
        const char* icon;
        const char* hint;
        QAction* action;
    };
    const Button buttons[] = {
        {"New", "New Data File", a.New},
        {"Open", "Open Data File", a.Open},
        {"Save", "Save Data File", a.Save},
        {nullptr, nullptr, nullptr},
        {"Run", "Run Analysis", a.Run},
        {"StageOptions", "Stage Construction Option", a.StageOptionsButton},
        {"OutputText", "View Output File", a.ViewOutputButton},
        {"SoilProfile", "View Soil Profile", a.ViewWallGeometry},
        {nullptr, nullptr, nullptr},
        {"PyCurves", "View p-y Curves", a.GraphButton[0]},
        {"Deflection", "Deflection Diagram", a.GraphButton[1]},
        {"Moment", "Moment Diagram", a.GraphButton[2]},
        {"Shear", "LShear Diagram", a.GraphButton[3]},
        {"SoilReaction", "Soil-Reaction Diagram", a.GraphButton[4]},
        {"DeflectionMomentShear", "Soil-Reaction Diagram", a.GraphButton[5]},
        {"Pressure", "Pressure Diagram", a.GraphButton[6]},
        {nullptr, nullptr, nullptr},
        {"Stage1", "Stage Const. 1", a.StageButton[0]},
        {"Stage2", "Stage Const. 2", a.StageButton[1]},
        {"Stage3", "Stage Const. 3", a.StageButton[2]},
        {"Stage4", "Stage Const. 4", a.StageButton[3]},
        {"Stage5", "Stage Const. 5", a.StageButton[4]},
    };
    for (const Button& b : buttons) {
        if (!b.action) {
            a.StageSeparator = a.ToolBar->addSeparator();
            continue;
        }
        b.action->setIcon(ArtworkIcon(QString::fromLatin1(b.icon)));
        b.action->setToolTip(QString::fromLatin1(b.hint));
        // The hint names the button for screen readers too.
        if (b.action->text().isEmpty())
            b.action->setText(QString::fromLatin1(b.hint));
        a.ToolBar->addAction(b.action);
    }
    a.ViewOutputButton->setEnabled(false);
    for (QAction* g : a.GraphButton)
        g->setEnabled(false);
    for (QAction* s : a.StageButton)
        s->setVisible(false);
    a.StageSeparator->setVisible(false);
}

void TMainForm::FileMenuOpened()
{
    CommitActiveChild();
    const TFileMenu m = FileMenuState(settings_.RecentFiles, OpenFolder());
    for (int i = 0; i < TRecentFiles::Size; ++i) {
        act_->Recent[i]->setText(QString::fromStdString(m.RecentCaption[i]));
        ApplyCommandState(act_->Recent[i], m.Recent[i]);
    }
    ApplyCommandState(act_->RecentSeparator, m.RecentSeparator);
}

void TMainForm::DataMenuOpened()
{
    CommitActiveChild();
    const TProgramData* wall = Wall();
    if (!wall)
        return;
    const TDataMenu m = DataMenuState(*wall);
    TMainActions& a = *act_;
    ApplyCommandState(a.Title, m.Title);
    ApplyCommandState(a.WallProperties, m.WallProperties);
    ApplyCommandState(a.WallConfiguration, m.WallConfiguration);
    ApplyCommandState(a.SoilLayerData, m.SoilLayerData);
    ApplyCommandState(a.SoilLayerMenu->menuAction(), m.SoilLayerDataMenu);
    ApplyCommandState(a.SoilLayerShortTerm, m.SoilLayerShortTerm);
    ApplyCommandState(a.SoilLayerLongTerm, m.SoilLayerLongTerm);
    ApplyCommandState(a.DistributedPressure, m.DistributedEarthPressure);
    ApplyCommandState(a.DistributedPressureMenu->menuAction(), m.DistributedEarthPressureMenu);
    ApplyCommandState(a.DistributedPressureShortTerm, m.DistributedEarthPressureShortTerm);
    ApplyCommandState(a.DistributedPressureLongTerm, m.DistributedEarthPressureLongTerm);
    ApplyCommandState(a.SurchargeLoads, m.AdditionalSurchargeLoads);
    ApplyCommandState(a.ConcentratedLoads, m.ConcentratedLoads);
    ApplyCommandState(a.BoundaryCondition, m.BoundaryCondition);
    ApplyCommandState(a.ModificationFactors, m.ModificationFactors);
    ApplyCommandState(a.ExternalPyCurves, m.ExternalPyCurves);
    ApplyCommandState(a.LateralSprings, m.LateralSprings);
    ApplyCommandState(a.MomentEICurves, m.MomentEICurves);
}

void TMainForm::OptionsMenuOpen()
{
    CommitActiveChild();
    TProgramData* wall = Wall();
    if (!wall)
        return;
    OptionsMenuOpened(*wall);
    const TOptionsMenu m = OptionsMenuState(*wall);
    TMainActions& a = *act_;
    ApplyCommandState(a.EarthPressure->menuAction(), m.EarthPressureOptions);
    const std::pair<TOption, const TCommandState*> toggles[] = {
        {TOption::GeneratePyCurves, &m.GeneratePyCurves},
        {TOption::ConcentratedLoads, &m.ApplyConcentratedLoads},
        {TOption::Restraints, &m.ApplyRestraints},
        {TOption::ExternalPyCurves, &m.ApplyExternalPyCurves},
        {TOption::Springs, &m.ApplyLateralSprings},
        {TOption::PyModifiers, &m.ApplyPyModificationFactors},
        {TOption::Surcharge, &m.ApplySurchargeLoads},
        {TOption::MeiCurves, &m.ApplyMomentEICurves},
        {TOption::LongTermAnalysis, &m.ShortAndLongTermAnalyses},
    };
    for (const auto& [option, state] : toggles)
        ApplyCommandState(a.Toggles.at(option), *state);
    ApplyCommandState(a.StagedConstruction, m.StagedConstructionAnalysis);
}

void TMainForm::StageMenuOpened()
{
    CommitActiveChild();
    const TProgramData* wall = Wall();
    if (!wall)
        return;
    const TStageMenu m = StageMenuState(*wall);
    for (int k = 0; k < 5; ++k)
        ApplyCommandState(act_->StageEntry[k], m.Stage[k]);
    ApplyCommandState(act_->CopyPreviousStage, m.CopyPreviousStage);
}

void TMainForm::ComputationMenuOpened()
{
    CommitActiveChild();
    const TProgramData* wall = Wall();
    if (!wall)
        return;
    const TComputationMenu m = ComputationMenuState(*wall);
    ApplyCommandState(act_->Run, m.RunAnalysis);
    ApplyCommandState(act_->EditInputText, m.EditInputText);
    ApplyCommandState(act_->EditRunNotes, m.EditRunNotes);
    ApplyCommandState(act_->EditOutputText, m.EditOutputText);
    ApplyCommandState(act_->ViewWallGeometry, m.ViewWallGeometry);
    act_->SaveReport->setEnabled(TResultCommands::ReportEnabled(resultsLoaded_));
    act_->SaveResultsCsv->setEnabled(TResultCommands::ReportEnabled(resultsLoaded_));
}

void TMainForm::GraphicsMenuOpened()
{
    const TProgramData* wall = Wall();
    if (!wall)
        return;
    const TGraphicsMenu m = GraphicsMenuState(*wall, graphs_, resultsLoaded_);
    const TCommandState* states[8] = {&m.PyCurves,         &m.DeflectionVsDepth,     &m.MomentVsDepth,
                                      &m.ShearVsDepth,     &m.ReactionVsDepth,       &m.DeflectionMomentShear,
                                      &m.EarthPressureDistribution, &m.EarthPressureCombined};
    for (int i = 0; i < 8; ++i)
        ApplyCommandState(act_->Graph[i], *states[i]);
    act_->StageEnvelope->setEnabled(TResultCommands::EnvelopeEnabled(resultsLoaded_, wall->StageCount));
}

void TMainForm::WindowMenuOpened()
{
    CommitActiveChild();
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    std::vector<std::string> captions;
    int active = -1;
    for (int i = 0; i < windows.size(); ++i) {
        // A graph window is listed by its graph's name: its own title is the
        // same for every graph until the pointer has passed over it.
        const TPlotForm* plot = TPlotForm::Of(windows[i]);
        captions.push_back(plot && plot->HasGraph() ? plot->Graph().Caption : windows[i]->windowTitle().toStdString());
        if (windows[i] == mdiArea_->activeSubWindow())
            active = i;
    }
    const TWindowMenu m = WindowMenuState(captions, active);
    act_->WindowSeparator->setVisible(m.SeparatorVisible);
    for (int i = 0; i < WindowMenuEntries; ++i) {
        QAction* e = act_->WindowEntry[i];
        const bool used = i < static_cast<int>(m.Entries.size());
        e->setVisible(used);
        if (used) {
            e->setText(QString::fromStdString(m.Entries[i].Caption));
            e->setChecked(m.Entries[i].Checked);
        }
    }
}

void TMainForm::ApplyLongTermVisibility()
{
    const TProgramData* wall = Wall();
    if (!wall)
        return;
    const TLongTermVisibility v = LongTermVisibility(*wall);
    TMainActions& a = *act_;
    a.SoilLayerData->setVisible(v.SingleEntriesVisible);
    a.DistributedPressure->setVisible(v.SingleEntriesVisible);
    a.SoilLayerMenu->menuAction()->setVisible(v.SubmenusVisible);
    a.DistributedPressureMenu->menuAction()->setVisible(v.SubmenusVisible);
    a.StagedConstruction->setEnabled(v.StagedConstructionEnabled);
    a.StageOptionsButton->setEnabled(v.StagedConstructionEnabled);
}

void TMainForm::UpdateResultButtons()
{
    const TProgramData* wall = Wall();
    if (!wall)
        return;
    const TResultButtons b = ResultButtons(*wall, graphs_, resultsLoaded_);
    TMainActions& a = *act_;
    ApplyCommandState(a.ViewOutputButton, b.ViewOutputFile);
    const TCommandState* states[7] = {&b.PyCurves,     &b.Deflection,            &b.Moment,  &b.Shear,
                                      &b.SoilReaction, &b.DeflectionMomentShear, &b.Pressure};
    for (int i = 0; i < 7; ++i)
        ApplyCommandState(a.GraphButton[i], *states[i]);
    GraphicsMenuOpened();
}

void TMainForm::UpdateStageButtons()
{
    const TProgramData* wall = Wall();
    if (!wall)
        return;
    const TStageButtons b = StageButtons(*wall);
    for (int k = 0; k < 5; ++k)
        ApplyCommandState(act_->StageButton[k], b.Stage[k]);
    act_->StageSeparator->setVisible(b.Stage[0].Visible);
}

QAction* TMainForm::ViewGeometryAction() const
{
    return act_->ViewWallGeometry;
}

QAction* TMainForm::GraphAction(int i) const
{
    return act_->Graph[i];
}

QMenu* TMainForm::DataMenu() const
{
    return act_->Data;
}

QMenu* TMainForm::OptionsMenu() const
{
    return act_->Options;
}
