#include "checks/SectionChecks.h"

#include "model/SectionUtilisation.h"

#include <algorithm>
#include <cmath>

namespace checks {

namespace {

LargestUtilisation Largest(const std::vector<NodeUtilisation>& nodes, std::optional<double> NodeUtilisation::*which)
{
    LargestUtilisation out;
    for (const NodeUtilisation& n : nodes)
        if ((n.*which) && (!out.value || *(n.*which) > *out.value))
            out = {n.*which, n.depth};
    return out;
}

// "nodes 3 to 7" of the nodes that lack a value, or "" when none does.
std::string MissingNodes(const std::vector<NodeUtilisation>& nodes, std::optional<double> NodeUtilisation::*which)
{
    std::string text;
    std::size_t i = 0;
    while (i < nodes.size()) {
        if (nodes[i].*which) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j + 1 < nodes.size() && !(nodes[j + 1].*which))
            ++j;
        text += (text.empty() ? "" : ", ") + std::to_string(nodes[i].node) +
                (j > i ? " to " + std::to_string(nodes[j].node) : "");
        i = j + 1;
    }
    return text;
}

}  // namespace

double LargestMomentAt(const SectionResult& r, std::size_t m)
{
    double moment = std::fabs(r.moment[m]);
    for (const MomentJump& j : r.jumps)
        if (j.node == static_cast<int>(m))
            moment = std::max({moment, std::fabs(j.above), std::fabs(j.below)});
    return moment;
}

double LargestDeflection(const SectionResult& r)
{
    double largest = 0;
    for (double y : r.y)
        largest = std::max(largest, std::fabs(y));
    return largest;
}

std::vector<NodeUtilisation> SectionUtilisations(const SectionResult& r, const TWallSettings& settings)
{
    std::vector<NodeUtilisation> out;
    const std::size_t count = std::min({r.depth.size(), r.moment.size(), r.shear.size()});
    for (std::size_t m = 0; m < count; ++m) {
        NodeUtilisation n;
        n.node = static_cast<int>(m);
        n.depth = r.depth[m];
        if (const TSectionSettings* s = settings.SectionAt(n.node)) {
            n.bending = BendingUtilisation(LargestMomentAt(r, m), *s);
            n.shear = ShearUtilisation(r.shear[m], *s);
        }
        out.push_back(n);
    }
    return out;
}

LargestUtilisation LargestBending(const std::vector<NodeUtilisation>& nodes)
{
    return Largest(nodes, &NodeUtilisation::bending);
}

LargestUtilisation LargestShear(const std::vector<NodeUtilisation>& nodes)
{
    return Largest(nodes, &NodeUtilisation::shear);
}

std::vector<std::string> SectionNotes(const std::vector<NodeUtilisation>& nodes)
{
    std::vector<std::string> notes;
    if (!LargestBending(nodes).value && !LargestShear(nodes).value) {
        notes.push_back("Bending and shear utilisation need the section modulus, shear area and yield strength of the "
                        "wall's steel section; none is given.");
        return notes;
    }
    const struct {
        std::optional<double> NodeUtilisation::*which;
        const char* check;
        const char* needs;
        const char* hint;
    } kinds[] = {{&NodeUtilisation::bending, "Bending utilisation", "section modulus or yield strength", ""},
                 {&NodeUtilisation::shear, "Shear utilisation", "shear area or yield strength",
                  " A sheet pile's shear area is that of its webs, s (h - t) per web (EN 1993-5); the section "
                  "catalogue gives it where the pile's geometry is published."}};
    for (const auto& k : kinds) {
        const std::string missing = MissingNodes(nodes, k.which);
        if (missing.empty())
            continue;
        if (!Largest(nodes, k.which).value)
            notes.push_back(std::string(k.check) + " is not checked: the wall's steel section has no " + k.needs +
                            "." + k.hint);
        else
            notes.push_back(std::string(k.check) + " is not checked at nodes " + missing + ": their section has no " +
                            k.needs + ".");
    }
    return notes;
}

}  // namespace checks
