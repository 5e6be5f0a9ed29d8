#pragma once
#include "run/ReadPlotFile.h"

#include <QPageSize>
#include <QString>

#include <string>

// The calculation report of an analysed wall as a PDF document, for checkers
// and clients: a title block with the fingerprint (SHA-256) of the data file,
// the summary of results, the design checks of the data file as saved (safety
// factor per stage, required tip, mobilised passive resistance, limit-equilibrium
// estimate, governing stage), the input the engine used with units, its method
// and choices, then for each stage or case the maxima, a results table, the
// graphs drawn as vectors, the equilibrium residuals and every warning; for a
// staged wall the envelope of the stages. Every page carries the title and the
// fingerprint in its header and its number in the footer.
//
// It is built from the files the analysis leaves beside the data file (output
// text, plot data file), which must be at least as new as the data file.
class TCalculationReport {
public:
    // Writes the report of `wallFile` to `pdfFile` on paper of `paper` (A4 or
    // Letter). Needs a QGuiApplication. False with the reason in `error` when
    // the wall has no up-to-date results or the file cannot be written.
    // `context` is the open wall's (the program), or read from the file by the overload without it.
    // `acceptOlder` (the program) writes the report of results older than the
    // data file too, marked so in its title block. A `study` summary (the
    // program, after a study of the wall) ends the report in a "Study" section.
    static bool Write(const QString& wallFile, const TPlotReadContext& context, const QString& pdfFile,
                      QPageSize::PageSizeId paper, QString* error, bool acceptOlder = false,
                      const std::string& study = std::string());
    static bool Write(const QString& wallFile, const QString& pdfFile, QPageSize::PageSizeId paper, QString* error);

    // The paper of the user's locale: Letter where the US measurement system is used, else A4.
    static QPageSize::PageSizeId DefaultPaper();

    // The SHA-256 of the file's bytes in lower-case hexadecimal; empty when it cannot be read.
    static QString Fingerprint(const QString& file);
};
