#include "run/widgets/ReportPages.h"

#include "run/ResultTables.h"
#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace report {

QString Num(long double v, int digits)
{
    return std::isnan(v) ? QString() : QString::fromStdString(FormatGeneral(v, digits));
}

QStringList Lines(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& l : lines)
        out << QString::fromStdString(l);
    return out;
}

ColumnUnits ColumnUnitsOf(UnitSystem resultUnits, UnitSystem wallUnits, double stripWidth)
{
    const TResultUnits u = ResultUnits(resultUnits);
    const std::string basis = StripBasis(wallUnits, stripWidth);
    const std::string perLength = StripBasisPerLength(wallUnits, stripWidth);
    auto q = [](const std::string& s) { return QString::fromStdString(s); };
    return {q(u.Depth),         q(u.Deflection),           q(u.Moment + basis),
            q(u.Shear + basis), q(u.Reaction + perLength), q(u.Pressure + perLength)};
}

QStringList HeaderLines(const QStringList& header)
{
    QStringList out;
    for (QString h : header) {
        const int bracket = h.lastIndexOf(QLatin1String(" ("));
        if (bracket > 0 && h.endsWith(')'))
            h[bracket] = '\n';
        out << h;
    }
    return out;
}

Pages::Pages(QPaintDevice& device, QRectF body) : device_(device), body_(body)
{
    pages_.emplace_back();
    y_ = body.top();
}

QFont Pages::Sans(double points, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QFont Pages::Mono(double points)
{
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSizeF(points);
    return f;
}

double Pages::TextWidth(const QString& text, const QFont& font) const
{
    return QFontMetricsF(font, &device_).horizontalAdvance(text);
}

double Pages::RoomMm() const
{
    return (body_.bottom() - y_) / Mm(1);
}

void Pages::NewPage()
{
    if (y_ > body_.top()) {
        pages_.emplace_back();
        y_ = body_.top();
    }
}

void Pages::Space(double mm)
{
    y_ = std::min(y_ + Mm(mm), body_.bottom());
}

void Pages::KeepTogether(double mm)
{
    // Only what fits on a page at all can be kept on one.
    if (Mm(mm) <= body_.height())
        Need(Mm(mm));
}

void Pages::Text(const QString& text, const QFont& font, double indentMm, double keepWithNextMm)
{
    const double indent = Mm(indentMm);
    const QRectF bounds =
        QFontMetricsF(font, &device_).boundingRect(QRectF(0, 0, body_.width() - indent, 1e7), Qt::TextWordWrap, text);
    Need(bounds.height() + Mm(keepWithNextMm));
    const QRectF rect(body_.left() + indent, y_, body_.width() - indent, bounds.height());
    Add([=](QPainter& p) {
        p.setFont(font);
        p.drawText(rect, Qt::TextWordWrap, text);
    });
    y_ += bounds.height();
}

void Pages::Heading(const QString& text, double points, double keepMm)
{
    Space(points > 12 ? 4 : 2.5);
    Text(text, Sans(points, true), 0, keepMm);
    Space(1);
}

void Pages::Monospaced(const QStringList& lines)
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

std::vector<double> Pages::Columns(const std::vector<double>& widths) const
{
    std::vector<double> x{body_.left()};
    for (double w : widths)
        x.push_back(x.back() + w * body_.width());
    return x;
}

double Pages::RowHeight(const QStringList& cells, const QFont& f, const std::vector<double>& x) const
{
    double h = 0;
    for (int c = 0; c < cells.size() && c + 1 < static_cast<int>(x.size()); ++c)
        h = std::max(h, QFontMetricsF(f, &device_)
                            .boundingRect(QRectF(0, 0, x[c + 1] - x[c] - Mm(1.5), 1e6), Qt::TextWordWrap, cells[c])
                            .height());
    return h + Mm(0.8);
}

double Pages::TableHeightMm(const QStringList& header, const std::vector<QStringList>& rows,
                            const std::vector<double>& widths, double points) const
{
    const std::vector<double> x = Columns(widths);
    double h = RowHeight(HeaderLines(header), Sans(points, true), x);
    for (const QStringList& r : rows)
        h += RowHeight(r, Sans(points), x);
    return h / Mm(1);
}

void Pages::Table(const QStringList& headerText, const std::vector<QStringList>& rows,
                  const std::vector<double>& widths, double points)
{
    const QStringList header = HeaderLines(headerText);
    const QFont font = Sans(points), bold = Sans(points, true);
    const std::vector<double> x = Columns(widths);
    auto row = [&](const QStringList& cells, const QFont& f, bool rule) {
        const double h = RowHeight(cells, f, x);
        const double top = y_;
        const std::vector<double> xs = x;
        const double pad = Mm(0.75);
        Add([=](QPainter& p) {
            p.setFont(f);
            for (int c = 0; c < cells.size() && c + 1 < static_cast<int>(xs.size()); ++c) {
                bool number = false;
                cells[c].toDouble(&number);
                const QRectF cell(xs[c] + pad, top, xs[c + 1] - xs[c] - 2 * pad, h);
                p.drawText(cell, Qt::TextWordWrap | (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, cells[c]);
            }
            if (rule) {
                p.setPen(QPen(Qt::black, Mm(0.2)));
                p.drawLine(QPointF(xs.front(), top + h - Mm(0.3)), QPointF(xs.back(), top + h - Mm(0.3)));
            }
        });
        y_ += h;
    };
    Need(RowHeight(header, bold, x) + (rows.empty() ? 0 : RowHeight(rows.front(), font, x)));
    row(header, bold, true);
    for (const QStringList& r : rows) {
        if (y_ + RowHeight(r, font, x) > body_.bottom()) {
            NewPage();
            row(header, bold, true);
        }
        row(r, font, false);
    }
}

void Pages::Drawing(double heightMm, std::function<void(QPainter&, const QRectF&)> draw)
{
    const double h = Mm(heightMm);
    Need(h);
    const QRectF rect(body_.left(), y_, body_.width(), h);
    Add([=](QPainter& p) { draw(p, rect); });
    y_ += h;
}

void Pages::Need(double h)
{
    if (y_ + h > body_.bottom())
        NewPage();
}

}  // namespace report
