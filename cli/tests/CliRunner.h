#pragma once
// Runs the built torvik-cli as a script runs it, for the command tests.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

// What one run of torvik-cli gave.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;  // empty when merged into `out`
};

// Where the run's standard error goes.
enum class ErrorStream { Apart, Merged };

// The path in single quotes for the shell.
inline std::string Quote(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

// Runs torvik-cli with `arguments` (already quoted for the shell).
inline CliRun Cli(const std::string& arguments, ErrorStream errors = ErrorStream::Apart)
{
    const std::filesystem::path errFile =
        std::filesystem::temp_directory_path() / ("torvik-cli-err-" + std::to_string(getpid()));
    const std::string redirect = errors == ErrorStream::Merged ? " 2>&1" : " 2>" + Quote(errFile);
    const std::string command = Quote(std::string(TORVIK_BIN_DIR) + "/torvik-cli") + " " + arguments + redirect;
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (errors == ErrorStream::Apart) {
        std::ifstream in(errFile, std::ios::binary);
        run.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        in.close();
        std::filesystem::remove(errFile);
    }
    return run;
}
