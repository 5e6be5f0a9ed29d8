// The wall's settings in the main window: the Options menu's switch of the
// installation stage, its undo step, and the settings file that Save writes
// beside the wall and Open reads again (a damaged one is shown and ignored).
#include "ui/MainForm.h"
#include "ui/tests/MainWindowTest.h"

#include "model/ProgramData.h"
#include "model/WallSettings.h"
#include "ui/MainMenus.h"
#include "ui/rules/DocumentNames.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class WallSettingsFileTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        form->show();
    }
    // Opens a copy of an example wall in the test's folder.
    std::string Open(const char* example)
    {
        const QString wall = dir.filePath(example);
        QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/" + example, wall);
        QFile(wall).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        form->OpenFileName(wall.toStdString(), false);
        return wall.toStdString();
    }
    // The switch as the Options menu shows it.
    QAction* Switch() const
    {
        emit act().Options->aboutToShow();
        return act().SpringsFromInstallation;
    }

    QTemporaryDir dir;
};

// The passive limit and the limit-equilibrium verdict are switches of the
// wall's settings too: off and on for a stored wall without settings, on and
// on for a new one; each switch is one undo step, and Save keeps it beside the wall.
TEST_F(WallSettingsFileTest, PassiveLimitAndVerdictSwitchesAreTheWallsSettings)
{
    const std::string wall = Open("cantilever-sand.tk4d");
    emit act().Options->aboutToShow();
    ASSERT_NE(act().PassiveLimit, nullptr);
    ASSERT_NE(act().LimitEquilibriumInVerdict, nullptr);
    EXPECT_EQ(act().PassiveLimit->text().toStdString(), "Limit soil resistance to the passive earth pressure");
    EXPECT_FALSE(act().PassiveLimit->isChecked()) << "a stored wall keeps its results";
    EXPECT_TRUE(act().LimitEquilibriumInVerdict->isChecked());

    act().PassiveLimit->trigger();
    act().LimitEquilibriumInVerdict->trigger();
    EXPECT_TRUE(form->Document().Settings().limitToPassive);
    EXPECT_FALSE(form->Document().Settings().limitEquilibriumInVerdict);
    EXPECT_EQ(act().Undo->text().toStdString(), "Undo Limit-equilibrium estimate counts in the design checks");
    act().Undo->trigger();
    EXPECT_TRUE(form->Document().Settings().limitEquilibriumInVerdict);
    act().Save->trigger();
    EXPECT_TRUE(ReadSettingsBeside(wall).settings.limitToPassive);

    act().New->trigger();
    emit act().Options->aboutToShow();
    EXPECT_TRUE(act().PassiveLimit->isChecked()) << "a new wall limits its soil resistance";
    EXPECT_TRUE(act().LimitEquilibriumInVerdict->isChecked());
}

// Lock-off as built and the soil behind the wall: off for a stored wall, on for
// a new one, each switch one undo step of its own name.
TEST_F(WallSettingsFileTest, LockOffAndSoilBehindSwitchesAreTheWallsSettings)
{
    Open("cantilever-sand.tk4d");
    emit act().Options->aboutToShow();
    const std::pair<QAction*, bool TWallSettings::*> switches[] = {
        {act().LockOffAsBuilt, &TWallSettings::lockOffAsBuilt}, {act().SoilBehind, &TWallSettings::soilBehindResists}};
    for (const auto& [action, flag] : switches) {
        ASSERT_NE(action, nullptr);
        EXPECT_FALSE(action->isChecked()) << "a stored wall keeps its results";
        action->trigger();
        EXPECT_TRUE(form->Document().Settings().*flag);
        EXPECT_EQ(act().Undo->text().toStdString(), "Undo " + action->text().toStdString());
        act().Undo->trigger();
        EXPECT_FALSE(form->Document().Settings().*flag);
    }
    act().New->trigger();
    emit act().Options->aboutToShow();
    EXPECT_TRUE(act().LockOffAsBuilt->isChecked() && act().SoilBehind->isChecked()) << "a new wall has both";
}

TEST_F(WallSettingsFileTest, SwitchIsUndoneSavedAndReadBackWithTheAnchors)
{
    const std::string wall = Open("anchored-soft-clay.tk4d");
    ASSERT_NE(Switch(), nullptr);
    EXPECT_EQ(Switch()->text().toStdString(), "Anchors and springs act from their &installation stage");
    EXPECT_FALSE(Switch()->isChecked()) << "a stored wall without settings keeps its results";

    Switch()->trigger();
    EXPECT_TRUE(form->Document().Settings().springsFromInstallation);
    EXPECT_TRUE(form->IsModified());
    EXPECT_TRUE(Switch()->isChecked());
    EXPECT_EQ(act().Undo->text().toStdString(), "Undo Anchors and springs act from their installation stage");
    act().Undo->trigger();
    EXPECT_FALSE(form->Document().Settings().springsFromInstallation);
    EXPECT_FALSE(form->IsModified());
    act().Redo->trigger();
    EXPECT_TRUE(form->Document().Settings().springsFromInstallation);

    TWallSettings settings = form->Document().Settings();
    settings.AnchorAt(7).prestress = 35;
    form->Document().SetSettings(settings);
    act().Save->trigger();
    EXPECT_FALSE(form->IsModified()) << prompt.shown.back();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(SettingsPathFor(wall))));

    act().New->trigger();
    EXPECT_TRUE(Switch()->isChecked()) << "a new wall acts from the installation stage";
    form->OpenFileName(wall, false);
    EXPECT_EQ(form->Document().Settings(), settings);
    EXPECT_TRUE(Switch()->isChecked());

    // A damaged settings file is shown by name and line; the wall opens with the defaults.
    QFile damaged(QString::fromStdString(SettingsPathFor(wall)));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("{\n  \"torvik_wall_settings\": 1,\n  \"anchors\": 3\n}\n");
    damaged.close();
    prompt.shown.clear();
    form->OpenFileName(wall, true);
    ASSERT_EQ(prompt.shown.size(), 2u);
    // The data file itself was read whole.
    EXPECT_EQ(prompt.shown[1], "Data file: " + DisplayFileName(wall) + ", has been read by TORVIK 2013");
    EXPECT_EQ(prompt.shown[0], "The settings file " + SettingsPathFor(wall) +
                                   " cannot be used at line 3: \"anchors\" must be a list. It is ignored: the wall "
                                   "has the default settings, and its next save replaces the file.");
    EXPECT_EQ(form->Document().FileName(), wall);
    EXPECT_FALSE(Switch()->isChecked());
}

}  // namespace
