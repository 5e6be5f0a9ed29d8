#include "engine/SpringInstallation.h"

#include "engine/BeamColumnSolver.h"
#include "model/FileLayout.h"

#include <algorithm>
#include <functional>

std::vector<std::string> ApplyAnchorSettings(SectionInput& in, const WallBlock& block, const TWallSettings& settings)
{
    std::vector<std::string> warnings;
    in.stripWidth = block.StripWidth();
    for (const TAnchorSettings& a : settings.anchors) {
        for (const RangeRow& row : block.springs) {
            if (row.from != a.node || row.from < 0 || row.from > in.nodeCount)
                continue;
            const int to = std::min(std::max(row.to, row.from), in.nodeCount);
            in.anchors.push_back({row.from, to, a});
            if (a.prestress == 0)
                continue;
            std::vector<int> nodes;
            for (int m = row.from; m <= to; ++m)
                if (in.spring[m] > 0)
                    nodes.push_back(m);
            if (nodes.empty()) {
                warnings.push_back("The prestress of the spring row from node " + std::to_string(row.from) +
                                   " is not applied: none of its nodes has a lateral spring.");
                continue;
            }
            for (int m : nodes)
                in.prestress[m] += a.prestress * in.stripWidth / static_cast<double>(nodes.size());
        }
    }
    return warnings;
}

namespace {

// The first stage of the unbroken run of stages up to `stage` in which `present`
// holds for the node (stage itself included).
int InstalledIn(int stage, const std::vector<SectionRun>& earlier, const std::function<bool(const SectionInput&)>& present)
{
    int first = stage;
    while (first > 1) {
        const SectionRun& before = earlier[static_cast<size_t>(first) - 2];
        if (!before.built || !present(before.input))
            break;
        --first;
    }
    return first;
}

bool HasRestraint(const SectionInput& in, const Restraint& r)
{
    for (const Restraint& o : in.restraints)
        if (o.kind == r.kind && o.node == r.node)
            return true;
    return false;
}

// The wall of an earlier stage with the jacks of the anchors first installed in
// the stage after it pulling at their nodes: their prestress as a load toward the
// retained side, and its vertical component where it acts on the wall.
SectionInput JackedWall(const SectionInput& before, const SectionInput& stage, const std::vector<int>& nodes)
{
    SectionInput jacked = before;
    for (int m : nodes) {
        const double p0 = stage.prestress[m];
        jacked.load[m] -= p0;
        for (const AnchorRow& a : stage.anchors)
            if (m >= a.from && m <= a.to && a.anchor.axialLoad)
                jacked.axialLoad[m] += VerticalForcePerWidth(p0, a.anchor);
    }
    return jacked;
}

class Installer {
public:
    Installer(SectionInput& in, int stage, const std::vector<SectionRun>& earlier, bool fromInstallation,
              bool lockOff)
        : in_(in), stage_(stage), earlier_(earlier), fromInstallation_(fromInstallation),
          lockOff_(fromInstallation && lockOff)
    {
    }

    // The value (deflection or slope) at node m at the end of the stage before
    // `installed`; false when that stage has no usable result.
    bool Before(int installed, int m, bool slope, double& value, const std::string& what)
    {
        if (installed <= 1) {
            value = 0;
            return true;
        }
        const SectionRun& run = earlier_[static_cast<size_t>(installed) - 2];
        if (!run.Ok() || m >= static_cast<int>(run.result.y.size())) {
            if (problem_.empty())
                problem_ = "This stage cannot be analysed: the " + what + " at node " + std::to_string(m) +
                           " was installed in stage " + std::to_string(installed) +
                           " and acts on the movement of the wall since the end of stage " +
                           std::to_string(installed - 1) + ", which has no usable result.";
            return false;
        }
        value = slope ? run.result.slope[m] : run.result.y[m];
        return true;
    }

    void Springs()
    {
        for (int m = 0; m <= in_.nodeCount; ++m) {
            auto has = [m](const std::vector<double> SectionInput::*v) {
                return [m, v](const SectionInput& s) { return m <= s.nodeCount && (s.*v)[m] > 0; };
            };
            if (in_.spring[m] > 0) {
                const int j = InstalledIn(stage_, earlier_, has(&SectionInput::spring));
                in_.installedIn[m] = j;
                if (lockOff_ && j > 1 && in_.prestress[m] != 0)
                    LockedOff(j, m);
                else if (fromInstallation_)
                    Before(j, m, false, in_.springFrom[m], "spring");
            }
            if (in_.rotSpring[m] > 0 && fromInstallation_) {
                const int j = InstalledIn(stage_, earlier_, has(&SectionInput::rotSpring));
                Before(j, m, true, in_.rotSpringFrom[m], "rotational spring");
            }
        }
    }

    void Restraints()
    {
        if (!fromInstallation_)
            return;
        for (const Restraint& r : in_.restraints) {
            const int j = InstalledIn(stage_, earlier_, [&r](const SectionInput& s) { return HasRestraint(s, r); });
            const bool slope = r.kind == kSlopeRestraint;
            Before(j, r.node, slope, (slope ? in_.slopeFrom : in_.deflectionFrom)[r.node],
                   slope ? "specified slope" : "specified deflection");
        }
    }

    std::string Problem() const { return problem_; }

private:
    // A prestressed spring installed in stage j > 1 acts from the deflection of
    // its node when it was locked off: on the wall of stage j - 1 with the jacks
    // of every anchor installed in stage j pulling at it. This stage's own lock-off
    // is analysed here; a later stage takes it from the analysis of stage j.
    void LockedOff(int j, int m)
    {
        if (j < stage_) {
            const SectionInput& installed = earlier_[static_cast<size_t>(j) - 1].input;
            if (static_cast<size_t>(m) < installed.lockedOff.size() && installed.lockedOff[m]) {
                in_.springFrom[m] = installed.springFrom[m];
                in_.lockedOff[m] = true;
            } else {
                Before(j, m, false, in_.springFrom[m], "spring");
            }
            return;
        }
        if (!Jacked())
            return;
        const std::vector<double>& y = jacked_.y;
        if (static_cast<size_t>(m) >= y.size()) {
            Before(j, m, false, in_.springFrom[m], "spring");
            return;
        }
        in_.springFrom[m] = y[m];
        in_.lockedOff[m] = true;
    }

    // The lock-off analysis of this stage, once; false (and the problem set)
    // when it has no usable result.
    bool Jacked()
    {
        if (jackedDone_)
            return jacked_.Ok();
        jackedDone_ = true;
        const SectionRun& before = earlier_[static_cast<size_t>(stage_) - 2];
        std::vector<int> nodes;
        for (int m = 0; m <= in_.nodeCount; ++m)
            if (in_.spring[m] > 0 && in_.prestress[m] != 0 &&
                !(static_cast<size_t>(m) < before.input.spring.size() && before.input.spring[m] > 0))
                nodes.push_back(m);
        std::string why = "its stage has no usable result";
        if (before.Ok()) {
            const SectionInput jacked = JackedWall(before.input, in_, nodes);
            jacked_ = BeamColumnSolver::Solve(jacked, BeamColumnSolver::OptionsFor(jacked));
            why = jacked_.message;
        }
        if (!jacked_.Ok() && problem_.empty())
            problem_ = "This stage cannot be analysed: the anchor at node " + std::to_string(nodes.front()) +
                       " is locked off on the wall of stage " + std::to_string(stage_ - 1) +
                       " with its prestress on it, and that analysis has no usable result (" + why + ").";
        return jacked_.Ok();
    }

    SectionInput& in_;
    int stage_;
    const std::vector<SectionRun>& earlier_;
    const bool fromInstallation_;
    const bool lockOff_;
    bool jackedDone_ = false;
    SectionResult jacked_;  // the lock-off analysis of this stage
    std::string problem_;
};

}  // namespace

std::string InstallOnMovedWall(SectionInput& in, int stage, const std::vector<SectionRun>& earlier,
                               bool fromInstallation, bool lockOffAsBuilt)
{
    in.stage = stage;
    in.fromInstallation = fromInstallation;
    if (stage <= 1 || earlier.size() + 1 < static_cast<size_t>(stage))
        return "";
    Installer installer(in, stage, earlier, fromInstallation, lockOffAsBuilt);
    installer.Springs();
    installer.Restraints();
    return installer.Problem();
}
