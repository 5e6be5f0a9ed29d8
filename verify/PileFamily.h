#pragma once
// Free-head piles on every p-y criterion and on external curves, each at three
// head loads (the weak-rock socket at four) from inside the linear range to near
// the ultimate resistance of the upper soil,
// analysed by the engine and by the independent exact-curve solution.
#include "engine/PyCurve.h"
#include "engine/SolverOptions.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// One pile of the family: 20 m long, EI 2E5 kN m^2, b = 0.6 m, 200 increments,
// SI units (kN, m), the curve of each node from its depth below the head.
struct PileFamilyCase {
    std::string criterion;  // "soft clay, Matlock (1970)"
    std::vector<double> loads;  // head loads (kN), rising
    std::function<std::shared_ptr<const engine::PyCurve>(int node, double depth)> curve;
};

// The family: the seven criteria and the external curves.
const std::vector<PileFamilyCase>& PileFamily();

// Top deflection and largest moment of one pile at one head load, by the engine
// and by the exact-curve solution; ok false where either failed.
struct PileComparison {
    bool engineOk = false, exactOk = false;
    double engineTop = 0, exactTop = 0;
    double engineMoment = 0, exactMoment = 0;
    std::string engineMessage;  // how the engine's analysis ended
    // Nodes whose final deflection lies below the engine's small deflection yet
    // past the initial straight line of their curve (r(y) below k0 y).
    int pastLineBelowSmall = 0;
};

// The engine's options for the family: closure tolerance 1E-10 m, the rest default.
SolverOptions PileFamilyOptions();

// Analyses the pile under the head load both ways; the engine with `options`.
PileComparison ComparePile(const PileFamilyCase& pile, double load, const SolverOptions& options = PileFamilyOptions());

// The number of increments and the length of the family's piles.
constexpr int PileIncrements = 200;
constexpr double PileLength = 20;
constexpr double PileEi = 2e5;
constexpr double PileWidth = 0.6;
