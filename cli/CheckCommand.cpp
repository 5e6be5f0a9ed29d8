// torvik-cli check: the design checks of a saved wall (safety of the embedment
// by strength reduction, required tip, mobilised passive resistance, the
// limit-equilibrium estimate, section and anchor utilisation) for every stage
// or case, with the settings beside the data file (steel sections, anchors,
// target factor, design approach). Exit 0 when every check passes, 1 when one fails, 2 on an error.
// The JSON is an interface that users' scripts rely on.
#include "checks/DesignChecks.h"
#include "cli/Command.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>
#include <optional>

namespace fs = std::filesystem;

namespace {

enum CheckExit { CheckPassed = 0, CheckFailed = 1, CheckError = 2 };

nlohmann::ordered_json Value(const std::optional<double>& v)
{
    return v ? nlohmann::ordered_json(*v) : nlohmann::ordered_json();
}

nlohmann::ordered_json CombinationJson(const checks::CombinationCheck& c)
{
    nlohmann::ordered_json anchors = nlohmann::ordered_json::array();
    for (const checks::CombinationAnchor& a : c.anchors)
        anchors.push_back({{"node", a.node},
                           {"design_force_per_anchor", Value(a.designForcePerAnchor)},
                           {"utilisation", Value(a.utilisation)}});
    return {{"name", c.name},
            {"unplanned_excavation", c.unplannedExcavation},
            {"analysis", c.analysis},
            {"over_design_factor", Value(c.overDesignFactor)},
            {"design_moment", Value(c.designMoment)},
            {"design_shear", Value(c.designShear)},
            {"bending_utilisation", Value(c.bendingUtilisation)},
            {"shear_utilisation", Value(c.shearUtilisation)},
            {"anchors", anchors},
            {"passed", c.passed}};
}

// The partial factors of the sets the approach uses, each by its name and set.
nlohmann::ordered_json FactorsJson(DesignApproach approach, const TPartialFactors& f)
{
    const bool da1 = approach == DesignApproach::DA1, da2 = approach == DesignApproach::DA2,
               da3 = approach == DesignApproach::DA3;
    auto sets = [](std::initializer_list<std::pair<const char*, double>> values, std::initializer_list<bool> used) {
        nlohmann::ordered_json out = nlohmann::ordered_json::object();
        auto u = used.begin();
        for (const auto& [set, value] : values)
            if (*u++)
                out[set] = value;
        return out;
    };
    const std::initializer_list<bool> actions{true, !da2}, materials{!da3, !da2};
    return {{"gamma_G", sets({{"A1", f.gammaG_A1}, {"A2", f.gammaG_A2}}, actions)},
            {"gamma_Q", sets({{"A1", f.gammaQ_A1}, {"A2", f.gammaQ_A2}}, actions)},
            {"gamma_phi", sets({{"M1", f.gammaPhi_M1}, {"M2", f.gammaPhi_M2}}, materials)},
            {"gamma_c", sets({{"M1", f.gammaC_M1}, {"M2", f.gammaC_M2}}, materials)},
            {"gamma_cu", sets({{"M1", f.gammaCu_M1}, {"M2", f.gammaCu_M2}}, materials)},
            {"gamma_qu", sets({{"M1", f.gammaQu_M1}, {"M2", f.gammaQu_M2}}, materials)},
            {"gamma_gamma", sets({{"M1", f.gammaGamma_M1}, {"M2", f.gammaGamma_M2}}, materials)},
            {"gamma_Re", sets({{"R1", f.gammaRe_R1}, {"R2", f.gammaRe_R2}, {"R3", f.gammaRe_R3}}, {da1, da2, da3})},
            {"gamma_M0", f.gammaM0},
            {"gamma_anchor", f.gammaAnchor}};
}

// Null where water does not flow up in front of the wall (the stage's notes
// say why where a regime other than still water is set).
nlohmann::ordered_json HydraulicHeaveJson(const checks::HydraulicHeave& c)
{
    if (!c.applies)
        return nlohmann::ordered_json();
    return {{"exit_gradient", c.exitGradient},
            {"critical_gradient", c.criticalGradient},
            {"gradient_utilisation", c.gradientUtilisation},
            {"excess_pore_pressure", c.excessPorePressure},
            {"prism_weight", c.prismWeight},
            {"prism_utilisation", c.prismUtilisation},
            {"gamma_G_dst", c.gammaDst},
            {"gamma_G_stb", c.gammaStb},
            {"passed", c.passed}};
}

// The base against heave: null where it is not checked.
nlohmann::ordered_json BasalHeaveJson(const std::optional<checks::BasalHeave>& h)
{
    if (!h)
        return nullptr;
    return {{"method", h->method},      {"bearing_factor", h->bearingFactor}, {"base_strength", h->baseStrength},
            {"load", h->load},          {"factor", Value(h->factor)},         {"target", h->target},
            {"passed", h->passed}};
}

nlohmann::ordered_json StageJson(const checks::StageCheck& s, bool approach)
{
    nlohmann::ordered_json anchors = nlohmann::ordered_json::array();
    for (const checks::AnchorCheck& a : s.anchors)
        anchors.push_back({{"node", a.node},
                           {"force_per_anchor", Value(a.forcePerAnchor)},
                           {"utilisation", Value(a.utilisation)},
                           {"fixed_length_beyond_wedge",
                            a.beyondWedge ? nlohmann::ordered_json(*a.beyondWedge) : nlohmann::ordered_json()},
                           {"kranz_factor", Value(a.kranzFactor)}});
    const checks::LimitEquilibrium& le = s.limitEquilibrium;
    nlohmann::ordered_json out = {{"stage", s.stage},
            {"safety_factor", Value(s.safety.factor)},
            {"limit", s.safety.limit.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(s.safety.limit)},
            {"required_tip_depth", Value(s.requiredTipDepth)},
            {"mobilised_passive", Value(s.mobilisedPassive)},
            {"bending_utilisation", Value(s.bendingUtilisation)},
            {"shear_utilisation", Value(s.shearUtilisation)},
            {"anchors", anchors},
            {"deflection", Value(s.deflection)},
            {"allowed_deflection", s.allowedDeflection},
            {"deflection_passed", s.deflectionPassed},
            {"limit_equilibrium",
             {{"method", le.method},
              {"required_embedment", Value(le.requiredEmbedment)},
              {"anchor_force", Value(le.anchorForce)},
              {"largest_moment", Value(le.largestMoment)},
              {"passed", s.limitEquilibriumPassed ? nlohmann::ordered_json(*s.limitEquilibriumPassed)
                                                  : nlohmann::ordered_json()}}},
            {"hydraulic_heave", HydraulicHeaveJson(s.hydraulicHeave)},
            {"basal_heave", BasalHeaveJson(s.basalHeave)},
            {"governing_approach", s.governingApproach},
            {"passed", s.passed},
            {"notes", s.notes}};
    if (!approach)
        return out;
    nlohmann::ordered_json combinations = nlohmann::ordered_json::array();
    for (const checks::CombinationCheck& c : s.combinations) {
        combinations.push_back(CombinationJson(c));
        for (const std::string& n : c.notes)
            out["notes"].push_back(n);
    }
    out["combinations"] = combinations;
    out["governing_combination"] =
        s.governingCombination ? nlohmann::ordered_json(*s.governingCombination) : nlohmann::ordered_json();
    return out;
}

// "wall" is the data file as named on the command line.
std::string Json(const std::string& wall, const checks::DesignCheckReport& r)
{
    nlohmann::ordered_json stages = nlohmann::ordered_json::array();
    const bool approach = r.approach != DesignApproach::None;
    for (const checks::StageCheck& s : r.stages)
        stages.push_back(StageJson(s, approach));
    std::vector<std::string> notes = r.notes;
    notes.push_back("Analyses run: " + std::to_string(r.analyses));
    nlohmann::ordered_json out = {{"wall", wall}, {"target", r.target}};
    if (approach) {
        out["approach"] = DesignApproachName(r.approach);
        out["factors"] = FactorsJson(r.approach, r.factors);
    }
    out.update(nlohmann::ordered_json{{"stages", stages},
                                        {"governing_stage", r.governingStage ? nlohmann::ordered_json(*r.governingStage)
                                                                             : nlohmann::ordered_json()},
                                        {"passed", r.passed},
                                        {"notes", notes}});
    return out.dump(1) + "\n";
}

int Usage()
{
    std::cerr << "Usage: torvik-cli check WALLFILE [--json] [--target F] [--approach none|DA1|DA2|DA3]\n";
    return CheckError;
}

int Check(const std::vector<std::string>& args)
{
    std::string wall;
    bool json = false;
    std::optional<double> target;  // the wall's own target unless given
    std::optional<DesignApproach> approach;  // the wall's own approach unless given
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--target" && i + 1 < args.size()) {
            std::size_t used = 0;
            double value = 0;
            try {
                value = std::stod(args[++i], &used);
            } catch (const std::exception&) {
                used = 0;
            }
            target = value;
            if (used != args[i].size() || !(value >= 1) || !(value <= 10)) {
                std::cerr << "torvik-cli check: the target safety factor must be a number from 1 to 10, not '" << args[i] << "'\n";
                return CheckError;
            }
        } else if (args[i] == "--approach" && i + 1 < args.size()) {
            approach = DesignApproachFromName(args[++i]);
            if (!approach) {
                std::cerr << "torvik-cli check: the design approach must be none, DA1, DA2 or DA3, not '" << args[i]
                          << "'\n";
                return CheckError;
            }
        } else if (wall.empty() && !args[i].empty() && args[i][0] != '-') {
            wall = args[i];
        } else {
            return Usage();
        }
    }
    if (wall.empty())
        return Usage();
    if (!fs::is_regular_file(wall)) {
        std::cerr << "torvik-cli check: " << NotAWallFile(wall) << "\n";
        return CheckError;
    }
    checks::DesignCheckReport report;
    try {
        report = checks::RunDesignChecks(wall, target, approach);
    } catch (const std::exception& e) {
        std::cerr << "torvik-cli check: the data file " << wall << " cannot be read: " << e.what() << "\n";
        return CheckError;
    }
    std::cout << (json ? Json(wall, report) : checks::DesignChecksText(report));
    return report.passed ? CheckPassed : CheckFailed;
}

const CommandRegistration registration({"check", "WALLFILE [--json] [--target F] [--approach none|DA1|DA2|DA3]",
                                        "design checks of every stage or case (safety factor by strength reduction, "
                                        "required tip, limit equilibrium, section and anchor utilisation, the "
                                        "combinations of a design approach); exit 0 all pass, 1 one fails, 2 on an error",
                                        Check});

}  // namespace
