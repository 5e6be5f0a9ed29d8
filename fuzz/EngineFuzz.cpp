// The engine on a wall data file: reading, the input checks, the analysis of
// every stage or case, the report and the plot data text (a data file that
// cannot be read is the engine's own affair and not analysed). Walls of more than
// 200 increments are skipped so that each run stays short.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/EngineRun.h"
#include "engine/PlotFileWriter.h"
#include "engine/ReportWriter.h"
#include "engine/WallFileReader.h"
#include "fuzz/FuzzSupport.h"
#include "units/TorvikError.h"

namespace {

constexpr int MaxNodes = 200;

void CheckResult(const SectionResult& r)
{
    for (const auto* values : {&r.depth, &r.y, &r.slope, &r.moment, &r.shear, &r.reaction, &r.es, &r.ei,
                               &r.springForce, &r.springMoment})
        for (double v : *values)
            fuzz::RequireFinite(v, "node result");
    for (const RestraintReaction& x : r.restraints)
        fuzz::RequireFinite(x.reaction, "restraint reaction");
    for (const MomentJump& j : r.jumps) {
        fuzz::RequireFinite(j.above, "moment above");
        fuzz::RequireFinite(j.below, "moment below");
    }
    for (const IterationStep& s : r.history)
        if (!std::isfinite(s.change) && r.Ok())
            fuzz::RequireFinite(s.change, "change of a converged run");
    for (double v : {r.forceSum, r.momentSum, r.forceScale, r.momentScale, r.smallDeflection})
        fuzz::RequireFinite(v, "equilibrium");
}

bool HasNonFiniteWord(const std::string& text)
{
    std::string lower(text.size(), ' ');
    for (std::size_t i = 0; i < text.size(); ++i)
        lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return 0;
    const std::string path = fuzz::TempPath("wall.tk4d");
    fuzz::WriteFile(path, data, size);
    std::vector<WallFileBlock> blocks;
    try {
        blocks = WallFileReader::Read(path);
    } catch (const TorvikError&) {
    }
    std::remove(path.c_str());
    for (const WallFileBlock& b : blocks)
        if (b.block.nodeCount > MaxNodes)
            return 0;
    const RunOutcome outcome = EngineRun::Analyse(std::move(blocks));
    bool allOk = !outcome.sections.empty();
    for (const SectionRun& s : outcome.sections) {
        CheckResult(s.result);
        allOk = allOk && s.Ok();
    }
    RunInfo info;
    info.fileError = outcome.fileError;
    ReportWriter::Text(info, outcome.sections);
    ReportWriter::Notes(info, outcome.sections);
    if (allOk && HasNonFiniteWord(PlotFileWriter::Text(outcome.sections))) {
        std::fprintf(stderr, "non-finite number in the plot data text\n");
        std::abort();
    }
    return 0;
}
