#include "model/WallDocument.h"

#include "model/ProgramData.h"
#include "model/SettingsFile.h"
#include "model/WallState.h"
#include "units/Prompt.h"
#include "units/TorvikError.h"

TWallDocument::TWallDocument(Prompt& prompt) : prompt_(prompt) { New(); }

TWallDocument::~TWallDocument() = default;

void TWallDocument::SetWall(std::unique_ptr<TProgramData> wall)
{
    wall_ = std::move(wall);
}

void TWallDocument::New()
{
    SetWall(TProgramData::CreateNew(*this));
    settings_ = TWallSettings::ForNewWall();
    SettingsChanged.Raise();
}

std::vector<std::string> TWallDocument::Open(const std::string& path, TFileLayout layout)
{
    // The old wall stays until the new one is read: windows told of the
    // reader's unit switch still find a wall to show.
    std::vector<std::string> diagnostics;
    try {
        SetWall(TProgramData::CreateFromFile(*this, path, layout, diagnostics));
    } catch (...) {
        // The document always holds a wall: a new one when the file failed.
        New();
        throw;
    }
    // A wall read without settings keeps the results it had: the defaults.
    // Files of the older layouts never had settings: a settings file of their
    // name belongs to the wall converted from them.
    const TSettingsRead read = layout == TFileLayout::Current ? ReadSettingsBeside(path) : TSettingsRead();
    settings_ = read.settings;
    settingsProblem_ = read.problem.empty() ? std::string() : IgnoredSettingsMessage(read.problem);
    if (!settingsProblem_.empty())
        diagnostics.push_back(settingsProblem_);
    SettingsChanged.Raise();
    return diagnostics;
}

void TWallDocument::SetSettings(const TWallSettings& settings)
{
    if (settings == settings_)
        return;
    settings_ = settings;
    SetModified(true);
    SettingsChanged.Raise();
}

const std::string& TWallDocument::FileName() const { return wall_->FileName; }

bool TWallDocument::IsUntitled() const { return wall_->NeverSaved(); }

void TWallDocument::SetModified(bool modified)
{
    modified_ = modified;
    if (!modified)
        tables_.ResetChanged();
}

bool TWallDocument::IsModified() const { return modified_ || tables_.Changed(); }

bool TWallDocument::RecordChange(const std::string& caption)
{
    if (restoring_)
        return false;
    std::string after;
    try {
        after = TakeWallState(*wall_);
    } catch (const TorvikError& e) {
        prompt_.Information(e.what());
        return false;
    }
    if (after == undoState_)
        return false;
    // A change of one stage's data names its stage; a wall-wide one (the title, a setting) does not.
    const std::string named =
        ChangeWithinStage(undoState_, after) ? caption + " - Stage " + std::to_string(wall_->CurrentStage) : caption;
    history_.Push({named, wall_->CurrentStage, std::move(undoState_), after});
    undoState_ = std::move(after);
    return true;
}

void TWallDocument::TakeUndoState()
{
    // Taking the state prepares the tables as saving does; an unmodified wall stays so.
    const bool modified = IsModified();
    try {
        undoState_ = TakeWallState(*wall_);
    } catch (const TorvikError& e) {
        prompt_.Information(e.what());
    }
    if (!modified)
        SetModified(false);
}

void TWallDocument::ResetHistory()
{
    history_.Clear();
    TakeUndoState();
}

void TWallDocument::HistorySaved()
{
    TakeUndoState();
    history_.MarkSaved();
}

void TWallDocument::MarkNoStateSaved()
{
    history_.ForgetSaved();
    SetModified(true);
}

bool TWallDocument::Undo()
{
    const TUndoStep* step = history_.Undo();
    if (step)
        ApplyState(step->Before);
    return step != nullptr;
}

bool TWallDocument::Redo()
{
    const TUndoStep* step = history_.Redo();
    if (step)
        ApplyState(step->After);
    return step != nullptr;
}

void TWallDocument::ApplyState(const std::string& state)
{
    restoring_ = true;
    try {
        RestoreWallState(*wall_, state);
    } catch (const TorvikError& e) {
        prompt_.Information(e.what());
    }
    restoring_ = false;
    undoState_ = state;
    SetModified(!history_.AtSaved());
}
