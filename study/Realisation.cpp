#include "study/Realisation.h"

#include "checks/AnchorChecks.h"
#include "checks/DesignChecks.h"
#include "checks/EmbedmentSafety.h"
#include "engine/EngineRun.h"
#include "engine/SoilLayer.h"
#include "study/Parameters.h"
#include "units/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace study {
namespace {

int Add(std::vector<Column>& columns, std::string name, std::string unit)
{
    columns.push_back({std::move(name), std::move(unit)});
    return static_cast<int>(columns.size()) - 1;
}

double LargestMagnitude(const std::vector<double>& values)
{
    double m = 0;
    for (double v : values)
        m = std::max(m, std::fabs(v));
    return m;
}

// Why the realisation fails by the default rule, or "" when it does not.
std::string DefaultFailure(const OutputLayout& layout, const Row& row)
{
    for (std::size_t s = 0; s < layout.stages.size(); ++s) {
        const int c = layout.stages[s].factor;
        if (c >= 0 && row.outputs[c] && *row.outputs[c] < 1)
            return "stage " + std::to_string(s + 1) + " F " + FormatGeneral(*row.outputs[c], 6) + " is below 1";
    }
    if (layout.checksPassed >= 0 && row.outputs[layout.checksPassed] && *row.outputs[layout.checksPassed] == 0)
        return "the design checks fail";
    return "";
}

std::string Judged(const StudyDefinition& study, const OutputLayout& layout, const Row& row)
{
    const FailureCriterion& f = study.failure;
    if (f.output.empty())
        return DefaultFailure(layout, row);
    const auto at = std::find_if(layout.columns.begin(), layout.columns.end(),
                                 [&f](const Column& c) { return c.name == f.output; });
    if (at == layout.columns.end())
        return "the study has no output \"" + f.output + "\"";
    const std::optional<double>& v = row.outputs[static_cast<std::size_t>(at - layout.columns.begin())];
    if (!v)
        return f.output + " has no value";
    if (f.above && *v > *f.above)
        return f.output + " " + FormatGeneral(*v, 6) + " is above " + FormatGeneral(*f.above, 6);
    if (f.below && *v < *f.below)
        return f.output + " " + FormatGeneral(*v, 6) + " is below " + FormatGeneral(*f.below, 6);
    return "";
}

// The analysis maxima and anchor forces of every stage; the reason of the
// first stage that could not be analysed, or "".
std::string Analysed(const OutputLayout& layout, const StudyWall& wall, Row& row)
{
    const RunOutcome outcome = EngineRun::Analyse(wall.blocks, wall.settings);
    if (!outcome.fileError.empty())
        return outcome.fileError;
    std::string reason;
    for (std::size_t s = 0; s < layout.stages.size() && s < outcome.sections.size(); ++s) {
        const SectionRun& run = outcome.sections[s];
        if (!run.Ok()) {
            if (reason.empty())
                reason = "stage " + std::to_string(s + 1) + ": " +
                         (!run.error.empty() ? run.error : std::string(StatusText(run.result.status)));
            continue;
        }
        const OutputLayout::Stage& st = layout.stages[s];
        if (st.moment >= 0) {
            row.outputs[st.moment] = LargestMagnitude(run.result.moment);
            row.outputs[st.shear] = LargestMagnitude(run.result.shear);
            row.outputs[st.deflection] = LargestMagnitude(run.result.y);
        }
        std::vector<std::string> notes;
        const TWallSettings settings = wall.settings.InFileUnits(run.block.unitSystem);
        for (const checks::AnchorCheck& a : checks::CheckAnchors(run, settings, notes))
            for (const auto& [node, column] : st.anchors)
                if (node == a.node)
                    row.outputs[column] = a.forcePerWidth;
    }
    if (reason.empty() && outcome.sections.size() < layout.stages.size())
        reason = "the analysis ended before the last stage";
    return reason;
}

void SafetyFactors(const OutputLayout& layout, const StudyWall& wall, Row& row)
{
    for (std::size_t s = 0; s < layout.stages.size(); ++s) {
        checks::StageAnalyser stage(std::vector<WallFileBlock>(wall.blocks.begin(), wall.blocks.begin() + s),
                                    wall.blocks[s], wall.settings);
        if (const std::optional<double> f = checks::FindSafetyFactor(stage).factor)
            row.outputs[layout.stages[s].factor] = *f;
    }
}

void DesignChecks(const OutputLayout& layout, const StudyWall& wall, Row& row)
{
    const checks::DesignCheckReport report =
        checks::RunDesignChecks(wall.blocks, wall.settings.targetSafetyFactor, wall.settings);
    for (std::size_t s = 0; s < layout.stages.size() && s < report.stages.size(); ++s)
        if (layout.stages[s].factor >= 0 && report.stages[s].safety.factor)
            row.outputs[layout.stages[s].factor] = *report.stages[s].safety.factor;
    row.outputs[layout.checksPassed] = report.passed ? 1 : 0;
}

void Totals(const OutputLayout& layout, Row& row)
{
    for (const OutputLayout::Stage& st : layout.stages) {
        if (layout.largestMoment >= 0 && row.outputs[st.moment])
            row.outputs[layout.largestMoment] =
                std::max(row.outputs[layout.largestMoment].value_or(0), *row.outputs[st.moment]);
        if (layout.lowestFactor >= 0 && row.outputs[st.factor])
            row.outputs[layout.lowestFactor] =
                std::min(row.outputs[layout.lowestFactor].value_or(HUGE_VAL), *row.outputs[st.factor]);
    }
}

}  // namespace

std::vector<Column> InputColumns(const StudyDefinition& study, const StudyWall& wall)
{
    const std::vector<Accessor> all = Accessors(wall);
    std::vector<Column> columns;
    for (const Accessor* a : AccessorsOf(study, all))
        columns.push_back({a->address, a->unit});
    return columns;
}

OutputLayout Outputs(const StudyDefinition& study, const StudyWall& wall)
{
    OutputLayout out;
    const engine::UnitLabels u = engine::UnitLabelsFor(wall.blocks.front().block.unitSystem);
    const std::string force = u.forcePerLength.substr(0, u.forcePerLength.find('/'));
    const std::string moment = force + "-" + u.length + "/" + u.length;
    const std::vector<int> anchors = AnchorNodesOf(wall);
    for (std::size_t s = 0; s < wall.blocks.size(); ++s) {
        const std::string stage = "stage " + std::to_string(s + 1) + " ";
        OutputLayout::Stage st;
        if (study.computed.maxima) {
            st.moment = Add(out.columns, stage + "largest moment", moment);
            st.shear = Add(out.columns, stage + "largest shear", u.forcePerLength);
            st.deflection = Add(out.columns, stage + "largest deflection", u.length);
        }
        std::set<int> rows;
        for (const RangeRow& r : wall.blocks[s].block.springs)
            rows.insert(r.from);
        if (study.computed.anchorForces)
            for (std::size_t k = 0; k < anchors.size(); ++k)
                if (rows.count(anchors[k]))
                    st.anchors.emplace_back(anchors[k], Add(out.columns, stage + "anchor " + std::to_string(k + 1) +
                                                                             " force", u.forcePerLength));
        if (study.computed.safetyFactor || study.computed.checks)
            st.factor = Add(out.columns, stage + "F", "");
        out.stages.push_back(st);
    }
    if (study.computed.maxima)
        out.largestMoment = Add(out.columns, "largest moment", moment);
    if (study.computed.safetyFactor || study.computed.checks)
        out.lowestFactor = Add(out.columns, "lowest F", "");
    if (study.computed.checks)
        out.checksPassed = Add(out.columns, "checks passed", "");
    return out;
}

Row Realise(const StudyDefinition& study, const OutputLayout& layout, const StudyWall& wall, long index,
            std::vector<double> inputs)
{
    Row row;
    row.index = index;
    row.outputs.assign(layout.columns.size(), std::nullopt);
    try {
        const StudyWall varied = WithInputs(study, wall, inputs);
        row.reason = Analysed(layout, varied, row);
        if (row.reason.empty() && study.computed.checks)
            DesignChecks(layout, varied, row);
        else if (row.reason.empty() && study.computed.safetyFactor)
            SafetyFactors(layout, varied, row);
        Totals(layout, row);
        if (row.reason.empty())
            row.reason = Judged(study, layout, row);
    } catch (const std::exception& e) {
        row.outputs.assign(layout.columns.size(), std::nullopt);
        row.reason = e.what();
    }
    // One line per row in the rows file.
    std::replace(row.reason.begin(), row.reason.end(), '\n', ' ');
    std::replace(row.reason.begin(), row.reason.end(), '\r', ' ');
    row.inputs = std::move(inputs);
    row.failed = !row.reason.empty();
    return row;
}

}  // namespace study
