#include "run/widgets/ReportDesignChecks.h"

#include "checks/CombinationTable.h"
#include "checks/DesignChecks.h"
#include "checks/DesignChecksTable.h"
#include "checks/GroundChecksTable.h"
#include "checks/UtilisationGraph.h"
#include "checks/UtilisationTable.h"
#include "graph/GraphPlot.h"
#include "model/ProgramData.h"
#include "model/WallSettings.h"
#include "run/widgets/ReportGraphs.h"
#include "ui/rules/SectionRules.h"

#include <QPainter>

#include <memory>

namespace report {

namespace {

// The height of the utilisation graph on the page.
constexpr double GraphHeightMm = 95;

}  // namespace

void SteelSections(Pages& pages, const std::vector<TSectionSettings>& sections, const TProgramData& wall)
{
    pages.Heading(QStringLiteral("Steel sections"), 11);
    if (sections.empty()) {
        pages.Text(QStringLiteral("The wall has no steel section: bending and shear are not checked."), Pages::Sans(9));
        return;
    }
    const QStringList header = Lines(SectionColumnCaptions(wall.UnitSystem(), SectionsPerPile(wall)));
    std::vector<QStringList> rows;
    for (const TSectionSettings& s : sections) {
        QStringList row;
        for (int f = 0; f < SectionFieldCount; ++f) {
            const QString text = QString::fromStdString(SectionFieldText(s, static_cast<TSectionField>(f), wall));
            // A value of 0 is one not given.
            const bool number = f >= static_cast<int>(TSectionField::Modulus);
            row << (number && text == QLatin1String("0") ? QStringLiteral("not given") : text);
        }
        rows.push_back(row);
    }
    pages.Table(header, rows, {0.09, 0.1, 0.17, 0.17, 0.15, 0.16, 0.16});
    pages.Space(1);
    pages.Text(QStringLiteral("Each section holds from its first node down to the next section's. W and the shear "
                              "area are reduced by the corrosion loss in the checks."),
               Pages::Sans(8));
}

void Combinations(Pages& pages, const checks::DesignCheckReport& report)
{
    const std::vector<checks::CombinationTable> tables = checks::MakeCombinationTables(report);
    if (tables.empty())
        return;
    pages.Heading(QStringLiteral("Design approach ") + DesignApproachName(report.approach), 11);
    pages.Text(QStringLiteral("Partial factors used:"), Pages::Sans(9));
    for (const std::string& line : checks::FactorLines(report))
        pages.Text(QString::fromStdString(line), Pages::Sans(9), 4);
    pages.Space(1);
    const std::vector<double> widths{0.11, 0.09, 0.10, 0.08, 0.10, 0.10, 0.08, 0.08, 0.18, 0.08};
    for (const checks::CombinationTable& t : tables) {
        std::vector<QStringList> rows;
        for (const std::vector<std::string>& row : t.rows)
            rows.push_back(Lines(row));
        const QString heading = QString::fromStdString(
            t.heading + (t.governingRow >= 0 ? ": " + t.rows[static_cast<size_t>(t.governingRow)][0] : std::string()));
        pages.Text(heading, Pages::Sans(9, true), 0, pages.TableHeightMm(Lines(t.header), rows, widths));
        pages.Table(Lines(t.header), rows, widths);
        pages.Space(1);
    }
    pages.Text(QString::fromStdString(checks::ApproachDefinition(report.approach, report.unplannedExcavation)),
               Pages::Sans(8));
    pages.Space(0.8);
}

// The base and the anchors' place in the ground, for walls whose settings ask for them.
void Ground(Pages& pages, const checks::DesignCheckReport& report)
{
    if (!checks::HasGroundChecks(report))
        return;
    const checks::GroundChecksTable table = checks::MakeGroundChecksTable(report);
    std::vector<QStringList> rows;
    for (const std::vector<std::string>& row : table.rows)
        rows.push_back(Lines(row));
    const std::vector<double> widths{0.16, 0.16, 0.20, 0.48};
    pages.KeepTogether(pages.TableHeightMm(Lines(table.header), rows, widths));
    pages.Table(Lines(table.header), rows, widths);
    pages.Space(1);
}

void DesignChecks(Pages& pages, const checks::DesignCheckReport& report)
{
    const checks::DesignChecksTable table = checks::MakeDesignChecksTable(report);
    const checks::UtilisationTable utilisation = checks::MakeUtilisationTable(report);
    auto graph = std::make_shared<TGraphPlot>();
    checks::FillUtilisationGraph(*graph, report);

    std::vector<QStringList> rows;
    for (size_t i = 0; i < table.rows.size(); ++i) {
        QStringList row = Lines(table.rows[i]);
        if (static_cast<int>(i) == table.governingRow)
            row[checks::ColumnStage] += QStringLiteral(" (governing)");
        rows.push_back(row);
    }
    const std::vector<double> widths{0.12, 0.05, 0.09, 0.08, 0.10, 0.09, 0.09, 0.09, 0.10, 0.11, 0.08};
    std::vector<QStringList> utilisations;
    for (const std::vector<std::string>& row : utilisation.rows)
        utilisations.push_back(Lines(row));
    const std::vector<double> utilisationWidths{0.16, 0.14, 0.10, 0.14, 0.10, 0.36};
    const QStringList utilisationHeader = Lines(utilisation.header);
    const double graphMm = graph->LineCount() > 0 ? GraphHeightMm + 2 : 0;
    const double utilisationMm = pages.TableHeightMm(utilisationHeader, utilisations, utilisationWidths) + graphMm;
    // The tables and the graph of the checks on one page where they fit on one;
    // else at least the section table and its graph.
    pages.KeepTogether(pages.TableHeightMm(Lines(table.header), rows, widths) + 2 + utilisationMm);
    pages.Table(Lines(table.header), rows, widths);
    pages.Space(1);
    pages.KeepTogether(utilisationMm);
    pages.Table(utilisationHeader, utilisations, utilisationWidths);
    pages.Space(1);
    if (graph->LineCount() > 0) {
        pages.Drawing(GraphHeightMm, [graph](QPainter& p, const QRectF& rect) { DrawGraph(p, rect, *graph); });
        pages.Space(1);
    }
    Ground(pages, report);
    for (const std::string& remark : table.remarks) {
        pages.Text(QString::fromStdString(remark), Pages::Sans(8));
        pages.Space(0.8);
    }
    Combinations(pages, report);
}

void DesignCheckPages(Pages& pages, const std::optional<checks::DesignCheckReport>& report, const QString& failure,
                      const TProgramData* wall, const std::vector<TSectionSettings>& sections)
{
    pages.Heading(QStringLiteral("Design checks"));
    if (wall)
        SteelSections(pages, sections, *wall);
    pages.Space(2);
    if (!report) {
        pages.Text("The design checks could not be made: " + failure, Pages::Sans(9));
        return;
    }
    DesignChecks(pages, *report);
}

}  // namespace report
