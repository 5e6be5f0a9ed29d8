#pragma once
#include "model/FileLayout.h"
#include "model/Notice.h"
#include "model/UndoHistory.h"
#include "model/WallSettings.h"
#include "tables/WallTables.h"

#include <memory>
#include <string>
#include <vector>

class Prompt;
class TProgramData;

// One wall being worked on: the wall (its scalars, options, file names and
// stage state), its own set of input tables, and whether it has unsaved
// changes. The main window owns one and hands it to every window that shows
// the wall; the command line and the tests make as many as they need, side by side.
class TWallDocument {
public:
    // A document holding a new wall with the defaults. `prompt` answers the
    // questions the wall's commands ask (Copy Previous Stage) and hears their
    // refusals (a unit switch that would take a value out of range).
    explicit TWallDocument(Prompt& prompt);
    virtual ~TWallDocument();
    TWallDocument(const TWallDocument&) = delete;
    TWallDocument& operator=(const TWallDocument&) = delete;

    // The wall.
    TProgramData& Wall() const { return *wall_; }
    // Replaces the wall by one that TProgramData made for this document.
    void SetWall(std::unique_ptr<TProgramData> wall);
    // The wall becomes a new one with the defaults, marked saved; its
    // settings are those of a new wall (TWallSettings::ForNewWall).
    void New();
    // Reads the data file at `path` into a new wall (`format` as
    // TProgramData::CreateFromFile), and the settings file beside it, and
    // returns what the readers found wrong: empty when both were read whole.
    // A wall without a settings file, or in an older layout, has the
    // defaults; a damaged one is ignored (the defaults, and a line of the
    // list naming file and line).
    // The caller shows the list.
    std::vector<std::string> Open(const std::string& path, TFileLayout layout);
    // The line of the last Open's list that speaks of an ignored settings
    // file; empty when the settings were read or there were none.
    const std::string& SettingsProblem() const { return settingsProblem_; }

    // The data file's name; NewWall.tk4d while the wall was never saved.
    const std::string& FileName() const;
    // True while the wall has no data file of its own (never saved).
    bool IsUntitled() const;

    // The input tables of this wall.
    WallTables& Tables() { return tables_; }
    const WallTables& Tables() const { return tables_; }
    // Marks the document modified or saved (saved also clears the tables' changes).
    virtual void SetModified(bool modified);
    // True while the wall or any of its tables has unsaved changes.
    virtual bool IsModified() const;
    // The settings kept beside the data file (see WallSettings.h).
    TWallSettings& Settings() { return settings_; }
    const TWallSettings& Settings() const { return settings_; }
    // Replaces the settings; a change marks the document modified and raises
    // SettingsChanged (the same settings change nothing).
    void SetSettings(const TWallSettings& settings);

    // The prompt that answers the wall's questions.
    Prompt& UserPrompt() const { return prompt_; }

    // Raised after the wall changed its unit system, so that every window that
    // shows scalars of the wall shows the converted values.
    TNotice UnitsSwitched;
    // Raised after the settings changed: by SetSettings, New and Open.
    TNotice SettingsChanged;

    // Undo and Redo. Every committed change is one step holding the wall's
    // state (WallState.h) before and after it.
    // The changes Undo and Redo walk through.
    const TUndoHistory& History() const { return history_; }
    // A committed change named `caption` becomes one step when the wall
    // changed since the last state taken; true when a step was added. A state
    // that cannot be taken is reported through the prompt.
    bool RecordChange(const std::string& caption);
    // The present state of the wall is the one the next step starts from,
    // without a step (a stage switch); the modified state is kept.
    void TakeUndoState();
    // A new or opened wall: no steps; the present state is the saved one.
    void ResetHistory();
    // The wall was saved: the present state is the saved one.
    void HistorySaved();
    // The present state is not the saved one, and no step leads back to it (a
    // wall recovered from an autosave): the wall is modified until it is saved.
    void MarkNoStateSaved();
    // Takes back the last step, or makes the last one taken back again, and
    // marks the wall modified unless the state put back is the saved one.
    // False when there was no step.
    bool Undo();
    bool Redo();
    // The wall's state (WallState.h) after its last committed change, stage
    // switch, New or Open: what an autosave keeps, taken without touching the wall.
    const std::string& PresentState() const { return undoState_; }
    // True while a state is being put back: the changes that makes are no steps.
    bool Restoring() const { return restoring_; }

private:
    void ApplyState(const std::string& state);

    Prompt& prompt_;
    WallTables tables_;
    bool modified_ = false;
    TWallSettings settings_;
    std::string settingsProblem_;
    std::unique_ptr<TProgramData> wall_;
    TUndoHistory history_;
    // The wall's state after the last step (or at New, Open, a stage switch).
    std::string undoState_;
    bool restoring_ = false;
};
