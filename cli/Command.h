#pragma once
#include <string>
#include <vector>

// One command of torvik-cli. Each command lives in its own source file and
// registers itself with a static CommandRegistration.
struct Command {
    std::string name;
    std::string usage;    // the arguments, for --help
    std::string summary;  // one line, for --help
    // Runs the command on its arguments (without the command name); returns the
    // exit code: 0 ok, 1 bad input, 2 usage.
    int (*run)(const std::vector<std::string>& args);
};

// The registry of commands, in name order.
const std::vector<Command>& Commands();

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

// Exit codes shared by every command; scripts rely on them.
enum ExitCode { ExitOk = 0, ExitBadInput = 1, ExitUsage = 2 };

// Why `path`, which is no regular file, cannot be read as a wall: "PATH does
// not exist", or "PATH is a folder, not a wall data file".
std::string NotAWallFile(const std::string& path);
