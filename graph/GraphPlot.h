#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "units/Units.h"

class TGraphPlot;

// One point of a curve; a new point is (0, 0).
struct TFloatPoint {
    long double X = 0;
    long double Y = 0;
};

// One curve (data series) of a graph, or one soil-layer entry of its strip.
class TLine {
public:
    // A curve of `owner`; its Value is 1 + the number of panel-1 curves the owner holds now.
    explicit TLine(TGraphPlot* owner);

    std::vector<TFloatPoint> Points;  // the curve's points, in drawing order
    long double Value = 1;            // used only in the default name
    std::string Name;                 // own legend text; empty means the default name
    bool Visible = true;              // drawn only when set; toggled in the graph window
    bool Active = true;               // listed in the legend and menu, may be drawn

    // Number of points.
    int PointCount() const { return static_cast<int>(Points.size()); }
    // Gives the curve exactly n points (negative taken as 0); new points are (0, 0).
    void SetPointCount(int n);
    // Point i; an index outside the points throws std::out_of_range.
    TFloatPoint& Point(int i) { return Points.at(static_cast<size_t>(i)); }
    const TFloatPoint& Point(int i) const { return Points.at(static_cast<size_t>(i)); }
    // The legend text: Name, else the preset name of its panel-1 position, else CurveName + Value.
    std::string GetName() const;
    // The graph that owns the curve.
    TGraphPlot* Owner() const { return owner_; }

private:
    TGraphPlot* owner_;
};

// The graph window of a graph, as the core sees it. The GUI provides the real
// window through each graph's SetWindowFactory, so the core stays free of Qt.
class TGraphWindow {
public:
    virtual ~TGraphWindow() = default;
    // Shows the window, restoring it to normal size when it is minimised.
    virtual void ShowWindow() = 0;
    // The graph's curves were read anew: the window recomputes its ranges,
    // legend and curve commands and redraws (or closes when nothing can be drawn).
    virtual void Reload() {}
};

// Creates the graph window of a graph (the GUI installs one in each graph it shows).
using TGraphWindowFactory = std::function<std::unique_ptr<TGraphWindow>(TGraphPlot&)>;

// Lets the owner replace a curve's legend text: (index of the panel-1 curve, text).
using TGetCaptionEvent = std::function<void(int index, std::string& value)>;

// One result graph: its curves (one or three panels), soil-layer entries,
// captions, unit templates and display settings. Display settings live here so
// that they survive closing and reopening the graph window.
class TGraphPlot {
public:
    using LineList = std::vector<std::unique_ptr<TLine>>;

    TGraphPlot();
    ~TGraphPlot();
    TGraphPlot(const TGraphPlot&) = delete;
    TGraphPlot& operator=(const TGraphPlot&) = delete;

    std::string Caption;                   // graph name, print job title, window title prefix
    std::string Name;  // what windows and screen readers call the graph (Caption when empty)
    std::string Note;                      // shown after the window title and under the legend (older results)
    std::string Banner;                    // a sentence over the graph (why its results are not current); empty: none
    std::string CurveName = "Curve #";     // prefix of default curve names
    std::string XCaption, YCaption;        // axis captions of panel 1
    std::string XUnits, YUnits;            // unit templates of panel 1
    std::string XCaption2, YCaption2, XUnits2, YUnits2;  // panel 2 of a three-panel graph
    std::string XCaption3, YCaption3, XUnits3, YUnits3;  // panel 3
    bool XOnTop = true;         // x axis at the top, y growing downwards (depth plots)
    bool ShowLegend = true;     // show the legend
    bool ShowLayers = false;    // draw the soil-layer strip
    bool ShowWall = false;      // draw the wall and both soil sides in the strip
    bool ShowThree = false;     // three-panel layout
    bool ShowFontWidth = true;  // offer the Font Size and Line Width commands
    int WallLineCount = 0;      // soil-layer entries that precede the wall entry
    int Markers = 1;            // a marker every this many points; 0 = never
    int SizeFont = 10;          // text size factor in tenths
    int LegendFont = 11;        // legend font size in points
    int WidthLine = 1;          // curve pen width factor
    TGetCaptionEvent onGetCaption;          // optional legend text override
    std::vector<std::string> LineNames;     // preset curve names by panel-1 position
    std::string GraphTitle;                 // the user's graph title
    bool GraphTitleOnTop = false;           // title above (true) or below the graph
    bool LegendLimit = true;                // a new window activates only the first 20 curves

    // The name of the graph's window and of the Window menu's entry: Name, or
    // the Caption where no name is given.
    const std::string& ShownName() const { return Name.empty() ? Caption : Name; }

    // Unit system of the unit templates: generic units leave the templates unchanged.
    UnitSystem Units() const { return units_; }
    void SetUnits(UnitSystem units);

    // Curve counts of panel 1, the layer list, panels 2 and 3. Setting frees
    // curves from the end or appends new ones; existing curves keep their data.
    int LineCount() const { return static_cast<int>(lines_.size()); }
    void SetLineCount(int n) { SetCount(lines_, n); }
    int LayerCount() const { return static_cast<int>(layers_.size()); }
    void SetLayerCount(int n) { SetCount(layers_, n); }
    int LineCount2() const { return static_cast<int>(lines2_.size()); }
    void SetLineCount2(int n) { SetCount(lines2_, n); }
    int LineCount3() const { return static_cast<int>(lines3_.size()); }
    void SetLineCount3(int n) { SetCount(lines3_, n); }

    // Point counts: the first curve's count (0 when empty); setting gives every
    // curve of that list exactly n points, and does nothing on an empty list.
    int PointCount() const { return FirstCount(lines_); }
    void SetPointCount(int n) { SetPoints(lines_, n); }
    int LayerPointCount() const { return FirstCount(layers_); }
    void SetLayerPointCount(int n) { SetPoints(layers_, n); }
    int PointCount2() const { return FirstCount(lines2_); }
    void SetPointCount2(int n) { SetPoints(lines2_, n); }
    int PointCount3() const { return FirstCount(lines3_); }
    void SetPointCount3(int n) { SetPoints(lines3_, n); }

    // Curve i of a list; an index outside throws std::out_of_range.
    TLine& Lines(int i) { return *lines_.at(static_cast<size_t>(i)); }
    const TLine& Lines(int i) const { return *lines_.at(static_cast<size_t>(i)); }
    TLine& Layers(int i) { return *layers_.at(static_cast<size_t>(i)); }
    const TLine& Layers(int i) const { return *layers_.at(static_cast<size_t>(i)); }
    TLine& Lines2(int i) { return *lines2_.at(static_cast<size_t>(i)); }
    const TLine& Lines2(int i) const { return *lines2_.at(static_cast<size_t>(i)); }
    TLine& Lines3(int i) { return *lines3_.at(static_cast<size_t>(i)); }
    const TLine& Lines3(int i) const { return *lines3_.at(static_cast<size_t>(i)); }

    // Point j of curve i of a list.
    TFloatPoint& Points(int i, int j) { return Lines(i).Point(j); }
    TFloatPoint& LayerPoints(int i, int j) { return Layers(i).Point(j); }
    TFloatPoint& Points2(int i, int j) { return Lines2(i).Point(j); }
    TFloatPoint& Points3(int i, int j) { return Lines3(i).Point(j); }

    // Whole lists, for drawing and range computation.
    const LineList& LineList1() const { return lines_; }
    const LineList& LayerList() const { return layers_; }
    const LineList& LineList2() const { return lines2_; }
    const LineList& LineList3() const { return lines3_; }

    // Panel-1 position of a curve of this graph, -1 when it is not in panel 1.
    int IndexOf(const TLine* line) const;

    // Opens the graph window: creates it when none exists, then shows it.
    void Execute();
    // The graph window, or null when none exists.
    TGraphWindow* PlotForm() const { return plotForm_.get(); }
    // Whether the graph window exists.
    bool HasPlotForm() const { return plotForm_ != nullptr; }
    // Called by the window when it closes: destroys the window object, so the
    // next Execute creates a fresh window.
    void PlotFormClosed() { plotForm_.reset(); }
    // Installs the window factory that Execute uses (none: no window opens).
    void SetWindowFactory(TGraphWindowFactory factory) { windowFactory_ = std::move(factory); }

private:
    void SetCount(LineList& list, int n);
    static int FirstCount(const LineList& list);
    static void SetPoints(LineList& list, int n);

    UnitSystem units_ = UnitSystem::English;
    LineList lines_, layers_, lines2_, lines3_;
    TGraphWindowFactory windowFactory_;
    std::unique_ptr<TGraphWindow> plotForm_;
};

// The caption of an axis: the caption alone for an empty template, else
// caption + " (" + the template expanded for `units` + ")".
std::string AxisCaption(const std::string& caption, const std::string& unitTemplate, UnitSystem units);

// Expands a unit template: force tokens (F2, else F1, else F) then length
// tokens (L2, else L1, else L) for English and SI units; generic units leave it unchanged.
std::string ExpandUnitTemplate(const std::string& unitTemplate, UnitSystem units);
