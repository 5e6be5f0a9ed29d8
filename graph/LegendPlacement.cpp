#include "graph/LegendPlacement.h"

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
