// The main window keeps the user's work when files cannot be written: failed
// saves on the way out, staged walls in folders that refuse writes, a file
// changed by another instance, a file-size limit, results that cannot be put
// beside the wall.
#include "ui/MainForm.h"
#include "ui/tests/MainWindowTest.h"

#include "graph/widgets/tests/GuiTestSupport.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/tests/WriteFault.h"
#include "run/AnalysisRun.h"
#include "run/ResultTables.h"
#include "ui/MainMenus.h"
#include "units/ScriptedPrompt.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include <sys/resource.h>

namespace {

using Answer = Prompt::Answer;

std::string Bytes(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

class KeepingWorkTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        form->SetEngineDirectory(TORVIK_BIN_DIR);
        form->show();
    }
    // A copy of an example wall, in `folder` of the test's directory when given.
    std::string Example(const char* name, const QString& folder = "")
    {
        QDir(dir.path()).mkpath(folder.isEmpty() ? "." : folder);
        const QString target = dir.filePath(folder.isEmpty() ? name : folder + "/" + name);
        QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/" + name, target);
        return target.toStdString();
    }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }

    QTemporaryDir dir;
};

TEST_F(KeepingWorkTest, AFailedSaveOnTheWayOutKeepsTheEdits)
{
    const std::string wall = Example("cantilever-sand.tk4d");
    form->OpenFileName(wall, false);
    form->Document().Wall().Title = "Edited";
    form->SetModified(true);
    {
        const WriteFaultIn readOnly(dir.path().toStdString(), EACCES);
        prompt.answers = {Answer::Yes};
        act().New->trigger();
        EXPECT_EQ(prompt.shown.back(), "The file \"" + wall +
                                           "\" could not be written: Permission denied\rThe wall stays open with its "
                                           "changes.");
        EXPECT_EQ(form->Document().Wall().Title, "Edited");
        EXPECT_TRUE(form->IsModified());
        prompt.answers = {Answer::Yes};
        act().Exit->trigger();
        EXPECT_TRUE(form->isVisible());
    }
    prompt.answers = {Answer::Yes};
    EXPECT_TRUE(form->close());
    EXPECT_NE(Bytes(wall).find("Edited"), std::string::npos);
}

TEST_F(KeepingWorkTest, AStagedWallIsSavedOnlyWhole)
{
    const std::string wall = Example("three-stage-excavation.tk4d");
    form->OpenFileName(wall, false);
    const std::string before = Bytes(wall);
    act().StageButton[1]->trigger();
    prompt.answers = {Answer::Yes};
    act().CopyPreviousStage->trigger();
    EXPECT_TRUE(form->IsModified()) << "the copy is a change";
    {
        const WriteFaultIn full(dir.path().toStdString(), ENOSPC, ".st2");
        act().Save->trigger();
        EXPECT_NE(prompt.shown.back().find("No space left on device"), std::string::npos) << prompt.shown.back();
    }
    EXPECT_EQ(Bytes(wall), before);
    prompt.answers = {Answer::Cancel};
    act().New->trigger();
    EXPECT_EQ(prompt.shown.back(), "Do you want to save any changes?");
    act().Save->trigger();
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(Bytes(wall), Bytes(StageFilePath(wall, 1)) + Bytes(StageFilePath(wall, 2)) +
                               Bytes(StageFilePath(wall, 3)));
}

// The folder of a staged wall refuses writes (read-only, or another file
// system): the wall opens, its stages switch, and Save As puts it elsewhere.
TEST_F(KeepingWorkTest, AStagedWallInAFolderThatRefusesWritesIsSavedElsewhere)
{
    const std::string wall = Example("three-stage-excavation.tk4d", "locked");
    const WriteFaultIn readOnly(dir.filePath("locked").toStdString(), EACCES);
    form->OpenFileName(wall, false);
    act().StageButton[1]->trigger();
    EXPECT_EQ(form->StatusText(), "Construction Stage Number: 2");
    form->Document().Wall().NodeCount = 77;
    form->SetModified(true);
    act().StageButton[0]->trigger();
    EXPECT_TRUE(prompt.shown.empty()) << prompt.shown.front();

    act().Save->trigger();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.shown[0].find("Permission denied"), std::string::npos) << prompt.shown[0];
    const std::string copy = Path("copy.tk4d");
    prompt.fileNames = {copy};
    act().SaveAs->trigger();
    EXPECT_EQ(form->Document().Wall().FileName, copy);
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(prompt.shown.size(), 2u) << prompt.shown.back();
    EXPECT_NE(Bytes(Path("copy.st2")).find("\r\n77 "), std::string::npos);
}

TEST_F(KeepingWorkTest, SaveAsksBeforeOverwritingAFileAnotherInstanceSaved)
{
    const std::string wall = Example("cantilever-sand.tk4d");
    form->OpenFileName(wall, false);
    const std::string other = "Saved by another instance\r\n";
    QFile file(QString::fromStdString(wall));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(other.c_str());
    file.close();
    form->Document().Wall().Title = "Mine";
    form->SetModified(true);

    prompt.answers = {Answer::Cancel};
    act().Save->trigger();
    EXPECT_EQ(prompt.shown.back(), wall + " was changed by another program since it was opened. Overwrite it, save "
                                          "under another name, or cancel?");
    EXPECT_EQ(Bytes(wall), other);
    EXPECT_TRUE(form->IsModified());

    prompt.answers = {Answer::Yes};
    act().Save->trigger();
    EXPECT_NE(Bytes(wall).find("Mine"), std::string::npos);
    const std::size_t asked = prompt.shown.size();
    form->SetModified(true);
    act().Save->trigger();
    EXPECT_EQ(prompt.shown.size(), asked) << "the file is the one this instance wrote";
}

TEST_F(KeepingWorkTest, AFileSizeLimitIsAWriteErrorNotTheEndOfTheProgram)
{
    const std::string wall = Example("cantilever-sand.tk4d");
    form->OpenFileName(wall, false);
    const std::string before = Bytes(wall);
    form->SetModified(true);
    rlimit normal{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &normal), 0);
    rlimit small = normal;
    small.rlim_cur = 200;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    act().Save->trigger();
    setrlimit(RLIMIT_FSIZE, &normal);
    EXPECT_EQ(prompt.shown.back(), "The file \"" + wall + "\" could not be written: File too large");
    EXPECT_EQ(Bytes(wall), before);
    EXPECT_TRUE(form->IsModified());
}

TEST_F(KeepingWorkTest, RunResultsThatCannotBeWrittenAreReportedAndTheEarlierOnesKept)
{
    const std::string wall = Example("cantilever-sand.tk4d");
    form->OpenFileName(wall, false);
    form->RunAnalysis();
    const std::string output = Path("cantilever-sand.tk4o");
    const std::string plot = Bytes(Path("cantilever-sand.tk4p"));
    std::filesystem::permissions(output, std::filesystem::perms::owner_read);

    form->Document().Wall().NodeCount += 10;
    form->SetModified(true);
    form->RunAnalysis();
    const std::string& message = prompt.shown.back();
    EXPECT_EQ(message.rfind(CompletedMessage, 0), 0u);
    EXPECT_NE(message.find("The file \"" + output + "\" could not be written: it is write-protected"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("The result files of the earlier run are unchanged."), std::string::npos);
    EXPECT_EQ(Bytes(Path("cantilever-sand.tk4p")), plot);

    const WriteFaultIn readOnly(dir.path().toStdString(), EACCES);
    form->SetModified(true);
    form->RunAnalysis();
    EXPECT_EQ(prompt.shown.back(),
              "The file \"" + wall + "\" could not be written: Permission denied\rNo analysis was run.");
}

// Saving a wall that has not changed since its results (as Design Checks
// does before checking) leaves those results current: the graphs and the
// report do not call them older. A changed wall saved makes them older.
TEST_F(KeepingWorkTest, SavingAnUnchangedWallKeepsItsResultsCurrent)
{
    const std::string wall = Example("tied-back-sand-over-clay.tk4d");
    form->OpenFileName(wall, false);
    form->RunAnalysis();
    ASSERT_TRUE(form->ResultsLoaded());
    act().Graph[1]->trigger();
    QMdiSubWindow* graph = form->MdiArea()->activeSubWindow();
    ASSERT_NE(graph, nullptr);
    ASSERT_FALSE(ResultsOlderThanData(wall));

    form->SetModified(true);  // marked, but the same wall
    act().Save->trigger();
    form->DesignChecksClick();
    EXPECT_FALSE(ResultsOlderThanData(wall));
    EXPECT_FALSE(graph->windowTitle().contains(OlderResultsNote)) << graph->windowTitle().toStdString();
    EXPECT_FALSE(form->IsModified());

    form->Document().Wall().Title = "Another wall";
    form->SetModified(true);
    act().Save->trigger();
    EXPECT_TRUE(ResultsOlderThanData(wall));
    EXPECT_TRUE(graph->windowTitle().contains(OlderResultsNote));
}

// A run that wrote no results says the engine's reason in its message, not
// only in the run notes: here a new wall, whose stiffness is not given yet.
TEST_F(KeepingWorkTest, ARunWithoutResultsSaysTheEnginesReason)
{
    act().New->trigger();
    prompt.fileNames.push_back(Path("first.tk4d"));
    form->RunAnalysis();
    ASSERT_FALSE(prompt.shown.empty());
    const std::string& message = prompt.shown.back();
    EXPECT_EQ(message.rfind("The analysis wrote no results. The output text and the run notes tell why.\r", 0), 0u)
        << message;
    EXPECT_NE(message.find(": invalid input. "), std::string::npos) << message;
    EXPECT_NE(message.find("Flexural Stiffness (EI)"), std::string::npos) << message;
    EXPECT_FALSE(form->ResultsLoaded());
}

}  // namespace
