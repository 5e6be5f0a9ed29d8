// torvik-cli: the program's own code from the command line, for scripts and
// batch work. Output (JSON keys, exit codes) is an interface that users rely on.
#include "cli/Command.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <iostream>

namespace {

std::vector<Command>& Registry()
{
    static std::vector<Command> commands;
    return commands;
}

void PrintHelp(std::ostream& out)
{
    out << "Usage: torvik-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const Command& c : Commands())
        out << "  " << c.name << (c.usage.empty() ? "" : " ") << c.usage << "\n      " << c.summary << "\n";
}

}  // namespace

const std::vector<Command>& Commands()
{
    return Registry();
}

CommandRegistration::CommandRegistration(Command command)
{
    auto& commands = Registry();
    auto at = std::lower_bound(commands.begin(), commands.end(), command.name,
                               [](const Command& c, const std::string& name) { return c.name < name; });
    commands.insert(at, std::move(command));
}

std::string NotAWallFile(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status))
        return path + " is a folder, not a wall data file";
    if (std::filesystem::exists(status))
        return path + " is not a regular file";
    return path + " does not exist";
}

int main(int argc, char** argv)
{
#ifdef SIGXFSZ
    // Past a file-size limit a write fails with an error, which the commands
    // report, rather than ending the process halfway through its files.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintHelp(std::cerr);
        return ExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(std::cout);
        return ExitOk;
    }
    for (const Command& c : Commands()) {
        if (c.name == args[0]) {
            args.erase(args.begin());
            try {
                return c.run(args);
            } catch (const std::exception& e) {
                std::cerr << "torvik-cli " << c.name << ": " << e.what() << "\n";
                return ExitBadInput;
            }
        }
    }
    std::cerr << "torvik-cli: unknown command '" << args[0] << "'; see torvik-cli --help\n";
    return ExitUsage;
}
