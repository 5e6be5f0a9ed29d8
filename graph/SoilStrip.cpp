// The bands of the soil-layer strip beside a depth graph: one band per layer
// without the wall; with the wall, the retained soil on the left, the wall bar
// in the middle fifth and the soil below the excavation on the right.
#include "graph/GraphGeometry.h"

#include <algorithm>

namespace {

long double EntryDepth(const TGraphPlot& plot, int i)
{
    const TLine& entry = plot.Layers(i);
    return entry.Points.empty() ? 0 : entry.Points.front().Y;
}

int EntryCode(const TGraphPlot& plot, int i)
{
    const TLine& entry = plot.Layers(i);
    return entry.Points.empty() ? 0 : static_cast<int>(entry.Points.front().X);
}

// Without the wall: the layers one below the other across the whole strip.
void LayerBands(const TGraphPlot& plot, int n, const TPixelRect& s, const TPanelMapping& map, int plotBottom,
                std::vector<TStripBand>& bands)
{
    int previous = s.Top;
    for (int i = 0; i < n; ++i) {
        const TLine& entry = plot.Layers(i);
        const int count = entry.PointCount();
        for (int j = 0; j < count; ++j) {
            const TFloatPoint& p = entry.Points[static_cast<size_t>(j)];
            const int y = std::min(map.Y(p.Y), plotBottom);
            const bool last = i == n - 1 && j == count - 1;
            // Bands overlap by one pixel so that neighbours share their border.
            bands.push_back({i, static_cast<int>(p.X), false, true, s.Left, previous, s.Right - 1, last ? y : y + 1});
            previous = y;
        }
    }
}

// With the wall: layers above the excavation on the retained side only, the
// layer cut by the excavation on both sides, deeper layers across the strip.
void WallBands(const TGraphPlot& plot, int n, const TPixelRect& s, const TPanelMapping& map,
               std::vector<TStripBand>& bands)
{
    const int w = s.Right - s.Left;
    const int wallEntry = plot.WallLineCount;
    const int retainedRight = s.Left + 2 * w / 5;
    const int excavatedLeft = s.Left + 3 * w / 5;
    const int right = s.Right - 1;
    const int e = map.Y(EntryDepth(plot, wallEntry + 1));
    for (int i = 0; i < n; ++i) {
        const int y = map.Y(EntryDepth(plot, i));
        if (i == wallEntry) {
            bands.push_back({i, 0, true, false, retainedRight, s.Top, excavatedLeft, y});
            continue;
        }
        const int code = EntryCode(plot, i);
        const int above = i == 0 ? s.Top : map.Y(EntryDepth(plot, i - 1));
        const int bottom = i == wallEntry - 1 ? y : y + 1;
        if (e > y) {
            bands.push_back({i, code, false, false, s.Left, above, retainedRight, bottom});
        } else if (i >= 1 && e <= above) {
            bands.push_back({i, code, false, false, s.Left, above, right, bottom});
        } else {
            bands.push_back({i, code, false, false, s.Left, above, retainedRight, bottom});
            bands.push_back({i, code, false, false, excavatedLeft, e, right, bottom});
        }
    }
}

}  // namespace

std::vector<TStripBand> SoilStripBands(const TGraphPlot& plot, const TPixelRect& strip,
                                       const TPanelMapping& panel1, int plotBottom)
{
    std::vector<TStripBand> bands;
    if (plot.LayerCount() == 0 || plot.Layers(0).PointCount() == 0)
        return bands;
    const int wallEntry = plot.WallLineCount;
    const bool hasWall = wallEntry > 0 && plot.LayerCount() >= wallEntry + 2;
    if (hasWall && plot.ShowWall) {
        WallBands(plot, plot.LayerCount() - 1, strip, panel1, bands);
        return bands;
    }
    const int n = wallEntry > 0 ? std::min(wallEntry, plot.LayerCount()) : plot.LayerCount();
    LayerBands(plot, n, strip, panel1, plotBottom, bands);
    return bands;
}
