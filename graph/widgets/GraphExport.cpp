#include "graph/widgets/GraphExport.h"

#include "graph/widgets/GraphPainter.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace {

// The bitmap target: the client is the whole picture, the layout uses the
// given resolution and the legend box is drawn.
TGraphRenderOptions BitmapOptions(const TGraphRanges& ranges, int width, int height, int ppi)
{
    TGraphRenderOptions options;
    options.Target = TPlotTarget::Bitmap;
    options.Client = TPixelRect{0, 0, width, height};
    options.Px = ppi;
    options.Py = ppi;
    options.Ranges = ranges;
    options.BaseFontPixels = static_cast<int>(std::lround(8.0 * ppi / 72.0));
    return options;
}

int Pixels(double inches, int ppi)
{
    return static_cast<int>(std::lround(inches * ppi));
}

}  // namespace

QImage TGraphExport::RenderImage(const TGraphPlot& plot, const TGraphRanges& ranges, double widthInches,
                                 double heightInches, int ppi)
{
    const int w = Pixels(widthInches, ppi), h = Pixels(heightInches, ppi);
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int dotsPerMeter = static_cast<int>(std::lround(ppi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    TGraphPainter::Render(painter, plot, BitmapOptions(ranges, w, h, ppi));
    return image;
}

bool TGraphExport::Save(const TGraphPlot& plot, const TGraphRanges& ranges, const QString& path, double widthInches,
                        double heightInches, int ppi, QString* error)
{
    return Save(path, widthInches, heightInches, ppi, QString::fromStdString(plot.Caption),
                [&](QPainter& painter, QSize pixels) {
                    TGraphPainter::Render(painter, plot, BitmapOptions(ranges, pixels.width(), pixels.height(), ppi));
                },
                error);
}

bool TGraphExport::Save(const QString& path, double widthInches, double heightInches, int ppi, const QString& title,
                        const Renderer& render, QString* error)
{
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (!(widthInches > 0) || !(heightInches > 0) || ppi <= 0)
        return fail(QStringLiteral("The picture size must be positive."));
    const QString suffix = QFileInfo(path).suffix().toLower();
    const int w = Pixels(widthInches, ppi), h = Pixels(heightInches, ppi);
    if (suffix == QLatin1String("bmp") || suffix == QLatin1String("png")) {
        QImage image(w, h, QImage::Format_RGB32);
        if (image.isNull())
            return fail(QStringLiteral("There is not enough memory to complete this task."));
        const int dotsPerMeter = static_cast<int>(std::lround(ppi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            render(painter, image.size());
        }
        if (!image.save(path, suffix == QLatin1String("bmp") ? "BMP" : "PNG"))
            return fail(QStringLiteral("Cannot write ") + path);
        return true;
    }
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(QSize(w, h));
        svg.setViewBox(QRect(0, 0, w, h));
        svg.setResolution(ppi);
        svg.setTitle(title);
        QPainter painter;
        if (!painter.begin(&svg))
            return fail(QStringLiteral("Cannot write ") + path);
        render(painter, QSize(w, h));
        painter.end();
        return QFileInfo::exists(path) ? true : fail(QStringLiteral("Cannot write ") + path);
    }
    if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(path);
        pdf.setResolution(ppi);
        pdf.setPageSize(QPageSize(QSizeF(widthInches, heightInches), QPageSize::Inch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(title);
        QPainter painter;
        if (!painter.begin(&pdf))
            return fail(QStringLiteral("Cannot write ") + path);
        const QRect page = painter.viewport();
        render(painter, page.size());
        painter.end();
        return true;
    }
    return fail(QStringLiteral("Unknown picture format \"") + suffix + QStringLiteral("\": use .bmp, .png, .svg or .pdf."));
}
