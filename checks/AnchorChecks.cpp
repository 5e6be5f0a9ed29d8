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

// The force of every row of lateral springs per unit width, by From node: the
// engine's spring forces (positive when the row holds the wall back) summed
// over the row's nodes.
std::map<int, double> RowForces(const SectionRun& run)
{
    const std::size_t nodes = run.input.spring.size();
    const std::vector<int> owner = RowOfNode(run.block.springs, nodes);
    std::map<int, double> rows;
    for (const SpringResult& s : run.result.springs)
        if (s.node >= 0 && static_cast<std::size_t>(s.node) < nodes && owner[static_cast<std::size_t>(s.node)] >= 0)
            rows[owner[static_cast<std::size_t>(s.node)]] += s.force;
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
            a.forcePerAnchor = ForcePerAnchor(force, *s);
            if (s->capacity > 0)
                a.utilisation = std::fabs(*a.forcePerAnchor) / s->capacity;
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
