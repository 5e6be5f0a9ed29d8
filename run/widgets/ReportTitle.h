#pragma once
#include "run/widgets/ReportPages.h"

#include <QString>

struct TResultSet;

// The title block of the calculation report.
namespace report {

struct OutputText;

// The report's title and the table that identifies what it reports: project
// title, data file and folder, the data file's fingerprint, when the report and
// the analysis were made, program, engine, units and the analyses, marked when
// the results are older than the data file.
void TitleBlock(Pages& pages, const OutputText& text, const TResultSet& results, const QString& wallFile,
                const QString& fingerprint);

}  // namespace report
