#pragma once
#include "graph/GraphGeometry.h"

#include <QColor>
#include <QFont>
#include <QImage>

class QPainter;
class QPaintDevice;

// What one rendering of a graph needs besides the graph itself.
struct TGraphRenderOptions {
    TPlotTarget Target = TPlotTarget::Screen;
    TPixelRect Client;    // the client rectangle (the page less margins on paper)
    int Px = 96;          // pixels per inch horizontally (a bitmap keeps the window's)
    int Py = 96;          // pixels per inch vertically
    TGraphRanges Ranges;  // current ranges of the three panels (zoomed or full)
    // Height in pixels of the unscaled font; 0 takes 14 on screen and 8 points
    // at the painted device's resolution on printer and bitmap targets.
    int BaseFontPixels = 0;
    // Depth labels written upright (the calculation report) instead of upwards.
    bool UprightDepthLabels = false;
};

// The complete drawing of a graph with QPainter, on any paint device: the
// screen, a printer page, an image, an SVG or PDF file. One routine serves all
// targets; the target only changes the layout and whether the legend box is drawn.
class TGraphPainter {
public:
    // Renders `plot` with `options` onto the painter's device.
    static void Render(QPainter& painter, const TGraphPlot& plot, const TGraphRenderOptions& options);

    // The unscaled font height for a target on a device (see BaseFontPixels).
    static int BaseFontPixels(TPlotTarget target, const QPaintDevice& device);

    // The layout input of a rendering (H scaled by SizeFont), for the window's
    // mouse handling and zoom, which must agree with the drawing.
    static TLayoutInput LayoutInput(const TGraphPlot& plot, const TGraphRenderOptions& options,
                                    const QPaintDevice& device);

    // The graph font: Times New Roman (or the nearest serif face) of `pixels` height.
    static QFont GraphFont(int pixels, bool bold);

    // Palette entry c mod 17 as a QColor.
    static QColor Color(int c);

    // The pen style of curve c (CurveDash).
    static Qt::PenStyle Dash(int c);

    // The picture of a fill code 1..12 tiled as a brush: the screen or the
    // larger print version; a null image for codes without a picture (the hatches).
    static QImage FillPattern(int code, bool print);
};
