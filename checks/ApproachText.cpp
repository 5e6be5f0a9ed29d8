// The design approach's part of the design checks as text.
#include "checks/DesignChecks.h"

#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"

#include <sstream>

namespace checks {

namespace {

std::string Num(double v)
{
    return FormatGeneral(v, 4);
}

std::string Optional(const std::optional<double>& v, const std::string& unit = "")
{
    return v ? FormatGeneral(*v, 4) + unit : "-";
}

}  // namespace

std::string FactorSetsText(DesignApproach approach, const TPartialFactors& f)
{
    const bool a2 = approach != DesignApproach::DA2, m1 = approach != DesignApproach::DA3,
               m2 = approach != DesignApproach::DA2;
    std::ostringstream out;
    out << "  A1: gamma_G " << Num(f.gammaG_A1) << ", gamma_Q " << Num(f.gammaQ_A1) << "\n";
    if (a2)
        out << "  A2: gamma_G " << Num(f.gammaG_A2) << ", gamma_Q " << Num(f.gammaQ_A2) << "\n";
    auto materials = [&out](const char* set, double phi, double c, double cu, double qu, double w) {
        out << "  " << set << ": gamma_phi' " << Num(phi) << ", gamma_c' " << Num(c) << ", gamma_cu " << Num(cu)
            << ", gamma_qu " << Num(qu) << ", gamma_gamma " << Num(w) << "\n";
    };
    if (m1)
        materials("M1", f.gammaPhi_M1, f.gammaC_M1, f.gammaCu_M1, f.gammaQu_M1, f.gammaGamma_M1);
    if (m2)
        materials("M2", f.gammaPhi_M2, f.gammaC_M2, f.gammaCu_M2, f.gammaQu_M2, f.gammaGamma_M2);
    const char* set = approach == DesignApproach::DA2 ? "R2" : approach == DesignApproach::DA3 ? "R3" : "R1";
    const double re = approach == DesignApproach::DA2   ? f.gammaRe_R2
                      : approach == DesignApproach::DA3 ? f.gammaRe_R3
                                                        : f.gammaRe_R1;
    out << "  " << set << ": gamma_R;e " << Num(re) << "\n";
    out << "  Structure: gamma_M0 " << Num(f.gammaM0) << ", anchors gamma_a " << Num(f.gammaAnchor) << "\n";
    return out.str();
}

namespace {

void CombinationLines(std::ostringstream& out, const CombinationCheck& c, bool governing, UnitSystem units)
{
    const QuantityLabels& q = QuantityLabelsOf(units);
    const std::string length = std::string(" ") + q.length;
    const std::string basis = StripBasis(units, c.stripWidth);
    out << "  " << c.name << (governing ? " (governing)" : "") << ": analysis " << c.analysis
        << ", unplanned excavation " << Num(c.unplannedExcavation) << length << ", over-design factor "
        << Optional(c.overDesignFactor) << (c.overDesignLimit.empty() ? "" : " (" + c.overDesignLimit + ")") << "\n";
    out << "    Design moment " << Optional(c.designMoment, std::string(" ") + q.moment + basis)
        << (c.designMoment ? " at depth " + Num(c.momentDepth) + length : "") << ", design shear "
        << Optional(c.designShear, std::string(" ") + q.force + basis)
        << (c.designShear ? " at depth " + Num(c.shearDepth) + length : "") << "\n";
    out << "    Bending utilisation " << Optional(c.bendingUtilisation) << ", shear utilisation "
        << Optional(c.shearUtilisation) << "\n";
    for (const CombinationAnchor& a : c.anchors)
        out << "    Anchor at node " << a.node << ": design force " << FormatGeneral(a.designForcePerWidth, 5) << " "
            << q.forcePerLength << ", per anchor " << Optional(a.designForcePerAnchor, std::string(" ") + q.force)
            << ", utilisation " << Optional(a.utilisation) << "\n";
    if (c.requiredTipDepth)
        out << "    Required tip depth " << Num(*c.requiredTipDepth) << length << "\n";
    for (const std::string& n : c.notes)
        out << "    Note: " << n << "\n";
    out << "    " << (c.passed ? "Passed" : "FAILED") << "\n";
}

}  // namespace

std::string ApproachDefinition(DesignApproach approach, bool unplanned)
{
    std::string text = std::string("Design approach ") + DesignApproachName(approach) +
                       " of EN 1997-1 (2.4.7.3.4, Annex A): each combination is a copy of the wall with design values, "
                       "analysed stage after stage. Effects factoring (DA1-1, DA2): characteristic strengths, variable "
                       "loads x gamma_Q/gamma_G, moments, shears and anchor forces x gamma_G. DA1-2 and DA3: tan(phi'), "
                       "c', cu and qu divided by the M2 factors in the earth pressure and the p-y curves (stiffness "
                       "unchanged), variable loads x gamma_Q of A2; DA3 takes A1 for the concentrated loads on the wall. "
                       "DA2: the ultimate resistance of the p-y curves below the excavation divided by gamma_R;e, their "
                       "initial stiffness kept. A combination passes when its analysis converges within the maximum "
                       "allowable deflection without the soil below the excavation failing, the design moment and shear "
                       "are within fy W / gamma_M0 and fy Av / (sqrt(3) gamma_M0) and every anchor's design force within "
                       "its capacity / gamma_a. Over-design factor: the further strength reduction at which a mechanism "
                       "forms (1: just enough). The combination of the largest degree of utilisation (1 / over-design "
                       "factor, or a utilisation) governs. Design moments and shears are on the analysed strip, as the "
                       "output text gives them.";
    text += unplanned ? " Unplanned excavation (EN 1997-1, 9.3.2.2): 10 % of the retained height (below the lowest "
                        "support of a supported wall), at most 0.5 m."
                      : " No unplanned excavation: the excavation level is controlled on site (wall settings).";
    return text;
}

std::string ApproachText(const DesignCheckReport& r)
{
    if (r.approach == DesignApproach::None)
        return "";
    std::ostringstream out;
    out << "Design approach " << DesignApproachName(r.approach) << " (EN 1997-1), partial factors:\n"
        << FactorSetsText(r.approach, r.factors);
    for (const StageCheck& s : r.stages) {
        out << s.heading << ": " << (s.governingCombination ? *s.governingCombination + " governs" : "-") << "\n";
        for (const CombinationCheck& c : s.combinations)
            CombinationLines(out, c, s.governingCombination == c.name, r.unitSystem);
    }
    out << "\n";
    return out.str();
}

}  // namespace checks
