#include "WallTestSupport.h"
#include "model/BatchHost.h"
#include "model/ProcessMark.h"
#include "model/ProgramData.h"
#include "model/Recovery.h"
#include "model/StageFiles.h"
#include "model/WallDocument.h"
#include "model/WallSettings.h"
#include "tables/GridTable.h"
#include "units/ScriptedPrompt.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Folders(const fs::path& base)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(base, error); !error && it != fs::directory_iterator(); it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

// A recovery folder of a process that no longer runs: this process's number
// with a start it never had, as when the number was used again.
fs::path DeadFolder(const fs::path& base, const std::string& number)
{
    TProcessMark dead = ThisProcessMark();
    dead.start = "1";
    const fs::path folder = base / (dead.Text() + "-" + number);
    fs::create_directories(folder);
    return folder;
}

TRecoveryRecord SomeRecord()
{
    TRecoveryRecord record;
    record.fileName = "/walls/a wall.tk4d";
    record.savedAt = 1700000000;
    record.diskStamp = {true, 1234, 5678, 91011};
    record.undoPosition = 3;
    record.undoSteps = 4;
    record.state = std::string("1 1 0\nstate with\r\nline ends and \0 bytes", 40);
    return record;
}

}  // namespace

// A process is told from a later one of the same number by its start.
TEST(Recovery, ProcessMarkTellsARunningProcessFromOneThatEnded)
{
    const TProcessMark own = ThisProcessMark();
    EXPECT_TRUE(ProcessRunning(own));
    TProcessMark back;
    ASSERT_TRUE(TProcessMark::Parse(own.Text(), back));
    EXPECT_EQ(back.id, own.id);
    EXPECT_EQ(back.start, own.start);
#ifndef _WIN32
    ASSERT_FALSE(own.start.empty());  // Linux gives the start time
    TProcessMark reused = own;
    reused.start = "1";
    EXPECT_FALSE(ProcessRunning(reused));
    // A child that ended is not running even before its parent collects it.
    int marks[2];
    ASSERT_EQ(pipe(marks), 0);
    const pid_t child = fork();
    if (child == 0) {
        const std::string text = ThisProcessMark().Text();
        _exit(write(marks[1], text.data(), text.size()) == static_cast<ssize_t>(text.size()) ? 0 : 1);
    }
    close(marks[1]);
    char text[64] = {};
    ASSERT_GT(read(marks[0], text, sizeof text - 1), 0);
    close(marks[0]);
    TProcessMark childMark;
    ASSERT_TRUE(TProcessMark::Parse(text, childMark));
    EXPECT_EQ(childMark.id, static_cast<long>(child));
    bool ended = false;
    for (int i = 0; i < 200 && !ended; ++i) {
        ended = !ProcessRunning(childMark);
        if (!ended)
            usleep(10000);
    }
    EXPECT_TRUE(ended) << "a child that ended, not yet collected";
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(ProcessRunning(childMark));
    EXPECT_FALSE(ProcessRunning(TProcessMark{static_cast<long>(child), ""}));
#endif
    for (const char* bad : {"", "_1", "12", "x_1", "12_1-2", "12_1/2"})
        EXPECT_FALSE(TProcessMark::Parse(bad, back)) << bad;
}

// Every field comes back; any cut or changed byte is reported, not recovered.
TEST(Recovery, RecoveryFileReadsBackAndRefusesDamage)
{
    const TRecoveryRecord record = SomeRecord();
    const std::string text = RecoveryText(record);
    const TRecoveryRecord read = ParseRecovery(text);
    EXPECT_EQ(read.fileName, record.fileName);
    EXPECT_EQ(read.savedAt, record.savedAt);
    EXPECT_EQ(read.diskStamp, record.diskStamp);
    EXPECT_EQ(read.undoPosition, 3u);
    EXPECT_EQ(read.undoSteps, 4u);
    EXPECT_EQ(read.state, record.state);

    for (std::size_t cut : {std::size_t(0), std::size_t(10), text.size() / 2, text.size() - 2})
        EXPECT_THROW(ParseRecovery(text.substr(0, cut)), EInOutError) << cut;
    std::string flipped = text;
    flipped[text.size() - 10] ^= 1;
    EXPECT_THROW(ParseRecovery(flipped), EInOutError);
    try {
        ParseRecovery(flipped);
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("checksum"), std::string::npos) << e.what();
    }
}

// Stale folders: a damaged one is reported and set aside where it is not
// offered again, one killed before its first autosave is removed, one of a
// running instance (this one) is not offered, and a claimed one is this
// instance's until it ends.
TEST(Recovery, StaleFoldersAreSortedOutWithoutFailing)
{
    TempDir dir;
    const fs::path base = dir.path / "recovery";
    const fs::path damaged = DeadFolder(base, "1");
    WriteBytes((damaged / RecoveryFileName).string(), RecoveryText(SomeRecord()).substr(0, 60));
    const fs::path empty = DeadFolder(base, "2");
    WriteBytes((empty / (std::string(RecoveryFileName) + ".tmp123456")).string(), "half of a first aut");
    const fs::path stranger = DeadFolder(base, "3");
    WriteBytes((stranger / "other").string(), "x");
    const fs::path good = DeadFolder(base, "4");
    WriteBytes((good / RecoveryFileName).string(), RecoveryText(SomeRecord()));

    TAutosave own(base.string());
    BatchHost document;
    own.Write(document, 1);
    ASSERT_FALSE(own.Folder().empty());

    std::vector<TStaleRecovery> stale = FindStaleRecoveries(base.string());
    ASSERT_EQ(stale.size(), 3u);
    EXPECT_FALSE(fs::exists(empty));
    int problems = 0;
    for (const TStaleRecovery& s : stale) {
        EXPECT_NE(s.folder, own.Folder());
        if (s.problem.empty()) {
            EXPECT_EQ(s.folder, good.string());
            continue;
        }
        ++problems;
        const std::string kept = SetRecoveryAside(s.folder);
        EXPECT_NE(kept, s.folder);
        EXPECT_TRUE(fs::exists(kept));
        EXPECT_NE(DamagedRecoveryMessage(kept, s.problem).find(kept), std::string::npos);
    }
    EXPECT_EQ(problems, 2);

    // Taken over, the good one is no longer stale, and nobody takes it twice.
    const std::string claimed = own.Claim(good.string());
    ASSERT_FALSE(claimed.empty());
    EXPECT_TRUE(own.Claim(good.string()).empty());
    EXPECT_TRUE(FindStaleRecoveries(base.string()).empty());
    EXPECT_TRUE(fs::exists(fs::path(claimed) / RecoveryFileName));

    // A normal end removes this instance's own autosave, not the one kept for later.
    const std::string ownFolder = own.Folder();
    own.Remove();
    EXPECT_FALSE(fs::exists(ownFolder));
    EXPECT_TRUE(fs::exists(claimed));
}

#ifndef _WIN32
// The whole round: a child process opens a staged wall, edits two stages and
// the settings, autosaves, and is killed (SIGKILL) while this process looks
// on. While it runs its recovery is not offered; once it is dead, the
// recovery gives back every stage, the data file, the settings and the
// current stage byte for byte, names what differs from the files on disk,
// and Discard removes it. The wall's own files are never touched.
TEST(Recovery, KilledInstanceWithAStagedWallIsRecoveredByteForByte)
{
    TempDir dir;
    const std::string base = dir.File("recovery");
    const std::string wallPath = dir.File("staged.tk4d");
    fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples" / "three-stage-excavation.tk4d", wallPath);
    const std::string wallBefore = ReadBytes(wallPath);
    const std::string expectedPath = dir.File("expected");

    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        BatchHost document;
        document.Open(wallPath, TFileLayout::Current);
        TProgramData& wall = document.Wall();
        OpenStagedWall(wall);
        document.ResetHistory();
        SelectStage(wall, 2);
        document.TakeUndoState();
        wall.MaxDeflection = 77;
        document.Tables()[WallTable::PileSect].Cell(3, 0).SetAsFloat(4321);
        document.RecordChange("edit stage 2");
        SelectStage(wall, 3);
        document.TakeUndoState();
        TWallSettings settings = document.Settings();
        settings.targetSafetyFactor = 1.75;
        document.SetSettings(settings);
        document.RecordChange("target factor");
        TAutosave autosave(base);
        autosave.Write(document, 1800000000);
        // What a save would write now, for the parent to compare.
        std::string expected = std::to_string(wall.CurrentStage) + "\n" + SettingsText(document.Settings());
        for (const std::string& stage : OpenStageTexts(wall))
            expected += std::to_string(stage.size()) + "\n" + stage;
        WriteBytes(expectedPath, expected);
        const char byte = 'r';
        if (write(ready[1], &byte, 1) != 1)
            _exit(2);
        for (;;)
            pause();
    }
    close(ready[1]);
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);

    // A second instance does not offer the recovery of one that runs.
    EXPECT_TRUE(FindStaleRecoveries(base).empty());
    EXPECT_EQ(Folders(base).size(), 1u);

    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    std::vector<TStaleRecovery> stale = FindStaleRecoveries(base);
    ASSERT_EQ(stale.size(), 1u);
    ASSERT_EQ(stale[0].problem, "");
    const TRecoveryRecord& record = stale[0].record;
    EXPECT_EQ(record.fileName, wallPath);
    EXPECT_EQ(record.undoPosition, 2u);

    const std::vector<std::string> differences = RecoveryDifferences(record);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0], "It differs from the file on disk in the data file, stage 2 and the settings "
                              "(anchors, sections, design checks).");
    const std::string question = RecoveryQuestion(record, differences);
    EXPECT_NE(question.find("staged.tk4d"), std::string::npos) << question;
    EXPECT_NE(question.find("in stage 3"), std::string::npos) << question;
    EXPECT_NE(question.find("2 changes"), std::string::npos) << question;

    BatchHost recovered;
    RecoverWall(recovered, record);
    EXPECT_TRUE(recovered.prompt.shown.empty());
    TProgramData& wall = recovered.Wall();
    EXPECT_EQ(wall.FileName, wallPath);
    EXPECT_TRUE(recovered.IsModified());
    std::string got = std::to_string(wall.CurrentStage) + "\n" + SettingsText(recovered.Settings());
    const std::vector<std::string> stages = OpenStageTexts(wall);
    ASSERT_EQ(stages.size(), 3u);
    for (const std::string& stage : stages)
        got += std::to_string(stage.size()) + "\n" + stage;
    EXPECT_EQ(got, ReadBytes(expectedPath));
    EXPECT_EQ(ReadBytes(wallPath), wallBefore);

    // The recovered wall is unsaved even when its changes are taken back.
    wall.Title = "changed after recovery";
    ASSERT_TRUE(recovered.RecordChange("title"));
    ASSERT_TRUE(recovered.Undo());
    EXPECT_TRUE(recovered.IsModified());

    // Saved, the wall's files are the recovered ones.
    SaveWall(wall);
    std::string data;
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(ReadBytes(StageFilePath(wallPath, k)), stages[k - 1]) << k;
        data += stages[k - 1];
    }
    EXPECT_EQ(ReadBytes(wallPath), data);
    EXPECT_TRUE(RecoveryDifferences(record).size() == 1 &&
                RecoveryDifferences(record)[0].find("changed by another program") != std::string::npos);

    DiscardRecovery(stale[0].folder);
    EXPECT_TRUE(Folders(base).empty());
    EXPECT_TRUE(FindStaleRecoveries(base).empty());
}
#endif
