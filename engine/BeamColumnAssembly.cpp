// The finite-difference system of BeamColumnProblem: the stencil rows of the
// nodes, the couples at interior nodes, and the end conditions at the top and tip.
#include "engine/BeamColumnProblem.h"

#include <cmath>

bool BeamColumnProblem::SolveLinear(std::vector<double>& y)
{
    ClearSystem(y);
    AssembleNodeRows(y);
    AssembleCouples(y);
    AssembleTopRows(y);
    AssembleTipRows(y);
    if (!matrix_.Factorise())
        return false;
    matrix_.Solve(y);
    for (double v : y)
        if (!std::isfinite(v))
            return false;
    return true;
}

// The storage of the last iteration, emptied; b becomes the zero right-hand side.
void BeamColumnProblem::ClearSystem(std::vector<double>& b)
{
    const int size = n_ + 5;
    if (matrix_.Size() != size)
        matrix_ = BandMatrix(size, 4, 4);
    else
        matrix_.Clear();
    b.assign(size, 0.0);
}

// Stencil rows, m = 0..n (equation m + 2); a specified deflection at an interior
// node replaces its row.
void BeamColumnProblem::AssembleNodeRows(std::vector<double>& b)
{
    BandMatrix& a = matrix_;
    const double h2 = h_ * h_, h3 = h2 * h_, h4 = h3 * h_;
    for (int m = 0; m <= n_; ++m) {
        const int e = Col(m);
        if (HasDefl(m) && m > 0 && m < n_) {
            a.SetIdentityRow(e);
            b[e] = defl_[m];
            continue;
        }
        a.Add(e, Col(m - 2), R(m - 1));
        a.Add(e, Col(m - 1), -2 * R(m - 1) - 2 * R(m) + h2 * P(m - 1));
        a.Add(e, Col(m), R(m - 1) + 4 * R(m) + R(m + 1) - h2 * (P(m) + P(m - 1)) + es_[m] * h4);
        a.Add(e, Col(m + 1), -2 * R(m) - 2 * R(m + 1) + h2 * P(m));
        a.Add(e, Col(m + 2), R(m + 1));
        b[e] += (in_.q[m] + offset_[m]) * h4;
        if (m > 0 && m < n_) {
            a.Add(e, Col(m), in_.spring[m] * h3);
            b[e] += load_[m] * h3;
        }
    }
}

// Couples at interior nodes (moments, rotational springs, slope restraints) act on
// the rows of the neighbours.
void BeamColumnProblem::AssembleCouples(std::vector<double>& b)
{
    BandMatrix& a = matrix_;
    const double h2 = h_ * h_;
    const double penalty = PenaltyStiffness();
    for (int j = 1; j < n_; ++j) {
        double kr = in_.rotSpring[j];
        double target = 0;
        if (HasSlope(j)) {
            kr += penalty;
            target = penalty * slope_[j];
        }
        const int up = Col(j - 1), down = Col(j + 1);
        const bool downFree = !(HasDefl(j + 1) && j + 1 < n_), upFree = !(HasDefl(j - 1) && j - 1 > 0);
        if (kr != 0) {
            const double c = kr * h_ / 4;
            if (downFree) {
                a.Add(down, down, c);
                a.Add(down, up, -c);
            }
            if (upFree) {
                a.Add(up, up, c);
                a.Add(up, down, -c);
            }
        }
        const double couple = moment_[j] - target;  // a slope target pulls like a couple
        if (downFree)
            b[down] -= couple * h2 / 2;
        if (upFree)
            b[up] += couple * h2 / 2;
    }
}

// Top: shear row (equation 0) and moment row (equation 1).
void BeamColumnProblem::AssembleTopRows(std::vector<double>& b)
{
    BandMatrix& a = matrix_;
    const double h2 = h_ * h_, h3 = h2 * h_;
    if (HasDefl(0)) {
        a.At(0, Col(0)) = 1;
        b[0] = defl_[0];
    } else {
        a.Add(0, Col(-2), -R(-1));
        a.Add(0, Col(-1), 2 * R(-1) - h2 * P(-1));
        a.Add(0, Col(0), R(1) - R(-1) - h2 * P(0) + h2 * P(-1) + 2 * h3 * in_.spring[0]);
        a.Add(0, Col(1), -2 * R(1) + h2 * P(0));
        a.Add(0, Col(2), R(1));
        b[0] = 2 * h3 * load_[0];
    }
    if (HasSlope(0)) {
        a.At(1, Col(1)) = 1;
        a.At(1, Col(-1)) = -1;
        b[1] = 2 * h_ * slope_[0];
    } else {
        const double c = in_.rotSpring[0] * h_ / 2;
        a.Add(1, Col(-1), R(0) + c);
        a.Add(1, Col(0), -2 * R(0));
        a.Add(1, Col(1), R(0) - c);
        b[1] = h2 * moment_[0];
    }
}

// Tip: moment row (equation n + 3) and shear row (equation n + 4).
void BeamColumnProblem::AssembleTipRows(std::vector<double>& b)
{
    BandMatrix& a = matrix_;
    const double h2 = h_ * h_, h3 = h2 * h_;
    const int em = n_ + 3, ev = n_ + 4;
    if (HasSlope(n_)) {
        a.At(em, Col(n_ + 1)) = 1;
        a.At(em, Col(n_ - 1)) = -1;
        b[em] = 2 * h_ * slope_[n_];
    } else {
        const double c = in_.rotSpring[n_] * h_ / 2;
        a.Add(em, Col(n_ - 1), R(n_) - c);
        a.Add(em, Col(n_), -2 * R(n_));
        a.Add(em, Col(n_ + 1), R(n_) + c);
        b[em] = -h2 * moment_[n_];
    }
    if (HasDefl(n_)) {
        a.At(ev, Col(n_)) = 1;
        b[ev] = defl_[n_];
    } else {
        a.Add(ev, Col(n_ + 2), R(n_ + 1));
        a.Add(ev, Col(n_ + 1), -2 * R(n_ + 1) + h2 * P(n_));
        a.Add(ev, Col(n_), R(n_ + 1) - R(n_ - 1) - h2 * P(n_) + h2 * P(n_ - 1) - 2 * h3 * in_.spring[n_]);
        a.Add(ev, Col(n_ - 1), 2 * R(n_ - 1) - h2 * P(n_ - 1));
        a.Add(ev, Col(n_ - 2), -R(n_ - 1));
        b[ev] = -2 * h3 * load_[n_];
    }
}
