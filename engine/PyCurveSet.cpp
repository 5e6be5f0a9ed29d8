#include "engine/PyCurveSet.h"

#include "engine/ClayPowerCurve.h"
#include "engine/PassiveLimit.h"
#include "engine/PyCurveText.h"
#include "engine/SandCurve.h"
#include "engine/SiltCurve.h"
#include "engine/SoilProfile.h"
#include "engine/StiffClayFreeWaterCurve.h"
#include "engine/StrongRockCurve.h"
#include "engine/WeakRockCurve.h"
#include "units/TorvikError.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>

namespace engine {

namespace {

std::string LayerName(const SoilLayer& layer, int i)
{
    return "Soil layer " + std::to_string(i + 1) + " (" + SoilTypeName(layer.type) + ")";
}

void Require(bool ok, const SoilLayer& layer, int i, const std::string& what)
{
    if (!ok)
        throw TorvikError(LayerName(layer, i) + ": " + what);
}

// The checks of the values a layer's p-y curves use, at its top and its bottom.
void CheckLayerForCurves(const SoilLayer& layer, int i)
{
    for (const SoilParameters* p : {&layer.top, &layer.bottom}) {
        auto finite = [](double v) { return std::isfinite(v); };
        switch (layer.type) {
        case SoilType::SoftClay:
        case SoilType::StiffClayFreeWater:
        case SoilType::StiffClayNoFreeWater:
            Require(finite(p->cohesion) && p->cohesion >= 0, layer, i, "the cohesive strength must not be negative.");
            Require(finite(p->e50) && p->e50 > 0, layer, i, "E50 must be greater than 0.");
            Require(finite(p->kpy) && p->kpy >= 0, layer, i, "k(py) must not be negative.");
            break;
        case SoilType::Sand:
            Require(finite(p->frictionAngle) && p->frictionAngle > 0 && p->frictionAngle < 90, layer, i,
                    "the friction angle must be greater than 0 and less than 90 degrees.");
            Require(finite(p->kpy) && p->kpy >= 0, layer, i, "k(py) must not be negative.");
            break;
        case SoilType::Silt:
            Require(finite(p->frictionAngle) && p->frictionAngle >= 0 && p->frictionAngle < 90, layer, i,
                    "the friction angle must be at least 0 and less than 90 degrees.");
            Require(finite(p->cohesion) && p->cohesion >= 0, layer, i, "the cohesive strength must not be negative.");
            Require(finite(p->kpy) && p->kpy >= 0, layer, i, "k(py) must not be negative.");
            break;
        case SoilType::StrongRock:
            Require(finite(p->compressiveStrength) && p->compressiveStrength > 0, layer, i,
                    "the uniaxial compressive strength must be greater than 0.");
            break;
        case SoilType::WeakRock:
            Require(finite(p->compressiveStrength) && p->compressiveStrength > 0, layer, i,
                    "the uniaxial compressive strength must be greater than 0.");
            Require(finite(p->krm) && p->krm > 0, layer, i, "krm must be greater than 0.");
            Require(finite(p->rockModulus) && p->rockModulus > 0, layer, i, "the elastic modulus must be greater than 0.");
            Require(finite(p->rqd) && p->rqd >= 0 && p->rqd <= 100, layer, i, "RQD must lie between 0 and 100 %.");
            break;
        }
    }
}

// Generates the unmodified curves of one analysis from its soil profile.
class CurveGenerator {
public:
    CurveGenerator(const SoilProfile& profile, double b) : profile_(profile), b_(b), checked_(profile.Layers().size()) {}

    // The curve of the layer that holds depth z on the given side of a boundary.
    std::shared_ptr<const PyCurve> At(double z, Side side)
    {
        const int i = profile_.LayerAt(z, side);
        const SoilLayer& layer = profile_.Layers()[static_cast<std::size_t>(i)];
        if (!checked_[static_cast<std::size_t>(i)]) {
            CheckLayerForCurves(layer, i);
            checked_[static_cast<std::size_t>(i)] = true;
        }
        const SoilParameters p = profile_.ParametersAt(z, side);
        const double h = profile_.ExcavationDepth();
        const double x = std::max(0.0, z - h);
        const double s = profile_.EffectiveExcavation(z);
        switch (layer.type) {
        case SoilType::SoftClay:
            return std::make_shared<ClayPowerCurve>(ClayPowerCurve::SoftClay, p.cohesion, p.cohesion, s, p.e50, b_, x, p.kpy);
        case SoilType::StiffClayFreeWater: {
            auto curve = std::make_shared<StiffClayFreeWaterCurve>(p.cohesion, profile_.AverageCohesion(h, z), s, p.e50, b_, x, p.kpy);
            if (curve->ResidualHeldAtZero())
                residualHeldAtZero_.insert(i);
            return curve;
        }
        case SoilType::StiffClayNoFreeWater:
            return std::make_shared<ClayPowerCurve>(ClayPowerCurve::StiffClayNoFreeWater, p.cohesion, profile_.AverageCohesion(h, z), s, p.e50, b_, x, p.kpy);
        case SoilType::Sand:
            return Noted(std::make_shared<SandCurve>(p.frictionAngle, s, b_, x, p.kpy), i);
        case SoilType::Silt:
            return Noted(std::make_shared<SiltCurve>(p.frictionAngle, p.cohesion, s, b_, x, p.kpy), i);
        case SoilType::StrongRock:
            return std::make_shared<StrongRockCurve>(p.compressiveStrength, b_);
        case SoilType::WeakRock:
            return std::make_shared<WeakRockCurve>(p.compressiveStrength, p.rockModulus, p.krm, p.rqd, b_,
                                                   std::max(0.0, z - profile_.RockTopBelowExcavation()));
        }
        return nullptr;
    }

    // Layers where a sand or silt curve with resistance fell back to straight lines (n <= 1).
    const std::set<int>& StraightLines() const { return straightLines_; }
    // Layers where a stiff-clay residual resistance was held at 0.
    const std::set<int>& ResidualHeldAtZero() const { return residualHeldAtZero_; }

private:
    std::shared_ptr<const PyCurve> Noted(std::shared_ptr<SandCurve> curve, int layer)
    {
        if (curve->StraightLines() && curve->Pu() > 0)
            straightLines_.insert(layer);
        return curve;
    }

    const SoilProfile& profile_;
    double b_;
    std::vector<bool> checked_;
    std::set<int> straightLines_;
    std::set<int> residualHeldAtZero_;
};

// External curves by node, checked against the wall's nodes.
std::map<int, std::shared_ptr<const PyCurve>> ExternalCurves(const PyCurveInput& in, int lastNode, std::vector<std::string>& notes)
{
    std::map<int, std::shared_ptr<const PyCurve>> curves;
    for (std::size_t r = 0; r < in.externalCurves.size(); ++r) {
        const ExternalCurveInput& e = in.externalCurves[r];
        const std::string name = "External p-y curves, row " + std::to_string(r + 1);
        if (e.node < 0 || e.node > lastNode)
            throw TorvikError(name + ": node " + std::to_string(e.node) + " lies outside the wall (nodes 0 to " +
                              std::to_string(lastNode) + ").");
        if (curves.count(e.node))
            throw TorvikError(name + ": node " + std::to_string(e.node) + " already has an external p-y curve.");
        auto curve = std::make_shared<ExternalPyCurve>(e);
        if (curve->Mirrored())
            notes.push_back("The external p-y curve at node " + std::to_string(e.node) +
                            " is given for one direction only: it is mirrored, p(-y) = -p(y).");
        curves[e.node] = std::move(curve);
    }
    return curves;
}

void BuildExternalOnly(const PyCurveInput& in, const std::vector<double>& depths, PyCurveSet& set)
{
    const auto curves = ExternalCurves(in, static_cast<int>(depths.size()) - 1, set.notes);
    for (auto it = curves.begin(); it != curves.end(); ++it) {
        set.curves[static_cast<std::size_t>(it->first)] = it->second;
        const auto next = std::next(it);
        if (next == curves.end())
            break;
        const int a = it->first, b = next->first;
        for (int k = a + 1; k < b; ++k)
            set.curves[static_cast<std::size_t>(k)] =
                std::make_shared<BlendedPyCurve>(it->second, next->second, double(k - a) / double(b - a));
    }
    set.notes.push_back("External p-y curves only: a node between two curve nodes takes p interpolated linearly by node "
                        "number between the two curves at the same y; nodes above the first or below the last curve node "
                        "have no soil spring.");
}

// Criterion, pu and y50 (or the criterion's key values) at the top and the bottom
// of every layer that lies below the excavation level.
void SummariseLayers(const SoilProfile& profile, CurveGenerator& generator, double wallLength, UnitSystem unitSystem,
                     std::vector<std::string>& out)
{
    const UnitLabels units = UnitLabelsFor(unitSystem);
    const double h = profile.ExcavationDepth();
    const int count = static_cast<int>(profile.Layers().size());
    for (int i = 0; i < count; ++i) {
        const SoilLayer& layer = profile.Layers()[static_cast<std::size_t>(i)];
        const double top = std::max(profile.LayerTop(i), h);
        const double bottom = i + 1 == count ? wallLength : std::min(layer.bottomDepth, wallLength);
        if (top >= wallLength || bottom < top || layer.bottomDepth <= h)
            continue;
        out.push_back(LayerName(layer, i) + ", from " + DepthText(top, unitSystem) + " to " + DepthText(bottom, unitSystem) +
                      ": at the top " + generator.At(top, Side::Below)->Describe(units) + "; at the bottom " +
                      generator.At(bottom, Side::Above)->Describe(units) + ".");
    }
}

void AddGeneratedNotes(const PyCurveInput& in, const SoilProfile& profile, const CurveGenerator& generator,
                       double wallLength, PyCurveSet& set)
{
    const UnitLabels units = UnitLabelsFor(in.unitSystem);
    set.notes.push_back("p-y curves generated at every node at or below the excavation level (static loading), b = Wp = " +
                        Num(in.pyWidth) + " " + units.length + ", parameters linear within each layer, with the effective "
                        "vertical stress of the excavation side; a node on a boundary between two layers takes the mean of "
                        "both layers' curves.");
    const double ratio = in.pyWidth > 0 ? in.activeWidth / in.pyWidth : 0;
    set.notes.push_back("Spacing factor e = " + Num(set.spacingFactor) + " for Wa/Wp = " + Num(ratio) +
                        " (0.64 (Wa/Wp)^0.34 when Wa/Wp < 3.75, Wa/Wp taken as at least 1; Reese and Van Impe), applied to "
                        "every generated curve. The p-multipliers are group reduction factors for units closer than about "
                        "3 Wp (Wa <= 3 Wp); they apply to continuous walls too (Wa = Wp gives 0.64), because the plane-strain "
                        "passive wedge of a continuous wall lacks the side shear that single-pile curves include.");
    std::set<SoilType> types;
    for (const SoilLayer& layer : profile.Layers())
        types.insert(layer.type);
    if (types.count(SoilType::SoftClay) || types.count(SoilType::StiffClayNoFreeWater))
        set.notes.push_back("Soft clay and stiff clay without free water: J = 0.5; where k(py) > 0 the curve is capped by "
                            "the initial line k x y, which gives no resistance at the excavation level itself (x = 0).");
    if (types.count(SoilType::StiffClayFreeWater))
        set.notes.push_back("Stiff clay with free water: ca is the mean cohesion from the excavation level to the depth; "
                            "where k(py) = 0 the curve has no initial straight line.");
    for (int i : generator.ResidualHeldAtZero())
        set.notes.push_back(LayerName(profile.Layers()[static_cast<std::size_t>(i)], i) +
                            ": just below the excavation level (As below about 0.22) the published residual resistance "
                            "is negative; it is taken as 0.");
    if (types.count(SoilType::Sand) || types.count(SoilType::Silt))
        set.notes.push_back("Sand and silt: the line k x y caps the curve where k(py) > 0.");
    if (types.count(SoilType::Sand) || types.count(SoilType::Silt) || types.count(SoilType::StiffClayFreeWater))
        set.notes.push_back("The constants of Reese, Cox and Koop (1974 sand, 1975 stiff clay with free water) are used as "
                            "published.");
    for (int i : generator.StraightLines())
        set.notes.push_back(LayerName(profile.Layers()[static_cast<std::size_t>(i)], i) +
                            ": where the parabola's exponent n = pm / (m ym) is not above 1 the curve is made of the "
                            "straight lines 0-m-u.");
    if (types.count(SoilType::Silt))
        set.notes.push_back("Silt (c-phi soil): pu = A ps + pc and pm = B ps + pc, pc = min{(3 + sigma'/c + 0.5 x/b) c b, "
                            "9 c b} (Evans and Duncan 1982); E50 is not used: k(py) governs the initial line.");
    if (types.count(SoilType::StrongRock))
        set.notes.push_back("Strong rock: su = qu/2; a deflection beyond 0.0024 b = " + Num(0.0024 * in.pyWidth) + " " +
                            units.length + " may mean brittle failure of the rock.");
    if (types.count(SoilType::WeakRock))
        set.notes.push_back("Weak rock: xr is measured from the top of the rock below the excavation level (" +
                            DepthText(profile.RockTopBelowExcavation(), in.unitSystem) + ").");
    if (profile.BelowLastLayer(wallLength))
        set.notes.push_back("The wall's tip lies below the last soil layer: the last layer's bottom values are used down to the tip.");
    if (!in.modifiers.empty())
        set.notes.push_back(
            "p-y modification factors: p(y) = fp p0(y / fy), fp and fy linear in depth between the table's "
            "rows and constant beyond its first and last rows, applied to every generated curve.");
}

// The curve of the layer on `side` of depth z times the spacing factor, capped
// at the passive limit of that layer on the analysed strip; `limited` is set
// when the cap cuts the curve.
std::shared_ptr<const PyCurve> CappedLayerCurve(const PyCurveInput& in, const SoilProfile& profile,
                                                CurveGenerator& generator, double z, Side side, double spacing,
                                                bool& limited)
{
    std::shared_ptr<const PyCurve> curve = generator.At(z, side);
    const double slope = profile.ExcavationResistanceFactor(z);
    if (spacing * slope != 1)
        curve = std::make_shared<ScaledPyCurve>(curve, spacing * slope, 1.0);
    const SoilLayer& layer = profile.Layers()[static_cast<std::size_t>(profile.LayerAt(z, side))];
    const double strip = in.activeWidth > 0 ? in.activeWidth : in.pyWidth;
    const double limit = slope * PassiveLimit(layer.type, profile.ParametersAt(z, side), layer.contact,
                                              profile.EffectiveExcavation(z), strip);
    if (!std::isfinite(limit))
        return curve;
    auto capped = std::make_shared<PassiveLimitedPyCurve>(curve, limit);
    limited = limited || capped->Governs();
    return capped;
}

// The generated curve of a node with the passive limit: the spacing factor and
// the limit on each layer's curve (a node on a layer boundary the mean of both
// capped curves), then the modification factors. `limited` is set when the
// limit cuts either curve.
std::shared_ptr<const PyCurve> LimitedCurve(const PyCurveInput& in, const SoilProfile& profile, CurveGenerator& generator,
                                            double z, Side side, bool boundary, double spacing,
                                            const PyModifierTable& modifiers, bool& limited)
{
    std::shared_ptr<const PyCurve> curve = CappedLayerCurve(in, profile, generator, z, side, spacing, limited);
    if (boundary)
        curve = std::make_shared<BlendedPyCurve>(
            CappedLayerCurve(in, profile, generator, z, Side::Above, spacing, limited), curve, 0.5);
    const double fp = modifiers.PMultiplierAt(z), fy = modifiers.YMultiplierAt(z);
    if (fp != 1 || fy != 1)
        curve = std::make_shared<ScaledPyCurve>(curve, fp, fy);
    return curve;
}

// "nodes 3 to 7, 9 and 12" from rising node numbers.
std::string NodeRanges(const std::vector<int>& nodes)
{
    std::vector<std::string> parts;
    for (std::size_t i = 0; i < nodes.size();) {
        std::size_t j = i;
        while (j + 1 < nodes.size() && nodes[j + 1] == nodes[j] + 1)
            ++j;
        parts.push_back(j == i ? std::to_string(nodes[i])
                               : std::to_string(nodes[i]) + " to " + std::to_string(nodes[j]));
        i = j + 1;
    }
    std::string text = nodes.size() == 1 ? "node " : "nodes ";
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}

void AddPassiveLimitNote(const PyCurveInput& in, const std::vector<double>& depths, PyCurveSet& set)
{
    const UnitLabels units = UnitLabelsFor(in.unitSystem);
    const double strip = in.activeWidth > 0 ? in.activeWidth : in.pyWidth;
    std::string text =
        "Passive limit: every generated curve is capped, after the spacing factor, at the passive earth "
        "pressure on the analysed strip B = " +
        Num(strip) + " " + units.length +
        ": (Kp sigma'v + 2 c sqrt(Kp)) B for sand and silt, Kp = tan^2(45 + phi/2) (Rankine, no wall "
        "friction), and (sigma'v + 2 su) B for clay, with the effective vertical stress of the excavation "
        "side; rock is not capped. ";
    if (set.passiveLimited.empty()) {
        text += "The limit governs at no node.";
    } else {
        text += "The limit governs at " + NodeRanges(set.passiveLimited) + " (" +
                DepthText(depths[static_cast<std::size_t>(set.passiveLimited.front())], in.unitSystem) + " to " +
                DepthText(depths[static_cast<std::size_t>(set.passiveLimited.back())], in.unitSystem) + ").";
    }
    set.notes.push_back(text);
    std::string rough;
    int count = 0;
    for (std::size_t i = 0; i < in.layers.size(); ++i)
        if (!in.layers[i].contact.Smooth() && !IsRock(in.layers[i].type)) {
            rough += (rough.empty() ? "" : ", ") + std::to_string(i + 1);
            ++count;
        }
    if (!rough.empty())
        set.notes.push_back("Passive limit with wall friction and adhesion (wall settings), " +
                            std::string(count == 1 ? "layer " : "layers ") + rough +
                            ": Kp of the slip-line field of a vertical wall under level ground for the soil's weight "
                            "(the method of characteristics of Sokolovskii, the solution of the Kerisel and Absi "
                            "tables), normal component, with delta = (delta/phi') x phi' <= phi', in place of "
                            "Rankine's; the cohesion term is 2 c sqrt(Kp (1 + a/c)).");
}

void BuildGenerated(const PyCurveInput& in, const std::vector<double>& depths, PyCurveSet& set)
{
    if (!(in.pyWidth > 0))
        throw TorvikError("The width for generating p-y soil resistance, Wp, must be greater than 0.");
    const double wallLength = depths.back();
    const double gammaW = UnitWeightOfWater(in.unitSystem);
    if (in.unitSystem == UnitSystem::Generic && in.waterDepthExcavation < wallLength && !in.layers.empty())
        throw TorvikError("A water table lies within the wall, but the effective stress cannot be computed in the generic "
                          "unit system (it has no unit weight of water): set the water depths below the wall's tip.");
    const PoreWater water(in.water, gammaW, in.waterDepthBackfill, in.waterDepthExcavation, in.excavationDepth,
                          in.wallLength > 0 ? in.wallLength : wallLength);
    SoilProfile profile(in.layers, gammaW, in.waterDepthBackfill, in.waterDepthExcavation, in.excavationDepth, water);
    profile.SetGround(in.ground);
    const PyModifierTable modifiers(in.modifiers);
    const auto external = ExternalCurves(in, static_cast<int>(depths.size()) - 1, set.notes);
    set.spacingFactor = SpacingFactor(in.activeWidth, in.pyWidth);
    if (profile.Empty()) {
        set.notes.push_back("No soil layers are given: no p-y curves are generated.");
    } else {
        CurveGenerator generator(profile, in.pyWidth);
        const double h = in.excavationDepth;
        for (std::size_t k = 0; k < depths.size(); ++k) {
            const double z = depths[k];
            if (z < h)
                continue;
            // The tip takes the layer above it (nothing of the wall lies below); the
            // excavation level the layer below it (no curves above).
            const bool tip = k + 1 == depths.size() && k > 0;
            const int above = profile.LayerAt(z, Side::Above), below = profile.LayerAt(z, Side::Below);
            const Side side = tip && z > h ? Side::Above : Side::Below;
            const bool boundary = above != below && z > h && !tip;
            if (in.passiveLimit) {
                bool limited = false;
                set.curves[k] =
                    LimitedCurve(in, profile, generator, z, side, boundary, set.spacingFactor, modifiers, limited);
                if (limited)
                    set.passiveLimited.push_back(static_cast<int>(k));
                continue;
            }
            std::shared_ptr<const PyCurve> curve = generator.At(z, side);
            if (boundary)
                curve = std::make_shared<BlendedPyCurve>(generator.At(z, Side::Above), curve, 0.5);
            const double fp = set.spacingFactor * profile.ExcavationResistanceFactor(z) * modifiers.PMultiplierAt(z),
                         fy = modifiers.YMultiplierAt(z);
            if (fp != 1 || fy != 1)
                curve = std::make_shared<ScaledPyCurve>(curve, fp, fy);
            set.curves[k] = std::move(curve);
        }
        SummariseLayers(profile, generator, wallLength, in.unitSystem, set.layerSummary);
        AddGeneratedNotes(in, profile, generator, wallLength, set);
        if (!in.ground.Level())
            set.notes.push_back(ExcavationGroundNote(in.ground, profile.BermUnitWeight(), in.unitSystem));
        if (in.passiveLimit)
            AddPassiveLimitNote(in, depths, set);
    }
    for (const auto& [node, curve] : external)
        set.curves[static_cast<std::size_t>(node)] = curve;
    if (!external.empty())
        set.notes.push_back("An external p-y curve replaces the generated curve at its own node only; the spacing factor "
                            "and the modification factors are not applied to it.");
}

}  // namespace

PyCurveSet BuildPyCurves(const PyCurveInput& in, const std::vector<double>& depths)
{
    PyCurveSet set;
    set.curves.assign(depths.size(), nullptr);
    if (in.pyCurveOption < 0 || in.pyCurveOption > 2)
        throw TorvikError("The p-y curve option " + std::to_string(in.pyCurveOption) + " is not one of 0 to 2.");
    if (in.pyCurveOption == 0 || depths.empty()) {
        set.notes.push_back("No p-y curves (p-y option 0): the wall has no soil springs.");
        return set;
    }
    const std::pair<double, const char*> scalars[] = {{in.excavationDepth, "excavation depth"},
                                                      {in.activeWidth, "width Wa"},
                                                      {in.pyWidth, "width Wp"},
                                                      {in.waterDepthExcavation, "water depth DWe"}};
    for (const auto& [value, name] : scalars)
        if (!std::isfinite(value))
            throw TorvikError(std::string("The ") + name + " is not a usable number.");
    if (in.pyCurveOption == 1)
        BuildExternalOnly(in, depths, set);
    else
        BuildGenerated(in, depths, set);
    return set;
}

}  // namespace engine
