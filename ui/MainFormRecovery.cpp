// Autosave and recovery: while the wall has unsaved changes, this instance
// keeps its state in a recovery folder of its own (model/Recovery.h), and a
// start after a crash offers what an earlier instance left there.
#include "ui/MainForm.h"

#include "model/ProgramData.h"
#include "model/Recovery.h"
#include "units/TorvikError.h"

#include <QFileInfo>
#include <QTimer>

#include <cstdlib>
#include <ctime>

int TMainForm::AutosaveInterval() const
{
    // Tests shorten the interval to milliseconds.
    if (const char* hook = std::getenv("TORVIK_AUTOSAVE_MS"); hook && *hook) {
        char* end = nullptr;
        const long ms = std::strtol(hook, &end, 10);
        if (*end == '\0' && ms >= 0 && ms <= 24L * 3600 * 1000)
            return static_cast<int>(ms);
    }
    const int seconds = settings_.AutosaveSeconds;
    return seconds > 0 && seconds <= 24 * 3600 ? seconds * 1000 : 0;
}

void TMainForm::AutosaveSoon()
{
    const int interval = AutosaveInterval();
    // At most one interval of changes is ever lost: a timer already running is not put off.
    if (interval > 0 && !autosaveTimer_->isActive())
        autosaveTimer_->start(interval);
}

void TMainForm::AutosaveNow()
{
    autosaveTimer_->stop();
    if (!IsModified()) {
        autosave_->Remove();
        return;
    }
    if (AutosaveInterval() <= 0)
        return;
    try {
        autosave_->Write(*document_, static_cast<std::int64_t>(std::time(nullptr)));
    } catch (const TorvikError& e) {
        // The edits are still here; the status bar says that they are not safe yet, and the next change tries again.
        ShowStatusMessage(std::string("Autosave failed: ") + e.what());
    }
}

void TMainForm::DropAutosave()
{
    if (!autosave_)
        return;
    autosaveTimer_->stop();
    autosave_->Remove();
}

bool TMainForm::OfferRecoveries(Prompt* ask)
{
    Prompt& prompt = ask ? *ask : *prompt_;
    bool recovered = false;
    int kept = 0;
    for (const TStaleRecovery& stale : FindStaleRecoveries(RecoveryBaseFolder())) {
        // Taken over first, so that an instance starting meanwhile does not offer it too.
        const std::string folder = autosave_->Claim(stale.folder);
        if (folder.empty())
            continue;
        std::string problem = stale.problem;
        std::vector<std::string> differences;
        if (problem.empty()) {
            try {
                differences = RecoveryDifferences(stale.record);
            } catch (const TorvikError& e) {
                problem = e.what();
            }
        }
        if (!problem.empty()) {
            prompt.Information(DamagedRecoveryMessage(SetRecoveryAside(folder), problem));
            continue;
        }
        // One wall is open at a time: further autosaves wait for the next start.
        if (recovered) {
            ++kept;
            continue;
        }
        switch (
            prompt.AskChoiceOf(RecoveryQuestion(stale.record, differences), "Recover", "Discard", "Keep for Later")) {
        case Prompt::Answer::Yes:
            if (RecoverFrom(stale.record, prompt)) {
                recovered = true;
                DiscardRecovery(folder);
            }
            break;
        case Prompt::Answer::No: DiscardRecovery(folder); break;
        default: break;
        }
    }
    if (kept > 0)
        prompt.Information(std::to_string(kept) +
                           (kept == 1 ? " further autosaved wall is" : " further autosaved walls are") +
                           " kept: the next start offers " + (kept == 1 ? "it." : "them."));
    return recovered;
}

bool TMainForm::RecoverFrom(const TRecoveryRecord& record, Prompt& ask)
{
    CloseAllChildren();
    ForgetLiveResults();
    try {
        RecoverWall(*document_, record);
    } catch (const TorvikError& e) {
        ask.Information(std::string("The autosaved wall could not be recovered: ") + e.what());
        NewWall();
        return false;
    }
    resultsLoaded_ = false;
    SetTitle();
    // The results beside the file are of the wall as saved: they show as older ones would.
    if (!document_->IsUntitled()) {
        lastFolder_ = QFileInfo(QString::fromStdString(record.fileName)).absolutePath().toStdString();
        LoadResults(false);
    }
    ApplyLongTermVisibility();
    StagesChanged();
    UpdateResultButtons();
    RefreshDialogs();
    UpdateUndoActions();
    // From now on this instance keeps the recovered changes safe.
    AutosaveNow();
    StartLiveAnalysis();
    return true;
}
