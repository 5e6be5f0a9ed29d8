#pragma once
#include <string>
#include <vector>

// The force of one lateral spring (an anchor, strut or tie-back) as the output
// text, the report and the CSV give it. Forces are per unit width of wall (the
// forces on the analysed strip divided by its width) unless named per anchor;
// all in the units of the file.
struct SpringResult {
    int node = 0;
    double stiffness = 0;       // K
    double prestress = 0;       // P0, the node's share of its row's lock-off force
    int installedIn = 1;        // the stage from which it acts
    double deflectionFrom = 0;  // y at its installation (0 when it acts from an undeformed wall)
    bool lockedOff = false;     // deflectionFrom is the wall's under the jack at lock-off
    double force = 0;           // P0 + K (y - y0): positive when it holds the wall back
    bool anchor = false;        // its row has anchor settings (the values below)
    double forcePerAnchor = 0;  // force x spacing / cos(inclination)
    double vertical = 0;        // force x tan(inclination), per unit width
    bool axialLoad = false;     // the vertical component acts on the wall
};

// How an analysis ended, as the report and the run notes state it.
enum class SolveStatus { Converged, NotConverged, ExcessiveDeflection, Unstable, InvalidInput };

// The text of a status, for the report and the command line.
const char* StatusText(SolveStatus status);

// The rule that gave the solution of one iteration.
enum class StepRule {
    Secant,          // solved with the secant moduli of the previous solution
    Relaxed,         // a secant step, then under-relaxed (the moduli had oscillated)
    Tangent,         // solved with the tangents of the p-y curves (a Newton step)
    TangentRejected  // a tangent step that failed or did not shrink the change: back to the secant method
};

// One iteration of the secant method (or a tangent step near its end).
struct IterationStep {
    int iteration = 0;
    double change = 0;    // largest change of deflection since the previous iteration
    double eiChange = 0;  // largest relative change of EI (moment-EI curves)
    StepRule rule = StepRule::Secant;
};

// A force or moment that a specified deflection or slope exerts on the wall.
struct RestraintReaction {
    int node = 0;
    int kind = 1;        // 1 deflection (a force), 2 slope (a moment)
    double value = 0;    // the specified value
    double reaction = 0; // force toward +y, or couple in the sense of a positive head moment
};

// The moment just above and just below a node where a couple acts.
struct MomentJump {
    int node = 0;
    double above = 0;
    double below = 0;
};

// The outcome of one analysis (a stage or a case), per node 0..n.
struct SectionResult {
    SolveStatus status = SolveStatus::InvalidInput;
    std::string message;
    std::vector<IterationStep> history;

    std::vector<double> depth, y, slope, moment, shear, reaction, es, ei;
    std::vector<double> springForce, springMoment;
    std::vector<RestraintReaction> restraints;
    std::vector<MomentJump> jumps;
    std::vector<std::string> warnings;
    std::vector<SpringResult> springs;  // the lateral springs, by node
    int anchorIterations = 0;           // analyses of the fixed point on the anchors' axial loads (0: none)

    // The small deflection (1E-6 of the wall length) and the nodes with a p-y curve
    // whose final |y| lies below it: those whose curve has an initial slope (they
    // took the exact secant of the curve, or its initial slope at y = 0), and those
    // whose curve has none and took the secant at the small deflection.
    double smallDeflection = 0;
    std::vector<int> exactSecantNodes, flooredNodes;

    // Equilibrium of the whole wall: the sums of forces and of moments about the
    // top, and each relative to the sum of the magnitudes of its terms.
    double forceSum = 0, momentSum = 0, forceScale = 0, momentScale = 0;
    double ForceResidual() const { return forceScale > 0 ? forceSum / forceScale : 0; }
    double MomentResidual() const { return momentScale > 0 ? momentSum / momentScale : 0; }

    // True when the results are usable.
    bool Ok() const { return status == SolveStatus::Converged; }
    int Iterations() const { return static_cast<int>(history.size()); }
};
