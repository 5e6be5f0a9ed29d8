#pragma once
#include "graph/GraphGeometry.h"

#include <QImage>
#include <QString>

// Saving a graph to a file as the graph window saves it: the bitmap layout
// with the legend box, sized in inches at a given resolution.
class TGraphExport {
public:
    // The graph rendered into an RGB image of width x height inches at `ppi`,
    // with the given current ranges.
    static QImage RenderImage(const TGraphPlot& plot, const TGraphRanges& ranges, double widthInches,
                              double heightInches, int ppi);

    // Writes the graph to `path`; the format follows the extension: .bmp, .png
    // (bitmaps), .svg (QSvgGenerator) or .pdf (QPdfWriter). Returns false and
    // sets `error` when the extension is unknown or the file cannot be written.
    static bool Save(const TGraphPlot& plot, const TGraphRanges& ranges, const QString& path, double widthInches,
                     double heightInches, int ppi, QString* error);
};
