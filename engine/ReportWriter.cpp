#include "engine/ReportWriter.h"

#include "engine/BeamColumnSolver.h"
#include "engine/OutputTextHeadings.h"
#include "engine/SoilLayer.h"
#include "model/FileLayout.h"
#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>

namespace {

const char* const Eol = "\r\n";
const char* const EngineVersion = "TORVIK engine 1.0 (finite-difference p-y analysis)";

std::string Num(double v, int digits = 6)
{
    std::string text;
    AppendGeneral(text, v, digits);
    return text;
}

std::string Pad(const std::string& s, size_t width)
{
    return s.size() >= width ? " " + s : std::string(width - s.size(), ' ') + s;
}

// Lengths in the report as the input dialogs show them: feet (English) or metres.
struct Units {
    UnitSystem system;
    double depthFactor;  // file length -> report depth
    std::string depth, length, force, moment, perLength, ei, stress;
    explicit Units(UnitSystem s) : Units(s, QuantityLabelsOf(s)) {}
    Units(UnitSystem s, const QuantityLabels& l)
        : system(s), depthFactor(l.depthFactor), depth(l.depth), length(l.length), force(l.force), moment(l.moment),
          perLength(l.forcePerLength), ei(l.ei), stress(l.stress)
    {
    }
    std::string Depth(double z) const { return Num(z * depthFactor); }
};

// "none", or node numbers with runs written as ranges: "3, 7 to 12".
std::string NodeList(const std::vector<int>& nodes)
{
    if (nodes.empty())
        return "none";
    std::string s;
    for (size_t i = 0; i < nodes.size();) {
        size_t j = i;
        while (j + 1 < nodes.size() && nodes[j + 1] == nodes[j] + 1)
            ++j;
        s += (s.empty() ? "" : ", ") + std::to_string(nodes[i]) + (j > i ? " to " + std::to_string(nodes[j]) : "");
        i = j + 1;
    }
    return s;
}

// The note of an iteration in the run notes' history: which rule gave its solution
// (none for a plain secant step).
const char* RuleText(StepRule rule)
{
    switch (rule) {
    case StepRule::Secant: return "";
    case StepRule::Relaxed: return "  (under-relaxed)";
    case StepRule::Tangent: return "  (tangent step)";
    case StepRule::TangentRejected: return "  (tangent step rejected: back to the secant method)";
    }
    return "";
}

const char* UnitSystemName(UnitSystem s)
{
    return QuantityLabelsOf(s).system;
}

class Report {
public:
    Report(const RunInfo& info) : info_(info), u_(info.unitSystem) {}
    std::string Take() { return std::move(out_); }
    void Reserve(size_t size) { out_.reserve(size); }

    void Line(const std::string& s = "")
    {
        out_ += s;
        out_ += Eol;
    }
    // A front line "key:" padded to 15 characters, then the value.
    void Field(const std::string& key, const std::string& value)
    {
        const std::string head = key + ":";
        Line(head + std::string(head.size() < 15 ? 15 - head.size() : 1, ' ') + value);
    }
    void Heading(const std::string& s)
    {
        Line();
        Line(s);
        Line(std::string(s.size(), '-'));
    }
    // Cells right-aligned in columns of `width` (a wider cell gets one space before it).
    void Row(const std::vector<std::string>& cells, size_t width = 14)
    {
        for (const std::string& c : cells)
            Cell(c, width);
        out_ += Eol;
    }
    // One cell of a row; the row ends with Eol.
    void Cell(const std::string& c, size_t width = 14)
    {
        out_.append(c.size() >= width ? 1 : width - c.size(), ' ');
        out_ += c;
    }
    // A cell holding a number, formatted without a string of its own.
    void Cell(double v)
    {
        constexpr int width = 14;
        char number[kGeneralTextSize];
        const int size = static_cast<int>(WriteGeneral(number, v, 6) - number);
        char cell[kGeneralTextSize + width];
        const int pad = size >= width ? 1 : width - size;
        std::memset(cell, ' ', static_cast<size_t>(pad));
        std::memcpy(cell + pad, number, static_cast<size_t>(size));
        out_.append(cell, static_cast<size_t>(pad + size));
    }

    void Front(const std::vector<SectionRun>& sections);
    void Section(const SectionRun& s);

private:
    void Inputs(const SectionRun& s);
    void LoadAndCurveInputs(const WallBlock& b);
    void Ranges(const std::string& name, const std::vector<RangeRow>& rows, const std::vector<std::string>& labels);
    void Soil(const WallBlock& b);
    void Loads(const SectionInput& in);
    void Curves(const SectionInput& in);
    void Results(const SectionRun& s);
    void NodeTable(const SectionRun& s);
    void Maxima(const SectionResult& r);
    void SpringForces(const SectionRun& s);
    void ShearAtSpring(const SectionInput& in, const SectionResult& r, int m);
    void Reactions(const SectionResult& r);
    void Equilibrium(const SectionResult& r);
    void AnchorInputs(const SectionInput& in);
    void SpringTable(const SectionRun& s);

    const RunInfo& info_;
    Units u_;
    std::string basis_;  // the suffix of the analysed strip's forces and moments ("/m")
    std::string out_;
};

void Report::Front(const std::vector<SectionRun>& sections)
{
    Line("TORVIK analysis engine: flexible retaining walls by the p-y method");
    Line("==================================================================");
    Field(outputtext::Engine, EngineVersion);
    Field(outputtext::RunStarted, info_.startTime);
    Field("Data file", info_.dataFile);
    Field(outputtext::Title, info_.title);
    Field(outputtext::Units, UnitSystemName(info_.unitSystem));
    Field("Analyses", std::to_string(sections.size()));
    if (!info_.fileError.empty()) {
        Heading(outputtext::InputError);
        Line(info_.fileError);
    }
    Heading(outputtext::Method);
    Line("The wall is a beam-column on nonlinear soil springs, (EI y'')'' + (P y')' + Es y = q, solved by central");
    Line("finite differences on the nodes with two fictitious nodes beyond each end and a banded LU solution with");
    Line("partial pivoting. Es = p/y is found by the secant method: each node takes the secant p(y)/y of its curve");
    Line("at its own deflection wherever y is not 0, and the curve's initial slope only at y = 0, its limit there.");
    Line("Only a curve without an initial straight line (the power curves without k(py), Matlock's cube root), whose");
    Line("secant grows without bound toward 0, takes the secant at the small deflection (1E-6 of the wall length)");
    Line("where |y| is below it. The iteration starts from these moduli. Once an update turns back on the previous");
    Line("one (an oscillation of the secant moduli) every later iteration is under-relaxed (mean of the new and old");
    Line("deflections). Once the change is at most half the largest deflection, tangent steps (each p-y curve's");
    Line("slope dp/dy in place of its secant) finish the iteration; a tangent step that does not shrink the change");
    Line("returns to the secant method. The results come from the secant moduli of the last solution.");
    Line("Convergence: the largest change of deflection is at most the closure tolerance (and the");
    // The text states the solver's default EI tolerance as the report has always written it.
    static_assert(SolverOptions().eiTolerance == 1e-4, "the method text states the EI tolerance");
    Line("largest relative change of EI at most 1E-4 with moment-EI curves), within " +
         std::to_string(SolverOptions().maxIterations) + " iterations.");
    Line("The axial force of a segment is the sum of the axial loads at and above its upper node (compression");
    Line("positive), in the conservative form (P y')'. Lateral and rotational springs, loads and moments at the");
    Line("top and tip nodes act as concentrated forces and couples in the end conditions; at interior nodes they");
    Line("enter the node's equation. A Winkler foundation given by springs should therefore give the end nodes");
    Line("half of the tributary length. A specified slope at an interior node is held by a stiff rotational");
    Line("spring. Sign convention: deflection, loads and soil reaction positive toward the excavation; moment");
    Line("M = EI y''; shear V = dM/dz + P dy/dz; the soil reaction p opposes the deflection.");
}

void Report::Ranges(const std::string& name, const std::vector<RangeRow>& rows, const std::vector<std::string>& labels)
{
    if (rows.empty())
        return;
    Line(name + ":");
    std::vector<std::string> head = {"From node", "To node", "Choice"};
    head.insert(head.end(), labels.begin(), labels.end());
    Row(head);
    for (const RangeRow& r : rows) {
        std::vector<std::string> cells = {std::to_string(r.from), std::to_string(r.to),
                                          r.choice == 2 ? "interpolate" : "constant"};
        for (double v : r.values)
            cells.push_back(Num(v));
        Row(cells);
    }
}

void Report::Soil(const WallBlock& b)
{
    if (b.layers.empty())
        return;
    Line("Soil layers (parameters at the top and at the bottom of each layer):");
    Row({"Layer", "Type", "Bottom (" + u_.depth + ")", "Row", "gamma", "c or qu", "phi (deg)", "E50 or krm", "k or Eir",
         "RQD"},
        12);
    for (size_t i = 0; i < b.layers.size(); ++i) {
        const engine::SoilLayer& l = b.layers[i];
        for (int row = 0; row < 2; ++row) {
            const engine::SoilParameters& p = row == 0 ? l.top : l.bottom;
            const bool rock = engine::IsRock(l.type);
            const bool weak = l.type == engine::SoilType::WeakRock;
            Row({row == 0 ? std::to_string(i + 1) : "", row == 0 ? std::to_string(static_cast<int>(l.type)) : "",
                 row == 0 ? u_.Depth(l.bottomDepth) : "", row == 0 ? "top" : "bottom", Num(p.unitWeight),
                 Num(rock ? p.compressiveStrength : p.cohesion), Num(p.frictionAngle), Num(weak ? p.krm : p.e50),
                 Num(weak ? p.rockModulus : p.kpy), Num(p.rqd)},
                12);
        }
        Line("    " + std::to_string(i + 1) + ": " + engine::SoilTypeName(l.type));
    }
    const bool weakRock = std::any_of(b.layers.begin(), b.layers.end(),
                                      [](const engine::SoilLayer& l) { return l.type == engine::SoilType::WeakRock; });
    Line("(unit weight " + u_.force + "/" + u_.length + "^3, cohesion and strengths " + u_.stress + ", k " + u_.force +
         "/" + u_.length + "^3" + (weakRock ? ", Eir " + u_.stress + ", krm none (a ratio)" : std::string()) + ")");
}

void Report::Inputs(const SectionRun& s)
{
    const WallBlock& b = s.block;
    Heading(outputtext::InputUsed);
    Line("Number of increments:              " + std::to_string(b.nodeCount));
    Line("Increment length:                  " + Num(b.increment) + " " + u_.length +
         (u_.system == UnitSystem::English ? " (" + u_.Depth(b.increment) + " " + u_.depth + ")" : ""));
    Line("Wall length:                       " + u_.Depth(b.nodeCount * b.increment) + " " + u_.depth);
    Line("Excavation depth (free height):    " + u_.Depth(b.wallHeight) + " " + u_.depth);
    Line("Maximum allowable deflection:      " + Num(b.maxDeflection) + " " + u_.length);
    Line("Deflection closure tolerance:      " + Num(b.tolerance) + " " + u_.length);
    Line("Earth-pressure option:             " + std::to_string(b.earthPressureOption));
    Line("p-y curve option:                  " + std::to_string(b.pyCurveOption));
    if (b.earthPressureOption > 1 || b.pyCurveOption == 2) {
        Line("Width for active pressure (Wa):    " + Num(b.activeWidth) + " " + u_.length);
        Line("Width for p-y curves (Wp = b):     " + Num(b.pyWidth) + " " + u_.length);
        Line("Water depth, backfill side:        " + u_.Depth(b.waterDepthBackfill) + " " + u_.depth);
        Line("Water depth, excavation side:      " + u_.Depth(b.waterDepthExcavation) + " " + u_.depth);
        Line("Active-pressure factor:            " + Num(b.activePressureFactor));
        Line("Backfill slope:                    " + Num(b.backfillSlope) + " deg");
        Line("Uniform surcharge on the backfill: " + Num(b.topSurcharge) + " " + u_.stress);
    }
    Ranges("Wall stiffness", b.stiffness, {"EI (" + u_.ei + ")"});
    Ranges("Concentrated loads", b.loads,
           {"Load (" + u_.force + ")", "Moment (" + u_.moment + ")", "Axial (" + u_.force + ")"});
    Ranges("Lateral and rotational springs", b.springs,
           {"K (" + u_.force + "/" + u_.length + ")", "Kr (" + u_.moment + "/rad)"});
    AnchorInputs(s.input);
    if (!b.restraints.empty()) {
        Line("Specified deflections and slopes:");
        for (const RestraintRow& r : b.restraints)
            Line("  node " + std::to_string(r.node) + ": " +
                 (r.kind == kDeflectionRestraint ? "deflection " + Num(r.deflection) + " " + u_.length : "slope " + Num(r.slope)));
    }
    LoadAndCurveInputs(b);
}

void Report::LoadAndCurveInputs(const WallBlock& b)
{
    if (!b.userLoads.empty()) {
        Line("User-specified distributed load (depth " + u_.depth + ", load " + u_.perLength + "):");
        for (const engine::DepthLoad& d : b.userLoads)
            Line("  " + u_.Depth(d.depth) + "  " + Num(d.load));
    }
    if (!b.surcharges.empty()) {
        Line("Surcharge loads (type 1 point, 2 line, 3 strip; distances as in the file" +
             std::string(b.unitSystem == UnitSystem::SI ? ", mm" : "") + "):");
        for (const engine::SurchargeLoad& l : b.surcharges)
            Line("  type " + std::to_string(l.type) + "  magnitude " + Num(l.magnitude) + "  X " + Num(l.distance) +
                 "  W " + Num(l.width));
    }
    Soil(b);
    if (!b.modifiers.empty()) {
        Line("p-y modification factors (depth " + u_.depth + ", fp, fy):");
        for (const engine::PyModifierRow& r : b.modifiers)
            Line("  " + u_.Depth(r.depth) + "  " + Num(r.pMultiplier) + "  " + Num(r.yMultiplier));
    }
    for (const engine::ExternalCurveInput& c : b.externalCurves) {
        Line("External p-y curve at node " + std::to_string(c.node) + " (fp " + Num(c.pMultiplier) + ", fy " +
             Num(c.yMultiplier) + "), points y, p:");
        for (const auto& [y, p] : c.points)
            Line("  " + Num(y) + "  " + Num(p));
    }
    for (const MomentEiCurve& c : b.meiCurves) {
        Line("Moment-EI curve for nodes " + std::to_string(c.from) + " to " + std::to_string(c.to) + ", points |M|, EI:");
        for (const auto& [m, e] : c.points)
            Line("  " + Num(m) + "  " + Num(e));
    }
}

void Report::Loads(const SectionInput& in)
{
    Heading("Distributed load on the wall (" + u_.perLength + ")");
    // The uniform surcharge on the backfill acts through the active coefficient
    // of each soil, so it is part of the soils' pressure.
    Line("From soils: the earth and water pressure, the uniform surcharge included; from surcharge: the point, "
         "line and strip surcharge loads.");
    Row({"Node", "Depth (" + u_.depth + ")", "Total", "From soils", "From surcharge"});
    for (int m = 0; m <= in.nodeCount; ++m) {
        Cell(std::to_string(m));
        for (double v : {m * in.increment * u_.depthFactor, in.q[m], in.qSoil[m], in.qSurcharge[m]})
            Cell(v);
        out_ += Eol;
    }
}

void Report::Curves(const SectionInput& in)
{
    bool any = false;
    for (int m = 0; m <= in.nodeCount; ++m) {
        if (!in.soil[m].curve)
            continue;
        if (!any)
            Heading("p-y curves at the nodes");
        any = true;
        // Written piece by piece: the descriptions are long.
        out_ += "Node ";
        out_ += std::to_string(m);
        out_ += " (depth ";
        AppendGeneral(out_, m * in.increment * u_.depthFactor, 6);
        out_ += " ";
        out_ += u_.depth;
        out_ += "): ";
        out_ += in.soil[m].criterion;
        out_ += Eol;
    }
    if (!any)
        Line("No node has a p-y curve (no soil resistance).");
}

void Report::Results(const SectionRun& s)
{
    basis_ = StripBasis(u_.system, s.input.stripWidth);
    NodeTable(s);
    Maxima(s.result);
    SpringForces(s);
    Reactions(s.result);
    Equilibrium(s.result);
    SpringTable(s);
}

void Report::NodeTable(const SectionRun& s)
{
    const SectionResult& r = s.result;
    Heading("Results per node");
    Line("Moments, shears, soil reactions and spring forces are those of the analysed strip (" + u_.moment + basis_ +
         ", " + u_.force + basis_ + ").");
    Row({"Node", "Depth (" + u_.depth + ")", "y (" + u_.length + ")", "Slope", "M (" + u_.moment + ")",
         "V (" + u_.force + ")", "p (" + u_.perLength + ")", "EI (" + u_.ei + ")"});
    for (int m = 0; m <= s.input.nodeCount; ++m) {
        Cell(std::to_string(m));
        for (double v : {r.depth[m] * u_.depthFactor, r.y[m], r.slope[m], r.moment[m], r.shear[m], r.reaction[m], r.ei[m]})
            Cell(v);
        out_ += Eol;
    }
}

namespace {

// The index of the largest (or smallest) value, by magnitude when `absolute`.
size_t Extreme(const std::vector<double>& v, bool largest, bool absolute)
{
    size_t at = 0;
    for (size_t i = 1; i < v.size(); ++i) {
        const double a = absolute ? std::fabs(v[i]) : v[i], b = absolute ? std::fabs(v[at]) : v[at];
        if (largest ? a > b : a < b)
            at = i;
    }
    return at;
}

}  // namespace

void Report::Maxima(const SectionResult& r)
{
    Heading(outputtext::Maxima);
    auto report = [&](const std::string& what, const std::vector<double>& v, size_t at, const std::string& unit) {
        Line(what + Num(v[at]) + " " + unit + " at node " + std::to_string(at) + ", depth " + u_.Depth(r.depth[at]) +
             " " + u_.depth);
    };
    report("Largest deflection:        ", r.y, Extreme(r.y, true, true), u_.length);
    // Moments within rounding of zero (a free end) are not reported as a maximum.
    double mmax = 0;
    for (double v : r.moment)
        mmax = std::max(mmax, std::fabs(v));
    const size_t positive = Extreme(r.moment, true, false), negative = Extreme(r.moment, false, false);
    if (r.moment[positive] > 1e-9 * mmax)
        report("Largest positive moment:   ", r.moment, positive, u_.moment + basis_);
    else
        Line("Largest positive moment:   none");
    if (r.moment[negative] < -1e-9 * mmax)
        report("Largest negative moment:   ", r.moment, negative, u_.moment + basis_);
    else
        Line("Largest negative moment:   none");
    report("Largest shear (magnitude): ", r.shear, Extreme(r.shear, true, true), u_.force + basis_);
    report("Largest soil reaction:     ", r.reaction, Extreme(r.reaction, true, true), u_.perLength);
}

void Report::SpringForces(const SectionRun& s)
{
    const SectionInput& in = s.input;
    const SectionResult& r = s.result;
    bool springs = false;
    for (int m = 0; m <= in.nodeCount; ++m) {
        if (in.spring[m] == 0 && in.rotSpring[m] == 0)
            continue;
        if (!springs)
            Heading(outputtext::SpringForces);
        springs = true;
        Line("Node " + std::to_string(m) + " (depth " + u_.Depth(r.depth[m]) + " " + u_.depth + "): force " +
             Num(r.springForce[m]) + " " + u_.force + basis_ + ", moment " + Num(r.springMoment[m]) + " " + u_.moment +
             basis_);
        if (in.spring[m] != 0)
            ShearAtSpring(in, r, m);
    }
}

// The shear steps by the node's concentrated forces; a load at the node counts
// above its spring. The table gives the value below the forces at the top, above
// them at the tip and their mean between.
void Report::ShearAtSpring(const SectionInput& in, const SectionResult& r, int m)
{
    const double load = in.load[m], force = r.springForce[m];
    double above;
    if (m == 0)
        above = r.shear[m] - force;
    else if (m == in.nodeCount)
        above = r.shear[m] + load;
    else
        above = r.shear[m] + load / 2 - force / 2;
    // Rounding of a zero shear (a free end) is not shown as a value.
    const double below = above + force;
    const double scale = 1e-12 * std::max({std::fabs(above), std::fabs(below), std::fabs(load)});
    auto shown = [scale](double v) { return Num(std::fabs(v) <= scale ? 0.0 : v); };
    Line("  shear just above the spring " + shown(above) + " " + u_.force + ", just below " + shown(below) + " " +
         u_.force);
}

void Report::Reactions(const SectionResult& r)
{
    if (!r.restraints.empty()) {
        Heading(outputtext::RestraintReactions);
        for (const RestraintReaction& rr : r.restraints)
            Line("Node " + std::to_string(rr.node) + ": " +
                 (rr.kind == kDeflectionRestraint ? "deflection " + Num(rr.value) + " " + u_.length + " held by a force of " +
                                     Num(rr.reaction) + " " + u_.force
                               : "slope " + Num(rr.value) + " held by a couple of " + Num(rr.reaction) + " " +
                                     u_.moment + " (sense of a positive head moment)"));
    }
    if (!r.jumps.empty()) {
        Heading(outputtext::MomentJumps);
        for (const MomentJump& j : r.jumps)
            Line("Node " + std::to_string(j.node) + ": above " + Num(j.above) + ", below " + Num(j.below) + " " +
                 u_.moment);
    }
}

void Report::Equilibrium(const SectionResult& r)
{
    Heading(outputtext::Equilibrium);
    Line("Sum of lateral forces:       " + Num(r.forceSum) + " " + u_.force + " (relative " +
         Num(r.ForceResidual(), 3) + ")");
    Line("Sum of moments about the top: " + Num(r.momentSum) + " " + u_.moment + " (relative " +
         Num(r.MomentResidual(), 3) + ")");
}

// The settings of the spring rows from the wall's settings file (nothing for a
// wall without them).
void Report::AnchorInputs(const SectionInput& in)
{
    if (in.stage > 0 && in.fromInstallation)
        Line("Anchors and springs act from their installation stage: on");
    if (in.anchors.empty())
        return;
    Line("Anchor settings of the spring rows:");
    for (const AnchorRow& row : in.anchors) {
        const TAnchorSettings& a = row.anchor;
        Line("  row from node " + std::to_string(row.from) + ": prestress " + Num(a.prestress) + " " + u_.perLength +
             ", spacing " + Num(a.spacing) + " " + u_.length + ", inclination " + Num(a.inclination) +
             " deg, vertical component " + (a.axialLoad ? "acts on the wall" : "not applied") +
             (a.capacity > 0 ? ", capacity " + Num(a.capacity) + " " + u_.force + " per anchor" : ""));
    }
}

// The springs' forces from their installation, with the anchors' forces per
// anchor; only for a wall with springs.
void Report::SpringTable(const SectionRun& s)
{
    const SpringTableText table = ReportWriter::SpringTable(s, u_.system);
    if (table.rows.empty())
        return;
    Heading(outputtext::SpringTable);
    // Headings of at most 11 characters in columns of 13, so that two spaces part them.
    constexpr size_t w = 13;
    Row(table.header, w);
    for (const std::vector<std::string>& cells : table.rows)
        Row(cells, w);
    for (const std::string& note : table.notes)
        Line(note);
}

// What the columns of the spring table mean and what the analysis assumed.
// Which springs act from their deflection at lock-off rather than from the end
// of the stage before their installation.
void LockOffNotes(const SectionRun& s, std::vector<std::string>& notes)
{
    for (const SpringResult& sp : s.result.springs) {
        if (!sp.lockedOff)
            continue;
        const std::string before = std::to_string(sp.installedIn - 1);
        notes.push_back("Node " + std::to_string(sp.node) + " is locked off as built: its y0 is the deflection under the jack,");
        notes.push_back("the wall of stage " + before + " analysed again with P0 pulling at the node (not the end of stage " +
                        before + ").");
    }
}

std::vector<std::string> SpringNotes(const SectionRun& s, const Units& u)
{
    const SectionResult& r = s.result;
    const double w = s.input.stripWidth;
    std::vector<std::string> notes;
    if (w == 1) {
        notes.push_back(
            "F = P0 + K (y - y0), per unit width of wall, positive where the spring holds the wall back (toward the");
        notes.push_back("retained side).");
    } else {
        notes.push_back(
            "F = P0 + K (y - y0) / Wa, per unit width of wall, positive where the spring holds the wall back (toward");
        notes.push_back("the retained side): the force on the analysed width Wa = " + Num(w) + " " + u.length +
                        " divided by it, as is P0.");
    }
    notes.push_back(
        "Installed: the stage from which the spring acts; y0: the deflection then (0 where it acts from the");
    notes.push_back(
        "undeformed wall). P0: the node's share of its row's prestress. Anchor: the force along one anchor,");
    notes.push_back("F x spacing / cos(inclination). Fv: its vertical component F x tan(inclination) per unit width.");
    bool axial = false;
    for (const SpringResult& sp : r.springs)
        axial = axial || (sp.anchor && sp.axialLoad);
    if (axial) {
        notes.push_back(
            "The vertical components of the anchors so marked act on the wall as axial load at their nodes");
        notes.push_back("(compression positive); the analysis was made " + std::to_string(r.anchorIterations) +
                        " times until they settled.");
    }
    if (s.input.stage == 0)
        return notes;
    notes.push_back(
        "Stages: each stage's soil is analysed with that stage's own p-y curves from its own geometry, with no memory");
    notes.push_back(
        "of the soil's deformation in earlier stages. Consequence: the soil reaction of a stage is that of a wall");
    notes.push_back("moved in one step to its deflection, whatever the soil went through before.");
    if (s.input.fromInstallation) {
        notes.push_back(
            "\"Anchors and springs act from their installation stage\" is on: a spring or restraint installed in a");
        notes.push_back("later stage acts on the wall's movement since the end of the stage before.");
        LockOffNotes(s, notes);
    } else {
        notes.push_back(
            "\"Anchors and springs act from their installation stage\" is off: every spring acts on the whole");
        notes.push_back("deflection of its stage, as if it had been installed before any excavation.");
    }
    return notes;
}

void Report::Section(const SectionRun& s)
{
    Line();
    Line("==================================================================");
    Line(s.heading);
    Line("==================================================================");
    Inputs(s);
    if (!s.built) {
        Heading(outputtext::InputError);
        Line(s.error);
        Line("This analysis was not carried out.");
        return;
    }
    Heading(outputtext::ChoicesMade);
    for (const std::string& c : s.input.choices)
        Line(c);
    Loads(s.input);
    Curves(s.input);
    Heading(outputtext::Iterations);
    const SectionResult& r = s.result;
    Line("Iterations: " + std::to_string(r.Iterations()) +
         (r.history.empty() ? "" : ", final change of deflection " + Num(r.history.back().change) + " " + u_.length));
    Line("Status: " + std::string(StatusText(r.status)) + ". " + r.message);
    if (r.Ok()) {
        Line("Small deflection " + Num(r.smallDeflection) + " " + u_.length + " (1E-6 of the wall length). Nodes whose final |y| is below it:");
        Line("  on the curve's own secant (curve with an initial slope): " + NodeList(r.exactSecantNodes));
        Line("  on the secant at the small deflection (curve without an initial slope): " + NodeList(r.flooredNodes));
    }
    if (r.Ok())
        Results(s);
    else
        Line("No results are given for this analysis: they would not be valid.");
    std::vector<std::string> warnings = s.input.warnings;
    warnings.insert(warnings.end(), r.warnings.begin(), r.warnings.end());
    if (!warnings.empty()) {
        Heading(outputtext::Warnings);
        for (const std::string& w : warnings)
            Line(w);
    }
}

}  // namespace

std::string ReportWriter::Number(double value, int digits)
{
    return Num(value, digits);
}

SpringTableText ReportWriter::SpringTable(const SectionRun& s, UnitSystem unitSystem)
{
    const SectionResult& r = s.result;
    SpringTableText table;
    if (r.springs.empty())
        return table;
    const Units u(unitSystem);
    table.header = {"Node",
                    "Depth (" + u.depth + ")",
                    "K (" + u.perLength + ")",
                    "P0 (" + u.perLength + ")",
                    "Installed",
                    "y0 (" + u.length + ")",
                    "y (" + u.length + ")",
                    "F (" + u.perLength + ")",
                    "Anchor (" + u.force + ")",
                    "Fv (" + u.perLength + ")"};
    for (const SpringResult& sp : r.springs)
        table.rows.push_back({std::to_string(sp.node), u.Depth(r.depth[sp.node]), Num(sp.stiffness), Num(sp.prestress),
                              std::to_string(sp.installedIn), Num(sp.deflectionFrom), Num(r.y[sp.node]), Num(sp.force),
                              sp.anchor ? Num(sp.forcePerAnchor) : "-", sp.anchor ? Num(sp.vertical) : "-"});
    table.notes = SpringNotes(s, u);
    return table;
}

std::string ReportWriter::StatusLine(const SectionRun& s)
{
    if (!s.built)
        return s.heading + ": invalid input. " + s.error;
    return s.heading + ": " + StatusText(s.result.status) + ". " + s.result.message;
}

std::string ReportWriter::Text(const RunInfo& info, const std::vector<SectionRun>& sections)
{
    Report r(info);
    // About 600 characters per node (loads, curve, results): one allocation, not a series of copies.
    size_t nodes = 0;
    for (const SectionRun& s : sections)
        nodes += static_cast<size_t>(s.input.nodeCount) + 1;
    r.Reserve(20000 + 600 * nodes);
    r.Front(sections);
    for (const SectionRun& s : sections)
        r.Section(s);
    r.Line();
    r.Heading(outputtext::Summary);
    for (const SectionRun& s : sections)
        r.Line(StatusLine(s));
    r.Line(info.plotWritten ? "The plot data file was written."
                            : "No plot data file was written: not every analysis gave usable results.");
    for (const std::string& n : info.notes)
        r.Line(n);
    r.Line("Run ended: " + info.endTime);
    return r.Take();
}

std::string ReportWriter::Notes(const RunInfo& info, const std::vector<SectionRun>& sections)
{
    std::ostringstream out;
    out << "TORVIK analysis engine: run notes" << Eol;
    out << "Start:       " << info.startTime << Eol;
    out << "Data file:   " << info.dataFile << Eol;
    out << "Output text: " << info.outputText << Eol;
    out << "Plot data:   " << info.plotFile << Eol;
    out << "Run notes:   " << info.runNotes << Eol;
    if (!info.fileError.empty())
        out << "ERROR reading the data file: " << info.fileError << Eol;
    for (const SectionRun& s : sections) {
        out << Eol << s.heading << Eol;
        if (!s.built) {
            out << "  ERROR: " << s.error << Eol;
            continue;
        }
        for (const std::string& w : s.input.warnings)
            out << "  WARNING: " << w << Eol;
        out << "  Iteration  Largest change of deflection" << (s.input.meiCurves.empty() ? "" : "  Change of EI") << Eol;
        for (const IterationStep& st : s.result.history)
            out << Pad(std::to_string(st.iteration), 11) << Pad(Num(st.change), 30)
                << (s.input.meiCurves.empty() ? "" : Pad(Num(st.eiChange), 14)) << RuleText(st.rule)
                << Eol;
        for (const std::string& w : s.result.warnings)
            out << "  WARNING: " << w << Eol;
        out << "  Status: " << StatusText(s.result.status) << ". " << s.result.message << Eol;
        if (s.result.Ok())
            out << "  Equilibrium residuals (relative): forces " << Num(s.result.ForceResidual(), 3) << ", moments "
                << Num(s.result.MomentResidual(), 3) << Eol;
    }
    out << Eol;
    for (const std::string& n : info.notes)
        out << n << Eol;
    out << "Status per analysis:" << Eol;
    if (!info.fileError.empty())
        out << "Data file: invalid input. " << info.fileError << Eol;
    for (const SectionRun& s : sections)
        out << StatusLine(s) << Eol;
    out << Eol;
    out << (info.plotWritten ? "Plot data file written." : "No plot data file written.") << Eol;
    out << "End:         " << info.endTime << Eol;
    return out.str();
}
