#include "study/Sampler.h"

#include <cmath>
#include <random>
#include <sstream>

namespace study {

std::vector<double> Sampler::Inputs(long index) const
{
    std::vector<double> in;
    const auto& ps = study_.parameters;
    if (study_.kind == StudyKind::Sensitivity) {
        for (std::size_t p = 0; p < ps.size(); ++p) {
            const long low = 1 + 2 * static_cast<long>(p);
            in.push_back(index == low ? ps[p].low : index == low + 1 ? ps[p].high : ps[p].base);
        }
    } else if (study_.kind == StudyKind::Sweep) {
        long rest = index;
        for (const Parameter& p : ps) {
            const long n = static_cast<long>(p.values.size());
            in.push_back(p.values[study_.gridSweep ? rest % n : index]);
            rest /= n;
        }
    } else {
        std::mt19937_64 g(study_.seed * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(index));
        for (const Parameter& p : ps) {
            std::normal_distribution<double> z;
            const Distribution& d = p.distribution;
            double v = d.mean + d.deviation * z(g);
            if (d.kind == DistributionKind::Uniform)
                v = d.low + (d.high - d.low) * std::uniform_real_distribution<double>()(g);
            in.push_back(v);
        }
    }
    return in;
}

Summary Summarise(const StudyDefinition& study, const std::vector<Column>& outputs, const std::vector<Row>& rows)
{
    Summary s;
    for (std::size_t c = 0; c < outputs.size(); ++c) {
        OutputStatistics o;
        o.output = outputs[c].name;
        double sum = 0, squares = 0;
        for (const Row& r : rows)
            if (r.outputs[c]) {
                ++o.count;
                sum += *r.outputs[c];
                squares += *r.outputs[c] * *r.outputs[c];
            }
        if (o.count > 1) {
            o.mean = sum / o.count;
            o.deviation = std::sqrt((squares - sum * o.mean) / (o.count - 1));
        }
        s.statistics.push_back(o);
    }
    FailureProbability f;
    for (const Row& r : rows) {
        f.failures += r.failed;
        ++f.realisations;
        if (r.failed)
            s.failedRows.push_back(r);
    }
    f.pf = f.realisations ? static_cast<double>(f.failures) / f.realisations : 0;
    const double half = 1.96 * std::sqrt(f.pf * (1 - f.pf) / std::max(1L, f.realisations));
    f.low95 = f.pf - half;
    f.high95 = f.pf + half;
    if (study.kind == StudyKind::MonteCarlo)
        s.failure = f;
    return s;
}

std::string SummaryJson(const StudyDefinition&, const StudyResult& result)
{
    std::ostringstream out;
    out << "{\"rows\": " << result.rows.size() << "}\n";
    return out.str();
}

}  // namespace study
