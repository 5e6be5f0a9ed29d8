// Undo and Redo as the user meets them: changes made through the dialogs, the
// table editors and the menus are taken back and made again step by step.
#include "ui/MainForm.h"
#include "ui/tests/MainWindowTest.h"

#include "graph/widgets/tests/GuiTestSupport.h"
#include "model/ProgramData.h"
#include "tables/GridTable.h"
#include "tables/widgets/TableEditors.h"
#include "tables/widgets/TableForm.h"
#include "ui/MainMenus.h"
#include "ui/dialogs/DlgCSD.h"
#include "ui/dialogs/DlgProp.h"
#include "ui/dialogs/DlgTitle.h"
#include "units/ScriptedPrompt.h"
#include "units/widgets/DataEdit.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

class UndoTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ShowLarge();
    }

    // Opens a copy of an example wall in the test's folder.
    void Open(const char* example)
    {
        const QString wall = dir.filePath(example);
        QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/" + example, wall);
        QFile(wall).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        form->OpenFileName(wall.toStdString(), false);
    }
    template <class D>
    D* ActiveDialog() const
    {
        return qobject_cast<D*>(TInputDialog::Of(form->MdiArea()->activeSubWindow()));
    }
    // Types into a field and leaves it with Tab, as the user does.
    static void Enter(QLineEdit* field, const char* text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    TTableForm* Editor(WallTable table)
    {
        form->Tables()[table].ShowEditor();
        return form->Editors().Of(form->Tables()[table]);
    }
    // The first column of a table editor that takes typed text.
    static int EditableColumn(QAbstractItemModel* model)
    {
        int column = 0;
        while (column < model->columnCount() && !(model->flags(model->index(0, column)) & Qt::ItemIsEditable))
            ++column;
        return column;
    }
    std::string Text() const { return form->Document().Wall().DataFileText(); }

    QTemporaryDir dir;
};

// Ten different changes, each one step named after it, are taken back to the
// file as it was read and made again to the file as it was edited.
TEST_F(UndoTest, TenChangesAreUndoneAndRedoneThroughEveryState)
{
    Open("cantilever-sand.tk4d");
    std::vector<std::string> texts{Text()};
    std::vector<std::string> captions;
    auto changed = [&](const std::string& caption) {
        texts.push_back(Text());
        captions.push_back("Undo " + caption);
        EXPECT_EQ(act().Undo->text().toStdString(), captions.back());
        EXPECT_NE(texts.back(), texts[texts.size() - 2]) << caption;
    };

    act().WallProperties->trigger();
    auto* properties = ActiveDialog<TDlgProp>();
    ASSERT_NE(properties, nullptr);
    Enter(properties->IncrementLength(), "7");
    changed("Increment Length");
    Enter(properties->FreeHeight(), "12");
    changed("Free Height of Wall");
    act().WallConfiguration->trigger();
    auto* csd = ActiveDialog<TdlgCSD>();
    ASSERT_NE(csd, nullptr);
    Enter(csd->PyWidth(), "20");
    changed("Width for Generating p-y Soil Resistance, Wp");
    act().EarthPressureKind[2]->trigger();
    changed("Earth Pressure: Trapezoidal");
    act().Toggles.at(TOption::LongTermAnalysis)->trigger();
    changed("Conduct Short-Term and Long-Term Analyses");
    TTableForm* layers = Editor(WallTable::NewSoil);
    ASSERT_NE(layers, nullptr);
    layers->BtnAdd()->click();
    changed("Add Row in Soil Layers");
    layers->Grid()->setCurrentIndex(layers->Grid()->model()->index(0, 1));
    layers->BtnIns()->click();
    changed("Insert Row in Soil Layers");
    layers->BtnDel()->click();
    changed("Delete Row in Soil Layers");
    QAbstractItemModel* model = layers->Grid()->model();
    ASSERT_TRUE(model->setData(model->index(0, EditableColumn(model)), "5", Qt::EditRole));
    changed("Edit Cell in Soil Layers");
    act().UnitSystem[1]->trigger();
    changed("Units: SI");
    ASSERT_EQ(texts.size(), 11u);
    EXPECT_EQ(prompt.shown, std::vector<std::string>());

    for (int i = 9; i >= 0; --i) {
        EXPECT_EQ(act().Undo->text().toStdString(), captions[i]);
        act().Undo->trigger();
        EXPECT_EQ(Text(), texts[i]) << captions[i];
    }
    EXPECT_FALSE(act().Undo->isEnabled());
    EXPECT_FALSE(form->IsModified());
    for (int i = 1; i <= 10; ++i) {
        act().Redo->trigger();
        EXPECT_EQ(Text(), texts[i]) << captions[i - 1];
    }
    EXPECT_FALSE(act().Redo->isEnabled());
    // The open dialogs show the state put back.
    EXPECT_EQ(properties->FreeHeight()->text(), "3.6576");
}

// Undo back to the state last saved leaves the wall unmodified; a change
// undone in another stage brings that stage back.
TEST_F(UndoTest, UndoToTheSavedStateClearsTheModifiedStateAndReturnsToTheStage)
{
    Open("three-stage-excavation.tk4d");
    ASSERT_FALSE(form->IsModified());
    act().EarthPressureKind[0]->trigger();
    EXPECT_TRUE(form->IsModified());
    act().Save->trigger();
    EXPECT_FALSE(form->IsModified());
    act().StageButton[1]->trigger();
    ASSERT_EQ(form->Document().Wall().CurrentStage, 2);
    const UnitSystem units = form->Document().Wall().UnitSystem();
    act().UnitSystem[units == UnitSystem::English ? 1 : 0]->trigger();
    EXPECT_TRUE(form->IsModified());
    act().StageButton[2]->trigger();
    EXPECT_EQ(act().Undo->text(), units == UnitSystem::English ? "Undo Units: SI" : "Undo Units: English");

    act().Undo->trigger();
    EXPECT_EQ(form->Document().Wall().CurrentStage, 2);
    EXPECT_EQ(form->Document().Wall().UnitSystem(), units);
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(form->StatusText(), "Construction Stage Number: 2");
    act().Undo->trigger();
    EXPECT_TRUE(form->IsModified());
    act().Redo->trigger();
    EXPECT_FALSE(form->IsModified());
    act().Redo->trigger();
    EXPECT_TRUE(form->IsModified());
    EXPECT_NE(form->Document().Wall().UnitSystem(), units);
}

// Redo answers the platform's own Redo keys and Ctrl+Y, typed in the main window.
TEST_F(UndoTest, RedoAnswersThePlatformsKeysAndCtrlY)
{
    Open("cantilever-sand.tk4d");
    const UnitSystem units = form->Document().Wall().UnitSystem();
    act().UnitSystem[units == UnitSystem::English ? 1 : 0]->trigger();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    std::vector<QKeySequence> keys;
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Redo))
        keys.push_back(key);
    keys.push_back(QKeySequence(Qt::CTRL | Qt::Key_Y));
    for (const QKeySequence& key : keys) {
        act().Undo->trigger();
        ASSERT_EQ(form->Document().Wall().UnitSystem(), units);
        QTest::keySequence(form.get(), key);
        EXPECT_NE(form->Document().Wall().UnitSystem(), units) << key.toString().toStdString();
    }
}

// A block pasted into a table editor is one step.
TEST_F(UndoTest, APasteIsUndoneInOneStep)
{
    Open("cantilever-sand.tk4d");
    const std::string before = Text();
    TTableForm* layers = Editor(WallTable::NewSoil);
    ASSERT_NE(layers, nullptr);
    const int rows = form->Tables()[WallTable::NewSoil].RowCount();
    QAbstractItemModel* model = layers->Grid()->model();
    const int column = EditableColumn(model);
    layers->Grid()->setCurrentIndex(model->index(rows - 1, column));
    QApplication::clipboard()->setText("30\n40\n50\n");
    layers->PasteClipboard();
    ASSERT_GT(form->Tables()[WallTable::NewSoil].RowCount(), rows);
    EXPECT_EQ(act().Undo->text(), "Undo Paste in Soil Layers");

    act().Undo->trigger();
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(form->Tables()[WallTable::NewSoil].RowCount(), rows);
    EXPECT_FALSE(act().Undo->isEnabled());
    EXPECT_FALSE(form->IsModified());
}

// Undo names the stage only where the change belongs to it: a field of the
// stage shown does, the project title (the whole wall's) and a unit switch do not.
TEST_F(UndoTest, CaptionsNameTheStageOnlyOfChangesThatBelongToOne)
{
    Open("three-stage-excavation.tk4d");
    // The project title is entered in stage 1; its change names no stage.
    act().Title->trigger();
    auto* title = ActiveDialog<TdlgTitle>();
    ASSERT_NE(title, nullptr);
    title->TitleMemo()->selectAll();
    QTest::keyClicks(title->TitleMemo(), "Quay wall");
    QTest::keyClick(title->TitleMemo(), Qt::Key_Return);
    EXPECT_EQ(act().Undo->text(), "Undo Project Title");
    title->close();

    act().StageButton[1]->trigger();
    ASSERT_EQ(form->Document().Wall().CurrentStage, 2);
    act().WallProperties->trigger();
    auto* properties = ActiveDialog<TDlgProp>();
    ASSERT_NE(properties, nullptr);
    Enter(properties->FreeHeight(), "5");
    EXPECT_EQ(act().Undo->text(), "Undo Free Height of Wall - Stage 2");
    act().UnitSystem[form->Document().Wall().UnitSystem() == UnitSystem::English ? 1 : 0]->trigger();
    EXPECT_TRUE(act().Undo->text().startsWith("Undo Units: "));
    EXPECT_FALSE(act().Undo->text().contains("Stage"));
}

// A value converted by a unit switch shows as a typed one would (no 18
// digits), and Undo and Redo put back the very value, not its 8 digits.
TEST_F(UndoTest, AUnitSwitchShowsRoundedValuesAndUndoRestoresThemExactly)
{
    Open("cantilever-sand.tk4d");
    act().WallProperties->trigger();
    auto* properties = ActiveDialog<TDlgProp>();
    ASSERT_NE(properties, nullptr);
    Enter(properties->IncrementLength(), "7.1234567");
    act().UnitSystem[1]->trigger();
    const long double converted = form->Document().Wall().IncrementLength;
    EXPECT_EQ(converted, 7.1234567L * 0.0254L);
    EXPECT_EQ(properties->IncrementLength()->text(), "0.1809358");
    act().UnitSystem[0]->trigger();
    const long double back = form->Document().Wall().IncrementLength;
    act().Undo->trigger();
    EXPECT_EQ(form->Document().Wall().IncrementLength, converted);
    act().Redo->trigger();
    EXPECT_EQ(form->Document().Wall().IncrementLength, back);
    EXPECT_LE(properties->IncrementLength()->text().size(), 10);
}

}  // namespace
