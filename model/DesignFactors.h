#pragma once
#include <optional>
#include <string>
#include <vector>

// The design approaches of EN 1997-1 (2.4.7.3.4) and their partial factors
// (Annex A: tables A.3 actions, A.4 soil parameters, A.13 earth resistance of
// retaining structures), as a wall's settings hold them. National annexes
// change the values, so every one is a setting; the defaults are the
// recommended values.

// The approach the design checks verify the ultimate limit state by; None:
// only the strength-reduction factor of safety.
enum class DesignApproach { None, DA1, DA2, DA3 };

// "none", "DA1", "DA2", "DA3".
const char* DesignApproachName(DesignApproach approach);
// The approach of a name as DesignApproachName gives it; empty for any other text.
std::optional<DesignApproach> DesignApproachFromName(const std::string& name);

// The partial factors of the sets, each by its set: actions A1 and A2 (gamma_G
// on unfavourable permanent, gamma_Q on variable actions), soil parameters M1
// and M2 (on tan(phi'), c', cu, qu and the unit weight), earth resistance R1,
// R2 and R3 (gamma_R;e), the structural factor gamma_M0 of the steel section
// and the factor on an anchor's capacity.
struct TPartialFactors {
    double gammaG_A1 = 1.35, gammaQ_A1 = 1.5;
    double gammaG_A2 = 1.0, gammaQ_A2 = 1.3;
    double gammaPhi_M1 = 1.0, gammaC_M1 = 1.0, gammaCu_M1 = 1.0, gammaQu_M1 = 1.0, gammaGamma_M1 = 1.0;
    double gammaPhi_M2 = 1.25, gammaC_M2 = 1.25, gammaCu_M2 = 1.4, gammaQu_M2 = 1.4, gammaGamma_M2 = 1.0;
    double gammaRe_R1 = 1.0, gammaRe_R2 = 1.4, gammaRe_R3 = 1.0;
    double gammaM0 = 1.0;
    double gammaAnchor = 1.1;

    bool operator==(const TPartialFactors& o) const;
    bool operator!=(const TPartialFactors& o) const { return !(*this == o); }
};

// The partial factors of the hydraulic-heave check (EN 1997-1, 2.4.7.5, HYD):
// on the destabilising pore pressure or seepage force and on the stabilising
// weight; the defaults are the recommended values of Annex A, table A.17.
struct THydraulicFactors {
    double gammaG_dst = 1.35;
    double gammaG_stb = 0.9;

    bool operator==(const THydraulicFactors& o) const
    {
        return gammaG_dst == o.gammaG_dst && gammaG_stb == o.gammaG_stb;
    }
    bool operator!=(const THydraulicFactors& o) const { return !(*this == o); }
};

// One factor as the settings file and the windows name it.
struct TPartialFactorEntry {
    const char* key;    // its key in the settings file: "gamma_G_A1", ..., "gamma_M0", "gamma_anchor"
    const char* label;  // "gamma_G (A1, unfavourable permanent actions)", ...
    double TPartialFactors::*value;
};

// Every factor, in the order of the sets.
const std::vector<TPartialFactorEntry>& PartialFactorEntries();

// The range a partial factor may take: a factor below 1 would make a design
// value less safe than the characteristic one; one above 10 is a slip of the keyboard.
constexpr double kLowestPartialFactor = 1.0;
constexpr double kHighestPartialFactor = 10.0;

// The most the unplanned excavation may be, in metres (EN 1997-1, 9.3.2.2).
constexpr double kMostUnplannedExcavationMetres = 0.5;
// Its share of the retained height (of the height below the lowest support of a supported wall).
constexpr double kUnplannedExcavationShare = 0.1;
