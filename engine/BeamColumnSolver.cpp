#include "engine/BeamColumnSolver.h"

#include "engine/BeamColumnProblem.h"
#include "model/FileLayout.h"
#include "units/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace {

std::string Num(double v) { return FormatGeneral(v, 6); }

int Col(int m) { return BeamColumnProblem::Col(m); }

// Beyond the buckling load the system is no longer positive definite: the
// linear solution exists but is not a stable state (it typically deflects
// against the load). For a stable system the work of the applied loads on the
// deflections, y^T f = y^T K y, is positive; only axial loads can make it not so.
bool BucklesUnderAxialLoad(const SectionInput& in, const SectionResult& r, double workRatio)
{
    const bool axial = std::any_of(in.axialLoad.begin(), in.axialLoad.end(), [](double a) { return a != 0; });
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
        add((in.load[m] + in.SpringLoad(m)) * r.y[m]);
        add(-(in.moment[m] + in.SpringCouple(m)) * r.slope[m]);  // a couple works on -y'
    }
    for (const RestraintReaction& rr : r.restraints) {
        // A restraint installed on a moved wall holds its value plus the deflection (slope) then.
        const std::vector<double>& shift = rr.kind == kDeflectionRestraint ? in.deflectionFrom : in.slopeFrom;
        const double value = rr.value + (static_cast<size_t>(rr.node) < shift.size() ? shift[rr.node] : 0.0);
        add(rr.kind == kDeflectionRestraint ? rr.reaction * value : -rr.reaction * value);
    }
    return scale > 0 && work <= workRatio * scale;
}

// The secant iteration of one analysis. Each iteration solves the linear system
// with the current moduli, measures the change of deflection, stops when it has
// closed (or the wall deflects too far), and chooses the moduli of the next one:
// secant moduli, under-relaxed once they oscillate, or tangent moduli near the end.
//
// Once the secant iteration has come near the solution, tangent (Newton) steps
// finish it in a few iterations instead of many. They stop for good, and the
// secant iteration goes on from the last secant state, when a step does not
// shrink the change, cannot be solved or deflects too far.
class Iteration {
public:
    Iteration(const SectionInput& input, const SolverOptions& options)
        : in_(input), options_(options), problem_(input, options), previous_(input.nodeCount + 5, 0.0),
          lastStep_(input.nodeCount + 5, 0.0), nonlinearEi_(!input.meiCurves.empty())
    {
        tangentsAllowed_ = !nonlinearEi_ && problem_.HasTangents();
        problem_.StartModuli();
    }

    SectionResult Run();

private:
    void RejectTangents(IterationStep step);
    void Measure(IterationStep& step);
    void Finish(int it, IterationStep step, const std::vector<int>& hinge);
    void Relax(int it, IterationStep& step);
    void NextModuli(int it, const IterationStep& step);
    // Sets how the analysis ended.
    void End(SolveStatus status, std::string message);

    const SectionInput& in_;
    const SolverOptions& options_;
    BeamColumnProblem problem_;
    SectionResult out_;
    std::vector<double> y_, previous_, lastStep_;
    const bool nonlinearEi_;
    bool damping_ = false;
    bool tangentsAllowed_ = false;
    bool tangent_ = false;       // this solution came from a tangent step
    double tangentChange_ = 0;   // the change of the last tangent step
    std::vector<double> secantState_;
    double largest_ = 0;  // largest |y| of this solution, at node at_
    int at_ = 0;
};

SectionResult Iteration::Run()
{
    for (int it = 1; it <= options_.maxIterations; ++it) {
        IterationStep step;
        step.iteration = it;
        step.rule = tangent_ ? StepRule::Tangent : StepRule::Secant;
        if (!problem_.SolveLinear(y_)) {
            if (tangent_) {
                RejectTangents(step);
                continue;
            }
            End(SolveStatus::Unstable, "The wall is not held: the equations have no unique solution (no soil "
                                        "resistance, springs or restraints that stop it from moving or rotating freely).");
            return out_;
        }
        Measure(step);
        if (tangent_ && (largest_ > in_.maxDeflection || (tangentChange_ > 0 && step.change >= tangentChange_))) {
            RejectTangents(step);
            continue;
        }
        if (largest_ > in_.maxDeflection) {
            out_.history.push_back(step);
            End(SolveStatus::ExcessiveDeflection,
                 "Excessive deflection: " + Num(largest_) + " at node " + std::to_string(at_) + " in iteration " +
                     std::to_string(it) + " exceeds the maximum allowable deflection " + Num(in_.maxDeflection) +
                     "; the soil cannot hold the wall.");
            return out_;
        }
        // EI follows the moments of this solution; the change counts toward convergence.
        std::vector<int> hinge;
        if (nonlinearEi_)
            step.eiChange = problem_.UpdateEi(y_, hinge);
        if (it > 1 && step.change <= options_.closureTolerance && step.eiChange <= options_.eiTolerance) {
            Finish(it, step, hinge);
            return out_;
        }
        Relax(it, step);
        out_.history.push_back(step);
        NextModuli(it, step);
    }
    End(SolveStatus::NotConverged, "No convergence within " + std::to_string(options_.maxIterations) +
                                        " iterations; the last change of deflection was " +
                                        Num(out_.history.back().change) + ", the closure tolerance is " +
                                        Num(options_.closureTolerance) + ".");
    return out_;
}

void Iteration::End(SolveStatus status, std::string message)
{
    out_.status = status;
    out_.message = std::move(message);
}

// Back to the secant iteration for good, from the state before the tangent steps.
void Iteration::RejectTangents(IterationStep step)
{
    tangentsAllowed_ = tangent_ = false;
    y_ = secantState_;
    problem_.UpdateModuli(y_);
    previous_ = y_;
    step.rule = StepRule::TangentRejected;
    out_.history.push_back(step);
}

// The change of deflection since the previous solution, and the largest |y|.
void Iteration::Measure(IterationStep& step)
{
    largest_ = 0;
    at_ = 0;
    for (int m = 0; m <= in_.nodeCount; ++m) {
        const double y = y_[Col(m)];
        step.change = std::max(step.change, std::fabs(y - previous_[Col(m)]));
        if (std::fabs(y) > largest_) {
            largest_ = std::fabs(y);
            at_ = m;
        }
    }
}

// The results of a closed iteration, from the moduli that produced its solution,
// so that it is exactly in equilibrium.
void Iteration::Finish(int it, IterationStep step, const std::vector<int>& hinge)
{
    if (nonlinearEi_ || tangent_) {
        // UpdateEi moved EI on; the final moments use the EI the system was solved
        // with. The change is below the EI tolerance, so re-solving once with the new
        // EI keeps them consistent. After a tangent step the secant moduli of its
        // solution give one more solution, which differs from it by far less than
        // the change.
        if (tangent_)
            problem_.UpdateModuli(y_);
        if (!problem_.SolveLinear(y_)) {
            End(SolveStatus::Unstable, "The wall is not held: the equations have no unique solution.");
            return;
        }
    }
    out_.history.push_back(step);
    problem_.Results(y_, out_);
    for (int m : hinge)
        out_.warnings.push_back("The moment-EI table was exceeded at node " + std::to_string(m) + " (moment " +
                                Num(out_.moment[m]) + "): the last EI of the table was used; a plastic hinge may form.");
    for (int m = 0; m <= in_.nodeCount; ++m) {
        const NodeSoil& s = in_.soil[m];
        const std::string text = s.warning ? s.warning(out_.y[m]) : std::string();
        if (!text.empty())
            out_.warnings.push_back("Node " + std::to_string(m) + ": " + text);
    }
    if (BucklesUnderAxialLoad(in_, out_, options_.bucklingWorkRatio)) {
        End(SolveStatus::Unstable, "The wall buckles under the axial load: the loads do no positive work on the "
                                    "computed deflections, so that state is not a stable equilibrium.");
        return;
    }
    End(SolveStatus::Converged, "Converged in " + std::to_string(it) + " iterations.");
}

// Under-relax once the update turns back on the last one (an oscillation of the
// secant moduli), and from then on: w y_new + (1 - w) y_old. Damping only while
// the oscillation shows would let it start again at the next undamped step. A
// growing change alone is no trigger: it is normal while the iteration softens
// from the stiffest moduli.
void Iteration::Relax(int it, IterationStep& step)
{
    double turn = 0;
    for (size_t i = 0; i < y_.size(); ++i)
        turn += (y_[i] - previous_[i]) * lastStep_[i];
    for (size_t i = 0; i < y_.size(); ++i)
        lastStep_[i] = y_[i] - previous_[i];
    if (it >= options_.dampingFromIteration && turn < 0)
        damping_ = true;
    if (!damping_ || tangent_)
        return;
    step.rule = StepRule::Relaxed;
    const double w = options_.relaxationWeight;
    for (size_t i = 0; i < y_.size(); ++i)
        y_[i] = w * y_[i] + (1 - w) * previous_[i];
}

// Tangent steps once the change is at most tangentStartRatio of the largest
// deflection; secant moduli otherwise.
void Iteration::NextModuli(int it, const IterationStep& step)
{
    if (tangent_)
        tangentChange_ = step.change;
    if (!tangent_ && tangentsAllowed_ && it >= options_.tangentFromIteration &&
        step.change <= options_.tangentStartRatio * largest_) {
        tangent_ = true;
        secantState_ = y_;
    }
    if (tangent_)
        problem_.UpdateTangents(y_);
    else
        problem_.UpdateModuli(y_);
    previous_ = y_;
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

SolverOptions BeamColumnSolver::OptionsFor(const SectionInput& input)
{
    SolverOptions options;
    options.closureTolerance = input.tolerance;
    return options;
}

SectionResult BeamColumnSolver::Solve(const SectionInput& input)
{
    return Solve(input, OptionsFor(input));
}

SectionResult BeamColumnSolver::Solve(const SectionInput& input, const SolverOptions& options)
{
    return Iteration(input, options).Run();
}
