#include "ui/Settings.h"

#include "TorvikVersion.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Settings kept in INI files of a temporary folder, never the user's own.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    }
    QString IniFile() const { return dir.filePath("Orvane/TORVIK.ini"); }

    QTemporaryDir dir;
};

TEST_F(SettingsTest, WrittenSettingsAreReadBackUnderTheProgramsKey)
{
    const TUserSettings none = ReadUserSettings();
    EXPECT_EQ(none.TextEditor, "");
    EXPECT_EQ(none.RecentFiles.Count(), 0);
    EXPECT_EQ(TextEditorOrDefault(none), "xdg-open");
    EXPECT_EQ(UpdatePageAddress(none), DefaultUpdatePage);
    EXPECT_FALSE(none.AnalyseAsYouEdit);
    EXPECT_EQ(none.AutosaveSeconds, 60);

    TUserSettings s;
    s.TextEditor = "/usr/bin/gedit";
    s.RecentFiles.UpdatePrevFile("/walls/a b.tk4d");
    s.RecentFiles.UpdatePrevFile("/walls/c.tk4d");
    s.AnalyseAsYouEdit = true;
    s.AutosaveSeconds = 0;
    WriteUserSettings(s);

    QSettings ini(IniFile(), QSettings::IniFormat);
    ini.beginGroup(ProgramRelease);
    EXPECT_EQ(ini.value("Word Processor").toString(), "/usr/bin/gedit");
    EXPECT_EQ(ini.value("File1").toString(), "/walls/c.tk4d");
    EXPECT_EQ(ini.value("File2").toString(), "/walls/a b.tk4d");
    EXPECT_TRUE(ini.contains("File10"));
    EXPECT_EQ(ini.value("File10").toString(), "");
    ini.setValue("Update Page", "http://mirror.example/update");
    ini.sync();

    const TUserSettings back = ReadUserSettings();
    EXPECT_EQ(back.TextEditor, "/usr/bin/gedit");
    EXPECT_EQ(back.RecentFiles.Entries(), s.RecentFiles.Entries());
    EXPECT_TRUE(back.AnalyseAsYouEdit);
    EXPECT_EQ(back.AutosaveSeconds, 0);
    EXPECT_EQ(UpdatePageAddress(back), "http://mirror.example/update");
    // Writing keeps the address set by hand.
    WriteUserSettings(back);
    EXPECT_EQ(ReadUserSettings().UpdatePage, "http://mirror.example/update");
    // An interval typed by hand that is no number of seconds keeps the default.
    for (const char* bad : {"-5", "soon"}) {
        ini.setValue("Autosave Seconds", bad);
        ini.sync();
        EXPECT_EQ(ReadUserSettings().AutosaveSeconds, 60) << bad;
    }
}

TEST_F(SettingsTest, UnreadableSettingsGiveEmptyValuesAndWritingThemFailsQuietly)
{
    // A folder where the settings file should be: it can be neither read nor written.
    ASSERT_TRUE(QDir(dir.path()).mkpath("Orvane/TORVIK.ini"));
    const TUserSettings s = ReadUserSettings();
    EXPECT_EQ(s.TextEditor, "");
    EXPECT_EQ(s.RecentFiles.Count(), 0);
    TUserSettings changed;
    changed.TextEditor = "vi";
    WriteUserSettings(changed);
    EXPECT_EQ(ReadUserSettings().TextEditor, "");
}

}  // namespace
