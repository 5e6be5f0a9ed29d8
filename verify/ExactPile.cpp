#include "verify/ExactPile.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The equations of the pile, divided by EI, in the unknowns u = y(-2) .. y(n+2):
// row 0 the shear at the head, row 1 the moment at the head, rows m + 2 the
// stencil at node m (m = 0..n) with the soil reaction r(y) h^4 / EI, rows n + 3
// and n + 4 the moment and the shear at the tip.
class PileEquations {
public:
    PileEquations(const ExactPile& pile, double load)
        : pile_(pile), n_(pile.increments), size_(pile.increments + 5), h_(pile.length / pile.increments),
          h4_(h_ * h_ * h_ * h_ / pile.ei), load_(2 * h_ * h_ * h_ * load / pile.ei)
    {
    }
    int Size() const { return size_; }

    std::vector<double> Residual(const std::vector<double>& u) const
    {
        std::vector<double> f(size_);
        f[0] = -u[0] + 2 * u[1] - 2 * u[3] + u[4] - load_;
        f[1] = u[1] - 2 * u[2] + u[3];
        for (int m = 0; m <= n_; ++m)
            f[m + 2] = u[m] - 4 * u[m + 1] + 6 * u[m + 2] - 4 * u[m + 3] + u[m + 4] + h4_ * pile_.resistance(m, u[m + 2]);
        f[n_ + 3] = u[n_ + 1] - 2 * u[n_ + 2] + u[n_ + 3];
        f[n_ + 4] = u[n_ + 4] - 2 * u[n_ + 3] + 2 * u[n_ + 1] - u[n_];
        return f;
    }

    // The Jacobian, row by row (size x size), the curves' slopes by central differences.
    std::vector<double> Jacobian(const std::vector<double>& u) const
    {
        const int s = size_;
        std::vector<double> j(static_cast<size_t>(s) * s, 0.0);
        auto at = [&](int row, int col) -> double& { return j[static_cast<size_t>(row) * s + col]; };
        const double top[] = {-1, 2, 0, -2, 1}, stencil[] = {1, -4, 6, -4, 1};
        for (int k = 0; k < 5; ++k)
            at(0, k) = top[k];
        at(1, 1) = 1, at(1, 2) = -2, at(1, 3) = 1;
        for (int m = 0; m <= n_; ++m) {
            for (int k = 0; k < 5; ++k)
                at(m + 2, m + k) = stencil[k];
            at(m + 2, m + 2) += h4_ * Slope(m, u[m + 2]);
        }
        at(n_ + 3, n_ + 1) = 1, at(n_ + 3, n_ + 2) = -2, at(n_ + 3, n_ + 3) = 1;
        at(n_ + 4, n_ + 4) = 1, at(n_ + 4, n_ + 3) = -2, at(n_ + 4, n_ + 1) = 2, at(n_ + 4, n_) = -1;
        return j;
    }

private:
    double Slope(int m, double y) const
    {
        const double d = 1e-7 * std::fabs(y) + 1e-30;
        return (pile_.resistance(m, y + d) - pile_.resistance(m, y - d)) / (2 * d);
    }

    const ExactPile& pile_;
    int n_, size_;
    double h_, h4_, load_;
};

// Solves a x = b in place (a row by row, n x n) by Gaussian elimination with
// partial pivoting; false when a pivot vanishes. Zero multipliers are skipped, so
// the banded pile matrix costs far less than a full one.
bool SolveDense(std::vector<double>& a, std::vector<double>& b, int n)
{
    auto at = [&](int r, int c) -> double& { return a[static_cast<size_t>(r) * n + c]; };
    for (int k = 0; k < n; ++k) {
        int pivot = k;
        for (int r = k + 1; r < n; ++r)
            if (std::fabs(at(r, k)) > std::fabs(at(pivot, k)))
                pivot = r;
        if (!(std::fabs(at(pivot, k)) > 0))
            return false;
        if (pivot != k) {
            for (int c = 0; c < n; ++c)
                std::swap(at(k, c), at(pivot, c));
            std::swap(b[k], b[pivot]);
        }
        for (int r = k + 1; r < n; ++r) {
            const double factor = at(r, k) / at(k, k);
            if (factor == 0)
                continue;
            for (int c = k; c < n; ++c)
                at(r, c) -= factor * at(k, c);
            b[r] -= factor * b[k];
        }
    }
    for (int k = n - 1; k >= 0; --k) {
        double sum = b[k];
        for (int c = k + 1; c < n; ++c)
            sum -= at(k, c) * b[c];
        b[k] = sum / at(k, k);
    }
    return std::all_of(b.begin(), b.end(), [](double v) { return std::isfinite(v); });
}

double Norm(const std::vector<double>& v)
{
    double s = 0;
    for (double x : v)
        s += x * x;
    return std::sqrt(s);
}

// Newton's method from u: full steps, halved until the residual norm falls;
// converged when a step changes no unknown by more than 1E-10 of the largest.
bool Newton(const PileEquations& eq, std::vector<double>& u, int& iterations)
{
    std::vector<double> f = eq.Residual(u);
    for (int it = 1; it <= 200; ++it) {
        iterations = it;
        std::vector<double> j = eq.Jacobian(u), step = f;
        if (!SolveDense(j, step, eq.Size()))
            return false;
        const double norm = Norm(f);
        double t = 1;
        std::vector<double> trial(u.size());
        for (;;) {
            for (size_t i = 0; i < u.size(); ++i)
                trial[i] = u[i] - t * step[i];
            const std::vector<double> g = eq.Residual(trial);
            if (Norm(g) <= (1 - 1e-4 * t) * norm || t < 1e-6) {
                f = g;
                break;
            }
            t /= 2;
        }
        double change = 0, largest = 0;
        for (size_t i = 0; i < u.size(); ++i) {
            change = std::max(change, std::fabs(trial[i] - u[i]));
            largest = std::max(largest, std::fabs(trial[i]));
        }
        u = trial;
        // Rounding limits the residual near 1E-16 of the terms: a step that
        // changes nothing by more than 1E-10 of the largest deflection has arrived.
        if (change <= 1e-10 * largest)
            return true;
    }
    return false;
}

}  // namespace

ExactPileSolution SolveExactPile(const ExactPile& pile, double headLoad)
{
    ExactPileSolution out;
    std::vector<double> u;
    for (int steps : {1, 4, 16}) {
        u.assign(static_cast<size_t>(pile.increments) + 5, 0.0);
        out.converged = true;
        out.iterations = 0;
        for (int s = 1; s <= steps && out.converged; ++s) {
            int iterations = 0;
            out.converged = Newton(PileEquations(pile, headLoad * s / steps), u, iterations);
            out.iterations += iterations;
        }
        if (out.converged)
            break;
    }
    const int n = pile.increments;
    const double h = pile.length / n;
    out.y.assign(u.begin() + 2, u.begin() + n + 3);
    out.topDeflection = out.y.front();
    for (int m = 0; m <= n; ++m) {
        const double moment = pile.ei * (u[m + 1] - 2 * u[m + 2] + u[m + 3]) / (h * h);
        if (std::fabs(moment) > std::fabs(out.largestMoment))
            out.largestMoment = moment;
    }
    return out;
}
