#include "study/Sampler.h"

#include "units/TorvikError.h"

#include <boost/math/distributions/normal.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace study {
namespace {

const boost::math::normal kStandardNormal;

double Phi(double z)
{
    return boost::math::cdf(kStandardNormal, z);
}

// The standard normal quantile, for p strictly inside (0, 1).
double PhiInverse(double p)
{
    return boost::math::quantile(kStandardNormal, p);
}

double Density(double z)
{
    return boost::math::pdf(kStandardNormal, z);
}

std::string Name(const StudyDefinition& study, std::size_t k)
{
    return "\"" + study.parameters[k].address + "\"";
}

// A counter-based random stream: SplitMix64 (Steele, Lea and Flood 2014),
// started at a point hashed from the seed, the purpose and a key, so that
// every row has a stream of its own that costs nothing to start, whatever
// rows were drawn before. `purpose` 0 is a row (key: its index), 1 the strata
// of a parameter (key: its position).
class Stream {
public:
    Stream(std::uint64_t seed, std::uint64_t purpose, std::uint64_t key) : state_(Mix(Mix(Mix(seed) ^ purpose) ^ key))
    {
    }
    std::uint64_t operator()() { return Mix(state_ += kGamma); }

private:
    static constexpr std::uint64_t kGamma = 0x9e3779b97f4a7c15ULL;
    static std::uint64_t Mix(std::uint64_t z)
    {
        z += kGamma;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    std::uint64_t state_;
};

// A uniform number in (0, 1), never 0 or 1, from 53 random bits. Written out
// rather than taken from std::uniform_real_distribution, whose algorithm the
// standard leaves to each library: the rows must be the same on every system.
double Uniform(Stream& stream)
{
    return (static_cast<double>(stream() >> 11) + 0.5) * 0x1p-53;
}

// A uniform integer in [0, n), without the bias of a plain remainder.
std::uint64_t UniformBelow(Stream& stream, std::uint64_t n)
{
    const std::uint64_t limit =
        std::numeric_limits<std::uint64_t>::max() - std::numeric_limits<std::uint64_t>::max() % n;
    std::uint64_t x = stream();
    while (x >= limit)
        x = stream();
    return x % n;
}

void CheckDistribution(const StudyDefinition& study, std::size_t k)
{
    const Distribution& d = study.parameters[k].distribution;
    const std::string name = Name(study, k);
    if (!std::isfinite(d.mean) || !std::isfinite(d.deviation) || !std::isfinite(d.low) || !std::isfinite(d.high))
        throw TorvikError("The distribution of " + name + " has a value that is not a number.");
    const bool ranged = d.kind == DistributionKind::Uniform || d.kind == DistributionKind::TruncatedNormal;
    if (d.kind != DistributionKind::Uniform && !(d.deviation > 0))
        throw TorvikError("The distribution of " + name + " needs a standard deviation above 0.");
    if (ranged && !(d.low < d.high))
        throw TorvikError("The distribution of " + name + " needs a low value below its high value.");
    if (d.kind == DistributionKind::Lognormal && !(d.mean > 0))
        throw TorvikError("The lognormal distribution of " + name + " needs a mean above 0.");
}

long SweepCount(const StudyDefinition& study)
{
    long count = 1;
    for (std::size_t k = 0; k < study.parameters.size(); ++k) {
        const long n = static_cast<long>(study.parameters[k].values.size());
        if (n == 0)
            throw TorvikError("The sweep has no values for " + Name(study, k) + ".");
        if (!study.gridSweep) {
            if (k > 0 && n != count)
                throw TorvikError("The sweep's values of " + Name(study, k) + " are " + std::to_string(n) +
                                  ", those of " + Name(study, 0) + " " + std::to_string(count) +
                                  ": side by side, every parameter needs as many.");
            count = n;
        } else {
            if (count > std::numeric_limits<long>::max() / n)
                throw TorvikError("The sweep's grid has too many combinations.");
            count *= n;
        }
    }
    return count;
}

// One random permutation of the strata 0..count-1 per parameter.
std::vector<std::vector<std::uint32_t>> LatinStrata(std::uint64_t seed, std::size_t parameters, long count)
{
    if (static_cast<unsigned long long>(count) > std::numeric_limits<std::uint32_t>::max())
        throw TorvikError("A Latin hypercube holds at most 4294967295 realisations.");
    std::vector<std::vector<std::uint32_t>> strata(parameters);
    for (std::size_t k = 0; k < parameters; ++k) {
        Stream generator(seed, 1, k);
        std::vector<std::uint32_t>& s = strata[k];
        s.resize(static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = static_cast<std::uint32_t>(i);
        for (std::size_t i = s.size(); i > 1; --i)
            std::swap(s[i - 1], s[UniformBelow(generator, i)]);
    }
    return strata;
}

}  // namespace

double BaseValue(const Parameter& p)
{
    if (p.base)
        return *p.base;
    const Distribution& d = p.distribution;
    switch (d.kind) {
    case DistributionKind::Normal:
    case DistributionKind::Lognormal:
        if (d.deviation > 0)
            return d.mean;
        break;
    case DistributionKind::Uniform:
        if (d.low < d.high)
            return 0.5 * (d.low + d.high);
        break;
    case DistributionKind::TruncatedNormal:
        if (d.deviation > 0 && d.low < d.high) {
            // The mean of the normal cut to [low, high].
            const double a = (d.low - d.mean) / d.deviation, b = (d.high - d.mean) / d.deviation;
            const double mass = a > 0 ? Phi(-a) - Phi(-b) : Phi(b) - Phi(a);
            if (mass > 0)
                return d.mean + d.deviation * (Density(a) - Density(b)) / mass;
            return 0.5 * (d.low + d.high);
        }
        break;
    }
    return 0.5 * (p.low + p.high);
}

std::vector<std::vector<double>> CorrelationCholesky(const std::vector<std::vector<double>>& c, std::size_t size)
{
    const auto fail = [](const std::string& why) {
        throw TorvikError("The correlation matrix is not a correlation matrix: " + why + ".");
    };
    if (c.size() != size)
        fail("it has " + std::to_string(c.size()) + " rows for " + std::to_string(size) + " parameters");
    for (std::size_t i = 0; i < size; ++i) {
        if (c[i].size() != size)
            fail("row " + std::to_string(i + 1) + " has " + std::to_string(c[i].size()) + " entries, not " +
                 std::to_string(size));
        if (std::abs(c[i][i] - 1) > 1e-12)
            fail("entry " + std::to_string(i + 1) + "," + std::to_string(i + 1) + " of the diagonal is not 1");
        for (std::size_t j = 0; j < size; ++j) {
            const std::string at = std::to_string(i + 1) + "," + std::to_string(j + 1);
            if (!(std::abs(c[i][j]) <= 1))
                fail("entry " + at + " lies outside -1 to 1");
            if (std::abs(c[i][j] - c[j][i]) > 1e-12)
                fail("entries " + at + " and " + std::to_string(j + 1) + "," + std::to_string(i + 1) + " differ");
        }
    }
    std::vector<std::vector<double>> l(size, std::vector<double>(size, 0.0));
    for (std::size_t j = 0; j < size; ++j) {
        double pivot = c[j][j];
        for (std::size_t k = 0; k < j; ++k)
            pivot -= l[j][k] * l[j][k];
        if (!(pivot > 1e-10))
            fail("it is not positive definite (parameters cannot be fully correlated, nor contradict each other)");
        l[j][j] = std::sqrt(pivot);
        for (std::size_t i = j + 1; i < size; ++i) {
            double sum = c[i][j];
            for (std::size_t k = 0; k < j; ++k)
                sum -= l[i][k] * l[j][k];
            l[i][j] = sum / l[j][j];
        }
    }
    return l;
}

double ValueAtNormal(const Distribution& d, double z)
{
    switch (d.kind) {
    case DistributionKind::Normal: return d.mean + d.deviation * z;
    case DistributionKind::Lognormal: {
        // The normal of the logarithm that gives the variable this mean and deviation.
        const double s2 = std::log1p((d.deviation / d.mean) * (d.deviation / d.mean));
        return std::exp(std::log(d.mean) - 0.5 * s2 + std::sqrt(s2) * z);
    }
    case DistributionKind::Uniform: return d.low + (d.high - d.low) * Phi(z);
    case DistributionKind::TruncatedNormal: {
        double a = (d.low - d.mean) / d.deviation, b = (d.high - d.mean) / d.deviation;
        // In the upper tail the distribution function loses its digits: draw
        // from the mirrored range, whose lower tail keeps them, and mirror back.
        const double sign = a > 0 ? -1 : 1;
        if (sign < 0) {
            std::swap(a, b);
            a = -a;
            b = -b;
            z = -z;
        }
        const double pa = Phi(a), pb = Phi(b);
        const double p = pa + Phi(z) * (pb - pa);
        double t = p > 0 && p < 1 ? PhiInverse(p) : (p <= 0 ? a : b);
        t = std::min(std::max(t, a), b);
        return d.mean + sign * d.deviation * t;
    }
    }
    return d.mean;
}

Sampler::Sampler(const StudyDefinition& study) : study_(study)
{
    const std::size_t n = study.parameters.size();
    switch (study.kind) {
    case StudyKind::Sensitivity:
        count_ = 1 + 2 * static_cast<long>(n);
        for (const Parameter& p : study.parameters)
            base_.push_back(BaseValue(p));
        break;
    case StudyKind::Sweep: count_ = SweepCount(study); break;
    case StudyKind::MonteCarlo:
        if (study.count < 1)
            throw TorvikError("A Monte Carlo study needs a count of at least 1 realisation.");
        count_ = study.count;
        for (std::size_t k = 0; k < n; ++k)
            CheckDistribution(study, k);
        if (!study.correlation.empty())
            cholesky_ = CorrelationCholesky(study.correlation, n);
        if (study.latinHypercube)
            strata_ = LatinStrata(study.seed, n, count_);
        break;
    }
}

std::vector<double> Sampler::Inputs(long index) const
{
    if (index < 0 || index >= count_)
        throw TorvikError("Row " + std::to_string(index) + " is outside the study's " + std::to_string(count_) +
                          " rows.");
    switch (study_.kind) {
    case StudyKind::Sensitivity: {
        std::vector<double> inputs = base_;
        if (index > 0) {
            const std::size_t k = static_cast<std::size_t>((index - 1) / 2);
            const Parameter& p = study_.parameters[k];
            inputs[k] = index % 2 == 1 ? p.low : p.high;
        }
        return inputs;
    }
    case StudyKind::Sweep: return SweepInputs(index);
    case StudyKind::MonteCarlo: return MonteCarloInputs(index);
    }
    return {};
}

std::vector<double> Sampler::SweepInputs(long index) const
{
    const std::size_t n = study_.parameters.size();
    std::vector<double> inputs(n);
    long rest = index;
    for (std::size_t k = n; k-- > 0;) {
        const std::vector<double>& values = study_.parameters[k].values;
        if (!study_.gridSweep) {
            inputs[k] = values[static_cast<std::size_t>(index)];
            continue;
        }
        const long size = static_cast<long>(values.size());
        inputs[k] = values[static_cast<std::size_t>(rest % size)];
        rest /= size;
    }
    return inputs;
}

std::vector<double> Sampler::MonteCarloInputs(long index) const
{
    const std::size_t n = study_.parameters.size();
    Stream generator(study_.seed, 0, static_cast<std::uint64_t>(index));
    std::vector<double> z(n);
    for (std::size_t k = 0; k < n; ++k) {
        double u = Uniform(generator);
        if (!strata_.empty())
            u = std::min((strata_[k][static_cast<std::size_t>(index)] + u) / static_cast<double>(count_), 1 - 0x1p-53);
        z[k] = PhiInverse(u);
    }
    if (!cholesky_.empty()) {
        for (std::size_t i = n; i-- > 0;) {
            double sum = 0;
            for (std::size_t k = 0; k <= i; ++k)
                sum += cholesky_[i][k] * z[k];
            z[i] = sum;
        }
    }
    std::vector<double> inputs(n);
    for (std::size_t k = 0; k < n; ++k)
        inputs[k] = ValueAtNormal(study_.parameters[k].distribution, z[k]);
    return inputs;
}

}  // namespace study
