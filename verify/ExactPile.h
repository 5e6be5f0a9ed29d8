#pragma once
// An independent solution of a free-head pile on nonlinear p-y curves: the
// same central finite-difference equations as the engine's beam-column, with
// the exact curves (no floor, no initial-slope rule), solved by Newton's method
// on a dense matrix with a backtracking line search. It shares nothing with the
// engine's iteration; it only evaluates the curves.
#include <functional>
#include <vector>

// A pile of uniform EI, nodes 0..n at spacing h from the head, a lateral force
// at the head and no other load. resistance(m, y) is the soil reaction of node m
// at deflection y, force per length in the direction of y (r(y) y >= 0).
struct ExactPile {
    int increments = 200;
    double length = 20;
    double ei = 2e5;
    std::function<double(int node, double y)> resistance;
};

// The deflections of nodes 0..n and what the verification compares.
struct ExactPileSolution {
    bool converged = false;
    int iterations = 0;
    std::vector<double> y;      // nodes 0..n
    double topDeflection = 0;   // y at the head
    double largestMoment = 0;   // largest |EI y''| over the nodes (signed)
};

// Solves the pile under the head load: Newton's method from y = 0, and when that
// fails, from the solutions of the load in a few rising steps.
ExactPileSolution SolveExactPile(const ExactPile& pile, double headLoad);
