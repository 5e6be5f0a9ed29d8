#include "engine/BeamColumnProblem.h"

#include "model/FileLayout.h"

#include <cmath>
#include <limits>

namespace {

// Where a restraint installed on a moved wall counts from (0 from an undeformed wall).
double RestraintFrom(const SectionInput& in, const Restraint& r)
{
    const std::vector<double>& from = r.kind == kDeflectionRestraint ? in.deflectionFrom : in.slopeFrom;
    return static_cast<size_t>(r.node) < from.size() ? from[r.node] : 0.0;
}

}  // namespace

BeamColumnProblem::BeamColumnProblem(const SectionInput& in, const SolverOptions& options)
    : in_(in), options_(options), n_(in.nodeCount), h_(in.increment)
{
    ei_ = in.ei;
    es_.assign(n_ + 1, 0.0);
    offset_.assign(n_ + 1, 0.0);
    defl_.assign(n_ + 1, std::numeric_limits<double>::quiet_NaN());
    slope_.assign(n_ + 1, std::numeric_limits<double>::quiet_NaN());
    for (const Restraint& r : in.restraints)
        (r.kind == kDeflectionRestraint ? defl_ : slope_)[r.node] = r.value + RestraintFrom(in, r);
    // A spring that acts on the change since its installation, -K (y - y0) - P0,
    // is the spring -K y and the constant force K y0 - P0; a rotational spring
    // likewise a constant couple. They are added only where they are not zero, so
    // that a wall without them is solved with exactly the loads of its file.
    load_ = in.load;
    moment_ = in.moment;
    for (int m = 0; m <= n_; ++m) {
        if (const double f = in.SpringLoad(m); f != 0)
            load_[m] += f;
        if (const double c = in.SpringCouple(m); c != 0)
            moment_[m] += c;
    }
    // Axial force between node k and k + 1: all axial loads at nodes 0..k.
    axial_.assign(n_ + 1, 0.0);
    double sum = 0;
    for (int k = 0; k <= n_; ++k)
        axial_[k] = sum += in.axialLoad[k];
    smallDeflection_ = options.smallDeflectionRatio * in.Length();
}

bool BeamColumnProblem::HasDefl(int m) const { return !std::isnan(defl_[m]); }
bool BeamColumnProblem::HasSlope(int m) const { return !std::isnan(slope_[m]); }
bool BeamColumnProblem::BelowSmallDeflection(double y) const { return std::fabs(y) < smallDeflection_; }

// Only the curves whose secant grows without bound toward 0 are floored: a curve
// with an initial straight line has a finite secant everywhere, and its straight
// part may end far below the small deflection (weak rock: near 1E-5 m), so that
// its initial slope there would be far stiffer than the curve.
double BeamColumnProblem::Secant(int m, double y) const
{
    const NodeSoil& s = in_.soil[m];
    if (!s.curve)
        return 0;
    const bool hasLine = std::isfinite(s.initialSlope);
    if (hasLine && y == 0)
        return std::max(0.0, s.initialSlope);
    double ye = y;
    if (!hasLine && BelowSmallDeflection(y))
        ye = y < 0 ? -smallDeflection_ : smallDeflection_;
    const double r = s.pyCurve ? -s.pyCurve->Resistance(ye) : s.curve(ye);
    const double e = r / ye;
    if (std::isfinite(e))
        return e > 0 ? e : 0;
    // A deflection so small that r/y is lost to rounding: the limit of the secant.
    return hasLine ? std::max(0.0, s.initialSlope) : 0;
}

void BeamColumnProblem::StartModuli()
{
    for (int m = 0; m <= n_; ++m)
        es_[m] = Secant(m, 0.0);
}

void BeamColumnProblem::UpdateModuli(const std::vector<double>& y)
{
    for (int m = 0; m <= n_; ++m)
        es_[m] = Secant(m, y[Col(m)]);
    std::fill(offset_.begin(), offset_.end(), 0.0);
}

// The soil reaction r(y) is replaced by its tangent, r(y0) + kt (y - y0), so the
// node carries the stiffness kt and the load (kt - Es) y0 on its right-hand side.
// The slope comes from a difference over tangentDifference of the deflection, and
// is kept from going negative (past the peak of a softening curve) so that the
// system stays stiff. Nodes at y = 0, nodes of floored curves below the small
// deflection, and curves given only as functions keep their secant modulus.
void BeamColumnProblem::UpdateTangents(const std::vector<double>& y)
{
    for (int m = 0; m <= n_; ++m) {
        const double y0 = y[Col(m)];
        const double secant = Secant(m, y0);
        es_[m] = secant;
        offset_[m] = 0;
        const NodeSoil& s = in_.soil[m];
        if (!s.pyCurve || y0 == 0 || (!std::isfinite(s.initialSlope) && BelowSmallDeflection(y0)))
            continue;
        const double y1 = y0 * (1 + options_.tangentDifference);
        const double slope = (-s.pyCurve->Resistance(y1) - secant * y0) / (y1 - y0);
        const double kt = std::isfinite(slope) ? std::max(0.0, slope) : secant;
        es_[m] = kt;
        offset_[m] = (kt - secant) * y0;
    }
}

bool BeamColumnProblem::HasTangents() const
{
    for (const NodeSoil& s : in_.soil)
        if (s.pyCurve)
            return true;
    return false;
}

// Stiffness of the penalty spring that holds a specified slope at an interior node:
// its entries Kr h/4 are slopePenaltyRatio (1E4) times the largest EI. Against a
// bending stiffness of about EI/L this holds the slope to 1/(4E4 n) of its value,
// while keeping the rounding of the penalised rows far below the loads they carry
// (a stiffer penalty would spoil the equilibrium of the solution).
double BeamColumnProblem::PenaltyStiffness() const
{
    const double maxR = *std::max_element(ei_.begin(), ei_.end());
    return 4 * options_.slopePenaltyRatio * maxR / h_;
}

double BeamColumnProblem::Moment(const std::vector<double>& y, int m) const
{
    return R(m) * (y[Col(m - 1)] - 2 * y[Col(m)] + y[Col(m + 1)]) / (h_ * h_);
}

double BeamColumnProblem::Slope(const std::vector<double>& y, int m) const
{
    return (y[Col(m + 1)] - y[Col(m - 1)]) / (2 * h_);
}

double BeamColumnProblem::G(const std::vector<double>& y, int k) const
{
    return P(k) * (y[Col(k + 1)] - y[Col(k)]);
}

// EI of each node of a moment-EI curve interpolated at the node's |moment|; beyond
// the table its last EI, and the node is listed.
double BeamColumnProblem::UpdateEi(const std::vector<double>& y, std::vector<int>& exceeded)
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
