// torvik-cli verify: runs the built-in verification cases through the engine
// and prints each computed value beside its reference; exit code 1 when any
// case fails. --markdown prints the table as the technical manual shows it,
// --json the cases for other programs (the program's Verification window).
#include "cli/Command.h"
#include "verify/Verification.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <iostream>

namespace {

// A value, or null where the case gave none (an analysis that failed).
nlohmann::ordered_json Value(double v)
{
    return std::isfinite(v) ? nlohmann::ordered_json(v) : nlohmann::ordered_json();
}

std::string Json(const std::vector<VerificationCase>& cases)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const VerificationCase& c : cases)
        list.push_back({{"group", c.group},
                        {"name", c.name},
                        {"computed", Value(c.computed)},
                        {"reference", Value(c.reference)},
                        {"error", Value(c.error)},
                        {"tolerance", c.tolerance},
                        {"passed", c.Passed()}});
    const int failed = FailedCount(cases);
    const nlohmann::ordered_json out = {
        {"cases", list}, {"passed", static_cast<int>(cases.size()) - failed}, {"failed", failed}};
    return out.dump(1) + "\n";
}

int Verify(const std::vector<std::string>& args)
{
    std::string format = "text";
    for (const std::string& a : args) {
        if (a == "--markdown" || a == "--json") {
            format = a.substr(2);
        } else {
            std::cerr << "Usage: torvik-cli verify [--markdown | --json]\n";
            return ExitUsage;
        }
    }
    const std::vector<VerificationCase> cases = RunVerification();
    if (format == "json")
        std::cout << Json(cases);
    else
        std::cout << (format == "markdown" ? VerificationMarkdown(cases) : VerificationText(cases));
    return FailedCount(cases) == 0 ? ExitOk : ExitBadInput;
}

const CommandRegistration registration({"verify", "[--markdown | --json]",
                                        "runs the built-in verification cases (closed forms, p-y criteria, "
                                        "exact-curve piles, equilibrium); exit 1 when any fails",
                                        Verify});

}  // namespace
