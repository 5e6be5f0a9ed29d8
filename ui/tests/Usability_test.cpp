// The program as a new user meets it: where a new wall starts, what the
// dialogs say and how they answer the keyboard, and what screen readers read.
#include "ui/MainForm.h"
#include "ui/tests/MainWindowTest.h"

#include "graph/widgets/PlotForm.h"
#include "graph/widgets/PlotLegend.h"
#include "graph/widgets/tests/GuiTestSupport.h"
#include "model/ProgramData.h"
#include "run/AnalysisRun.h"
#include "ui/MainMenus.h"
#include "ui/dialogs/DlgCSD.h"
#include "ui/dialogs/DlgProp.h"
#include "ui/dialogs/DlgTitle.h"
#include "ui/profile/SideView.h"
#include "units/ScriptedPrompt.h"
#include "units/widgets/DataEdit.h"

#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class UsabilityTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ShowLarge();
    }

    QMdiSubWindow* Active() const { return form->MdiArea()->activeSubWindow(); }
    template <class D>
    D* ActiveDialog() const
    {
        return qobject_cast<D*>(TInputDialog::Of(Active()));
    }
    // Replaces what a field shows by typed text, the focus staying in it.
    static void Type(QLineEdit* field, const char* text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    static QString AccessibleName(QWidget* w)
    {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    }
};

// File > New opens Wall Properties, active, with the side view beside it.
TEST_F(UsabilityTest, NewWallStartsWithItsPropertiesAndTheSideViewBeside)
{
    act().New->trigger();
    QCoreApplication::processEvents();
    auto* properties = ActiveDialog<TDlgProp>();
    ASSERT_NE(properties, nullptr);
    TDlgSideView* view = TDlgSideView::Find(*form->MdiArea());
    ASSERT_NE(view, nullptr);
    const QRect left = Active()->frameGeometry();
    const QRect right = view->parentWidget()->frameGeometry();
    EXPECT_FALSE(left.intersects(right));
    EXPECT_GE(right.left(), left.right());
    // The units can be chosen first: the increments the new wall lacks are not asked for yet.
    act().UnitSystem[1]->trigger();
    EXPECT_EQ(form->Document().Wall().UnitSystem(), UnitSystem::SI);
    EXPECT_TRUE(prompt.shown.empty()) << ::testing::PrintToString(prompt.shown);
}

// Enter closes the title dialog keeping the text; Escape closes any input
// dialog as its close button does: values stored, a refused entry keeps it open.
TEST_F(UsabilityTest, EnterAndEscapeCloseTheInputDialogs)
{
    act().Title->trigger();
    auto* title = ActiveDialog<TdlgTitle>();
    ASSERT_NE(title, nullptr);
    Type(title->TitleMemo(), "Quay wall");
    QTest::keyClick(title->TitleMemo(), Qt::Key_Return);
    EXPECT_FALSE(form->DialogOpen(TMainForm::InputDialog::Title));
    EXPECT_EQ(form->Document().Wall().Title, "Quay wall");

    act().WallProperties->trigger();
    auto* properties = ActiveDialog<TDlgProp>();
    ASSERT_NE(properties, nullptr);
    Type(properties->Increments(), "0");  // below the least count of increments
    QTest::keyClick(properties->Increments(), Qt::Key_Escape);
    EXPECT_TRUE(form->DialogOpen(TMainForm::InputDialog::Prop));
    Type(properties->Increments(), "40");
    QTest::keyClick(properties->Increments(), Qt::Key_Escape);
    EXPECT_FALSE(form->DialogOpen(TMainForm::InputDialog::Prop));
    EXPECT_EQ(form->Document().Wall().NodeCount, 40);
}

// A new wall switched to SI shows round SI controls, and back again the English ones.
TEST_F(UsabilityTest, SiWallsGetRoundSiDefaults)
{
    act().UnitSystem[1]->trigger();
    act().WallProperties->trigger();
    auto* properties = ActiveDialog<TDlgProp>();
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(properties->MaximumDeflection()->text(), "2.5");
    EXPECT_EQ(properties->ClosureTolerance()->text(), "1E-7");
    Type(properties->Increments(), "40");  // a new wall has none, which no dialog accepts
    act().UnitSystem[0]->trigger();
    EXPECT_EQ(prompt.shown, std::vector<std::string>());
    EXPECT_EQ(properties->MaximumDeflection()->text(), "100");
    EXPECT_EQ(properties->ClosureTolerance()->text(), "1E-5");
}

// A new wall has no water table, and Wall Configuration says so beside the depths.
TEST_F(UsabilityTest, NewWallHasNoWaterTableAndTheDialogSaysSo)
{
    act().New->trigger();
    form->Document().Wall().NodeCount = 40;
    form->Document().Wall().IncrementLength = 6;  // a wall of 20 ft
    act().WallConfiguration->trigger();
    auto* csd = ActiveDialog<TdlgCSD>();
    ASSERT_NE(csd, nullptr);
    EXPECT_EQ(csd->BackfillWaterDepth()->text(), "1000");  // ft
    EXPECT_EQ(csd->WaterNoteBackfill()->text(), "no water table (below the wall tip)");
    EXPECT_EQ(csd->WaterNoteExcavation()->text(), "no water table (below the wall tip)");
    csd->BackfillWaterDepth()->clear();
    QTest::keyClicks(csd->BackfillWaterDepth(), "-2");
    EXPECT_EQ(csd->WaterNoteBackfill()->text(), "above the ground surface");
    Type(csd->ExcavationWaterDepth(), "12");
    EXPECT_EQ(csd->WaterNoteExcavation()->text(), "");
    EXPECT_EQ(AccessibleName(csd->WaterNoteBackfill()), "above the ground surface");
    // In SI units the depth of no water table is a round one too.
    Type(csd->ExcavationWaterDepth(), "1000");
    act().UnitSystem[1]->trigger();
    EXPECT_EQ(csd->ExcavationWaterDepth()->text(), "300");
}

// The side view follows an edit of Wall Properties when it is activated
// straight from the dialog.
TEST_F(UsabilityTest, SideViewFollowsTheEditOfTheWindowItWasActivatedFrom)
{
    act().WallProperties->trigger();
    auto* properties = ActiveDialog<TDlgProp>();
    ASSERT_NE(properties, nullptr);
    QMdiSubWindow* dialog = Active();
    Type(properties->Increments(), "40");
    Type(properties->IncrementLength(), "6");
    form->ViewGeometryAction()->trigger();
    QCoreApplication::processEvents();
    TDlgSideView* view = TDlgSideView::Find(*form->MdiArea());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Scene().WallLength, 240);

    form->MdiArea()->setActiveSubWindow(dialog);
    Type(properties->Increments(), "50");
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(view->width() / 2, view->height() / 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(Active()->widget(), view);
    EXPECT_EQ(form->Document().Wall().NodeCount, 50);
    EXPECT_EQ(view->Scene().WallLength, 300);
}

// Screen readers read the stage text of the status bar itself.
TEST_F(UsabilityTest, StatusBarStageTextIsWhatScreenReadersRead)
{
    QTemporaryDir dir;
    const QString wall = dir.filePath("staged.tk4d");
    QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d", wall);
    form->OpenFileName(wall.toStdString(), false);
    const QString text = form->StatusText();
    ASSERT_EQ(text, "Construction Stage Number: 1");
    QLabel* label = nullptr;
    for (QLabel* l : form->statusBar()->findChildren<QLabel*>())
        if (l->text() == text)
            label = l;
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(AccessibleName(label), text);
}

// A staged wall analysed in a folder of the test's own.
class UsabilityRunTest : public UsabilityTest {
protected:
    void Analyse(const char* example)
    {
        const QString wall = dir.filePath(example);
        QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/" + example, wall);
        form->OpenFileName(wall.toStdString(), false);
        form->SetEngineDirectory(TORVIK_BIN_DIR);
        form->RunAnalysis();
        ASSERT_TRUE(form->ResultsLoaded());
        prompt.shown.clear();
    }
    QTemporaryDir dir;
};

// After Run Analysis the message says, after the completed text, whether
// every stage converged and in how many iterations.
TEST_F(UsabilityRunTest, RunMessageSaysWhetherEveryStageConverged)
{
    const QString wall = dir.filePath("staged.tk4d");
    QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d", wall);
    form->OpenFileName(wall.toStdString(), false);
    form->SetEngineDirectory(TORVIK_BIN_DIR);
    act().Run->trigger();
    ASSERT_EQ(prompt.shown.size(), 1u);
    const std::string& message = prompt.shown[0];
    EXPECT_EQ(message.rfind(CompletedMessage, 0), 0u) << message;
    const size_t summary = message.find("\rEvery analysis converged:\rStage 1 of 3: converged. Converged in ");
    ASSERT_NE(summary, std::string::npos) << message;
    EXPECT_NE(message.find("\rStage 3 of 3: converged. Converged in ", summary), std::string::npos) << message;
}

// Save Report and Save Results as CSV say in the status bar what they wrote
// and offer to open it.
TEST_F(UsabilityRunTest, WrittenReportAndCsvAreAnnouncedAndOfferedToOpen)
{
    Analyse("cantilever-sand.tk4d");
    const std::string report = dir.filePath("report.pdf").toStdString();
    prompt.fileNames.push_back(report);
    act().SaveReport->trigger();
    EXPECT_EQ(form->StatusMessage().toStdString(), "The report was written to " + report);
    ASSERT_EQ(prompt.shown.size(), 2u);  // the file dialog, then the question
    EXPECT_EQ(prompt.shown[1], "The report was written to " + report + ". Do you want to open the file now?");

    const std::string csv = dir.filePath("results.csv").toStdString();
    prompt.fileNames.push_back(dir.filePath("results").toStdString());
    act().SaveResultsCsv->trigger();
    EXPECT_EQ(form->StatusMessage().toStdString(), "The results were written to " + csv);
    EXPECT_EQ(prompt.shown.back(), "The results were written to " + csv + ". Do you want to open the file now?");
}

// Every legend names the stages, the earth-pressure graph's too, and the
// moment axis has one label in every graph.
TEST_F(UsabilityRunTest, LegendsNameTheStagesAndMomentHasOneLabel)
{
    Analyse("three-stage-excavation.tk4d");
    TResultGraphs& g = form->Graphs();
    ASSERT_EQ(g.EarthPressure.LineCount(), 3);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(g.EarthPressure.Lines(k).GetName(), "Stage: " + std::to_string(k + 1));
    act().StageEnvelope->trigger();
    TPlotForm* envelope = nullptr;
    for (QMdiSubWindow* w : form->MdiArea()->subWindowList())
        if (TPlotForm* f = TPlotForm::Of(w))
            envelope = f;
    ASSERT_NE(envelope, nullptr);
    EXPECT_EQ(envelope->Graph().XCaption2, g.Moment.XCaption);
    EXPECT_EQ(g.DeflectionMomentShear.XCaption2, g.Moment.XCaption);
}

// Results older than the data file are marked alike in every result window
// (title and legend), and the envelope, the report and the CSV take them alike.
TEST_F(UsabilityRunTest, OlderResultsAreMarkedAlikeEverywhere)
{
    Analyse("three-stage-excavation.tk4d");
    act().Graph[0]->trigger();
    TPlotForm* graph = TPlotForm::Of(Active());
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->windowTitle().indexOf("older"), -1);

    // The data file is changed and saved after the analysis.
    act().Title->trigger();
    auto* title = ActiveDialog<TdlgTitle>();
    ASSERT_NE(title, nullptr);
    Type(title->TitleMemo(), "Changed after the run");
    QTest::keyClick(title->TitleMemo(), Qt::Key_Return);
    act().Save->trigger();
    prompt.shown.clear();
    const QString note = "results older than the data file";
    EXPECT_TRUE(graph->windowTitle().endsWith("(" + note + ")")) << graph->windowTitle().toStdString();
    QListWidget* legend = graph->Legend();
    ASSERT_GT(legend->count(), 0);
    EXPECT_EQ(legend->item(legend->count() - 1)->text(), "(" + note + ")");
    // The legend's other mark is explained where the pointer and screen readers find it.
    EXPECT_TRUE(legend->toolTip().startsWith("* marks a curve that is drawn"));
    EXPECT_EQ(legend->accessibleDescription(), legend->toolTip());

    act().StageEnvelope->trigger();
    TPlotForm* envelope = TPlotForm::Of(Active());
    ASSERT_NE(envelope, nullptr);
    EXPECT_EQ(envelope->Graph().Caption, "Stage Envelope");
    EXPECT_TRUE(envelope->windowTitle().endsWith("(" + note + ")")) << envelope->windowTitle().toStdString();

    const std::string csv = dir.filePath("older.csv").toStdString();
    prompt.fileNames.push_back(csv);
    act().SaveResultsCsv->trigger();
    EXPECT_EQ(form->StatusMessage().toStdString(),
              "The results (" + note.toStdString() + ") were written to " + csv);
    // The stage text stays in view beside the message.
    for (QLabel* l : form->statusBar()->findChildren<QLabel*>()) {
        if (l->text() == form->StatusText()) {
            EXPECT_TRUE(l->isVisible());
        }
    }
    const std::string report = dir.filePath("older.pdf").toStdString();
    prompt.fileNames.push_back(report);
    act().SaveReport->trigger();
    EXPECT_EQ(form->StatusMessage().toStdString(),
              "The report (" + note.toStdString() + ") was written to " + report);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(report)));
}

}  // namespace

namespace {

// A new wall holds a value its dialog accepts in every field, so File > New
// goes on without a word; an entry the user typed and the field refused does
// not hold New up either: it is one more change, saved or given up.
TEST_F(UsabilityTest, ANewWallIsValidAndNewIsNeverHeldUpByItsFields)
{
    form->ShowStartingWindows();  // as the program starts without a file
    auto* properties = ActiveDialog<TDlgProp>();
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(properties->Increments()->text(), "100");
    EXPECT_EQ(properties->IncrementLength()->text(), "3.6");
    EXPECT_EQ(properties->FreeHeight()->text(), "10");
    // The focus in a field as loaded: leaving the wall checks nothing.
    properties->Increments()->setFocus();
    act().New->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(prompt.shown, std::vector<std::string>());
    properties = ActiveDialog<TDlgProp>();
    ASSERT_NE(properties, nullptr);

    act().WallConfiguration->trigger();
    auto* configuration = ActiveDialog<TdlgCSD>();
    ASSERT_NE(configuration, nullptr);
    EXPECT_EQ(configuration->ActiveWidth()->text(), "12");
    EXPECT_EQ(configuration->PyWidth()->text(), "12");
    // In SI the starting wall takes round SI values, not converted ones.
    act().UnitSystem[1]->trigger();
    EXPECT_EQ(configuration->ActiveWidth()->text(), "1");
    EXPECT_EQ(form->Document().Wall().WallHeight, 3);
    EXPECT_EQ(form->Document().Wall().IncrementLength, 0.1L);

    // A refused entry: its field says so once, by name; New asks about the
    // changes, and No gives them up.
    act().WallProperties->trigger();
    properties = ActiveDialog<TDlgProp>();
    ASSERT_NE(properties, nullptr);
    prompt.shown.clear();
    Type(properties->Increments(), "0");
    prompt.answers.push_back(Prompt::Answer::No);
    act().New->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(prompt.shown, std::vector<std::string>({"Increments (nodes): Entry must be greater than or equal to 1",
                                                      "Do you want to save any changes?"}));
    EXPECT_EQ(form->Document().Wall().UnitSystem(), UnitSystem::English);
    EXPECT_EQ(form->Document().Wall().NodeCount, 100);
    EXPECT_FALSE(form->IsModified());
}

}  // namespace
