#pragma once
#include "ui/rules/RecentFiles.h"

#include <string>

// The maker's update page, unless the settings name another ("Update Page").
extern const char* const DefaultUpdatePage;

// The per-user settings of the program: under the organisation "Orvane", the
// application "TORVIK" and the group of the release number (on Windows the
// registry key HKEY_CURRENT_USER\Software\Orvane\TORVIK\<release>).
struct TUserSettings {
    std::string TextEditor;    // "Word Processor": the program that shows text files
    TRecentFiles RecentFiles;  // "File1" .. "File10", an empty string for an empty entry
    std::string UpdatePage;    // "Update Page": replaces DefaultUpdatePage when not empty
    bool AnalyseAsYouEdit = false;  // "Analyse As You Edit": every committed change is analysed
    int AutosaveSeconds = 60;  // "Autosave Seconds": unsaved changes are autosaved so often; 0: never
};

// Reads the settings; every value is empty when they cannot be read.
TUserSettings ReadUserSettings();
// Writes "Word Processor", the ten "File" values, "Analyse As You Edit" and "Autosave Seconds"; errors are ignored.
// "Update Page" is set by hand and only read.
void WriteUserSettings(const TUserSettings& settings);

// The program that shows text files when none is set: Notepad of the Windows
// directory on Windows, the desktop's opener (xdg-open) elsewhere.
std::string DefaultTextEditor();
// The text editor to use: the one set, or the default.
std::string TextEditorOrDefault(const TUserSettings& settings);
// The address of the update page to use: the one set, or the default.
std::string UpdatePageAddress(const TUserSettings& settings);
