#include "checks/DesignApproach.h"

#include "engine/EngineRun.h"

namespace checks {

const char* CombinationName(Combination combination)
{
    switch (combination) {
    case Combination::DA1_1: return "DA1-1";
    case Combination::DA1_2: return "DA1-2";
    case Combination::DA2: return "DA2";
    case Combination::DA3: return "DA3";
    }
    return "";
}

std::vector<Combination> CombinationsOf(DesignApproach approach)
{
    switch (approach) {
    case DesignApproach::DA1: return {Combination::DA1_1, Combination::DA1_2};
    case DesignApproach::DA2: return {Combination::DA2};
    case DesignApproach::DA3: return {Combination::DA3};
    case DesignApproach::None: break;
    }
    return {};
}

namespace {

// Effects factoring with the actions of one set: the effects by its gamma_G,
// the loads in the analysis by their factor over it.
CombinationFactors EffectsFactored(double gammaG, double gammaQ)
{
    CombinationFactors f;
    f.effects = gammaG;
    f.variableSurcharge = f.variableLoad = gammaQ / gammaG;
    return f;
}

void Materials(CombinationFactors& f, double phi, double c, double cu, double qu, double weight)
{
    f.phi = phi;
    f.c = c;
    f.cu = cu;
    f.qu = qu;
    f.weight = weight;
}

}  // namespace

CombinationFactors FactorsOf(Combination combination, const TPartialFactors& p)
{
    CombinationFactors f;
    switch (combination) {
    case Combination::DA1_1:
    case Combination::DA2:
        f = EffectsFactored(p.gammaG_A1, p.gammaQ_A1);
        Materials(f, p.gammaPhi_M1, p.gammaC_M1, p.gammaCu_M1, p.gammaQu_M1, p.gammaGamma_M1);
        f.resistance = combination == Combination::DA2 ? p.gammaRe_R2 : p.gammaRe_R1;
        break;
    case Combination::DA1_2:
    case Combination::DA3:
        f = EffectsFactored(p.gammaG_A2, p.gammaQ_A2);
        Materials(f, p.gammaPhi_M2, p.gammaC_M2, p.gammaCu_M2, p.gammaQu_M2, p.gammaGamma_M2);
        f.resistance = combination == Combination::DA3 ? p.gammaRe_R3 : p.gammaRe_R1;
        if (combination == Combination::DA3) {
            // The loads acting on the wall itself are structural actions: set A1.
            f.permanentLoad = p.gammaG_A1 / f.effects;
            f.variableLoad = p.gammaQ_A1 / f.effects;
        }
        break;
    }
    return f;
}

std::vector<SectionRun> AnalyseCombination(const std::vector<WallFileBlock>& blocks, Combination combination,
                                           const TWallSettings& settings)
{
    const CombinationFactors f = FactorsOf(combination, settings.partialFactors);
    std::vector<WallFileBlock> design;
    for (const WallFileBlock& b : blocks) {
        const double unplanned = settings.unplannedExcavation ? UnplannedExcavation(b.block) : 0;
        design.push_back({b.heading, DesignBlock(b.block, f, unplanned, settings)});
    }
    std::vector<SectionRun> runs = EngineRun::Analyse(design, settings).sections;
    for (std::size_t k = runs.size(); k < blocks.size(); ++k) {
        SectionRun missing;
        missing.heading = blocks[k].heading;
        missing.error = blocks[k].heading + ": not analysed";
        missing.result.message = missing.error;
        runs.push_back(missing);
    }
    return runs;
}

}  // namespace checks
