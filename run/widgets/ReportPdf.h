#pragma once
#include "run/widgets/ReportPages.h"

#include <QPageSize>
#include <QString>

#include <functional>

class QPainter;
class QPdfWriter;

// Writing the laid-out pages of the calculation report into its PDF file.
namespace report {

// Paints every page: the running header (title and the data file's
// fingerprint), the footer (program, file, "Page n of N") and the page's steps.
void PaintPages(QPainter& painter, QPdfWriter& pdf, const Pages& pages, const QRectF& body, const QString& title,
                const QString& fingerprint, const QString& wallFile);

// Writes the report that `layout` lays out into `pdfFile` on paper of `paper`:
// a new file that replaces the old one only when complete, each page painted
// with PaintPages. False with the reason in `error` when it cannot be written.
bool WritePdf(const QString& pdfFile, QPageSize::PageSizeId paper, const QString& title, const QString& fingerprint,
              const QString& wallFile, const std::function<void(Pages&)>& layout, QString* error);

}  // namespace report
