#include "ui/rules/StudyEntry.h"

#include "units/EvaluateEntry.h"
#include "units/NumberFormat.h"

#include <cmath>
#include <exception>

using study::DistributionKind;
using study::StudyKind;

namespace {

using C = StudyColumn;

// The problem of one field: why the study cannot be made from it.
struct FieldProblem {
    std::string text;
};

double Number(const std::string& text, const std::string& parameter, const char* field)
{
    if (text.find_first_not_of(" \t") == std::string::npos)
        throw FieldProblem{parameter + ": the " + field + " is missing."};
    try {
        return static_cast<double>(EvaluateEntry(text));
    } catch (const std::exception&) {
        throw FieldProblem{parameter + ": the " + field + " \"" + text + "\" is not a number."};
    }
}

std::vector<double> Numbers(const std::string& text, const std::string& parameter)
{
    std::vector<double> out;
    std::string item;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        if (c == ' ' || c == '\t' || c == ',' || c == ';') {
            if (!item.empty())
                out.push_back(Number(item, parameter, "value"));
            item.clear();
        } else {
            item += c;
        }
    }
    if (out.empty())
        throw FieldProblem{parameter + ": the sweep has no values."};
    return out;
}

void SensitivityRange(const StudyParameterEntry& e, study::Parameter& p)
{
    // The other rows keep the wall as it is.
    p.base = e.wallValue;
    if (e.percent.find_first_not_of(" \t") != std::string::npos) {
        const double percent = Number(e.percent, e.address, "percentage");
        if (!(percent > 0))
            throw FieldProblem{e.address + ": the percentage must be above 0."};
        if (e.wallValue == 0)
            throw FieldProblem{e.address + ": its value in the wall is 0, so a percentage of it leaves it at 0; "
                                           "give a low and a high value instead."};
        const double delta = std::fabs(e.wallValue) * percent / 100;
        p.low = e.wallValue - delta;
        p.high = e.wallValue + delta;
        return;
    }
    p.low = Number(e.low, e.address, "low value");
    p.high = Number(e.high, e.address, "high value");
    if (!(p.low < p.high))
        throw FieldProblem{e.address + ": the low value must be below the high value."};
}

void Distribution(const StudyParameterEntry& e, study::Distribution& d)
{
    d.kind = e.distribution;
    if (DistributionTakes(d.kind, C::Mean)) {
        d.mean = Number(e.mean, e.address, "mean");
        d.deviation = Number(e.deviation, e.address, "standard deviation");
        if (!(d.deviation > 0))
            throw FieldProblem{e.address + ": the standard deviation must be above 0."};
        if (d.kind == DistributionKind::Lognormal && !(d.mean > 0))
            throw FieldProblem{e.address + ": a lognormal parameter needs a mean above 0."};
    }
    if (DistributionTakes(d.kind, C::LowerBound)) {
        d.low = Number(e.lowerBound, e.address, "lower bound");
        d.high = Number(e.upperBound, e.address, "upper bound");
        if (!(d.low < d.high))
            throw FieldProblem{e.address + ": the lower bound must be below the upper bound."};
    }
}

study::Parameter ReadParameter(StudyKind kind, const StudyParameterEntry& e)
{
    study::Parameter p;
    p.address = e.address;
    if (kind == StudyKind::Sensitivity)
        SensitivityRange(e, p);
    else if (kind == StudyKind::Sweep)
        p.values = Numbers(e.values, e.address);
    else
        Distribution(e, p.distribution);
    return p;
}

// The count and the seed: whole numbers, the count at least 2.
void ReadSampling(const StudyEntry& entry, study::StudyDefinition& d)
{
    const double count = Number(entry.count, "The study", "count");
    if (count != std::floor(count) || count < 2 || count > 1e9)
        throw FieldProblem{"The count must be a whole number from 2 to 1000000000."};
    const double seed = Number(entry.seed, "The study", "seed");
    if (seed != std::floor(seed) || seed < 0 || seed > 9007199254740992.0)
        throw FieldProblem{"The seed must be a whole number from 0 to 9007199254740992."};
    d.count = static_cast<long>(count);
    d.seed = static_cast<std::uint64_t>(seed);
    d.latinHypercube = entry.latinHypercube;
}

}  // namespace

bool StudyColumnShown(StudyKind kind, StudyColumn column)
{
    switch (column) {
    case C::Low:
    case C::High:
    case C::Percent:
        return kind == StudyKind::Sensitivity;
    case C::Values:
        return kind == StudyKind::Sweep;
    case C::Distribution:
    case C::Mean:
    case C::Deviation:
    case C::LowerBound:
    case C::UpperBound:
        return kind == StudyKind::MonteCarlo;
    default:
        return true;
    }
}

bool DistributionTakes(DistributionKind kind, StudyColumn column)
{
    if (column == C::Mean || column == C::Deviation)
        return kind != DistributionKind::Uniform;
    if (column == C::LowerBound || column == C::UpperBound)
        return kind == DistributionKind::Uniform || kind == DistributionKind::TruncatedNormal;
    return column == C::Distribution;
}

bool StudySamples(StudyKind kind) { return kind == StudyKind::MonteCarlo; }
bool StudyHasGrid(StudyKind kind) { return kind == StudyKind::Sweep; }

const std::vector<std::string>& StudyKindNames()
{
    static const std::vector<std::string> names = {"Sensitivity (one at a time)", "Sweep", "Monte Carlo"};
    return names;
}

const std::vector<std::string>& DistributionNames()
{
    static const std::vector<std::string> names = {"Normal", "Lognormal", "Uniform", "Truncated normal"};
    return names;
}

StudyParameterEntry DefaultEntry(const study::ParameterAddress& address)
{
    const double v = address.value;
    const double spread = v == 0 ? 1 : std::fabs(v) * 0.1;
    const auto text = [](double x) { return FormatGeneral(x, 6); };
    StudyParameterEntry e;
    e.address = address.address;
    e.wallValue = v;
    e.unit = address.unit;
    e.mean = text(v);
    e.deviation = text(spread);
    if (v == 0) {
        // Every parameter a study varies is a strength, a weight, a stiffness,
        // a load or a depth, none of them below 0: a parameter the wall has at
        // 0 starts from 0 upwards (a uniform distribution from 0 to 1 for a
        // Monte Carlo), where values below it would make the analyses fail.
        e.low = text(0);
        e.high = text(spread);
        e.values = text(0) + " " + text(spread / 2) + " " + text(spread);
        e.distribution = study::DistributionKind::Uniform;
        e.lowerBound = text(0);
        e.upperBound = text(spread);
        return e;
    }
    e.percent = "10";
    e.values = text(v - spread) + " " + text(v) + " " + text(v + spread);
    e.lowerBound = text(v - 2 * spread);
    e.upperBound = text(v + 2 * spread);
    return e;
}

StudyRead ReadStudyEntry(const StudyEntry& entry)
{
    StudyRead out;
    study::StudyDefinition d;
    d.kind = entry.kind;
    d.computed = entry.computed;
    try {
        if (entry.parameters.empty())
            throw FieldProblem{"Add at least one parameter to vary."};
        const study::Computed& c = entry.computed;
        if (!c.maxima && !c.anchorForces && !c.safetyFactor && !c.checks)
            throw FieldProblem{"Choose at least one result to compute."};
        for (const StudyParameterEntry& p : entry.parameters) {
            for (const study::Parameter& earlier : d.parameters)
                if (earlier.address == p.address)
                    throw FieldProblem{p.address + " is varied twice: remove one of its rows."};
            d.parameters.push_back(ReadParameter(entry.kind, p));
        }
        if (StudySamples(entry.kind))
            ReadSampling(entry, d);
        d.gridSweep = StudyHasGrid(entry.kind) && entry.grid;
        if (entry.kind == StudyKind::Sweep && !d.gridSweep)
            for (const study::Parameter& p : d.parameters)
                if (p.values.size() != d.parameters.front().values.size())
                    throw FieldProblem{"Side by side, every parameter of a sweep needs as many values as the first (" +
                                       std::to_string(d.parameters.front().values.size()) + "); " + p.address +
                                       " has " + std::to_string(p.values.size()) + ". Or tick Grid."};
    } catch (const FieldProblem& problem) {
        out.problem = problem.text;
        return out;
    }
    out.definition = std::move(d);
    return out;
}
