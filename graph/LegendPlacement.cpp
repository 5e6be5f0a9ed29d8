#include "graph/LegendPlacement.h"

#include <algorithm>
#include <cstdlib>

TLegendPlace LeastCoveringCorner(const TPixelRect& plot, int width, int height, const std::vector<TPixelPoint>& points)
{
    const TLegendPlace corners[4] = {{plot.Right - width, plot.Bottom - height},
                                     {plot.Right - width, plot.Top},
                                     {plot.Left, plot.Top},
                                     {plot.Left, plot.Bottom - height}};
    TLegendPlace best = corners[0];
    long covered = -1;
    for (const TLegendPlace& c : corners) {
        long n = 0;
        for (const TPixelPoint& p : points)
            n += p.X >= c.X && p.X < c.X + width && p.Y >= c.Y && p.Y < c.Y + height;
        if (covered < 0 || n < covered) {
            best = c;
            covered = n;
        }
    }
    return best;
}

std::vector<TPixelPoint> CurvePixels(const TGraphPlot& plot, const TPanelMapping& m)
{
    std::vector<TPixelPoint> pixels;
    for (int i = 0; i < plot.LineCount(); ++i) {
        const TLine& line = plot.Lines(i);
        if (!line.Active || !line.Visible)
            continue;
        for (size_t j = 0; j < line.Points.size(); ++j) {
            const TPixelPoint b{m.X(line.Points[j].X), m.Y(line.Points[j].Y)};
            if (j > 0) {
                const TPixelPoint a = pixels.back();
                const int steps = std::min(200, std::max(std::abs(b.X - a.X), std::abs(b.Y - a.Y)) / 4);
                for (int k = 1; k < steps; ++k)
                    pixels.push_back({a.X + (b.X - a.X) * k / steps, a.Y + (b.Y - a.Y) * k / steps});
            }
            pixels.push_back(b);
        }
    }
    return pixels;
}
