#pragma once
#include "graph/GraphGeometry.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

// Saving a graph to a file as the graph window saves it: the bitmap layout
// with the legend box, sized in inches at a given resolution. Other pictures
// (the profile view) are saved through the same formats with a drawing routine.
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

    // Draws a picture on a painter whose device has the given size in pixels.
    using Renderer = std::function<void(QPainter& painter, QSize pixels)>;
    // Writes the picture that `render` draws, width x height inches at `ppi`,
    // to `path` in the format of its extension as above (bitmaps on white);
    // `title` names an SVG or PDF document. False and `error` as above.
    static bool Save(const QString& path, double widthInches, double heightInches, int ppi, const QString& title,
                     const Renderer& render, QString* error);
};
