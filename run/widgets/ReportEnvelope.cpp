#include "run/widgets/ReportEnvelope.h"

#include "graph/GraphPlot.h"
#include "run/ResultTables.h"
#include "run/widgets/ReportGraphs.h"

#include <QPainter>

#include <cmath>
#include <memory>

namespace report {

void Envelope(Pages& pages, const TResultSet& results, const ColumnUnits& u, const std::string& basis, int readableRows)
{
    const std::vector<TEnvelopeRow> envelope = StageEnvelope(results);
    pages.NewPage();
    pages.Heading(QStringLiteral("Envelope of the stages"), 16);
    pages.Text(
        QStringLiteral("The largest and smallest deflection, moment and shear at each depth over all "
                       "stages, with the stage that gives each (a stage counts only at depths its wall reaches)."),
        Pages::Sans(9));
    pages.Space(2);
    std::vector<TResultRow> asRows;
    for (const TEnvelopeRow& e : envelope) {
        TResultRow r;
        r.Depth = e.Depth;
        r.Deflection = std::fabs(e.Deflection.Max) > std::fabs(e.Deflection.Min) ? e.Deflection.Max : e.Deflection.Min;
        r.Moment = std::fabs(e.Moment.Max) > std::fabs(e.Moment.Min) ? e.Moment.Max : e.Moment.Min;
        r.Shear = std::fabs(e.Shear.Max) > std::fabs(e.Shear.Min) ? e.Shear.Max : e.Shear.Min;
        asRows.push_back(r);
    }
    std::vector<QStringList> rows;
    auto cell = [](long double v, int stage) { return Num(v) + " (" + QString::number(stage + 1) + ")"; };
    for (size_t i : ReadableRows(asRows, static_cast<size_t>(readableRows))) {
        const TEnvelopeRow& e = envelope[i];
        rows.push_back({Num(e.Depth), cell(e.Deflection.Max, e.Deflection.MaxStage),
                        cell(e.Deflection.Min, e.Deflection.MinStage), cell(e.Moment.Max, e.Moment.MaxStage),
                        cell(e.Moment.Min, e.Moment.MinStage), cell(e.Shear.Max, e.Shear.MaxStage),
                        cell(e.Shear.Min, e.Shear.MinStage)});
    }
    pages.Table({"Depth (" + u.Depth + ")", "Largest deflection (" + u.Deflection + ")", "Smallest deflection",
                 "Largest moment (" + u.Moment + ")", "Smallest moment", "Largest shear (" + u.Shear + ")",
                 "Smallest shear"},
                rows, {0.1, 0.15, 0.15, 0.15, 0.15, 0.15, 0.15});
    pages.Text(QStringLiteral("The stage number that governs follows each value in brackets."), Pages::Sans(8));
    auto graph = std::make_shared<TGraphPlot>();
    FillEnvelopeGraph(*graph, envelope, results.UnitSystem, basis);
    pages.Space(3);
    pages.Drawing(110, [graph](QPainter& p, const QRectF& rect) { DrawGraph(p, rect, *graph); });
}

}  // namespace report
