// Reading the plot data file that the engine writes after an analysis: a
// sequence of sections (one per stage, or short-term then long-term), each
// with earth pressures, p-y curves and the results along the wall.
#include "run/ReadPlotFile.h"

#include "model/SoilType.h"
#include "model/WordReader.h"
#include "run/ResultGraphs.h"
#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"
#include "units/Prompt.h"
#include "units/TorvikError.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>

const char* const PlotReadFailedMessage = "An error occured in running the main program.";

namespace {

// Values at or below this size in both coordinates mark a point the file did not fill.
constexpr long double UnfilledPoint = 1e-7L;

// A row of results along the wall as read (converted to display units).
struct ResultRow {
    long double Depth, Deflection, Moment, Shear, Reaction;
};

// One earth-pressure row as read.
struct PressureRow {
    long double Depth, Total, Soils, Surcharge;
};

class PlotReader {
public:
    PlotReader(TResultGraphs& graphs, TWordReader& reader, TPlotReadContext& context)
        : g_(graphs), r_(reader), c_(context)
    {
    }

    void Read()
    {
        UnitSystem lastUnits = UnitSystem::English;
        const int sections = ReadSection(1, lastUnits);
        for (int s = 2; s <= sections; ++s)
            ReadSection(s, lastUnits);
        ReadPoreWater(lastUnits);
        FillUnfilled();
        SetCaptions(lastUnits);
        for (auto& [name, graph] : g_.All())
            graph->SetUnits(lastUnits);
    }

private:
    // Skips blank lines: the file's line structure carries no meaning, while
    // the word reader moves on by one line only.
    void SkipBlankLines()
    {
        while (!r_.AtEnd() && r_.WordIndex() >= static_cast<int>(r_.Line(r_.LineIndex()).Words.size()) &&
               r_.LineIndex() + 1 < r_.LineCount() && r_.Line(r_.LineIndex() + 1).Words.empty())
            r_.ReadLine();
    }

    long double Real()
    {
        SkipBlankLines();
        return r_.ReadReal();
    }

    std::int32_t Integer()
    {
        SkipBlankLines();
        return r_.ReadInteger();
    }

    // A count of the file, checked against its limit.
    int Count(int section, const char* what, int limit)
    {
        const std::int32_t n = Integer();
        if (n < 0 || n > limit)
            throw EInOutError("Section " + std::to_string(section) + " of the plot data file gives " +
                              std::to_string(n) + " " + what + "; 0 to " + std::to_string(limit) + " are allowed.");
        return n;
    }

    // Reads section s; returns the number of sections the file holds (from section 1).
    int ReadSection(int s, UnitSystem& lastUnits)
    {
        const int k = s - 1;
        const std::vector<PressureRow> pressure = ReadPressure(s);
        const UnitSystem u = NormalizeUnitSystem(Integer());
        lastUnits = u;
        StorePressure(s, pressure, u);
        ReadPyCurves(s, u);
        const int lines = Count(s, "result lines", MaxPlotCurves);
        int sections = 0;
        if (s == 1) {
            firstLines_ = lines;
            sections = std::max(1, lines);
            g_.Deflection.SetLineCount(lines);
            running_ = std::max(1, lines);
            for (TGraphPlot* graph : {&g_.Moment, &g_.Shear, &g_.SoilReaction})
                graph->SetLineCount(lines);
        } else {
            if (lines > firstLines_)
                throw EInOutError("Section " + std::to_string(s) + " of the plot data file gives " +
                                  std::to_string(lines) + " result lines, more than the " +
                                  std::to_string(firstLines_) + " of section 1.");
            running_ = std::max(running_, lines);
            if (g_.Deflection.LineCount() < running_)
                g_.Deflection.SetLineCount(running_);
            NameLines(s);
        }
        const int rows = Count(s, "result rows", MaxPlotPoints);
        Integer();  // not used
        if (s == 1) {
            for (TGraphPlot* graph : ResultGraphs())
                graph->SetPointCount(rows);
            g_.DeflectionMomentShear.SetLineCount(g_.Deflection.LineCount());
            g_.DeflectionMomentShear.SetLineCount2(g_.Deflection.LineCount());
            g_.DeflectionMomentShear.SetLineCount3(g_.Deflection.LineCount());
            SetDmsPointCounts(g_.Deflection.PointCount());
            g_.DeflectionMomentShear.ShowThree = true;
        } else {
            GrowPoints(rows);
        }
        if (k < g_.Deflection.LineCount())
            StoreResults(k, ReadResults(rows, u));
        SetResultLineCounts(s);
        if (s == 1)
            SetLayerEntries();
        return sections;
    }

    std::vector<PressureRow> ReadPressure(int s)
    {
        const int np = Count(s, "earth-pressure points", MaxPlotPoints);
        c_.PressurePointCount = std::max(c_.PressurePointCount, np);
        std::vector<PressureRow> rows(static_cast<size_t>(np));
        for (PressureRow& row : rows) {
            row.Depth = Real();
            row.Total = Real();
            row.Soils = Real();
            row.Surcharge = Real();
        }
        return rows;
    }

    // Section 1 fills the combined graph and line 0 of the pressure graph; a
    // later section fills its own line of the pressure graph only.
    void StorePressure(int s, const std::vector<PressureRow>& rows, UnitSystem u)
    {
        const int np = static_cast<int>(rows.size());
        const int k = s - 1;
        TGraphPlot& ld = g_.EarthPressure;
        if (s == 1) {
            ld.SetLineCount(1);
            ld.SetPointCount(np);
            TGraphPlot& pc = g_.CombinedPressure;
            pc.SetLineCount(3);
            pc.SetPointCount(np);
            // The combined graph follows the wall's own units, whatever the file says.
            const long double depthDivisor = c_.UnitSystem == UnitSystem::English ? 12 : 1;
            for (int j = 0; j < np; ++j) {
                const PressureRow& row = rows[static_cast<size_t>(j)];
                const long double depth = row.Depth / depthDivisor;
                pc.Points(0, j) = {row.Total, depth};
                pc.Points(1, j) = {row.Soils, depth};
                pc.Points(2, j) = {row.Surcharge, depth};
            }
            pc.Lines(0).Name = "Total Earth Pressure";
            pc.Lines(1).Name = "from Soils ";
            pc.Lines(2).Name = "from Surcharge Loads";
        } else {
            ld.SetLineCount(running_);
            Grow(ld.LineList1(), np);
        }
        if (k >= ld.LineCount())
            return;
        const long double divisor = u == UnitSystem::English ? 12 : 1;
        TLine& line = ld.Lines(k);
        for (int j = 0; j < np; ++j)
            line.Points[static_cast<size_t>(j)] = {rows[static_cast<size_t>(j)].Total,
                                                   rows[static_cast<size_t>(j)].Depth / divisor};
    }

    // The closing block of a file whose wall has flowing water: the pore
    // pressures behind and in front and the net of one section, drawn as three
    // more lines of the earth-pressure graph. Files without it end before.
    void ReadPoreWater(UnitSystem u)
    {
        SkipBlankLines();
        if (r_.RemainingWords() == 0 || r_.ReadWord() != "PoreWater")
            return;
        const int section = Integer();
        const int np = Count(section, "pore-pressure points", MaxPlotPoints);
        TGraphPlot& ld = g_.EarthPressure;
        const int first = ld.LineCount();
        ld.SetLineCount(first + 3);
        const char* const names[] = {"Pore Pressure Behind", "Pore Pressure in Front", "Net Water Pressure"};
        // The section named as the legend names its earth pressure.
        const std::string of = c_.LongTermMarker == 9 ? (section == 1 ? "Short-Term" : "Long-Term")
                                                      : "Stage: " + std::to_string(section);
        for (int i = 0; i < 3; ++i) {
            ld.Lines(first + i).Name = std::string(names[i]) + " (" + of + ")";
            ld.Lines(first + i).SetPointCount(np);
        }
        const long double divisor = u == UnitSystem::English ? 12 : 1;
        for (int j = 0; j < np; ++j) {
            const long double depth = Real() / divisor;
            for (int i = 0; i < 3; ++i)
                ld.Points(first + i, j) = {Real(), depth};
        }
        Grow(ld.LineList1(), np);
    }

    // The p-y curves of a section replace those of the previous one; shorter
    // curves end in copies of their last point.
    void ReadPyCurves(int s, UnitSystem units)
    {
        // The legend names each curve by its depth and unit: "Depth 10.25 ft".
        const std::string unit = units == UnitSystem::English ? " ft" : units == UnitSystem::SI ? " m" : "";
        TGraphPlot& py = g_.PyCurves;
        const int nc = Count(s, "p-y curves", MaxPlotCurves);
        py.SetLineCount(nc);
        py.SetPointCount(0);
        std::vector<int> counts(static_cast<size_t>(nc));
        int most = 0;
        for (int i = 0; i < nc; ++i) {
            TLine& curve = py.Lines(i);
            curve.Value = Real();
            curve.Name = "Depth " + FormatGeneral(curve.Value, 15) + unit;
            const int m = Count(s, "points of a p-y curve", MaxPlotPoints);
            counts[static_cast<size_t>(i)] = m;
            curve.SetPointCount(m);
            for (TFloatPoint& p : curve.Points) {
                p.X = Real();
                p.Y = Real();
            }
            most = std::max(most, m);
        }
        for (int i = 0; i < nc; ++i) {
            TLine& curve = py.Lines(i);
            const TFloatPoint last = counts[static_cast<size_t>(i)] > 0 ? curve.Points.back() : TFloatPoint{};
            curve.Points.resize(static_cast<size_t>(most), last);
        }
    }

    // Line names: "Stage: n" by section, or short-term and long-term.
    void NameLines(int s)
    {
        // The earth-pressure graph too: every legend names the stages.
        for (TGraphPlot* graph : {&g_.Deflection, &g_.Moment, &g_.Shear, &g_.SoilReaction, &g_.DeflectionMomentShear, &g_.EarthPressure}) {
            const int k = s - 1;
            if (graph->LineCount() > 0)
                graph->Lines(0).Name = "Stage: 1";
            if (k < graph->LineCount())
                graph->Lines(k).Name = "Stage: " + std::to_string(s);
            if (c_.LongTermMarker == 9) {
                if (graph->LineCount() > 1)
                    graph->Lines(1).Name = "Long-Term";
                if (graph->LineCount() > 0)
                    graph->Lines(0).Name = "Short-Term";
            }
        }
    }

    std::vector<ResultRow> ReadResults(int rows, UnitSystem u)
    {
        // English files hold depths in inches, moments in lb-in and shears in
        // lb; the graphs show feet, in-kips and kips.
        const long double depth = u == UnitSystem::English ? 12 : 1, force = u == UnitSystem::English ? 1000 : 1;
        std::vector<ResultRow> result(static_cast<size_t>(rows));
        for (ResultRow& row : result) {
            row.Depth = Real() / depth;
            row.Deflection = Real();
            row.Moment = Real() / force;
            row.Shear = Real() / force;
            row.Reaction = Real();
        }
        return result;
    }

    std::vector<TGraphPlot*> ResultGraphs() { return {&g_.Deflection, &g_.Moment, &g_.Shear, &g_.SoilReaction}; }

    void SetDmsPointCounts(int n)
    {
        g_.DeflectionMomentShear.SetPointCount(n);
        g_.DeflectionMomentShear.SetPointCount2(n);
        g_.DeflectionMomentShear.SetPointCount3(n);
    }

    // Gives every line of a list the same number of points, at least n, keeping
    // the points it has (lines appended for a later section start empty).
    static void Grow(const TGraphPlot::LineList& lines, int n)
    {
        int target = n;
        for (const auto& line : lines)
            target = std::max(target, line->PointCount());
        for (const auto& line : lines)
            line->SetPointCount(target);
    }

    // A later section with more rows than the earlier ones lengthens every line.
    void GrowPoints(int rows)
    {
        for (TGraphPlot* graph : ResultGraphs())
            Grow(graph->LineList1(), rows);
        Grow(g_.DeflectionMomentShear.LineList1(), rows);
        Grow(g_.DeflectionMomentShear.LineList2(), rows);
        Grow(g_.DeflectionMomentShear.LineList3(), rows);
    }

    void StoreResults(int k, const std::vector<ResultRow>& rows)
    {
        TGraphPlot& dms = g_.DeflectionMomentShear;
        const bool toDms = k < dms.LineCount() && k < dms.LineCount2() && k < dms.LineCount3();
        for (size_t j = 0; j < rows.size(); ++j) {
            const ResultRow& row = rows[j];
            const int jj = static_cast<int>(j);
            g_.Deflection.Points(k, jj) = {row.Deflection, row.Depth};
            g_.Moment.Points(k, jj) = {row.Moment, row.Depth};
            g_.Shear.Points(k, jj) = {row.Shear, row.Depth};
            g_.SoilReaction.Points(k, jj) = {row.Reaction, row.Depth};
            if (toDms) {
                dms.Points(k, jj) = {row.Deflection, row.Depth};
                dms.Points2(k, jj) = {row.Moment, row.Depth};
                dms.Points3(k, jj) = {row.Shear, row.Depth};
            }
        }
    }

    void SetResultLineCounts(int s)
    {
        for (TGraphPlot* graph : ResultGraphs())
            graph->SetLineCount(running_);
        if (s == 1) {
            g_.DeflectionMomentShear.SetLineCount(running_);
            g_.DeflectionMomentShear.SetLineCount2(running_);
            g_.DeflectionMomentShear.SetLineCount3(running_);
        } else {
            g_.EarthPressure.SetLineCount(running_);
        }
    }

    // The soil strip of the three-panel graph: one entry per soil layer, then
    // the wall (its bottom depth) and the excavation level.
    void SetLayerEntries()
    {
        TGraphPlot& dms = g_.DeflectionMomentShear;
        bool hasPoints = false;
        for (const auto& line : dms.LineList1())
            hasPoints = hasPoints || line->PointCount() > 0;
        if (!hasPoints)
            return;
        const int layers = static_cast<int>(c_.SoilLayers.size());
        dms.SetLayerCount(layers + 2);
        dms.SetLayerPointCount(1);
        for (int i = 0; i < layers; ++i) {
            const TSoilLayerRow& row = c_.SoilLayers[static_cast<size_t>(i)];
            TLine& entry = dms.Layers(i);
            entry.Name = "LAYER " + std::to_string(i + 1);
            int code = 0;
            if (const SoilTypeTraits* traits = FindSoilType(row.SoilType)) {
                entry.Name = traits->StripName;
                code = traits->StripCode;
            }
            entry.Points[0] = {static_cast<long double>(code), row.Depth};
        }
        dms.WallLineCount = layers;
        // The wall holds its lengths in data-file units (inches in English
        // units), the table and the graph's depth axis in feet.
        const long double toDepth = c_.UnitSystem == UnitSystem::English ? 12 : 1;
        dms.Layers(layers).Name = "PILE";
        dms.Layers(layers).Points[0] = {0, c_.NodeCount * c_.IncrementLength / toDepth};
        dms.Layers(layers + 1).Name = "PILE";
        dms.Layers(layers + 1).Points[0] = {0, c_.WallHeight / toDepth};
    }

    // Points the file left unfilled (both coordinates below 1e-7 in size) take
    // the values of the point before them, so that shorter lines end in copies
    // of their last point instead of running back to the origin.
    static void FillList(const TGraphPlot::LineList& lines)
    {
        for (const auto& line : lines) {
            auto& p = line->Points;
            for (size_t j = 1; j < p.size(); ++j)
                if (std::fabs(p[j].X) < UnfilledPoint && std::fabs(p[j].Y) < UnfilledPoint)
                    p[j] = p[j - 1];
        }
    }

    void FillUnfilled()
    {
        FillList(g_.EarthPressure.LineList1());
        for (TGraphPlot* graph : ResultGraphs())
            FillList(graph->LineList1());
        FillList(g_.DeflectionMomentShear.LineList1());
        FillList(g_.DeflectionMomentShear.LineList2());
        FillList(g_.DeflectionMomentShear.LineList3());
    }

    void SetCaptions(UnitSystem u)
    {
        const bool english = u == UnitSystem::English;
        const std::string depth = english ? "Depth (ft)" : "Depth (m)";
        // Forces, moments and shears are of the analysed strip; a load or
        // reaction per unit length of the wall is of it too (its unit
        // template stays, the strip follows its name).
        const std::string basis = StripBasis(c_.UnitSystem, c_.StripWidth);
        const std::string lengthBasis = StripBasisPerLength(c_.UnitSystem, c_.StripWidth);
        g_.Deflection.YCaption = depth;
        g_.Moment.XCaption = MomentAxisCaption(english, basis);
        g_.Moment.YCaption = depth;
        g_.Shear.XCaption = (english ? "Shear (kips" : "Shear (kN") + basis + ")";
        g_.Shear.YCaption = depth;
        g_.SoilReaction.XCaption = "Reaction" + lengthBasis;
        g_.SoilReaction.YCaption = depth;
        g_.EarthPressure.XCaption = "Distributed load" + lengthBasis;
        g_.EarthPressure.YCaption = depth;
        g_.CombinedPressure.XCaption = "Earth pressure" + lengthBasis;
        TGraphPlot& dms = g_.DeflectionMomentShear;
        dms.XCaption = g_.Deflection.XCaption;
        dms.YCaption = g_.Deflection.YCaption;
        dms.XUnits = g_.Deflection.XUnits;
        dms.XCaption2 = g_.Moment.XCaption;
        dms.YCaption2 = g_.Moment.YCaption;
        dms.XUnits2 = g_.Moment.XUnits;
        dms.XCaption3 = g_.Shear.XCaption;
        dms.YCaption3 = g_.Shear.YCaption;
        dms.XUnits3 = g_.Shear.XUnits;
    }

    TResultGraphs& g_;
    TWordReader& r_;
    TPlotReadContext& c_;
    int firstLines_ = 0;
    int running_ = 1;
};

// Step 1 of every read: the graphs lose their points (their lines and settings
// stay), so that nothing of an earlier wall remains after a failed read.
void EmptyGraphs(TResultGraphs& graphs)
{
    for (auto& [name, graph] : graphs.All()) {
        graph->SetPointCount(0);
        graph->SetPointCount2(0);
        graph->SetPointCount3(0);
        graph->SetLayerCount(0);
        graph->WallLineCount = 0;
    }
}

}  // namespace

bool ReadPlotFile(TResultGraphs& graphs, const std::string& fileName, bool reportErrors, TPlotReadContext& context,
                  Prompt* prompt)
{
    EmptyGraphs(graphs);
    context.PressurePointCount = 0;
    context.ErrorMessage.clear();
    try {
        TWordReader reader(fileName);
        PlotReader(graphs, reader, context).Read();
        return true;
    } catch (const EInOutError& e) {
        context.ErrorMessage = e.what();
    }
    if (reportErrors && prompt)
        prompt->Information(PlotReadFailedMessage);
    return false;
}
