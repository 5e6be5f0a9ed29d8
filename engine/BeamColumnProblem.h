#pragma once
#include "engine/BandMatrix.h"
#include "engine/SectionInput.h"
#include "engine/SectionResult.h"
#include "engine/SolverOptions.h"

#include <algorithm>
#include <vector>

// The working state of one analysis of BeamColumnSolver: the input, the current
// soil moduli and EI, the assembly and solution of the finite-difference system,
// and the results of a solution. The unknowns are y(-2) .. y(n+2): node m is
// row and column m + 2.
class BeamColumnProblem {
public:
    BeamColumnProblem(const SectionInput& input, const SolverOptions& options);

    // Row and column of node m.
    static int Col(int m) { return m + 2; }

    // Secant modulus of node m at deflection y (F/L^2, not negative): r(y)/y of
    // the node's curve wherever y is not 0 and the secant is finite; the curve's
    // initial slope at y = 0, its limit there. A curve without a finite initial
    // slope takes the secant at the small deflection wherever |y| is below it.
    double Secant(int m, double y) const;
    // Whether node m's deflection y is below the small deflection.
    bool BelowSmallDeflection(double y) const;

    // The first moduli: the initial slopes, or the secant at the small deflection.
    void StartModuli();
    // The secant moduli at the deflections y (unknown vector).
    void UpdateModuli(const std::vector<double>& y);
    // Tangent moduli for a Newton step from the deflections y (see the source).
    void UpdateTangents(const std::vector<double>& y);
    // Whether any node has a p-y curve that a tangent step can use.
    bool HasTangents() const;
    // Updates EI from the moment-EI curves; returns the largest relative change
    // and lists the nodes whose moment passed the end of their table.
    double UpdateEi(const std::vector<double>& y, std::vector<int>& exceeded);

    // Assembles and solves into y; false when the matrix is singular.
    bool SolveLinear(std::vector<double>& y);

    // The results of the solution y with the current moduli.
    void Results(const std::vector<double>& y, SectionResult& out) const;

private:
    bool HasDefl(int m) const;
    bool HasSlope(int m) const;
    double R(int m) const { return ei_[std::clamp(m, 0, n_)]; }
    // Axial force of the segment below node k; constant beyond the ends.
    double P(int k) const { return axial_[std::clamp(k, 0, n_)]; }
    double PenaltyStiffness() const;

    // Moment at node m (-1..n+1) from the deflections.
    double Moment(const std::vector<double>& y, int m) const;
    double Slope(const std::vector<double>& y, int m) const;
    // The axial part of the row at node m: G(m) - G(m-1), conservative form.
    double G(const std::vector<double>& y, int k) const;

    // The steps of SolveLinear.
    void ClearSystem(std::vector<double>& b);
    void AssembleNodeRows(std::vector<double>& b);
    void AssembleCouples(std::vector<double>& b);
    void AssembleTopRows(std::vector<double>& b);
    void AssembleTipRows(std::vector<double>& b);

    // The steps of Results.
    double SpringForce(int m, double y) const;
    double SpringMoment(int m, double slope) const;
    void NodeResults(const std::vector<double>& y, SectionResult& out) const;
    double DeflectionReaction(const std::vector<double>& y, const SectionResult& out, int m) const;
    void RestraintReactions(const std::vector<double>& y, SectionResult& out) const;
    void MomentJumps(SectionResult& out) const;
    void Equilibrium(SectionResult& out) const;

    const SectionInput& in_;
    const SolverOptions& options_;
    int n_;
    double h_;
    std::vector<double> ei_, es_, defl_, slope_, axial_;
    // Concentrated loads and moments with the constant parts of the springs
    // installed on a moved wall (and their prestress) added.
    std::vector<double> load_, moment_;
    std::vector<double> offset_;  // soil load of a tangent step, (kt - Es) y0 per node
    double smallDeflection_;
    BandMatrix matrix_{1, 4, 4};
};
