#pragma once
#include "ui/MainCommands.h"
#include "ui/rules/MenuRules.h"

#include <map>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;

// Every command of the main window's menu bar and toolbar, in menu order:
// the action of each row of the command table, and named fields for the
// commands that other code and the tests reach.
struct TMainActions {
    std::vector<QAction*> Row;          // one per row of TMainForm::Commands()
    std::map<TMenuId, QMenu*> Menus;    // every menu by its id

    QMenu* File = nullptr;
    QAction* New = nullptr;
    QAction* Open = nullptr;
    QAction* Save = nullptr;
    QAction* SaveAs = nullptr;
    QAction* Recent[TRecentFiles::Size] = {};
    QAction* RecentSeparator = nullptr;
    QAction* Exit = nullptr;

    QMenu* Edit = nullptr;
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;

    QMenu* Data = nullptr;
    QAction* Title = nullptr;
    QAction* WallProperties = nullptr;
    QAction* WallConfiguration = nullptr;
    QAction* SoilLayerData = nullptr;
    QMenu* SoilLayerMenu = nullptr;
    QAction* SoilLayerShortTerm = nullptr;
    QAction* SoilLayerLongTerm = nullptr;
    QAction* DistributedPressure = nullptr;
    QMenu* DistributedPressureMenu = nullptr;
    QAction* DistributedPressureShortTerm = nullptr;
    QAction* DistributedPressureLongTerm = nullptr;
    QAction* SurchargeLoads = nullptr;
    QAction* ConcentratedLoads = nullptr;
    QAction* BoundaryCondition = nullptr;
    QAction* ModificationFactors = nullptr;
    QAction* ExternalPyCurves = nullptr;
    QAction* LateralSprings = nullptr;
    QAction* MomentEICurves = nullptr;

    QMenu* Options = nullptr;
    QMenu* Units = nullptr;
    QAction* UnitSystem[3] = {};     // English, SI, other units
    QMenu* EarthPressure = nullptr;
    QAction* EarthPressureKind[3] = {};  // by the user, triangular, trapezoidal
    std::map<TOption, QAction*> Toggles;  // the option switches
    QAction* StagedConstruction = nullptr;
    QAction* SpringsFromInstallation = nullptr;  // "Anchors and springs act from their &installation stage"
    QAction* PassiveLimit = nullptr;             // "Limit soil resistance to the passive earth pressure"
    QAction* LockOffAsBuilt = nullptr;           // "Anchors locked off before the stage's excavation"
    QAction* SoilBehind = nullptr;               // "Soil behind the wall resists its movement back"
    QAction* LimitEquilibriumInVerdict = nullptr;
    QAction* TextEditorOption = nullptr;
    QAction* AnalyseAsYouEdit = nullptr;

    QMenu* Stage = nullptr;
    QAction* StageEntry[5] = {};
    QAction* CopyPreviousStage = nullptr;

    QMenu* Computation = nullptr;
    QAction* Run = nullptr;
    QAction* EditInputText = nullptr;
    QAction* EditRunNotes = nullptr;
    QAction* EditOutputText = nullptr;
    QAction* ViewWallGeometry = nullptr;
    QAction* SaveReport = nullptr;
    QAction* SaveResultsCsv = nullptr;

    QMenu* Graphics = nullptr;
    QAction* Graph[8] = {};  // in menu order
    QAction* StageEnvelope = nullptr;

    QMenu* Window = nullptr;
    QAction* Cascade = nullptr;
    QAction* ArrangeIcons = nullptr;
    QAction* WindowSeparator = nullptr;
    QAction* WindowEntry[WindowMenuEntries] = {};

    QMenu* Help = nullptr;
    QAction* Contents = nullptr;
    QAction* UsersManual = nullptr;
    QAction* TechnicalManual = nullptr;
    QAction* About = nullptr;
    QAction* CheckUpdates = nullptr;
    QAction* Verification = nullptr;

    QToolBar* ToolBar = nullptr;
    QAction* StageOptionsButton = nullptr;
    QAction* ViewOutputButton = nullptr;
    // p-y, deflection, moment, shear, soil reaction, deflection-moment-shear, pressure.
    QAction* GraphButton[7] = {};
    QAction* StageSeparator = nullptr;  // shown with the stage buttons
    QActionGroup* StageGroup = nullptr;
    QAction* StageButton[5] = {};
};

// Shows a command as a rule decides: enabled, checked (when checkable), visible.
void ApplyCommandState(QAction* action, const TCommandState& state);
