#include "model/ProgramData.h"
#include "run/AnalysisRun.h"
#include "tables/GridTable.h"
#include "ui/MainForm.h"
#include "ui/dialogs/DlgCSD.h"
#include "ui/dialogs/DlgConLoads.h"
#include "ui/dialogs/DlgOptions.h"
#include "ui/dialogs/DlgProp.h"
#include "ui/dialogs/DlgTitle.h"
#include "units/ScriptedPrompt.h"
#include "units/widgets/DataEdit.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class InputDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The user's own settings stay untouched.
        QStandardPaths::setTestModeEnabled(true);
        form = std::make_unique<TMainForm>(&prompt);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override
    {
        form.reset();
    }

    // Chooses a command of the Data or Options menu, as the user does.
    template <class D>
    D* Choose(QMenu* menu, const QString& caption)
    {
        for (QAction* a : menu->actions())
            if (a->text() == caption)
                a->trigger();
        QCoreApplication::processEvents();
        return qobject_cast<D*>(TInputDialog::Of(form->MdiArea()->activeSubWindow()));
    }
    // Replaces what a field shows by typed text, the focus staying in it.
    static void Type(QLineEdit* field, const char* text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    static QMdiSubWindow* Window(QWidget* dialog) { return qobject_cast<QMdiSubWindow*>(dialog->parentWidget()); }

    ScriptedPrompt prompt;
    std::unique_ptr<TMainForm> form;
};

TEST_F(InputDialogTest, OneWindowPerCommandAndAFreshOneAfterClosing)
{
    auto* first = Choose<TDlgProp>(form->DataMenu(), "Wall &Properties");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Window(first)->windowTitle(), "Wall Properties");
    Choose<TdlgTitle>(form->DataMenu(), "&Title");
    EXPECT_EQ(Choose<TDlgProp>(form->DataMenu(), "Wall &Properties"), first);
    EXPECT_EQ(form->MdiArea()->subWindowList().size(), 2);
    EXPECT_TRUE(form->DialogOpen(TMainForm::InputDialog::Prop));

    EXPECT_TRUE(Window(first)->close());
    EXPECT_FALSE(form->DialogOpen(TMainForm::InputDialog::Prop));
    EXPECT_NE(Choose<TDlgProp>(form->DataMenu(), "Wall &Properties"), nullptr);
    EXPECT_TRUE(form->DialogOpen(TMainForm::InputDialog::Prop));
}

TEST_F(InputDialogTest, RefusedEntryKeepsTheDialogOpenAndActiveWithNothingStored)
{
    auto* prop = Choose<TDlgProp>(form->DataMenu(), "Wall &Properties");
    ASSERT_NE(prop, nullptr);
    const int nodes = form->Document().Wall().NodeCount;
    const long double increment = form->Document().Wall().IncrementLength;
    Type(prop->IncrementLength(), "6");
    Type(prop->Increments(), "0");
    EXPECT_FALSE(Window(prop)->close());
    // The message names the field that refused the entry.
    EXPECT_EQ(prompt.shown, std::vector<std::string>({"Increments (nodes): Entry must be greater than or equal to 1"}));
    EXPECT_EQ(form->Document().Wall().NodeCount, nodes);
    EXPECT_EQ(form->Document().Wall().IncrementLength, increment);
    EXPECT_TRUE(form->DialogOpen(TMainForm::InputDialog::Prop));

    // Leaving for another dialog is refused the same way, and the edits stay.
    Type(prop->Increments(), "0");
    Choose<TdlgTitle>(form->DataMenu(), "&Title");
    QCoreApplication::processEvents();
    EXPECT_EQ(TInputDialog::Of(form->MdiArea()->activeSubWindow()), prop);
    EXPECT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prop->IncrementLength()->text(), "6");
    // The field left with an accepted entry was stored as it was left (a step
    // of Undo); the refused entry never is.
    EXPECT_EQ(form->Document().Wall().IncrementLength, 6);
    EXPECT_EQ(form->Document().Wall().NodeCount, nodes);

    Type(prop->Increments(), "40");
    EXPECT_TRUE(Window(prop)->close());
    EXPECT_EQ(form->Document().Wall().NodeCount, 40);
    EXPECT_EQ(form->Document().Wall().IncrementLength, 6);
    EXPECT_TRUE(form->IsModified());
}

TEST_F(InputDialogTest, EnglishDepthsInFeetAndLoadsInPsfAreStoredInInches)
{
    auto* csd = Choose<TdlgCSD>(form->DataMenu(), "&Wall Configuration");
    ASSERT_NE(csd, nullptr);
    EXPECT_EQ(csd->FreeHeight()->EditLabel()->text(), "&Free Height of Wall, H (ft)");
    EXPECT_EQ(csd->BackfillLoad()->EditLabel()->text(), "Uniform Distributed Load at the top of backfill side  (lbs/ft^2)");
    Type(csd->BackfillLoad(), "144");
    Type(csd->FreeHeight(), "20");
    ASSERT_TRUE(form->CommitActiveChild());
    EXPECT_EQ(form->Document().Wall().WallHeight, 240);
    EXPECT_EQ(form->Document().Wall().TopSurcharge, 1);

    // After a switch to SI units the open dialog shows metres, stored as shown.
    form->Document().Wall().SwitchUnits(UnitSystem::SI);
    EXPECT_EQ(csd->FreeHeight()->EditLabel()->text(), "&Free Height of Wall, H (m)");
    EXPECT_NEAR(static_cast<double>(csd->FreeHeight()->Number()), 6.096, 1e-9);
    Type(csd->FreeHeight(), "6");
    ASSERT_TRUE(form->CommitActiveChild());
    EXPECT_EQ(form->Document().Wall().WallHeight, 6);
}

TEST_F(InputDialogTest, ClearingTheConcentratedLoadsBoxClosesTheirEditor)
{
    form->Tables().SetEditorOpener([](TGridTable& table, bool modal) {
        table.SetEditorState(true, modal, [&table] { table.SetEditorState(false, false); });
    });
    TGridTable& loads = form->Tables()[WallTable::ConcentratedLoads];
    auto* dialog = Choose<TDlgConLoads>(form->DataMenu(), "&Concentrated Loads on the Wall");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->EditButton()->isEnabled());
    QTest::mouseClick(dialog->CheckBox(), Qt::LeftButton);
    QTest::mouseClick(dialog->EditButton(), Qt::LeftButton);
    EXPECT_TRUE(loads.EditorOpen());
    EXPECT_TRUE(form->CommitActiveChild());
    EXPECT_TRUE(form->Document().Wall().UseConcentratedLoads);

    QTest::mouseClick(dialog->CheckBox(), Qt::LeftButton);
    EXPECT_FALSE(loads.EditorOpen());
    EXPECT_FALSE(dialog->EditButton()->isEnabled());
    EXPECT_TRUE(form->IsModified());
    EXPECT_TRUE(Window(dialog)->close());
    EXPECT_FALSE(form->Document().Wall().UseConcentratedLoads);
}

TEST_F(InputDialogTest, TheBoxActsTheSameWhenToggledThroughTheAccessibilityTree)
{
    auto* dialog = Choose<TDlgConLoads>(form->DataMenu(), "&Concentrated Loads on the Wall");
    ASSERT_NE(dialog, nullptr);
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(dialog->CheckBox());
    ASSERT_TRUE(box && box->actionInterface());
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(dialog->EditButton()->isEnabled());
    EXPECT_TRUE(form->IsModified());
    EXPECT_TRUE(Window(dialog)->close());
    EXPECT_TRUE(form->Document().Wall().UseConcentratedLoads);
}

TEST_F(InputDialogTest, TitleMarksTheWallChangedOnlyWhenItsTextDiffers)
{
    auto* title = Choose<TdlgTitle>(form->DataMenu(), "&Title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->TitleMemo()->text(), "New Wall");
    Choose<TDlgProp>(form->DataMenu(), "Wall &Properties");
    Choose<TdlgTitle>(form->DataMenu(), "&Title");
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->IsModified());

    Type(title->TitleMemo(), "Quay wall");
    QTest::keyClick(title->TitleMemo(), Qt::Key_Return);  // closes the dialog, keeping the text
    EXPECT_FALSE(form->DialogOpen(TMainForm::InputDialog::Title));
    EXPECT_EQ(form->Document().Wall().Title, "Quay wall");
    EXPECT_TRUE(form->IsModified());
}

TEST_F(InputDialogTest, EveryScalarTypedIntoTheDialogsIsSavedReadBackAndRun)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cantilever-sand.tk4d");
    ASSERT_TRUE(QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/cantilever-sand.tk4d", path));
    form->OpenFileName(path.toStdString(), false);

    auto* title = Choose<TdlgTitle>(form->DataMenu(), "&Title");
    Type(title->TitleMemo(), "Edited wall");
    auto* prop = Choose<TDlgProp>(form->DataMenu(), "Wall &Properties");
    for (auto [field, text] : {std::pair{prop->Increments(), "88"}, {prop->IncrementLength(), "2.5"}, {prop->MaximumDeflection(), "24"},
                               {prop->ClosureTolerance(), "2E-5"}, {prop->FreeHeight(), "9"}})
        Type(field, text);
    auto* csd = Choose<TdlgCSD>(form->DataMenu(), "&Wall Configuration");
    for (auto [field, text] : {std::pair{csd->ActiveWidth(), "24"}, {csd->PyWidth(), "18"}, {csd->BackfillWaterDepth(), "30"},
                               {csd->ExcavationWaterDepth(), "40"}, {csd->ActivePressureFactor(), "1.1"}, {csd->BackfillSlope(), "5"},
                               {csd->BackfillLoad(), "72"}})
        Type(field, text);
    for (QAction* a : form->menuBar()->actions().first()->menu()->actions())
        if (a->text() == "&Save")
            a->trigger();
    EXPECT_FALSE(form->IsModified());

    form->OpenFileName(path.toStdString(), false);
    const TProgramData& wall = form->Document().Wall();
    EXPECT_EQ(wall.Title, "Edited wall");
    EXPECT_EQ(wall.NodeCount, 88);
    EXPECT_EQ(wall.IncrementLength, 2.5);
    EXPECT_EQ(wall.MaxDeflection, 24);
    EXPECT_EQ(wall.ClosureTolerance, 2E-5L);
    EXPECT_EQ(wall.WallHeight, 108);
    EXPECT_EQ(wall.ActiveWidth, 24);
    EXPECT_EQ(wall.PyWidth, 18);
    EXPECT_EQ(wall.WaterDepthBackfill, 360);
    EXPECT_EQ(wall.WaterDepthExcavation, 480);
    EXPECT_EQ(wall.ActivePressureFactor, 1.1L);
    EXPECT_EQ(wall.BackfillSlope, 5);
    EXPECT_EQ(wall.TopSurcharge, 0.5);

    prompt.shown.clear();
    form->SetEngineDirectory(TORVIK_BIN_DIR);
    form->RunAnalysis();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].rfind(CompletedMessage, 0), 0u) << prompt.shown[0];
    EXPECT_TRUE(form->ResultsLoaded());
}

TEST_F(InputDialogTest, ClosingTheProgramAsksToSaveWhatTheActiveDialogHolds)
{
    auto* prop = Choose<TDlgProp>(form->DataMenu(), "Wall &Properties");
    ASSERT_NE(prop, nullptr);
    Type(prop->MaximumDeflection(), "12");
    prompt.answers.push_back(Prompt::Answer::Cancel);
    EXPECT_FALSE(form->close());
    EXPECT_EQ(prompt.shown, std::vector<std::string>({"Do you want to save any changes?"}));
    EXPECT_EQ(form->Document().Wall().MaxDeflection, 12);
}

TEST_F(InputDialogTest, BrowsingChoosesTheTextEditor)
{
    auto* options = Choose<TDlgOptions>(form->OptionsMenu(), "&Option of Text Editor...");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->edtEditor()->text(), form->TextEditor());
    prompt.fileNames.push_back("/usr/bin/vi");
    QTest::mouseClick(options->btnBrowse(), Qt::LeftButton);
    EXPECT_EQ(options->edtEditor()->text(), "/usr/bin/vi");
    EXPECT_TRUE(Window(options)->close());
    EXPECT_EQ(form->TextEditor(), "/usr/bin/vi");
}

}  // namespace
