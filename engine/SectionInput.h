#pragma once
#include "engine/PyCurve.h"
#include "model/WallSettings.h"
#include "units/Units.h"

#include <functional>
#include <memory>
#include <limits>
#include <string>
#include <utility>
#include <vector>

// The soil resistance of one node: r(y), force per unit length of wall in the
// direction of the deflection y (r(y) y >= 0); the soil pushes back with -r(y).
using ResistanceCurve = std::function<double(double y)>;

// A specified deflection (kind 1) or slope (kind 2) at a node.
struct Restraint {
    int kind = 1;
    int node = 0;
    double value = 0;
};

// A moment-EI table for the nodes From..To: (|moment|, EI) points by rising moment.
struct MomentEiCurve {
    int from = 0;
    int to = 0;
    std::vector<std::pair<double, double>> points;
};

// The soil spring of one node as the solver and the plot file need it.
struct NodeSoil {
    ResistanceCurve curve;     // empty: no soil resistance at this node
    // The p-y curve behind `curve` when there is one: the solver evaluates it
    // directly, -Resistance(y), which is `curve` without the wrapper's indirection.
    std::shared_ptr<const engine::PyCurve> pyCurve;
    double ultimateDeflection = 0;  // where the curve reaches its ultimate value (0: unknown)
    // dr/dy at y = 0 (F/L^2); infinity where the curve has no initial straight line.
    double initialSlope = std::numeric_limits<double>::infinity();
    std::string criterion;     // the curve's origin, for the report
    // A warning for the report when the final deflection passes a limit of the
    // criterion (brittle rock); empty text otherwise. May be empty.
    std::function<std::string(double y)> warning;
};

// A spring row whose anchor settings are given (spacing, inclination, axial load,
// capacity), in the units of the file: it covers the nodes from..to.
struct AnchorRow {
    int from = 0;
    int to = 0;
    TAnchorSettings anchor;
};

// One analysis of the wall: a stage, or the short- or long-term case, with
// everything expanded to the nodes. Units are those of the file (English: in,
// lb; SI: m, kN; other: consistent L, F).
struct SectionInput {
    std::string heading;   // "Stage 2", "Short-term case", ...
    UnitSystem unitSystem = UnitSystem::English;
    int nodeCount = 0;       // n: nodes 0..n
    double increment = 0;    // h
    double maxDeflection = 0;
    double tolerance = 0;
    double excavation = 0;   // H, depth of the excavation below the top

    std::vector<double> ei;          // n + 1 values, from the stiffness table
    std::vector<double> load;        // concentrated lateral load F per node
    std::vector<double> moment;      // concentrated moment per node
    std::vector<double> axialLoad;   // axial load applied at the node (compression positive)
    std::vector<double> spring;      // lateral spring K per node
    std::vector<double> rotSpring;   // rotational spring Kr per node
    std::vector<Restraint> restraints;
    std::vector<MomentEiCurve> meiCurves;

    // Springs and restraints installed on a wall that had already moved act on the
    // change since their installation: a lateral spring K at node m pushes with
    // -K (y - springFrom[m]) - prestress[m], a rotational spring with
    // -Kr (slope - rotSpringFrom[m]); a restraint holds y - deflectionFrom[m] (or
    // slope - slopeFrom[m]) at its value. All zero for a wall built in one stage.
    std::vector<double> springFrom, rotSpringFrom, deflectionFrom, slopeFrom;
    // Lock-off force per node on the analysed strip, pulling the wall toward the
    // retained side (-y), as an anchor or a strut does.
    std::vector<double> prestress;
    // The width of wall the analysis stands for (the active width Wa of generated
    // earth pressure; one unit of length otherwise): the forces of springs and
    // loads act on it, so a force per unit width is the force divided by it.
    double stripWidth = 1;
    // The stage in which the node's lateral spring was installed (1: present from the first).
    std::vector<int> installedIn;
    // True at a node whose spring was locked off in this analysis's stage or
    // before: springFrom is its deflection under the jack, not at the end of the
    // stage before (lock-off as built).
    std::vector<bool> lockedOff;
    // Spring rows with anchor settings.
    std::vector<AnchorRow> anchors;
    // The stage's number in a staged file (0: not a stage), and whether its
    // springs and restraints act from their installation stage.
    int stage = 0;
    bool fromInstallation = false;

    // Distributed load on the wall per node (force per unit length): total,
    // and its parts from the soils and from the surcharge loads.
    std::vector<double> q, qSoil, qSurcharge;
    std::vector<NodeSoil> soil;      // n + 1 entries

    // Lines the report prints under "Choices made" and the warnings of building the section.
    std::vector<std::string> choices;
    std::vector<std::string> warnings;

    // Resizes every per-node vector to n + 1 zeros.
    void Allocate(int n);
    // The constant part of the spring force at node m (force toward +y):
    // K springFrom - prestress; zero for springs that act from an undeformed wall.
    double SpringLoad(int m) const;
    // The constant part of the rotational spring's couple at node m, in the sense
    // of a concentrated moment: -Kr rotSpringFrom.
    double SpringCouple(int m) const;
    // Wall length n h.
    double Length() const { return nodeCount * increment; }
};
