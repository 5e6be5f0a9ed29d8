#include "engine/SectionBuilder.h"

#include "engine/PyCurveSet.h"
#include "engine/SoilBehind.h"
#include "model/FileLayout.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

std::string Num(double v)
{
    std::string text;
    AppendGeneral(text, v, 8);
    return text;
}
std::string Int(long v) { return std::to_string(v); }

[[noreturn]] void Fail(const std::string& message) { throw TorvikError(message); }

void CheckNode(int node, int n, const std::string& where)
{
    if (node < 0 || node > n)
        Fail(where + ": node " + Int(node) + " lies outside the wall (nodes 0 to " + Int(n) + ").");
}

void CheckFinite(double v, const std::string& what)
{
    if (!std::isfinite(v))
        Fail(what + " is not a usable number.");
}

const char* EarthPressureName(int option)
{
    switch (option) {
    case 1: return "user-specified distributed load";
    case 2: return "generated, triangular (active pressure from the top of the wall to its tip)";
    case 3: return "generated, trapezoidal (apparent-pressure envelope above the excavation, active below)";
    default: return "none";
    }
}

const char* PyOptionName(int option)
{
    switch (option) {
    case 1: return "external p-y curves only";
    case 2: return "generated from the soil layers (external curves replace them at their nodes)";
    default: return "none (no soil resistance)";
    }
}

}  // namespace

std::vector<double> SectionBuilder::Expand(const std::vector<RangeRow>& rows, size_t column, int n,
                                           const std::string& item, std::vector<bool>* given)
{
    std::vector<double> values(static_cast<size_t>(n) + 1, 0.0);
    if (given)
        given->assign(values.size(), false);
    for (size_t i = 0; i < rows.size(); ++i) {
        const RangeRow& r = rows[i];
        const std::string where = item + ", row " + Int(static_cast<long>(i) + 1);
        CheckNode(r.from, n, where);
        CheckNode(r.to, n, where);
        if (r.from > r.to)
            Fail(where + ": the From node " + Int(r.from) + " lies below the To node " + Int(r.to) + ".");
        const double v = column < r.values.size() ? r.values[column] : 0.0;
        CheckFinite(v, where + ": the value");
        int first = r.from, last = r.to;
        double start = v, end = v;
        if (r.choice == 2 && i + 1 < rows.size()) {
            // From this row's From node to the next row's To node.
            const RangeRow& next = rows[i + 1];
            CheckNode(next.to, n, item + ", row " + Int(static_cast<long>(i) + 2));
            last = std::max(next.to, r.from);
            end = column < next.values.size() ? next.values[column] : 0.0;
        } else if (r.choice != 1 && r.choice != 2) {
            Fail(where + ": the choice " + Int(r.choice) + " is neither 1 (constant) nor 2 (interpolate).");
        }
        for (int m = first; m <= last; ++m) {
            const double t = last > first ? double(m - first) / (last - first) : 0.0;
            values[m] = start + (end - start) * t;
            if (given)
                (*given)[m] = true;
        }
    }
    return values;
}

namespace {

// The block's scalars: increments, deflection limits and the excavation depth.
void CheckBlock(const WallBlock& b)
{
    const int n = b.nodeCount;
    if (n < 1 || n > 300)
        Fail("Number of increments: " + Int(n) + " lies outside 1 to 300.");
    CheckFinite(b.increment, "Increment length");
    if (!(b.increment > 0))
        Fail("Increment length: " + Num(b.increment) + " must be above 0.");
    if (!(b.maxDeflection > 0) || !std::isfinite(b.maxDeflection))
        Fail("Maximum allowable deflection: " + Num(b.maxDeflection) + " must be above 0.");
    if (!(b.tolerance > 0) || !std::isfinite(b.tolerance))
        Fail("Deflection closure tolerance: " + Num(b.tolerance) + " must be above 0.");
    const double length = n * b.increment;
    CheckFinite(b.wallHeight, "Excavation depth");
    if (b.wallHeight < 0 || b.wallHeight >= length)
        Fail("Excavation depth: the wall (length " + Num(length) + ") must be longer than the excavation depth " +
             Num(b.wallHeight) + ".");
}

// EI, the concentrated loads and the springs at every node.
void ExpandRanges(const WallBlock& b, SectionInput& in)
{
    const int n = b.nodeCount;
    std::vector<bool> given;
    in.ei = SectionBuilder::Expand(b.stiffness, 0, n, "Wall stiffness (EI)", &given);
    for (int m = 0; m <= n; ++m)
        if (!given[m] || !(in.ei[m] > 0))
            Fail("Values of Flexural Stiffness (EI) must be specified for all nodes of the wall. Node " + Int(m) +
                 (given[m] ? " has EI " + Num(in.ei[m]) + "." : " has none."));
    in.load = SectionBuilder::Expand(b.loads, 0, n, "Concentrated loads");
    in.moment = SectionBuilder::Expand(b.loads, 1, n, "Concentrated loads");
    in.axialLoad = SectionBuilder::Expand(b.loads, 2, n, "Concentrated loads");
    in.spring = SectionBuilder::Expand(b.springs, 0, n, "Springs");
    in.rotSpring = SectionBuilder::Expand(b.springs, 1, n, "Springs");
    for (int m = 0; m <= n; ++m)
        if (in.spring[m] < 0 || in.rotSpring[m] < 0)
            Fail("Springs: node " + Int(m) + " has a negative spring stiffness.");
}

// The specified deflections and slopes; a later row for the same node and case
// replaces the earlier one.
void AddRestraints(const WallBlock& b, SectionInput& in)
{
    for (size_t i = 0; i < b.restraints.size(); ++i) {
        const RestraintRow& r = b.restraints[i];
        const std::string where = "Deflection and slope restraints, row " + Int(static_cast<long>(i) + 1);
        CheckNode(r.node, b.nodeCount, where);
        if (r.kind != 1 && r.kind != 2)
            Fail(where + ": the case " + Int(r.kind) + " is neither 1 (deflection) nor 2 (slope).");
        const double value = r.kind == kDeflectionRestraint ? r.deflection : r.slope;
        CheckFinite(value, where + ": the value");
        auto same = std::find_if(in.restraints.begin(), in.restraints.end(),
                                 [&](const Restraint& x) { return x.kind == r.kind && x.node == r.node; });
        if (same != in.restraints.end())
            same->value = value;
        else
            in.restraints.push_back({r.kind, r.node, value});
    }
}

// The moment-EI curves, their points as (|moment|, EI) by rising moment.
void AddMomentEiCurves(const WallBlock& b, SectionInput& in)
{
    for (size_t i = 0; i < b.meiCurves.size(); ++i) {
        MomentEiCurve c = b.meiCurves[i];
        const std::string where = "Moment-EI curves, row " + Int(static_cast<long>(i) + 1);
        CheckNode(c.from, b.nodeCount, where);
        CheckNode(c.to, b.nodeCount, where);
        if (c.points.empty())
            Fail(where + ": the curve has no points.");
        std::sort(c.points.begin(), c.points.end());
        for (auto& [mm, e] : c.points) {
            CheckFinite(mm, where + ": a moment");
            CheckFinite(e, where + ": an EI");
            mm = std::fabs(mm);
            if (!(e > 0))
                Fail(where + ": EI " + Num(e) + " must be above 0.");
        }
        std::sort(c.points.begin(), c.points.end());
        in.meiCurves.push_back(c);
    }
}

// The nodes are not moved: a level between two nodes is only approximated, and
// the warnings say so.
void WarnOffNodeLevels(const WallBlock& b, SectionInput& in)
{
    const double length = b.nodeCount * b.increment;
    auto offNode = [&](double z, const std::string& what) {
        const double k = z / b.increment;
        if (z > 0 && z < length && std::fabs(k - std::round(k)) > 1e-6)
            in.warnings.push_back(what + " (depth " + Num(z) + ") lies between nodes " +
                                  Int(static_cast<long>(std::floor(k))) + " and " +
                                  Int(static_cast<long>(std::floor(k)) + 1) +
                                  "; choose increments that put a node on it for the best accuracy.");
    };
    offNode(b.wallHeight, "The excavation level");
    if (b.earthPressureOption > 1 || b.pyCurveOption == 2)
        for (size_t i = 0; i < b.layers.size(); ++i)
            offNode(b.layers[i].bottomDepth, "The bottom of soil layer " + Int(static_cast<long>(i) + 1));
}

// The distributed load of the retained side at every node, and its notes.
void AddRetainedSideLoads(const WallBlock& b, const std::vector<double>& depths, const SectionBuilder::Options& options,
                          SectionInput& in)
{
    in.choices.push_back("Earth pressure: " + std::string(EarthPressureName(b.earthPressureOption)) + ".");
    if (b.earthPressureOption >= 1 && b.earthPressureOption <= 3) {
        engine::RetainedSideInput r;
        r.earthPressureOption = b.earthPressureOption;
        r.unitSystem = b.unitSystem;
        r.excavationDepth = b.wallHeight;
        r.wallLength = b.nodeCount * b.increment;
        r.activeWidth = b.activeWidth;
        r.pyWidth = b.pyWidth;
        r.waterDepthBackfill = b.waterDepthBackfill;
        r.waterDepthExcavation = b.waterDepthExcavation;
        r.water = options.water;
        r.activePressureFactor = b.activePressureFactor;
        r.backfillSlope = b.backfillSlope;
        r.topSurcharge = b.topSurcharge;
        r.layers = b.layers;
        r.surcharges = b.surcharges;
        r.userLoads = b.userLoads;
        for (int m = 0; m <= b.nodeCount; ++m)
            if (in.spring[m] > 0)
                r.springDepths.push_back(depths[m]);
        engine::NodeLoads loads = engine::ComputeRetainedSideLoads(r, depths);
        in.q = loads.total;
        in.qSoil = loads.soil;
        in.qSurcharge = loads.surcharge;
        for (const std::string& note : loads.notes)
            in.choices.push_back(note);
    }
    for (int m = 0; m <= b.nodeCount; ++m)
        if (!std::isfinite(in.q[m]))
            Fail("The distributed load at node " + Int(m) + " is not a usable number.");
}

// The soil spring of a node from its p-y curve.
NodeSoil SoilOf(const std::shared_ptr<const engine::PyCurve>& c, const engine::UnitLabels& labels)
{
    NodeSoil s;
    // The curve's p opposes y; the solver takes the resistance in the direction of y.
    s.curve = [c](double y) { return -c->Resistance(y); };
    s.pyCurve = c;
    s.ultimateDeflection = c->UltimateDeflection();
    s.initialSlope = c->InitialSlope();
    s.criterion = c->Describe(labels);
    s.warning = [c](double y) { return c->DeflectionWarning(y); };
    return s;
}

// The p-y curves of the nodes, and what the report says about them.
void AddPyCurves(const WallBlock& b, const std::vector<double>& depths, const SectionBuilder::Options& options,
                 SectionInput& in)
{
    in.choices.push_back("p-y curves: " + std::string(PyOptionName(b.pyCurveOption)) + ".");
    if (b.pyCurveOption != 1 && b.pyCurveOption != 2)
        return;
    engine::PyCurveInput p;
    p.pyCurveOption = b.pyCurveOption;
    p.unitSystem = b.unitSystem;
    p.excavationDepth = b.wallHeight;
    p.activeWidth = b.activeWidth;
    p.pyWidth = b.pyWidth;
    p.waterDepthExcavation = b.waterDepthExcavation;
    p.waterDepthBackfill = b.waterDepthBackfill;
    p.wallLength = b.nodeCount * b.increment;
    p.water = options.water;
    p.passiveLimit = options.passiveLimit;
    p.ground = b.excavationGround;
    p.layers = b.layers;
    p.modifiers = b.modifiers;
    p.externalCurves = b.externalCurves;
    for (size_t i = 0; i < p.externalCurves.size(); ++i)
        CheckNode(p.externalCurves[i].node, b.nodeCount, "External p-y curves, row " + Int(static_cast<long>(i) + 1));
    const engine::PyCurveSet set = engine::BuildPyCurves(p, depths);
    const engine::UnitLabels labels = engine::UnitLabelsFor(b.unitSystem);
    for (int m = 0; m <= b.nodeCount && m < static_cast<int>(set.curves.size()); ++m)
        if (set.curves[m])
            in.soil[m] = SoilOf(set.curves[m], labels);
    for (const std::string& line : set.layerSummary)
        in.choices.push_back(line);
    for (const std::string& note : set.notes)
        in.choices.push_back(note);
}

// The soil behind the wall above the excavation, at the nodes generated curves
// come from the layers and no external curve holds.
void AddSoilBehind(const WallBlock& b, const std::vector<double>& depths, const SectionBuilder::Options& options,
                   SectionInput& in)
{
    if (b.pyCurveOption != 2 || b.layers.empty())
        return;
    engine::SoilBehindInput s;
    s.unitSystem = b.unitSystem;
    s.excavationDepth = b.wallHeight;
    s.activeWidth = b.StripWidth();
    s.waterDepthBackfill = b.waterDepthBackfill;
    s.waterDepthExcavation = b.waterDepthExcavation;
    s.wallLength = b.nodeCount * b.increment;
    s.water = options.water;
    s.backfillSlope = b.backfillSlope;
    s.topSurcharge = b.topSurcharge;
    s.layers = b.layers;
    std::vector<std::string> notes;
    const auto curves = engine::SoilBehindCurves(s, depths, notes);
    const engine::UnitLabels labels = engine::UnitLabelsFor(b.unitSystem);
    for (int m = 0; m <= b.nodeCount && m < static_cast<int>(curves.size()); ++m)
        if (curves[m] && !in.soil[m].curve)
            in.soil[m] = SoilOf(curves[m], labels);
    in.choices.insert(in.choices.end(), notes.begin(), notes.end());
}

}  // namespace

SectionInput SectionBuilder::Build(const WallBlock& b, const std::string& heading)
{
    return Build(b, heading, Options{});
}

SectionInput SectionBuilder::Build(const WallBlock& block, const std::string& heading, const Options& options)
{
    // The layers take their contact with the wall from the settings; without
    // any the block is used as read.
    WallBlock rough;
    if (!options.wallContact.empty()) {
        rough = block;
        for (size_t i = 0; i < rough.layers.size() && i < options.wallContact.size(); ++i)
            rough.layers[i].contact = options.wallContact[i];
    }
    const WallBlock& b = options.wallContact.empty() ? block : rough;
    CheckBlock(b);
    SectionInput in;
    in.Allocate(b.nodeCount);
    in.heading = heading;
    in.unitSystem = b.unitSystem;
    in.increment = b.increment;
    in.maxDeflection = b.maxDeflection;
    in.tolerance = b.tolerance;
    in.excavation = b.wallHeight;
    ExpandRanges(b, in);
    AddRestraints(b, in);
    AddMomentEiCurves(b, in);

    std::vector<double> depths(static_cast<size_t>(b.nodeCount) + 1);
    for (int m = 0; m <= b.nodeCount; ++m)
        depths[m] = m * b.increment;
    WarnOffNodeLevels(b, in);
    AddRetainedSideLoads(b, depths, options, in);
    AddPyCurves(b, depths, options, in);
    if (options.soilBehind)
        AddSoilBehind(b, depths, options, in);
    return in;
}
