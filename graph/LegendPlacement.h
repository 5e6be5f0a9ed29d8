#pragma once
#include "graph/GraphGeometry.h"

#include <vector>

// Where a graph puts its legend, in the window and on a picture: in a corner
// of the plotting rectangle, the lower right that most graphs leave free, or
// else the corner that hides the fewest of the curves' points (the p-y curves
// fill the lower right, and so do the pore pressures of a wall in flowing water).

struct TLegendPlace {
    int X = 0, Y = 0;  // the legend's top left corner
    bool operator==(const TLegendPlace& o) const { return X == o.X && Y == o.Y; }
};

// A legend `width` x `height` pixels in a corner of `plot`: the lower right
// unless another corner covers fewer of `points` (pixel positions of the
// curves' points); of equal corners the first of lower right, upper right,
// upper left, lower left.
TLegendPlace LeastCoveringCorner(const TPixelRect& plot, int width, int height, const std::vector<TPixelPoint>& points);

// The pixels of the active, visible curves of `plot` under `mapping`: their
// points and the segments between them, every few pixels.
std::vector<TPixelPoint> CurvePixels(const TGraphPlot& plot, const TPanelMapping& mapping);
