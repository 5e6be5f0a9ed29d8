#include "model/PrivateFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

// A killed instance leaves its working folder; the next one made removes it,
// and a folder goes with its object.
TEST(PrivateFolder, FoldersOfEndedProcessesAreRemoved)
{
#ifndef _WIN32
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const pid_t child = fork();
    if (child == 0) {
        const std::string& path = (new TPrivateFolder("torvik-test-folder-"))->Path();
        (void)!write(ends[1], path.data(), path.size());
        _exit(0);  // as a killed process: nothing is cleaned up
    }
    close(ends[1]);
    char buffer[4096];
    const ssize_t n = read(ends[0], buffer, sizeof buffer);
    close(ends[0]);
    waitpid(child, nullptr, 0);
    ASSERT_GT(n, 0);
    const fs::path left(std::string(buffer, static_cast<std::size_t>(n)));
    ASSERT_TRUE(fs::is_directory(left));

    std::string own;
    {
        const TPrivateFolder folder("torvik-test-folder-");
        own = folder.Path();
        EXPECT_TRUE(fs::is_directory(own));
        EXPECT_FALSE(fs::exists(left));
    }
    EXPECT_FALSE(fs::exists(own));
#endif
}

}  // namespace
