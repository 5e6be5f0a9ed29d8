#include "checks/EmbedmentSafety.h"

#include "checks/StrengthReduction.h"
#include "engine/EngineRun.h"

#include <cmath>

namespace checks {

StageAnalyser::StageAnalyser(std::vector<WallFileBlock> earlier, WallFileBlock block, TWallSettings settings)
    : block_(std::move(block)), settings_(std::move(settings))
{
    if (settings_.springsFromInstallation)
        earlier_ = std::move(earlier);
}

SectionRun StageAnalyser::EarlierFailure(SectionRun run) const
{
    run.result.message = run.heading + ": " + (run.error.empty() ? run.result.message : run.error);
    run.error.clear();
    run.heading = block_.heading;
    return run;
}

WallFileBlock StageAnalyser::Reduced(const WallFileBlock& block, double factor, int tipNode)
{
    WallFileBlock b{block.heading, ReduceStrengths(block.block, factor)};
    if (tipNode >= 0 && tipNode < b.block.nodeCount)
        b.block = CutAtTip(b.block, tipNode);
    return b;
}

SectionRun StageAnalyser::Analyse(double factor, int tipNode)
{
    ++analyses_;
    std::vector<WallFileBlock> blocks;
    try {
        for (const WallFileBlock& b : earlier_)
            blocks.push_back(Reduced(b, factor, tipNode));
        blocks.push_back(Reduced(block_, factor, tipNode));
    } catch (const std::exception& e) {
        SectionRun failed;
        failed.heading = block_.heading;
        failed.error = block_.heading + ": " + e.what();
        failed.result.status = SolveStatus::InvalidInput;
        failed.result.message = failed.error;
        return failed;
    }
    RunOutcome outcome = EngineRun::Analyse(std::move(blocks), settings_);
    // A stage before this one that fails is this stage's failure too: its
    // anchors have no deflections to start from.
    const bool reached = outcome.sections.size() == earlier_.size() + 1;
    for (SectionRun& run : outcome.sections) {
        if (&run == &outcome.sections.back() && reached)
            return std::move(run);
        if (!run.Ok())
            return EarlierFailure(std::move(run));
    }
    return {};
}

std::string LimitText(SolveStatus status)
{
    switch (status) {
    case SolveStatus::ExcessiveDeflection: return "deflection";
    case SolveStatus::NotConverged:
    case SolveStatus::Unstable: return "no convergence";
    case SolveStatus::InvalidInput: return "invalid input";
    case SolveStatus::Converged: break;
    }
    return "";
}

namespace {

constexpr double kBracketWidth = 0.005;

void RecordFailure(SafetyFactor& out, const SectionRun& run)
{
    out.limit = LimitText(run.result.status);
    out.failure = run.Ok() ? std::string() : (run.error.empty() ? run.result.message : run.error);
}

}  // namespace

SafetyFactor FindSafetyFactor(StageAnalyser& stage)
{
    SafetyFactor out;
    SectionRun first = stage.Analyse(1);
    double lo = 1, hi = 1;
    if (first.Ok()) {
        SectionRun run;
        do {
            lo = hi;
            hi = std::min(2 * hi, kHighestFactor);
            run = stage.Analyse(hi);
        } while (run.Ok() && hi < kHighestFactor);
        if (run.Ok()) {
            out.notes.push_back("The wall holds with the strengths divided by " + std::to_string(int(kHighestFactor)) +
                                ": no safety factor is given.");
            return out;
        }
        RecordFailure(out, run);
    } else {
        if (first.result.status == SolveStatus::InvalidInput) {
            out.notes.push_back("The wall cannot be analysed: " + (first.error.empty() ? first.result.message : first.error));
            return out;
        }
        RecordFailure(out, first);
        bool holds = false;
        while (!holds && lo > kLowestFactor) {
            hi = lo;
            lo = lo / 2;
            const SectionRun run = stage.Analyse(lo);
            holds = run.Ok();
            if (!holds)
                RecordFailure(out, run);
        }
        if (!holds) {
            out.notes.push_back("The wall fails even with its strengths multiplied by 16.");
            return out;
        }
    }
    while (hi - lo > kBracketWidth) {
        const double mid = 0.5 * (lo + hi);
        SectionRun run = stage.Analyse(mid);
        if (run.Ok()) {
            lo = mid;
        } else {
            hi = mid;
            RecordFailure(out, run);
        }
    }
    out.factor = std::round(lo * 100) / 100;
    if (out.limit == "invalid input")
        out.notes.push_back("Above F the reduced strengths are refused by the input checks: " + out.failure);
    return out;
}

std::optional<int> FindRequiredTip(StageAnalyser& stage, double target)
{
    const WallBlock& b = stage.Block().block;
    const int n = b.nodeCount;
    if (!stage.Holds(target, n))
        return std::nullopt;
    // The highest node strictly below the excavation level that a tip may take.
    const int lowest = static_cast<int>(std::floor(b.wallHeight / b.increment + 1e-9)) + 1;
    int tip = n;
    while (tip - 1 >= lowest && tip - 1 >= 2 && stage.Holds(target, tip - 1))
        --tip;
    return tip;
}

std::optional<double> MobilisedPassive(const SectionRun& run)
{
    if (!run.Ok())
        return std::nullopt;
    const SectionResult& r = run.result;
    double reaction = 0, ultimate = 0;
    for (std::size_t m = 0; m < r.depth.size() && m < run.input.soil.size(); ++m) {
        const NodeSoil& soil = run.input.soil[m];
        if (!(r.depth[m] > run.input.excavation) || !soil.pyCurve)
            continue;
        const double pu = std::fabs(soil.pyCurve->Ultimate());
        if (!std::isfinite(pu) || !(pu > 0))
            continue;
        reaction += std::fabs(r.reaction[m]);
        ultimate += pu;
    }
    if (!(ultimate > 0))
        return std::nullopt;
    return reaction / ultimate;
}

}  // namespace checks
