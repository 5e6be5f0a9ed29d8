// torvik-cli check: the design checks of a saved wall (safety of the embedment
// by strength reduction, required tip, mobilised passive resistance, the
// limit-equilibrium estimate, section and anchor utilisation) for every stage
// or case, with the settings beside the data file (steel sections, anchors,
// target factor). Exit 0 when every check passes, 1 when one fails, 2 on an error.
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

nlohmann::ordered_json StageJson(const checks::StageCheck& s)
{
    nlohmann::ordered_json anchors = nlohmann::ordered_json::array();
    for (const checks::AnchorCheck& a : s.anchors)
        anchors.push_back({{"node", a.node}, {"force_per_anchor", Value(a.forcePerAnchor)}, {"utilisation", Value(a.utilisation)}});
    const checks::LimitEquilibrium& le = s.limitEquilibrium;
    return {{"stage", s.stage},
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
            {"governing_approach", s.governingApproach},
            {"passed", s.passed},
            {"notes", s.notes}};
}

// "wall" is the data file as named on the command line.
std::string Json(const std::string& wall, const checks::DesignCheckReport& r)
{
    nlohmann::ordered_json stages = nlohmann::ordered_json::array();
    for (const checks::StageCheck& s : r.stages)
        stages.push_back(StageJson(s));
    std::vector<std::string> notes = r.notes;
    notes.push_back("Analyses run: " + std::to_string(r.analyses));
    const nlohmann::ordered_json out = {{"wall", wall},
                                        {"target", r.target},
                                        {"stages", stages},
                                        {"governing_stage", r.governingStage ? nlohmann::ordered_json(*r.governingStage)
                                                                             : nlohmann::ordered_json()},
                                        {"passed", r.passed},
                                        {"notes", notes}};
    return out.dump(1) + "\n";
}

int Usage()
{
    std::cerr << "Usage: torvik-cli check WALLFILE [--json] [--target F]\n";
    return CheckError;
}

int Check(const std::vector<std::string>& args)
{
    std::string wall;
    bool json = false;
    std::optional<double> target;  // the wall's own target unless given
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
        report = checks::RunDesignChecks(wall, target);
    } catch (const std::exception& e) {
        std::cerr << "torvik-cli check: the data file " << wall << " cannot be read: " << e.what() << "\n";
        return CheckError;
    }
    std::cout << (json ? Json(wall, report) : checks::DesignChecksText(report));
    return report.passed ? CheckPassed : CheckFailed;
}

const CommandRegistration registration({"check", "WALLFILE [--json] [--target F]",
                                        "design checks of every stage or case (safety factor by strength reduction, "
                                        "required tip, limit equilibrium, section and anchor utilisation); exit 0 all pass, 1 one fails, 2 on an error",
                                        Check});

}  // namespace
