// torvik-cli run: analyses a saved wall data file exactly as the program's Run
// Analysis does after saving (names.dat in a run folder of its own, the engine
// library loaded from the program's directory, its entry point called with 6,
// the library released), then prints the status of each stage or case, the largest
// deflection and moment of each with their depths, and the force of each spring
// or anchor.
#include "cli/Command.h"
#include "engine/WallFileReader.h"
#include "run/AnalysisRun.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"
#include "run/SpringTable.h"
#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <utility>

namespace fs = std::filesystem;

namespace {

// The point of a result line with the largest magnitude of X.
const TFloatPoint* Largest(const TLine& line)
{
    const TFloatPoint* best = nullptr;
    for (const TFloatPoint& p : line.Points)
        if (!best || std::fabs(p.X) > std::fabs(best->X))
            best = &p;
    return best;
}

// The messages of the run separate their sentences by carriage returns.
std::string Lines(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

std::string Num(long double v)
{
    return FormatGeneral(v, 6);
}

// The basis of each analysis's moments ("/m", " per 2.5 m strip"): the strip
// analysed is the active width Wa of generated earth pressure, else one length
// unit. Empty where the data file cannot be read.
std::vector<std::string> StripBases(const std::string& wall)
{
    std::vector<std::string> bases;
    try {
        for (const WallFileBlock& b : WallFileReader::Read(wall))
            bases.push_back(StripBasis(b.block.unitSystem, b.block.StripWidth()));
    } catch (const std::exception&) {
        bases.clear();
    }
    return bases;
}

void PrintMaxima(const TResultGraphs& graphs, const std::vector<std::string>& bases)
{
    const UnitSystem units = graphs.Deflection.Units();
    const std::string depth = units == UnitSystem::English ? "ft" : units == UnitSystem::SI ? "m" : "L";
    const std::string deflection = units == UnitSystem::English ? "in" : units == UnitSystem::SI ? "m" : "L";
    const std::string moment = QuantityLabelsOf(units).resultMoment;
    for (int k = 0; k < graphs.Deflection.LineCount() && k < graphs.Moment.LineCount(); ++k) {
        const TFloatPoint* y = Largest(graphs.Deflection.Lines(k));
        const TFloatPoint* m = Largest(graphs.Moment.Lines(k));
        if (!y || !m)
            continue;
        const std::string basis = static_cast<std::size_t>(k) < bases.size() ? bases[static_cast<std::size_t>(k)] : "";
        std::cout << "Section " << k + 1 << ": maximum deflection " << Num(y->X) << " " << deflection << " at depth "
                  << Num(y->Y) << " " << depth << "; maximum moment " << Num(m->X) << " " << moment << basis
                  << " at depth " << Num(m->Y) << " " << depth << "\n";
    }
}

// The unit of a column heading "F (kN/m)": "kN/m".
std::string UnitOf(const TSpringTable& table, size_t column)
{
    const std::string& h = column < table.Header.size() ? table.Header[column] : std::string();
    const size_t open = h.find('('), close = h.rfind(')');
    return open == std::string::npos || close == std::string::npos || close < open ? "" : h.substr(open + 1, close - open - 1);
}

// One line per spring and analysis from the output text's table: force per unit
// width, and per anchor where the row has anchor settings.
void PrintSprings(const std::string& wall)
{
    const TSpringTable table = LoadSpringTable(wall);
    for (const TSpringTable::Row& r : table.Rows) {
        const std::string& perAnchor = r.Cells[SpringColumnPerAnchor];
        std::cout << r.Stage << ": spring at node " << r.Cells[0] << " (depth " << r.Cells[1] << " "
                  << UnitOf(table, 1) << "): force " << r.Cells[SpringColumnForce] << " "
                  << UnitOf(table, SpringColumnForce)
                  << (perAnchor == "-" ? std::string() : ", " + perAnchor + " " + UnitOf(table, SpringColumnPerAnchor) + " per anchor")
                  << "\n";
    }
}

int RunAnalysis(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::cerr << "Usage: torvik-cli run WALLFILE\n";
        return ExitUsage;
    }
    const std::string wall = fs::absolute(args[0]).lexically_normal().string();
    if (!fs::is_regular_file(wall)) {
        std::cerr << "torvik-cli run: " << NotAWallFile(wall) << "\n";
        return ExitBadInput;
    }
    TRunResults results;
    const TEngineCall call = CallEngine(wall, ProgramDirectory(), &results);
    if (call != TEngineCall::Completed) {
        std::cerr << "torvik-cli run: "
                  << (call == TEngineCall::LoadFailed ? InitializeFailedMessage : ReinitializeMessage) << "\n";
        return ExitBadInput;
    }
    if (!results.problem.empty())
        std::cerr << "torvik-cli run: " << Lines(results.problem) << "\n";
    // Only the files this run wrote are named: files left beside the wall by
    // an earlier run are never passed off as this run's results.
    const auto written = [&results](const std::string& path) {
        return std::find(results.written.begin(), results.written.end(), path) != results.written.end();
    };
    const std::string output = ReplaceExtension(wall, ".tk4o");
    const std::string notes = ReplaceExtension(wall, ".tk4r");
    const std::string plot = ReplaceExtension(wall, ".tk4p");
    if (!written(output) || !written(notes)) {
        std::cout << "The results of this run were not written beside the wall.\n";
        for (const auto& [label, path] :
             {std::pair<const char*, std::string>{"Output text", output}, {"Run notes", notes}, {"Plot data", plot}})
            std::cout << label << (written(path) ? ": " : " not written: ") << path << "\n";
        return ExitBadInput;
    }
    for (const std::string& line : RunStatusLines(notes))
        std::cout << line << "\n";
    std::cout << "Output text: " << output << "\n";
    std::cout << "Run notes:   " << notes << "\n";
    if (!written(plot)) {
        std::cout << "No plot data file was written.\n";
        return ExitBadInput;
    }
    std::cout << "Plot data:   " << plot << "\n";
    TResultGraphs graphs;
    std::string error;
    if (LoadWallResults(wall, graphs, error)) {
        PrintMaxima(graphs, StripBases(wall));
        PrintSprings(wall);
    } else
        std::cerr << "torvik-cli run: " << error << "\n";
    return ExitOk;
}

const CommandRegistration registration({"run", "WALLFILE",
                                        "analyses a saved wall with the engine library and prints a summary",
                                        RunAnalysis});

}  // namespace
