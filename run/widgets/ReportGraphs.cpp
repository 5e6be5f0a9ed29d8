#include "run/widgets/ReportGraphs.h"

#include "graph/widgets/GraphPainter.h"
#include "model/ProgramData.h"
#include "run/ResultGraphs.h"
#include "ui/profile/SideView.h"
#include "ui/rules/ProfileGeometry.h"

#include <QPainter>

#include <cmath>
#include <memory>

namespace report {

namespace {

// Shows only curve k of a graph (every curve when k < 0).
void ShowOnly(TGraphPlot& graph, int k)
{
    for (int i = 0; i < graph.LineCount(); ++i) {
        graph.Lines(i).Active = k < 0 || i == k;
        graph.Lines(i).Visible = true;
    }
}

}  // namespace

void DrawGraph(QPainter& p, const QRectF& rect, const TGraphPlot& graph)
{
    const auto ranges = GraphRanges(graph);
    if (!ranges)
        return;
    TGraphRenderOptions o;
    o.Target = TPlotTarget::Bitmap;
    o.Client = TPixelRect{0, 0, static_cast<int>(rect.width()), static_cast<int>(rect.height())};
    o.Px = o.Py = Dpi;
    o.Ranges = *ranges;
    o.BaseFontPixels = static_cast<int>(std::lround(8.0 * Dpi / 72.0));
    o.UprightDepthLabels = true;  // a page is read upright
    p.save();
    p.translate(rect.topLeft());
    TGraphPainter::Render(p, graph, o);
    p.restore();
}

void StageGraphs(Pages& pages, TResultGraphs& graphs, int k)
{
    TResultGraphs* g = &graphs;
    pages.Heading(QStringLiteral("Graphs"), 11, 108);
    pages.Drawing(105, [g, k](QPainter& p, const QRectF& rect) {
        ShowOnly(g->DeflectionMomentShear, k);
        DrawGraph(p, rect, g->DeflectionMomentShear);
    });
    pages.Space(3);
    pages.Drawing(85, [g, k](QPainter& p, const QRectF& rect) {
        ShowOnly(g->SoilReaction, k);
        ShowOnly(g->EarthPressure, k < g->EarthPressure.LineCount() ? k : -1);
        const QRectF left(rect.left(), rect.top(), rect.width() / 2 - Mm(2), rect.height());
        const QRectF right(rect.center().x() + Mm(2), rect.top(), rect.width() / 2 - Mm(2), rect.height());
        DrawGraph(p, left, g->SoilReaction);
        DrawGraph(p, right, g->EarthPressure);
    });
}

void WallSketch(Pages& pages, const TProgramData& wall, const WallTables& tables, double heightMm)
{
    auto scene = std::make_shared<TProfileScene>(ReadProfileScene(wall, tables));
    if (!scene->Outline)
        return;
    const TWorldWindow world = WorldWindowFor(*scene->Outline);
    if (world.Degenerate())
        return;
    pages.Drawing(heightMm, [scene, world](QPainter& p, const QRectF& rect) {
        // The view's proportions and text sizes at the page's resolution, as its printed page has them.
        const double scale = Dpi / 96.0;
        QFont font = Pages::Sans(8);
        const QSize pixels(static_cast<int>(rect.width()), static_cast<int>(rect.height()));
        TProfileDevice device;
        device.Width = pixels.width();
        device.Height = pixels.height();
        device.Page = false;
        device.TextHeight = QFontMetrics(font, p.device()).height();
        device.Scale = scale;
        const std::vector<TProfileItem> items =
            LayoutProfile(*scene, ViewWindow(world, pixels.width(), pixels.height()), device);
        p.save();
        p.translate(rect.topLeft());
        p.setClipRect(QRectF(QPointF(0, 0), rect.size()));
        TDlgSideView::Render(p, items, font, TProfileColors{QColor(), Qt::black, QColor(0, 96, 200), Qt::white, true});
        p.restore();
    });
}

}  // namespace report
