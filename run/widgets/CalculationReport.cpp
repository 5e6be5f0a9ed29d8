#include "run/widgets/CalculationReport.h"

#include "checks/DesignChecks.h"
#include "model/BatchHost.h"
#include "model/FileLayout.h"
#include "model/ProgramData.h"
#include "model/WallSettings.h"
#include "run/AnalysisRun.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"
#include "run/ResultTables.h"
#include "run/ResultValues.h"
#include "run/widgets/ReportDesignChecks.h"
#include "run/widgets/ReportEnvelope.h"
#include "run/widgets/ReportGraphs.h"
#include "run/widgets/ReportOutline.h"
#include "run/widgets/ReportPages.h"
#include "run/widgets/ReportPdf.h"
#include "run/widgets/ReportStages.h"
#include "run/widgets/ReportSummary.h"
#include "run/widgets/ReportTitle.h"
#include "units/QuantityLabels.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <memory>
#include <optional>

using namespace report;

namespace {

// The wall as its data file holds it, for the sketch and the sections; none
// when it cannot be read.
struct ReportWall {
    std::shared_ptr<BatchHost> host = std::make_shared<BatchHost>();
    std::unique_ptr<TProgramData> wall;
};
ReportWall ReadReportWall(const std::string& wallFile)
{
    ReportWall out;
    std::vector<std::string> diagnostics;
    try {
        out.wall = TProgramData::CreateFromFile(*out.host, wallFile, LayoutForPath(wallFile), diagnostics);
    } catch (const std::exception&) {
        out.wall.reset();
    }
    if (!diagnostics.empty())
        out.wall.reset();
    return out;
}

bool Fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

}  // namespace

QString TCalculationReport::Fingerprint(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&f);
    return QString::fromLatin1(hash.result().toHex());
}

QPageSize::PageSizeId TCalculationReport::DefaultPaper()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

bool TCalculationReport::Write(const QString& wallFile, const QString& pdfFile, QPageSize::PageSizeId paper,
                               QString* error)
{
    TPlotReadContext context;
    std::string message;
    if (!ReadWallContext(wallFile.toStdString(), context, message))
        return Fail(error, QString::fromStdString(message));
    return Write(wallFile, context, pdfFile, paper, error);
}

bool TCalculationReport::Write(const QString& wallFile, const TPlotReadContext& context, const QString& pdfFile,
                               QPageSize::PageSizeId paper, QString* error, bool acceptOlder,
                               const std::string& study)
{
    const std::string wall = wallFile.toStdString();
    TResultSet results;
    std::string message;
    if (!LoadResultTables(wall, context, results, message, acceptOlder))
        return Fail(error, QString::fromStdString(message));
    const QString outputFile = QString::fromStdString(ReplaceExtension(wall, ".tk4o"));
    QFile output(outputFile);
    if (!output.open(QIODevice::ReadOnly) ||
        (!acceptOlder && QFileInfo(outputFile).lastModified() < QFileInfo(wallFile).lastModified()))
        return Fail(error, "The output text " + outputFile +
                               " is missing or older than the data file: analyse the wall again.");
    const OutputText text = ReadOutputText(QString::fromUtf8(output.readAll()));
    TResultGraphs graphs;
    TPlotReadContext graphContext = context;
    if (!ReadPlotFile(graphs, PlotFileName(wall), false, graphContext, nullptr))
        return Fail(error, QString::fromStdString(graphContext.ErrorMessage));
    const QString fingerprint = Fingerprint(wallFile);
    // Each stage's curves carry its name in the legends.
    for (TGraphPlot* graph : {&graphs.DeflectionMomentShear, &graphs.SoilReaction, &graphs.EarthPressure})
        for (int k = 0; k < graph->LineCount() && k < static_cast<int>(results.Stages.size()); ++k)
            graph->Lines(k).Name = results.Stages[static_cast<size_t>(k)].Name;
    // The values of the results (residuals, spring forces), from the saved wall analysed again.
    const RunOutcome values = LoadResultValues(wall);

    const ColumnUnits units = ColumnUnitsOf(results.UnitSystem, context.UnitSystem, context.StripWidth);
    auto layout = [&](Pages& pages) {
        TitleBlock(pages, text, results, wallFile, fingerprint);
        Summary(pages, results, text, values.sections, units);
        // The wall as drawn and the sections the checks use, so that a checker can
        // follow the bending utilisation from the report alone.
        const ReportWall reportWall = ReadReportWall(wall);
        if (reportWall.wall) {
            pages.Heading(QStringLiteral("The wall"), 13, 80);
            WallSketch(pages, *reportWall.wall, reportWall.host->tables, 80);
        }
        std::optional<checks::DesignCheckReport> checkReport;
        QString checkFailure;
        try {
            checkReport = checks::RunDesignChecks(wall);
        } catch (const std::exception& e) {
            checkFailure = QString::fromStdString(e.what());
        }
        DesignCheckPages(pages, checkReport, checkFailure, reportWall.wall.get(),
                         ReadSettingsBeside(wall).settings.sections);
        Method(pages, text);
        for (size_t k = 0; k < results.Stages.size(); ++k)
            Stage(pages, k, results, text, values.sections, graphs, units);
        const bool staged = results.Stages.size() > 1 && results.Stages[0].Name.rfind("Stage", 0) == 0;
        if (staged)
            Envelope(pages, results, units, StripBasis(context.UnitSystem, context.StripWidth), ReadableRowCount);
        if (!study.empty()) {
            pages.NewPage();
            pages.Heading(QStringLiteral("Study"));
            pages.Monospaced(QString::fromStdString(study).split('\n'));
        }
    };
    // The report goes to a new file that replaces the old one only when complete.
    return WritePdf(pdfFile, paper, text.Field(outputtext::Title), fingerprint, wallFile, layout, error);
}
