// torvik-cli eval EXPRESSION: the value of an expression as an entry field
// would take it, in the 18-digit general format.
#include "cli/Command.h"

#include "units/EvaluateEntry.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <iostream>

namespace {

int Eval(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::cerr << "Usage: torvik-cli eval EXPRESSION\n";
        return ExitUsage;
    }
    // Blanks mean nothing to the evaluator, so words the shell split are joined again.
    std::string expression = args[0];
    for (std::size_t i = 1; i < args.size(); ++i)
        expression += " " + args[i];
    try {
        std::cout << FormatGeneral(EvaluateEntry(expression), 18) << "\n";
        return ExitOk;
    } catch (const TorvikError& e) {
        std::string message = e.what();
        std::replace(message.begin(), message.end(), '\r', '\n');
        std::cerr << message << "\n";
        return ExitBadInput;
    }
}

const CommandRegistration registration{
    {"eval", "EXPRESSION", "evaluates an arithmetic expression as an entry field does", &Eval}};

}  // namespace
