#include "run/widgets/ReportSummary.h"

#include "engine/ReportWriter.h"
#include "run/ResultTables.h"
#include "run/SpringTable.h"
#include "run/widgets/ReportOutline.h"

#include <cmath>

namespace report {

namespace {

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

// The relative residuals of forces and moments of analysis `k`, written as the
// output text writes them; empty when it gave no results.
QString Residuals(const std::vector<SectionRun>& values, size_t k)
{
    if (k >= values.size() || !values[k].built || !values[k].result.Ok())
        return QString();
    const SectionResult& r = values[k].result;
    return QString::fromStdString("forces " + ReportWriter::Number(r.ForceResidual(), 3) + ", moments " +
                                  ReportWriter::Number(r.MomentResidual(), 3));
}

// The status lines of the output text's closing block.
QStringList Status(const OutputText& text)
{
    QStringList lines;
    for (const QString& l : text.Summary.Lines)
        if (l.contains(": "))
            lines << l;
    return lines;
}

// The force of every spring and anchor in each analysis, with what the columns
// mean and the assumptions behind them.
void SpringSummary(Pages& pages, const std::vector<SectionRun>& values)
{
    const TSpringTable t = SpringTableOf(values);
    if (t.Empty())
        return;
    pages.Space(3);
    pages.Heading(QStringLiteral("Spring and anchor forces"), 11);
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
    pages.Table(header, rows, widths, 8);
    pages.Space(1);
    pages.Text(Lines(t.Notes).join(' '), Pages::Sans(8));
}

}  // namespace

void Summary(Pages& pages, const TResultSet& results, const OutputText& text, const std::vector<SectionRun>& values,
             const ColumnUnits& u)
{
    pages.Heading(QStringLiteral("Summary of results"));
    std::vector<QStringList> rows;
    for (size_t k = 0; k < results.Stages.size(); ++k) {
        const TStageResults& s = results.Stages[k];
        const Extreme y = Largest(s.Rows, &TResultRow::Deflection, 0);
        const Extreme mp = Largest(s.Rows, &TResultRow::Moment, 1);
        const Extreme mn = Largest(s.Rows, &TResultRow::Moment, -1);
        const Extreme v = Largest(s.Rows, &TResultRow::Shear, 0);
        auto at = [](const Extreme& e) {
            return e.None ? QStringLiteral("none") : Num(e.Value) + " at " + Num(e.Depth);
        };
        rows.push_back({QString::fromStdString(s.Name), at(y), at(mp), at(mn), at(v), Residuals(values, k)});
    }
    pages.Table({"Analysis", "Largest deflection (" + u.Deflection + ")", "Largest positive moment (" + u.Moment + ")",
                 "Largest negative moment (" + u.Moment + ")", "Largest shear (" + u.Shear + ")",
                 "Equilibrium (relative residual)"},
                rows, {0.13, 0.17, 0.17, 0.17, 0.16, 0.20});
    pages.Text("Depths (" + u.Depth + ") follow \"at\". Status of each analysis and of the run:", Pages::Sans(8));
    pages.Monospaced(Status(text));
    SpringSummary(pages, values);
}

}  // namespace report
