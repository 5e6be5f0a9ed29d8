// The results of a solution of BeamColumnProblem: the values per node, the
// reactions of the restraints, the moment jumps at couples and the equilibrium
// of the whole wall.
#include "engine/BeamColumnProblem.h"

#include "model/FileLayout.h"

#include <cmath>

void BeamColumnProblem::Results(const std::vector<double>& y, SectionResult& out) const
{
    NodeResults(y, out);
    RestraintReactions(y, out);
    MomentJumps(out);
    Equilibrium(out);
}

// The force of node m's lateral spring on the wall (toward +y): -K (y - y0) - P0,
// with y0 the deflection at its installation and P0 its prestress.
double BeamColumnProblem::SpringForce(int m, double y) const
{
    const double from = in_.springFrom.empty() ? 0.0 : in_.springFrom[m];
    const double p0 = in_.prestress.empty() ? 0.0 : in_.prestress[m];
    return -in_.spring[m] * (y - from) - p0;
}

// The couple of node m's rotational spring: -Kr (slope - slope at installation).
double BeamColumnProblem::SpringMoment(int m, double slope) const
{
    const double from = in_.rotSpringFrom.empty() ? 0.0 : in_.rotSpringFrom[m];
    return -in_.rotSpring[m] * (slope - from);
}

void BeamColumnProblem::NodeResults(const std::vector<double>& y, SectionResult& out) const
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
        out.springForce[m] = SpringForce(m, out.y[m]);
        out.springMoment[m] = SpringMoment(m, out.slope[m]);
        if (in_.soil[m].curve && BelowSmallDeflection(out.y[m]))
            (std::isfinite(in_.soil[m].initialSlope) ? out.exactSecantNodes : out.flooredNodes).push_back(m);
    }
    out.smallDeflection = smallDeflection_;
}

// The force a specified deflection at interior node m exerts: row m of the
// stencil divided by h^3, the force the soil, springs and beam need, less the loads.
double BeamColumnProblem::DeflectionReaction(const std::vector<double>& y, const SectionResult& out, int m) const
{
    const double row = (Moment(y, m - 1) - 2 * Moment(y, m) + Moment(y, m + 1)) / h_ + (G(y, m) - G(y, m - 1)) / h_ +
                       es_[m] * h_ * out.y[m] + in_.spring[m] * out.y[m];
    double reaction = row - in_.q[m] * h_ - load_[m];
    // Couples of neighbouring nodes load this row too.
    const double penalty = PenaltyStiffness();
    for (int j : {m - 1, m + 1}) {
        if (j <= 0 || j >= n_)
            continue;
        const double kr = in_.rotSpring[j] + (HasSlope(j) ? penalty : 0);
        const double target = HasSlope(j) ? penalty * slope_[j] : 0;
        const double couple = moment_[j] - target + kr * out.slope[j];
        reaction += (j == m - 1 ? couple : -couple) / (2 * h_);
    }
    return reaction;
}

// Reactions of the restraints: what the replaced equation would have needed.
void BeamColumnProblem::RestraintReactions(const std::vector<double>& y, SectionResult& out) const
{
    const double penalty = PenaltyStiffness();
    for (const Restraint& r : in_.restraints) {
        RestraintReaction rr{r.node, r.kind, r.value, 0};
        const int m = r.node;
        if (r.kind == kDeflectionRestraint) {
            if (m == 0)
                rr.reaction = out.shear[0] - in_.load[0] - out.springForce[0];
            else if (m == n_)
                rr.reaction = -out.shear[n_] - in_.load[n_] - out.springForce[n_];
            else
                rr.reaction = DeflectionReaction(y, out, m);
        } else {
            const double theta = out.slope[m];
            if (m == 0)
                rr.reaction = out.moment[0] - moment_[0] - in_.rotSpring[0] * theta;
            else if (m == n_)
                rr.reaction = -out.moment[n_] - moment_[n_] - in_.rotSpring[n_] * theta;
            else
                rr.reaction = penalty * (theta - slope_[m]);
        }
        out.restraints.push_back(rr);
    }
}

// Moment jumps where couples act at interior nodes (concentrated moments,
// rotational springs, slope restraints): the moment grows by the couple downwards.
void BeamColumnProblem::MomentJumps(SectionResult& out) const
{
    const double penalty = PenaltyStiffness();
    for (int j = 1; j < n_; ++j) {
        double couple = moment_[j] + in_.rotSpring[j] * out.slope[j];
        if (HasSlope(j))
            couple += penalty * (out.slope[j] - slope_[j]);
        if (couple != 0)
            out.jumps.push_back({j, out.moment[j] - couple / 2, out.moment[j] + couple / 2});
    }
}

// Equilibrium: forces, and moments about the top (z = m h), trapezoidal weights
// for the distributed loads and soil reactions, full weight for point forces.
void BeamColumnProblem::Equilibrium(SectionResult& out) const
{
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
        couple(-out.springMoment[m]);
    }
    for (const RestraintReaction& r : out.restraints) {
        if (r.kind == kDeflectionRestraint)
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
