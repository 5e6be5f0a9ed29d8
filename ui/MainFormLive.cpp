// Analyse As You Edit: with the option on, every committed change to the wall
// (and every Undo and Redo) is analysed in the background, on the wall as
// taken in memory at the change, with the results in a private folder, and
// the open result windows follow the newest results. The user's files and the modified state are never touched.
#include "ui/DesignChecksWindow.h"
#include "ui/LiveAnalysis.h"
#include "ui/MainForm.h"
#include "ui/MainMenus.h"

#include "model/ProgramData.h"
#include "run/ReadPlotFile.h"
#include "run/ResultTables.h"
#include "run/widgets/ResultCommands.h"
#include "ui/rules/DialogValues.h"
#include "units/TorvikError.h"

#include <QAction>
#include <QLabel>

void TMainForm::SetAnalyseAsYouEdit(bool on)
{
    settings_.AnalyseAsYouEdit = on;
    WriteUserSettings(settings_);
    if (act_ && act_->AnalyseAsYouEdit)
        act_->AnalyseAsYouEdit->setChecked(on);
    // Switched on, the wall as it is now is analysed at once.
    if (on)
        StartLiveAnalysis();
}

TDesignChecksWindow* TMainForm::ChecksWindow() const
{
    return findChild<TDesignChecksWindow*>(QString(), Qt::FindDirectChildrenOnly);
}

void TMainForm::StartLiveAnalysis()
{
    if (!settings_.AnalyseAsYouEdit) {
        // Results of an earlier state of the wall no longer describe it.
        if (liveShown_ && liveNote_.empty())
            LiveResultsNotCurrent("The results shown are of the wall before its last change "
                                  "(Analyse As You Edit is off).");
        return;
    }
    std::optional<double> target;
    if (TDesignChecksWindow* checks = ChecksWindow())
        target = checks->TargetFactor();
    try {
        live_->Start(LiveInputOf(*Wall()), target);
    } catch (const TorvikError& e) {
        LiveResultsNotCurrent(std::string("The wall as edited cannot be analysed: ") + e.what());
    }
}

void TMainForm::LiveAnalysisDone(const TLiveResult& result)
{
    if (result.checked) {
        ShowLiveChecks(result);
        return;
    }
    if (!result.ok) {
        // The wall's own check names the field and gives lengths their units; the engine's reason otherwise.
        const std::string problem = WallLengthProblem(*Wall());
        LiveResultsNotCurrent("The wall as edited cannot be analysed: " + (problem.empty() ? result.reason : problem));
        return;
    }
    // Reading fills the graphs in place: the open windows are drawn anew below.
    if (!ReadPlotFile(graphs_, PlotFileName(result.dataFile), false, *Wall())) {
        LiveResultsNotCurrent(std::string("The wall as edited cannot be analysed: ") + PlotReadFailedMessage);
        return;
    }
    live_->Keep(result.generation);
    resultsLoaded_ = true;
    liveShown_ = true;
    liveFile_ = result.dataFile;
    liveNote_.clear();
    // The reason why earlier results were not current is gone.
    if (!liveStatus_.empty() && StatusMessage().toStdString() == liveStatus_)
        ShowStatusMessage("");
    liveStatus_.clear();
    resultCommands_->SetResultsSource(liveFile_, liveNote_);
    MarkOlderResults();
    ResultsReread();
    UpdateResultButtons();
}

void TMainForm::ShowLiveChecks(const TLiveResult& result)
{
    TDesignChecksWindow* checks = ChecksWindow();
    if (!checks)
        return;
    if (result.checksError.empty()) {
        checks->ShowLiveReport(result.dataFile, result.input, result.report);
        return;
    }
    // The graphs are current; only the checks shown are not.
    checks->MarkNotCurrent(true);
    ShowStatusMessage("The design checks of the wall as edited could not be made: " + result.checksError);
}

void TMainForm::LiveResultsNotCurrent(const std::string& status)
{
    liveStatus_ = status;
    ShowStatusMessage(status);
    if (!resultsLoaded_)
        return;
    // The results shown (of a run or of an earlier edit) stay, marked.
    liveShown_ = true;
    liveNote_ = NotCurrentNote;
    resultCommands_->SetResultsSource(liveFile_.empty() ? Wall()->FileName : liveFile_, liveNote_);
    MarkOlderResults();
    if (TDesignChecksWindow* checks = ChecksWindow())
        checks->MarkNotCurrent(true, status);
}

void TMainForm::ForgetLiveResults()
{
    live_->Cancel();
    liveShown_ = false;
    liveFile_.clear();
    liveNote_.clear();
    liveStatus_.clear();
    resultCommands_->SetResultsSource("", "");
}
