// Drawing, printing and saving of the graph window: one render routine for
// the screen, the printer and every file format.
#include "graph/widgets/PlotForm.h"

#include "graph/GraphPlot.h"
#include "graph/widgets/BitmapDepth.h"
#include "graph/widgets/GraphPainter.h"
#include "graph/widgets/TdlgFormat.h"
#include "units/Prompt.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>

#include <cmath>

namespace {

constexpr const char* SaveFilter = "Bitmap (*.bmp);;PNG Image (*.png);;SVG Drawing (*.svg);;PDF Document (*.pdf)";

}  // namespace

void TPlotForm::Render(QPainter& painter, const TLayoutInput& in)
{
    TGraphRenderOptions o;
    o.Target = in.Target;
    o.Client = in.Client;
    o.Px = in.Px;
    o.Py = in.Py;
    o.Ranges = ranges_;
    // The layout input carries the scaled height; the painter wants the base.
    o.BaseFontPixels = in.Target == TPlotTarget::Screen ? 14 : static_cast<int>(std::lround(8.0 * in.Py / 72.0));
    TGraphPainter::Render(painter, *graph_, o);
}

void TPlotForm::RenderBitmap(QImage& image)
{
    QPainter painter(&image);
    Render(painter, BitmapInput(image.size()));
}

bool TPlotForm::WriteImage(const std::string& fileName, long double widthIn, long double heightIn, int ppi,
                           int colors)
{
    const QString name = QString::fromStdString(fileName);
    const QString ext = QFileInfo(name).suffix().toLower();
    const QSize size(static_cast<int>(std::lround(static_cast<double>(widthIn * ppi))),
                     static_cast<int>(std::lround(static_cast<double>(heightIn * ppi))));
    const TLayoutInput in = BitmapInput(size);
    if (ext == "svg") {
        QSvgGenerator svg;
        svg.setFileName(name);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(ppi);
        svg.setTitle(QString::fromStdString(graph_->Caption));
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        Render(painter, in);
        return painter.end();
    }
    if (ext == "pdf") {
        QPdfWriter pdf(name);
        pdf.setResolution(ppi);
        pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(static_cast<double>(widthIn), static_cast<double>(heightIn)),
                                                QPageSize::Inch, QString(), QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setTitle(QString::fromStdString(graph_->Caption));
        QPainter painter;
        if (!painter.begin(&pdf))
            return false;
        Render(painter, BitmapInput(QSize(pdf.width(), pdf.height())));
        return painter.end();
    }
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    RenderBitmap(image);
    const int dotsPerMeter = static_cast<int>(std::lround(ppi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    if (ext == "png")
        return image.save(name, "PNG");
    return WriteBmp(image, static_cast<TBitmapColors>(colors), name);
}

void TPlotForm::SaveClick()
{
    std::optional<std::string> chosen = prompt_.SaveFileName("Save To Disk", SaveFilter, "");
    if (!chosen)
        return;
    std::string name = *chosen;
    if (QFileInfo(QString::fromStdString(name)).suffix().isEmpty())
        name += ".bmp";
    TdlgFormat dialog(prompt_, this);
    const int result = dialog.exec();
    if (result == TdlgFormat::Abort) {
        prompt_.Information("There is not enough memory to complete this task.");
        return;
    }
    if (result != QDialog::Accepted)
        return;
    if (!WriteImage(name, dialog.WidthInches(), dialog.HeightInches(), dialog.Ppi(), dialog.Colors()))
        prompt_.Information("The graph could not be written to " + name + ".");
}

void TPlotForm::PageSetupClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(pageLayout_);
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        pageLayout_ = printer.pageLayout();
}

void TPlotForm::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(pageLayout_);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(printer);
    update();
}

bool TPlotForm::PrintTo(QPrinter& printer)
{
    printer.setDocName(QString::fromStdString(graph_->Caption));
    // Paper coordinates from the sheet's corner, so that each margin can be
    // compared with the printer's unprintable border.
    const QPageLayout paper = printer.pageLayout();
    printer.setFullPage(true);
    const int ppiX = printer.logicalDpiX();
    const int ppiY = printer.logicalDpiY();
    const QRect full = paper.fullRectPixels(printer.resolution());
    const QMarginsF border =
        QPageLayout(paper.pageSize(), paper.orientation(), paper.minimumMargins(), paper.units()).margins(QPageLayout::Inch);
    const QMarginsF m = pageLayout_.margins(QPageLayout::Inch);
    auto margin = [](double inches, int ppi, double borderInches) {
        return std::max(static_cast<int>(std::lround(inches * ppi)), static_cast<int>(std::lround(borderInches * ppi)));
    };
    TLayoutInput in;
    in.Target = TPlotTarget::Printer;
    in.Px = ppiX;
    in.Py = ppiY;
    in.Client = {margin(m.left(), ppiX, border.left()), margin(m.top(), ppiY, border.top()),
                 full.width() - margin(m.right(), ppiX, border.right()),
                 full.height() - margin(m.bottom(), ppiY, border.bottom())};
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    Render(painter, in);
    return painter.end();
}
