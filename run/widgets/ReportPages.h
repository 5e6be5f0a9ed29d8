#pragma once
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

#include "units/Units.h"

class QPaintDevice;
class QPainter;

// The page layout of the calculation report: text, tables and drawings placed
// top to bottom on pages of one body rectangle, a new page begun when the
// next item does not fit. Items are kept as drawing steps, so that every page
// can carry "Page n of N" once the count is known.
namespace report {

// The resolution the report is laid out and written at.
constexpr int Dpi = 300;
// Millimetres in device pixels.
inline double Mm(double mm)
{
    return mm / 25.4 * Dpi;
}

// A number as the report writes it (empty for NaN).
QString Num(long double v, int digits = 5);
QStringList Lines(const std::vector<std::string>& lines);

// The units of the report's result columns, each force, moment and shear with
// the basis of the analysed strip ("kN-m/m", "kN-m per 2.5 m strip").
struct ColumnUnits {
    QString Depth, Deflection, Moment, Shear, Reaction, Pressure;
};
// `resultUnits`: the unit system of the results; `wallUnits` and `stripWidth`
// (in the wall's length unit): those of the wall analysed.
ColumnUnits ColumnUnitsOf(UnitSystem resultUnits, UnitSystem wallUnits, double stripWidth);

using Step = std::function<void(QPainter&)>;

class Pages {
public:
    Pages(QPaintDevice& device, QRectF body);

    static QFont Sans(double points, bool bold = false);
    static QFont Mono(double points);

    double Width() const { return body_.width(); }
    // The width of one line of `text` in `font` on this device.
    double TextWidth(const QString& text, const QFont& font) const;
    size_t Count() const { return pages_.size(); }
    const std::vector<Step>& Page(size_t i) const { return pages_[i]; }
    // What is left of the current page, in millimetres.
    double RoomMm() const;

    void NewPage();
    void Space(double mm);
    // Starts a new page unless `mm` millimetres still fit on this one: what
    // belongs together (a table and its graph) stays on one page.
    void KeepTogether(double mm);

    // Text wrapped to the width; kept whole on one page.
    void Text(const QString& text, const QFont& font, double indentMm = 0, double keepWithNextMm = 0);
    // A heading kept on the page of at least `keepMm` of what follows it.
    void Heading(const QString& text, double points = 13, double keepMm = 25);
    // Lines of fixed-width text, in a size that fits the longest line to the width.
    void Monospaced(const QStringList& lines);
    // A table with a bold header row (repeated on every page it runs to);
    // `widths` are fractions of the width. Numbers are right-aligned. A
    // header's unit in brackets begins a line of its own, so that no unit is
    // broken at its hyphen ("kN-m").
    void Table(const QStringList& header, const std::vector<QStringList>& rows, const std::vector<double>& widths,
               double points = 8);
    // The height of that table in millimetres, as if it were placed now.
    double TableHeightMm(const QStringList& header, const std::vector<QStringList>& rows,
                         const std::vector<double>& widths, double points = 8) const;
    // A drawing of the given height in the full width.
    void Drawing(double heightMm, std::function<void(QPainter&, const QRectF&)> draw);

private:
    void Need(double h);
    void Add(Step step) { pages_.back().push_back(std::move(step)); }
    double RowHeight(const QStringList& cells, const QFont& font, const std::vector<double>& x) const;
    std::vector<double> Columns(const std::vector<double>& widths) const;

    QPaintDevice& device_;
    QRectF body_;
    std::vector<std::vector<Step>> pages_;
    double y_ = 0;
};

// A table header with each unit in brackets on a line of its own.
QStringList HeaderLines(const QStringList& header);

}  // namespace report
