#include "run/widgets/ReportStages.h"

#include "run/ResultTables.h"
#include "run/widgets/ReportGraphs.h"
#include "run/widgets/ReportOutline.h"

namespace report {

namespace {

// The input block of the output text, each coded option followed by its words;
// the codes are those of the analysed block (none without it).
QStringList WithOptionNames(QStringList lines, const SectionRun* values)
{
    if (!values)
        return lines;
    static const char* const earthPressure[] = {"none", "specified by the user", "generated, triangular distribution",
                                                "generated, trapezoidal distribution for anchored walls"};
    static const char* const pyCurves[] = {"none", "external p-y curves only", "generated"};
    for (QString& l : lines) {
        const QString trimmed = l.trimmed();
        auto name = [&](const char* key, int code, const char* const* names, int count) {
            if (trimmed.startsWith(QLatin1String(key)) && code >= 0 && code < count)
                l += QStringLiteral(" (") + names[code] + ')';
        };
        name("Earth-pressure option:", values->block.earthPressureOption, earthPressure, 4);
        name("p-y curve option:", values->block.pyCurveOption, pyCurves, 3);
    }
    return lines;
}

void ResultsTable(Pages& pages, const TStageResults& s, const ColumnUnits& u)
{
    pages.Heading(QStringLiteral("Results along the wall"), 11);
    const std::vector<size_t> chosen = ReadableRows(s.Rows, ReadableRowCount);
    if (chosen.size() < s.Rows.size())
        pages.Text(QStringLiteral("One node in %1 of the %2, with the first and last nodes and the nodes of the "
                                  "extreme values; the CSV export holds every node.")
                       .arg(chosen.size() > 1 ? chosen[1] - chosen[0] : 1)
                       .arg(s.Rows.size()),
                   Pages::Sans(8));
    std::vector<QStringList> rows;
    for (size_t i : chosen) {
        const TResultRow& r = s.Rows[i];
        rows.push_back({Num(r.Depth), Num(r.Deflection), Num(r.Moment), Num(r.Shear), Num(r.Reaction), Num(r.Pressure),
                        Num(r.PressureSoils), Num(r.PressureSurcharge)});
    }
    pages.Table({"Depth (" + u.Depth + ")", "Deflection (" + u.Deflection + ")", "Moment (" + u.Moment + ")",
                 "Shear (" + u.Shear + ")", "Soil reaction (" + u.Reaction + ")", "Total pressure (" + u.Pressure + ")",
                 "From soils (" + u.Pressure + ")", "From surcharges (" + u.Pressure + ")"},
                rows, {0.11, 0.13, 0.13, 0.12, 0.13, 0.13, 0.12, 0.13});
}

// The blocks of one analysis of the output text, as the engine wrote them.
void TextBlocks(Pages& pages, const TextSection& text, const SectionRun* values)
{
    if (const TextBlock* b = text.Find(outputtext::InputUsed)) {
        pages.Heading(QStringLiteral("Input"), 11);
        pages.Monospaced(WithOptionNames(b->Lines, values));
    }
    if (const TextBlock* b = text.Find(outputtext::ChoicesMade)) {
        pages.Heading(QStringLiteral("Method choices"), 11);
        for (const QString& l : b->Lines)
            if (!l.isEmpty())
                pages.Text(l, Pages::Sans(8.5), 0, 0), pages.Space(0.8);
    }
    for (const char* heading :
         {outputtext::InputError, outputtext::Iterations, outputtext::Maxima, outputtext::SpringForces,
          outputtext::RestraintReactions, outputtext::MomentJumps, outputtext::Equilibrium, outputtext::Warnings})
        if (const TextBlock* b = text.Find(heading)) {
            pages.Heading(heading, 11);
            pages.Monospaced(b->Lines);
        }
    if (!text.Find(outputtext::Warnings)) {
        pages.Heading(QStringLiteral("Warnings"), 11);
        pages.Text(QStringLiteral("None."), Pages::Sans(9));
    }
}

}  // namespace

void Method(Pages& pages, const OutputText& text)
{
    if (text.Sections.empty())
        return;
    pages.Heading(QStringLiteral("Method"));
    if (const TextBlock* m = text.Sections.front().Find(outputtext::Method))
        pages.Text(m->Lines.join(' '), Pages::Sans(9));
    if (const TextBlock* e = text.Sections.front().Find(outputtext::InputError)) {
        pages.Heading(QStringLiteral("Input error"), 11);
        pages.Monospaced(e->Lines);
    }
}

void Stage(Pages& pages, size_t k, const TResultSet& results, const OutputText& text,
           const std::vector<SectionRun>& values, TResultGraphs& graphs, const ColumnUnits& units)
{
    const TStageResults& s = results.Stages[k];
    const TextSection* section = k + 1 < text.Sections.size() ? &text.Sections[k + 1] : nullptr;
    pages.NewPage();
    // The engine's heading ("Stage 2 of 3") where it gives one.
    pages.Heading(section && !section->Name.isEmpty() ? section->Name : QString::fromStdString(s.Name), 16);
    if (section)
        TextBlocks(pages, *section, k < values.size() ? &values[k] : nullptr);
    ResultsTable(pages, s, units);
    StageGraphs(pages, graphs, static_cast<int>(k));
}

}  // namespace report
