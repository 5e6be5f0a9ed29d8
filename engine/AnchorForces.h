#pragma once
#include "engine/SectionInput.h"
#include "engine/SectionResult.h"
#include "engine/SolverOptions.h"

// Analyses a section whose anchors may put their vertical component on the
// wall as axial load. Without such anchors it is BeamColumnSolver::Solve.
// Otherwise the axial loads of `in` are those of its file plus the vertical
// components of the anchor forces of the previous analysis, repeated until they
// settle (SolverOptions::anchorForceTolerance); `in` is left with the axial
// loads of the final analysis, so that its results and input agree.
SectionResult SolveWithAnchors(SectionInput& in, const SolverOptions& options);

// The force of every lateral spring of a converged result (SectionResult::springs).
void FillSpringResults(const SectionInput& in, SectionResult& result);
