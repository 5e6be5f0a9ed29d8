#include "WallTestSupport.h"
#include "WriteFault.h"
#include "model/AtomicFile.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<std::string> FileNames(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicFileTest, ReplacesTheFileAndLeavesNothingElse)
{
    TempDir dir;
    const std::string path = dir.File("wall.tk4d");
    WriteBytes(path, "old");
    WriteFileAtomically(path, "new\r\ncontent");
    EXPECT_EQ(ReadBytes(path), "new\r\ncontent");
    EXPECT_EQ(FileNames(dir.path), std::vector<std::string>{"wall.tk4d"});
}

TEST(AtomicFileTest, FollowsLinksAndKeepsAccessRights)
{
    TempDir dir;
    const std::string target = dir.File("real.tk4d");
    const std::string link = dir.File("link.tk4d");
    WriteBytes(target, "old");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(target, link);
    WriteFileAtomically(link, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(std::filesystem::status(target).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(AtomicFileTest, MissingFolderIsReportedWithTheSystemMessage)
{
    TempDir dir;
    const std::string path = dir.File("no/such/wall.tk4d");
    try {
        WriteFileAtomically(path, "x");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), "The file \"" + path + "\" could not be written: No such file or directory");
    }
}

// Saves the wall into a folder the saving process may not write to. The
// superuser may write anywhere, so then a child process saves as "nobody".
std::string SaveIntoReadOnlyFolder(TProgramData& wall, const std::filesystem::path& folder)
{
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                             std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                                             std::filesystem::perms::others_read |
                                             std::filesystem::perms::others_exec);
    if (geteuid() != 0) {
        try {
            wall.WriteDataFile();
        } catch (const EInOutError& e) {
            return e.what();
        }
        return "";
    }
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        std::string message;
        if (setgid(65534) != 0 || setuid(65534) != 0)
            message = "cannot become nobody";
        else
            try {
                wall.WriteDataFile();
            } catch (const EInOutError& e) {
                message = e.what();
            }
        (void)!write(pipeEnds[1], message.data(), message.size());
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string message;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);
    return message;
}

TEST(AtomicFileTest, FailedSaveInReadOnlyFolderKeepsThePreviousFile)
{
    TempDir dir;
    BatchHost host;
    auto wall = TProgramData::CreateNew(host);
    wall->FileName = dir.File("wall.tk4d");
    wall->WriteDataFile();
    const std::string previous = ReadBytes(wall->FileName);
    wall->Title = "Changed";
    host.modified = true;

    const std::string message = SaveIntoReadOnlyFolder(*wall, dir.path);
    EXPECT_EQ(message, "The file \"" + wall->FileName + "\" could not be written: Permission denied");
    EXPECT_EQ(ReadBytes(wall->FileName), previous);
    EXPECT_EQ(FileNames(dir.path), std::vector<std::string>{"wall.tk4d"});
    EXPECT_TRUE(host.modified);
}

// A file-size limit fails the write part-way, as a full disk does.
TEST(AtomicFileTest, FailedWriteOnAFullDiskKeepsThePreviousFile)
{
    TempDir dir;
    BatchHost host;
    auto wall = TProgramData::CreateNew(host);
    wall->FileName = dir.File("wall.tk4d");
    WriteBytes(wall->FileName, "previous version");

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        wall->WriteDataFile();
    } catch (const EInOutError& e) {
        message = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(message, "The file \"" + wall->FileName + "\" could not be written: File too large");
    EXPECT_EQ(ReadBytes(wall->FileName), "previous version");
    EXPECT_EQ(FileNames(dir.path), std::vector<std::string>{"wall.tk4d"});
}

// A write-protected file stays as it is, as an editor leaves it.
TEST(AtomicFileTest, WriteProtectedFileIsNotReplaced)
{
    TempDir dir;
    const std::string path = dir.File("wall.tk4d");
    WriteBytes(path, "protected");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    try {
        WriteFileAtomically(path, "new");
        ADD_FAILURE() << "replaced";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), "The file \"" + path + "\" could not be written: it is write-protected");
    }
    EXPECT_EQ(ReadBytes(path), "protected");
    EXPECT_EQ(FileNames(dir.path), std::vector<std::string>{"wall.tk4d"});
}

// Files of a group change together: one that cannot be written leaves every target as it was.
TEST(AtomicFileTest, AGroupIsReplacedWholeOrNotAtAll)
{
    TempDir dir;
    const std::vector<std::string> paths{dir.File("a.tk4d"), dir.File("a.st1"), dir.File("a.st2")};
    for (const std::string& path : paths)
        WriteBytes(path, "old");
    {
        const WriteFaultIn full(dir.File("a.st1"), ENOSPC);
        EXPECT_THROW(WriteFilesTogether({{paths[0], "new"}, {paths[1], "new"}, {paths[2], "new"}}), EInOutError);
    }
    for (const std::string& path : paths)
        EXPECT_EQ(ReadBytes(path), "old") << path;
    EXPECT_EQ(FileNames(dir.path).size(), 3u) << "no temporary file is left";
    WriteFilesTogether({{paths[0], "new"}, {paths[1], "new"}, {paths[2], "new"}});
    for (const std::string& path : paths)
        EXPECT_EQ(ReadBytes(path), "new") << path;
}

// Temporary files of killed saves and conversions go; one that a running save holds, and
// files of other names, stay.
TEST(AtomicFileTest, StaleTemporaryFilesBesideAWallAreRemoved)
{
    TempDir dir;
    const std::string wall = dir.File("wall.tk4d");
    for (const char* name : {"wall.tk4d.tmp123456", "wall.st2.tmp7", "wall.tk4p.tmp42", "wall.tk4d.tmpabc",
                             "other.tk4d.tmp1", "wall.st2.tmp99"})
        WriteBytes(dir.File(name), "part of a save");
    const int running = open(dir.File("wall.st2.tmp99").c_str(), O_RDONLY);
    ASSERT_EQ(flock(running, LOCK_EX), 0);
    // The working folder of a conversion killed beside the wall goes too (Open and Save clean up).
    std::filesystem::create_directory(dir.path / ".torvik-convert-5");
    WriteBytes(dir.File(".torvik-convert-5/held"), "");
    WriteBytes(dir.File(".torvik-convert-5/wall.st1"), "part of a conversion");

    RemoveStaleWallTemporaries(wall);
    close(running);
    EXPECT_EQ(FileNames(dir.path), std::vector<std::string>({"other.tk4d.tmp1", "wall.st2.tmp99", "wall.tk4d.tmpabc"}));
}

}  // namespace
