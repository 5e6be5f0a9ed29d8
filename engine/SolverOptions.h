#pragma once

// Every number the beam-column iteration uses, with its meaning and default.
// Lengths are in the units of the wall file (L); the rest are ratios or counts.
struct SolverOptions {
    // Closure tolerance (L): the iteration has closed when the largest change of
    // deflection between two iterations, max |y_new - y_old| over the nodes, is at
    // most this. BeamColumnSolver::OptionsFor takes it from the wall file.
    double closureTolerance = 1e-5;

    // With moment-EI curves, the largest relative change of EI between two
    // iterations, max |EI_new - EI_old| / EI_old, at which EI counts as closed.
    double eiTolerance = 1e-4;

    // The most iterations before the analysis is reported as not converged.
    int maxIterations = 500;

    // The small deflection as a fraction of the wall length (1E-6). A curve without
    // a finite initial slope (Matlock's cube root, the power curves without k),
    // whose secant grows without bound toward y = 0, takes its secant at this
    // deflection wherever |y| is smaller. Curves with an initial straight line take
    // their exact secant r(y)/y at every y other than 0, and the initial slope at 0.
    double smallDeflectionRatio = 1e-6;

    // Damping: from this iteration on, an update that turns back on the previous
    // one (the dot product of the two changes of deflection is negative, an
    // oscillation of the secant moduli) switches under-relaxation on for good.
    int dampingFromIteration = 3;

    // Under-relaxation: the next deflections are w y_new + (1 - w) y_old.
    double relaxationWeight = 0.5;

    // Tangent (Newton) steps begin at the first iteration from this one on whose
    // change of deflection is at most tangentStartRatio times the largest |y|.
    int tangentFromIteration = 3;
    double tangentStartRatio = 0.5;

    // The tangent dp/dy of a p-y curve at y0 is the difference quotient over
    // y0 (1 + tangentDifference).
    double tangentDifference = 1e-6;

    // A slope held at an interior node is a rotational spring whose entries Kr h/4
    // are this many times the largest EI (see Problem::PenaltyStiffness).
    double slopePenaltyRatio = 1e4;

    // Under axial load the solution is taken as buckled (not a stable state) when the
    // work of the loads on the deflections is at most this fraction of the sum of
    // the magnitudes of its terms.
    double bucklingWorkRatio = 1e-12;

    // Anchors whose vertical component acts on the wall as axial load: that load
    // depends on the anchor forces, which depend on it. The analysis is repeated
    // with the vertical components of the last one (fixed-point iteration) until
    // the largest change of an anchor's vertical load per unit width is at most
    // anchorForceTolerance times the largest of them, for at most
    // maxAnchorIterations analyses.
    double anchorForceTolerance = 1e-7;
    int maxAnchorIterations = 50;
};
