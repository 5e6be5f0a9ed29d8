#include "engine/PlotFileWriter.h"

#include "engine/PoreWater.h"
#include "engine/SoilLayer.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const char* const Eol = "\r\n";

// Appends a value and the two characters after it (the separator or the line end), in one piece.
void Put(std::string& out, double v, const char* after)
{
    if (!std::isfinite(v))
        throw TorvikError("A result is not a finite number; no plot data file is written.");
    char text[kGeneralTextSize + 2];
    char* end = WriteGeneral(text, v, 8);
    *end++ = after[0];
    *end++ = after[1];
    out.append(text, static_cast<size_t>(end - text));
}

// Texts of a column of numbers that recurs in the file (the depths of the nodes,
// the deflections at which curves of the same range are tabulated), written once.
class RecurringTexts {
public:
    void Clear()
    {
        text_.clear();
        ends_.clear();
    }
    size_t Size() const { return ends_.size(); }
    void Add(double v)
    {
        if (!std::isfinite(v))
            throw TorvikError("A result is not a finite number; no plot data file is written.");
        AppendGeneral(text_, v, 8);
        ends_.push_back(text_.size());
    }
    // Appends the text of entry i and what follows it.
    void Put(std::string& out, size_t i, const char* after) const
    {
        const size_t begin = i == 0 ? 0 : ends_[i - 1];
        out.append(text_, begin, ends_[i] - begin);
        out += after;
    }

private:
    std::string text_;
    std::vector<size_t> ends_;
};

}  // namespace

std::vector<int> PlotFileWriter::CurveNodes(const SectionInput& in)
{
    std::vector<int> candidates;
    for (int m = 0; m <= in.nodeCount; ++m)
        if (m * in.increment > in.excavation && in.soil[m].curve)
            candidates.push_back(m);
    if (static_cast<int>(candidates.size()) <= MaxCurves)
        return candidates;
    std::vector<int> nodes;
    const double step = double(candidates.size() - 1) / (MaxCurves - 1);
    for (int i = 0; i < MaxCurves; ++i)
        nodes.push_back(candidates[static_cast<size_t>(std::lround(i * step))]);
    return nodes;
}

namespace {

double LargestDeflection(const SectionResult& r)
{
    double largest = 0;
    for (double y : r.y)
        largest = std::max(largest, std::fabs(y));
    return largest;
}

// The deflection range of the curve of `node` when the largest deflection is `largest`.
double Range(const SectionInput& in, double largest, int node)
{
    double range = std::max(2 * largest, in.soil[node].ultimateDeflection);
    range = std::min(range, in.maxDeflection);
    if (!(range > 0))
        range = std::min(1e-3 * in.Length(), in.maxDeflection);
    return range;
}

}  // namespace

double PlotFileWriter::CurveRange(const SectionInput& in, const SectionResult& r, int node)
{
    return Range(in, LargestDeflection(r), node);
}

namespace {

// The pore water of a section, or none for still water on both sides.
std::unique_ptr<engine::PoreWater> FlowingWater(const SectionRun& s)
{
    if (s.water.regime == WaterRegime::Hydrostatic)
        return nullptr;
    const SectionInput& in = s.input;
    auto water = std::make_unique<engine::PoreWater>(s.water, engine::UnitWeightOfWater(in.unitSystem),
                                                     s.block.waterDepthBackfill, s.block.waterDepthExcavation,
                                                     in.excavation, in.Length());
    if (water->Hydrostatic())
        return nullptr;
    return water;
}

// The closing block of the pore pressures of the last section with flowing
// water: its number, its node count, then per node the depth, the pore
// pressures behind and in front and the net (behind minus in front), each on
// the loaded width as the earth-pressure load is (the active pressure factor
// times Wa above the excavation level, min(Wa, Wp) below it), so that they
// share its axis. Files whose sections all have still water end without it.
void AppendPoreWater(std::string& out, const std::vector<SectionRun>& sections)
{
    for (size_t k = sections.size(); k-- > 0;) {
        const std::unique_ptr<engine::PoreWater> water = FlowingWater(sections[k]);
        if (!water)
            continue;
        const SectionInput& in = sections[k].input;
        const WallBlock& b = sections[k].block;
        const double below = b.pyWidth > 0 ? std::min(b.activeWidth, b.pyWidth) : b.activeWidth;
        out += std::string("PoreWater") + Eol;
        out += std::to_string(k + 1) + "  " + std::to_string(in.nodeCount + 1) + Eol;
        for (int m = 0; m <= in.nodeCount; ++m) {
            const double z = m * in.increment;
            const double width = b.activePressureFactor * (z <= in.excavation ? b.activeWidth : below);
            const double behind = width * water->Retained(z), front = width * water->Excavation(z);
            Put(out, z, "  ");
            Put(out, behind, "  ");
            Put(out, front, "  ");
            Put(out, behind - front, Eol);
        }
        return;
    }
}

}  // namespace

std::string PlotFileWriter::Text(const std::vector<SectionRun>& sections)
{
    std::string out;
    RecurringTexts depths, curveY;
    double depthIncrement = 0, curveRange = 0;
    for (const SectionRun& s : sections) {
        const SectionInput& in = s.input;
        const SectionResult& r = s.result;
        const int n = in.nodeCount;
        out += std::to_string(n + 1) + Eol;
        out.reserve(out.size() + static_cast<size_t>(n + 1) * 150 + MaxCurves * CurvePoints * 36);
        // The depths m h of the nodes, shared by the loads and the results of every section.
        if (depths.Size() != static_cast<size_t>(n + 1) || depthIncrement != in.increment) {
            depths.Clear();
            for (int m = 0; m <= n; ++m)
                depths.Add(m * in.increment);
            depthIncrement = in.increment;
        }
        for (int m = 0; m <= n; ++m) {
            depths.Put(out, static_cast<size_t>(m), "  ");
            Put(out, in.q[m], "  ");
            Put(out, in.qSoil[m], "  ");
            Put(out, in.qSurcharge[m], Eol);
        }
        out += std::to_string(UnitSystemCode(in.unitSystem)) + Eol;
        const std::vector<int> nodes = CurveNodes(in);
        const double largest = LargestDeflection(r);
        out += std::to_string(nodes.size()) + Eol;
        // Labels in feet (English) or metres: the depth the graph's legend shows.
        const double labelFactor = in.unitSystem == UnitSystem::English ? 1.0 / 12.0 : 1.0;
        for (int m : nodes) {
            const double range = Range(in, largest, m);
            Put(out, m * in.increment * labelFactor, "  ");
            out += std::to_string(CurvePoints) + Eol;
            // Curves of one range (most of them) are tabulated at the same deflections.
            if (curveY.Size() != CurvePoints || range != curveRange) {
                curveY.Clear();
                for (int i = 0; i < CurvePoints; ++i)
                    curveY.Add(range * (2.0 * i / (CurvePoints - 1) - 1.0));
                curveRange = range;
            }
            const NodeSoil& soil = in.soil[m];
            for (int i = 0; i < CurvePoints; ++i) {
                const double y = range * (2.0 * i / (CurvePoints - 1) - 1.0);
                // The program's convention: p positive for negative y.
                curveY.Put(out, static_cast<size_t>(i), "  ");
                Put(out, soil.pyCurve ? soil.pyCurve->Resistance(y) : -soil.curve(y), Eol);
            }
        }
        out += std::to_string(sections.size()) + Eol;
        out += std::to_string(n + 1) + Eol;
        out += std::string("0") + Eol;
        for (int m = 0; m <= n; ++m) {
            if (r.depth[m] == m * in.increment)
                depths.Put(out, static_cast<size_t>(m), "  ");
            else
                Put(out, r.depth[m], "  ");
            Put(out, r.y[m], "  ");
            Put(out, r.moment[m], "  ");
            Put(out, r.shear[m], "  ");
            Put(out, r.reaction[m], Eol);
        }
    }
    AppendPoreWater(out, sections);
    return out;
}
