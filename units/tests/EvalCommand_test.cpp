// The eval command of torvik-cli, run as scripts run it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    std::remove(path.c_str());
    return s.str();
}

// Runs torvik-cli with `arguments` (already quoted for the shell).
CliRun RunCli(const std::string& arguments)
{
    const std::string base = ::testing::TempDir() + "eval_command_" + std::to_string(getpid());
    const std::string command = std::string("'") + TORVIK_BIN_DIR + "/torvik-cli' " + arguments + " >'" + base +
                                ".out' 2>'" + base + ".err'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(base + ".out"), ReadAll(base + ".err")};
}

class EvalCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (access(TORVIK_BIN_DIR "/torvik-cli", X_OK) != 0)
            GTEST_SKIP() << "torvik-cli is not built";
    }
};

TEST_F(EvalCommand, PrintsTheValueWithEighteenDigits)
{
    const CliRun run = RunCli("eval '1/3'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "0.333333333333333333\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(EvalCommand, JoinsWordsTheShellSplit)
{
    EXPECT_EQ(RunCli("eval 2 + '3*4'").out, "14\n");
}

TEST_F(EvalCommand, ReportsTheMessageWithALineBreak)
{
    const CliRun run = RunCli("eval '2.5!'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Entry could not be evaluated:\n! (factoral) applicable to integers only\n");
}

TEST_F(EvalCommand, ReportsArithmeticFaults)
{
    const CliRun run = RunCli("eval '1/0'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Floating point division by zero\n");
}

TEST_F(EvalCommand, MissingExpressionIsAUsageError)
{
    const CliRun run = RunCli("eval");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "Usage: torvik-cli eval EXPRESSION\n");
}

}  // namespace
