#pragma once
#include "engine/SectionRun.h"
#include "engine/WallFileReader.h"
#include "model/WallSettings.h"

#include <optional>
#include <string>
#include <vector>

// The safety of one stage or case against failure of the soil, by strength
// reduction: the factor F by which tan(phi'), c and qu must be divided for the
// analysis to fail, where failing means that the iteration does not converge
// (or the wall is not held) or that the deflection passes the maximum
// allowable deflection. Every analysis is the engine's own, in process, on the
// block as `torvik-cli run` analyses it.
namespace checks {

// The smallest and largest factor the search tries; a wall that holds at the
// largest is reported without a factor.
constexpr double kLowestFactor = 1.0 / 16;
constexpr double kHighestFactor = 100;

struct SafetyFactor {
    std::optional<double> factor;  // F to 0.01; empty when none was found
    std::string limit;             // "no convergence" or "deflection" (the failure at just above F); "" if none
    std::string failure;           // the engine's message of that failure
    std::vector<std::string> notes;
};

// Runs analyses of one block and counts them. With the wall's settings, every
// analysis applies its anchors' prestress; when springs act from their
// installation stage, the stages before the block are analysed with it (with
// the same reduced strengths and tip), as `torvik-cli run` analyses the wall
// with its strengths reduced, so that a later anchor takes only the movement
// after its installation.
class StageAnalyser {
public:
    explicit StageAnalyser(WallFileBlock block) : block_(std::move(block)) {}
    StageAnalyser(std::vector<WallFileBlock> earlier, WallFileBlock block, TWallSettings settings);

    // The block as given.
    const WallFileBlock& Block() const { return block_; }
    // The analysis of the block with strengths divided by `factor`, cut at
    // `tipNode` when that is above the tip.
    SectionRun Analyse(double factor, int tipNode = -1);
    // True when the analysis at `factor` (and tip) converges within the allowable deflection.
    bool Holds(double factor, int tipNode = -1) { return Analyse(factor, tipNode).Ok(); }
    // The number of analyses run so far.
    int Analyses() const { return analyses_; }

private:
    // The block with strengths divided by `factor`, cut at `tipNode`.
    static WallFileBlock Reduced(const WallFileBlock& block, double factor, int tipNode);
    // The failure of an earlier stage as this stage's, its message naming that stage.
    SectionRun EarlierFailure(SectionRun run) const;

    std::vector<WallFileBlock> earlier_;  // only when the analysis needs them
    WallFileBlock block_;
    TWallSettings settings_;
    int analyses_ = 0;
};

// The failure text of a status: "deflection" for an excessive deflection,
// "no convergence" for an iteration that did not converge or a wall not held,
// "invalid input" when the reduced strengths were refused.
std::string LimitText(SolveStatus status);

// F by bisection: brackets [lo, hi] by doubling or halving from 1, then halves
// the bracket until hi - lo <= 0.005 and reports lo rounded to 0.01, so that
// 0.98 F holds and 1.02 F fails (for F >= 0.51, when the safety grows
// monotonically as the strengths rise).
SafetyFactor FindSafetyFactor(StageAnalyser& stage);

// The shallowest tip node at which the analysis with strengths divided by
// `target` holds, raising the tip node by node from the present tip until the
// next node up fails; empty when the present tip fails. Only nodes below the
// excavation are tried.
std::optional<int> FindRequiredTip(StageAnalyser& stage, double target);

// The mobilised passive resistance below the excavation: sum |p| / sum pu over
// the nodes below the excavation level with a p-y curve of finite ultimate
// resistance; empty when there is none or the analysis failed.
std::optional<double> MobilisedPassive(const SectionRun& run);

}  // namespace checks
