#include "engine/BeamColumnSolver.h"

#include "engine/BandMatrix.h"
#include "units/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Row and column of node m: the unknowns are y(-2) .. y(n+2).
inline int Col(int m) { return m + 2; }

std::string Num(double v) { return FormatGeneral(v, 6); }

// The working state of one analysis: the input plus the current moduli.
class Problem {
public:
    explicit Problem(const SectionInput& in) : in_(in), n_(in.nodeCount), h_(in.increment)
    {
        ei_ = in.ei;
        es_.assign(n_ + 1, 0.0);
        offset_.assign(n_ + 1, 0.0);
        defl_.assign(n_ + 1, std::numeric_limits<double>::quiet_NaN());
        slope_.assign(n_ + 1, std::numeric_limits<double>::quiet_NaN());
        for (const Restraint& r : in.restraints)
            (r.kind == 1 ? defl_ : slope_)[r.node] = r.value;
        // Axial force between node k and k + 1: all axial loads at nodes 0..k.
        axial_.assign(n_ + 1, 0.0);
        double sum = 0;
        for (int k = 0; k <= n_; ++k)
            axial_[k] = sum += in.axialLoad[k];
        smallDeflection_ = 1e-6 * in.Length();
    }

    bool HasDefl(int m) const { return !std::isnan(defl_[m]); }
    bool HasSlope(int m) const { return !std::isnan(slope_[m]); }
    double R(int m) const { return ei_[std::clamp(m, 0, n_)]; }
    // Axial force of the segment below node k; constant beyond the ends.
    double P(int k) const { return axial_[std::clamp(k, 0, n_)]; }

    // Secant modulus r(y)/y of the node's curve. Below the small deflection a curve
    // with an initial straight line gives its initial slope (the exact secant there,
    // however stiff the curve); one without (Matlock's cube root, whose secant grows
    // without bound) gives the secant at the small deflection.
    double Secant(int m, double y) const
    {
        const NodeSoil& s = in_.soil[m];
        if (!s.curve)
            return 0;
        double ye = y;
        if (std::fabs(y) < smallDeflection_) {
            if (std::isfinite(s.initialSlope))
                return std::max(0.0, s.initialSlope);
            ye = y < 0 ? -smallDeflection_ : smallDeflection_;
        }
        const double r = s.pyCurve ? -s.pyCurve->Resistance(ye) : s.curve(ye);
        double e = r / ye;
        return std::isfinite(e) && e > 0 ? e : 0;
    }

    // The first moduli: the initial slopes, or the secant at the small deflection.
    void StartModuli()
    {
        for (int m = 0; m <= n_; ++m)
            es_[m] = Secant(m, 0.0);
    }
    void UpdateModuli(const std::vector<double>& y)
    {
        for (int m = 0; m <= n_; ++m)
            es_[m] = Secant(m, y[Col(m)]);
        std::fill(offset_.begin(), offset_.end(), 0.0);
    }

    // Tangent moduli for a Newton step from the deflections y: the soil reaction
    // r(y) is replaced by its tangent, r(y0) + kt (y - y0), so the node carries the
    // stiffness kt and the load (kt - Es) y0 on its right-hand side. The slope comes
    // from a difference over 1E-6 of the deflection, and is kept from going negative
    // (past the peak of a softening curve) so that the system stays stiff. Nodes
    // below the small deflection, and curves given only as functions, keep their
    // secant modulus.
    void UpdateTangents(const std::vector<double>& y)
    {
        for (int m = 0; m <= n_; ++m) {
            const double y0 = y[Col(m)];
            const double secant = Secant(m, y0);
            es_[m] = secant;
            offset_[m] = 0;
            const NodeSoil& s = in_.soil[m];
            if (!s.pyCurve || std::fabs(y0) < smallDeflection_)
                continue;
            const double y1 = y0 * (1 + 1e-6);
            const double slope = (-s.pyCurve->Resistance(y1) - secant * y0) / (y1 - y0);
            const double kt = std::isfinite(slope) ? std::max(0.0, slope) : secant;
            es_[m] = kt;
            offset_[m] = (kt - secant) * y0;
        }
    }
    // Whether any node has a p-y curve that a tangent step can use.
    bool HasTangents() const
    {
        for (const NodeSoil& s : in_.soil)
            if (s.pyCurve)
                return true;
        return false;
    }

    // Stiffness of the penalty spring that holds a specified slope at an interior node:
    // its entries Kr h/4 are 1E4 times the largest EI. Against a bending stiffness of
    // about EI/L this holds the slope to 1/(4E4 n) of its value, while keeping the
    // rounding of the penalised rows far below the loads they carry (a stiffer
    // penalty would spoil the equilibrium of the solution).
    double PenaltyStiffness() const
    {
        double maxR = *std::max_element(ei_.begin(), ei_.end());
        return 4e4 * maxR / h_;
    }

    // Assembles and solves; false when the matrix is singular.
    bool SolveLinear(std::vector<double>& y);

    // Moment at node m (-1..n+1) from the deflections.
    double Moment(const std::vector<double>& y, int m) const
    {
        return R(m) * (y[Col(m - 1)] - 2 * y[Col(m)] + y[Col(m + 1)]) / (h_ * h_);
    }
    double Slope(const std::vector<double>& y, int m) const { return (y[Col(m + 1)] - y[Col(m - 1)]) / (2 * h_); }
    // The axial part of the row at node m: P(m)(y(m+1)-y(m)) - P(m-1)(y(m)-y(m-1)), conservative form.
    double G(const std::vector<double>& y, int k) const { return P(k) * (y[Col(k + 1)] - y[Col(k)]); }

    // Updates EI from the moment-EI curves; returns the largest relative change.
    double UpdateEi(const std::vector<double>& y, std::vector<int>& exceeded);

    void Results(const std::vector<double>& y, SectionResult& out) const;

    const SectionInput& in_;
    int n_;
    double h_;
    std::vector<double> ei_, es_, defl_, slope_, axial_;
    std::vector<double> offset_;  // soil load of a tangent step, (kt - Es) y0 per node
    double smallDeflection_;
    BandMatrix matrix_{1, 4, 4};
};

bool Problem::SolveLinear(std::vector<double>& y)
{
    const int size = n_ + 5;
    // The storage of the last iteration, emptied.
    if (matrix_.Size() != size)
        matrix_ = BandMatrix(size, 4, 4);
    else
        matrix_.Clear();
    BandMatrix& a = matrix_;
    std::vector<double>& b = y;
    b.assign(size, 0.0);
    const double h2 = h_ * h_, h3 = h2 * h_, h4 = h3 * h_;

    // Stencil rows, m = 0..n (equation m + 2).
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
            b[e] += in_.load[m] * h3;
        }
    }
    // Couples at interior nodes act on the rows of the neighbours.
    const double penalty = PenaltyStiffness();
    for (int j = 1; j < n_; ++j) {
        double kr = in_.rotSpring[j];
        double target = 0;
        if (HasSlope(j)) {
            kr += penalty;
            target = penalty * slope_[j];
        }
        const int up = Col(j - 1), down = Col(j + 1);
        if (kr != 0) {
            const double c = kr * h_ / 4;
            if (!(HasDefl(j + 1) && j + 1 < n_)) {
                a.Add(down, down, c);
                a.Add(down, up, -c);
            }
            if (!(HasDefl(j - 1) && j - 1 > 0)) {
                a.Add(up, up, c);
                a.Add(up, down, -c);
            }
        }
        const double couple = in_.moment[j] - target;  // a slope target pulls like a couple
        if (!(HasDefl(j + 1) && j + 1 < n_))
            b[down] -= couple * h2 / 2;
        if (!(HasDefl(j - 1) && j - 1 > 0))
            b[up] += couple * h2 / 2;
    }

    // Top: shear row (equation 0) and moment row (equation 1).
    if (HasDefl(0)) {
        a.At(0, Col(0)) = 1;
        b[0] = defl_[0];
    } else {
        a.Add(0, Col(-2), -R(-1));
        a.Add(0, Col(-1), 2 * R(-1) - h2 * P(-1));
        a.Add(0, Col(0), R(1) - R(-1) - h2 * P(0) + h2 * P(-1) + 2 * h3 * in_.spring[0]);
        a.Add(0, Col(1), -2 * R(1) + h2 * P(0));
        a.Add(0, Col(2), R(1));
        b[0] = 2 * h3 * in_.load[0];
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
        b[1] = h2 * in_.moment[0];
    }
    // Tip: moment row (equation n + 3) and shear row (equation n + 4).
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
        b[em] = -h2 * in_.moment[n_];
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
        b[ev] = -2 * h3 * in_.load[n_];
    }
    if (!a.Factorise())
        return false;
    a.Solve(b);
    for (double v : b)
        if (!std::isfinite(v))
            return false;
    return true;
}

double Problem::UpdateEi(const std::vector<double>& y, std::vector<int>& exceeded)
{
    exceeded.clear();
    double change = 0;
    std::vector<double> next = ei_;
    for (const MomentEiCurve& c : in_.meiCurves) {
        if (c.points.empty())
            continue;
        for (int m = std::max(0, c.from); m <= std::min(n_, c.to); ++m) {
            const double mm = std::fabs(Moment(y, m));
            double e = c.points.back().second;
            if (mm <= c.points.front().first) {
                e = c.points.front().second;
            } else if (mm > c.points.back().first) {
                exceeded.push_back(m);
            } else {
                for (size_t i = 1; i < c.points.size(); ++i) {
                    const auto& [m0, e0] = c.points[i - 1];
                    const auto& [m1, e1] = c.points[i];
                    if (mm <= m1) {
                        e = m1 > m0 ? e0 + (e1 - e0) * (mm - m0) / (m1 - m0) : e1;
                        break;
                    }
                }
            }
            if (e > 0) {
                change = std::max(change, std::fabs(e - ei_[m]) / ei_[m]);
                next[m] = e;
            }
        }
    }
    ei_ = next;
    return change;
}

void Problem::Results(const std::vector<double>& y, SectionResult& out) const
{
    const size_t size = static_cast<size_t>(n_) + 1;
    for (auto* v : {&out.depth, &out.y, &out.slope, &out.moment, &out.shear, &out.reaction, &out.es, &out.ei,
                    &out.springForce, &out.springMoment})
        v->assign(size, 0.0);
    for (int m = 0; m <= n_; ++m) {
        out.depth[m] = m * h_;
        out.y[m] = y[Col(m)];
        out.slope[m] = Slope(y, m);
        out.moment[m] = Moment(y, m);
        out.shear[m] = (Moment(y, m + 1) - Moment(y, m - 1)) / (2 * h_) + (G(y, m) + G(y, m - 1)) / (2 * h_);
        out.es[m] = es_[m];
        out.reaction[m] = -es_[m] * out.y[m];
        out.ei[m] = ei_[m];
        out.springForce[m] = -in_.spring[m] * out.y[m];
        out.springMoment[m] = -in_.rotSpring[m] * out.slope[m];
        if (in_.soil[m].curve && std::fabs(out.y[m]) < smallDeflection_)
            (std::isfinite(in_.soil[m].initialSlope) ? out.initialSlopeNodes : out.flooredNodes).push_back(m);
    }
    out.smallDeflection = smallDeflection_;

    // Reactions of the restraints: what the replaced equation would have needed.
    const double penalty = PenaltyStiffness();
    for (const Restraint& r : in_.restraints) {
        RestraintReaction rr{r.node, r.kind, r.value, 0};
        const int m = r.node;
        if (r.kind == 1) {
            if (m == 0)
                rr.reaction = out.shear[0] - in_.load[0] + in_.spring[0] * out.y[0];
            else if (m == n_)
                rr.reaction = -out.shear[n_] - in_.load[n_] + in_.spring[n_] * out.y[n_];
            else {
                // Row m of the stencil, divided by h^3: the force the soil, springs and beam need.
                double row = (Moment(y, m - 1) - 2 * Moment(y, m) + Moment(y, m + 1)) / h_ +
                             (G(y, m) - G(y, m - 1)) / h_ + es_[m] * h_ * out.y[m] + in_.spring[m] * out.y[m];
                rr.reaction = row - in_.q[m] * h_ - in_.load[m];
                // Couples of neighbouring nodes load this row too.
                for (int j : {m - 1, m + 1}) {
                    if (j <= 0 || j >= n_)
                        continue;
                    double kr = in_.rotSpring[j] + (HasSlope(j) ? penalty : 0);
                    double target = HasSlope(j) ? penalty * slope_[j] : 0;
                    double couple = in_.moment[j] - target + kr * out.slope[j];
                    rr.reaction += (j == m - 1 ? couple : -couple) / (2 * h_);
                }
            }
        } else {
            const double theta = out.slope[m];
            if (m == 0)
                rr.reaction = out.moment[0] - in_.moment[0] - in_.rotSpring[0] * theta;
            else if (m == n_)
                rr.reaction = -out.moment[n_] - in_.moment[n_] - in_.rotSpring[n_] * theta;
            else
                rr.reaction = penalty * (theta - r.value);
        }
        out.restraints.push_back(rr);
    }

    // Moment jumps where couples act at interior nodes (concentrated moments,
    // rotational springs, slope restraints): the moment grows by the couple downwards.
    for (int j = 1; j < n_; ++j) {
        double couple = in_.moment[j] + in_.rotSpring[j] * out.slope[j];
        if (HasSlope(j))
            couple += penalty * (out.slope[j] - slope_[j]);
        if (couple != 0)
            out.jumps.push_back({j, out.moment[j] - couple / 2, out.moment[j] + couple / 2});
    }

    // Equilibrium: forces, and moments about the top (z = m h), trapezoidal weights
    // for the distributed loads and soil reactions, full weight for point forces.
    double fs = 0, fa = 0, ms = 0, ma = 0;
    auto force = [&](double f, double z) {
        fs += f;
        fa += std::fabs(f);
        ms += f * z;
        ma += std::fabs(f * z);
    };
    auto couple = [&](double c) {  // in the sense of a positive head moment
        ms -= c;
        ma += std::fabs(c);
    };
    for (int m = 0; m <= n_; ++m) {
        const double w = (m == 0 || m == n_) ? 0.5 : 1.0;
        const double z = m * h_;
        force(w * h_ * in_.q[m], z);
        force(w * h_ * out.reaction[m], z);
        force(in_.load[m], z);
        force(out.springForce[m], z);
        couple(in_.moment[m]);
        couple(in_.rotSpring[m] * out.slope[m]);
    }
    for (const RestraintReaction& r : out.restraints) {
        if (r.kind == 1)
            force(r.reaction, r.node * h_);
        else
            couple(r.reaction);
    }
    // The axial loads on the deflected wall (P-delta) take part in the moments.
    for (int k = 0; k < n_; ++k) {
        const double pd = P(k) * (out.y[k + 1] - out.y[k]);
        ms += pd;
        ma += std::fabs(pd);
    }
    // Loads that all act at the top have no moment, and pure couples no force:
    // each sum is also measured against the other's scale over the wall length,
    // which keeps the relative residuals meaningful.
    out.forceSum = fs;
    out.forceScale = std::max(fa, ma / in_.Length());
    out.momentSum = ms;
    out.momentScale = std::max(ma, fa * in_.Length());
}

// Beyond the buckling load the system is no longer positive definite: the
// linear solution exists but is not a stable state (it typically deflects
// against the load). For a stable system the work of the applied loads on the
// deflections, y^T f = y^T K y, is positive; only axial loads can make it not so.
bool BucklesUnderAxialLoad(const SectionInput& in, const SectionResult& r)
{
    bool axial = false;
    for (double a : in.axialLoad)
        axial = axial || a != 0;
    if (!axial)
        return false;
    double work = 0, scale = 0;
    auto add = [&](double w) {
        work += w;
        scale += std::fabs(w);
    };
    for (int m = 0; m <= in.nodeCount; ++m) {
        const double w = (m == 0 || m == in.nodeCount) ? 0.5 : 1.0;
        add(w * in.increment * in.q[m] * r.y[m]);
        add(in.load[m] * r.y[m]);
        add(-in.moment[m] * r.slope[m]);  // a couple works on -y'
    }
    for (const RestraintReaction& rr : r.restraints)
        add(rr.kind == 1 ? rr.reaction * rr.value : -rr.reaction * rr.value);
    return scale > 0 && work <= 1e-12 * scale;
}

}  // namespace

const char* StatusText(SolveStatus status)
{
    switch (status) {
    case SolveStatus::Converged: return "converged";
    case SolveStatus::NotConverged: return "not converged";
    case SolveStatus::ExcessiveDeflection: return "excessive deflection";
    case SolveStatus::Unstable: return "unstable";
    case SolveStatus::InvalidInput: return "invalid input";
    }
    return "invalid input";
}

SectionResult BeamColumnSolver::Solve(const SectionInput& input)
{
    SectionResult out;
    Problem p(input);
    p.StartModuli();
    std::vector<double> y, previous(input.nodeCount + 5, 0.0), lastStep(input.nodeCount + 5, 0.0);
    bool damping = false;
    std::vector<int> exceeded;
    const bool nonlinearEi = !input.meiCurves.empty();
    // Once the secant iteration has come near the solution, tangent (Newton) steps
    // finish it in a few iterations instead of many. They stop for good, and the
    // secant iteration goes on from the last secant state, when a step does not
    // shrink the change, cannot be solved or deflects too far.
    bool tangentsAllowed = !nonlinearEi && p.HasTangents();
    bool tangent = false;       // this solution came from a tangent step
    double tangentChange = 0;   // the change of the last tangent step
    std::vector<double> secantState;

    for (int it = 1; it <= MaxIterations; ++it) {
        const bool solved = p.SolveLinear(y);
        if (tangent && !solved) {
            // Back to the secant iteration from the state before the tangent steps.
            tangentsAllowed = tangent = false;
            y = secantState;
            p.UpdateModuli(y);
            previous = y;
            IterationStep failed;
            failed.iteration = it;
            failed.tangent = true;
            out.history.push_back(failed);
            continue;
        }
        if (!solved) {
            out.status = SolveStatus::Unstable;
            out.message = "The wall is not held: the equations have no unique solution (no soil resistance, "
                          "springs or restraints that stop it from moving or rotating freely).";
            return out;
        }
        IterationStep step;
        step.iteration = it;
        step.tangent = tangent;
        for (int m = 0; m <= input.nodeCount; ++m)
            step.change = std::max(step.change, std::fabs(y[Col(m)] - previous[Col(m)]));
        double largest = 0;
        int at = 0;
        for (int m = 0; m <= input.nodeCount; ++m)
            if (std::fabs(y[Col(m)]) > largest) {
                largest = std::fabs(y[Col(m)]);
                at = m;
            }
        if (tangent && (largest > input.maxDeflection || (tangentChange > 0 && step.change >= tangentChange))) {
            tangentsAllowed = tangent = false;
            y = secantState;
            p.UpdateModuli(y);
            previous = y;
            out.history.push_back(step);
            continue;
        }
        if (largest > input.maxDeflection) {
            out.history.push_back(step);
            out.status = SolveStatus::ExcessiveDeflection;
            out.message = "Excessive deflection: " + Num(largest) + " at node " + std::to_string(at) +
                          " in iteration " + std::to_string(it) + " exceeds the maximum allowable deflection " +
                          Num(input.maxDeflection) + "; the soil cannot hold the wall.";
            return out;
        }
        // EI follows the moments of this solution; the change counts toward convergence.
        std::vector<int> hinge;
        if (nonlinearEi)
            step.eiChange = p.UpdateEi(y, hinge);
        const bool converged = it > 1 && step.change <= input.tolerance && step.eiChange <= 1e-4;
        if (converged) {
            // Results from the moduli that produced this solution, so that it is exactly in equilibrium.
            if (nonlinearEi || tangent) {
                // UpdateEi moved EI on; the final moments use the EI the system was solved with.
                // The change is below 1e-4, so re-solving once with the new EI keeps them consistent.
                // After a tangent step the secant moduli of its solution give one more
                // solution, which differs from it by far less than the change.
                if (tangent)
                    p.UpdateModuli(y);
                if (!p.SolveLinear(y)) {
                    out.status = SolveStatus::Unstable;
                    out.message = "The wall is not held: the equations have no unique solution.";
                    return out;
                }
            }
            out.history.push_back(step);
            p.Results(y, out);
            for (int m : hinge)
                out.warnings.push_back("The moment-EI table was exceeded at node " + std::to_string(m) +
                                       " (moment " + Num(out.moment[m]) +
                                       "): the last EI of the table was used; a plastic hinge may form.");
            for (int m = 0; m <= input.nodeCount; ++m) {
                const NodeSoil& s = input.soil[m];
                if (s.warning) {
                    std::string text = s.warning(out.y[m]);
                    if (!text.empty())
                        out.warnings.push_back("Node " + std::to_string(m) + ": " + text);
                }
            }
            if (BucklesUnderAxialLoad(input, out)) {
                out.status = SolveStatus::Unstable;
                out.message = "The wall buckles under the axial load: the loads do no positive work on the "
                              "computed deflections, so that state is not a stable equilibrium.";
                return out;
            }
            out.status = SolveStatus::Converged;
            out.message = "Converged in " + std::to_string(it) + " iterations.";
            return out;
        }
        // Under-relax once the update turns back on the last one (an oscillation of
        // the secant moduli), and from then on: the mean of the new and old
        // deflections. Damping only while the oscillation shows would let it start
        // again at the next undamped step. A growing change alone is no trigger: it
        // is normal while the iteration softens from the stiffest moduli.
        double turn = 0;
        for (size_t i = 0; i < y.size(); ++i)
            turn += (y[i] - previous[i]) * lastStep[i];
        for (size_t i = 0; i < y.size(); ++i)
            lastStep[i] = y[i] - previous[i];
        if (it > 2 && turn < 0)
            damping = true;
        if (damping && !tangent) {
            step.relaxed = true;
            for (size_t i = 0; i < y.size(); ++i)
                y[i] = 0.5 * (y[i] + previous[i]);
        }
        out.history.push_back(step);
        if (tangent)
            tangentChange = step.change;
        // Tangent steps once the change is at most half the largest deflection.
        if (!tangent && tangentsAllowed && it > 2 && step.change <= 0.5 * largest) {
            tangent = true;
            secantState = y;
        }
        if (tangent)
            p.UpdateTangents(y);
        else
            p.UpdateModuli(y);
        previous = y;
    }
    out.status = SolveStatus::NotConverged;
    out.message = "No convergence within " + std::to_string(MaxIterations) +
                  " iterations; the last change of deflection was " + Num(out.history.back().change) +
                  ", the closure tolerance is " + Num(input.tolerance) + ".";
    return out;
}
