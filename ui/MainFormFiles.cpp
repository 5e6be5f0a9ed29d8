// The main window's document commands: New, Open, Save, Save As, the recent
// files, and reading the results of the open wall.
#include "ui/MainForm.h"


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

namespace {

const char* const OpenFilter = "Torvik 2013 (*.tk4d);;Torvik 3.0 (*.tkd);;Torvik 2.0 (*.tkd);;All Files (*)";

// After the file's name, when Save finds that the file is no longer the one this instance read or wrote.
const char* const ChangedOnDiskQuestion =
    " was changed by another program since it was opened. Overwrite it, save under another name, or cancel?";

// Passes every message on and counts them: a reader that reported an error
// has read its file only in part.
class CountingPrompt : public Prompt {
public:
    explicit CountingPrompt(Prompt& inner) : inner_(inner) {}
    int Messages() const { return messages_; }

    void Information(const std::string& text) override
    {
        ++messages_;
        inner_.Information(text);
    }
    Answer AskYesNo(const std::string& text) override { return inner_.AskYesNo(text); }
    Answer AskYesNoCancel(const std::string& text) override { return inner_.AskYesNoCancel(text); }
    std::optional<std::string> OpenFileName(const std::string& title, const std::string& filter,
                                            const std::string& initial) override
    {
        return inner_.OpenFileName(title, filter, initial);
    }
    std::optional<std::string> SaveFileName(const std::string& title, const std::string& filter,
                                            const std::string& initial) override
    {
        return inner_.SaveFileName(title, filter, initial);
    }

private:
    Prompt& inner_;
    int messages_ = 0;
};

}  // namespace

void TMainForm::FileNewClick()
{
    if (!QuerySave())
        return;
    // Making the new wall closes every child window, graph windows included:
    // the graphs describe the wall that is gone.
    ReplaceOpenWall(TProgramData::CreateNew(*this));
    StartWithoutWaterTable(*OpenWall());
    resultsLoaded_ = false;
    ShowOpenWall();
    ShowStartingWindows();
}

void TMainForm::ShowStartingWindows()
{
    // A new wall starts with its properties; the side view beside them
    // follows the wall as it is entered, when the area has room for both.
    // The view opens first, so that the properties are never left (and
    // checked) before the user has typed anything.
    TDlgSideView* view = TDlgSideView::Open(*mdiArea_, *this, *prompt_);
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
    // The focus waits on the section button, not in the increments, which a
    // new wall does not have yet: choosing the units first is not refused.
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
        prompt_->OpenFileOfFilter("Open", OpenFilter, QDir::currentPath().toStdString(), filter);
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
    ReplaceOpenWall(nullptr);
    const QFileInfo info(QString::fromStdString(path));
    QDir::setCurrent(info.absolutePath());

    CountingPrompt counting(*prompt_);
    Prompt* const own = prompt_;
    prompt_ = &counting;
    try {
        ReplaceOpenWall(TProgramData::CreateFromFile(*this, info.absoluteFilePath().toStdString(),
                                                      layout.value_or(LayoutForPath(path))));
        prompt_ = own;
    } catch (const TorvikError& e) {
        prompt_ = own;
        // The old wall is gone; the program goes on with a new one.
        prompt_->Information(e.what());
        ReplaceOpenWall(TProgramData::CreateNew(*this));
        resultsLoaded_ = false;
        ShowOpenWall();
        return;
    }
    TProgramData* wall = OpenWall();
    RemoveStaleWallTemporaries(wall->FileName);
    SetTitle();
    resultsLoaded_ = false;
    LoadResults(false);
    UpdatePrevFile(wall->FileName);
    if (announce) {
        const std::string name = DisplayFileName(path);
        if (counting.Messages() == 0)
            prompt_->Information("Data file: " + name + ", has been read by TORVIK 2013");
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
    return SaveOpenWall("");
}

bool TMainForm::FileSaveAsClick()
{
    return SaveOpenWallAs("");
}

bool TMainForm::SaveOpenWall(const std::string& failureNote)
{
    // What the active dialog holds is saved too; a refused entry stops the save.
    if (!CommitActiveChild())
        return false;
    TProgramData* wall = OpenWall();
    if (!wall)
        return false;
    const std::string ext = QFileInfo(QString::fromStdString(wall->FileName)).suffix().toLower().toStdString();
    if (wall->NeverSaved() || ext == "tkd")
        return SaveOpenWallAs(failureNote);
    // Another instance or program may have saved the file since this one read it.
    if (ChangedSince(wall->FileName, wall->DiskStamp)) {
        switch (prompt_->AskChoice(wall->FileName + ChangedOnDiskQuestion, "Overwrite", "Save As...")) {
        case Prompt::Answer::Yes:
            break;
        case Prompt::Answer::No:
            return SaveOpenWallAs(failureNote);
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
    // The results on screen now belong to an older state of the data file.
    MarkOlderResults();
    return true;
}

bool TMainForm::SaveOpenWallAs(const std::string& failureNote)
{
    // Saving as closes the dialogs afterwards: what they hold goes into the file first.
    if (!CommitActiveChild())
        return false;
    TProgramData* wall = OpenWall();
    if (!wall)
        return false;
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
    SetTitle();
    UpdatePrevFile(wall->FileName);
    CloseAllChildren();
    UpdateResultButtons();
    return true;
}

bool TMainForm::LoadResults(bool reportErrors)
{
    TProgramData* wall = OpenWall();
    if (!wall)
        return false;
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
    const TProgramData* wall = OpenWall();
    const std::string note = wall && resultsLoaded_ && ResultsOlderThanData(wall->FileName) ? OlderResultsNote : "";
    for (auto& [name, graph] : graphs_.All()) {
        if (graph->Note == note)
            continue;
        graph->Note = note;
        if (TGraphWindow* window = graph->PlotForm())
            window->Reload();
    }
}

void TMainForm::ResultsReread()
{
    if (const TProgramData* wall = OpenWall())
        resultCommands_->ResultsReread(*wall);
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
