#include "run/widgets/CalculationReport.h"

#include "TorvikVersion.h"
#include "checks/DesignChecks.h"
#include "model/BatchHost.h"
#include "model/FileLayout.h"
#include "model/ProgramData.h"
#include "model/WallSettings.h"
#include "run/AnalysisRun.h"
#include "run/OutputTextOutline.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"
#include "run/ResultTables.h"
#include "run/SpringTable.h"
#include "run/widgets/ReportDesignChecks.h"
#include "run/widgets/ReportEnvelope.h"
#include "run/widgets/ReportGraphs.h"
#include "run/widgets/ReportOutline.h"
#include "run/widgets/ReportPages.h"
#include "run/widgets/ReportPdf.h"
#include "units/QuantityLabels.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>
#include <memory>
#include <optional>

using namespace report;

namespace {

const char* const ProgramVersion = ProgramNameAndRelease;
// Result tables longer than this show every few rows and the extremes.
constexpr size_t ReadableRowCount = 36;

struct Extreme {
    long double Value = 0, Depth = 0;
    bool None = false;  // no value of that sign beyond round-off
};
// The largest value of a column (sign 0: in magnitude; 1: positive; -1:
// negative). A largest positive or negative value within round-off of zero
// (1e-9 of the largest magnitude, as the engine's output text takes it: the
// moment at a free end) is none.
Extreme Largest(const std::vector<TResultRow>& rows, long double TResultRow::*column, int sign)
{
    Extreme e;
    bool any = false;
    long double largest = 0;
    for (const TResultRow& r : rows) {
        largest = std::max(largest, std::fabs(r.*column));
        const long double v = sign == 0 ? std::fabs(r.*column) : sign * (r.*column);
        if (!any || v > (sign == 0 ? std::fabs(e.Value) : sign * e.Value)) {
            e = {r.*column, r.Depth};
            any = true;
        }
    }
    e.None = !any || (sign != 0 && sign * e.Value <= 1e-9L * largest);
    return e;
}

// The Input block of the engine's output text, with the words of its coded options.
QStringList WithOptionNames(QStringList lines)
{
    static const char* const earthPressure[] = {"none", "specified by the user", "generated, triangular distribution",
                                                "generated, trapezoidal distribution for anchored walls"};
    static const char* const pyCurves[] = {"none", "external p-y curves only", "generated"};
    for (QString& l : lines) {
        const QString trimmed = l.trimmed();
        auto name = [&](const char* key, const char* const* names, int count) {
            if (!trimmed.startsWith(QLatin1String(key)))
                return;
            bool ok = false;
            const int code = trimmed.mid(static_cast<int>(qstrlen(key))).trimmed().toInt(&ok);
            if (ok && code >= 0 && code < count)
                l += QStringLiteral(" (") + names[code] + ')';
        };
        name("Earth-pressure option:", earthPressure, 4);
        name("p-y curve option:", pyCurves, 3);
    }
    return lines;
}

class ReportBuilder {
public:
    ReportBuilder(Pages& pages, const TResultSet& results, const OutputText& text, TResultGraphs& graphs,
                  const TPlotReadContext& wall)
        : p_(pages),
          r_(results),
          t_(text),
          g_(graphs),
          u_(ColumnUnitsOf(results.UnitSystem, wall.UnitSystem, wall.StripWidth))
    {
    }

    void TitleBlock(const QString& wallFile, const QString& fingerprint)
    {
        p_.Text(QStringLiteral("Calculation report"), Pages::Sans(20, true));
        p_.Space(1);
        p_.Text(t_.Field(outputtext::Title), Pages::Sans(14));
        p_.Space(4);
        const QFileInfo info(wallFile);
        // A word never wraps: a fingerprint wider than its column is given in
        // two groups of 32 digits, one under the other, so that all of it is on the paper.
        const double column = 0.72 * p_.Width() - Mm(1.5);
        QString shownFingerprint = fingerprint;
        if (p_.TextWidth(fingerprint, Pages::Sans(9)) > column && fingerprint.size() > 32)
            shownFingerprint = fingerprint.left(32) + '\n' + fingerprint.mid(32);
        std::vector<QStringList> rows = {
            {"Project title", t_.Field(outputtext::Title)},
            {"Data file", info.fileName()},
            {"Folder", info.absolutePath()},
            {"SHA-256 of the data file", shownFingerprint},
            {"Report made", QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm t")},
            {"Analysis run", t_.Field(outputtext::RunStarted)},
            {"Program", ProgramVersion},
            {"Engine", t_.Field(outputtext::Engine)},
            {"Units", t_.Field(outputtext::Units)},
            {"Analyses", StageNames()}};
        if (ResultsOlderThanData(wallFile.toStdString()))
            rows.push_back({"Results", QStringLiteral("%1: the data file was changed after this analysis")
                                           .arg(QString::fromLatin1(OlderResultsNote))});
        p_.Table({"Item", "Value"}, rows, {0.28, 0.72}, 9);
        p_.Space(3);
        p_.Text(QStringLiteral("The fingerprint identifies the input: the SHA-256 of the data file's bytes, as a "
                               "command such as sha256sum prints it. A data file with other bytes gives another "
                               "fingerprint."),
                Pages::Sans(8));
    }

    void Summary()
    {
        p_.Heading(QStringLiteral("Summary of results"));
        std::vector<QStringList> rows;
        for (size_t k = 0; k < r_.Stages.size(); ++k) {
            const TStageResults& s = r_.Stages[k];
            const Extreme y = Largest(s.Rows, &TResultRow::Deflection, 0);
            const Extreme mp = Largest(s.Rows, &TResultRow::Moment, 1);
            const Extreme mn = Largest(s.Rows, &TResultRow::Moment, -1);
            const Extreme v = Largest(s.Rows, &TResultRow::Shear, 0);
            auto at = [](const Extreme& e) {
                return e.None ? QStringLiteral("none") : Num(e.Value) + " at " + Num(e.Depth);
            };
            rows.push_back({QString::fromStdString(s.Name), at(y), at(mp), at(mn), at(v), Residuals(k)});
        }
        p_.Table({"Analysis", "Largest deflection (" + u_.Deflection + ")",
                  "Largest positive moment (" + u_.Moment + ")", "Largest negative moment (" + u_.Moment + ")",
                  "Largest shear (" + u_.Shear + ")", "Equilibrium (relative residual)"},
                 rows, {0.13, 0.17, 0.17, 0.17, 0.16, 0.20});
        p_.Text("Depths (" + u_.Depth + ") follow \"at\". Status of each analysis and of the run:", Pages::Sans(8));
        p_.Monospaced(Status());
        SpringSummary();
    }

    // The force of every spring and anchor in each analysis, with what the columns
    // mean and the assumptions behind them.
    void SpringSummary()
    {
        const TSpringTable& t = t_.Springs;
        if (t.Empty())
            return;
        p_.Space(3);
        p_.Heading(QStringLiteral("Spring and anchor forces"), 11);
        QStringList header{QStringLiteral("Analysis")};
        header << Lines(t.Header);
        std::vector<QStringList> rows;
        for (const TSpringTable::Row& r : t.Rows) {
            QStringList row{QString::fromStdString(r.Stage)};
            row << Lines(r.Cells);
            rows.push_back(row);
        }
        // Narrow columns for the node and the stage, room for the numbers.
        std::vector<double> widths{0.08, 0.06, 0.07, 0.09, 0.08, 0.09, 0.12, 0.11, 0.1, 0.1, 0.1};
        if (widths.size() != static_cast<size_t>(header.size()))
            widths.assign(static_cast<size_t>(header.size()), 1.0 / header.size());
        p_.Table(header, rows, widths, 8);
        p_.Space(1);
        p_.Text(Lines(t.Notes).join(' '), Pages::Sans(8));
    }

    // The design checks of the data file, or why they could not be made: the
    // sections they use, then what they found.
    void DesignCheckPages(const std::optional<checks::DesignCheckReport>& report, const QString& failure,
                          const TProgramData* wall, const std::vector<TSectionSettings>& sections)
    {
        p_.Heading(QStringLiteral("Design checks"));
        if (wall)
            SteelSections(p_, sections, *wall);
        p_.Space(2);
        if (!report) {
            p_.Text("The design checks could not be made: " + failure, Pages::Sans(9));
            return;
        }
        DesignChecks(p_, *report);
    }

    void Method()
    {
        if (t_.Sections.empty())
            return;
        p_.Heading(QStringLiteral("Method"));
        if (const TextBlock* m = t_.Sections.front().Find(outputtext::Method))
            p_.Text(m->Lines.join(' '), Pages::Sans(9));
        if (const TextBlock* e = t_.Sections.front().Find(outputtext::InputError)) {
            p_.Heading(QStringLiteral("Input error"), 11);
            p_.Monospaced(e->Lines);
        }
    }

    void Stage(size_t k)
    {
        const TStageResults& s = r_.Stages[k];
        const TextSection* text = k + 1 < t_.Sections.size() ? &t_.Sections[k + 1] : nullptr;
        p_.NewPage();
        // The engine's heading ("Stage 2 of 3") where it gives one.
        p_.Heading(text && !text->Name.isEmpty() ? text->Name : QString::fromStdString(s.Name), 16);
        if (text) {
            if (const TextBlock* b = text->Find(outputtext::InputUsed)) {
                p_.Heading(QStringLiteral("Input"), 11);
                p_.Monospaced(WithOptionNames(b->Lines));
            }
            if (const TextBlock* b = text->Find(outputtext::ChoicesMade)) {
                p_.Heading(QStringLiteral("Method choices"), 11);
                for (const QString& l : b->Lines)
                    if (!l.isEmpty())
                        p_.Text(l, Pages::Sans(8.5), 0, 0), p_.Space(0.8);
            }
            for (const char* heading : {outputtext::InputError, outputtext::Iterations, outputtext::Maxima,
                                        outputtext::SpringForces, outputtext::RestraintReactions,
                                        outputtext::MomentJumps, outputtext::Equilibrium, outputtext::Warnings})
                if (const TextBlock* b = text->Find(heading)) {
                    p_.Heading(heading, 11);
                    p_.Monospaced(b->Lines);
                }
            if (!text->Find(outputtext::Warnings)) {
                p_.Heading(QStringLiteral("Warnings"), 11);
                p_.Text(QStringLiteral("None."), Pages::Sans(9));
            }
        }
        ResultsTable(s);
        StageGraphs(p_, g_, static_cast<int>(k));
    }

private:
    QString StageNames() const
    {
        QStringList names;
        for (const TStageResults& s : r_.Stages)
            names << QString::fromStdString(s.Name);
        return QString::number(r_.Stages.size()) + ": " + names.join(", ");
    }

    QString Residuals(size_t k) const
    {
        if (k + 1 >= t_.Sections.size())
            return QString();
        const TextBlock* b = t_.Sections[k + 1].Find(outputtext::Equilibrium);
        if (!b)
            return QString();
        QStringList parts;
        for (const QString& l : b->Lines) {
            const int at = l.indexOf("(relative ");
            if (at >= 0)
                parts << (l.startsWith("Sum of lateral") ? "forces " : "moments ") +
                             l.mid(at + 10).chopped(1);
        }
        return parts.join(", ");
    }

    QStringList Status() const
    {
        QStringList lines;
        for (const QString& l : t_.Summary.Lines)
            if (l.contains(": "))
                lines << l;
        return lines;
    }

    void ResultsTable(const TStageResults& s)
    {
        p_.Heading(QStringLiteral("Results along the wall"), 11);
        const std::vector<size_t> chosen = ReadableRows(s.Rows, ReadableRowCount);
        if (chosen.size() < s.Rows.size())
            p_.Text(QStringLiteral("One node in %1 of the %2, with the first and last nodes and the nodes of the "
                                   "extreme values; the CSV export holds every node.")
                        .arg(chosen.size() > 1 ? chosen[1] - chosen[0] : 1)
                        .arg(s.Rows.size()),
                    Pages::Sans(8));
        std::vector<QStringList> rows;
        for (size_t i : chosen) {
            const TResultRow& r = s.Rows[i];
            rows.push_back({Num(r.Depth), Num(r.Deflection), Num(r.Moment), Num(r.Shear), Num(r.Reaction),
                            Num(r.Pressure), Num(r.PressureSoils), Num(r.PressureSurcharge)});
        }
        p_.Table({"Depth (" + u_.Depth + ")", "Deflection (" + u_.Deflection + ")", "Moment (" + u_.Moment + ")",
                  "Shear (" + u_.Shear + ")", "Soil reaction (" + u_.Reaction + ")",
                  "Total pressure (" + u_.Pressure + ")", "From soils (" + u_.Pressure + ")",
                  "From surcharges (" + u_.Pressure + ")"},
                 rows, {0.11, 0.13, 0.13, 0.12, 0.13, 0.13, 0.12, 0.13});
    }

    Pages& p_;
    const TResultSet& r_;
    const OutputText& t_;
    TResultGraphs& g_;
    ColumnUnits u_;
};

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
                               QPageSize::PageSizeId paper, QString* error, bool acceptOlder)
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

    // The report goes to a new file that replaces the old one only when complete.
    QSaveFile file(pdfFile);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, "Cannot write " + pdfFile + ": " + file.errorString());
    QPdfWriter pdf(&file);
    pdf.setResolution(Dpi);
    pdf.setPageSize(QPageSize(paper));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle("Calculation report: " + text.Field(outputtext::Title));
    pdf.setCreator(ProgramVersion);
    QPainter painter;
    if (!painter.begin(&pdf))
        return Fail(error, "Cannot write " + pdfFile);
    const QRectF page(QPointF(0, 0), QSizeF(pdf.width(), pdf.height()));
    const QRectF body = page.adjusted(Mm(18), Mm(20), -Mm(15), -Mm(16));
    Pages pages(pdf, body);
    ReportBuilder report(pages, results, text, graphs, context);
    report.TitleBlock(wallFile, fingerprint);
    report.Summary();
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
    report.DesignCheckPages(checkReport, checkFailure, reportWall.wall.get(),
                            ReadSettingsBeside(wall).settings.sections);
    report.Method();
    for (size_t k = 0; k < results.Stages.size(); ++k)
        report.Stage(k);
    const bool staged = results.Stages.size() > 1 && results.Stages[0].Name.rfind("Stage", 0) == 0;
    if (staged)
        Envelope(pages, results, ColumnUnitsOf(results.UnitSystem, context.UnitSystem, context.StripWidth),
                 StripBasis(context.UnitSystem, context.StripWidth), static_cast<int>(ReadableRowCount));

    PaintPages(painter, pdf, pages, body, text.Field(outputtext::Title), fingerprint, wallFile);
    if (!painter.end() || !file.commit())
        return Fail(error, "Cannot write " + pdfFile + ": " + file.errorString());
    return true;
}
