#include "verify/StagedAnchor.h"

#include "engine/EngineRun.h"
#include "model/WallBuilder.h"

#include <cmath>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// SI: a 10 m wall of 40 increments, EI 5E4 kN-m^2, on linear p-y curves of
// modulus 5000 kN/m^2; top load 50 kN in stage 1 and 80 kN in stage 2, when an
// anchor of stiffness 2E4 kN/m with a prestress of 30 kN/m is added at node 4 (1 m).
constexpr int Nodes = 40, AnchorNode = 4;
constexpr double Length = 10, EI = 5e4, Modulus = 5000, Load1 = 50, Load2 = 80, Stiffness = 2e4, Prestress = 30;
constexpr double ForceTolerance = 1e-6, EquilibriumTolerance = 1e-6;
const char* const Group = "Staged anchor";

void Setup(WallBuilder& w)
{
    w.Stiffness(0, Nodes, EI);
    w.ExternalCurve(0, {{-1, Modulus}, {1, -Modulus}});
    w.ExternalCurve(Nodes, {{-1, Modulus}, {1, -Modulus}});
}

// The deflection at the anchor node of the single-stage wall under a load at node `at`.
double SingleStage(const fs::path& file, int at, double load)
{
    {
        WallBuilder w(UnitSystem::SI, Nodes, Length / Nodes);
        Setup(w);
        w.Load(at, at, load);
        w.Save(file.string());
    }
    const RunOutcome o = EngineRun::Analyse(file.string(), TWallSettings::Defaults());
    if (o.sections.empty() || !o.sections.front().Ok())
        return std::nan("");
    return o.sections.front().result.y[AnchorNode];
}

VerificationCase Compare(const std::string& name, double computed, double reference, double tolerance)
{
    double error = std::fabs(computed - reference);
    if (reference != 0)
        error /= std::fabs(reference);
    if (!std::isfinite(error))
        error = HUGE_VAL;
    return {Group, name, computed, reference, error, tolerance};
}

}  // namespace

void StagedAnchor(std::vector<VerificationCase>& out, const fs::path& folder)
{
    const fs::path staged = folder / "StagedAnchor.tk4d";
    {
        WallBuilder w(UnitSystem::SI, Nodes, Length / Nodes);
        Setup(w);
        w.Load(0, 0, Load1);
        const std::string text = w.StagedText(2, [&w](TProgramData&, int k) {
            if (k == 2) {
                w.Table(WallTable::ConcentratedLoads).Cell(3, 0).SetAsFloat(Load2);
                w.Spring(AnchorNode, AnchorNode, Stiffness);
            }
        });
        std::ofstream(staged, std::ios::binary) << text;
    }
    TWallSettings settings;
    settings.springsFromInstallation = true;
    TAnchorSettings anchor;
    anchor.node = AnchorNode;
    anchor.prestress = Prestress;
    settings.Set(anchor);
    const RunOutcome o = EngineRun::Analyse(staged.string(), settings);
    const std::string name = "Anchor added in stage 2 with prestress";
    const bool ok = o.sections.size() == 2 && o.sections[0].Ok() && o.sections[1].Ok() &&
                    o.sections[1].result.springs.size() == 1;
    // The wall of stage 2 without the anchor, and its flexibility at the anchor node.
    const double free = SingleStage(folder / "StagedAnchorFree.tk4d", 0, Load2);
    const double flexibility = -SingleStage(folder / "StagedAnchorUnit.tk4d", AnchorNode, -1);
    if (!ok) {
        out.push_back(Compare(name + ": force = P0 + K (y2 - y1)", std::nan(""), Prestress, ForceTolerance));
        out.push_back(Compare(name + ": force by superposition", std::nan(""), Prestress, ForceTolerance));
        return;
    }
    const double y1 = o.sections[0].result.y[AnchorNode], y2 = o.sections[1].result.y[AnchorNode];
    const double force = o.sections[1].result.springs.front().force;
    out.push_back(Compare(name + ": force = P0 + K (y2 - y1)", force, Prestress + Stiffness * (y2 - y1), ForceTolerance));
    // T = P0 + K (y_free - T f - y1), so T = (P0 + K (y_free - y1)) / (1 + K f).
    const double superposed = (Prestress + Stiffness * (free - y1)) / (1 + Stiffness * flexibility);
    out.push_back(Compare(name + ": force by superposition", force, superposed, ForceTolerance));
    for (size_t k = 0; k < 2; ++k) {
        const SectionResult& r = o.sections[k].result;
        const std::string stage = name + ", stage " + std::to_string(k + 1);
        out.push_back({"Equilibrium", stage + ": force sum / magnitudes", r.ForceResidual(), 0,
                       std::fabs(r.ForceResidual()), EquilibriumTolerance});
        out.push_back({"Equilibrium", stage + ": moment sum / magnitudes", r.MomentResidual(), 0,
                       std::fabs(r.MomentResidual()), EquilibriumTolerance});
    }
}
