#include "engine/InputRanges.h"

#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"
#include "units/TorvikError.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// A dimension as powers of force and length (stress: 1, -2).
struct Dimension {
    int force;
    int length;
};

constexpr Dimension kNone{0, 0};
constexpr Dimension kLength{0, 1};
constexpr Dimension kForce{1, 0};
constexpr Dimension kMoment{1, 1};
constexpr Dimension kLineLoad{1, -1};
constexpr Dimension kStress{1, -2};
constexpr Dimension kUnitWeight{1, -3};
constexpr Dimension kStiffness{1, 2};  // EI

// The ranges, in kN and m.
constexpr double kMaxLength = 1e6;  // a wall, a depth, a deflection: 1000 km
constexpr double kMinIncrement = 1e-6;
constexpr double kMinWidth = 1e-3, kMaxWidth = 1e3;
constexpr double kMaxForce = 1e15;  // kN, kN-m, kN/m, kN/m/m and kN-m/rad alike
constexpr double kMaxStress = 1e12;
constexpr double kMaxUnitWeight = 1e3;
constexpr double kMaxModulus = 1e12;  // k(py) in kN/m^3
constexpr double kMinStrain = 1e-6, kMaxStrain = 1;
constexpr double kMaxFactor = 1e3;  // p- and y-multipliers, the active pressure factor
constexpr double kMinYFactor = 1e-3;
constexpr double kMaxSlope = 1e3;   // radians
constexpr double kMillimetres = 1e3;  // the surcharge table's distances are in mm in SI

// English units per SI unit.
constexpr double kPoundsPerKilonewton = 224.8089;
constexpr double kInchesPerMetre = 39.3701;

std::string Num(double v) { return FormatGeneral(v, 6); }

class RangeCheck {
public:
    explicit RangeCheck(UnitSystem unitSystem) : units_(unitSystem) {}

    // `value` must lie in [low, high] (SI bounds of `dimension`); an open low
    // end excludes the bound itself.
    void Check(double value, double low, double high, Dimension dimension, const std::string& item,
               bool openLow = false) const
    {
        const double lo = Bound(low, dimension, low > 0 ? Side::Lower : Side::Upper);
        const double hi = Bound(high, dimension, Side::Upper);
        const bool inside = (openLow ? value > lo : value >= lo) && value <= hi;
        if (inside)
            return;
        if (openLow)
            throw TorvikError(item + ": " + Num(value) + " must lie above " + Num(lo) + " and at most " + Num(hi) +
                              Label(dimension) + ".");
        throw TorvikError(item + ": " + Num(value) + " lies outside " + Num(lo) + " to " + Num(hi) +
                          Label(dimension) + ".");
    }
    // |value| at most `high`.
    void Magnitude(double value, double high, Dimension dimension, const std::string& item) const
    {
        Check(value, -high, high, dimension, item);
    }

private:
    enum class Side { Lower, Upper };

    double EnglishFactor(Dimension d) const
    {
        return std::pow(kPoundsPerKilonewton, d.force) * std::pow(kInchesPerMetre, d.length);
    }
    // A bound in the file's units; in other units the wider of SI and English.
    double Bound(double si, Dimension d, Side side) const
    {
        if (units_ == UnitSystem::SI)
            return si;
        const double english = si * EnglishFactor(d);
        if (units_ == UnitSystem::English)
            return english;
        const bool widerIsLarger = (side == Side::Upper) == (si >= 0);
        return widerIsLarger ? std::max(si, english) : std::min(si, english);
    }
    std::string Label(Dimension d) const
    {
        if (d.force == 0 && d.length == 0)
            return "";
        const std::string f = QuantityLabelsOf(units_).force;
        const std::string l = QuantityLabelsOf(units_).length;
        std::string text = " " + (d.force ? f : "");
        if (d.length > 0)
            text += (d.force ? "-" : "") + l + (d.length > 1 ? "^" + std::to_string(d.length) : "");
        else if (d.length < 0)
            text += "/" + l + (d.length < -1 ? "^" + std::to_string(-d.length) : "");
        return text;
    }

    UnitSystem units_;
};

std::string Row(const std::string& table, std::size_t i)
{
    return table + ", row " + std::to_string(i + 1);
}

void CheckSoil(const RangeCheck& c, const engine::SoilParameters& p, const std::string& where)
{
    c.Check(p.unitWeight, 0, kMaxUnitWeight, kUnitWeight, where + ": the unit weight");
    c.Check(p.cohesion, 0, kMaxStress, kStress, where + ": the cohesive strength");
    if (p.e50 != 0)
        c.Check(p.e50, kMinStrain, kMaxStrain, kNone, where + ": E50");
    c.Check(p.kpy, 0, kMaxModulus, kUnitWeight, where + ": k(py)");
    c.Check(p.compressiveStrength, 0, kMaxStress, kStress, where + ": the uniaxial compressive strength");
    if (p.krm != 0)
        c.Check(p.krm, kMinStrain, kMaxStrain, kNone, where + ": krm");
    c.Check(p.rockModulus, 0, kMaxStress, kStress, where + ": the elastic modulus");
}

// The rows that act on the wall itself: restraints, stiffness, loads, springs,
// p-y modification factors and the user's earth pressure.
void CheckWallRows(const RangeCheck& c, const WallBlock& b)
{
    for (std::size_t i = 0; i < b.restraints.size(); ++i) {
        const RestraintRow& r = b.restraints[i];
        const std::string where = Row("Deflection and slope restraints", i);
        c.Magnitude(r.deflection, kMaxLength, kLength, where + ": the deflection");
        c.Magnitude(r.slope, kMaxSlope, kNone, where + ": the slope");
    }
    for (std::size_t i = 0; i < b.stiffness.size(); ++i)
        for (double ei : b.stiffness[i].values)
            c.Magnitude(ei, kMaxForce, kStiffness, Row("Wall stiffness (EI)", i) + ": EI");
    const Dimension loadDimensions[] = {kForce, kMoment, kForce};
    const char* const loadNames[] = {"the lateral load", "the moment", "the axial load"};
    for (std::size_t i = 0; i < b.loads.size(); ++i)
        for (std::size_t v = 0; v < b.loads[i].values.size() && v < 3; ++v)
            c.Magnitude(b.loads[i].values[v], kMaxForce, loadDimensions[v],
                        Row("Concentrated loads", i) + ": " + loadNames[v]);
    const Dimension springDimensions[] = {kLineLoad, kMoment};
    const char* const springNames[] = {"the lateral spring stiffness", "the rotational spring stiffness"};
    for (std::size_t i = 0; i < b.springs.size(); ++i)
        for (std::size_t v = 0; v < b.springs[i].values.size() && v < 2; ++v)
            c.Magnitude(b.springs[i].values[v], kMaxForce, springDimensions[v],
                        Row("Springs", i) + ": " + springNames[v]);
    for (std::size_t i = 0; i < b.modifiers.size(); ++i) {
        const std::string where = Row("p-y modification factors", i);
        c.Magnitude(b.modifiers[i].depth, kMaxLength, kLength, where + ": the depth");
        c.Check(b.modifiers[i].pMultiplier, 0, kMaxFactor, kNone, where + ": the p-multiplier");
        c.Check(b.modifiers[i].yMultiplier, kMinYFactor, kMaxFactor, kNone, where + ": the y-multiplier");
    }
    for (std::size_t i = 0; i < b.userLoads.size(); ++i) {
        const std::string where = Row("Distributed earth pressure", i);
        c.Magnitude(b.userLoads[i].depth, kMaxLength, kLength, where + ": the depth");
        c.Magnitude(b.userLoads[i].load, kMaxForce, kLineLoad, where + ": the load");
    }
}

// The soil's rows: widths, water, surcharges, layers and the user's curves.
void CheckSoilRows(const RangeCheck& c, const WallBlock& b)
{
    // Widths of 0 are left to the checks of the parts that need them.
    if (b.activeWidth != 0)
        c.Check(b.activeWidth, kMinWidth, kMaxWidth, kLength, "Width for active earth pressure (Wa)");
    if (b.pyWidth != 0)
        c.Check(b.pyWidth, kMinWidth, kMaxWidth, kLength, "Width for p-y curves (Wp)");
    c.Magnitude(b.waterDepthBackfill, kMaxLength, kLength, "Water depth, backfill side (DWb)");
    c.Magnitude(b.waterDepthExcavation, kMaxLength, kLength, "Water depth, excavation side (DWe)");
    c.Check(b.activePressureFactor, 0, kMaxFactor, kNone, "Modification factor for active earth pressure");
    c.Magnitude(b.topSurcharge, kMaxStress, kStress, "Uniform surcharge at the top of the backfill");
    const Dimension surchargeDimensions[] = {kForce, kLineLoad, kStress};
    for (std::size_t i = 0; i < b.surcharges.size(); ++i) {
        const engine::SurchargeLoad& s = b.surcharges[i];
        const std::string where = Row("Surcharge loads", i);
        const Dimension magnitude = s.type >= 1 && s.type <= 3 ? surchargeDimensions[s.type - 1] : kForce;
        c.Magnitude(s.magnitude, s.type == 3 ? kMaxStress : kMaxForce, magnitude, where + ": the load magnitude");
        c.Magnitude(s.distance, kMaxLength * kMillimetres, kLength, where + ": the distance X");
        c.Magnitude(s.width, kMaxLength * kMillimetres, kLength, where + ": the width W");
    }
    for (std::size_t i = 0; i < b.layers.size(); ++i) {
        const engine::SoilLayer& l = b.layers[i];
        const std::string where = "Soil layer " + std::to_string(i + 1) + " (" + engine::SoilTypeName(l.type) + ")";
        c.Magnitude(l.bottomDepth, kMaxLength, kLength, where + ": the depth at the bottom");
        CheckSoil(c, l.top, where + ", top");
        CheckSoil(c, l.bottom, where + ", bottom");
    }
    for (std::size_t i = 0; i < b.externalCurves.size(); ++i) {
        const engine::ExternalCurveInput& e = b.externalCurves[i];
        const std::string where = Row("External p-y curves", i);
        c.Check(e.pMultiplier, 0, kMaxFactor, kNone, where + ": the p-multiplier");
        c.Check(e.yMultiplier, kMinYFactor, kMaxFactor, kNone, where + ": the y-multiplier");
        for (const auto& [y, p] : e.points) {
            c.Magnitude(y, kMaxLength, kLength, where + ": a deflection y");
            c.Magnitude(p, kMaxForce, kLineLoad, where + ": a soil resistance p");
        }
    }
    for (std::size_t i = 0; i < b.meiCurves.size(); ++i)
        for (const auto& [m, ei] : b.meiCurves[i].points) {
            c.Magnitude(m, kMaxForce, kMoment, Row("Moment-EI curves", i) + ": a moment");
            c.Magnitude(ei, kMaxForce, kStiffness, Row("Moment-EI curves", i) + ": an EI");
        }
}

}  // namespace

void CheckInputRanges(const WallBlock& b)
{
    const RangeCheck c(b.unitSystem);
    c.Check(b.increment, kMinIncrement, kMaxLength, kLength, "Increment length");
    c.Check(b.nodeCount * b.increment, 0, kMaxLength, kLength, "Wall length (increments times their length)");
    c.Check(b.maxDeflection, 0, kMaxLength, kLength, "Maximum allowable deflection", true);
    c.Check(b.tolerance, 0, kMaxLength, kLength, "Deflection closure tolerance", true);
    c.Magnitude(b.wallHeight, kMaxLength, kLength, "Excavation depth");
    CheckWallRows(c, b);
    CheckSoilRows(c, b);
}

void CheckResultsFinite(SectionResult& r)
{
    if (r.status != SolveStatus::Converged)
        return;
    const std::pair<const std::vector<double>*, const char*> columns[] = {
        {&r.y, "deflection"}, {&r.slope, "slope"},       {&r.moment, "moment"},
        {&r.shear, "shear"},  {&r.reaction, "soil reaction"}, {&r.es, "soil modulus"},
        {&r.ei, "EI"},        {&r.springForce, "spring force"}, {&r.springMoment, "spring moment"}};
    for (const auto& [values, name] : columns)
        for (std::size_t m = 0; m < values->size(); ++m)
            if (!std::isfinite((*values)[m])) {
                r.status = SolveStatus::NotConverged;
                r.message = std::string("The analysis gave no usable result: the ") + name + " at node " +
                            std::to_string(m) + " is not a finite number.";
                return;
            }
}
