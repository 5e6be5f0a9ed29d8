#include "engine/EarthPressure.h"

#include "engine/PyCurveText.h"
#include "engine/SoilProfile.h"
#include "engine/Surcharge.h"
#include "engine/WallFriction.h"
#include "units/Constants.h"
#include "units/TorvikError.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>

namespace engine {

namespace {

std::string LayerName(const std::vector<SoilLayer>& layers, int i)
{
    return "Soil layer " + std::to_string(i + 1) + " (" + SoilTypeName(layers[static_cast<std::size_t>(i)].type) + ")";
}

// The checks of the layer values that the earth pressure uses.
void CheckLayersForPressure(const std::vector<SoilLayer>& layers, double beta)
{
    for (int i = 0; i < static_cast<int>(layers.size()); ++i) {
        const SoilLayer& layer = layers[static_cast<std::size_t>(i)];
        if (IsRock(layer.type))
            continue;
        for (const SoilParameters* p : {&layer.top, &layer.bottom}) {
            if (!std::isfinite(p->cohesion) || p->cohesion < 0)
                throw TorvikError(LayerName(layers, i) + ": the cohesive strength must not be negative.");
            if (IsClay(layer.type))
                continue;
            const double phi = p->frictionAngle;
            if (!std::isfinite(phi) || phi < 0 || phi >= 90)
                throw TorvikError(LayerName(layers, i) + ": the friction angle must be at least 0 and less than 90 degrees.");
            if (phi > 0 && beta > phi)
                throw TorvikError(LayerName(layers, i) + ": the backfill slope (" + Num(beta) +
                                  " degrees) is steeper than the friction angle (" + Num(phi) + " degrees).");
        }
    }
}

// The user's distributed load: linear between its depths, zero outside them; at
// a depth given twice the load steps, and `side` picks the value above or below.
double UserLoadAt(const std::vector<DepthLoad>& rows, double z, Side side)
{
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const DepthLoad& a = rows[i - 1];
        const DepthLoad& b = rows[i];
        const bool inside = side == Side::Above ? (a.depth < z && z <= b.depth) : (a.depth <= z && z < b.depth);
        if (inside)
            return a.load + (b.load - a.load) * (z - a.depth) / (b.depth - a.depth);
    }
    return 0;
}

// Evaluates the retained side at one depth.
class RetainedSide {
public:
    RetainedSide(const RetainedSideInput& in, const SoilProfile& profile) : in_(in), profile_(profile) {}

    // Horizontal active stress sigma_a = Ka (sigma'_v + q) - 2 c sqrt(Ka), not below 0.
    double ActiveStress(double z, Side side, double q) const
    {
        if (profile_.Empty())
            return 0;
        const SoilLayer& layer = profile_.Layers()[static_cast<std::size_t>(profile_.LayerAt(z, side))];
        if (IsRock(layer.type))
            return 0;
        const SoilParameters p = profile_.ParametersAt(z, side);
        const double ka = Coefficient(layer, p);
        const double c = layer.type == SoilType::Sand ? 0.0 : p.cohesion;
        const double cohesionTerm = layer.contact.adhesionRatio == 0
                                        ? 2 * c * std::sqrt(ka)
                                        : c * CohesionFactor(ka, layer.contact.adhesionRatio);
        return std::max(0.0, ka * (profile_.EffectiveBackfill(z) + q) - cohesionTerm);
    }

    // Ka of the layer at z (0 in rock, none without layers).
    double CoefficientAt(double z, Side side) const
    {
        if (profile_.Empty())
            return 0;
        const SoilLayer& layer = profile_.Layers()[static_cast<std::size_t>(profile_.LayerAt(z, side))];
        return IsRock(layer.type) ? 0.0 : Coefficient(layer, profile_.ParametersAt(z, side));
    }

    // Net water pressure u_b - u_e.
    double Water(double z) const { return profile_.PoreBackfill(z) - profile_.PoreExcavation(z); }

    // The tabled surcharges' pressure (F/L^2).
    double TabledSurcharge(double z) const
    {
        const double h = in_.excavationDepth > 0 ? in_.excavationDepth : in_.wallLength;
        const double lengthFactor = in_.unitSystem == UnitSystem::SI ? 0.001 : 1.0;  // SI distances are in mm
        double sum = 0;
        for (const SurchargeLoad& s : in_.surcharges) {
            const double x = s.distance * lengthFactor, w = s.width * lengthFactor;
            if (s.type == 1)
                sum += PointLoadPressure(s.magnitude, x, z, h);
            else if (s.type == 2)
                sum += LineLoadPressure(s.magnitude, x, z, h);
            else
                sum += StripLoadPressure(s.magnitude, x, w, z);
        }
        return sum;
    }

    // The integral of the active stress without surcharge from a to b: pieces split
    // at the layer boundaries and the water table, 4-point Gauss on 16 parts each.
    double IntegralOfActiveStress(double a, double b) const
    {
        std::vector<double> cuts{a, b};
        for (const SoilLayer& layer : profile_.Layers())
            cuts.push_back(layer.bottomDepth);
        cuts.push_back(in_.waterDepthBackfill);
        std::sort(cuts.begin(), cuts.end());
        static const double xg[] = {-0.8611363115940526, -0.3399810435848563, 0.3399810435848563, 0.8611363115940526};
        static const double wg[] = {0.3478548451374538, 0.6521451548625461, 0.6521451548625461, 0.3478548451374538};
        double sum = 0;
        for (std::size_t i = 1; i < cuts.size(); ++i) {
            const double lo = std::max(a, cuts[i - 1]), hi = std::min(b, cuts[i]);
            if (hi <= lo)
                continue;
            const int parts = 16;
            const double step = (hi - lo) / parts;
            for (int k = 0; k < parts; ++k) {
                const double mid = lo + (k + 0.5) * step;
                for (int g = 0; g < 4; ++g)
                    sum += wg[g] * 0.5 * step * ActiveStress(mid + xg[g] * 0.5 * step, Side::Below, 0);
            }
        }
        return sum;
    }

private:
    // Ka of a layer: 1 for the undrained clays, Coulomb's otherwise, with the
    // layer's wall friction delta = ratio x phi where the settings give one.
    double Coefficient(const SoilLayer& layer, const SoilParameters& p) const
    {
        if (IsClay(layer.type))
            return 1.0;
        if (layer.contact.frictionRatio == 0)
            return CoulombActiveCoefficient(p.frictionAngle, in_.backfillSlope);
        return CoulombActiveCoefficient(p.frictionAngle, in_.backfillSlope, layer.contact.frictionRatio * p.frictionAngle);
    }

    const RetainedSideInput& in_;
    const SoilProfile& profile_;
};

// The apparent pressure of FHWA GEC-4 for clays above the excavation: with the
// mean unit weight and the mean undrained strength over 0..H and Ns = gamma H / Su,
// 0.3 gamma H for stiff clays (Ns <= 4), Ka gamma H with Ka = 1 - 4 Su / (gamma H),
// at least 0.25, for soft to medium clays.
struct CohesiveEnvelope {
    bool applies = false;  // some soil above the excavation is cohesive
    double unitWeight = 0, strength = 0, stabilityNumber = 0, maximum = 0;
    bool stiff = false, kaAtMinimum = false;
};

CohesiveEnvelope CohesiveApparentPressure(const SoilProfile& profile, double h)
{
    CohesiveEnvelope e;
    const std::vector<SoilLayer>& layers = profile.Layers();
    for (int i = 0; i < static_cast<int>(layers.size()); ++i) {
        const SoilLayer& layer = layers[static_cast<std::size_t>(i)];
        const bool above = profile.LayerTop(i) < h;
        const bool siltWithCohesion = layer.type == SoilType::Silt && (layer.top.cohesion > 0 || layer.bottom.cohesion > 0);
        e.applies = e.applies || (above && (IsClay(layer.type) || siltWithCohesion));
    }
    if (!e.applies || !(h > 0))
        return e;
    e.unitWeight = profile.TotalVerticalStress(h) / h;
    e.strength = profile.AverageCohesion(0, h);
    const double gammaH = e.unitWeight * h;
    e.stabilityNumber = e.strength > 0 ? gammaH / e.strength : std::numeric_limits<double>::infinity();
    e.stiff = e.stabilityNumber <= 4;
    if (e.stiff) {
        e.maximum = 0.3 * gammaH;
    } else {
        const double ka = 1 - 4 * e.strength / gammaH;
        e.kaAtMinimum = ka < 0.25;
        e.maximum = std::max(ka, 0.25) * gammaH;
    }
    return e;
}

bool WaterInWall(const RetainedSideInput& in)
{
    return in.waterDepthBackfill < in.wallLength || in.waterDepthExcavation < in.wallLength;
}

}  // namespace

double CoulombActiveCoefficient(double phi, double beta)
{
    const double f = Radians(phi), b = Radians(beta);
    const double root = std::sqrt(std::max(0.0, std::sin(f) * std::sin(f - b) / std::cos(b)));
    return std::cos(f) * std::cos(f) / ((1 + root) * (1 + root));
}

ApparentPressureEnvelope::ApparentPressureEnvelope(double h, double h1, double hn, double total)
    : h_(h), rise_(2.0 / 3.0 * h1), fall_(2.0 / 3.0 * hn), max_(total / (h - h1 / 3 - hn / 3))
{
}

void ApparentPressureEnvelope::RaiseMaximumTo(double maximum)
{
    max_ = std::max(max_, maximum);
}

double ApparentPressureEnvelope::Total() const
{
    return max_ * (h_ - rise_ / 2 - fall_ / 2);
}

double ApparentPressureEnvelope::At(double z) const
{
    if (z < 0 || z > h_)
        return 0;
    if (z < rise_)
        return max_ * z / rise_;
    if (z > h_ - fall_)
        return max_ * (h_ - z) / fall_;
    return max_;
}

namespace {

// The surcharge-load rows: a known type, usable numbers, a strip of some width.
void CheckSurcharges(const std::vector<SurchargeLoad>& surcharges)
{
    for (std::size_t i = 0; i < surcharges.size(); ++i) {
        const SurchargeLoad& s = surcharges[i];
        const std::string name = "Surcharge load " + std::to_string(i + 1);
        if (s.type < 1 || s.type > 3)
            throw TorvikError(name + ": the load type " + std::to_string(s.type) + " is not one of 1 (point), 2 (line) and 3 (strip).");
        if (!std::isfinite(s.magnitude) || !std::isfinite(s.distance) || !std::isfinite(s.width))
            throw TorvikError(name + ": a value is not a number.");
        if (s.distance < 0)
            throw TorvikError(name + ": the distance X must not be negative.");
        if (s.type == 3 && s.width <= 0)
            throw TorvikError(name + ": the width W of a strip load must be greater than 0.");
    }
}

// The checks of the input of an option other than 0, in the order the messages name them.
void CheckRetainedSideInput(const RetainedSideInput& in, bool needsWidth)
{
    CheckSurcharges(in.surcharges);
    const std::pair<double, const char*> scalars[] = {
        {in.excavationDepth, "excavation depth"}, {in.wallLength, "wall length"}, {in.activeWidth, "width Wa"},
        {in.pyWidth, "width Wp"}, {in.waterDepthBackfill, "water depth DWb"}, {in.waterDepthExcavation, "water depth DWe"},
        {in.topSurcharge, "uniform surcharge"}};
    for (const auto& [value, name] : scalars)
        if (!std::isfinite(value))
            throw TorvikError(std::string("The ") + name + " is not a usable number.");
    for (std::size_t i = 0; i < in.userLoads.size(); ++i)
        if (!std::isfinite(in.userLoads[i].depth) || !std::isfinite(in.userLoads[i].load))
            throw TorvikError("Distributed load, row " + std::to_string(i + 1) + ": a value is not a usable number.");
    if (needsWidth && !(in.activeWidth > 0))
        throw TorvikError("The width for active earth pressure calculation, Wa, must be greater than 0.");
    if (!std::isfinite(in.activePressureFactor) || in.activePressureFactor < 0)
        throw TorvikError("The modification factor for active earth pressure must not be negative.");
    if (!std::isfinite(in.backfillSlope) || std::abs(in.backfillSlope) >= 90)
        throw TorvikError("The slope of the backfill must lie between -90 and 90 degrees.");
    if (in.earthPressureOption >= 2 && in.unitSystem == UnitSystem::Generic && WaterInWall(in))
        throw TorvikError("A water table lies within the wall, but water pressure cannot be computed in the generic "
                          "unit system (it has no unit weight of water): set the water depths below the wall's tip.");
    for (std::size_t i = 1; i < in.userLoads.size(); ++i)
        if (!(in.userLoads[i].depth >= in.userLoads[i - 1].depth))
            throw TorvikError("Distributed load, row " + std::to_string(i + 1) +
                              ": the depth must not be less than that of the row above.");
}

// The note on the cohesive-soil rule of the envelope, which it may raise.
std::string CohesiveEnvelopeNote(const CohesiveEnvelope& clay, bool raised, const ApparentPressureEnvelope& envelope,
                                 const UnitLabels& units)
{
    const std::string ns = std::isfinite(clay.stabilityNumber) ? Num(clay.stabilityNumber) : "unbounded (Su = 0)";
    return "Cohesive soil above the excavation (FHWA GEC-4, Sabatini et al. 1999): mean unit weight gamma = " +
           Num(clay.unitWeight) + " " + units.unitWeight + ", mean undrained strength Su = " + Num(clay.strength) + " " +
           units.stress + ", stability number Ns = gamma H / Su = " + ns + "; " +
           (clay.stiff ? "stiff clay (Ns <= 4): 0.3 gamma H = " + Num(clay.maximum) + " " + units.stress +
                             " (the middle of Terzaghi and Peck's 0.2 to 0.4 gamma H)"
                       : "soft to medium clay (Ns > 4): Ka gamma H with Ka = 1 - 4 Su / (gamma H) = " +
                             Num(1 - 4 / clay.stabilityNumber) + (clay.kaAtMinimum ? ", held at its minimum 0.25" : "") +
                             ", " + Num(clay.maximum) + " " + units.stress) +
           ". The envelope's maximum is " + Num(envelope.Maximum()) + " " + units.stress + ", set by " +
           (raised ? "this cohesive-soil rule" : "1.3 times the active resultant") + "; its area is " +
           Num(envelope.Total()) + " " + units.forcePerLength + " per unit width.";
}

// The apparent-pressure envelope of anchored walls above the excavation (option
// 3 with an excavation), with its notes; null otherwise.
std::unique_ptr<ApparentPressureEnvelope> ApparentEnvelope(const RetainedSideInput& in, const SoilProfile& profile,
                                                           const RetainedSide& side, std::vector<std::string>& notes)
{
    const double h = in.excavationDepth;
    if (in.earthPressureOption != 3 || !(h > 0))
        return nullptr;
    const UnitLabels units = UnitLabelsFor(in.unitSystem);
    double highest = h, lowest = -1;
    for (double d : in.springDepths)
        if (d >= 0 && d < h) {
            highest = std::min(highest, d);
            lowest = std::max(lowest, d);
        }
    const bool anchored = lowest >= 0;
    const double h1 = anchored ? highest : h / 4, hn = anchored ? h - lowest : h / 4;
    const double resultant = side.IntegralOfActiveStress(0, h);
    auto envelope = std::make_unique<ApparentPressureEnvelope>(h, h1, hn, 1.3 * resultant);
    notes.push_back("Apparent pressure above the excavation (Terzaghi and Peck; trapezoid of FHWA GEC-4): 1.3 times "
                    "the active resultant " + Num(resultant) + " " + units.forcePerLength + " per unit width, H1 = " +
                    DepthText(h1, in.unitSystem) + ", Hn = " + DepthText(hn, in.unitSystem) +
                    (anchored ? "" : " (no spring above the excavation: H1 = Hn = H/4)") + ", maximum " +
                    Num(envelope->Maximum()) + " " + units.stress +
                    "; water pressure and the top surcharge's share are added to it, not redistributed.");
    const CohesiveEnvelope clay = CohesiveApparentPressure(profile, h);
    if (clay.applies) {
        const bool raised = clay.maximum > envelope->Maximum();
        if (raised)
            envelope->RaiseMaximumTo(clay.maximum);
        notes.push_back(CohesiveEnvelopeNote(clay, raised, *envelope, units));
    }
    return envelope;
}

// The load on the wall at a depth, from the soils (with water) and from the
// surcharges, on either side of a jump.
class RetainedSideLoad {
public:
    RetainedSideLoad(const RetainedSideInput& in, const RetainedSide& side, const ApparentPressureEnvelope* envelope)
        : in_(in), side_(side), envelope_(envelope),
          // Above the excavation the lagging or the sheeting carries the pressure over Wa;
          // below it a spaced unit is loaded over its own width only (FHWA GEC-4).
          widthBelow_(in.pyWidth > 0 ? std::min(in.activeWidth, in.pyWidth) : in.activeWidth)
    {
    }
    double WidthBelow() const { return widthBelow_; }

    double Soil(double z, Side s) const
    {
        if (in_.earthPressureOption == 1)
            return UserLoadAt(in_.userLoads, z, s);
        double stress = side_.ActiveStress(z, s, in_.topSurcharge);
        if (envelope_ && Above(z, s))
            stress = envelope_->At(z) + stress - side_.ActiveStress(z, s, 0);
        return FactorWidth(z, s) * (stress + side_.Water(z));
    }
    // The tabled surcharges are continuous in depth: `tabledStress` is their value at z.
    double Surcharge(double z, Side s, double tabledStress) const
    {
        double stress = tabledStress;
        if (in_.earthPressureOption == 1 && in_.topSurcharge != 0 && !in_.layers.empty())
            stress += side_.CoefficientAt(z, s) * in_.topSurcharge;
        return FactorWidth(z, s) * stress;
    }

private:
    bool Above(double z, Side s) const { return z < in_.excavationDepth || (z == in_.excavationDepth && s == Side::Above); }
    double FactorWidth(double z, Side s) const { return in_.activePressureFactor * (Above(z, s) ? in_.activeWidth : widthBelow_); }

    const RetainedSideInput& in_;
    const RetainedSide& side_;
    const ApparentPressureEnvelope* envelope_;
    double widthBelow_;
};

// The loads of every node. The end nodes take their one-sided value; others the
// mean of both sides, which differs from either only where the pressure jumps.
void FillNodeLoads(const RetainedSideLoad& load, const RetainedSide& side, bool tabled,
                   const std::vector<double>& nodeDepths, NodeLoads& out)
{
    const std::size_t count = nodeDepths.size();
    for (std::size_t k = 0; k < count; ++k) {
        const double z = nodeDepths[k];
        const bool first = k == 0, last = k + 1 == count;
        const double tabledStress = tabled ? side.TabledSurcharge(z) : 0.0;
        double soil, surcharge;
        if (first && !last) {
            soil = load.Soil(z, Side::Below);
            surcharge = load.Surcharge(z, Side::Below, tabledStress);
        } else if (last && !first) {
            soil = load.Soil(z, Side::Above);
            surcharge = load.Surcharge(z, Side::Above, tabledStress);
        } else {
            soil = 0.5 * (load.Soil(z, Side::Above) + load.Soil(z, Side::Below));
            surcharge = 0.5 * (load.Surcharge(z, Side::Above, tabledStress) + load.Surcharge(z, Side::Below, tabledStress));
        }
        out.soil[k] = soil;
        out.surcharge[k] = surcharge;
        out.total[k] = soil + surcharge;
    }
}

// The note on the wall friction and adhesion of the layers that have them;
// empty for a smooth wall, whose output text stays as it was.
std::string WallContactNote(const std::vector<SoilLayer>& layers)
{
    std::string list;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const WallContact& c = layers[i].contact;
        if (c.Smooth() || IsRock(layers[i].type))
            continue;
        list += (list.empty() ? "" : "; ") + std::string("layer ") + std::to_string(i + 1) + " delta/phi' = " +
                Num(c.frictionRatio) + ", a/c = " + Num(c.adhesionRatio);
    }
    if (list.empty())
        return list;
    return "Wall friction and adhesion (wall settings): " + list +
           ". In these layers Ka is Coulomb's coefficient with wall friction delta, horizontal component, "
           "Ka = cos^2(phi) / [1 + sqrt(sin(phi + delta) sin(phi - beta) / (cos(delta) cos(beta)))]^2, and the "
           "cohesion term is 2 c sqrt(Ka (1 + a/c)).";
}

// What the output text says about the generated earth and water pressure.
void DescribeGeneratedPressure(const RetainedSideInput& in, const SoilProfile& profile, std::vector<std::string>& notes)
{
    const UnitLabels units = UnitLabelsFor(in.unitSystem);
    notes.push_back("Active pressure: Coulomb's coefficient for a vertical wall without wall friction, Ka = cos^2(phi) / "
                    "[1 + sqrt(sin(phi) sin(phi - beta) / cos(beta))]^2 (Rankine's tan^2(45 - phi/2) for beta = 0), "
                    "beta = " + Num(in.backfillSlope) + " degrees; clays undrained (phi = 0, Ka = 1); sigma_a = Ka "
                    "(sigma'_v + q) - 2 c sqrt(Ka), not below 0 (tension cut-off); rock layers carry no active pressure "
                    "of their own; the load is " + Num(in.activePressureFactor) + " x (sigma_a + u_b - u_e) x the width.");
    const std::string contact = WallContactNote(in.layers);
    if (!contact.empty())
        notes.push_back(contact);
    if (WaterInWall(in))
        notes.push_back("Water: unit weight " + Num(UnitWeightOfWater(in.unitSystem)) + " " + units.unitWeight + "; pore pressure below DWb = " + DepthText(in.waterDepthBackfill, in.unitSystem) +
                        " on the retained side and below DWe = " + DepthText(in.waterDepthExcavation, in.unitSystem) +
                        " on the excavation side; the net pressure u_b - u_e acts on the wall.");
    if (in.layers.empty())
        notes.push_back("No soil layers are given: the generated load holds the water pressure only.");
    else if (profile.BelowLastLayer(in.wallLength))
        notes.push_back("The wall's tip lies below the last soil layer: the last layer's bottom values are used down to the tip.");
}

// What the output text says about the surcharges and the loaded width.
void DescribeSurchargesAndWidth(const RetainedSideInput& in, double widthBelow, std::vector<std::string>& notes)
{
    const UnitLabels units = UnitLabelsFor(in.unitSystem);
    const int option = in.earthPressureOption;
    const bool tabled = !in.surcharges.empty(), uniform = in.topSurcharge != 0 && !in.layers.empty();
    if (uniform)
        notes.push_back("Uniform surcharge q = " + Num(in.topSurcharge) + " " + units.stress +
                        (option == 1 ? " on the retained surface: Ka q times the factor and Wa, as a surcharge load."
                                     : " on the retained surface: included in sigma_a."));
    const bool pointLoads = std::any_of(in.surcharges.begin(), in.surcharges.end(), [](const SurchargeLoad& s) { return s.type == 1; });
    const double h = in.excavationDepth;
    if (tabled)
        notes.push_back("Surcharge loads: Terzaghi's modification of Boussinesq for a rigid wall (NAVFAC DM-7.02): point and "
                        "line loads with m = X/H and n = z/H, H = " + DepthText(h > 0 ? h : in.wallLength, in.unitSystem) +
                        ", on the section nearest the load; strip loads (2q/pi)(beta - sin(beta) cos(2 alpha)); from the top "
                        "of the wall to its tip, times the factor and Wa." +
                        (pointLoads ? " A point load's pressure on the section nearest the load, applied over the whole "
                                      "width Wa, is conservative: along the wall the pressure falls off from that section."
                                    : std::string()));
    if (option >= 2 || tabled || uniform)
        notes.push_back("Width: Wa = " + Num(in.activeWidth) + " " + units.length + " above the excavation level" +
                        (widthBelow < in.activeWidth
                             ? ", the unit's width min(Wa, Wp) = " + Num(widthBelow) + " " + units.length +
                                   " below it (no lagging between spaced units there; FHWA GEC-4)."
                             : " and below it."));
}

}  // namespace

NodeLoads ComputeRetainedSideLoads(const RetainedSideInput& in, const std::vector<double>& nodeDepths)
{
    NodeLoads out;
    out.soil.assign(nodeDepths.size(), 0.0);
    out.surcharge.assign(nodeDepths.size(), 0.0);
    out.total.assign(nodeDepths.size(), 0.0);
    const int option = in.earthPressureOption;
    if (option < 0 || option > 3)
        throw TorvikError("The earth-pressure option " + std::to_string(option) + " is not one of 0 to 3.");
    if (option == 0) {
        out.notes.push_back("No earth pressure is applied (earth-pressure option 0).");
        return out;
    }
    const bool generated = option >= 2;
    const bool tabled = !in.surcharges.empty();
    const bool uniform = in.topSurcharge != 0 && !in.layers.empty();
    CheckRetainedSideInput(in, generated || tabled || uniform);

    const double gammaW = UnitWeightOfWater(in.unitSystem);
    const PoreWater water(in.water, gammaW, in.waterDepthBackfill, in.waterDepthExcavation, in.excavationDepth,
                          in.wallLength);
    const SoilProfile profile(in.layers, gammaW, in.waterDepthBackfill, in.waterDepthExcavation, in.excavationDepth,
                              water);
    if (generated || uniform)
        CheckLayersForPressure(in.layers, in.backfillSlope);
    const RetainedSide side(in, profile);
    const std::unique_ptr<ApparentPressureEnvelope> envelope = ApparentEnvelope(in, profile, side, out.notes);
    const RetainedSideLoad load(in, side, envelope.get());
    FillNodeLoads(load, side, tabled, nodeDepths, out);

    if (option == 1)
        out.notes.push_back("Earth pressure as specified by the user: linear between the given depths, zero above the first "
                            "and below the last; the active-pressure factor and Wa are not applied to it.");
    if (generated)
        DescribeGeneratedPressure(in, profile, out.notes);
    if (generated && in.water.regime != WaterRegime::Hydrostatic) {
        const std::vector<std::string> lines = PoreWaterNotes(water, in.unitSystem);
        out.notes.insert(out.notes.end(), lines.begin(), lines.end());
    }
    DescribeSurchargesAndWidth(in, load.WidthBelow(), out.notes);
    out.notes.push_back("At a node where the pressure or the width jumps (a layer boundary, the excavation level) the load is "
                        "the mean of the values just above and just below.");
    return out;
}

}  // namespace engine
