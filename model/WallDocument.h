#pragma once
#include "model/FileLayout.h"
#include "model/Notice.h"
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

private:
    Prompt& prompt_;
    WallTables tables_;
    bool modified_ = false;
    TWallSettings settings_;
    std::unique_ptr<TProgramData> wall_;
};
