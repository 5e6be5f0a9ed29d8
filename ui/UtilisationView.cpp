#include "ui/UtilisationView.h"

#include "checks/UtilisationGraph.h"
#include "graph/GraphGeometry.h"
#include "graph/widgets/GraphPainter.h"

#include <QPainter>

TUtilisationView::TUtilisationView(QWidget* parent) : QWidget(parent)
{
    setAccessibleName("Utilisation against depth");
    setMinimumSize(320, 240);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void TUtilisationView::SetReport(const checks::DesignCheckReport& report)
{
    checks::FillUtilisationGraph(graph_, report);
    update();
}

void TUtilisationView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const auto ranges = graph_.LineCount() > 0 ? GraphRanges(graph_) : std::nullopt;
    if (!ranges) {
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                         "No utilisation to draw: the wall's steel section has no section modulus, shear area or yield "
                         "strength.");
        return;
    }
    TGraphRenderOptions o;
    o.Target = TPlotTarget::Bitmap;
    o.Client = TPixelRect{0, 0, width() - 1, height() - 1};
    o.Px = logicalDpiX();
    o.Py = logicalDpiY();
    o.Ranges = *ranges;
    TGraphPainter::Render(painter, graph_, o);
}
