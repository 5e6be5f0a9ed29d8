// The main window's document commands: New, Open, Save, Save As, the recent
// files, and reading the results of the open wall.
#include "ui/MainForm.h"

#include "TorvikVersion.h"
#include "graph/GraphPlot.h"
#include "model/DiskStamp.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "run/AnalysisRun.h"
#include "run/ReadPlotFile.h"
#include "run/ResultTables.h"
#include "run/widgets/ResultCommands.h"
#include "ui/dialogs/DlgProp.h"
#include "ui/profile/SideView.h"
#include "ui/rules/DialogValues.h"
#include "ui/rules/DocumentNames.h"
#include "ui/rules/MenuRules.h"
#include "units/TorvikError.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

const char* const OpenFilter = "Torvik 2013 (*.tk4d);;Torvik 3.0 (*.tkd);;Torvik 2.0 (*.tkd);;All Files (*)";

// After the file's name, when Save finds that the file is no longer the one this instance read or wrote.
const char* const ChangedOnDiskQuestion =
    " was changed by another program since it was opened. Overwrite it, save under another name, or cancel?";

}  // namespace

void TMainForm::FileNewClick()
{
    if (!QuerySave())
        return;
    NewWall();
    ShowStartingWindows();
}

void TMainForm::ShowStartingWindows()
{
    // A new wall starts with its properties; the side view beside them
    // follows the wall as it is entered, when the area has room for both.
    // The view opens first, so that the properties are never left (and
    // checked) before the user has typed anything.
    TDlgSideView* view = TDlgSideView::Open(*mdiArea_, *document_, *prompt_);
    TInputDialog* properties = ShowDialog(InputDialog::Prop);
    auto* window = qobject_cast<QMdiSubWindow*>(properties->parentWidget());
    auto* side = qobject_cast<QMdiSubWindow*>(view->parentWidget());
    if (!window || !side)
        return;
    window->move(0, 0);
    const QSize area = mdiArea_->viewport()->size();
    const int room = area.width() - window->frameGeometry().width();
    if (room >= TDlgSideView::MinimumWidth)
        side->setGeometry(window->frameGeometry().width(), 0, std::min(room, 580), std::min(area.height(), 431));
    else
        side->close();
    // The focus waits on the section button: the wall's stiffness is what a
    // new wall lacks, and choosing the units first leaves every field as it was.
    // (Once the activation has settled: the child window puts the focus back where it was.)
    if (auto* prop = qobject_cast<TDlgProp*>(properties))
        QTimer::singleShot(0, prop, [prop] { prop->btnSection()->setFocus(); });
}

void TMainForm::FileOpenClick()
{
    if (!QuerySave())
        return;
    int filter = 0;
    std::optional<std::string> name =
        prompt_->OpenFileOfFilter("Open", OpenFilter, OpenFolder(), filter);
    if (name)
        OpenFileName(*name, true, LayoutOfNumber(filter));  // "All Files": none, the extension decides
}

void TMainForm::RecentFileClick(int i)
{
    const std::string path = settings_.RecentFiles.Entry(i);
    if (path.empty() || !QuerySave())
        return;
    OpenFileName(path, true);
}

void TMainForm::OpenFileName(const std::string& path, bool announce, std::optional<TFileLayout> layout)
{
    // The graphs of the previous wall never stand under this wall's title.
    CloseGraphWindows();
    ForgetLiveResults();
    const QFileInfo info(QString::fromStdString(path));
    lastFolder_ = info.absolutePath().toStdString();

    std::vector<std::string> diagnostics;
    try {
        diagnostics = document_->Open(info.absoluteFilePath().toStdString(), layout.value_or(LayoutForPath(path)));
    } catch (const TorvikError& e) {
        // The old wall is gone; the program goes on with a new one.
        prompt_->Information(e.what());
        NewWall();
        return;
    }
    for (const std::string& message : diagnostics)
        prompt_->Information(message);
    TProgramData* wall = Wall();
    RemoveStaleWallTemporaries(wall->FileName);
    SetTitle();
    resultsLoaded_ = false;
    LoadResults(false);
    UpdatePrevFile(wall->FileName);
    if (announce) {
        const std::string name = DisplayFileName(path);
        // An ignored settings file was shown on its own: the data file was read whole.
        const bool whole = std::all_of(diagnostics.begin(), diagnostics.end(), [this](const std::string& m) {
            return m == document_->SettingsProblem();
        });
        if (whole)
            prompt_->Information("Data file: " + name + ", has been read by " + ProgramName);
        else
            prompt_->Information("Data file: " + name +
                                 ", has been read only in part. Please check its values before running the analysis.");
    }
    try {
        // A staged wall is edited and analysed stage by stage, in its stage files.
        if (wall->StageCount > 1)
            OpenStagedWall(*wall);
    } catch (const TorvikError& e) {
        prompt_->Information(e.what());
    }
    ApplyLongTermVisibility();
    StagesChanged();
    UpdateResultButtons();
    RefreshDialogs();
    ResetUndo();
    // The results beside the file may be older than it: with Analyse As You Edit they are made anew.
    StartLiveAnalysis();
}

void TMainForm::OpenStartupFile(const std::string& argument)
{
    std::string path = argument;
    if (path.find('.') == std::string::npos)
        path += ".tk4d";
    if (DiskFileExists(path))
        OpenFileName(path, false);
}

void TMainForm::UpdatePrevFile(const std::string& path)
{
    if (settings_.RecentFiles.UpdatePrevFile(path))
        WriteUserSettings(settings_);
}

bool TMainForm::FileSaveClick()
{
    return SaveDocument("");
}

bool TMainForm::FileSaveAsClick()
{
    return SaveDocumentAs("");
}

bool TMainForm::SaveDocument(const std::string& failureNote)
{
    // What the active dialog holds is saved too; a refused entry stops the save.
    if (!CommitActiveChild())
        return false;
    TProgramData* wall = Wall();
    const std::string ext = QFileInfo(QString::fromStdString(wall->FileName)).suffix().toLower().toStdString();
    if (document_->IsUntitled() || ext == "tkd")
        return SaveDocumentAs(failureNote);
    // Another instance or program may have saved the file since this one read it.
    if (ChangedSince(wall->FileName, wall->DiskStamp)) {
        switch (prompt_->AskChoice(wall->FileName + ChangedOnDiskQuestion, "Overwrite", "Save As...")) {
        case Prompt::Answer::Yes:
            break;
        case Prompt::Answer::No:
            return SaveDocumentAs(failureNote);
        default:
            return false;
        }
    }
    try {
        SaveWall(*wall);
    } catch (const TorvikError& e) {
        prompt_->Information(e.what() + failureNote);
        return false;
    }
    UndoStateSaved();
    // The results on screen now belong to an older state of the data file.
    MarkOlderResults();
    return true;
}

bool TMainForm::SaveDocumentAs(const std::string& failureNote)
{
    // Saving as closes the dialogs afterwards: what they hold goes into the file first.
    if (!CommitActiveChild())
        return false;
    TProgramData* wall = Wall();
    std::string proposed = wall->FileName;
    if (QFileInfo(QString::fromStdString(proposed)).suffix().toLower() == "tkd")
        proposed = ReplaceExtension(proposed, ".tk4d");
    std::optional<std::string> name =
        prompt_->SaveFileName("Save " + DisplayFileName(proposed) + " As", "Torvik 2013 (*.tk4d)", proposed);
    if (!name)
        return false;
    try {
        SaveWallAs(*wall, *name);
    } catch (const TorvikError& e) {
        prompt_->Information(e.what() + failureNote);
        return false;
    }
    UndoStateSaved();
    SetTitle();
    UpdatePrevFile(wall->FileName);
    CloseAllChildren();
    UpdateResultButtons();
    return true;
}

bool TMainForm::LoadResults(bool reportErrors)
{
    TProgramData* wall = Wall();
    const std::string plotFile = PlotFileName(wall->FileName);
    if (!DiskFileExists(plotFile))
        return resultsLoaded_;
    resultsLoaded_ = ReadPlotFile(graphs_, plotFile, reportErrors, *wall);
    MarkOlderResults();
    ResultsReread();
    return resultsLoaded_;
}

void TMainForm::MarkOlderResults()
{
    // One rule for every result window: results older than the data file say so.
    const TProgramData* wall = Wall();
    // Results of the wall as edited say whether they are current; those of a run, whether they are older.
    const std::string note = liveShown_ ? liveNote_
                             : resultsLoaded_ && ResultsOlderThanData(wall->FileName) ? OlderResultsNote
                                                                                      : "";
    // Results that are not current say why over each graph.
    const std::string banner = liveShown_ && !liveNote_.empty() ? liveStatus_ : "";
    for (auto& [name, graph] : graphs_.All()) {
        if (graph->Note == note && graph->Banner == banner)
            continue;
        graph->Note = note;
        graph->Banner = banner;
        if (TGraphWindow* window = graph->PlotForm())
            window->Reload();
    }
}

void TMainForm::ResultsReread()
{
    resultCommands_->ResultsReread(*Wall());
    if (!resultsLoaded_) {
        CloseGraphWindows();
        return;
    }
    for (auto& [name, graph] : graphs_.All())
        if (TGraphWindow* window = graph->PlotForm())
            window->Reload();
}

void TMainForm::CloseGraphWindows()
{
    for (auto& [name, graph] : graphs_.All())
        if (graph->HasPlotForm())
            graph->PlotFormClosed();
}

std::string TMainForm::OpenFolder() const
{
    return lastFolder_.empty() ? QDir::currentPath().toStdString() : lastFolder_;
}
