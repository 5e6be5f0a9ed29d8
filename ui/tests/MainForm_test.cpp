#include "ui/MainForm.h"

#include "graph/widgets/PlotForm.h"
#include "graph/widgets/tests/GuiTestSupport.h"
#include "model/ProgramData.h"
#include "run/AnalysisRun.h"
#include "units/ScriptedPrompt.h"

#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const std::string DataDir = TORVIK_TEST_DATA_DIR;
const std::string Wall = DataDir + "/cantilever.tk4d";

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApplication();
        saved = QDir::currentPath();
        form = std::make_unique<TMainForm>(&prompt);
        form->show();
    }
    void TearDown() override
    {
        form.reset();
        QDir::setCurrent(saved);
    }

    // The titles of the menu bar's menus, in order.
    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction* a : form->menuBar()->actions())
            titles << a->text();
        return titles;
    }

    QString saved;
    ScriptedPrompt prompt;
    std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormTest, OpenReadsTheWallAndItsResults)
{
    prompt.fileNames.push_back(Wall);
    for (QAction* a : form->menuBar()->actions().first()->menu()->actions())
        if (a->text() == "&Open...")
            a->trigger();
    EXPECT_EQ(form->windowTitle(), "TORVIK 2013.4.6 - Cantilever.tk4d");
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[1], "Data file: Cantilever.tk4d, has been read by TORVIK 2013");
    EXPECT_TRUE(form->ResultsLoaded());
    EXPECT_EQ(form->Graphs().pltDef.LineCount(), 3);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(form->GraphAction(i)->isEnabled()) << i;
}

TEST_F(MainFormTest, WithoutResultsTheGraphicsCommandsAreDisabled)
{
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(form->GraphAction(i)->isEnabled()) << i;
    EXPECT_EQ(form->windowTitle(), "TORVIK 2013.4.6 - NewWall.tk4d");
}

TEST_F(MainFormTest, StartupNameWithoutExtensionOpensTheDataFile)
{
    form->OpenStartupFile(DataDir + "/cantilever");
    EXPECT_EQ(form->windowTitle(), "TORVIK 2013.4.6 - Cantilever.tk4d");
    EXPECT_TRUE(prompt.shown.empty());
    form->OpenStartupFile(DataDir + "/missing");
    EXPECT_EQ(form->windowTitle(), "TORVIK 2013.4.6 - Cantilever.tk4d");
}

TEST_F(MainFormTest, ActiveGraphWindowShowsItsPlotMenuBeforeWindow)
{
    form->OpenFileName(Wall, false);
    EXPECT_EQ(MenuTitles(),
              QStringList({"&File", "Da&ta", "&Options", "&Computation", "&Graphics", "&Window", "&Help"}));
    form->GraphAction(1)->trigger();
    TPlotForm* deflection = TPlotForm::Of(form->MdiArea()->activeSubWindow());
    ASSERT_NE(deflection, nullptr);
    EXPECT_EQ(&deflection->Graph(), &form->Graphs().pltDef);
    EXPECT_EQ(form->MergedMenu(), deflection->PlotMenu());
    EXPECT_EQ(MenuTitles(), QStringList({"&File", "Da&ta", "&Options", "&Computation", "&Graphics", "&Plot", "&Window",
                                         "&Help"}));

    form->GraphAction(2)->trigger();
    TPlotForm* moment = TPlotForm::Of(form->MdiArea()->activeSubWindow());
    ASSERT_NE(moment, nullptr);
    EXPECT_EQ(form->MergedMenu(), moment->PlotMenu());
    EXPECT_EQ(MenuTitles().count("&Plot"), 1);

    form->MdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->MergedMenu(), nullptr);
    EXPECT_EQ(MenuTitles(),
              QStringList({"&File", "Da&ta", "&Options", "&Computation", "&Graphics", "&Window", "&Help"}));
}

TEST_F(MainFormTest, ClosingAGraphWindowLetsTheNextCommandBuildAFreshOne)
{
    form->OpenFileName(Wall, false);
    TGraphPlot& graph = form->Graphs().pltDef;
    form->GraphAction(1)->trigger();
    ASSERT_TRUE(graph.HasPlotForm());
    form->GraphAction(1)->trigger();
    EXPECT_EQ(form->MdiArea()->subWindowList().size(), 1);
    form->MdiArea()->activeSubWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(graph.HasPlotForm());
    EXPECT_TRUE(form->MdiArea()->subWindowList().isEmpty());
    form->GraphAction(1)->trigger();
    EXPECT_TRUE(graph.HasPlotForm());
    EXPECT_EQ(form->MdiArea()->subWindowList().size(), 1);
}

struct DisplayCase {
    const char* path;
    const char* shown;
};

class DisplayFileNameTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayFileNameTest, ShowsTheNameAsTheTitleBarDoes)
{
    EXPECT_EQ(TMainForm::DisplayFileName(GetParam().path), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Names, DisplayFileNameTest,
                         ::testing::Values(DisplayCase{"c:\\walls\\wall1.tk4d", "Wall1.tk4d"},
                                           DisplayCase{"c:\\walls\\old.wall.tkd", "Old"},
                                           DisplayCase{"/home/eng/walls/pier.TKD", "Pier"},
                                           DisplayCase{"/home/eng/w.tk4d", "W.tk4d"},
                                           DisplayCase{"x", "x"}));

}  // namespace

namespace {

class MainFormRunTest : public MainFormTest {
protected:
    // A copy of an example wall in a fresh directory, so the run's files land there.
    std::string CopyExample(const char* name)
    {
        const QString target = dir.filePath(name);
        QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/" + name, target);
        return target.toStdString();
    }
    QTemporaryDir dir;
};

TEST_F(MainFormRunTest, RunAnalysisReadsTheNewResults)
{
    const std::string wall = CopyExample("cantilever-sand.tk4d");
    form->OpenFileName(wall, false);
    ASSERT_FALSE(form->ResultsLoaded());
    form->SetEngineDirectory(TORVIK_BIN_DIR);
    form->RunAnalysis();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], CompletedMessage);
    EXPECT_TRUE(form->ResultsLoaded());
    EXPECT_TRUE(QFile::exists(dir.filePath("cantilever-sand.tk4p")));
    EXPECT_GE(form->Graphs().pltDef.PointCount(), 2);
    EXPECT_TRUE(form->GraphAction(5)->isEnabled());
}

TEST_F(MainFormRunTest, RunOfANeverSavedWallStopsWhenSaveAsIsCancelled)
{
    form->SetEngineDirectory(TORVIK_BIN_DIR);
    form->RunAnalysis();
    EXPECT_EQ(prompt.shown, std::vector<std::string>({"Save NewWall.tk4d As"}));
    EXPECT_FALSE(form->ResultsLoaded());
}

}  // namespace

namespace {

TEST_F(MainFormTest, ClosingWithChangesAndCancelKeepsTheWindowOpen)
{
    form->SetModified(true);
    prompt.answers.push_back(Prompt::Answer::Cancel);
    EXPECT_FALSE(form->close());
    EXPECT_EQ(prompt.shown, std::vector<std::string>({"Do you want to save any changes?"}));
    // Yes on a never-saved wall, then cancelling the Save As dialog, keeps it open too.
    prompt.answers.push_back(Prompt::Answer::Yes);
    EXPECT_FALSE(form->close());
    EXPECT_EQ(prompt.shown.back(), "Save NewWall.tk4d As");
    prompt.answers.push_back(Prompt::Answer::No);
    EXPECT_TRUE(form->close());
}

}  // namespace

namespace {

TEST_F(MainFormRunTest, StagedWallRunsEveryStage)
{
    const std::string wall = CopyExample("three-stage-excavation.tk4d");
    form->OpenFileName(wall, false);
    EXPECT_EQ(form->StatusText(), "Construction Stage Number: 1");
    form->SetEngineDirectory(TORVIK_BIN_DIR);
    form->RunAnalysis();
    EXPECT_EQ(prompt.shown, std::vector<std::string>({CompletedMessage}));
    ASSERT_TRUE(form->ResultsLoaded());
    EXPECT_EQ(form->Graphs().pltDef.LineCount(), 3);
    EXPECT_EQ(form->Graphs().pltDef.Lines(2).GetName(), "Stage: 3");
}

}  // namespace
