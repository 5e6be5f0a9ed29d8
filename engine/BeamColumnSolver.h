#pragma once
#include "engine/SectionInput.h"
#include "engine/SectionResult.h"

// The wall as a beam-column on nonlinear soil springs,
//   (EI y'')'' + (P y')' + Es y = q,
// by central finite differences on nodes 0..n with two fictitious nodes beyond
// each end (n + 5 unknowns), solved by banded LU with partial pivoting inside a
// secant iteration on the soil moduli Es = r(y)/y (and on EI from moment-EI curves),
// finished by tangent steps on the p-y curves near the solution.
class BeamColumnSolver {
public:
    // The largest number of iterations before the analysis is reported as not converged.
    static constexpr int MaxIterations = 500;

    // Analyses one section. Never throws for numeric trouble: the status says what happened.
    static SectionResult Solve(const SectionInput& input);
};
