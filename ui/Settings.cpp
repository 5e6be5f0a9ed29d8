#include "ui/Settings.h"

#include "TorvikVersion.h"

#include <QSettings>
#include <QString>

#include <vector>

const char* const DefaultUpdatePage = "https://www.orvane.com/torvik/update";

namespace {

// Opens the program's settings. The format is the default one: the registry on
// Windows, an INI file elsewhere (and wherever tests point the default format).
class SettingsKey {
public:
    SettingsKey() : settings_(QSettings::defaultFormat(), QSettings::UserScope, "Orvane", "TORVIK")
    {
        settings_.beginGroup(ProgramRelease);
    }
    QSettings* operator->() { return &settings_; }

private:
    QSettings settings_;
};

QString FileKey(int i)
{
    return QStringLiteral("File%1").arg(i);
}

}  // namespace

TUserSettings ReadUserSettings()
{
    SettingsKey key;
    if (key->status() != QSettings::NoError)
        return {};
    TUserSettings s;
    s.TextEditor = key->value("Word Processor").toString().toStdString();
    std::vector<std::string> files;
    for (int i = 1; i <= TRecentFiles::Size; ++i)
        files.push_back(key->value(FileKey(i)).toString().toStdString());
    s.RecentFiles.Assign(files);
    s.UpdatePage = key->value("Update Page").toString().trimmed().toStdString();
    s.AnalyseAsYouEdit = key->value("Analyse As You Edit", false).toBool();
    // A value that is no number of seconds, or a negative one, keeps the default.
    bool number = false;
    const int seconds = key->value("Autosave Seconds", s.AutosaveSeconds).toInt(&number);
    if (number && seconds >= 0)
        s.AutosaveSeconds = seconds;
    if (key->status() != QSettings::NoError)
        return {};
    return s;
}

void WriteUserSettings(const TUserSettings& settings)
{
    SettingsKey key;
    key->setValue("Word Processor", QString::fromStdString(settings.TextEditor));
    for (int i = 1; i <= TRecentFiles::Size; ++i)
        key->setValue(FileKey(i), QString::fromStdString(settings.RecentFiles.Entry(i)));
    key->setValue("Analyse As You Edit", settings.AnalyseAsYouEdit);
    key->setValue("Autosave Seconds", settings.AutosaveSeconds);
    key->sync();  // a failure shows only in status(), which nothing needs
}

std::string DefaultTextEditor()
{
#ifdef Q_OS_WIN
    return qEnvironmentVariable("WINDIR", QStringLiteral("C:\\Windows")).toStdString() + "\\notepad.exe";
#else
    return "xdg-open";
#endif
}

std::string TextEditorOrDefault(const TUserSettings& settings)
{
    return settings.TextEditor.empty() ? DefaultTextEditor() : settings.TextEditor;
}

std::string UpdatePageAddress(const TUserSettings& settings)
{
    return settings.UpdatePage.empty() ? DefaultUpdatePage : settings.UpdatePage;
}
