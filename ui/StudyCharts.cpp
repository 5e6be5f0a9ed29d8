#include "ui/StudyCharts.h"

#include "units/NumberFormat.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QColor LowColour(70, 120, 190);    // the output at the parameter's low value
const QColor HighColour(230, 140, 40);   // at its high value
const QColor BinColour(110, 150, 200);
const QColor LimitColour(200, 0, 0);

QString Text(const std::string& s) { return QString::fromStdString(s); }
QString Number(double v) { return Text(FormatGeneral(v, 4)); }

void WhiteBackground(QWidget& w)
{
    w.setAutoFillBackground(true);
    QPalette white = w.palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    w.setPalette(white);
}

// A mark of the legend: a swatch and its text from `x` on the line at `y`; the x after it.
int LegendEntry(QPainter& p, int x, int y, const QColor& colour, const QString& text)
{
    const QFontMetrics fm = p.fontMetrics();
    const int side = fm.ascent() * 3 / 4;
    p.fillRect(x, y - side, side, side, colour);
    x += side + fm.averageCharWidth();
    p.drawText(x, y, text);
    return x + fm.horizontalAdvance(text) + 3 * fm.averageCharWidth();
}

// A chart's caption in bold across its top line and a half.
void DrawCaption(QPainter& p, const QWidget& chart, const std::string& caption)
{
    const QFontMetrics fm = chart.fontMetrics();
    const int gap = fm.averageCharWidth();
    QFont bold = chart.font();
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(QRect(gap, 0, chart.width() - 2 * gap, fm.lineSpacing() * 3 / 2), Qt::AlignLeft | Qt::AlignVCenter,
               Text(caption));
    p.setFont(chart.font());
}

// The least and largest of the values a tornado chart spans.
std::pair<double, double> TornadoRange(const TornadoChartData& d)
{
    double low = d.base.value_or(d.bars.front().atLow), high = low;
    for (const TornadoBar& b : d.bars)
        for (double v : {b.atLow, b.atHigh}) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    if (!(high > low)) {
        const double pad = std::max(1.0, std::fabs(low) * 0.05);
        low -= pad;
        high += pad;
    }
    return {low, high};
}

}  // namespace

TTornadoChart::TTornadoChart(QWidget* parent) : QWidget(parent)
{
    setAccessibleName("Tornado chart");
    WhiteBackground(*this);
}

void TTornadoChart::SetChart(const TornadoChartData& data, const std::string& caption)
{
    data_ = data;
    caption_ = caption;
    setAccessibleDescription(Text(caption));
    updateGeometry();
    update();
}

QSize TTornadoChart::sizeHint() const
{
    const int line = fontMetrics().lineSpacing();
    return {60 * fontMetrics().averageCharWidth(),
            line * (5 + 2 * static_cast<int>(std::max<std::size_t>(data_.bars.size(), 3)))};
}

QSize TTornadoChart::minimumSizeHint() const
{
    // Room for every bar and its name: the chart scrolls rather than crowd them.
    const int line = fontMetrics().lineSpacing();
    return {40 * fontMetrics().averageCharWidth(), line * 6 + line * 3 / 2 * static_cast<int>(data_.bars.size())};
}

void TTornadoChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = fontMetrics();
    const int line = fm.lineSpacing(), gap = fm.averageCharWidth();
    if (data_.bars.empty()) {
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                   "No tornado to draw: run a sensitivity study with at least one parameter.");
        return;
    }
    DrawCaption(p, *this, caption_);
    // The parameters' names on the left, at most two fifths of the width.
    int names = 0;
    for (const TornadoBar& b : data_.bars)
        // A pixel to spare: the eliding measures in fractions of a pixel, and a
        // name exactly as wide as its room would lose its middle.
        names = std::max(names, fm.horizontalAdvance(Text(b.parameter)) + 1);
    names = std::min(names + 2 * gap, width() * 2 / 5);
    const int valueRoom = fm.horizontalAdvance("-0.0000E-00") + gap;
    const QRect plot(names + valueRoom, line * 2, std::max(1, width() - names - 2 * valueRoom - gap),
                     std::max(1, height() - line * 5));
    const std::pair<double, double> range = TornadoRange(data_);
    const double low = range.first, high = range.second;
    const auto x = [&](double v) { return plot.left() + (v - low) / (high - low) * plot.width(); };
    const double row = static_cast<double>(plot.height()) / static_cast<double>(data_.bars.size());
    const double bar = std::min(row * 0.7, line * 1.4);
    const double base = data_.base.value_or((data_.bars.front().atLow + data_.bars.front().atHigh) / 2);
    for (std::size_t i = 0; i < data_.bars.size(); ++i) {
        const TornadoBar& b = data_.bars[i];
        const double top = plot.top() + row * static_cast<double>(i) + (row - bar) / 2;
        p.setPen(Qt::black);
        p.drawText(QRectF(gap, top, names - 2 * gap, bar), Qt::AlignRight | Qt::AlignVCenter,
                   fm.elidedText(Text(b.parameter), Qt::ElideMiddle, names - 2 * gap));
        p.fillRect(QRectF(std::min(x(base), x(b.atLow)), top, std::fabs(x(b.atLow) - x(base)), bar), LowColour);
        p.fillRect(QRectF(std::min(x(base), x(b.atHigh)), top, std::fabs(x(b.atHigh) - x(base)), bar), HighColour);
        // Each value at the outer end of its bar.
        const auto label = [&](double v, bool isLow) {
            const bool left = v < base || (v == base && isLow);
            const QRectF room = left ? QRectF(x(v) - valueRoom, top, valueRoom - gap / 2, bar)
                                     : QRectF(x(v) + gap / 2, top, valueRoom, bar);
            p.drawText(room, (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, Number(v));
        };
        label(b.atLow, true);
        label(b.atHigh, false);
    }
    p.setPen(QPen(Qt::black, 1.5));
    // The base line, and its value in a row of its own under it, clear of the legend.
    p.drawLine(QPointF(x(base), plot.top() - line / 2), QPointF(x(base), plot.bottom()));
    p.drawText(QRectF(x(base) - 10 * gap, plot.bottom() + line / 8, 20 * gap, line), Qt::AlignCenter,
               "base " + Number(base));
    const int legend = height() - line / 2;
    const int next = LegendEntry(p, gap, legend, LowColour, "parameter at its low value");
    LegendEntry(p, next, legend, HighColour, "at its high value");
}

THistogramChart::THistogramChart(QWidget* parent) : QWidget(parent)
{
    setAccessibleName("Histogram");
    WhiteBackground(*this);
}

void THistogramChart::SetChart(const std::vector<HistogramBin>& bins, const std::string& caption,
                               std::optional<double> limit)
{
    bins_ = bins;
    caption_ = caption;
    limit_ = limit;
    setAccessibleDescription(Text(caption));
    update();
}

QSize THistogramChart::sizeHint() const
{
    return {50 * fontMetrics().averageCharWidth(), 16 * fontMetrics().lineSpacing()};
}

QSize THistogramChart::minimumSizeHint() const
{
    return {30 * fontMetrics().averageCharWidth(), 9 * fontMetrics().lineSpacing()};
}

void THistogramChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics fm = fontMetrics();
    const int line = fm.lineSpacing(), gap = fm.averageCharWidth();
    if (bins_.empty()) {
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, Text(caption_.empty() ? "No values to draw." : caption_ + ": no values to draw."));
        return;
    }
    DrawCaption(p, *this, caption_);
    long tallest = 1;
    for (const HistogramBin& b : bins_)
        tallest = std::max(tallest, b.count);
    const int left = fm.horizontalAdvance(QString::number(tallest)) + 2 * gap;
    const QRect plot(left, line * 2, std::max(1, width() - left - 3 * gap), std::max(1, height() - line * 4));
    const double low = bins_.front().low, high = bins_.back().high;
    const double span = high > low ? high - low : 1;
    const double from = high > low ? low : low - 0.5;
    const auto x = [&](double v) { return plot.left() + (v - from) / span * plot.width(); };
    const auto y = [&](long n) { return plot.bottom() - static_cast<double>(n) / static_cast<double>(tallest) * plot.height(); };
    const double width1 = high > low ? 0 : plot.width() / 3.0;
    for (const HistogramBin& b : bins_) {
        const QRectF r(QPointF(high > low ? x(b.low) : x(low) - width1 / 2, y(b.count)),
                       QPointF(high > low ? x(b.high) : x(low) + width1 / 2, plot.bottom()));
        p.fillRect(r, BinColour);
        p.setPen(Qt::white);
        p.drawRect(r);
    }
    p.setPen(Qt::black);
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawText(QRect(0, plot.top() - line / 2, left - gap, line), Qt::AlignRight | Qt::AlignVCenter, QString::number(tallest));
    p.drawText(QRect(0, plot.bottom() - line / 2, left - gap, line), Qt::AlignRight | Qt::AlignVCenter, "0");
    // Five values along the axis, the ends aligned to the plot's ends.
    const int axis = plot.bottom() + line / 4, tick = plot.width() / 4;
    for (int i = 0; i <= 4 && high > low; ++i) {
        const Qt::Alignment a = i == 0 ? Qt::AlignLeft : i == 4 ? Qt::AlignRight : Qt::AlignHCenter;
        const int x0 = i == 0 ? plot.left() : i == 4 ? plot.right() - tick : plot.left() + i * tick - tick / 2;
        p.drawLine(QPointF(plot.left() + i * tick, plot.bottom()), QPointF(plot.left() + i * tick, axis));
        p.drawText(QRect(x0, axis, tick, line), a, Number(low + (high - low) * i / 4));
    }
    if (!(high > low))
        p.drawText(QRect(plot.left(), axis, plot.width(), line), Qt::AlignHCenter, Number(low));
    if (limit_ && *limit_ >= from && *limit_ <= from + span) {
        p.setPen(QPen(LimitColour, 2, Qt::DashLine));
        p.drawLine(QPointF(x(*limit_), plot.top()), QPointF(x(*limit_), plot.bottom()));
        p.drawText(QPointF(x(*limit_) + gap / 2, plot.top() + line), "F = " + Number(*limit_));
    }
}
