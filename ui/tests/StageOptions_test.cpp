// A staged wall in the main window: each stage keeps the options chosen for it
// in the Options menu, through a stage switch, a save and a reopen, and the
// engine is given what the menu shows; the input windows name the stage.
#include "ui/MainForm.h"
#include "ui/tests/MainWindowTest.h"

#include "engine/WallFileReader.h"
#include "graph/widgets/tests/GuiTestSupport.h"
#include "ui/MainMenus.h"
#include "ui/dialogs/DlgStaged.h"
#include "units/ScriptedPrompt.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "model/WallState.h"
#include "ui/dialogs/DlgTitle.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// One entry of the Options menu and what the engine is given while it is checked.
struct OptionEntry {
    const char* name;
    std::function<QAction*(const TMainActions&)> action;
    bool (*given)(const WallBlock&);
};

QAction* Toggle(const TMainActions& a, TOption option) { return a.Toggles.at(option); }

const std::vector<OptionEntry>& Entries()
{
    static const std::vector<OptionEntry> entries = {
        {"EarthPressureByUser", [](auto& a) { return a.EarthPressureKind[0]; },
         [](const WallBlock& b) { return b.earthPressureOption == 1; }},
        {"TriangularPressure", [](auto& a) { return a.EarthPressureKind[1]; },
         [](const WallBlock& b) { return b.earthPressureOption == 2; }},
        {"TrapezoidalPressure", [](auto& a) { return a.EarthPressureKind[2]; },
         [](const WallBlock& b) { return b.earthPressureOption == 3; }},
        {"GeneratePyCurves", [](auto& a) { return Toggle(a, TOption::GeneratePyCurves); },
         [](const WallBlock& b) { return b.pyCurveOption == 2; }},
        {"ConcentratedLoads", [](auto& a) { return Toggle(a, TOption::ConcentratedLoads); },
         [](const WallBlock& b) { return !b.loads.empty(); }},
        {"Restraints", [](auto& a) { return Toggle(a, TOption::Restraints); },
         [](const WallBlock& b) { return !b.restraints.empty(); }},
        {"ExternalPyCurves", [](auto& a) { return Toggle(a, TOption::ExternalPyCurves); },
         [](const WallBlock& b) { return !b.externalCurves.empty(); }},
        {"Springs", [](auto& a) { return Toggle(a, TOption::Springs); },
         [](const WallBlock& b) { return !b.springs.empty(); }},
        {"PyModifiers", [](auto& a) { return Toggle(a, TOption::PyModifiers); },
         [](const WallBlock& b) { return !b.modifiers.empty(); }},
        {"Surcharge", [](auto& a) { return Toggle(a, TOption::Surcharge); },
         [](const WallBlock& b) { return !b.surcharges.empty(); }},
        {"MomentEiCurves", [](auto& a) { return Toggle(a, TOption::MeiCurves); },
         [](const WallBlock& b) { return !b.meiCurves.empty(); }},
    };
    return entries;
}

class StagedWallTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        form->show();
    }

    void OpenMenus() const
    {
        emit act().Options->aboutToShow();
        emit act().EarthPressure->aboutToShow();
    }
    void Choose(const OptionEntry& entry) const
    {
        OpenMenus();
        entry.action(act())->trigger();
    }
    // The check marks of every entry, as the Options menu shows them.
    std::vector<bool> Shown() const
    {
        OpenMenus();
        std::vector<bool> checked;
        for (const OptionEntry& e : Entries())
            checked.push_back(e.action(act())->isChecked());
        return checked;
    }
    std::vector<bool> ShownAt(int stage) const
    {
        act().StageButton[stage - 1]->trigger();
        return Shown();
    }
    // What the engine is given for each entry in the block of `stage` of the saved wall.
    static std::vector<bool> Given(const std::string& path, int stage)
    {
        const WallBlock block = WallFileReader::Read(path).at(static_cast<std::size_t>(stage - 1)).block;
        std::vector<bool> given;
        for (const OptionEntry& e : Entries())
            given.push_back(e.given(block));
        return given;
    }
    // Options > Conduct Staged-Construction Analysis..., ticked, OK.
    void StageInTwo()
    {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TDlgStaged*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QTest::mouseClick(dialog->ChkStaged(), Qt::LeftButton);
            QTest::mouseClick(dialog->btnOK(), Qt::LeftButton);
        });
        emit act().Options->aboutToShow();
        act().StagedConstruction->trigger();
    }

    // The titles of the child windows, sorted.
    std::string ChildTitles() const
    {
        QStringList titles;
        for (QMdiSubWindow* w : form->findChild<QMdiArea*>()->subWindowList())
            titles << w->windowTitle();
        titles.sort();
        return titles.join(" | ").toStdString();
    }

    QTemporaryDir dir;
};

TEST_F(StagedWallTest, InputWindowsNameTheStageTheyEdit)
{
    emit act().Data->aboutToShow();
    act().SoilLayerData->trigger();
    act().WallProperties->trigger();
    EXPECT_EQ(ChildTitles(), "Soil Layers | Wall Properties");
    StageInTwo();
    EXPECT_EQ(ChildTitles(), "Soil Layers - Stage 1 | Wall Properties - Stage 1");
    act().StageButton[1]->trigger();
    EXPECT_EQ(ChildTitles(), "Soil Layers - Stage 2 | Wall Properties - Stage 2");
    emit act().Data->aboutToShow();
    act().Title->trigger();  // opened on stage 2
    EXPECT_EQ(ChildTitles(), "Project Title - Stage 2 | Soil Layers - Stage 2 | Wall Properties - Stage 2");
}

// The project title is stage 1's first line; a later stage's first line is
// its stage number. There the title is shown but cannot be edited, so that no
// edit is accepted that the stage file would not keep.
TEST_F(StagedWallTest, OnlyStageOneEditsTheProjectTitle)
{
    StageInTwo();
    act().StageButton[1]->trigger();
    emit act().Data->aboutToShow();
    act().Title->trigger();
    auto* title = form->findChild<TdlgTitle*>();
    ASSERT_NE(title, nullptr);
    const std::string before = TakeWallState(form->Document().Wall());
    EXPECT_TRUE(title->TitleMemo()->isReadOnly());
    EXPECT_TRUE(title->Note()->isVisible());
    EXPECT_EQ(title->TitleMemo()->text(), " Stage No : 2");
    title->TitleMemo()->setFocus();
    QTest::keyClicks(title->TitleMemo(), "Excavation");
    EXPECT_EQ(title->TitleMemo()->text(), " Stage No : 2");

    // Back on stage 1 the open dialog shows the project title, to be edited.
    act().StageButton[0]->trigger();
    EXPECT_EQ(form->Document().Wall().CurrentStage, 1);
    act().StageButton[1]->trigger();
    EXPECT_EQ(TakeWallState(form->Document().Wall()), before) << "stage 2 keeps its first line";
    act().StageButton[0]->trigger();
    ASSERT_EQ(form->findChild<TdlgTitle*>(), title);
    EXPECT_FALSE(title->TitleMemo()->isReadOnly());
    EXPECT_FALSE(title->Note()->isVisible());
    EXPECT_EQ(title->TitleMemo()->text().toStdString(), form->Document().Wall().Title);
}

// A stage button worked through the accessibility interface switches the
// stage, as a click does, and its check mark shows the stage the wall is in.
TEST_F(StagedWallTest, StageButtonWorkedByAccessibilitySwitchesTheStage)
{
    StageInTwo();
    auto* button = qobject_cast<QToolButton*>(act().ToolBar->widgetForAction(act().StageButton[1]));
    ASSERT_NE(button, nullptr);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Stage Const. 2");
    const QString toggle = QAccessibleActionInterface::toggleAction();
    ASSERT_EQ(accessible->actionInterface()->actionNames(), QStringList{toggle});
    accessible->actionInterface()->doAction(toggle);
    EXPECT_EQ(form->Document().Wall().CurrentStage, 2);
    EXPECT_TRUE(button->isChecked());
    EXPECT_TRUE(accessible->state().checked);
    accessible->actionInterface()->doAction(toggle);  // the current stage stays
    EXPECT_EQ(form->Document().Wall().CurrentStage, 2);
    EXPECT_TRUE(button->isChecked());
}

// The entry chosen (by its index in Entries) and the stage it is chosen in.
using StageOptionCase = std::tuple<int, int>;

class StageOptionTest : public StagedWallTest, public ::testing::WithParamInterface<StageOptionCase> {};

TEST_P(StageOptionTest, StaysWithItsStageAndReachesTheAnalysis)
{
    const auto [index, stage] = GetParam();
    const OptionEntry& entry = Entries()[static_cast<std::size_t>(index)];
    const int other = 3 - stage;

    // A new SI wall given the trapezoid, then staged: both stages keep it.
    act().UnitSystem[1]->trigger();
    Choose(Entries()[2]);
    const std::vector<bool> before = Shown();
    ASSERT_TRUE(before[2]);
    StageInTwo();
    ASSERT_TRUE(act().StageButton[1]->isVisible());
    EXPECT_EQ(ShownAt(1), before);
    EXPECT_EQ(ShownAt(2), before);

    act().StageButton[stage - 1]->trigger();
    Choose(entry);
    const std::vector<bool> chosen = Shown();
    ASSERT_TRUE(chosen != before || index == 2) << "the choice shows (the trapezoid is chosen again)";

    EXPECT_EQ(ShownAt(other), before) << "the other stage keeps its own options";
    EXPECT_EQ(ShownAt(stage), chosen) << "after a stage switch";

    const std::string path = dir.filePath("wall.tk4d").toStdString();
    prompt.fileNames.push_back(path);
    act().SaveAs->trigger();
    // The engine reads the data file into input tables of its own, which
    // cannot exist beside those of a main window.
    form.reset();
    EXPECT_EQ(Given(path, stage), chosen) << "the engine is given what the menu showed";
    EXPECT_EQ(Given(path, other), before);

    form = std::make_unique<TMainForm>(&prompt);
    form->OpenFileName(path, false);
    EXPECT_EQ(ShownAt(stage), chosen) << "after a reopen";
    EXPECT_EQ(ShownAt(other), before);
}

INSTANTIATE_TEST_SUITE_P(EveryOption, StageOptionTest,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(Entries().size())),
                                            ::testing::Values(1, 2)),
                         [](const ::testing::TestParamInfo<StageOptionCase>& info) {
                             return std::string(Entries()[static_cast<std::size_t>(std::get<0>(info.param))].name) +
                                    "AtStage" + std::to_string(std::get<1>(info.param));
                         });

}  // namespace
