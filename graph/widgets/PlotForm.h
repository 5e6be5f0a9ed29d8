#pragma once
#include "graph/GraphGeometry.h"

#include <QPageLayout>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class Prompt;
class PlotLegend;
class QAction;
class QActionGroup;
class QImage;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPaintDevice;
class QPainter;
class QPrinter;
class QRubberBand;
class TGraphPlot;
class TGraphWindow;

// The graph window: one TGraphPlot drawn in a child window of the main
// window's QMdiArea, with its "&Plot" menu, the movable legend list, the
// coordinate readout in the title, zooming, printing and saving to disk.
// It holds no data of its own besides ranges, layout and legend state.
class TPlotForm : public QWidget {
    Q_OBJECT
public:
    // Builds the window of `graph` (not owned); `prompt` answers its file
    // dialogs and messages.
    TPlotForm(TGraphPlot& graph, Prompt& prompt, QWidget* parent = nullptr);
    ~TPlotForm() override;

    // The window object that `graph` owns: a TPlotForm in a new child window of `area`.
    static std::unique_ptr<TGraphWindow> Create(TGraphPlot& graph, QMdiArea& area, Prompt& prompt);
    // The graph window inside an MDI child window, or null.
    static TPlotForm* Of(QMdiSubWindow* window);

    // The "&Plot" menu, shown in the main window's menu bar while this window is active.
    QMenu* PlotMenu() const { return menu_; }
    // The legend list.
    PlotLegend* Legend() const { return legend_; }
    // The graph shown.
    TGraphPlot& Graph() const { return *graph_; }
    // False once the graph has let the window go (it is closing).
    bool HasGraph() const { return graph_ != nullptr; }

    // Current and full ranges (the full ones are the limits of zooming).
    const TGraphRanges& Ranges() const { return ranges_; }
    const TGraphRanges& FullRanges() const { return fullRanges_; }
    // The screen layout now in force.
    const TPlotLayout& Layout() const { return layout_; }
    // Per-curve commands of the menu, in legend order.
    const std::vector<QAction*>& CurveActions() const { return curveActions_; }
    // The banner over the graph (the graph's Banner); hidden while that is empty.
    class QLabel* BannerLabel() const { return banner_; }

    // The menu's commands.
    QAction* ShowLegendAction() const { return actShowLegend_; }
    QAction* ShowLayersAction() const { return actShowLayers_; }
    QAction* ShowWallAction() const { return actShowWall_; }
    QMenu* MarkersMenu() const { return menuMarkers_; }
    QMenu* FontSizeMenu() const { return menuFont_; }
    QMenu* LineWidthMenu() const { return menuWidth_; }
    QAction* GraphTitleAction() const { return actGraphTitle_; }
    QAction* EditLegendAction() const { return actEditLegend_; }
    QAction* ActiveCurvesAction() const { return actActiveCurves_; }
    QAction* PrintAction() const { return actPrint_; }
    QAction* PageSetupAction() const { return actPageSetup_; }
    QAction* SaveAction() const { return actSave_; }

    // The graph was read anew: ranges, legend and curve commands are rebuilt
    // from its curves and the window redraws; a graph with nothing to draw closes it.
    void Reload();

    // Brings the menu's checks and visibility up to date, as opening it does.
    void RefreshMenu();

    // Prints the graph on `printer` (the page less the page layout's margins,
    // each at least the printer's unprintable border). False when printing cannot start.
    bool PrintTo(QPrinter& printer);
    // Renders the graph into `image` as a saved bitmap (legend box drawn);
    // the layout is that of a bitmap at the window's own pixels per inch.
    void RenderBitmap(QImage& image);
    // Writes the graph to `fileName` in the format of its extension (.bmp,
    // .png, .svg, .pdf) at width x height inches and `ppi` pixels per inch;
    // `colors` (0 black and white .. 4 true colour) sets the depth of a .bmp.
    // Returns false when the file cannot be written.
    bool WriteImage(const std::string& fileName, long double widthIn, long double heightIn, int ppi, int colors);

    // The page layout used by printing: paper, orientation and margins (one inch each by default).
    const QPageLayout& PageLayout() const { return pageLayout_; }
    // The layout input of a saved bitmap of `size` pixels.
    TLayoutInput BitmapInput(QSize size) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class PlotWindow;

    void CreateMenu();
    QMenu* AddChoiceMenu(const QString& title, const std::vector<std::pair<QString, int>>& items,
                         void (TPlotForm::*apply)(int));
    void BuildLegend();
    // `title` followed by the graph's note, when it has one.
    QString Titled(const QString& title) const;
    // The title before the pointer first moves over the window.
    QString StartTitle() const;
    // The pixels of the drawn curves of panel 1, points and segments.
    std::vector<TPixelPoint> CurvePixels() const;
    // The graph's note as the legend's last entry (none without a note).
    void ShowLegendNote();
    QAction* AddCurveAction(const QString& caption, int curve);
    void FitLegend(int startWidth);
    void ReLayout(bool placeLegend);

    // Menu commands.
    void ShowLegendClick();
    void ShowLayersClick();
    void ShowWallClick();
    void SetMarkers(int n);
    void SetFontSize(int factor);
    void SetLineWidth(int factor);
    void GraphTitleClick();
    void EditLegendClick();
    void ActiveCurvesClick();
    void PrintClick();
    void PageSetupClick();
    void SaveClick();
    void ToggleCurve(int curve);
    // Whether panel-1 curve `curve` is drawn; false for a curve the graph no longer has.
    bool CurveVisible(int curve) const;
    void UpdateLegendMarks();

    // The layout input of the screen.
    TLayoutInput ScreenInput() const;
    // Draws the graph with the current ranges on `painter` with `in`'s target and layout.
    void Render(QPainter& painter, const TLayoutInput& in);
    // Data values under a pixel (0, 0 between panels), the pixel limited to the plotting rectangle.
    std::pair<long double, long double> DataAt(QPoint p) const;
    QPoint LimitToPlot(QPoint p) const;
    QRect PlotRect() const;
    void ZoomIn(QPoint a, QPoint b);
    void ZoomOut(QPoint p);

    TGraphPlot* graph_;
    Prompt& prompt_;
    TGraphRanges ranges_;
    TGraphRanges fullRanges_;
    TPlotLayout layout_;
    QPageLayout pageLayout_;
    bool hasPrinter_ = false;

    QMenu* menu_ = nullptr;
    QAction* actShowLegend_ = nullptr;
    QAction* actShowLayers_ = nullptr;
    QAction* actShowWall_ = nullptr;
    QMenu* menuMarkers_ = nullptr;
    QMenu* menuFont_ = nullptr;
    QMenu* menuWidth_ = nullptr;
    QAction* actGraphTitle_ = nullptr;
    QAction* actEditLegend_ = nullptr;
    QAction* actActiveCurves_ = nullptr;
    QAction* actPrint_ = nullptr;
    QAction* actPageSetup_ = nullptr;
    QAction* actSave_ = nullptr;
    std::vector<QAction*> curveActions_;
    PlotLegend* legend_ = nullptr;
    class QLabel* banner_ = nullptr;
    // Places the banner across the top and shows the graph's Banner in it.
    void PlaceBanner();

    bool zooming_ = false;
    QPoint zoomStart_;
    QRubberBand* rubberBand_ = nullptr;
    bool closing_ = false;
    // The legend is placed in the plot's corner until the window has settled at its first size.
    bool placeLegendOnResize_ = true;
};
