#include "checks/EmbedmentSafety.h"

#include "checks/StrengthReduction.h"
#include "engine/EngineRun.h"
#include "model/FileLayout.h"

#include <algorithm>
#include <cmath>

namespace checks {

namespace {

// A node's reaction within this share of its ultimate resistance counts as fully mobilised.
constexpr double kMobilised = 1e-3;

// True when the node's soil can take no more at deflection y.
bool NodeMobilised(const NodeSoil& soil, double y, double reaction)
{
    const double pu = std::fabs(soil.pyCurve->Ultimate());
    if (std::fabs(reaction) >= (1 - kMobilised) * pu)
        return true;
    const double yu = soil.pyCurve->UltimateDeflection();
    return std::isfinite(yu) && yu > 0 && std::fabs(y) >= yu;
}

// The deepest node with a lateral spring or a specified deflection; -1 when none.
int LowestSupport(const SectionInput& in)
{
    int lowest = -1;
    for (int m = 0; m <= in.nodeCount && m < static_cast<int>(in.spring.size()); ++m)
        if (in.spring[static_cast<std::size_t>(m)] > 0)
            lowest = std::max(lowest, m);
    for (const Restraint& r : in.restraints)
        if (r.kind == kDeflectionRestraint)
            lowest = std::max(lowest, r.node);
    return lowest;
}

}  // namespace

bool ToeHolds(const SectionInput& in)
{
    const int s = LowestSupport(in);
    const double h = in.increment;
    if (s < 0 || s * h >= in.excavation)
        return true;
    double driving = 0, resisting = 0;
    for (int m = s + 1; m <= in.nodeCount; ++m) {
        const std::size_t k = static_cast<std::size_t>(m);
        const double arm = (m - s) * h, w = m == in.nodeCount ? 0.5 : 1.0;
        driving += w * in.q[k] * arm * h + in.load[k] * arm;
        const NodeSoil& soil = in.soil[k];
        if (m * h >= in.excavation && soil.pyCurve) {
            const double pu = std::fabs(soil.pyCurve->Ultimate());
            if (std::isfinite(pu))
                resisting += w * pu * arm * h;
        }
    }
    return resisting >= driving;
}

bool EmbedmentMobilised(const SectionRun& run)
{
    const SectionResult& r = run.result;
    bool any = false;
    for (std::size_t m = 0; m < r.depth.size() && m < run.input.soil.size(); ++m) {
        const NodeSoil& soil = run.input.soil[m];
        if (r.depth[m] < run.input.excavation || !soil.pyCurve)
            continue;
        const double pu = std::fabs(soil.pyCurve->Ultimate());
        if (!std::isfinite(pu) || !(pu > 0))
            continue;
        any = true;
        if (!NodeMobilised(soil, r.y[m], r.reaction[m]))
            return false;
    }
    return any;
}

StageAnalyser::StageAnalyser(std::vector<WallFileBlock> earlier, WallFileBlock block, TWallSettings settings)
    : block_(std::move(block)), settings_(std::move(settings))
{
    if (settings_.springsFromInstallation)
        earlier_ = std::move(earlier);
}

WallFileBlock StageAnalyser::Prepared(const WallFileBlock& block, double factor, int tipNode)
{
    WallFileBlock b{block.heading, factor == 1 ? block.block : ReduceStrengths(block.block, factor)};
    if (tipNode >= 0 && tipNode < b.block.nodeCount)
        b.block = CutAtTip(b.block, tipNode);
    // A deflection of the wall's length is a collapse, whatever the user allows.
    b.block.maxDeflection = b.block.nodeCount * b.block.increment;
    return b;
}

const std::vector<SectionRun>& StageAnalyser::Earlier(int tipNode)
{
    auto found = earlierRuns_.find(tipNode);
    if (found != earlierRuns_.end())
        return found->second;
    std::vector<SectionRun> runs;
    for (std::size_t k = 0; k < earlier_.size(); ++k) {
        ++analyses_;
        const int stage = static_cast<int>(k) + 1;
        runs.push_back(EngineRun::AnalyseBlock(Prepared(earlier_[k], 1, tipNode), stage, runs, settings_));
        if (!runs.back().Ok())
            break;
    }
    return earlierRuns_[tipNode] = std::move(runs);
}

Trial StageAnalyser::EarlierFailure(const SectionRun& run) const
{
    Trial t;
    t.run.heading = block_.heading;
    t.limit = run.result.status == SolveStatus::InvalidInput ? kLimitInvalidInput : kLimitNoConvergence;
    t.failure = run.heading + ": " + (run.error.empty() ? run.result.message : run.error);
    t.run.result.status = run.result.status;
    t.run.result.message = t.failure;
    return t;
}

Trial StageAnalyser::Analyse(double factor, int tipNode)
{
    Trial t;
    WallFileBlock prepared;
    try {
        prepared = Prepared(block_, factor, tipNode);
    } catch (const std::exception& e) {
        t.run.heading = block_.heading;
        t.run.error = block_.heading + ": " + e.what();
        t.run.result.status = SolveStatus::InvalidInput;
        t.run.result.message = t.run.error;
        t.limit = kLimitInvalidInput;
        t.failure = t.run.error;
        return t;
    }
    const std::vector<SectionRun>& earlier = Earlier(tipNode);
    // A stage before this one that fails is this stage's failure too: its
    // anchors have no deflections to start from.
    if (!earlier.empty() && !earlier.back().Ok())
        return EarlierFailure(earlier.back());
    ++analyses_;
    const bool staged = block_.block.stageCount > 1;
    const int stage = staged ? static_cast<int>(earlier.size()) + 1 : 0;
    t.run = EngineRun::AnalyseBlock(std::move(prepared), stage, earlier, settings_);
    if (!t.run.Ok()) {
        t.limit =
            t.run.result.status == SolveStatus::InvalidInput || !t.run.built ? kLimitInvalidInput : kLimitNoConvergence;
        t.failure = t.run.error.empty() ? t.run.result.message : t.run.error;
        return t;
    }
    if (!ToeHolds(t.run.input)) {
        t.limit = kLimitToe;
        t.failure = "the soil below the excavation at its ultimate resistance cannot hold the toe about the lowest "
                    "support (free earth support)";
        return t;
    }
    if (EmbedmentMobilised(t.run)) {
        t.limit = kLimitEmbedment;
        t.failure =
            "the soil resistance is fully mobilised at every node below the excavation level: the toe kicks out";
    }
    return t;
}

namespace {

constexpr double kBracketWidth = 0.005;

void RecordFailure(SafetyFactor& out, const Trial& trial)
{
    out.limit = trial.limit;
    out.failure = trial.failure;
}

}  // namespace

SafetyFactor FindSafetyFactor(StageAnalyser& stage)
{
    SafetyFactor out;
    const Trial first = stage.Analyse(1);
    double lo = 1, hi = 1;
    if (first.Holds()) {
        Trial trial;
        do {
            lo = hi;
            hi = std::min(2 * hi, kHighestFactor);
            trial = stage.Analyse(hi);
        } while (trial.Holds() && hi < kHighestFactor);
        if (trial.Holds()) {
            out.notes.push_back("The wall holds with the strengths divided by " + std::to_string(int(kHighestFactor)) +
                                ": no mechanism forms within the factors tried (its loads do not depend on the soil's "
                                "strength, or its supports carry them), so no safety factor is given and the check "
                                "passes.");
            return out;
        }
        RecordFailure(out, trial);
    } else {
        if (first.limit == kLimitInvalidInput) {
            out.notes.push_back("The wall cannot be analysed: " + first.failure);
            return out;
        }
        RecordFailure(out, first);
        bool holds = false;
        while (!holds && lo > kLowestFactor) {
            hi = lo;
            lo = lo / 2;
            const Trial trial = stage.Analyse(lo);
            holds = trial.Holds();
            if (!holds)
                RecordFailure(out, trial);
        }
        if (!holds) {
            out.notes.push_back("The wall fails even with its strengths multiplied by 16.");
            return out;
        }
    }
    while (hi - lo > kBracketWidth) {
        const double mid = 0.5 * (lo + hi);
        const Trial trial = stage.Analyse(mid);
        if (trial.Holds()) {
            lo = mid;
        } else {
            hi = mid;
            RecordFailure(out, trial);
        }
    }
    out.factor = std::round(lo * 100) / 100;
    if (out.limit == kLimitInvalidInput)
        out.notes.push_back("Above F the reduced strengths are refused by the input checks: " + out.failure);
    else if (!out.failure.empty())
        out.notes.push_back("Just above F: " + out.failure + (out.failure.back() == '.' ? "" : "."));
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
