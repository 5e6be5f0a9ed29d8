#include "model/WallDocument.h"

#include "model/ProgramData.h"
#include "model/SettingsFile.h"

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
    if (!read.problem.empty())
        diagnostics.push_back(IgnoredSettingsMessage(read.problem));
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
