#pragma once
#include "model/ProgramData.h"
#include "tables/WallTables.h"
#include "ui/rules/RecentFiles.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TResultGraphs;

// What the main window shows of one command of its menu bar or toolbar.
struct TCommandState {
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;
    bool operator==(const TCommandState& o) const
    {
        return Enabled == o.Enabled && Checked == o.Checked && Visible == o.Visible;
    }
    bool operator!=(const TCommandState& o) const { return !(*this == o); }
};

// Whether a file exists on disk; the rules take it as a parameter so that
// tests can answer without files.
using FileExistsFn = std::function<bool(const std::string&)>;
// A regular file of that name exists.
bool DiskFileExists(const std::string& path);

// The files beside the data file of `wall` (a wall never saved has none of
// them, whatever the working directory holds).
bool DataFileOnDisk(const TProgramData& wall, const FileExistsFn& exists);
bool RunNotesOnDisk(const TProgramData& wall, const FileExistsFn& exists);   // ".tk4r"
bool OutputTextOnDisk(const TProgramData& wall, const FileExistsFn& exists); // ".tk4o"
bool PlotDataOnDisk(const TProgramData& wall, const FileExistsFn& exists);   // ".tk4p"

// "&File": the document commands, the ten recent-file entries between two
// separators (the second shown only with entries), "E&xit".
struct TFileMenu {
    TCommandState New;
    TCommandState Open;
    TCommandState Save;
    TCommandState SaveAs;
    TCommandState Recent[TRecentFiles::Size];  // shown up to the number of files
    std::string RecentCaption[TRecentFiles::Size];
    TCommandState RecentSeparator;
    TCommandState Exit;
};
// `workingDirectory`: the files in it are listed by their names in it.
TFileMenu FileMenuState(const TRecentFiles& recent, const std::string& workingDirectory);

// "Da&ta". The single soil-layer and earth-pressure entries serve the
// short-term analysis alone; with long-term analysis their submenus of the
// same captions take their place.
struct TDataMenu {
    TCommandState Title;
    TCommandState WallProperties;
    TCommandState WallConfiguration;
    TCommandState SoilLayerData;             // the single entry
    TCommandState SoilLayerDataMenu;         // the submenu
    TCommandState SoilLayerShortTerm;
    TCommandState SoilLayerLongTerm;
    TCommandState DistributedEarthPressure;  // the single entry
    TCommandState DistributedEarthPressureMenu;
    TCommandState DistributedEarthPressureShortTerm;
    TCommandState DistributedEarthPressureLongTerm;
    TCommandState AdditionalSurchargeLoads;
    TCommandState ConcentratedLoads;
    TCommandState BoundaryCondition;         // "&Boundary Condition on Deflection or Slope"
    TCommandState ModificationFactors;       // "Modification &Factors for p-y Curves"
    TCommandState ExternalPyCurves;          // "Sets of &External p-y Curves"
    TCommandState LateralSprings;            // "&Lateral Springs and Rotational Restraints"
    TCommandState MomentEICurves;            // "Sets of Nonlinear Moment vs EI Curves"
};
TDataMenu DataMenuState(const TProgramData& wall);

// "&Options" with its "&Units" and "Earth-Pressure Options" submenus.
struct TOptionsMenu {
    TCommandState Units;
    TCommandState EnglishUnits;
    TCommandState SIUnits;
    TCommandState OtherUnits;
    TCommandState EarthPressureOptions;
    TCommandState EarthPressureByUser;
    TCommandState TriangularEarthPressure;
    TCommandState TrapezoidalEarthPressure;
    TCommandState GeneratePyCurves;
    TCommandState ApplyConcentratedLoads;
    TCommandState ApplyRestraints;
    TCommandState ApplyExternalPyCurves;
    TCommandState ApplyLateralSprings;
    TCommandState ApplyPyModificationFactors;
    TCommandState ApplySurchargeLoads;
    TCommandState ApplyMomentEICurves;
    TCommandState ShortAndLongTermAnalyses;
    TCommandState StagedConstructionAnalysis;
    TCommandState SpringsFromInstallation;  // checked while the wall's settings say so
    TCommandState PassiveLimit;             // likewise
    TCommandState LockOffAsBuilt;           // likewise
    TCommandState SoilBehind;               // likewise
    TCommandState LimitEquilibriumInVerdict;
    TCommandState TextEditorOption;
};
// The states; a wall without earth pressure checks the first entry of the
// Earth-Pressure Options submenu (the user's), and stays without it until an
// entry is chosen.
TOptionsMenu OptionsMenuState(const TProgramData& wall);

// The option switches of the Options menu.
enum class TOption {
    ConcentratedLoads,
    Restraints,
    ExternalPyCurves,
    Springs,
    PyModifiers,
    Surcharge,
    MeiCurves,
    GeneratePyCurves,
    LongTermAnalysis,  // "Conduct Short-Term and Long-Term &Analyses"
};
// One switch: its caption, the flag it flips and the input table that only
// counts while it is on (its editor closes when the switch goes off).
struct TOptionToggle {
    TOption Option;
    const char* Caption;
    bool TProgramData::*Flag;
    std::optional<WallTable> Table;
};
// Every switch, in menu order.
const std::vector<TOptionToggle>& OptionToggles();
const TOptionToggle& OptionToggle(TOption option);
// Flips the option's flag and marks the document modified; answers the table
// whose editor the window must close (the switch went off), if any.
std::optional<WallTable> ToggleOption(TProgramData& wall, TOption option);

// The long-term analysis decides which soil and earth-pressure entries are
// shown and excludes staged construction (applied after New, Open and the
// long-term switch).
struct TLongTermVisibility {
    bool SingleEntriesVisible;          // the single soil-layer and earth-pressure entries
    bool SubmenusVisible;               // their Short-Term / Long-Term submenus
    bool StagedConstructionEnabled;     // the Options entry and the toolbar button
};
TLongTermVisibility LongTermVisibility(const TProgramData& wall);

// "&Stage Construction" (shown for a staged wall only).
struct TStageMenu {
    bool Visible = false;
    TCommandState Stage[5];  // "Stage &1" .. "Stage &5"
    TCommandState CopyPreviousStage;
};
TStageMenu StageMenuState(const TProgramData& wall);

// The five stage tool buttons, one exclusive group: the state of "Stage
// Const. 1" .. "Stage Const. 5" (Checked: the button is down).
struct TStageButtons {
    TCommandState Stage[5];
};
TStageButtons StageButtons(const TProgramData& wall);

// "&Computation".
struct TComputationMenu {
    TCommandState RunAnalysis;
    TCommandState EditInputText;
    TCommandState EditRunNotes;     // "Edit &Processor-Run Notes"
    TCommandState EditOutputText;
    TCommandState ViewWallGeometry;
};
TComputationMenu ComputationMenuState(const TProgramData& wall, const FileExistsFn& exists = DiskFileExists);

// "&Graphics", in menu order.
struct TGraphicsMenu {
    TCommandState PyCurves;
    TCommandState DeflectionVsDepth;
    TCommandState MomentVsDepth;
    TCommandState ShearVsDepth;
    TCommandState ReactionVsDepth;
    TCommandState DeflectionMomentShear;
    TCommandState EarthPressureDistribution;
    TCommandState EarthPressureCombined;
};
// Graphs are offered only while the results read last are still on disk
// (`resultsLoaded`: the last plot data read succeeded), each when it has a
// curve of at least two points.
TGraphicsMenu GraphicsMenuState(const TProgramData& wall, const TResultGraphs& graphs, bool resultsLoaded,
                                const FileExistsFn& exists = DiskFileExists);
// The same when it is known whether results are `available`: those of an
// analysis of the wall as edited are, whether or not the wall has files.
TGraphicsMenu GraphicsMenuState(const TResultGraphs& graphs, bool available);

// The toolbar's result buttons (after New, Open, Save As and every run).
struct TResultButtons {
    TCommandState ViewOutputFile;
    TCommandState PyCurves;         // "View p-y Curves"
    TCommandState Deflection;       // "Deflection Diagram"
    TCommandState Moment;           // "Moment Diagram"
    TCommandState Shear;            // "LShear Diagram"
    TCommandState SoilReaction;     // "Soil-Reaction Diagram" of pltSoil
    TCommandState DeflectionMomentShear;  // the button of pltDMS
    TCommandState Pressure;         // "Pressure Diagram"
};
TResultButtons ResultButtons(const TProgramData& wall, const TResultGraphs& graphs, bool resultsLoaded,
                             const FileExistsFn& exists = DiskFileExists);
// The buttons of the graphs as the Graphics menu `graphics` offers them, less
// "Earth Pressure Combined", and the output text's as `viewOutput`.
TResultButtons ResultButtons(const TGraphicsMenu& graphics, TCommandState viewOutput);

// "&Window": the separator and one entry per child window (at most
// WindowMenuEntries), the active one checked.
constexpr int WindowMenuEntries = 50;
struct TWindowMenu {
    bool SeparatorVisible = false;
    struct Entry {
        std::string Caption;  // the window's caption, its "&" doubled so that it shows as typed
        bool Checked = false;
    };
    std::vector<Entry> Entries;
};
// `captions` of the child windows in order; `active` the index of the active one, or -1.
TWindowMenu WindowMenuState(const std::vector<std::string>& captions, int active);

// Every state the main window's commands show, decided at once from the open
// wall (none: the File menu's alone), its results, the recent files and the
// child windows. Each command of the command table picks its own.
struct TMainWindowStates {
    TFileMenu File;
    TDataMenu Data;
    TOptionsMenu Options;
    TStageMenu Stage;
    TComputationMenu Computation;
    TCommandState SaveReport;      // "Save &Report..." and "Save Results as &CSV...": results loaded
    TGraphicsMenu Graphics;
    TCommandState StageEnvelope;   // "Stage &Envelope": results of a staged wall loaded
    TResultButtons ResultButtons;
    TStageButtons StageButtons;
    TCommandState StageSeparator;  // the toolbar's separator before the stage buttons
    TCommandState StageOptions;    // the toolbar's "Stage Construction Option"
    TWindowMenu Windows;
    // The entry of the Window menu at `index`, shown while there is a window for it.
    TCommandState WindowEntry(int index) const;
};
// `windowCaptions` and `activeWindow` as WindowMenuState takes them.
TMainWindowStates MainWindowStates(const TProgramData* wall, const TResultGraphs& graphs, bool resultsLoaded,
                                   const TRecentFiles& recent, const std::string& workingDirectory,
                                   const std::vector<std::string>& windowCaptions, int activeWindow,
                                   const FileExistsFn& exists = DiskFileExists);
