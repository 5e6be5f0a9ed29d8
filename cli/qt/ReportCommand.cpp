// torvik-cli report WALLFILE --out FILE.pdf: the calculation report of an
// analysed wall, written as the program writes it (part of the drawing module).
#include "cli/Command.h"
#include "cli/plot/PlotModule.h"
#include "cli/qt/GuiCommand.h"
#include "run/widgets/CalculationReport.h"


#include <cstdlib>
#include <iostream>
#include <optional>

namespace {

struct ReportArguments {
    std::string wallFile, out;
    QPageSize::PageSizeId paper = QPageSize::A4;
};

std::optional<ReportArguments> Parse(const std::vector<std::string>& args)
{
    ReportArguments a;
    bool paperGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "--out" || arg == "--paper") && i + 1 >= args.size()) {
            std::cerr << "torvik-cli report: " << arg << " needs a value\n";
            return std::nullopt;
        }
        if (arg == "--out") {
            a.out = args[++i];
        } else if (arg == "--paper") {
            const QString paper = QString::fromStdString(args[++i]).toLower();
            if (paper != "a4" && paper != "letter") {
                std::cerr << "torvik-cli report: --paper is A4 or Letter, not '" << args[i] << "'\n";
                return std::nullopt;
            }
            a.paper = paper == "a4" ? QPageSize::A4 : QPageSize::Letter;
            paperGiven = true;
        } else if (a.wallFile.empty() && arg.rfind("--", 0) != 0) {
            a.wallFile = arg;
        } else {
            std::cerr << "torvik-cli report: unexpected argument '" << arg << "'\n";
            return std::nullopt;
        }
    }
    if (a.wallFile.empty() || a.out.empty()) {
        std::cerr << "Usage: torvik-cli report WALLFILE --out FILE.pdf [--paper A4|Letter]\n";
        return std::nullopt;
    }
    if (!paperGiven)
        a.paper = TCalculationReport::DefaultPaper();
    return a;
}

int Run(const std::vector<std::string>& args)
{
    const auto a = Parse(args);
    if (!a)
        return ExitUsage;
    return WithGuiApplication([&] {
        QString error;
        if (!TCalculationReport::Write(QString::fromStdString(a->wallFile), QString::fromStdString(a->out), a->paper,
                                       &error)) {
            std::cerr << "torvik-cli report: " << error.toStdString() << "\n";
            return int(ExitBadInput);
        }
        return int(ExitOk);
    });
}

}  // namespace

TORVIK_PLOT_EXPORT int TorvikCliReport(int argc, const char* const* argv)
{
    return RunModuleCommand("report", Run, argc, argv);
}
