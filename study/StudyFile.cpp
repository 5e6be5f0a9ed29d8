#include "study/Study.h"

#include "model/SettingsJsonFields.h"

#include "units/NumberFormat.h"
#include "units/TorvikError.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <set>

namespace study {
namespace {

using json = nlohmann::json;

// The most realisations a study may have: far more than a cluster computes in a day.
constexpr long kMaxRealisations = 100000000;

// A fault of a study text: the key it lies at (the entry of the parameter list
// when `entry` >= 0) and what is wrong.
struct Fault {
    std::string key;
    std::string what;
    long entry = -1;
};

// The line of `key`, inside the entry `entry` of the parameter list when that is >= 0.
int LineOfFault(const std::string& text, const Fault& f)
{
    std::size_t from = 0, end = text.size();
    if (f.entry >= 0) {
        from = text.find("\"parameters\"");
        for (long i = 0; from != std::string::npos && i <= f.entry; ++i)
            from = text.find('{', from + 1);
        if (from == std::string::npos)
            return 0;
        end = text.find('}', from);
    }
    const std::size_t at = f.key.empty() ? std::string::npos : text.find("\"" + f.key + "\"", from);
    if (at != std::string::npos && at < end)
        return settings_fields::LineOf(text, at);
    return f.entry >= 0 ? settings_fields::LineOf(text, from) : 0;
}

const char* const kKinds[] = {"sensitivity", "sweep", "monte carlo"};
const char* const kDistributions[] = {"normal", "lognormal", "uniform", "truncated normal"};

template <std::size_t N>
int Choice(const json& j, const char* key, const char* const (&names)[N])
{
    if (!j.at(key).is_string())
        throw Fault{key, std::string("\"") + key + "\" must be a word in quotes"};
    const std::string word = j.at(key).get<std::string>();
    for (std::size_t i = 0; i < N; ++i)
        if (word == names[i])
            return static_cast<int>(i);
    std::string known;
    for (std::size_t i = 0; i < N; ++i)
        known += std::string(i ? ", \"" : "\"") + names[i] + "\"";
    throw Fault{key, "\"" + word + "\" is no " + key + " (" + known + ")"};
}

double Number(const json& j, const char* key)
{
    if (!j.at(key).is_number())
        throw Fault{key, std::string("\"") + key + "\" must be a number"};
    return j.at(key).get<double>();
}

void Require(bool ok, const char* key, const std::string& what)
{
    if (!ok)
        throw Fault{key, what};
}

void OnlyKnown(const json& j, const std::set<std::string>& known)
{
    for (auto it = j.begin(); it != j.end(); ++it)
        if (!known.count(it.key()))
            throw Fault{it.key(), "\"" + it.key() + "\" is no key of a study file"};
}

Distribution DistributionFrom(const json& p)
{
    Distribution d;
    Require(p.contains("distribution"), "distribution", "a Monte Carlo parameter needs a \"distribution\"");
    d.kind = static_cast<DistributionKind>(Choice(p, "distribution", kDistributions));
    const bool bounded = d.kind == DistributionKind::Uniform || d.kind == DistributionKind::TruncatedNormal;
    if (d.kind != DistributionKind::Uniform) {
        Require(p.contains("mean") && p.contains("deviation"), "distribution", "it needs a \"mean\" and a \"deviation\"");
        d.mean = Number(p, "mean");
        d.deviation = Number(p, "deviation");
        Require(d.deviation > 0, "deviation", "the deviation must be above 0");
        Require(d.kind != DistributionKind::Lognormal || d.mean > 0, "mean", "a lognormal mean must be above 0");
    }
    if (bounded) {
        Require(p.contains("low") && p.contains("high"), "distribution", "it needs a \"low\" and a \"high\"");
        d.low = Number(p, "low");
        d.high = Number(p, "high");
        Require(d.low < d.high, "high", "\"high\" must be above \"low\"");
    }
    return d;
}

Parameter ParameterFrom(const json& p, StudyKind kind)
{
    Require(p.is_object(), "", "each parameter must be an object");
    OnlyKnown(p, {"parameter", "low", "high", "percent", "base", "values", "distribution", "mean", "deviation"});
    Parameter out;
    Require(p.contains("parameter") && p.at("parameter").is_string(), "parameter",
            "each parameter needs its \"parameter\" name in quotes");
    out.address = p.at("parameter").get<std::string>();
    if (p.contains("base"))
        out.base = Number(p, "base");
    if (kind == StudyKind::Sensitivity) {
        if (p.contains("percent")) {
            out.percent = Number(p, "percent");
            Require(*out.percent > 0 && *out.percent < 100, "percent", "the percent must lie between 0 and 100");
        } else {
            Require(p.contains("low") && p.contains("high"), "parameter",
                    "a sensitivity parameter needs a \"low\" and a \"high\" or a \"percent\"");
            out.low = Number(p, "low");
            out.high = Number(p, "high");
        }
    } else if (kind == StudyKind::Sweep) {
        Require(p.contains("values") && p.at("values").is_array() && !p.at("values").empty(), "values",
                "a sweep parameter needs a list of \"values\"");
        for (const json& v : p.at("values")) {
            Require(v.is_number(), "values", "the \"values\" must be numbers");
            out.values.push_back(v.get<double>());
        }
    } else {
        out.distribution = DistributionFrom(p);
    }
    return out;
}

// True when the symmetric matrix is positive definite (Cholesky without a pivot <= 0).
bool PositiveDefinite(std::vector<std::vector<double>> a)
{
    const std::size_t n = a.size();
    for (std::size_t j = 0; j < n; ++j) {
        for (std::size_t k = 0; k < j; ++k)
            a[j][j] -= a[j][k] * a[j][k];
        if (a[j][j] <= 1e-12)
            return false;
        a[j][j] = std::sqrt(a[j][j]);
        for (std::size_t i = j + 1; i < n; ++i) {
            for (std::size_t k = 0; k < j; ++k)
                a[i][j] -= a[i][k] * a[j][k];
            a[i][j] /= a[j][j];
        }
    }
    return true;
}

std::vector<std::vector<double>> CorrelationFrom(const json& c, std::size_t n)
{
    Require(c.is_array() && c.size() == n, "correlation", "the correlation must be a list of " +
                                                              std::to_string(n) + " rows, one per parameter");
    std::vector<std::vector<double>> m;
    for (const json& row : c) {
        Require(row.is_array() && row.size() == n, "correlation", "each row of the correlation needs " +
                                                                      std::to_string(n) + " numbers");
        m.emplace_back();
        for (const json& v : row) {
            Require(v.is_number(), "correlation", "the correlation must hold numbers");
            m.back().push_back(v.get<double>());
        }
    }
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t k = 0; k < n; ++k) {
            Require(i != k || m[i][k] == 1, "correlation", "the correlation of a parameter with itself must be 1");
            Require(m[i][k] == m[k][i], "correlation", "the correlation must be symmetric");
            Require(i == k || std::fabs(m[i][k]) < 1, "correlation", "a correlation must lie between -1 and 1");
        }
    Require(PositiveDefinite(m), "correlation", "the correlations contradict each other (not positive definite)");
    return m;
}

bool Flag(const json& j, const char* key, bool fallback)
{
    if (!j.contains(key))
        return fallback;
    Require(j.at(key).is_boolean(), key, std::string("\"") + key + "\" must be true or false");
    return j.at(key).get<bool>();
}

void ReadComputed(const json& j, StudyDefinition& s)
{
    Require(j.is_object(), "compute", "\"compute\" must be an object");
    OnlyKnown(j, {"maxima", "anchor_forces", "safety_factor", "checks"});
    s.computed.maxima = Flag(j, "maxima", s.computed.maxima);
    s.computed.anchorForces = Flag(j, "anchor_forces", s.computed.anchorForces);
    s.computed.safetyFactor = Flag(j, "safety_factor", s.computed.safetyFactor);
    s.computed.checks = Flag(j, "checks", s.computed.checks);
}

void ReadFailure(const json& j, StudyDefinition& s)
{
    Require(j.is_object(), "failure", "\"failure\" must be an object");
    OnlyKnown(j, {"output", "above", "below"});
    Require(j.contains("output") && j.at("output").is_string(), "failure", "\"failure\" needs the \"output\" it judges");
    s.failure.output = j.at("output").get<std::string>();
    if (j.contains("above"))
        s.failure.above = Number(j, "above");
    if (j.contains("below"))
        s.failure.below = Number(j, "below");
    Require(s.failure.above || s.failure.below, "failure", "\"failure\" needs a limit \"above\" or \"below\"");
}

void ReadSampling(const json& j, StudyDefinition& s)
{
    if (j.contains("sampling"))
        s.latinHypercube = Choice(j, "sampling", {"plain", "latin hypercube"}) == 1;
    Require(j.contains("count"), "kind", "a Monte Carlo study needs its \"count\" of realisations");
    const double count = Number(j, "count");
    Require(count >= 1 && count <= kMaxRealisations && std::trunc(count) == count, "count",
            "the count must be a whole number from 1 to " + FormatGeneral(kMaxRealisations, 12));
    s.count = static_cast<long>(count);
    if (j.contains("seed")) {
        const double seed = Number(j, "seed");
        Require(seed >= 0 && seed < 9007199254740992.0 && std::trunc(seed) == seed, "seed",
                "the seed must be a whole number from 0 to 2^53");
        s.seed = static_cast<std::uint64_t>(seed);
    }
    if (j.contains("correlation"))
        s.correlation = CorrelationFrom(j.at("correlation"), s.parameters.size());
}

void ReadParameters(const json& j, StudyDefinition& s)
{
    Require(j.contains("parameters") && j.at("parameters").is_array() && !j.at("parameters").empty(), "parameters",
            "a study needs a list of \"parameters\"");
    const json& list = j.at("parameters");
    for (std::size_t i = 0; i < list.size(); ++i) {
        try {
            s.parameters.push_back(ParameterFrom(list[i], s.kind));
        } catch (Fault& f) {
            f.entry = static_cast<long>(i);
            throw;
        }
    }
}

StudyDefinition StudyFrom(const json& j)
{
    Require(j.is_object(), "", "it is not a JSON object");
    OnlyKnown(j, {"wall", "kind", "parameters", "correlation", "sampling", "count", "seed", "grid", "compute",
                  "failure"});
    StudyDefinition s;
    Require(j.contains("wall") && j.at("wall").is_string() && !j.at("wall").get<std::string>().empty(), "wall",
            "a study needs its \"wall\", the name of a data file");
    s.wallFile = j.at("wall").get<std::string>();
    Require(j.contains("kind"), "kind", "a study needs its \"kind\"");
    s.kind = static_cast<StudyKind>(Choice(j, "kind", kKinds));
    ReadParameters(j, s);
    if (s.kind == StudyKind::MonteCarlo)
        ReadSampling(j, s);
    s.gridSweep = s.kind == StudyKind::Sweep && Flag(j, "grid", false);
    if (j.contains("compute"))
        ReadComputed(j.at("compute"), s);
    if (j.contains("failure"))
        ReadFailure(j.at("failure"), s);
    if (s.kind == StudyKind::Sweep)
        Require(RealisationCount(s) > 0, "values", "the lists of values of a sweep that is no grid must be equally long");
    Require(RealisationCount(s) <= kMaxRealisations, "parameters", "the study has more realisations than " +
                                                                     FormatGeneral(kMaxRealisations, 12));
    return s;
}

json DistributionJson(const Distribution& d)
{
    json p;
    p["distribution"] = kDistributions[static_cast<int>(d.kind)];
    if (d.kind != DistributionKind::Uniform) {
        p["mean"] = d.mean;
        p["deviation"] = d.deviation;
    }
    if (d.kind == DistributionKind::Uniform || d.kind == DistributionKind::TruncatedNormal) {
        p["low"] = d.low;
        p["high"] = d.high;
    }
    return p;
}

json ParameterJson(const Parameter& p, StudyKind kind)
{
    json j = kind == StudyKind::MonteCarlo ? DistributionJson(p.distribution) : json::object();
    j["parameter"] = p.address;
    if (kind == StudyKind::Sensitivity) {
        if (p.base)
            j["base"] = *p.base;
        if (p.percent) {
            j["percent"] = *p.percent;
        } else {
            j["low"] = p.low;
            j["high"] = p.high;
        }
    } else if (kind == StudyKind::Sweep) {
        j["values"] = p.values;
    }
    return j;
}

}  // namespace

StudyDefinition ParseStudy(const std::string& text, const std::string& name)
{
    json j;
    try {
        j = json::parse(text);
    } catch (const json::parse_error& e) {
        throw EInOutError("The study file " + name + " is damaged at line " +
                          std::to_string(settings_fields::LineOf(text, e.byte > 0 ? e.byte - 1 : 0)) + ": it is not valid JSON.");
    }
    try {
        return StudyFrom(j);
    } catch (const Fault& f) {
        const int line = LineOfFault(text, f);
        const std::string where = line > 0 ? " at line " + std::to_string(line) : std::string();
        throw EInOutError("The study file " + name + " cannot be used" + where + ": " + f.what + ".");
    }
}

std::string StudyText(const StudyDefinition& s)
{
    json j;
    j["wall"] = s.wallFile;
    j["kind"] = kKinds[static_cast<int>(s.kind)];
    j["parameters"] = json::array();
    for (const Parameter& p : s.parameters)
        j["parameters"].push_back(ParameterJson(p, s.kind));
    if (s.kind == StudyKind::MonteCarlo) {
        j["sampling"] = s.latinHypercube ? "latin hypercube" : "plain";
        j["count"] = s.count;
        j["seed"] = s.seed;
        if (!s.correlation.empty())
            j["correlation"] = s.correlation;
    }
    if (s.kind == StudyKind::Sweep)
        j["grid"] = s.gridSweep;
    j["compute"] = {{"maxima", s.computed.maxima},
                    {"anchor_forces", s.computed.anchorForces},
                    {"safety_factor", s.computed.safetyFactor},
                    {"checks", s.computed.checks}};
    if (!s.failure.output.empty()) {
        json f = {{"output", s.failure.output}};
        if (s.failure.above)
            f["above"] = *s.failure.above;
        if (s.failure.below)
            f["below"] = *s.failure.below;
        j["failure"] = f;
    }
    return j.dump(2) + "\n";
}

long RealisationCount(const StudyDefinition& s)
{
    switch (s.kind) {
    case StudyKind::Sensitivity:
        return 1 + 2 * static_cast<long>(s.parameters.size());
    case StudyKind::MonteCarlo:
        return s.count;
    case StudyKind::Sweep:
        break;
    }
    if (s.parameters.empty())
        return 0;
    long n = s.gridSweep ? 1 : static_cast<long>(s.parameters.front().values.size());
    for (const Parameter& p : s.parameters) {
        const long size = static_cast<long>(p.values.size());
        if (s.gridSweep)
            n = n > kMaxRealisations / std::max(size, 1L) ? kMaxRealisations + 1 : n * size;
        else if (size != n)
            return 0;
    }
    return n;
}

}  // namespace study
