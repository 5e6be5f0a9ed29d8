#include "run/ResultTables.h"

#include "graph/GraphPlot.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/SectionUtilisation.h"
#include "model/WallSettings.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"
#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"
#include "units/Units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>

namespace {

const long double NoValue = std::numeric_limits<long double>::quiet_NaN();

// The numbers of a plot data file, one after another, whatever the lines.
class NumberStream {
public:
    explicit NumberStream(std::string text) : text_(std::move(text)) {}

    bool AtEnd()
    {
        SkipSpace();
        return pos_ >= text_.size();
    }

    long double Real()
    {
        SkipSpace();
        if (pos_ >= text_.size())
            throw std::runtime_error("the file ends early");
        size_t end = pos_;
        while (end < text_.size() && !std::isspace(static_cast<unsigned char>(text_[end])))
            ++end;
        double v = 0;
        const char* first = text_.data() + pos_;
        // from_chars does not take a leading '+'.
        if (*first == '+')
            ++first;
        const auto [ptr, ec] = std::from_chars(first, text_.data() + end, v);
        if (ec != std::errc() || ptr != text_.data() + end || !std::isfinite(v))
            throw std::runtime_error("\"" + text_.substr(pos_, end - pos_) + "\" is not a number");
        pos_ = end;
        return v;
    }

    int Count(int limit, const char* what)
    {
        const long double v = Real();
        if (v < 0 || v > limit || v != std::floor(v))
            throw std::runtime_error("a count of " + std::string(what) + " of " + FormatGeneral(v, 8) +
                                     " is out of range");
        return static_cast<int>(v);
    }

private:
    void SkipSpace()
    {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }

    std::string text_;
    size_t pos_ = 0;
};

std::string SectionName(int index, int count, bool longTerm)
{
    if (longTerm && count == 2)
        return index == 0 ? "Short-term" : "Long-term";
    if (count == 1)
        return "Analysis";
    return "Stage " + std::to_string(index + 1);
}

// Linear interpolation of one column of a stage at `depth`; false outside its rows.
bool ValueAt(const std::vector<TResultRow>& rows, long double depth, long double TResultRow::*column, long double& v)
{
    if (rows.empty())
        return false;
    const long double tolerance = 1e-6L * std::max<long double>(1, std::fabs(rows.back().Depth));
    for (size_t i = 0; i < rows.size(); ++i) {
        if (std::fabs(rows[i].Depth - depth) <= tolerance) {
            v = rows[i].*column;
            return true;
        }
        if (i + 1 < rows.size() && rows[i].Depth < depth && depth < rows[i + 1].Depth) {
            const long double t = (depth - rows[i].Depth) / (rows[i + 1].Depth - rows[i].Depth);
            v = rows[i].*column + t * (rows[i + 1].*column - rows[i].*column);
            return true;
        }
    }
    return false;
}

std::string Csv(long double v) { return std::isnan(v) ? std::string() : FormatGeneral(v, 8); }

}  // namespace

TResultUnits ResultUnits(UnitSystem unitSystem)
{
    const QuantityLabels& l = QuantityLabelsOf(unitSystem);
    return {l.depth, l.length, l.resultMoment, l.resultForce, l.forcePerLength, l.forcePerLength};
}

bool ReadResultTables(const std::string& plotFile, bool longTerm, TResultSet& results, std::string& error)
{
    results = TResultSet();
    std::ifstream in(plotFile, std::ios::binary);
    if (!in) {
        error = "The plot data file " + plotFile + " cannot be read.";
        return false;
    }
    NumberStream numbers(std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    try {
        int sections = 1;
        for (int s = 0; s < sections; ++s) {
            const int np = numbers.Count(MaxPlotPoints, "earth-pressure points");
            std::vector<long double> pressure(static_cast<size_t>(np) * 4);
            for (long double& v : pressure)
                v = numbers.Real();
            const UnitSystem units = NormalizeUnitSystem(numbers.Count(3, "unit system"));
            results.UnitSystem = units;
            const int curves = numbers.Count(MaxPlotCurves, "p-y curves");
            for (int c = 0; c < curves; ++c) {
                numbers.Real();
                const int points = numbers.Count(MaxPlotPoints, "points of a p-y curve");
                for (int i = 0; i < 2 * points; ++i)
                    numbers.Real();
            }
            const int lines = numbers.Count(MaxPlotCurves, "result lines");
            if (s == 0)
                sections = std::max(1, lines);
            const int rows = numbers.Count(MaxPlotPoints, "result rows");
            numbers.Real();
            // English files hold depths in inches, moments in lb-in and shears in lb.
            const long double depth = units == UnitSystem::English ? 12 : 1,
                              force = units == UnitSystem::English ? 1000 : 1;
            TStageResults stage;
            for (int r = 0; r < rows; ++r) {
                TResultRow row;
                row.Depth = numbers.Real() / depth;
                row.Deflection = numbers.Real();
                row.Moment = numbers.Real() / force;
                row.Shear = numbers.Real() / force;
                row.Reaction = numbers.Real();
                // The pressures are given at the same nodes, when the counts agree.
                const bool paired = np == rows;
                row.Pressure = paired ? pressure[static_cast<size_t>(r) * 4 + 1] : NoValue;
                row.PressureSoils = paired ? pressure[static_cast<size_t>(r) * 4 + 2] : NoValue;
                row.PressureSurcharge = paired ? pressure[static_cast<size_t>(r) * 4 + 3] : NoValue;
                stage.Rows.push_back(row);
            }
            results.Stages.push_back(std::move(stage));
        }
    } catch (const std::runtime_error& e) {
        error = "The plot data file " + plotFile + " cannot be read: " + e.what() + ".";
        results.Stages.clear();
        return false;
    }
    const int count = static_cast<int>(results.Stages.size());
    for (int s = 0; s < count; ++s)
        results.Stages[static_cast<size_t>(s)].Name = SectionName(s, count, longTerm);
    return true;
}

bool ReadWallContext(const std::string& wallFile, TPlotReadContext& context, std::string& error)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(wallFile, ec)) {
        error = "The wall data file " + wallFile + " does not exist.";
        return false;
    }
    BatchHost host;
    std::vector<std::string> diagnostics;
    std::unique_ptr<TProgramData> wall =
        TProgramData::CreateFromFile(host, wallFile, LayoutForPath(wallFile), diagnostics);
    if (!diagnostics.empty()) {
        error = "The wall data file " + wallFile + " cannot be read: " + diagnostics.front();
        return false;
    }
    context = PlotReadContext(*wall);
    return true;
}

const char* const OlderResultsNote = "results older than the data file";
const char* const NotCurrentNote = "not current";

bool ResultsOlderThanData(const std::string& wallFile)
{
    namespace fs = std::filesystem;
    std::error_code plotError, wallError;
    const auto plot = fs::last_write_time(PlotFileName(wallFile), plotError);
    const auto wall = fs::last_write_time(wallFile, wallError);
    return !plotError && !wallError && plot < wall;
}

bool LoadResultTables(const std::string& wallFile, const TPlotReadContext& context, TResultSet& results,
                      std::string& error, bool acceptOlder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string plotFile = PlotFileName(wallFile);
    if (!fs::is_regular_file(plotFile, ec)) {
        error = "The wall " + wallFile + " has no results: analyse it first.";
        return false;
    }
    if (!acceptOlder && ResultsOlderThanData(wallFile)) {
        error = "The results of " + wallFile + " are older than the wall data file: analyse it again.";
        return false;
    }
    return ReadResultTables(plotFile, context.LongTermMarker == 9, results, error);
}

bool LoadResultTables(const std::string& wallFile, TResultSet& results, std::string& error)
{
    TPlotReadContext context;
    return ReadWallContext(wallFile, context, error) && LoadResultTables(wallFile, context, results, error);
}

std::vector<size_t> ReadableRows(const std::vector<TResultRow>& rows, size_t maxRows)
{
    std::vector<size_t> chosen;
    if (rows.size() <= maxRows || maxRows < 2) {
        for (size_t i = 0; i < rows.size(); ++i)
            chosen.push_back(i);
        return chosen;
    }
    const size_t step = (rows.size() - 1 + maxRows - 2) / (maxRows - 1);
    for (size_t i = 0; i < rows.size(); i += step)
        chosen.push_back(i);
    chosen.push_back(rows.size() - 1);
    for (long double TResultRow::*column :
         {&TResultRow::Deflection, &TResultRow::Moment, &TResultRow::Shear, &TResultRow::Reaction}) {
        auto less = [column](const TResultRow& a, const TResultRow& b) { return a.*column < b.*column; };
        chosen.push_back(static_cast<size_t>(std::max_element(rows.begin(), rows.end(), less) - rows.begin()));
        chosen.push_back(static_cast<size_t>(std::min_element(rows.begin(), rows.end(), less) - rows.begin()));
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    return chosen;
}

std::vector<TEnvelopeRow> StageEnvelope(const TResultSet& results)
{
    std::vector<TEnvelopeRow> envelope;
    const TStageResults* longest = nullptr;
    for (const TStageResults& s : results.Stages)
        if (!longest || s.Rows.size() > longest->Rows.size())
            longest = &s;
    if (!longest)
        return envelope;
    for (const TResultRow& at : longest->Rows) {
        TEnvelopeRow row;
        row.Depth = at.Depth;
        const std::pair<long double TResultRow::*, TEnvelopeValue TEnvelopeRow::*> columns[] = {
            {&TResultRow::Deflection, &TEnvelopeRow::Deflection},
            {&TResultRow::Moment, &TEnvelopeRow::Moment},
            {&TResultRow::Shear, &TEnvelopeRow::Shear}};
        for (const auto& [column, value] : columns) {
            TEnvelopeValue& e = row.*value;
            bool any = false;
            for (size_t s = 0; s < results.Stages.size(); ++s) {
                long double v = 0;
                if (!ValueAt(results.Stages[s].Rows, at.Depth, column, v))
                    continue;
                if (!any || v > e.Max) {
                    e.Max = v;
                    e.MaxStage = static_cast<int>(s);
                }
                if (!any || v < e.Min) {
                    e.Min = v;
                    e.MinStage = static_cast<int>(s);
                }
                any = true;
            }
        }
        envelope.push_back(row);
    }
    return envelope;
}

void FillEnvelopeGraph(TGraphPlot& graph, const std::vector<TEnvelopeRow>& envelope, UnitSystem unitSystem,
                       const std::string& basis)
{
    const TResultUnits u = ResultUnits(unitSystem);
    graph.Caption = "Stage Envelope";
    graph.CurveName = "Curve #";
    graph.XOnTop = true;
    graph.ShowThree = true;
    graph.ShowLegend = true;
    graph.XCaption = "Deflection (" + u.Deflection + ")";
    // The same label as the moment graph's.
    graph.XCaption2 = unitSystem == UnitSystem::Generic ? "Bending Moment (" + u.Moment + basis + ")"
                                                        : MomentAxisCaption(unitSystem == UnitSystem::English, basis);
    graph.XCaption3 = "Shear (" + u.Shear + basis + ")";
    graph.YCaption = graph.YCaption2 = graph.YCaption3 = "Depth (" + u.Depth + ")";
    graph.XUnits = graph.XUnits2 = graph.XUnits3 = graph.YUnits = "";
    graph.SetUnits(unitSystem);
    const int n = static_cast<int>(envelope.size());
    graph.SetLineCount(2);
    graph.SetLineCount2(2);
    graph.SetLineCount3(2);
    graph.SetPointCount(n);
    graph.SetPointCount2(n);
    graph.SetPointCount3(n);
    graph.Lines(0).Name = "Largest";
    graph.Lines(1).Name = "Smallest";
    for (int j = 0; j < n; ++j) {
        const TEnvelopeRow& r = envelope[static_cast<size_t>(j)];
        graph.Points(0, j) = {r.Deflection.Max, r.Depth};
        graph.Points(1, j) = {r.Deflection.Min, r.Depth};
        graph.Points2(0, j) = {r.Moment.Max, r.Depth};
        graph.Points2(1, j) = {r.Moment.Min, r.Depth};
        graph.Points3(0, j) = {r.Shear.Max, r.Depth};
        graph.Points3(1, j) = {r.Shear.Min, r.Depth};
    }
}

namespace {

// The utilisation columns of one row: "" when the wall has no section.
std::string UtilisationFields(const TResultRow& row, const TSectionSettings* section, long double force)
{
    std::string out;
    for (const std::optional<double> u :
         {section ? BendingUtilisation(static_cast<double>(row.Moment * force), *section) : std::nullopt,
          section ? ShearUtilisation(static_cast<double>(row.Shear * force), *section) : std::nullopt}) {
        out += ',';
        if (u)
            out += Csv(*u);
    }
    return out;
}

}  // namespace

std::string CsvField(const std::string& s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string q = "\"";
    for (char c : s)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

std::string ResultsCsv(const TResultSet& results)
{
    return ResultsCsv(results, TWallSettings::Defaults());
}

std::string ResultsCsv(const TResultSet& results, const TWallSettings& wallSettings)
{
    const TWallSettings settings = wallSettings.InFileUnits(results.UnitSystem);
    const bool sections = !settings.sections.empty();
    // The rows give moments in in-kips and shears in kips for English walls;
    // their sections are in lb and in.
    const long double force = results.UnitSystem == UnitSystem::English ? 1000 : 1;
    const TResultUnits u = ResultUnits(results.UnitSystem);
    std::string out = "Stage,Depth (" + u.Depth + "),Deflection (" + u.Deflection + "),Moment (" + u.Moment +
                      "),Shear (" + u.Shear + "),Soil reaction (" + u.Reaction + "),Total pressure (" + u.Pressure +
                      "),Pressure from soils (" + u.Pressure + "),Pressure from surcharges (" + u.Pressure + ")" +
                      (sections ? ",Bending utilisation (-),Shear utilisation (-)" : "") + "\r\n";
    for (const TStageResults& s : results.Stages) {
        const std::string name = CsvField(s.Name);
        for (std::size_t node = 0; node < s.Rows.size(); ++node) {
            const TResultRow& r = s.Rows[node];
            out += name;
            for (long double v : {r.Depth, r.Deflection, r.Moment, r.Shear, r.Reaction, r.Pressure, r.PressureSoils,
                                  r.PressureSurcharge}) {
                out += ',';
                out += Csv(v);
            }
            if (sections)
                out += UtilisationFields(r, settings.SectionAt(static_cast<int>(node)), force);
            out += "\r\n";
        }
    }
    return out;
}
