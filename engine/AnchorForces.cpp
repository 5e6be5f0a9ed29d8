#include "engine/AnchorForces.h"

#include "engine/BeamColumnSolver.h"
#include "units/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace {

// The anchor row that holds node m, or null.
const AnchorRow* AnchorOf(const SectionInput& in, int m)
{
    const AnchorRow* found = nullptr;
    for (const AnchorRow& a : in.anchors)
        if (m >= a.from && m <= a.to)
            found = &a;
    return found;
}

bool CarriesAxialLoad(const SectionInput& in)
{
    for (const AnchorRow& a : in.anchors)
        if (a.anchor.axialLoad && a.anchor.inclination != 0)
            return true;
    return false;
}

// The vertical component of each anchor node's force on the analysed strip
// (compression positive for a downward-inclined tie-back in tension).
std::vector<double> VerticalLoads(const SectionInput& in, const std::vector<double>& anchorForce)
{
    std::vector<double> v(static_cast<size_t>(in.nodeCount) + 1, 0.0);
    for (int m = 0; m <= in.nodeCount; ++m) {
        const AnchorRow* a = AnchorOf(in, m);
        if (a && a->anchor.axialLoad && in.spring[m] > 0)
            v[m] = VerticalForcePerWidth(anchorForce[m], a->anchor);
    }
    return v;
}

}  // namespace

SectionResult SolveWithAnchors(SectionInput& in, const SolverOptions& options)
{
    if (!CarriesAxialLoad(in))
        return BeamColumnSolver::Solve(in, options);
    const std::vector<double> fileAxial = in.axialLoad;
    // First guess: the prestress alone.
    std::vector<double> vertical = VerticalLoads(in, in.prestress);
    SectionResult r;
    double change = 0;
    for (int it = 1; it <= options.maxAnchorIterations; ++it) {
        for (int m = 0; m <= in.nodeCount; ++m)
            in.axialLoad[m] = fileAxial[m] + vertical[m];
        r = BeamColumnSolver::Solve(in, options);
        r.anchorIterations = it;
        if (!r.Ok())
            return r;
        std::vector<double> force(r.springForce.size());
        std::transform(r.springForce.begin(), r.springForce.end(), force.begin(), [](double f) { return -f; });
        const std::vector<double> next = VerticalLoads(in, force);
        double largest = 0;
        change = 0;
        for (size_t m = 0; m < next.size(); ++m) {
            largest = std::max(largest, std::fabs(next[m]));
            change = std::max(change, std::fabs(next[m] - vertical[m]));
        }
        vertical = next;
        if (change <= options.anchorForceTolerance * largest)
            return r;
    }
    r.status = SolveStatus::NotConverged;
    r.message = "The anchors' axial loads did not settle within " + std::to_string(options.maxAnchorIterations) +
                " analyses; the last change of a vertical load was " + FormatGeneral(change, 6) + ".";
    return r;
}

void FillSpringResults(const SectionInput& in, SectionResult& r)
{
    r.springs.clear();
    for (int m = 0; m <= in.nodeCount; ++m) {
        if (in.spring[m] == 0 && (in.prestress.empty() || in.prestress[m] == 0))
            continue;
        SpringResult s;
        s.node = m;
        s.stiffness = in.spring[m];
        // Per unit width: the strip's forces divided by its width.
        s.prestress = (in.prestress.empty() ? 0 : in.prestress[m]) / in.stripWidth;
        s.installedIn = in.installedIn.empty() ? 1 : in.installedIn[m];
        s.deflectionFrom = in.springFrom.empty() ? 0 : in.springFrom[m];
        s.lockedOff = static_cast<size_t>(m) < in.lockedOff.size() && in.lockedOff[m];
        s.force = -r.springForce[m] / in.stripWidth;
        if (const AnchorRow* a = AnchorOf(in, m)) {
            s.anchor = true;
            s.forcePerAnchor = ForcePerAnchor(s.force, a->anchor);
            s.vertical = VerticalForcePerWidth(s.force, a->anchor);
            s.axialLoad = a->anchor.axialLoad;
        }
        r.springs.push_back(s);
    }
}
