#pragma once
#include "graph/widgets/tests/GuiTestSupport.h"
#include "ui/MainForm.h"
#include "ui/MainMenus.h"
#include "units/ScriptedPrompt.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A main window of each test's own: empty settings in a folder of the test's
// (no test reads or writes the user's recent files), a scripted prompt that
// answers the window's questions, and the working directory given back.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApplication();
        for (QSettings::Format f : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(f, QSettings::UserScope, settingsDir.path());
        // Autosaves go to a folder of the test's, never among the user's.
        qputenv("XDG_STATE_HOME", settingsDir.path().toLocal8Bit());
        saved = QDir::currentPath();
        form = std::make_unique<TMainForm>(&prompt);
    }
    void TearDown() override
    {
        form.reset();
        QDir::setCurrent(saved);
    }

    // Shows the window large enough for a dialog and the side view side by side.
    void ShowLarge()
    {
        form->resize(1200, 800);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    const TMainActions& act() const { return form->Actions(); }

    QTemporaryDir settingsDir;
    QString saved;
    ScriptedPrompt prompt;
    std::unique_ptr<TMainForm> form;
};
