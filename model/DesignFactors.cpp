#include "model/DesignFactors.h"

namespace {

constexpr const char* kApproachNames[] = {"none", "DA1", "DA2", "DA3"};

}  // namespace

const char* DesignApproachName(DesignApproach approach)
{
    return kApproachNames[static_cast<int>(approach)];
}

std::optional<DesignApproach> DesignApproachFromName(const std::string& name)
{
    for (int k = 0; k < 4; ++k)
        if (name == kApproachNames[k])
            return static_cast<DesignApproach>(k);
    return std::nullopt;
}

const std::vector<TPartialFactorEntry>& PartialFactorEntries()
{
    using F = TPartialFactors;
    static const std::vector<TPartialFactorEntry> entries = {
        {"gamma_G_A1", "gamma_G (A1, unfavourable permanent actions)", &F::gammaG_A1},
        {"gamma_Q_A1", "gamma_Q (A1, variable actions)", &F::gammaQ_A1},
        {"gamma_G_A2", "gamma_G (A2, unfavourable permanent actions)", &F::gammaG_A2},
        {"gamma_Q_A2", "gamma_Q (A2, variable actions)", &F::gammaQ_A2},
        {"gamma_phi_M1", "gamma_phi' (M1, on tan phi')", &F::gammaPhi_M1},
        {"gamma_c_M1", "gamma_c' (M1, effective cohesion)", &F::gammaC_M1},
        {"gamma_cu_M1", "gamma_cu (M1, undrained shear strength)", &F::gammaCu_M1},
        {"gamma_qu_M1", "gamma_qu (M1, unconfined strength)", &F::gammaQu_M1},
        {"gamma_gamma_M1", "gamma_gamma (M1, weight density)", &F::gammaGamma_M1},
        {"gamma_phi_M2", "gamma_phi' (M2, on tan phi')", &F::gammaPhi_M2},
        {"gamma_c_M2", "gamma_c' (M2, effective cohesion)", &F::gammaC_M2},
        {"gamma_cu_M2", "gamma_cu (M2, undrained shear strength)", &F::gammaCu_M2},
        {"gamma_qu_M2", "gamma_qu (M2, unconfined strength)", &F::gammaQu_M2},
        {"gamma_gamma_M2", "gamma_gamma (M2, weight density)", &F::gammaGamma_M2},
        {"gamma_Re_R1", "gamma_R;e (R1, earth resistance)", &F::gammaRe_R1},
        {"gamma_Re_R2", "gamma_R;e (R2, earth resistance)", &F::gammaRe_R2},
        {"gamma_Re_R3", "gamma_R;e (R3, earth resistance)", &F::gammaRe_R3},
        {"gamma_M0", "gamma_M0 (resistance of the steel section)", &F::gammaM0},
        {"gamma_anchor", "gamma_a (on the anchor's capacity)", &F::gammaAnchor},
    };
    return entries;
}

bool TPartialFactors::operator==(const TPartialFactors& o) const
{
    for (const TPartialFactorEntry& e : PartialFactorEntries())
        if (this->*e.value != o.*e.value)
            return false;
    return true;
}
