#include "checks/EmbedmentSafety.h"

#include "checks/StrengthReduction.h"
#include "engine/EngineRun.h"

#include <cmath>

namespace checks {

StageAnalyser::StageAnalyser(WallFileBlock block, std::vector<WallFileBlock> earlier, TWallSettings settings)
    : block_(std::move(block)), settings_(std::move(settings))
{
    // Springs that act from their installation stage make a stage depend on
    // the deflections of the stages before it: those are analysed with it.
    if (settings_.springsFromInstallation)
        earlier_ = std::move(earlier);
}

namespace {

SectionRun Failed(const std::string& heading, const std::string& why)
{
    SectionRun failed;
    failed.heading = heading;
    failed.error = why;
    failed.result.status = SolveStatus::InvalidInput;
    failed.result.message = why;
    return failed;
}

// The block with strengths divided by `factor` and cut at `tipNode` when that is above its tip.
WallFileBlock Varied(const WallFileBlock& block, double factor, int tipNode)
{
    WallFileBlock b{block.heading, ReduceStrengths(block.block, factor)};
    if (tipNode >= 0 && tipNode < b.block.nodeCount)
        b.block = CutAtTip(b.block, tipNode);
    return b;
}

}  // namespace

SectionRun StageAnalyser::Analyse(double factor, int tipNode)
{
    std::vector<WallFileBlock> blocks;
    try {
        for (const WallFileBlock& e : earlier_)
            blocks.push_back(Varied(e, factor, tipNode));
        blocks.push_back(Varied(block_, factor, tipNode));
    } catch (const std::exception& e) {
        ++analyses_;
        return Failed(block_.heading, block_.heading + ": " + e.what());
    }
    analyses_ += static_cast<int>(blocks.size());
    RunOutcome outcome = EngineRun::Analyse(std::move(blocks), settings_);
    // The wall fails in this stage when it fails on the way to it: an earlier
    // stage that fails at this factor fails this one with its own failure.
    for (std::size_t k = 0; k < outcome.sections.size() && k < earlier_.size(); ++k) {
        const SectionRun& earlier = outcome.sections[k];
        if (earlier.Ok())
            continue;
        SectionRun failed = Failed(block_.heading, block_.heading + ": " + earlier.heading + " fails first: " +
                                                       (earlier.error.empty() ? earlier.result.message : earlier.error));
        failed.result.status = earlier.result.status;
        return failed;
    }
    if (outcome.sections.size() < earlier_.size() + 1)
        return Failed(block_.heading, block_.heading + ": not analysed");
    return std::move(outcome.sections.back());
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
