#include "run/widgets/ReportPdf.h"

#include "TorvikVersion.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace report {

void PaintPages(QPainter& painter, QPdfWriter& pdf, const Pages& pages, const QRectF& body, const QString& title,
                const QString& fingerprint, const QString& wallFile)
{
    const QFont headerFont = Pages::Sans(7), monoFont = Pages::Mono(6.5);
    for (size_t i = 0; i < pages.Count(); ++i) {
        if (i > 0)
            pdf.newPage();
        painter.setPen(Qt::black);
        painter.setFont(headerFont);
        const double headerY = body.top() - Mm(6);
        const QString fp = "SHA-256 " + fingerprint;
        const double fpWidth = QFontMetricsF(monoFont, &pdf).horizontalAdvance(fp);
        const QString shownTitle =
            QFontMetricsF(headerFont, &pdf).elidedText(title, Qt::ElideRight, body.width() - fpWidth - Mm(4));
        painter.drawText(QPointF(body.left(), headerY), shownTitle);
        painter.setFont(monoFont);
        painter.drawText(QPointF(body.right() - fpWidth, headerY), fp);
        painter.setPen(QPen(Qt::black, Mm(0.2)));
        painter.drawLine(QPointF(body.left(), headerY + Mm(1.5)), QPointF(body.right(), headerY + Mm(1.5)));
        painter.setFont(headerFont);
        const QRectF footer(body.left(), body.bottom() + Mm(5), body.width(), Mm(5));
        painter.drawText(footer, Qt::AlignLeft, QString(ProgramNameAndRelease) + "  " + QFileInfo(wallFile).fileName());
        painter.drawText(footer, Qt::AlignRight, QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.Count()));
        for (const Step& step : pages.Page(i)) {
            painter.save();
            painter.setPen(Qt::black);
            step(painter);
            painter.restore();
        }
    }
}

namespace {

bool Fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

}  // namespace

bool WritePdf(const QString& pdfFile, QPageSize::PageSizeId paper, const QString& title, const QString& fingerprint,
              const QString& wallFile, const std::function<void(Pages&)>& layout, QString* error)
{
    QSaveFile file(pdfFile);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, "Cannot write " + pdfFile + ": " + file.errorString());
    QPdfWriter pdf(&file);
    pdf.setResolution(Dpi);
    pdf.setPageSize(QPageSize(paper));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle("Calculation report: " + title);
    pdf.setCreator(ProgramNameAndRelease);
    QPainter painter;
    if (!painter.begin(&pdf))
        return Fail(error, "Cannot write " + pdfFile);
    const QRectF page(QPointF(0, 0), QSizeF(pdf.width(), pdf.height()));
    const QRectF body = page.adjusted(Mm(18), Mm(20), -Mm(15), -Mm(16));
    Pages pages(pdf, body);
    layout(pages);
    PaintPages(painter, pdf, pages, body, title, fingerprint, wallFile);
    if (!painter.end() || !file.commit())
        return Fail(error, "Cannot write " + pdfFile + ": " + file.errorString());
    return true;
}

}  // namespace report
