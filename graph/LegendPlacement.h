#pragma once
#include "graph/GraphGeometry.h"

#include <vector>

// Where a graph window puts its legend when it lays the graph out: in a
// corner of the plotting rectangle. A graph whose curves run from its origin
// up and down to the right (the p-y curves) often fills the lower right
// corner that depth graphs leave free; its legend goes to the corner that
// hides the fewest of its points.

struct TLegendPlace {
    int X = 0, Y = 0;  // the legend's top left corner
    bool operator==(const TLegendPlace& o) const { return X == o.X && Y == o.Y; }
};

// A legend `width` x `height` pixels in a corner of `plot`: the lower right
// unless another corner covers fewer of `points` (pixel positions of the
// curves' points); of equal corners the first of lower right, upper right,
// upper left, lower left.
TLegendPlace LeastCoveringCorner(const TPixelRect& plot, int width, int height, const std::vector<TPixelPoint>& points);
