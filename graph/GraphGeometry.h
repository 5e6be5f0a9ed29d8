#pragma once
#include "graph/GraphPlot.h"

#include <optional>
#include <string>
#include <vector>

// The pure geometry of a graph: axis ranges, tick steps, the data-to-pixel
// mapping, layout rectangles, marker vertices, the palette, the legend entries
// and the bands of the soil-layer strip. The painter draws what these compute,
// and tests call them without drawing anything.

// A closed interval of data values along one axis.
struct TAxisRange {
    long double Min = 0;
    long double Max = 0;
};

// The ranges of one panel.
struct TPanelRange {
    TAxisRange X;
    TAxisRange Y;
};

// The ranges of the three panels (panels 2 and 3 matter only for three-panel graphs).
struct TGraphRanges {
    TPanelRange Panel[3];
};

// A pixel rectangle with inclusive edges, as the layout names them.
struct TPixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// A pixel position.
struct TPixelPoint {
    int X = 0;
    int Y = 0;
};

// Widens a degenerate extent by 0.01 each way and rounds both ends away from
// zero to the step below the range; no value when the step is zero or not finite.
std::optional<TAxisRange> RoundAxisRange(long double min, long double max);

// The full range of one list of curves (every point, active or not; 0 always included).
std::optional<TPanelRange> PanelRange(const TGraphPlot::LineList& lines);

// Full ranges of panel 1 (Lines), panel 2 (Lines2) and panel 3 (Lines3) from
// the curves drawn: the active curves of panel 1 and the curves at their
// positions in panels 2 and 3 (every curve when none is active). Values keep a
// margin from the frame, so that no curve lies on it; the depths of a depth
// plot do not. No value when any step comes out zero (the window then closes itself).
std::optional<TGraphRanges> GraphRanges(const TGraphPlot& plot);

// Tick positions of one axis: ticks at i x Minor for IMin <= i <= IMax; every
// fifth (i a multiple of 5) is a major tick with grid line and label.
struct TAxisTicks {
    bool Exists = false;  // false: the panel gets no grid, ticks or labels on this axis
    long double Major = 0;
    long double Minor = 0;
    long long IMin = 0;
    long long IMax = 0;
};

// Tick step of an axis spanning `pixelSpan` pixels, for text height `textHeight`
// and a spacing factor k (6 single-panel, 4 per panel of a three-panel graph).
TAxisTicks AxisTicks(const TAxisRange& range, int pixelSpan, int textHeight, int k);

// Maps data values of one panel to pixels and back.
struct TPanelMapping {
    TPixelRect Rect;
    TPanelRange Range;
    bool XOnTop = true;  // y grows downwards from the top edge

    // Pixel column of x.
    int X(long double x) const;
    // Pixel row of y.
    int Y(long double y) const;
    // Data x of a pixel column (the linear inverse of X).
    long double DataX(int px) const;
    // Data y of a pixel row.
    long double DataY(int py) const;
};

// Where the graph is drawn; the layout differs by target.
enum class TPlotTarget { Screen, Bitmap, Printer };

// What the layout needs to know of the target.
struct TLayoutInput {
    TPlotTarget Target = TPlotTarget::Screen;
    TPixelRect Client;    // (0, 0, W, Hc) on screen and bitmap; the page less margins on paper
    int TextHeight = 14;  // H: the scaled font height in pixels
    int Px = 96;          // pixels per inch, horizontally
    int Py = 96;          // pixels per inch, vertically
    // Width in pixels of the widest depth (y tick) label written upright; 0 when
    // the labels read upwards and need one text height.
    int UprightLabelWidth = 0;
};

// The rectangles of a graph.
struct TPlotLayout {
    TPixelRect Plot;       // the plotting rectangle (L, T, R, B)
    bool HasStrip = false;
    TPixelRect Strip;      // the soil-layer strip, when ShowLayers
    int PanelCount = 1;    // 1, or 3 for the three-panel layout
    TPixelRect Panels[3];  // panel rectangles; Panels[0] = Plot for one panel
};

// The plotting rectangle, strip and panels of `plot` for a target.
TPlotLayout ComputeLayout(const TGraphPlot& plot, const TLayoutInput& in);

// H = |base font height x SizeFont / 10| in whole pixels.
int ScaledTextHeight(int baseFontPixels, int sizeFont);

// The curve pen width: (n + 1) x WidthLine, n = Px / 300 rounded half to even.
int CurvePenWidth(int px, int widthLine);

// The vertices of the marker of the curve at `index` in its list around (x, y),
// radii rx and ry; the outline joins them in order (the last closes it).
std::vector<TPixelPoint> MarkerVertices(int index, int x, int y, int rx, int ry);

// The same vertices as offsets from the point, rounded; the same for every
// point of a curve, so drawing computes them once per curve.
std::vector<TPixelPoint> MarkerOffsets(int index, int rx, int ry);

// A colour of the curve palette.
struct TRgb {
    int R = 0;
    int G = 0;
    int B = 0;
};

// Palette entry c mod 17 (17 entries; grey and silver appear twice).
TRgb PaletteColor(int c);

// How curve c's line is drawn: the palette's 17 colours solid, then the same
// colours dashed, dotted and dash-dotted, so that curves beyond the palette
// (a p-y graph shows up to 20) never look like an earlier one.
enum class TCurveDash { Solid, Dash, Dot, DashDot };
TCurveDash CurveDash(int c);

// The colour of legend text for palette entry c: the entry itself, or for a
// light one (yellow, lime, cyan, silver) the same hue darkened until it reads on white.
TRgb LegendTextColor(int c);

// How many curves a new graph window activates when LegendLimit is set.
constexpr int LegendCurveLimit = 20;

// What a new graph window does to the curve flags: every panel-1 curve becomes
// active, except curves 20 onwards when LegendLimit is set and there are more.
void ActivateCurves(TGraphPlot& plot);

// One entry of the legend: a panel-1 curve and its text.
struct TLegendEntry {
    int Curve = 0;     // index in panel 1's list
    std::string Text;  // GetName, replaced by onGetCaption when assigned
};

// The legend entries: every active panel-1 curve, in order. An entry's
// position is its colour number.
std::vector<TLegendEntry> LegendEntries(const TGraphPlot& plot);

// One rectangle of the soil-layer strip, edges exclusive at right and bottom
// as a filled outline: pixels Left..Right-1, Top..Bottom-1.
struct TStripBand {
    int Entry = 0;       // layer entry it belongs to
    int Code = 0;        // fill code (1..12; other values: outline only)
    bool IsWall = false; // the grey wall bar
    bool Labelled = false;  // the entry's name is written centred in it
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// The bands of the soil-layer strip in drawing order; empty when nothing is drawn.
// `panel1` maps depths to rows; `plotBottom` limits the bands without the wall.
std::vector<TStripBand> SoilStripBands(const TGraphPlot& plot, const TPixelRect& strip,
                                       const TPanelMapping& panel1, int plotBottom);
