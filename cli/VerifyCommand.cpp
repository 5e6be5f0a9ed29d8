// torvik-cli verify: runs the built-in verification cases through the engine
// and prints each computed value beside its reference; exit code 1 when any
// case fails. --markdown prints the table as the technical manual shows it.
#include "cli/Command.h"
#include "verify/Verification.h"

#include <iostream>

namespace {

int Verify(const std::vector<std::string>& args)
{
    bool markdown = false;
    for (const std::string& a : args) {
        if (a == "--markdown") {
            markdown = true;
        } else {
            std::cerr << "Usage: torvik-cli verify [--markdown]\n";
            return ExitUsage;
        }
    }
    const std::vector<VerificationCase> cases = RunVerification();
    std::cout << (markdown ? VerificationMarkdown(cases) : VerificationText(cases));
    return FailedCount(cases) == 0 ? ExitOk : ExitBadInput;
}

const CommandRegistration registration({"verify", "[--markdown]",
                                        "runs the built-in verification cases (closed forms, p-y criteria, "
                                        "equilibrium); exit 1 when any fails",
                                        Verify});

}  // namespace
