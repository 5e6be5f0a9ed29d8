#pragma once
#include "engine/SectionInput.h"
#include "engine/SectionResult.h"
#include "engine/SolverOptions.h"

// The wall as a beam-column on nonlinear soil springs,
//   (EI y'')'' + (P y')' + Es y = q,
// by central finite differences on nodes 0..n with two fictitious nodes beyond
// each end (n + 5 unknowns), solved by banded LU with partial pivoting inside a
// secant iteration on the soil moduli Es = r(y)/y (and on EI from moment-EI curves),
// finished by tangent steps on the p-y curves near the solution.
class BeamColumnSolver {
public:
    // The options of an analysis of `input`: its closure tolerance, the rest at their defaults.
    static SolverOptions OptionsFor(const SectionInput& input);

    // Analyses one section with OptionsFor(input). Never throws for numeric
    // trouble: the status says what happened.
    static SectionResult Solve(const SectionInput& input);
    // Analyses one section with the given options.
    static SectionResult Solve(const SectionInput& input, const SolverOptions& options);
};
