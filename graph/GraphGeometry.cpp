#include "graph/GraphGeometry.h"

#include "units/Constants.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Relative tolerance for "is this quotient an integer": range ends and tick
// positions are multiples of a decimal step that binary floats hold inexactly.
constexpr long double IntegerTolerance = 1e-9L;

long double NearInteger(long double v)
{
    const long double r = std::round(v);
    return std::fabs(v - r) <= IntegerTolerance * std::max(1.0L, std::fabs(v)) ? r : v;
}

// Rounds away from zero to the next integer: ceiling for positive values, floor otherwise.
long double AwayFromZero(long double v)
{
    v = NearInteger(v);
    return v > 0 ? std::ceil(v) : std::floor(v);
}

// Keeps pixel coordinates of far-away points inside what a painter can handle.
int ClampPixel(long double v)
{
    constexpr long double limit = 1e7L;
    return static_cast<int>(std::llround(std::clamp(v, -limit, limit)));
}

void Extend(long double v, long double& min, long double& max)
{
    if (v < min)
        min = v;
    else if (v > max)
        max = v;
}

}  // namespace

std::optional<TAxisRange> RoundAxisRange(long double min, long double max)
{
    if (max == min) {
        max += 0.01L;
        min -= 0.01L;
    }
    const long double a = std::log10(max - min);
    if (!std::isfinite(a))
        return std::nullopt;
    const long double whole = std::floor(a);
    long double step = std::pow(10.0L, whole);
    if (a - whole < std::log10(3.0L))
        step /= 10;
    if (!(step > 0) || !std::isfinite(step))
        return std::nullopt;
    return TAxisRange{step * AwayFromZero(min / step), step * AwayFromZero(max / step)};
}

namespace {

// A range rounded so that no value but zero lies on its ends: a curve drawn
// on the frame of the graph cannot be told from the frame.
std::optional<TAxisRange> RangeWithMargin(long double min, long double max, bool margin)
{
    const long double gap = margin ? 0.03L * (max - min) : 0;
    return RoundAxisRange(min < 0 ? min - gap : min, max > 0 ? max + gap : max);
}

// The range of the curves of a list that `counted` accepts (by position),
// every curve when it accepts none.
std::optional<TPanelRange> CountedRange(const TGraphPlot::LineList& lines, const std::function<bool(size_t)>& counted,
                                        bool xMargin, bool yMargin)
{
    bool any = false;
    for (size_t i = 0; i < lines.size() && !any; ++i)
        any = counted(i) && !lines[i]->Points.empty();
    long double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (any && !counted(i))
            continue;
        for (const TFloatPoint& p : lines[i]->Points) {
            Extend(p.X, xMin, xMax);
            Extend(p.Y, yMin, yMax);
        }
    }
    const auto y = RangeWithMargin(yMin, yMax, yMargin);
    const auto x = RangeWithMargin(xMin, xMax, xMargin);
    if (!x || !y)
        return std::nullopt;
    return TPanelRange{*x, *y};
}

}  // namespace

std::optional<TPanelRange> PanelRange(const TGraphPlot::LineList& lines)
{
    return CountedRange(lines, [](size_t) { return true; }, false, false);
}

std::optional<TGraphRanges> GraphRanges(const TGraphPlot& plot)
{
    // The curves drawn: the active ones of panel 1, and those at the same
    // positions in panels 2 and 3. Values keep a margin from the frame; depths
    // (the vertical axis of a depth plot) end at the wall's ends.
    const auto active = [&plot](size_t i) {
        return static_cast<int>(i) >= plot.LineCount() || plot.Lines(static_cast<int>(i)).Active;
    };
    const bool yMargin = !plot.XOnTop;
    const auto p1 = CountedRange(plot.LineList1(), active, true, yMargin);
    const auto p2 = CountedRange(plot.LineList2(), active, true, yMargin);
    const auto p3 = CountedRange(plot.LineList3(), active, true, yMargin);
    if (!p1 || !p2 || !p3)
        return std::nullopt;
    TGraphRanges ranges;
    ranges.Panel[0] = *p1;
    ranges.Panel[1] = *p2;
    ranges.Panel[2] = *p3;
    return ranges;
}

TAxisTicks AxisTicks(const TAxisRange& range, int pixelSpan, int textHeight, int k)
{
    TAxisTicks ticks;
    const int spacing = k * textHeight;
    const int n = spacing > 0 ? std::abs(pixelSpan) / spacing : 0;
    const long double width = range.Max - range.Min;
    if (n == 0 || !(width > 0) || !std::isfinite(width))
        return ticks;
    const long double raw = width / n;
    const long double g = std::pow(10.0L, std::floor(std::log10(raw)));
    const long long m = static_cast<long long>(std::trunc(NearInteger(raw / g)));
    ticks.Major = m < 2 ? g : m < 5 ? 2 * g : m < 9 ? 5 * g : 10 * g;
    ticks.Minor = ticks.Major / 5;
    // The smallest i <= 0 with i x minor >= min and the largest i >= 0 with
    // i x minor <= max, computed directly rather than by stepping from 0.
    ticks.IMin = std::min(0LL, static_cast<long long>(std::ceil(NearInteger(range.Min / ticks.Minor))));
    ticks.IMax = std::max(0LL, static_cast<long long>(std::floor(NearInteger(range.Max / ticks.Minor))));
    ticks.Exists = true;
    return ticks;
}

int TPanelMapping::X(long double x) const
{
    const long double span = Range.X.Max - Range.X.Min;
    return ClampPixel(Rect.Left + std::round((x - Range.X.Min) / span * (Rect.Right - Rect.Left)));
}

int TPanelMapping::Y(long double y) const
{
    const long double span = Range.Y.Max - Range.Y.Min;
    const long double py0 = std::round((y - Range.Y.Min) / span * (Rect.Bottom - Rect.Top));
    return ClampPixel(XOnTop ? Rect.Top + py0 : Rect.Bottom - py0);
}

long double TPanelMapping::DataX(int px) const
{
    const int width = Rect.Right - Rect.Left;
    if (width == 0)
        return Range.X.Min;
    return Range.X.Min + static_cast<long double>(px - Rect.Left) / width * (Range.X.Max - Range.X.Min);
}

long double TPanelMapping::DataY(int py) const
{
    const int height = Rect.Bottom - Rect.Top;
    if (height == 0)
        return Range.Y.Min;
    const int py0 = XOnTop ? py - Rect.Top : Rect.Bottom - py;
    return Range.Y.Min + static_cast<long double>(py0) / height * (Range.Y.Max - Range.Y.Min);
}

int ScaledTextHeight(int baseFontPixels, int sizeFont)
{
    return std::abs(baseFontPixels * sizeFont / 10);
}

int CurvePenWidth(int px, int widthLine)
{
    const int n = static_cast<int>(std::nearbyint(px / 300.0));  // default rounding: half to even
    return (n + 1) * widthLine;
}

TPlotLayout ComputeLayout(const TGraphPlot& plot, const TLayoutInput& in)
{
    const int H = in.TextHeight, Px = in.Px, Py = in.Py;
    const TPixelRect& c = in.Client;
    const bool printer = in.Target == TPlotTarget::Printer;
    const int labelRoom = in.UprightLabelWidth > 0 ? in.UprightLabelWidth : H;
    const int axisBand = H + labelRoom + Px / 8 + H / 8;  // room for a caption and the tick labels
    TPixelRect r;
    if (printer) {
        r.Left = c.Left + axisBand;
        r.Right = c.Right;
        r.Top = plot.XOnTop ? c.Top + axisBand : c.Top;
        r.Bottom = plot.XOnTop ? c.Bottom : c.Bottom - axisBand;
    } else {
        r.Left = axisBand;
        r.Right = c.Right - Px / 4 - H / 2;
        r.Top = c.Top + (plot.XOnTop ? 2 * H + Py / 8 + H / 8 : H / 2 + Py / 4);
        r.Bottom = plot.XOnTop ? c.Bottom - Py / 4 - H / 2 : c.Bottom - 2 * H - Py / 8 - H / 8;
    }
    if (!plot.GraphTitle.empty()) {
        // A bitmap makes room for the title as the screen does, so that the
        // title never overwrites the x caption or the tick labels.
        if (plot.GraphTitleOnTop)
            r.Top += printer ? Py / 4 : H / 8 + H;
        else
            r.Bottom -= printer ? Py / 2 : H;
    }
    TPlotLayout layout;
    if (plot.ShowLayers) {
        const int oldRight = r.Right;
        r.Right -= in.Target == TPlotTarget::Bitmap ? Px / 2 : Px;
        layout.HasStrip = true;
        layout.Strip = TPixelRect{r.Right + Px / 5, r.Top, oldRight, r.Bottom};
    }
    layout.Plot = r;
    layout.Panels[0] = r;
    if (plot.ShowThree) {
        const int gap = H + labelRoom + Px / 4;
        const int pw = (r.Right - r.Left - 2 * (H + labelRoom) - Px / 2) / 3;
        layout.PanelCount = 3;
        layout.Panels[0] = TPixelRect{r.Left, r.Top, r.Left + pw, r.Bottom};
        layout.Panels[1] = TPixelRect{layout.Panels[0].Right + gap, r.Top, layout.Panels[0].Right + gap + pw, r.Bottom};
        layout.Panels[2] = TPixelRect{layout.Panels[1].Right + gap, r.Top, r.Right, r.Bottom};
    }
    return layout;
}

std::vector<TPixelPoint> MarkerOffsets(int index, int rx, int ry)
{
    std::vector<TPixelPoint> offsets;
    auto add = [&](long double degrees) {
        const long double a = degrees * kPiLong / 180;
        offsets.push_back({static_cast<int>(std::lround(std::sin(a) * rx)),
                           -static_cast<int>(std::lround(std::cos(a) * ry))});
    };
    if (index <= 0) {
        for (int k = 0; k <= 3; ++k)
            add(k * 120.0L + 180);
    } else if (index == 1) {
        for (int k = 0; k <= 4; ++k)
            add(k * 90.0L + 45);
    } else {
        for (int k = 0; k <= index + 1; ++k)
            add(k * 360.0L / (index + 1));
    }
    return offsets;
}

std::vector<TPixelPoint> MarkerVertices(int index, int x, int y, int rx, int ry)
{
    std::vector<TPixelPoint> vertices = MarkerOffsets(index, rx, ry);
    for (TPixelPoint& v : vertices) {
        v.X += x;
        v.Y += y;
    }
    return vertices;
}

TRgb PaletteColor(int c)
{
    static const TRgb palette[17] = {
        {0, 0, 0},     {0, 0, 255},   {255, 0, 0},     {0, 128, 0},     {128, 0, 128},   {128, 0, 0},
        {0, 0, 128},   {255, 0, 255}, {128, 128, 0},   {0, 128, 128},   {128, 128, 128}, {0, 255, 0},
        {128, 128, 128}, {192, 192, 192}, {192, 192, 192}, {255, 255, 0}, {0, 255, 255}};
    return palette[((c % 17) + 17) % 17];
}

TCurveDash CurveDash(int c)
{
    static const TCurveDash dashes[4] = {TCurveDash::Solid, TCurveDash::Dash, TCurveDash::Dot, TCurveDash::DashDot};
    return dashes[(std::max(c, 0) / 17) % 4];
}

TRgb LegendTextColor(int c)
{
    const TRgb rgb = PaletteColor(c);
    // Luma of the colour, 0 (black) to 1 (white); above the limit the colour
    // is scaled down to it, keeping its hue.
    constexpr double Limit = 0.42;
    const double luma = (0.299 * rgb.R + 0.587 * rgb.G + 0.114 * rgb.B) / 255.0;
    if (luma <= Limit)
        return rgb;
    const double k = Limit / luma;
    return {static_cast<int>(rgb.R * k), static_cast<int>(rgb.G * k), static_cast<int>(rgb.B * k)};
}

void ActivateCurves(TGraphPlot& plot)
{
    const bool limit = plot.LegendLimit && plot.LineCount() > LegendCurveLimit;
    for (int i = 0; i < plot.LineCount(); ++i)
        plot.Lines(i).Active = !(limit && i >= LegendCurveLimit);
}

std::vector<TLegendEntry> LegendEntries(const TGraphPlot& plot)
{
    std::vector<TLegendEntry> entries;
    for (int i = 0; i < plot.LineCount(); ++i) {
        const TLine& line = plot.Lines(i);
        if (!line.Active)
            continue;
        std::string text = line.GetName();
        if (plot.onGetCaption)
            plot.onGetCaption(i, text);
        entries.push_back({i, std::move(text)});
    }
    return entries;
}
