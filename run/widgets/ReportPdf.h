#pragma once
#include "run/widgets/ReportPages.h"

#include <QString>

class QPainter;
class QPdfWriter;

// Writing the laid-out pages of the calculation report into its PDF file.
namespace report {

// Paints every page: the running header (title and the data file's
// fingerprint), the footer (program, file, "Page n of N") and the page's steps.
void PaintPages(QPainter& painter, QPdfWriter& pdf, const Pages& pages, const QRectF& body, const QString& title,
                const QString& fingerprint, const QString& wallFile);

}  // namespace report
