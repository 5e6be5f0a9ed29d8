#include "checks/AnchorChecks.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace checks {

namespace {

// The spring row that sets each node's stiffness: the last row whose range
// covers it, a row that interpolates reaching down to the next row's To node,
// as the input tables are expanded; -1 for a node no row covers.
std::vector<int> RowOfNode(const std::vector<RangeRow>& rows, std::size_t nodes)
{
    std::vector<int> owner(nodes, -1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        int last = rows[i].to;
        if (rows[i].choice == 2 && i + 1 < rows.size())
            last = std::max(rows[i + 1].to, rows[i].from);
        for (int m = std::max(0, rows[i].from); m <= last && m < static_cast<int>(nodes); ++m)
            owner[static_cast<std::size_t>(m)] = rows[i].from;
    }
    return owner;
}

// The width of wall the analysis stands for: the active width of generated
// earth pressure, else one unit of length. Its forces act on that width.
double StripWidth(const WallBlock& block)
{
    return block.earthPressureOption > 1 && block.activeWidth > 0 ? block.activeWidth : 1.0;
}

// The summed spring force of every row of lateral springs per unit width, by
// From node, positive where the row holds the wall back (toward the retained
// side), as the output text gives it: the engine's spring force is the force
// on the wall, toward +y.
std::map<int, double> RowForces(const SectionRun& run)
{
    const std::size_t nodes = std::min(run.input.spring.size(), run.result.springForce.size());
    const std::vector<int> owner = RowOfNode(run.block.springs, nodes);
    const double width = StripWidth(run.block);
    std::map<int, double> rows;
    for (std::size_t m = 0; m < nodes; ++m)
        if (owner[m] >= 0 && run.input.spring[m] > 0)
            rows[owner[m]] -= run.result.springForce[m] / width;
    return rows;
}

}  // namespace

std::vector<AnchorCheck> CheckAnchors(const SectionRun& run, const TWallSettings& settings, std::vector<std::string>& notes)
{
    std::vector<AnchorCheck> out;
    if (!run.Ok())
        return out;
    std::vector<int> unset, noCapacity;
    for (const auto& [node, force] : RowForces(run)) {
        AnchorCheck a;
        a.node = node;
        a.forcePerWidth = force;
        if (const TAnchorSettings* s = settings.Anchor(node)) {
            a.forcePerAnchor = std::fabs(ForcePerAnchor(force, *s));
            if (s->capacity > 0)
                a.utilisation = *a.forcePerAnchor / s->capacity;
            else
                noCapacity.push_back(node);
        } else {
            unset.push_back(node);
        }
        out.push_back(a);
    }
    // "The anchor at node 5 has" or "The anchors at nodes 5, 18 have".
    auto which = [](const std::vector<int>& nodes) {
        std::string text = nodes.size() > 1 ? "The anchors at nodes " : "The anchor at node ";
        for (std::size_t i = 0; i < nodes.size(); ++i)
            text += (i ? ", " : "") + std::to_string(nodes[i]);
        return text + (nodes.size() > 1 ? " have" : " has");
    };
    if (!unset.empty())
        notes.push_back(which(unset) +
                        " no spacing, inclination or capacity: no force per anchor or utilisation is given; the force "
                        "per unit width is that of the analysis.");
    if (!noCapacity.empty())
        notes.push_back(which(noCapacity) + " no capacity: no utilisation is given.");
    return out;
}

}  // namespace checks
