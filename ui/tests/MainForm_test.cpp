#include "ui/MainForm.h"
#include "ui/tests/MainWindowTest.h"

#include "TorvikVersion.h"

#include "graph/GraphGeometry.h"
#include "graph/widgets/PlotForm.h"
#include "graph/widgets/tests/GuiTestSupport.h"
#include "model/ProgramData.h"
#include "run/AnalysisRun.h"
#include "tables/GridTable.h"
#include "ui/MainMenus.h"
#include "ui/rules/DocumentNames.h"
#include "units/ScriptedPrompt.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include <gtest/gtest.h>

namespace {

// The main window's title for a file name: the program's name and release, then the name.
QString TitleOf(const std::string& name)
{
    return QString::fromStdString(std::string(ProgramNameAndRelease) + " - " + name);
}

const std::string DataDir = TORVIK_TEST_DATA_DIR;
const std::string Wall = DataDir + "/cantilever.tk4d";

class MainFormTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        form->show();
    }

    // The titles of the menu bar's menus shown, in order.
    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction* a : form->menuBar()->actions())
            if (a->isVisible())
                titles << a->text();
        return titles;
    }
};

TEST_F(MainFormTest, OpenReadsTheWallAndItsResults)
{
    prompt.fileNames.push_back(Wall);
    for (QAction* a : form->menuBar()->actions().first()->menu()->actions())
        if (a->text() == "&Open...")
            a->trigger();
    EXPECT_EQ(form->windowTitle(), TitleOf("Cantilever.tk4d"));
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[1], "Data file: Cantilever.tk4d, has been read by TORVIK 2013");
    EXPECT_TRUE(form->ResultsLoaded());
    EXPECT_EQ(form->Graphs().Deflection.LineCount(), 3);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(form->GraphAction(i)->isEnabled()) << i;
}

TEST_F(MainFormTest, WithoutResultsTheGraphicsCommandsAreDisabled)
{
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(form->GraphAction(i)->isEnabled()) << i;
    EXPECT_EQ(form->windowTitle(), TitleOf(TProgramData::UntitledFileName()));
}

TEST_F(MainFormTest, StartupNameWithoutExtensionOpensTheDataFile)
{
    form->OpenStartupFile(DataDir + "/cantilever");
    EXPECT_EQ(form->windowTitle(), TitleOf("Cantilever.tk4d"));
    EXPECT_TRUE(prompt.shown.empty());
    form->OpenStartupFile(DataDir + "/missing");
    EXPECT_EQ(form->windowTitle(), TitleOf("Cantilever.tk4d"));
}

TEST_F(MainFormTest, ActiveGraphWindowShowsItsPlotMenuBeforeWindow)
{
    form->OpenFileName(Wall, false);
    EXPECT_EQ(MenuTitles(),
              QStringList({"&File", "&Edit", "Da&ta", "&Options", "&Computation", "&Graphics", "&Window", "&Help"}));
    form->GraphAction(1)->trigger();
    TPlotForm* deflection = TPlotForm::Of(form->MdiArea()->activeSubWindow());
    ASSERT_NE(deflection, nullptr);
    EXPECT_EQ(&deflection->Graph(), &form->Graphs().Deflection);
    EXPECT_EQ(form->MergedMenu(), deflection->PlotMenu());
    // Ctrl+Z is the graph window's: Undo gives its key up meanwhile.
    EXPECT_TRUE(form->Actions().Undo->shortcuts().isEmpty());
    EXPECT_EQ(MenuTitles(), QStringList({"&File", "&Edit", "Da&ta", "&Options", "&Computation", "&Graphics", "&Plot", "&Window",
                                         "&Help"}));

    form->GraphAction(2)->trigger();
    TPlotForm* moment = TPlotForm::Of(form->MdiArea()->activeSubWindow());
    ASSERT_NE(moment, nullptr);
    EXPECT_EQ(form->MergedMenu(), moment->PlotMenu());
    EXPECT_EQ(MenuTitles().count("&Plot"), 1);

    form->MdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->MergedMenu(), nullptr);
    EXPECT_EQ(form->Actions().Undo->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_EQ(MenuTitles(),
              QStringList({"&File", "&Edit", "Da&ta", "&Options", "&Computation", "&Graphics", "&Window", "&Help"}));
}

TEST_F(MainFormTest, ClosingAGraphWindowLetsTheNextCommandBuildAFreshOne)
{
    form->OpenFileName(Wall, false);
    TGraphPlot& graph = form->Graphs().Deflection;
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
    EXPECT_EQ(DisplayFileName(GetParam().path), GetParam().shown);
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
    const std::string base = dir.filePath("cantilever-sand").toStdString();
    const std::string written = std::string(CompletedMessage) + "\rWritten: " + base + ".tk4o, " + base + ".tk4p, " +
                                base + ".tk4r.";
    EXPECT_EQ(prompt.shown[0].substr(0, written.size()), written);
    // Then whether the analysis converged, and in how many iterations.
    EXPECT_EQ(prompt.shown[0].substr(written.size()).rfind("\rEvery analysis converged:\rAnalysis: converged. Converged in ", 0),
              0u)
        << prompt.shown[0];
    EXPECT_TRUE(form->ResultsLoaded());
    EXPECT_TRUE(QFile::exists(dir.filePath("cantilever-sand.tk4p")));
    EXPECT_GE(form->Graphs().Deflection.PointCount(), 2);
    EXPECT_TRUE(form->GraphAction(5)->isEnabled());
}

TEST_F(MainFormRunTest, RunOfANeverSavedWallStopsWhenSaveAsIsCancelled)
{
    form->SetEngineDirectory(TORVIK_BIN_DIR);
    form->RunAnalysis();
    EXPECT_EQ(prompt.shown, std::vector<std::string>({"Save " + TProgramData::UntitledFileName() + " As"}));
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
    EXPECT_EQ(prompt.shown.back(), "Save " + TProgramData::UntitledFileName() + " As");
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
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].rfind(CompletedMessage, 0), 0u) << prompt.shown[0];
    ASSERT_TRUE(form->ResultsLoaded());
    EXPECT_EQ(form->Graphs().Deflection.LineCount(), 3);
    EXPECT_EQ(form->Graphs().Deflection.Lines(2).GetName(), "Stage: 3");
}

}  // namespace

namespace {

// The main window's commands as a user meets them, on copies of walls in a folder of the test's own.
class MainCommandsTest : public MainFormRunTest {
protected:
    const TMainActions& act() const { return form->Actions(); }
    std::string Copy(const std::string& from, const QString& name)
    {
        QFile::copy(QString::fromStdString(from), dir.filePath(name));
        return dir.filePath(name).toStdString();
    }
    static void Open(QMenu* menu) { emit menu->aboutToShow(); }
    std::vector<bool> GraphMenuEnabled()
    {
        Open(act().Graphics);
        std::vector<bool> enabled;
        for (QAction* a : act().Graph)
            enabled.push_back(a->isEnabled());
        return enabled;
    }
};

TEST_F(MainCommandsTest, RecentFilesKeepTheTenLastListedFromTheWorkingDirectory)
{
    std::vector<std::string> walls;
    for (int i = 1; i <= 11; ++i)
        walls.push_back(Copy(Wall, QString("w%1.tk4d").arg(i)));
    for (const std::string& w : walls)
        form->OpenFileName(w, true);
    EXPECT_EQ(prompt.shown.back(), "Data file: W11.tk4d, has been read by TORVIK 2013");
    // The eleventh drops the first; opening the newest again changes nothing.
    form->OpenFileName(walls[10], true);
    EXPECT_EQ(form->RecentFiles().Entry(1), walls[10]);
    EXPECT_EQ(form->RecentFiles().Entry(10), walls[1]);
    EXPECT_EQ(QSettings("Orvane", "TORVIK").value(QString(ProgramRelease) + "/File10").toString().toStdString(), walls[1]);

    Open(act().File);
    EXPECT_EQ(act().Recent[0]->text(), "1 w11.tk4d");  // in the working directory: its bare name
    EXPECT_TRUE(act().Recent[9]->isVisible());
    EXPECT_TRUE(act().RecentSeparator->isVisible());
    // Choosing entry 10 opens it and puts it first.
    act().Recent[9]->trigger();
    EXPECT_EQ(form->windowTitle(), TitleOf("W2.tk4d"));
    EXPECT_EQ(form->RecentFiles().Entry(1), walls[1]);
    EXPECT_EQ(form->RecentFiles().Entry(2), walls[10]);
}

TEST_F(MainCommandsTest, OpenTakesTheFormatOfTheChosenFilterAndAllFilesByExtension)
{
    prompt.fileNames.push_back(Wall);
    prompt.filterIndexes.push_back(4);
    act().Open->trigger();
    EXPECT_EQ(prompt.shown.back(), "Data file: Cantilever.tk4d, has been read by TORVIK 2013");
    // A file that ends early is read only in part, and the message says so.
    QFile whole(QString::fromStdString(Wall));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile cut(dir.filePath("cut.tk4d"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.readAll().left(static_cast<int>(whole.size() / 3)));
    cut.close();
    prompt.fileNames.push_back(cut.fileName().toStdString());
    prompt.filterIndexes.push_back(1);
    act().Open->trigger();
    EXPECT_EQ(prompt.shown.back(),
              "Data file: Cut.tk4d, has been read only in part. Please check its values before running the "
              "analysis.");
}

TEST_F(MainCommandsTest, SaveOfAnOlderLayoutFileProposesTheCurrentExtension)
{
    form->OpenFileName(Copy(Wall, "old.tk4d"), false);
    form->Document().Wall().FileName = dir.filePath("old.tkd").toStdString();
    prompt.fileNames.push_back(dir.filePath("new.tk4d").toStdString());
    act().Save->trigger();
    EXPECT_EQ(prompt.shown.back(), "Save Old.tk4d As");
    EXPECT_EQ(form->windowTitle(), TitleOf("New.tk4d"));
    EXPECT_TRUE(QFile::exists(dir.filePath("new.tk4d")));
    EXPECT_EQ(form->RecentFiles().Entry(1), dir.filePath("new.tk4d").toStdString());
}

TEST_F(MainCommandsTest, NewWithChangesAndCancelKeepsTheWall)
{
    form->OpenFileName(Copy(Wall, "a.tk4d"), false);
    form->SetModified(true);
    prompt.answers.push_back(Prompt::Answer::Cancel);
    act().New->trigger();
    EXPECT_EQ(form->windowTitle(), TitleOf("A.tk4d"));
    prompt.answers.push_back(Prompt::Answer::No);
    act().New->trigger();
    EXPECT_EQ(form->windowTitle(), TitleOf(TProgramData::UntitledFileName()));
    EXPECT_FALSE(form->IsModified());
}

TEST_F(MainCommandsTest, SwitchingAnOptionOffClosesItsTablesEditor)
{
    QAction* modifiers = act().Toggles.at(TOption::PyModifiers);
    modifiers->trigger();
    EXPECT_TRUE(form->Document().Wall().UsePyModifiers);
    Open(act().Data);
    ASSERT_TRUE(act().ModificationFactors->isEnabled());
    act().ModificationFactors->trigger();
    TGridTable& table = form->Tables()[WallTable::PYMod];
    ASSERT_TRUE(table.EditorOpen());
    act().Toggles.at(TOption::Restraints)->trigger();  // switching another one on closes nothing
    EXPECT_TRUE(table.EditorOpen());
    modifiers->trigger();
    EXPECT_FALSE(table.EditorOpen());
    Open(act().Data);
    EXPECT_FALSE(act().ModificationFactors->isEnabled());
    // The long-term switch shows the short- and long-term entries and withdraws staged construction.
    act().Toggles.at(TOption::LongTermAnalysis)->trigger();
    EXPECT_FALSE(act().SoilLayerData->isVisible());
    EXPECT_TRUE(act().SoilLayerMenu->menuAction()->isVisible());
    EXPECT_FALSE(act().StageOptionsButton->isEnabled());
    Open(act().Options);
    EXPECT_FALSE(act().StagedConstruction->isEnabled());
}

// Opening a menu shows the wall's choices and changes none of them: a new wall
// (without earth pressure) shows the first entry checked and stays without.
TEST_F(MainCommandsTest, OpeningTheOptionsMenuLeavesTheWallAsItIs)
{
    act().New->trigger();
    TProgramData& wall = form->Document().Wall();
    ASSERT_EQ(wall.EarthPressureKind, TEarthPressure::None);
    //wall.LongTermAnalysis = true;  // as a wall read with its long-term block
    const std::string text = wall.DataFileText();
    EXPECT_FALSE(form->Document().History().CanUndo()) << "before";
    Open(act().Options);
    Open(act().EarthPressure);
    EXPECT_TRUE(act().EarthPressureKind[0]->isChecked());
    EXPECT_EQ(wall.EarthPressureKind, TEarthPressure::None);
    EXPECT_FALSE(form->IsModified());
    EXPECT_FALSE(form->Document().History().CanUndo()) << form->Document().History().UndoText();
    EXPECT_FALSE(act().Undo->isEnabled());
    EXPECT_EQ(wall.DataFileText(), text);
}

TEST_F(MainCommandsTest, GraphsAreWithdrawnWhenThePlotDataFileIsDeleted)
{
    const std::string wall = Copy(Wall, "c.tk4d");
    Copy(DataDir + "/cantilever.tk4p", "c.tk4p");
    form->OpenFileName(wall, false);
    EXPECT_EQ(GraphMenuEnabled(), std::vector<bool>(8, true));
    // Deleting the plot data file withdraws every graph the next time the menu opens.
    QFile::remove(dir.filePath("c.tk4p"));
    EXPECT_EQ(GraphMenuEnabled(), std::vector<bool>(8, false));
}

TEST_F(MainCommandsTest, AResultFileWithoutPyCurvesOffersEveryGraphButThem)
{
    const std::string wall = Copy(Wall, "n.tk4d");
    Copy(DataDir + "/no-py-curves.tk4p", "n.tk4p");
    form->OpenFileName(wall, false);
    ASSERT_TRUE(form->ResultsLoaded());
    EXPECT_FALSE(act().GraphButton[0]->isEnabled());
    for (int i = 1; i < 7; ++i)
        EXPECT_TRUE(act().GraphButton[i]->isEnabled()) << i;
    std::vector<bool> expected(8, true);
    expected[0] = false;
    EXPECT_EQ(GraphMenuEnabled(), expected);
}

TEST_F(MainCommandsTest, SwitchingStagesKeepsTheModifiedState)
{
    form->OpenFileName(CopyExample("three-stage-excavation.tk4d"), false);
    EXPECT_TRUE(act().Stage->menuAction()->isVisible());
    EXPECT_TRUE(act().StageButton[2]->isVisible());
    EXPECT_TRUE(act().StageButton[0]->isChecked());
    for (bool modified : {false, true}) {
        form->SetModified(modified);
        act().StageButton[1]->trigger();
        EXPECT_EQ(form->StatusText(), "Construction Stage Number: 2");
        EXPECT_TRUE(act().StageButton[1]->isChecked());
        act().StageEntry[0]->trigger();
        EXPECT_EQ(form->StatusText(), "Construction Stage Number: 1");
        EXPECT_EQ(form->IsModified(), modified);
    }
    // Copy Previous Stage asks first; No copies nothing.
    act().StageButton[2]->trigger();
    Open(act().Stage);
    ASSERT_TRUE(act().CopyPreviousStage->isEnabled());
    act().CopyPreviousStage->trigger();
    EXPECT_EQ(prompt.shown.back(), "Do you want to copy all information from Stage 2 to Stage 3");
}

TEST_F(MainCommandsTest, OpenGraphWindowsShowTheNewResultsAndCloseWithTheirWall)
{
    form->OpenFileName(CopyExample("cantilever-sand.tk4d"), false);
    form->SetEngineDirectory(TORVIK_BIN_DIR);
    form->RunAnalysis();
    // The combined earth-pressure graph has no caption of its own: its window,
    // its name for screen readers and its Window entry still say which graph it is.
    act().Graph[7]->trigger();
    TPlotForm* combined = TPlotForm::Of(form->MdiArea()->activeSubWindow());
    ASSERT_NE(combined, nullptr);
    EXPECT_EQ(combined->windowTitle(), "Earth Pressure Combined - PlotForm");
    EXPECT_EQ(combined->accessibleName(), "Earth Pressure Combined");
    Open(act().Window);
    EXPECT_EQ(act().WindowEntry[0]->text(), "Earth Pressure Combined");
    form->MdiArea()->activeSubWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    act().Graph[1]->trigger();
    TPlotForm* window = TPlotForm::Of(form->MdiArea()->activeSubWindow());
    ASSERT_NE(window, nullptr);
    Open(act().Window);  // graph windows are listed by their graphs' names, the active one checked
    EXPECT_EQ(act().WindowEntry[0]->text(), "Deflection vs Depth");
    EXPECT_TRUE(act().WindowEntry[0]->isChecked());
    EXPECT_FALSE(act().WindowEntry[1]->isVisible());
    const long double before = window->FullRanges().Panel[0].X.Max;
    // Metres instead of inches: the same wall deflects by other numbers.
    act().UnitSystem[1]->trigger();
    form->RunAnalysis();
    ASSERT_EQ(TPlotForm::Of(form->MdiArea()->activeSubWindow()), window);
    EXPECT_NE(window->FullRanges().Panel[0].X.Max, before);
    EXPECT_EQ(window->FullRanges().Panel[0].X.Max, GraphRanges(form->Graphs().Deflection)->Panel[0].X.Max);

    // A run that writes no results closes the graphs and says so.
    form->Document().Wall().NodeCount = 0;
    form->RunAnalysis();
    // The usual text, the engine's reason from the run notes, then the files written.
    const std::string& message = prompt.shown.back();
    EXPECT_EQ(message.rfind("The analysis wrote no results. The output text and the run notes tell why.\r"
                            "Analysis: invalid input. ",
                            0),
              0u)
        << message;
    const std::string written = "\rWritten: " + dir.filePath("cantilever-sand.tk4o").toStdString() + ", " +
                                dir.filePath("cantilever-sand.tk4r").toStdString() + ".";
    EXPECT_EQ(message.substr(message.size() - std::min(message.size(), written.size())), written);
    EXPECT_FALSE(form->ResultsLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(form->Graphs().Deflection.HasPlotForm());
    EXPECT_EQ(GraphMenuEnabled(), std::vector<bool>(8, false));

    // Another wall closes the graph windows of this one.
    form->OpenFileName(Copy(Wall, "other.tk4d"), false);
    Copy(DataDir + "/cantilever.tk4p", "other.tk4p");
    form->OpenFileName(dir.filePath("other.tk4d").toStdString(), false);
    act().Graph[2]->trigger();
    ASSERT_TRUE(form->Graphs().Moment.HasPlotForm());
    form->OpenFileName(CopyExample("cantilever-sand.tk4d"), false);
    EXPECT_FALSE(form->Graphs().Moment.HasPlotForm());
}

TEST_F(MainCommandsTest, HelpTextEditorAndUpdateCommandsSayWhatWentWrong)
{
    form->SetDocumentDirectory(dir.path().toStdString());
    act().UsersManual->trigger();
    EXPECT_EQ(prompt.shown.back(),
              "The document " + dir.path().toStdString() + "/TORVIK 2013 Users Manual.pdf was not found.");
    form->OpenFileName(Copy(Wall, "t.tk4d"), false);
    form->SetTextEditor(dir.filePath("no-such-editor"));
    act().EditInputText->trigger();
    EXPECT_EQ(prompt.shown.back(), "An error occurred in running the Word Processor");
    EXPECT_EQ(QSettings("Orvane", "TORVIK").value(QString(ProgramRelease) + "/Word Processor").toString(), form->TextEditor());
}

}  // namespace

// Takes the addresses the program hands to the web browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

namespace {

TEST_F(MainCommandsTest, CheckForUpdatesOpensTheUpdatePageAskingAboutThisRelease)
{
    QSettings("Orvane", "TORVIK").setValue(QString(ProgramRelease) + "/Update Page", "http://updates.example/torvik?lang=en");
    form.reset();
    form = std::make_unique<TMainForm>(&prompt);  // reads the settings anew
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "Open");
    form->Actions().CheckUpdates->trigger();
    QDesktopServices::unsetUrlHandler("http");
    ASSERT_EQ(catcher.urls.size(), 1);
    const QUrlQuery query(catcher.urls[0]);
    EXPECT_EQ(catcher.urls[0].host(), "updates.example");
    EXPECT_EQ(query.queryItemValue("lang"), "en");
    EXPECT_EQ(query.queryItemValue("product", QUrl::FullyDecoded), "TORVIK 2013");
    EXPECT_EQ(query.queryItemValue("version"), ProgramRelease);
    EXPECT_EQ(query.queryItemValue("today"), QDate::currentDate().toString(Qt::ISODate));
}

TEST_F(MainCommandsTest, AFileDroppedOnTheWindowOpensAfterTheSaveQuestion)
{
    const std::string wall = Copy(Wall, "dropped.tk4d");
    form->SetModified(true);
    prompt.answers.push_back(Prompt::Answer::No);
    form->OpenDroppedFile(wall);
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown.front(), "Do you want to save any changes?");
    EXPECT_EQ(form->windowTitle(), TitleOf("Dropped.tk4d"));
    // The next Open starts in the dropped file's folder; the working directory is left alone.
    EXPECT_EQ(QDir::currentPath(), saved);
    for (QAction* a : form->menuBar()->actions().first()->menu()->actions())
        if (a->text() == "&Open...")
            a->trigger();
    EXPECT_EQ(QString::fromStdString(prompt.initialNames.back()), QDir(dir.path()).absolutePath());
}

TEST_F(MainCommandsTest, ResultCommandsFollowTheRunAndWriteTheReportAndTheCsv)
{
    const std::string wall = CopyExample("three-stage-excavation.tk4d");
    form->OpenFileName(wall, false);
    Open(act().Computation);
    EXPECT_FALSE(act().SaveReport->isEnabled()) << "no results yet";
    Open(act().Graphics);
    EXPECT_FALSE(act().StageEnvelope->isEnabled());

    form->SetEngineDirectory(TORVIK_BIN_DIR);
    form->RunAnalysis();
    Open(act().Computation);
    ASSERT_TRUE(act().SaveReport->isEnabled());
    EXPECT_TRUE(act().SaveResultsCsv->isEnabled());
    Open(act().Graphics);
    EXPECT_TRUE(act().StageEnvelope->isEnabled()) << "a staged wall has an envelope";

    prompt.fileNames.push_back(dir.filePath("report.pdf").toStdString());
    act().SaveReport->trigger();
    EXPECT_GT(QFileInfo(dir.filePath("report.pdf")).size(), 10000);
    prompt.fileNames.push_back(dir.filePath("results.csv").toStdString());
    act().SaveResultsCsv->trigger();
    QFile csv(dir.filePath("results.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csv.readLine().startsWith("Stage,Depth (m),Deflection (m)"));
}

}  // namespace

#include "MainForm_test.moc"
