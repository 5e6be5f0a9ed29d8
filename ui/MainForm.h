#pragma once
#include "model/EarthPressure.h"
#include "model/FileLayout.h"
#include "model/UndoHistory.h"
#include "model/WallDocument.h"
#include "run/ResultGraphs.h"
#include "tables/WallTables.h"
#include "ui/DialogPrompt.h"
#include "ui/Settings.h"
#include "ui/dialogs/InputDialog.h"

#include <QMainWindow>
#include <QMenu>
#include <QPointer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMdiArea;
class QLabel;
class QMdiSubWindow;
class TGraphPlot;
class TProgramData;
class TTableEditors;
struct TMainActions;
class TLiveAnalysis;
struct TLiveResult;
struct TMainCommand;
struct TMainWindowStates;
class TResultCommands;
class TAutosave;
struct TRecoveryRecord;
enum class TOption;
enum class TMenuId;

// The frame of the program: a multi-document main window whose child windows
// are the input dialogs, the table editors and the graph windows. It owns the
// document (the wall and its input tables), which it hands to every window
// that shows the wall, the result graphs, the user's settings and the document
// commands, and shows the active graph window's "&Plot" menu in its own menu
// bar. The command table (MainCommands.cpp) and the menus and toolbar made
// from it (MainMenus.cpp), the file commands
// (MainFormFiles.cpp), the other commands (MainFormCommands.cpp), the
// dialogs (MainFormDialogs.cpp), Undo and Redo (MainFormUndo.cpp) and Analyse
// As You Edit (MainFormLive.cpp) live in files of their own.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `prompt` answers every message and file dialog (a DialogPrompt when null).
    explicit TMainForm(Prompt* prompt = nullptr);
    ~TMainForm() override;

    // The document the window shows: the wall, its tables and modified state.
    TWallDocument& Document() const { return *document_; }
    // The input tables of the document.
    WallTables& Tables() { return document_->Tables(); }
    // The editors open on those tables.
    TTableEditors& Editors() const { return *editors_; }
    // Marks the document modified or saved.
    void SetModified(bool modified) { document_->SetModified(modified); }
    // True while the document has unsaved changes.
    bool IsModified() const { return document_->IsModified(); }
    // Hands the active dialog's edits to the wall and asks to save a changed
    // wall; false when the caller must stop (cancelled, or the save failed).
    bool QuerySave();
    // Closes every child window (dialogs, table editors, graphs).
    void CloseAllChildren();
    // The message boxes and questions of the program.
    Prompt& UserPrompt() { return *prompt_; }

    // Runs the analysis of the open wall (the Run Analysis command).
    void RunAnalysis() { CompRunClick(); }
    // Saves the wall and shows the design checks of its data file (the Design Checks command).
    void DesignChecksClick();
    // Shows the Study window on the open wall (the Study command).
    void StudyClick();
    // The directory the engine library is loaded from (the program's own by default).
    void SetEngineDirectory(const std::string& directory) { engineDirectory_ = directory; }
    // The directory of the help file and the manuals (the program's own by default).
    void SetDocumentDirectory(const std::string& directory) { documentDirectory_ = directory; }
    // Opens a data file and its plot data file, as the Open command does;
    // `announce` shows the message that the file has been read. `layout` is
    // that of the open dialog's filter; none chooses by the extension.
    void OpenFileName(const std::string& path, bool announce, std::optional<TFileLayout> layout = std::nullopt);
    // Start-up with a file named on the command line: without a "." the name
    // gets ".tk4d"; a missing file leaves the new wall.
    void OpenStartupFile(const std::string& argument);
    // The windows a new wall opens with (File > New, and a start without a
    // file): Wall Properties, and the side view beside it when the area has room.
    void ShowStartingWindows();
    // A data file dropped on the window: after the save question the file is
    // opened, and the next Open dialog starts in its folder.
    void OpenDroppedFile(const std::string& path);

    // At start-up: offers each autosave of an earlier run that ended without
    // saving (Recover, Keep for Later, Discard), asking through `ask` (the
    // window's prompt when null); damaged ones are reported and set aside.
    // True when one was recovered and is now the open wall.
    bool OfferRecoveries(Prompt* ask = nullptr);
    // The autosave of this instance: its recovery folder is empty while
    // nothing is autosaved.
    const TAutosave& Autosave() const { return *autosave_; }
    // The time between an unsaved change and its autosave, in milliseconds
    // ("Autosave Seconds", or TORVIK_AUTOSAVE_MS for tests); 0: autosave is off.
    int AutosaveInterval() const;
    // Writes the autosave of the modified wall now (the timer's work), or
    // removes it when the wall has no unsaved changes.
    void AutosaveNow();

    // Whether the last plot data read succeeded.
    bool ResultsLoaded() const { return resultsLoaded_; }
    // The result graphs.
    TResultGraphs& Graphs() { return graphs_; }
    // Every command of the menu bar and the toolbar.
    const TMainActions& Actions() const { return *act_; }
    // The "&View Wall Geometry" command.
    QAction* ViewGeometryAction() const;
    // The child-window area.
    QMdiArea* MdiArea() const { return mdiArea_; }
    // The Graphics menu's command of each graph, in menu order.
    QAction* GraphAction(int i) const;
    // Enables the toolbar's result buttons and the Graphics commands from the results now loaded.
    void UpdateResultButtons();
    // The stage tool buttons of the open wall.
    void UpdateStageButtons();
    // The status bar's text: the construction stage of a staged wall.
    QString StatusText() const;
    // The status bar's passing message (what a command wrote), beside the stage text.
    QString StatusMessage() const;
    void ShowStatusMessage(const std::string& text);
    // The "&Plot" menu now shown in the menu bar, or null.
    QMenu* MergedMenu() const { return mergedMenu_; }

    // The input dialogs of the Data and Options menus.
    enum class InputDialog {
        Title, Prop, CSD, Rebar, ConLoads, Spring, Anchors, Sections, Water, WallFriction, Excavation, ExcavationSide,
        Options, Count
    };
    // Creates the dialog of a kind, or brings its window to the front: there
    // is never more than one window of a dialog.
    TInputDialog* ShowDialog(InputDialog kind);
    // The open flag of a dialog: whether its window exists.
    bool DialogOpen(InputDialog kind) const;
    // The active dialog or table editor hands its pending edits to the wall;
    // false when the entry in its focused field or cell was refused.
    bool CommitActiveChild();
    // The program that shows text files, kept in the user's settings.
    QString TextEditor() const { return QString::fromStdString(settings_.TextEditor); }
    void SetTextEditor(const QString& path);
    // The data files used last, as the File menu lists them.
    const TRecentFiles& RecentFiles() const { return settings_.RecentFiles; }
    // The changes Undo and Redo walk through (the document's).
    const TUndoHistory& UndoHistory() const { return document_->History(); }
    // Takes back the last change, or makes the last one taken back again.
    void UndoClick();
    void RedoClick();
    // A committed change named `caption` becomes one step of Undo, when the
    // wall changed; with Analyse As You Edit on, it is analysed.
    void RecordChange(const std::string& caption);

    // Options > Analyse As You Edit: whether every committed change is analysed.
    bool AnalysesAsYouEdit() const { return settings_.AnalyseAsYouEdit; }
    void SetAnalyseAsYouEdit(bool on);
    // The analyses of the wall as edited, run in the background.
    TLiveAnalysis& LiveAnalysis() const { return *live_; }
    // True while the results shown are those of the wall as edited, and they
    // describe its present state (no later change failed to analyse).
    bool LiveResultsCurrent() const { return liveShown_ && liveNote_.empty(); }

    // The "Da&ta" and "&Options" menus.
    QMenu* DataMenu() const;
    QMenu* OptionsMenu() const;
    // Every menu, command and toolbar button, in menu order (MainCommands.cpp).
    static const std::vector<TMainCommand>& Commands();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // MainCommands.cpp: the rows of the command table, menu by menu.
    static void AddFileCommands(std::vector<TMainCommand>& table);
    static void AddEditCommands(std::vector<TMainCommand>& table);
    static void AddDataCommands(std::vector<TMainCommand>& table);
    // The Data menu's entries from the surcharge loads on: loads, restraints and curves.
    static void AddDataLoadCommands(std::vector<TMainCommand>& table);
    static void AddOptionsCommands(std::vector<TMainCommand>& table);
    static void AddUnitCommands(std::vector<TMainCommand>& table);
    static void AddEarthPressureCommands(std::vector<TMainCommand>& table);
    static void AddOptionToggleCommands(std::vector<TMainCommand>& table);
    static void AddStageCommands(std::vector<TMainCommand>& table);
    static void AddComputationCommands(std::vector<TMainCommand>& table);
    static void AddGraphicsCommands(std::vector<TMainCommand>& table);
    static void AddWindowCommands(std::vector<TMainCommand>& table);
    static void AddHelpCommands(std::vector<TMainCommand>& table);
    static void AddToolBarCommands(std::vector<TMainCommand>& table);
    // MainMenus.cpp: the menu bar and the toolbar made from the table, and what opening a menu shows.
    void createMenus();
    void createToolBars();
    void SetUpCommands();
    // A menu opens: the active child's edits are handed over where the menu
    // asks it, the menu prepares the wall, and its commands' rules apply.
    void MenuOpened(TMenuId menu);
    // Shows every command whose rule applies on `occasion` (a TOccasion;
    // with OnMenuOpened, the commands within `menu`).
    void ApplyRules(unsigned occasion, TMenuId menu);
    void ApplyRules(unsigned occasion);
    // Everything the rules decide now.
    TMainWindowStates CurrentStates() const;
    // Brings the child window of the Window menu's entry `index` to the front.
    void ActivateWindow(int index);
    // Shows or hides the entries that depend on the long-term analysis.
    void ApplyLongTermVisibility();

    TInputDialog* CreateDialog(InputDialog kind);
    // Dialogs that show scalars of the wall show them again (after a unit switch).
    void RefreshDialogs();
    // Closes the input dialogs without checking or storing: the wall is being
    // replaced, or their edits were handed over before.
    void CloseDialogs();
    void createStatusBar();
    void readSettings();
    void writeSettings();
    // The size kept or chosen, widened for the menus and fitted to the screen.
    void FitToMenus();
    bool fittedToMenus_ = false;
    void SubWindowActivated(QMdiSubWindow* window);
    void SetTitle();
    // Everything shown of the open wall after New and Open: title, menus,
    // status text, stage and result buttons.
    void ShowWall();
    // The document's wall (never null).
    TProgramData* Wall() const;
    // The wall becomes a new one with the defaults; its windows close first.
    void NewWall();

    // MainFormUndo.cpp: Undo and Redo.
    // The present state of the wall is the one steps start from, without a
    // step (a stage switch, a new or opened wall).
    void TakeUndoState();
    // A new or opened wall: no steps; the present state is the saved one.
    void ResetUndo();
    // The wall was saved: the present state is the saved one.
    void UndoStateSaved();
    // Every open window shows the state Undo or Redo put back.
    void ShowUndoneState();
    // The Undo and Redo commands' captions and enabled states.
    void UpdateUndoActions();

    // MainFormFiles.cpp: the document commands.
    void FileNewClick();
    void FileOpenClick();
    // Writes the wall to its data file; a never-saved or older-layout wall asks
    // for a name first. False when cancelled or not written.
    bool FileSaveClick();
    bool FileSaveAsClick();
    // Save and Save As; a failure's message ends with `failureNote`, which
    // says what the failure means to the command that saved.
    bool SaveDocument(const std::string& failureNote);
    bool SaveDocumentAs(const std::string& failureNote);
    void RecentFileClick(int i);
    // The folder the Open dialog starts in: that of the last file opened, at
    // first the folder the program was started in.
    std::string OpenFolder() const;
    // Puts a data file at the top of the recent list; the settings are written when it changed.
    void UpdatePrevFile(const std::string& path);
    // Loads the plot data file of the open wall, when it exists.
    bool LoadResults(bool reportErrors);
    // Marks the result graphs (and their open windows) when the results are
    // older than the data file, and unmarks them when they are not.
    void MarkOlderResults();
    // The graphs were read again: open graph windows show the new results, or
    // close when there are none.
    void ResultsReread();
    // Closes every graph window (the wall they describe is being replaced).
    void CloseGraphWindows();

    // MainFormLive.cpp: Analyse As You Edit.
    // Starts the analysis of the wall as it is now, when Analyse As You Edit is on.
    void StartLiveAnalysis();
    // Results of the wall as edited arrived (only those of the newest change).
    void LiveAnalysisDone(const TLiveResult& result);
    // The Design Checks window shows the checks of the wall as edited.
    void ShowLiveChecks(const TLiveResult& result);
    // The results shown no longer describe the wall: they are marked "not
    // current", and `status` (which says why) shows in the status bar.
    void LiveResultsNotCurrent(const std::string& status);
    // New, Open: no analysis of the old wall is shown any more.
    void ForgetLiveResults();
    // The open Design Checks window, or null.
    class TDesignChecksWindow* ChecksWindow() const;

    // MainFormRecovery.cpp: autosave and recovery.
    // A change was made: the autosave follows within the interval.
    void AutosaveSoon();
    // Nothing is left to recover (saved, new, opened, closed without saving).
    void DropAutosave();
    // The open wall becomes the recovered one; false when it could not be put back.
    bool RecoverFrom(const TRecoveryRecord& record, Prompt& ask);

    // MainFormCommands.cpp.
    // Saves the wall, runs the engine on it and reads its plot data file.
    void CompRunClick();
    // Opens the wall and soil profile view, or activates the open one.
    void ViewGeometryClick();
    // Shows a file of the open wall (its data file or the one with `extension`) in the text editor.
    void EditTextFile(const char* extension);
    // Opens a document of the program's directory with the desktop's program for it.
    void OpenDocument(const char* name);
    void AboutClick();
    void CheckUpdatesClick();
    void UnitsClick(UnitSystem system);
    void EarthPressureClick(TEarthPressure kind);
    void OptionClick(TOption option);
    // The staged-construction dialog, modal from the Options entry and the
    // toolbar's button alike: the stage files are rewritten from the open wall,
    // which must not change (or be replaced) while the dialog is open.
    void StagedOptionsClick();
    // Options > "Anchors and springs act from their installation stage": flips the wall's setting.
    void SpringsFromInstallationClick();
    // Switches one of the wall's own settings and records the change as `caption`.
    void ToggleWallSetting(bool TWallSettings::*flag, const char* caption);
    // The stage status text, the Stage Construction menu and the stage buttons anew.
    void StagesChanged();
    // The input dialogs and table editors name the stage they edit.
    void ShowStageInTitles();
    void StageClick(int stage);
    void CopyPreviousStageClick();
    void ArrangeIcons();

    DialogPrompt dialogPrompt_;
    Prompt* prompt_;
    // The table editors open in this window; declared before the document, so
    // that the editors of its tables let go of it before it goes.
    std::unique_ptr<TTableEditors> editors_;
    std::unique_ptr<TWallDocument> document_;
    TResultGraphs graphs_;
    bool resultsLoaded_ = false;
    // The folder the Open dialog starts in: that of the last file opened.
    std::string lastFolder_;
    std::string engineDirectory_;
    std::string documentDirectory_;
    TUserSettings settings_;
    std::unique_ptr<TLiveAnalysis> live_;
    std::unique_ptr<TAutosave> autosave_;
    class QTimer* autosaveTimer_ = nullptr;
    // The results shown come from the analysis of the wall as edited, in the data file liveFile_.
    bool liveShown_ = false;
    std::string liveFile_;
    // Empty while those results are current; else what the graphs say of them.
    std::string liveNote_;
    // The status bar's text that says why they are not current.
    std::string liveStatus_;

    QMdiArea* mdiArea_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* statusMessage_ = nullptr;
    class QTimer* statusMessageTimer_ = nullptr;
    std::unique_ptr<TMainActions> act_;
    std::unique_ptr<TResultCommands> resultCommands_;
    QPointer<QMenu> mergedMenu_;
    QPointer<TInputDialog> dialogs_[static_cast<int>(InputDialog::Count)];
};
