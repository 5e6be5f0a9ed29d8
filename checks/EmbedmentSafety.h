#pragma once
#include "engine/SectionRun.h"
#include "engine/WallFileReader.h"
#include "model/WallSettings.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// The safety of one stage or case against failure of the soil, by strength
// reduction: the factor F by which tan(phi'), c and qu must be divided for a
// mechanism to form. A mechanism forms when the iteration finds no equilibrium
// (it does not converge, or the deflection runs away past the wall's length),
// or when the soil below the excavation can take no more: its resistance is
// fully mobilised at every node of the embedment, so that the toe kicks out
// about the lowest support. This is the failure criterion of strength-reduction
// analyses (Griffiths and Lane 1999: non-convergence with a sharp rise of the
// displacements) and, for a supported wall, the free-earth-support mechanism of
// the limit-equilibrium methods (passive resistance fully mobilised in front of
// the embedment). The maximum allowable deflection the user typed plays no part:
// it is the separate serviceability check of the wall as built.
// Every analysis is the engine's own, in process, on the block as
// `torvik-cli run` analyses it.
namespace checks {

// The smallest and largest factor the search tries; a wall that holds at the
// largest is reported without a factor.
constexpr double kLowestFactor = 1.0 / 16;
constexpr double kHighestFactor = 100;

// The limits that end the strength reduction, as the checks report them.
constexpr const char* kLimitNoConvergence = "no convergence";
constexpr const char* kLimitEmbedment = "embedment mobilised";
constexpr const char* kLimitToe = "toe kicks out";
constexpr const char* kLimitInvalidInput = "invalid input";

struct SafetyFactor {
    std::optional<double> factor;  // F to 0.01; empty when none was found
    std::string limit;  // one of the limits above (the failure at just above F); "" if none
    std::string failure;  // what failed there, in words
    std::vector<std::string> notes;
};

// One analysis of the strength reduction and whether it holds.
struct Trial {
    SectionRun run;
    std::string limit;  // "" when the wall holds, else one of the limits above
    std::string failure;  // the engine's message, or why the embedment counts as failed

    bool Holds() const { return limit.empty(); }
};

// True when, in an analysis that converged, the soil resistance is fully
// mobilised at every node at or below the excavation that has soil resistance
// (and at least one has): its reaction is within 0.1 % of its curve's ultimate
// resistance, or its deflection has passed the curve's ultimate deflection
// (softening curves).
bool EmbedmentMobilised(const SectionRun& run);

// The free-earth-support condition of a supported wall: the soil below the
// excavation, at its ultimate resistance (the p-y curves' pu, within the
// passive limit where the wall has it), must balance about the lowest support
// the moment of the loads below that support (earth and water pressure,
// surcharges, concentrated loads), taking the wall as hinged there (Blum's free
// earth support; USACE EM 1110-2-2504; FHWA GEC-4 for the embedment below the
// lowest of several supports). True when it does, or when the wall has no
// support above the excavation level (a cantilever, or one held below it).
bool ToeHolds(const SectionInput& input);

// Runs analyses of one block and counts them. With the wall's settings, every
// analysis applies its anchors' prestress; when springs act from their
// installation stage, the stages before the block are analysed first with the
// characteristic strengths (they were built and stood with the soil as it is),
// and only the block itself with its strengths reduced, so that a later anchor
// takes only the movement after its installation and a stage's factor is its own.
class StageAnalyser {
public:
    explicit StageAnalyser(WallFileBlock block) : block_(std::move(block)) {}
    StageAnalyser(std::vector<WallFileBlock> earlier, WallFileBlock block, TWallSettings settings);

    // The block as given.
    const WallFileBlock& Block() const { return block_; }
    // The analysis of the block with strengths divided by `factor`, cut at
    // `tipNode` when that is above the tip, with the deflection limit of a
    // mechanism (the wall's length) in place of the allowable deflection.
    Trial Analyse(double factor, int tipNode = -1);
    // True when no mechanism forms at `factor` (and tip).
    bool Holds(double factor, int tipNode = -1) { return Analyse(factor, tipNode).Holds(); }
    // The number of analyses run so far.
    int Analyses() const { return analyses_; }

private:
    // The block with strengths divided by `factor`, cut at `tipNode`, and the
    // deflection limit of a mechanism.
    static WallFileBlock Prepared(const WallFileBlock& block, double factor, int tipNode);
    // The analyses of the stages before the block, characteristic strengths,
    // cut at `tipNode`; made once per tip.
    const std::vector<SectionRun>& Earlier(int tipNode);
    // The trial failed by the stage before whose analysis `run` is.
    Trial EarlierFailure(const SectionRun& run) const;

    std::vector<WallFileBlock> earlier_;  // only when the analysis needs them
    std::map<int, std::vector<SectionRun>> earlierRuns_;
    WallFileBlock block_;
    TWallSettings settings_;
    int analyses_ = 0;
};

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

// The share of the ultimate soil resistance in use below the excavation:
// sum |p| / sum pu over the nodes below the excavation level with a p-y curve
// of finite ultimate resistance; empty when there is none or the analysis
// failed. Not a margin: a wall near failure may use a small share of the
// resistance of its deepest nodes.
std::optional<double> MobilisedPassive(const SectionRun& run);

}  // namespace checks
