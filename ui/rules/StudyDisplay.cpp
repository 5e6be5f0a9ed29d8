#include "ui/rules/StudyDisplay.h"

#include "units/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace {

// The column of `output`, or -1.
int OutputIndex(const study::StudyResult& result, const std::string& output)
{
    for (std::size_t i = 0; i < result.outputs.size(); ++i)
        if (result.outputs[i].name == output)
            return static_cast<int>(i);
    return -1;
}

bool EndsWith(const std::string& s, const std::string& end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// The names ending in `end`; `first` (the output over every stage), when among them, leads.
std::vector<std::string> NamesEndingIn(const std::vector<study::Column>& outputs, const std::string& end,
                                       const std::string& first)
{
    std::vector<std::string> out;
    for (const study::Column& c : outputs)
        if (EndsWith(c.name, end))
            out.insert(c.name == first ? out.begin() : out.end(), c.name);
    return out;
}

std::string Duration(double seconds)
{
    const long s = std::lround(std::max(0.0, seconds));
    if (s < 60)
        return std::to_string(s) + " s";
    const long rest = s % 60;
    return std::to_string(s / 60) + " min " + (rest < 10 ? "0" : "") + std::to_string(rest) + " s";
}

}  // namespace

TornadoChartData TornadoOf(const study::StudyResult& result, const std::string& output)
{
    TornadoChartData out;
    const int column = OutputIndex(result, output);
    if (column < 0)
        return out;
    for (const study::Row& row : result.rows)
        if (row.index == 0 && static_cast<std::size_t>(column) < row.outputs.size())
            out.base = row.outputs[static_cast<std::size_t>(column)];
    for (const study::Swing& s : result.summary.swings)
        if (s.output == output && s.atLow && s.atHigh)
            out.bars.push_back({s.parameter, *s.atLow, *s.atHigh, std::fabs(*s.atHigh - *s.atLow)});
    std::stable_sort(out.bars.begin(), out.bars.end(),
                     [](const TornadoBar& a, const TornadoBar& b) { return a.swing > b.swing; });
    return out;
}

std::vector<double> OutputValues(const study::StudyResult& result, const std::string& output)
{
    std::vector<double> out;
    const int column = OutputIndex(result, output);
    if (column < 0)
        return out;
    for (const study::Row& row : result.rows)
        if (static_cast<std::size_t>(column) < row.outputs.size() && row.outputs[static_cast<std::size_t>(column)])
            out.push_back(*row.outputs[static_cast<std::size_t>(column)]);
    return out;
}

std::vector<HistogramBin> HistogramOf(const std::vector<double>& values, int bins)
{
    if (values.empty() || bins < 1)
        return {};
    const auto [least, largest] = std::minmax_element(values.begin(), values.end());
    const double low = *least, high = *largest;
    if (!(high > low))
        return {{low, high, static_cast<long>(values.size())}};
    std::vector<HistogramBin> out(static_cast<std::size_t>(bins));
    const double width = (high - low) / bins;
    for (int i = 0; i < bins; ++i)
        out[static_cast<std::size_t>(i)] = {low + i * width, i + 1 == bins ? high : low + (i + 1) * width, 0};
    for (double v : values) {
        const int i = std::min(bins - 1, static_cast<int>((v - low) / width));
        ++out[static_cast<std::size_t>(std::max(0, i))].count;
    }
    return out;
}

int HistogramBinCount(std::size_t n)
{
    return std::clamp(static_cast<int>(std::lround(std::sqrt(static_cast<double>(n)))), 5, 40);
}

std::vector<std::string> SafetyFactorOutputs(const std::vector<study::Column>& outputs)
{
    return NamesEndingIn(outputs, " F", "lowest F");
}

std::vector<std::string> MomentOutputs(const std::vector<study::Column>& outputs)
{
    return NamesEndingIn(outputs, "largest moment", "largest moment");
}

std::string OutputCaption(const study::Column& column)
{
    return column.unit.empty() ? column.name : column.name + " (" + column.unit + ")";
}

std::string ProgressText(const study::Progress& p)
{
    std::string text = std::to_string(p.done) + " of " + std::to_string(p.total) + " analyses";
    if (p.perSecond > 0)
        text += ", " + FormatGeneral(p.perSecond, 3) + " per second, " + Duration(p.secondsLeft) + " left";
    return text;
}

std::string FailureText(const study::FailureProbability& f)
{
    return "pf = " + FormatGeneral(f.pf, 3) + " (95 % confidence " + FormatGeneral(f.low95, 3) + " to " +
           FormatGeneral(f.high95, 3) + "), β = " + (f.beta ? FormatGeneral(*f.beta, 3) : std::string("not defined")) +
           "; " + std::to_string(f.failures) + " of " + std::to_string(f.realisations) + " realisations failed";
}
