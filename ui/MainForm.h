#pragma once
#include "model/MainWindowHost.h"
#include "run/ResultGraphs.h"
#include "tables/WallTables.h"
#include "ui/DialogPrompt.h"
#include "ui/dialogs/InputDialog.h"

#include <QMainWindow>
#include <QMenu>
#include <QPointer>

#include <string>

class QAction;
class QMdiArea;
class QLabel;
class QMdiSubWindow;
class TGraphPlot;

// The frame of the program: a multi-document main window whose child windows
// are the input dialogs, the table editors and the graph windows. It owns the
// input tables, the result graphs and the document commands, and shows the
// active graph window's "&Plot" menu in its own menu bar.
class TMainForm : public QMainWindow, public MainWindowHost {
    Q_OBJECT
public:
    // `prompt` answers every message and file dialog (a DialogPrompt when null).
    explicit TMainForm(Prompt* prompt = nullptr);
    ~TMainForm() override;

    // MainWindowHost.
    WallTables& Tables() override { return tables_; }
    void SetModified(bool modified) override;
    bool IsModified() const override { return modified_ || tables_.Changed(); }
    // Hands the active dialog's edits to the wall and asks to save a changed
    // wall; false when the caller must stop.
    bool QuerySave();
    void CloseAllChildren() override;
    Prompt& UserPrompt() override { return *prompt_; }

    // Runs the analysis of the open wall (the Run Analysis command).
    void RunAnalysis() { CompRunClick(); }
    // The directory the engine library is loaded from (the program's own by default).
    void SetEngineDirectory(const std::string& directory) { engineDirectory_ = directory; }
    // Opens a data file and its plot data file; `fromDialog` shows the message
    // that the file has been read.
    void OpenFileName(const std::string& path, bool fromDialog);
    // Start-up with a file named on the command line: without a "." the name
    // gets ".tk4d"; a missing file leaves the new wall.
    void OpenStartupFile(const std::string& argument);
    // The name shown in the title bar and in messages for a path.
    static std::string DisplayFileName(const std::string& path);

    // Whether the last plot data read succeeded.
    bool ResultsLoaded() const { return resultsLoaded_; }
    // The result graphs.
    TResultGraphs& Graphs() { return graphs_; }
    // The "&View Wall Geometry" command.
    QAction* ViewGeometryAction() const { return viewGeometryAct_; }
    // The child-window area.
    QMdiArea* MdiArea() const { return mdiArea_; }
    // The Graphics menu's command of each graph, in menu order.
    QAction* GraphAction(int i) const { return graphActions_[i]; }
    // Enables the Graphics commands from the results now loaded.
    void UpdateResultButtons();
    // The status bar's text: the construction stage of a staged wall.
    QString StatusText() const;
    // The "&Plot" menu now shown in the menu bar, or null.
    QMenu* MergedMenu() const { return mergedMenu_; }

    // The input dialogs of the Data and Options menus.
    enum class InputDialog { Title, Prop, CSD, Rebar, ConLoads, Spring, Options, Count };
    // Creates the dialog of a kind, or brings its window to the front: there
    // is never more than one window of a dialog.
    TInputDialog* ShowDialog(InputDialog kind);
    // The open flag of a dialog: whether its window exists.
    bool DialogOpen(InputDialog kind) const;
    // The active dialog or table editor hands its pending edits to the wall;
    // false when the entry in its focused field or cell was refused.
    bool CommitActiveChild();
    // The program that shows text files, kept in the user's settings.
    QString TextEditor() const { return textEditor_; }
    void SetTextEditor(const QString& path);
    // The "Da&ta" and "&Options" menus.
    QMenu* DataMenu() const { return dataMenu_; }
    QMenu* OptionsMenu() const { return optionsMenu_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createDataMenu();
    void createOptionsMenu();
    TInputDialog* CreateDialog(InputDialog kind);
    // Dialogs that show scalars of the wall show them again (after a unit switch).
    void RefreshDialogs();
    // Closes the input dialogs without checking or storing: the wall is being
    // replaced, or their edits were handed over before.
    void CloseDialogs();
    void createToolBars();
    void createStatusBar();
    void readSettings();
    void writeSettings();
    void updateWindowMenu();
    void SubWindowActivated(QMdiSubWindow* window);
    void SetTitle();

    void FileOpenClick();
    // Writes the wall to its data file; a never-saved or older-layout wall asks
    // for a name first. False when cancelled or not written.
    bool FileSaveClick();
    bool FileSaveAsClick();
    // Saves the wall, runs the engine on it and reads its plot data file.
    void CompRunClick();
    // Opens the wall and soil profile view, or activates the open one.
    void ViewGeometryClick();
    void AboutClick();
    // Loads the plot data file of the open wall, when it exists.
    bool LoadResults(bool reportErrors);

    DialogPrompt dialogPrompt_;
    Prompt* prompt_;
    WallTables tables_;
    TResultGraphs graphs_;
    bool modified_ = false;
    bool resultsLoaded_ = false;
    std::string engineDirectory_;

    QMdiArea* mdiArea_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* dataMenu_ = nullptr;
    QMenu* optionsMenu_ = nullptr;
    QMenu* computationMenu_ = nullptr;
    QMenu* graphicsMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* openAct_ = nullptr;
    QAction* exitAct_ = nullptr;
    QAction* runAct_ = nullptr;
    QAction* viewGeometryAct_ = nullptr;
    QAction* saveAct_ = nullptr;
    QAction* saveAsAct_ = nullptr;
    QAction* graphActions_[8] = {};
    QAction* cascadeAct_ = nullptr;
    QAction* tileAct_ = nullptr;
    QAction* aboutAct_ = nullptr;
    QPointer<QMenu> mergedMenu_;
    QPointer<TInputDialog> dialogs_[static_cast<int>(InputDialog::Count)];
    QString textEditor_;
};
