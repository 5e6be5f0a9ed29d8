// The main window autosaves unsaved changes into its recovery folder, drops
// the autosave when they are saved, and at start-up offers the autosaves of
// instances that died.
#include "ui/MainForm.h"
#include "ui/tests/MainWindowTest.h"

#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/Recovery.h"
#include "model/StageFiles.h"
#include "model/WallState.h"
#include "ui/MainMenus.h"
#include "units/TorvikError.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace fs = std::filesystem;

namespace {

using Answer = Prompt::Answer;

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator(); it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class AutosaveTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        qputenv("TORVIK_AUTOSAVE_MS", "30");
        MainWindowTest::SetUp();
        form->show();
        wall = dir.filePath("staged.tk4d").toStdString();
        QFile::copy(QString(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d", QString::fromStdString(wall));
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        qunsetenv("TORVIK_AUTOSAVE_MS");
    }

    // The autosave an instance that died left of the wall, edited in `stage`:
    // written by this process, then renamed as a folder of an ended process.
    std::string DeadInstanceAutosave(int stage, long double deflection, std::int64_t at, const std::string& number)
    {
        BatchHost document;
        document.Open(wall, TFileLayout::Current);
        OpenStagedWall(document.Wall());
        document.ResetHistory();
        SelectStage(document.Wall(), stage);
        document.TakeUndoState();
        document.Wall().MaxDeflection = deflection;
        EXPECT_TRUE(document.RecordChange("Maximum deflection"));
        TAutosave autosave(RecoveryBaseFolder());
        autosave.Write(document, at);
        TProcessMark dead = ThisProcessMark();
        dead.start = "1";
        const fs::path folder = fs::path(RecoveryBaseFolder()) / (dead.Text() + "-" + number);
        fs::rename(autosave.Folder(), folder);
        return folder.string();
    }

    // Starts the program itself offscreen, its start-up question answered by
    // `answer`, autosaving every 50 ms, with the test's state and settings folders.
    std::unique_ptr<QProcess> StartProgram(const char* answer)
    {
        auto program = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_STATE_HOME", qEnvironmentVariable("XDG_STATE_HOME"));
        env.insert("XDG_CONFIG_HOME", settingsDir.path());
        env.insert("HOME", settingsDir.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TORVIK_AUTOSAVE_MS", "50");
        env.insert("TORVIK_RECOVERY_ANSWER", answer);
        program->setProcessEnvironment(env);
        program->start(QString(TORVIK_BIN_DIR) + "/torvik", {});
        EXPECT_TRUE(program->waitForStarted(20000));
        return program;
    }
    // The autosave that the running program wrote itself (stamped with the
    // time now, unlike the autosaves of the past it takes over while it asks
    // about them), once there is one; none when none came.
    std::optional<TRecoveryRecord> AutosaveOf(const QProcess& program, std::string& path)
    {
        const std::string prefix = std::to_string(program.processId()) + "_";
        std::optional<TRecoveryRecord> found;
        // Whether one came is what `found` holds.
        static_cast<void>(QTest::qWaitFor(
            [&] {
                for (const std::string& name : Names(RecoveryBaseFolder())) {
                    const fs::path file = fs::path(RecoveryBaseFolder()) / name / RecoveryFileName;
                    if (name.rfind(prefix, 0) != 0 || !fs::exists(file))
                        continue;
                    try {
                        const TRecoveryRecord record = ParseRecovery(Bytes(file.string()));
                        if (record.savedAt > 1000000000) {
                            found = record;
                            path = file.string();
                        }
                    } catch (const EInOutError&) {
                        // Taken over or replaced while it was read: looked at again.
                    }
                }
                return found.has_value();
            },
            30000));
        return found;
    }
    // Ends the program as a crash would.
    static void Kill(QProcess& program)
    {
        program.kill();  // SIGKILL
        program.waitForFinished(20000);
    }

    QTemporaryDir dir;
    std::string wall;
};

}  // namespace

// Changes are autosaved after the interval, a stage switch at once; Save
// removes the autosave; nothing is ever written beside the wall.
TEST_F(AutosaveTest, ChangesAreAutosavedAwayFromTheWallUntilSaved)
{
    form->OpenFileName(wall, false);
    const std::vector<std::string> wallFiles = Names(dir.path().toStdString());
    act().StageButton[1]->trigger();
    QTest::qWait(100);
    EXPECT_EQ(form->Autosave().Folder(), "") << "an unmodified wall has nothing to autosave";

    form->Document().Wall().MaxDeflection = 55;
    form->SetModified(true);  // as the dialog that takes the entry does
    form->RecordChange("Maximum deflection");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->Autosave().Folder().empty(); }, 2000));
    const std::string file = form->Autosave().Folder() + "/" + RecoveryFileName;
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(form->Autosave().Folder().rfind(RecoveryBaseFolder(), 0), 0u);
    TRecoveryRecord record = ParseRecovery(Bytes(file));
    EXPECT_EQ(record.fileName, wall);
    EXPECT_EQ(StateStage(record.state), 2);
    EXPECT_EQ(record.undoPosition, 1u);

    act().StageButton[2]->trigger();
    EXPECT_EQ(StateStage(ParseRecovery(Bytes(file)).state), 3);
    EXPECT_EQ(Names(dir.path().toStdString()), wallFiles);

    act().Save->trigger();
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(form->Autosave().Folder(), "");
    EXPECT_TRUE(Names(RecoveryBaseFolder()).empty());
    EXPECT_TRUE(prompt.shown.empty()) << prompt.shown.front();
}

// At start-up: a damaged autosave is reported and set aside, one is
// discarded, one recovered into the window as the modified wall of its file
// name and stage, and a further one kept for the next start.
TEST_F(AutosaveTest, StartUpOffersTheAutosavesOfInstancesThatDied)
{
    const std::string before = Bytes(wall);
    const fs::path damaged = fs::path(DeadInstanceAutosave(1, 11, 100, "1"));
    {
        std::ofstream cut(damaged / RecoveryFileName, std::ios::binary | std::ios::trunc);
        cut << "TORVIK recovery 1\nsaved 1";
    }
    const std::string discarded = DeadInstanceAutosave(1, 22, 200, "2");
    const std::string recovered = DeadInstanceAutosave(2, 33, 300, "3");
    const std::string later = DeadInstanceAutosave(3, 44, 400, "4");

    prompt.answers = {Answer::No, Answer::Yes};
    EXPECT_TRUE(form->OfferRecoveries());
    ASSERT_EQ(prompt.shown.size(), 4u);
    EXPECT_NE(prompt.shown[0].find("cannot be recovered"), std::string::npos) << prompt.shown[0];
    EXPECT_NE(prompt.shown[0].find("damaged-"), std::string::npos) << prompt.shown[0];
    EXPECT_NE(prompt.shown[2].find("staged.tk4d"), std::string::npos) << prompt.shown[2];
    EXPECT_NE(prompt.shown[2].find("in stage 2"), std::string::npos) << prompt.shown[2];
    EXPECT_NE(prompt.shown[2].find("the data file and stage 2."), std::string::npos) << prompt.shown[2];
    EXPECT_EQ(prompt.shown[3], "1 further autosaved wall is kept: the next start offers it.");

    TProgramData& shown = form->Document().Wall();
    EXPECT_EQ(shown.FileName, wall);
    EXPECT_EQ(shown.MaxDeflection, 33);
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(form->StatusText(), "Construction Stage Number: 2");
    EXPECT_EQ(Bytes(wall), before);

    // The damaged one was kept aside, the discarded and the recovered ones are
    // gone, the later one waits under this instance's name, and the window
    // autosaves the recovered wall itself.
    const std::vector<std::string> left = Names(RecoveryBaseFolder());
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(
        std::count_if(left.begin(), left.end(), [](const std::string& name) { return name.rfind("damaged-", 0) == 0; }),
        1);
    EXPECT_FALSE(fs::exists(discarded));
    EXPECT_FALSE(fs::exists(recovered));
    EXPECT_FALSE(fs::exists(later));
    EXPECT_FALSE(form->Autosave().Folder().empty());
    EXPECT_TRUE(FindStaleRecoveries(RecoveryBaseFolder()).empty());

    // Saved, the wall's files are the recovered wall.
    act().Save->trigger();
    EXPECT_EQ(form->Autosave().Folder(), "");
    EXPECT_NE(Bytes(StageFilePath(wall, 2)), "");
    EXPECT_NE(Bytes(wall), before);
}

// Keep for Later leaves the autosave for the next start; with autosave off nothing is written.
TEST_F(AutosaveTest, KeepForLaterAndAutosaveOff)
{
    DeadInstanceAutosave(2, 33, 300, "3");
    prompt.answers = {Answer::Cancel};
    EXPECT_FALSE(form->OfferRecoveries());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(form->Document().Wall().FileName, TProgramData::UntitledFileName());
    EXPECT_EQ(Names(RecoveryBaseFolder()).size(), 1u);

    qputenv("TORVIK_AUTOSAVE_MS", "0");
    form->OpenFileName(wall, false);
    form->Document().Wall().MaxDeflection = 55;
    form->SetModified(true);  // as the dialog that takes the entry does
    form->RecordChange("Maximum deflection");
    act().StageButton[1]->trigger();
    QTest::qWait(100);
    EXPECT_EQ(form->Autosave().Folder(), "");
}

// The program itself: it recovers a dead instance's autosave and autosaves it
// again byte for byte; a second instance started meanwhile leaves that
// autosave alone; killed (SIGKILL), the program leaves it for the next start,
// which recovers the same state again.
TEST_F(AutosaveTest, TheProgramKilledAfterRecoveringOffersTheSameStateAtTheNextStart)
{
    const std::string before = Bytes(wall);
    const std::string dead = DeadInstanceAutosave(2, 33, 300, "3");
    const TRecoveryRecord original = ParseRecovery(Bytes(dead + "/" + RecoveryFileName));

    std::unique_ptr<QProcess> first = StartProgram("recover");
    std::string firstFile;
    const std::optional<TRecoveryRecord> recovered = AutosaveOf(*first, firstFile);
    ASSERT_TRUE(recovered) << first->readAllStandardError().toStdString();
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_EQ(recovered->fileName, wall);
    EXPECT_EQ(recovered->state, original.state);

    // A second instance discards what it is offered, and is offered only the autosave of one that died.
    const std::string other = DeadInstanceAutosave(1, 22, 200, "2");
    std::unique_ptr<QProcess> second = StartProgram("discard");
    // Taken over first, then discarded: then no folder of the second instance is left.
    const std::string secondPrefix = std::to_string(second->processId()) + "_";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const std::vector<std::string> names = Names(RecoveryBaseFolder());
            return !fs::exists(other) && std::none_of(names.begin(), names.end(), [&](const std::string& name) {
                return name.rfind(secondPrefix, 0) == 0;
            });
        },
        30000));
    EXPECT_TRUE(fs::exists(firstFile));
    Kill(*second);
    const std::string offered = second->readAllStandardError().toStdString();
    EXPECT_EQ(offered.find("in stage 2"), std::string::npos) << offered;

    Kill(*first);
    EXPECT_TRUE(fs::exists(firstFile));
    std::unique_ptr<QProcess> third = StartProgram("recover");
    std::string thirdFile;
    const std::optional<TRecoveryRecord> again = AutosaveOf(*third, thirdFile);
    ASSERT_TRUE(again) << third->readAllStandardError().toStdString();
    EXPECT_FALSE(fs::exists(firstFile));
    EXPECT_EQ(again->state, original.state);
    Kill(*third);
    EXPECT_EQ(Bytes(wall), before);
}
