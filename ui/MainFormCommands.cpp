// The main window's commands besides the document ones: the analysis run, the
// text editor, the help documents, the update check, the options and the
// construction stages.
#include "ui/DesignChecksWindow.h"
#include "ui/MainForm.h"
#include "ui/StudyWindow.h"

#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/UnitSwitch.h"
#include "run/AnalysisRun.h"
#include "run/ReadPlotFile.h"
#include "run/widgets/ResultCommands.h"
#include "tables/GridTable.h"
#include "ui/LiveRun.h"
#include "ui/MainMenus.h"
#include "ui/dialogs/DlgStaged.h"
#include "ui/dialogs/InputDialog.h"
#include "ui/profile/SideView.h"
#include "ui/rules/ApproachRules.h"
#include "ui/rules/DialogValues.h"
#include "ui/rules/MenuRules.h"
#include "ui/rules/StageTitle.h"
#include "ui/rules/UndoCaptions.h"
#include "ui/rules/UpdateCheck.h"
#include "units/TorvikError.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace {

// After a run whose engine wrote no plot data file: the results on screen would describe another wall.
const char* const NoResultsMessage =
    "The analysis wrote no results. The output text and the run notes tell why.";

}  // namespace

void TMainForm::DesignChecksClick()
{
    // The checks analyse the data file, so the wall on screen is saved first, as for a run.
    if (!SaveDocument("\rNo design checks were made.") || document_->IsUntitled())
        return;
    TDesignChecksWindow* window = TDesignChecksWindow::Show(this, *prompt_, Wall()->FileName);
    // The window writes the approach beside the saved file; the open wall takes it too, as a change to undo.
    window->OnSettingsChanged([this](const TWallSettings& settings) {
        document_->SetSettings(WithApproachOf(document_->Settings(), settings));
        RecordChange(DesignApproachCaption);
    });
}

void TMainForm::StudyClick()
{
    if (!Wall())
        return;
    // The study varies the wall as edited, taken in memory when it starts; nothing is saved.
    const auto wall = [this] {
        TLiveInput input = LiveInputOf(*Wall());
        return study::StudyWall{std::move(input.blocks), std::move(input.settings)};
    };
    const std::string name = document_->IsUntitled() ? std::string("the new wall") : Wall()->FileName;
    TStudyWindow* window = TStudyWindow::Show(this, *prompt_, wall, name);
    // The report of the saved wall gets the summary of the study last run on it.
    window->OnStudyDone([this](const std::string& summary) {
        if (!document_->IsUntitled())
            resultCommands_->SetStudySummary(Wall()->FileName, summary);
    });
}

void TMainForm::CompRunClick()
{
    const std::string notRun = "\rNo analysis was run.";
    if (!SaveDocument(notRun))
        return;
    TProgramData* wall = Wall();
    if (document_->IsUntitled())
        return;
    // The engine writes into a run folder; the results replace those beside
    // the wall only when all of them could be written there.
    TEngineCall call = TEngineCall::LoadFailed;
    TRunResults results;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        call = CallEngine(wall->FileName, engineDirectory_.empty() ? ProgramDirectory() : engineDirectory_, &results);
    } catch (const TorvikError& e) {
        QApplication::restoreOverrideCursor();
        prompt_->Information(e.what() + notRun);
        return;
    }
    QApplication::restoreOverrideCursor();
    if (call != TEngineCall::Completed) {
        prompt_->Information(call == TEngineCall::AlreadyLoaded ? ReinitializeMessage : InitializeFailedMessage);
        return;
    }
    if (!results.problem.empty() && results.written.empty()) {
        // Nothing of this run is beside the wall: what is shown stays as it was.
        prompt_->Information(CompletedRunMessage(results));
        return;
    }
    if (!results.plotWritten) {
        ForgetLiveResults();
        resultsLoaded_ = false;
        CloseGraphWindows();
        UpdateResultButtons();
        // The engine's reason, from the run notes, in the message itself.
        std::string reason;
        for (const std::string& line : RunStatusLines(ReplaceExtension(wall->FileName, ".tk4r")))
            reason += "\r" + line;
        prompt_->Information(std::string(NoResultsMessage) + reason + "\r" + WrittenFilesText(results) +
                             (results.problem.empty() ? "" : "\r" + results.problem));
        return;
    }
    // After the specified text and the files: whether every stage or case
    // converged, in how many iterations, or which did not and why.
    const std::string status = RunStatusSummary(RunStatusLines(ReplaceExtension(wall->FileName, ".tk4r")));
    prompt_->Information(CompletedRunMessage(results) + (status.empty() ? "" : "\r" + status));
    // The results beside the wall replace those of the wall as edited.
    ForgetLiveResults();
    LoadResults(true);
    UpdateResultButtons();
}

void TMainForm::ViewGeometryClick()
{
    TDlgSideView::Open(*mdiArea_, *document_, *prompt_);
}

void TMainForm::EditTextFile(const char* extension)
{
    const TProgramData* wall = Wall();
    if (!wall)
        return;
    const std::string file = extension ? ReplaceExtension(wall->FileName, extension) : wall->FileName;
    // The editor is a program's path (spaces and all), or a command with its own arguments.
    const QString editor = TextEditor();
    QString program = editor;
    QStringList arguments;
    if (!QFileInfo(editor).isFile()) {
        arguments = QProcess::splitCommand(editor);
        program = arguments.isEmpty() ? QString() : arguments.takeFirst();
    }
    arguments << QFileInfo(QString::fromStdString(file)).absoluteFilePath();
    if (program.isEmpty() || !QProcess::startDetached(program, arguments))
        prompt_->Information("An error occurred in running the Word Processor");
}

void TMainForm::OpenDocument(const char* name)
{
    const std::string directory = documentDirectory_.empty() ? ProgramDirectory() : documentDirectory_;
    const QString path = QString::fromStdString(directory) + "/" + QString::fromLatin1(name);
    if (!QFileInfo(path).isFile()) {
        prompt_->Information("The document " + path.toStdString() + " was not found.");
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        prompt_->Information("No program could open the document " + path.toStdString() + ".");
}

void TMainForm::AboutClick()
{
    QMessageBox::about(this, "About TORVIK",
                       QString("<b>%1</b><br>Version %2<br><br>"
                               "Analysis of flexible retaining walls by the p-y method.")
                           .arg(ProductName, ProductVersion));
}

void TMainForm::CheckUpdatesClick()
{
    const QDate today = QDate::currentDate();
    const std::string url = UpdatePageUrl(UpdatePageAddress(settings_), ProductName, ProductVersion, ReleaseDate,
                                          IsoDate(today.year(), today.month(), today.day()));
    if (!QDesktopServices::openUrl(QUrl(QString::fromStdString(url))))
        prompt_->Information("No web browser could open the update page " + url + ".");
}

void TMainForm::UnitsClick(UnitSystem system)
{
    // A refused entry stays where it is: it would be converted as if it had been accepted.
    TProgramData* wall = Wall();
    if (!wall || !CommitActiveChild())
        return;
    const UnitSystem before = wall->UnitSystem();
    try {
        wall->SwitchUnits(system);
    } catch (const TorvikError& e) {
        prompt_->Information(e.what());
    }
    if (wall->UnitSystem() != before) {
        // The iteration controls left at their defaults take the round ones of the new system.
        AdoptControlDefaults(wall->MaxDeflection, wall->ClosureTolerance, before, wall->UnitSystem());
        AdoptNoWaterTable(*wall, before);
        AdoptStartingWall(*wall, before);
        RefreshDialogs();
        SetModified(true);
        RecordChange(UnitsChangeCaption(system));
    }
}

void TMainForm::EarthPressureClick(TEarthPressure kind)
{
    if (TProgramData* wall = Wall()) {
        wall->EarthPressureKind = kind;
        SetModified(true);
        RecordChange(EarthPressureChangeCaption(kind));
    }
}

void TMainForm::OptionClick(TOption option)
{
    TProgramData* wall = Wall();
    if (!wall)
        return;
    if (std::optional<WallTable> table = ToggleOption(*wall, option))
        Tables()[*table].CloseEditor();
    if (option == TOption::LongTermAnalysis)
        ApplyLongTermVisibility();
    RecordChange(OptionChangeCaption(option));
}

void TMainForm::StagedOptionsClick()
{
    // Modal from the toolbar too: the stage files are rewritten from the open
    // wall, which must not change (or be replaced) while the dialog is open.
    if (!CommitActiveChild() || !Wall())
        return;
    TDlgStaged dialog(*document_, this);
    connect(&dialog, &TDlgStaged::StagesChanged, this, [this] {
        StagesChanged();
        RefreshDialogs();
    });
    dialog.exec();
    RecordChange("Number of Stages");
}

void TMainForm::SpringsFromInstallationClick()
{
    ToggleWallSetting(&TWallSettings::springsFromInstallation, SpringsFromInstallationCaption);
}

void TMainForm::ToggleWallSetting(bool TWallSettings::*flag, const char* caption)
{
    TWallSettings settings = document_->Settings();
    settings.*flag = !(settings.*flag);
    document_->SetSettings(settings);
    RecordChange(caption);
}

void TMainForm::StagesChanged()
{
    const TProgramData* wall = Wall();
    if (!wall)
        return;
    const QString status = QString::fromStdString(StageStatusText(*wall));
    statusLabel_->setText(status);
    statusLabel_->setAccessibleName(status);
    UpdateStageButtons();  // the Stage Construction menu with them
    ShowStageInTitles();
    // The stage buttons widen the toolbar: the window grows with it where the
    // screen has room, rather than fold them into a chevron.
    if (fittedToMenus_)
        FitToMenus();
}

void TMainForm::ShowStageInTitles()
{
    const TProgramData* wall = Wall();
    const std::string suffix = wall ? StageTitleSuffix(wall->StageCount, wall->CurrentStage) : std::string();
    for (int i = 0; i < WallTables::Count; ++i)
        Tables().Table(i).SetTitleSuffix(suffix);
    for (const QPointer<TInputDialog>& dialog : dialogs_)
        if (dialog)
            dialog->SetTitleSuffix(suffix);
}

void TMainForm::StageClick(int stage)
{
    TProgramData* wall = Wall();
    if (!wall || !CommitActiveChild()) {
        UpdateStageButtons();
        return;
    }
    try {
        if (SelectStage(*wall, stage))
            RefreshDialogs();
    } catch (const TorvikError& e) {
        prompt_->Information(e.what());
    }
    // A stage switch is no change: the next change starts from the new stage.
    TakeUndoState();
    // The autosave of a modified wall follows it to the new stage at once.
    if (IsModified())
        AutosaveNow();
    StagesChanged();
}

void TMainForm::CopyPreviousStageClick()
{
    TProgramData* wall = Wall();
    if (!wall || !CommitActiveChild())
        return;
    try {
        if (CopyPreviousStage(*wall))
            RefreshDialogs();
    } catch (const TorvikError& e) {
        prompt_->Information(e.what());
    }
    RecordChange("Copy Previous Stage");
    StagesChanged();
}
