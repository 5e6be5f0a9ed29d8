#include "verify/MonteCarloPile.h"

#include "study/Study.h"
#include "verify/ClosedForms.h"

#include <boost/math/distributions/normal.hpp>

#include <cmath>

namespace {

constexpr long kRealisations = 10000;
constexpr double kMeanLoad = closedform::P, kLoadDeviation = 0.2 * closedform::P;
// The allowable deflection: that of the mean load plus 1.5 deviations, so
// that pf = 1 - Phi(1.5), about 0.067.
constexpr double kAllowedAt = 1.5;
constexpr double kZ95 = 1.959963984540054;
const char* const kGroup = "Monte Carlo";
const char* const kOutput = "stage 1 largest deflection";

study::StudyDefinition HeadLoadStudy(study::StudyKind kind)
{
    study::StudyDefinition s;
    s.kind = kind;
    s.parameters.emplace_back();
    s.parameters.back().address = "load 1 force";
    s.parameters.back().values = {kMeanLoad};
    s.parameters.back().distribution = {study::DistributionKind::Normal, kMeanLoad, kLoadDeviation};
    s.count = kRealisations;
    s.seed = 1;
    s.computed.anchorForces = false;
    return s;
}

const study::OutputStatistics* StatisticsOf(const study::Summary& summary)
{
    for (const study::OutputStatistics& o : summary.statistics)
        if (o.output == kOutput)
            return &o;
    return nullptr;
}

VerificationCase Within(const std::string& name, double computed, double reference, double halfWidth)
{
    const double scale = std::fabs(reference);
    return {kGroup, name, computed, reference, std::fabs(computed - reference) / scale, halfWidth / scale};
}

}  // namespace

void MonteCarloPile(std::vector<VerificationCase>& out, const std::filesystem::path& folder)
{
    const std::filesystem::path file = folder / "MonteCarloPile.tk4d";
    {
        closedform::Beam b(200, closedform::LongBeam);
        b.Foundation();
        b.wall.Load(0, 0, kMeanLoad);
        b.wall.Save(file.string());
    }
    const std::string title = "Pile on linear springs, normal head load: ";
    const study::StudyWall wall = study::ReadStudyWall(file.string());
    // The springs are linear: the head deflection is the load times the
    // compliance of one analysis.
    const study::StudyResult one = study::RunStudy(HeadLoadStudy(study::StudyKind::Sweep), wall);
    study::StudyDefinition s = HeadLoadStudy(study::StudyKind::MonteCarlo);
    if (one.rows.empty() || !one.rows[0].outputs[2]) {
        out.push_back({kGroup, title + "the analysis of the mean load", NAN, 0, HUGE_VAL, 0});
        return;
    }
    const double compliance = *one.rows[0].outputs[2] / kMeanLoad;
    const double mean = compliance * kMeanLoad, deviation = compliance * kLoadDeviation;
    s.failure = {kOutput, mean + kAllowedAt * deviation, std::nullopt};
    const study::StudyResult r = study::RunStudy(s, wall);
    const study::OutputStatistics* y = StatisticsOf(r.summary);
    if (!y || !r.summary.failure || y->count != kRealisations) {
        out.push_back({kGroup, title + "the study of 10,000 realisations", NAN, 0, HUGE_VAL, 0});
        return;
    }
    const double n = static_cast<double>(y->count);
    out.push_back(Within(title + "mean head deflection", y->mean, mean, kZ95 * y->deviation / std::sqrt(n)));
    out.push_back(Within(title + "deviation of the head deflection", y->deviation, deviation,
                         kZ95 * y->deviation / std::sqrt(2 * (n - 1))));
    const study::FailureProbability& f = *r.summary.failure;
    const double pf = boost::math::cdf(boost::math::complement(boost::math::normal(), kAllowedAt));
    out.push_back(Within(title + "P(head deflection > allowable)", f.pf, pf, f.pf < pf ? f.high95 - f.pf : f.pf - f.low95));
}
