#include "run/widgets/CalculationReport.h"

#include "TorvikVersion.h"
#include "checks/DesignChecksTable.h"
#include "checks/UtilisationGraph.h"
#include "checks/UtilisationTable.h"
#include "graph/widgets/GraphPainter.h"
#include "run/AnalysisRun.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"
#include "run/OutputTextOutline.h"
#include "run/ResultTables.h"
#include "run/SpringTable.h"
#include "units/NumberFormat.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>

namespace {

const char* const ProgramVersion = ProgramNameAndRelease;
constexpr int Dpi = 300;
// Result tables longer than this show every few rows and the extremes.
constexpr size_t ReadableRowCount = 36;

double Mm(double mm) { return mm / 25.4 * Dpi; }

// ---------------------------------------------------------------------------
// The output text of the engine, cut into its sections and headed blocks.

struct TextBlock {
    QString Heading;
    QStringList Lines;
};

struct TextSection {
    QString Name;  // "Stage 2 of 3", or empty for the front matter
    std::vector<TextBlock> Blocks;
    const TextBlock* Find(const QString& heading) const
    {
        for (const TextBlock& b : Blocks)
            if (b.Heading == heading)
                return &b;
        return nullptr;
    }
};

struct OutputText {
    QStringList Front;  // "Engine: ..." lines before the first heading
    std::vector<TextSection> Sections;  // [0]: the front matter's blocks (Method)
    TextBlock Summary;
    TSpringTable Springs;  // the springs' and anchors' forces of every analysis
    QString Field(const QString& key) const
    {
        for (const QString& l : Front)
            if (l.startsWith(key + ':'))
                return l.mid(key.size() + 1).trimmed();
        return QString();
    }
};

QStringList Lines(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& l : lines)
        out << QString::fromStdString(l);
    return out;
}

// The engine's output text cut into its parts by the core's reader, which knows
// the headings the engine writes.
OutputText ParseOutputText(const QString& text)
{
    const OutputTextOutline outline = ::ParseOutputText(text.toStdString());
    OutputText out;
    out.Front = Lines(outline.front);
    for (const OutputTextSection& s : outline.sections) {
        out.Sections.push_back(TextSection{QString::fromStdString(s.name), {}});
        for (const OutputTextBlock& b : s.blocks)
            out.Sections.back().Blocks.push_back(TextBlock{QString::fromStdString(b.heading), Lines(b.lines)});
    }
    out.Summary = TextBlock{QString::fromStdString(outline.summary.heading), Lines(outline.summary.lines)};
    out.Springs = SpringTableOf(outline);
    return out;
}

// ---------------------------------------------------------------------------
// A flowing layout of pages: text, tables and graphs are placed top to
// bottom, a new page begins when the next item does not fit. Items are kept
// as drawing steps so that every page can carry "Page n of N".

using Step = std::function<void(QPainter&)>;

class Pages {
public:
    Pages(QPaintDevice& device, QRectF body) : device_(device), body_(body) { pages_.emplace_back(); y_ = body.top(); }

    static QFont Sans(double points, bool bold = false)
    {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }
    static QFont Mono(double points)
    {
        QFont f(QStringLiteral("DejaVu Sans Mono"));
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
        f.setPointSizeF(points);
        return f;
    }

    double Width() const { return body_.width(); }
    // The width of one line of `text` in `font` on this device.
    double TextWidth(const QString& text, const QFont& font) const
    {
        return QFontMetricsF(font, &device_).horizontalAdvance(text);
    }
    size_t Count() const { return pages_.size(); }
    const std::vector<Step>& Page(size_t i) const { return pages_[i]; }

    void NewPage()
    {
        if (y_ > body_.top()) {
            pages_.emplace_back();
            y_ = body_.top();
        }
    }
    void Space(double mm) { y_ = std::min(y_ + Mm(mm), body_.bottom()); }

    // Text wrapped to the width; kept whole on one page.
    void Text(const QString& text, const QFont& font, double indentMm = 0, double keepWithNextMm = 0)
    {
        const double indent = Mm(indentMm);
        const QRectF bounds = QFontMetricsF(font, &device_).boundingRect(
            QRectF(0, 0, body_.width() - indent, 1e7), Qt::TextWordWrap, text);
        Need(bounds.height() + Mm(keepWithNextMm));
        const QRectF rect(body_.left() + indent, y_, body_.width() - indent, bounds.height());
        Add([=](QPainter& p) {
            p.setFont(font);
            p.drawText(rect, Qt::TextWordWrap, text);
        });
        y_ += bounds.height();
    }
    // A heading kept on the page of at least `keepMm` of what follows it.
    void Heading(const QString& text, double points = 13, double keepMm = 25)
    {
        Space(points > 12 ? 4 : 2.5);
        Text(text, Sans(points, true), 0, keepMm);
        Space(1);
    }
    // Lines of fixed-width text, in a size that fits the longest line to the width.
    void Monospaced(const QStringList& lines)
    {
        int longest = 1;
        for (const QString& l : lines)
            longest = std::max<int>(longest, static_cast<int>(l.size()));
        QFont font = Mono(8);
        const double advance = QFontMetricsF(font, &device_).horizontalAdvance(QString(longest, 'M'));
        if (advance > body_.width())
            font.setPointSizeF(std::max(4.0, 8 * body_.width() / advance * 0.99));
        const double h = QFontMetricsF(font, &device_).lineSpacing();
        const double ascent = QFontMetricsF(font, &device_).ascent();
        for (const QString& l : lines) {
            Need(h);
            const QPointF at(body_.left(), y_ + ascent);
            Add([=](QPainter& p) {
                p.setFont(font);
                p.drawText(at, l);
            });
            y_ += h;
        }
    }
    // A table with a bold header row (repeated on every page it runs to);
    // `widths` are fractions of the width. Numbers are right-aligned.
    void Table(const QStringList& header, const std::vector<QStringList>& rows, const std::vector<double>& widths,
               double points = 8)
    {
        const QFont font = Sans(points), bold = Sans(points, true);
        std::vector<double> x{body_.left()};
        for (double w : widths)
            x.push_back(x.back() + w * body_.width());
        auto height = [&](const QStringList& cells, const QFont& f) {
            double h = 0;
            for (int c = 0; c < cells.size() && c + 1 < static_cast<int>(x.size()); ++c)
                h = std::max(h, QFontMetricsF(f, &device_)
                                    .boundingRect(QRectF(0, 0, x[c + 1] - x[c] - Mm(1.5), 1e6), Qt::TextWordWrap,
                                                  cells[c])
                                    .height());
            return h + Mm(0.8);
        };
        auto row = [&](const QStringList& cells, const QFont& f, bool rule) {
            const double h = height(cells, f);
            const double top = y_;
            const std::vector<double> xs = x;
            const double pad = Mm(0.75);
            Add([=](QPainter& p) {
                p.setFont(f);
                for (int c = 0; c < cells.size() && c + 1 < static_cast<int>(xs.size()); ++c) {
                    bool number = false;
                    cells[c].toDouble(&number);
                    const QRectF cell(xs[c] + pad, top, xs[c + 1] - xs[c] - 2 * pad, h);
                    p.drawText(cell, Qt::TextWordWrap | (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop,
                               cells[c]);
                }
                if (rule) {
                    p.setPen(QPen(Qt::black, Mm(0.2)));
                    p.drawLine(QPointF(xs.front(), top + h - Mm(0.3)), QPointF(xs.back(), top + h - Mm(0.3)));
                }
            });
            y_ += h;
        };
        Need(height(header, bold) + (rows.empty() ? 0 : height(rows.front(), font)));
        row(header, bold, true);
        for (const QStringList& r : rows) {
            if (y_ + height(r, font) > body_.bottom()) {
                NewPage();
                row(header, bold, true);
            }
            row(r, font, false);
        }
    }
    // A drawing of the given height in the full width.
    void Drawing(double heightMm, std::function<void(QPainter&, const QRectF&)> draw)
    {
        const double h = Mm(heightMm);
        Need(h);
        const QRectF rect(body_.left(), y_, body_.width(), h);
        Add([=](QPainter& p) { draw(p, rect); });
        y_ += h;
    }

private:
    void Need(double h)
    {
        if (y_ + h > body_.bottom())
            NewPage();
    }
    void Add(Step step) { pages_.back().push_back(std::move(step)); }

    QPaintDevice& device_;
    QRectF body_;
    std::vector<std::vector<Step>> pages_;
    double y_ = 0;
};

// ---------------------------------------------------------------------------

QString Num(long double v, int digits = 5)
{
    return std::isnan(v) ? QString() : QString::fromStdString(FormatGeneral(v, digits));
}

// Draws `graph` into `rect` as a saved picture is drawn (with its legend box),
// its axes sized from the curves it shows.
void DrawGraph(QPainter& p, const QRectF& rect, const TGraphPlot& graph)
{
    const auto ranges = GraphRanges(graph);
    if (!ranges)
        return;
    TGraphRenderOptions o;
    o.Target = TPlotTarget::Bitmap;
    o.Client = TPixelRect{0, 0, static_cast<int>(rect.width()), static_cast<int>(rect.height())};
    o.Px = o.Py = Dpi;
    o.Ranges = *ranges;
    o.BaseFontPixels = static_cast<int>(std::lround(8.0 * Dpi / 72.0));
    p.save();
    p.translate(rect.topLeft());
    TGraphPainter::Render(p, graph, o);
    p.restore();
}

// The design checks of the saved wall as the report shows them; the table is
// empty when they could not be made, and `failure` says why.
struct DesignCheckSection {
    std::optional<checks::DesignChecksTable> table;
    std::optional<checks::UtilisationTable> utilisation;
    std::shared_ptr<TGraphPlot> graph;
    QString failure;
};

// Shows only curve k of a graph (every curve when k < 0).
void ShowOnly(TGraphPlot& graph, int k)
{
    for (int i = 0; i < graph.LineCount(); ++i) {
        graph.Lines(i).Active = k < 0 || i == k;
        graph.Lines(i).Visible = true;
    }
}

struct Extreme {
    long double Value = 0, Depth = 0;
};
Extreme Largest(const std::vector<TResultRow>& rows, long double TResultRow::*column, int sign)
{
    Extreme e;
    bool any = false;
    for (const TResultRow& r : rows) {
        const long double v = sign == 0 ? std::fabs(r.*column) : sign * (r.*column);
        if (!any || v > (sign == 0 ? std::fabs(e.Value) : sign * e.Value)) {
            e = {r.*column, r.Depth};
            any = true;
        }
    }
    return e;
}

class ReportBuilder {
public:
    ReportBuilder(Pages& pages, const TResultSet& results, const OutputText& text, TResultGraphs& graphs)
        : p_(pages), r_(results), t_(text), g_(graphs), u_(ResultUnits(results.UnitSystem))
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
            auto at = [](const Extreme& e) { return Num(e.Value) + " at " + Num(e.Depth); };
            rows.push_back({QString::fromStdString(s.Name), at(y), at(mp), at(mn), at(v), Residuals(k)});
        }
        p_.Table({"Analysis", "Largest deflection (" + U(u_.Deflection) + ")",
                  "Largest positive moment (" + U(u_.Moment) + ")", "Largest negative moment (" + U(u_.Moment) + ")",
                  "Largest shear (" + U(u_.Shear) + ")", "Equilibrium (relative residual)"},
                 rows, {0.13, 0.17, 0.17, 0.17, 0.16, 0.20});
        p_.Text("Depths (" + U(u_.Depth) + ") follow \"at\". Status of each analysis:", Pages::Sans(8));
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
    // embedment, then the section and anchors with the utilisation graph.
    void DesignChecks(const DesignCheckSection& section)
    {
        p_.Heading(QStringLiteral("Design checks"));
        if (!section.table) {
            p_.Text("The design checks could not be made: " + section.failure, Pages::Sans(9));
            return;
        }
        const checks::DesignChecksTable& table = *section.table;
        std::vector<QStringList> rows;
        for (size_t i = 0; i < table.rows.size(); ++i) {
            QStringList row = Lines(table.rows[i]);
            if (static_cast<int>(i) == table.governingRow)
                row[checks::ColumnStage] += QStringLiteral(" (governing)");
            rows.push_back(row);
        }
        p_.Table(Lines(table.header), rows, {0.14, 0.09, 0.11, 0.14, 0.12, 0.14, 0.15, 0.11});
        p_.Space(1);
        std::vector<QStringList> utilisations;
        for (const std::vector<std::string>& row : section.utilisation->rows)
            utilisations.push_back(Lines(row));
        p_.Table(Lines(section.utilisation->header), utilisations, {0.16, 0.14, 0.10, 0.14, 0.10, 0.36});
        p_.Space(1);
        if (section.graph->LineCount() > 0) {
            std::shared_ptr<TGraphPlot> graph = section.graph;
            p_.Drawing(95, [graph](QPainter& p, const QRectF& rect) { DrawGraph(p, rect, *graph); });
            p_.Space(1);
        }
        for (const std::string& remark : table.remarks) {
            p_.Text(QString::fromStdString(remark), Pages::Sans(8));
            p_.Space(0.8);
        }
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
                p_.Monospaced(b->Lines);
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
        Graphs(static_cast<int>(k));
    }

    void Envelope()
    {
        const std::vector<TEnvelopeRow> envelope = StageEnvelope(r_);
        p_.NewPage();
        p_.Heading(QStringLiteral("Envelope of the stages"), 16);
        p_.Text(QStringLiteral("The largest and smallest deflection, moment and shear at each depth over all "
                               "stages, with the stage that gives each (a stage counts only at depths its wall reaches)."),
                Pages::Sans(9));
        p_.Space(2);
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
        auto cell = [this](long double v, int stage) {
            return Num(v) + " (" + QString::number(stage + 1) + ")";
        };
        for (size_t i : ReadableRows(asRows, ReadableRowCount)) {
            const TEnvelopeRow& e = envelope[i];
            rows.push_back({Num(e.Depth), cell(e.Deflection.Max, e.Deflection.MaxStage),
                            cell(e.Deflection.Min, e.Deflection.MinStage), cell(e.Moment.Max, e.Moment.MaxStage),
                            cell(e.Moment.Min, e.Moment.MinStage), cell(e.Shear.Max, e.Shear.MaxStage),
                            cell(e.Shear.Min, e.Shear.MinStage)});
        }
        p_.Table({"Depth (" + U(u_.Depth) + ")", "Largest deflection (" + U(u_.Deflection) + ")",
                  "Smallest deflection", "Largest moment (" + U(u_.Moment) + ")", "Smallest moment",
                  "Largest shear (" + U(u_.Shear) + ")", "Smallest shear"},
                 rows, {0.1, 0.15, 0.15, 0.15, 0.15, 0.15, 0.15});
        p_.Text(QStringLiteral("The stage number that governs follows each value in brackets."), Pages::Sans(8));
        auto graph = std::make_shared<TGraphPlot>();
        FillEnvelopeGraph(*graph, envelope, r_.UnitSystem);
        p_.Space(3);
        p_.Drawing(110, [graph](QPainter& p, const QRectF& rect) { DrawGraph(p, rect, *graph); });
    }

    void Closing()
    {
        if (t_.Summary.Lines.isEmpty())
            return;
        p_.Heading(QStringLiteral("End of the run"), 11);
        p_.Monospaced(t_.Summary.Lines);
    }

private:
    static QString U(const std::string& s) { return QString::fromStdString(s); }

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
            if (l.contains(": ") && !l.startsWith("Run ended"))
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
        p_.Table({"Depth (" + U(u_.Depth) + ")", "Deflection (" + U(u_.Deflection) + ")",
                  "Moment (" + U(u_.Moment) + ")", "Shear (" + U(u_.Shear) + ")",
                  "Soil reaction (" + U(u_.Reaction) + ")", "Total pressure (" + U(u_.Pressure) + ")",
                  "From soils (" + U(u_.Pressure) + ")", "From surcharges (" + U(u_.Pressure) + ")"},
                 rows, {0.11, 0.13, 0.13, 0.12, 0.13, 0.13, 0.12, 0.13});
    }

    void Graphs(int k)
    {
        TResultGraphs* g = &g_;
        p_.Heading(QStringLiteral("Graphs"), 11, 108);
        p_.Drawing(105, [g, k](QPainter& p, const QRectF& rect) {
            ShowOnly(g->DeflectionMomentShear, k);
            DrawGraph(p, rect, g->DeflectionMomentShear);
        });
        p_.Space(3);
        p_.Drawing(85, [g, k](QPainter& p, const QRectF& rect) {
            ShowOnly(g->SoilReaction, k);
            ShowOnly(g->EarthPressure, k < g->EarthPressure.LineCount() ? k : -1);
            const QRectF left(rect.left(), rect.top(), rect.width() / 2 - Mm(2), rect.height());
            const QRectF right(rect.center().x() + Mm(2), rect.top(), rect.width() / 2 - Mm(2), rect.height());
            DrawGraph(p, left, g->SoilReaction);
            DrawGraph(p, right, g->EarthPressure);
        });
    }

    Pages& p_;
    const TResultSet& r_;
    const OutputText& t_;
    TResultGraphs& g_;
    TResultUnits u_;
};

// The checks of the data file as saved, at the default target factor.
DesignCheckSection MakeDesignChecks(const std::string& wallFile)
{
    DesignCheckSection out;
    try {
        const checks::DesignCheckReport report = checks::RunDesignChecks(wallFile);
        out.table = checks::MakeDesignChecksTable(report);
        out.utilisation = checks::MakeUtilisationTable(report);
        out.graph = std::make_shared<TGraphPlot>();
        checks::FillUtilisationGraph(*out.graph, report);
    } catch (const std::exception& e) {
        out.failure = QString::fromStdString(e.what());
    }
    return out;
}

bool Fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

// Paints every page of the report: the running header (title and the data
// file's fingerprint), the footer (program, file, page count) and the page's steps.
void PaintPages(QPainter& painter, QPdfWriter& pdf, Pages& pages, const QRectF& body, const QString& title,
                const QString& fingerprint, const QString& wallFile)
{
    const QFont headerFont = Pages::Sans(7), monoFont = Pages::Mono(6.5);
    for (size_t i = 0; i < pages.Count(); ++i) {
        if (i > 0)
            pdf.newPage();
        painter.setPen(Qt::black);
        painter.setFont(headerFont);
        const double headerY = body.top() - Mm(6);
        const QString fp = "SHA-256 " + fingerprint;
        const double fpWidth = QFontMetricsF(monoFont, &pdf).horizontalAdvance(fp);
        const QString shownTitle = QFontMetricsF(headerFont, &pdf).elidedText(title, Qt::ElideRight, body.width() - fpWidth - Mm(4));
        painter.drawText(QPointF(body.left(), headerY), shownTitle);
        painter.setFont(monoFont);
        painter.drawText(QPointF(body.right() - fpWidth, headerY), fp);
        painter.setPen(QPen(Qt::black, Mm(0.2)));
        painter.drawLine(QPointF(body.left(), headerY + Mm(1.5)), QPointF(body.right(), headerY + Mm(1.5)));
        painter.setFont(headerFont);
        const QRectF footer(body.left(), body.bottom() + Mm(5), body.width(), Mm(5));
        painter.drawText(footer, Qt::AlignLeft, QString(ProgramVersion) + "  " + QFileInfo(wallFile).fileName());
        painter.drawText(footer, Qt::AlignRight, QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.Count()));
        for (const Step& step : pages.Page(i)) {
            painter.save();
            painter.setPen(Qt::black);
            step(painter);
            painter.restore();
        }
    }
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
        return Fail(error, "The output text " + outputFile + " is missing or older than the data file: analyse the wall again.");
    const OutputText text = ParseOutputText(QString::fromUtf8(output.readAll()));
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
    ReportBuilder report(pages, results, text, graphs);
    report.TitleBlock(wallFile, fingerprint);
    report.Summary();
    const DesignCheckSection checks = MakeDesignChecks(wall);
    report.DesignChecks(checks);
    report.Method();
    for (size_t k = 0; k < results.Stages.size(); ++k)
        report.Stage(k);
    const bool staged = results.Stages.size() > 1 && results.Stages[0].Name.rfind("Stage", 0) == 0;
    if (staged)
        report.Envelope();
    report.Closing();

    PaintPages(painter, pdf, pages, body, text.Field(outputtext::Title), fingerprint, wallFile);
    if (!painter.end() || !file.commit())
        return Fail(error, "Cannot write " + pdfFile + ": " + file.errorString());
    return true;
}
