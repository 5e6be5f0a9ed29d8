#include "graph/widgets/GraphPainter.h"

#include "graph/LegendPlacement.h"

#include "units/NumberFormat.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

QRect ToQRect(const TPixelRect& r)
{
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom));
}

QString Text(const std::string& s)
{
    return QString::fromStdString(s);
}

// Everything one rendering shares between its steps.
struct Frame {
    QPainter& p;
    const TGraphPlot& plot;
    const TGraphRenderOptions& o;
    TPlotLayout layout;
    int H = 0;        // scaled text height
    int penWidth = 1;  // curve pen width
    QFont normal, bold;
};

// Writes text upwards (rotated 90 degrees counter-clockwise) with the top-left
// corner of its text cell at (x, y): it ends at y and extends to the right of x.
void DrawUpwards(QPainter& p, int x, int y, const QString& text)
{
    p.save();
    p.translate(x, y);
    p.rotate(-90);
    const QFontMetrics fm(p.font());
    p.drawText(QRect(0, 0, fm.horizontalAdvance(text) + 1, fm.height()), Qt::AlignLeft | Qt::AlignTop, text);
    p.restore();
}

// The room of an upright depth label in the graph font of height h: four
// significant digits with a sign and a point, as FormatGeneral gives them.
int UprightLabelWidth(int h)
{
    return QFontMetrics(TGraphPainter::GraphFont(h, false)).horizontalAdvance(QStringLiteral("-00.000")) + h / 4;
}

// Writes text with the top-left corner of its cell at (x, y).
void DrawAt(QPainter& p, int x, int y, const QString& text)
{
    const QFontMetrics fm(p.font());
    p.drawText(QRect(x, y, fm.horizontalAdvance(text) + 1, fm.height()), Qt::AlignLeft | Qt::AlignTop, text);
}

TPanelMapping Mapping(const Frame& f, int panel)
{
    return TPanelMapping{f.layout.Panels[panel], f.o.Ranges.Panel[panel], f.plot.XOnTop};
}

const TGraphPlot::LineList& PanelLines(const TGraphPlot& plot, int panel)
{
    return panel == 0 ? plot.LineList1() : panel == 1 ? plot.LineList2() : plot.LineList3();
}

void DrawTitle(Frame& f, const TPixelRect& c)
{
    if (f.plot.GraphTitle.empty())
        return;
    const QFontMetrics fm(f.bold);
    const QString title = Text(f.plot.GraphTitle);
    const int y = f.plot.GraphTitleOnTop ? c.Top : c.Bottom - fm.height();
    DrawAt(f.p, (c.Left + c.Right - fm.horizontalAdvance(title)) / 2, y, title);
}

void DrawCaptionsSingle(Frame& f, const TPixelRect& c)
{
    const TGraphPlot& g = f.plot;
    const QFontMetrics fm(f.bold);
    const bool titled = !g.GraphTitle.empty();
    const QString xCaption = Text(AxisCaption(g.XCaption, g.XUnits, g.Units()));
    int y;
    if (g.XOnTop)
        y = c.Top + (titled && g.GraphTitleOnTop ? f.H / 8 + f.H : 0);
    else
        y = c.Bottom - fm.height() - (titled && !g.GraphTitleOnTop ? f.H / 8 + f.H : 0);
    DrawAt(f.p, (c.Left + c.Right - fm.horizontalAdvance(xCaption)) / 2, y, xCaption);
    const QString yCaption = Text(AxisCaption(g.YCaption, g.YUnits, g.Units()));
    DrawUpwards(f.p, c.Left, (c.Top + c.Bottom + fm.horizontalAdvance(yCaption)) / 2, yCaption);
}

// A caption that fits `room` pixels in the painter's font: as it is, or with
// its name cut to the last word ("Moment (in-kips)"); when that is still too
// long the painter's font is made smaller (down to 60 %) and the text elided.
QString FittedCaption(QPainter& p, const QString& caption, int room)
{
    if (QFontMetrics(p.font()).horizontalAdvance(caption) <= room)
        return caption;
    const int units = caption.lastIndexOf(" (");
    const QString name = units > 0 ? caption.left(units) : caption;
    const QString tail = units > 0 ? caption.mid(units) : QString();
    const QString shortName = name.section(' ', -1) + tail;
    if (QFontMetrics(p.font()).horizontalAdvance(shortName) <= room)
        return shortName;
    QFont font = p.font();
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    for (int size = pixels - 1; size >= std::max(1, pixels * 6 / 10); --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(shortName) <= room)
            break;
    }
    p.setFont(font);
    return QFontMetrics(font).elidedText(shortName, Qt::ElideRight, std::max(0, room));
}

void DrawCaptionsThree(Frame& f, const TPixelRect& c)
{
    const TGraphPlot& g = f.plot;
    const QFontMetrics fm(f.bold);
    const bool titled = !g.GraphTitle.empty();
    const int Py = f.o.Py, Px = f.o.Px;
    const std::string* xCaptions[3][2] = {{&g.XCaption, &g.XUnits}, {&g.XCaption2, &g.XUnits2}, {&g.XCaption3, &g.XUnits3}};
    const std::string* yCaptions[3][2] = {{&g.YCaption, &g.YUnits}, {&g.YCaption2, &g.YUnits2}, {&g.YCaption3, &g.YUnits3}};
    // On a bitmap the y captions are centred on the plotting rectangle.
    const bool bitmap = f.o.Target == TPlotTarget::Bitmap;
    // The captions move by as much as the layout moved the panels for the
    // title, so that they never run into the tick labels.
    const bool printer = f.o.Target == TPlotTarget::Printer;
    const int titleTop = printer ? Py / 4 : f.H / 8 + f.H;
    const int titleBottom = printer ? Py / 4 : f.H;
    const int top = bitmap ? f.layout.Plot.Top : c.Top;
    const int bottom = bitmap ? f.layout.Plot.Bottom : c.Bottom;
    // Each caption has the width of its panel and half the gaps beside it; a
    // caption too long for it is shortened, then set smaller, so that none
    // runs into the next.
    const int gap = f.layout.Panels[1].Left - f.layout.Panels[0].Right;
    for (int k = 0; k < 3; ++k) {
        const TPixelRect& panel = f.layout.Panels[k];
        const int room = panel.Right - panel.Left + gap - f.H / 2;
        const QString xc = FittedCaption(f.p, Text(AxisCaption(*xCaptions[k][0], *xCaptions[k][1], g.Units())), room);
        int y;
        if (g.XOnTop)
            y = c.Top + Py / 16 + (titled && g.GraphTitleOnTop ? titleTop : 0);
        else
            y = c.Bottom - Py / 16 - fm.height() - (titled && !g.GraphTitleOnTop ? titleBottom : 0);
        DrawAt(f.p, (panel.Left + panel.Right - QFontMetrics(f.p.font()).horizontalAdvance(xc)) / 2, y, xc);
        f.p.setFont(f.bold);
        const QString yc = Text(AxisCaption(*yCaptions[k][0], *yCaptions[k][1], g.Units()));
        const int labelRoom = f.o.UprightDepthLabels ? UprightLabelWidth(f.H) : f.H;
        DrawUpwards(f.p, panel.Left - Px / 8 - f.H - labelRoom, (top + bottom + fm.horizontalAdvance(yc)) / 2, yc);
    }
}

void DrawCaptions(Frame& f)
{
    f.p.setFont(f.bold);
    f.p.setPen(Qt::black);
    const TPixelRect& c = f.o.Client;
    DrawTitle(f, c);
    if (f.plot.ShowThree)
        DrawCaptionsThree(f, c);
    else
        DrawCaptionsSingle(f, c);
}

// The visible tick indices of an axis: those of IMin..IMax whose value lies in the range.
void VisibleTicks(const TAxisTicks& t, const TAxisRange& r, long long& first, long long& last)
{
    first = std::max(t.IMin, static_cast<long long>(std::floor(r.Min / t.Minor)) - 1);
    last = std::min(t.IMax, static_cast<long long>(std::ceil(r.Max / t.Minor)) + 1);
}

// Every how many major ticks a label is written: narrow panels would otherwise
// run long labels into one another. Grid lines stay on every major tick.
long long LabelEvery(const TAxisTicks& t, long long first, long long last, int majorPixels, const QFontMetrics& fm,
                     int gap)
{
    int widest = 0;
    for (long long i = first; i <= last; ++i)
        if (i % 5 == 0)
            widest = std::max(widest, fm.horizontalAdvance(Text(FormatGeneral(i * t.Minor, 4, 2))));
    long long every = 1;
    while (every < 10 && every * std::abs(majorPixels) < widest + gap)
        ++every;
    return every;
}

bool Labelled(long long i, long long every)
{
    const long long major = i / 5;
    return ((major % every) + every) % every == 0;
}

void DrawGrid(Frame& f, int panel)
{
    const TPixelRect& r = f.layout.Panels[panel];
    const TPanelMapping map = Mapping(f, panel);
    const int k = f.plot.ShowThree ? 4 : 6;
    const TAxisTicks xt = AxisTicks(map.Range.X, r.Right - r.Left, f.H, k);
    const TAxisTicks yt = AxisTicks(map.Range.Y, r.Bottom - r.Top, f.H, k);
    const int Px = f.o.Px, Py = f.o.Py;
    const QPen gridPen(QColor(150, 150, 150), 1, Qt::DotLine);
    const QPen tickPen(Qt::black, 1, Qt::SolidLine);
    f.p.setFont(f.normal);
    const QFontMetrics fm(f.normal);
    if (xt.Exists && xt.IMax > xt.IMin) {
        long long first, last;
        VisibleTicks(xt, map.Range.X, first, last);
        const long long every = LabelEvery(xt, first, last, map.X(xt.Major) - map.X(0), fm, f.H / 2);
        for (long long i = first; i <= last; ++i) {
            const long double v = i * xt.Minor;
            const int d = map.X(v);
            if (d < r.Left || d > r.Right)
                continue;
            const int edge = f.plot.XOnTop ? r.Top : r.Bottom;
            if (i % 5 == 0) {
                f.p.setPen(gridPen);
                f.p.drawLine(d, r.Top, d, r.Bottom);
                f.p.setPen(Qt::black);
            }
            if (i % 5 == 0 && Labelled(i, every)) {
                const QString label = Text(FormatGeneral(v, 4, 2));
                const int y = f.plot.XOnTop ? r.Top - fm.height() - Py / 32 : r.Bottom + Py / 16;
                DrawAt(f.p, d - fm.horizontalAdvance(label) / 2, y, label);
            }
            f.p.setPen(tickPen);
            f.p.drawLine(d, edge, d, f.plot.XOnTop ? edge + Py / 16 : edge - Py / 16);
        }
    }
    if (yt.Exists && yt.IMax > yt.IMin) {
        long long first, last;
        VisibleTicks(yt, map.Range.Y, first, last);
        const long long every = LabelEvery(yt, first, last, map.Y(yt.Major) - map.Y(0), fm, f.H / 2);
        for (long long i = first; i <= last; ++i) {
            const long double v = i * yt.Minor;
            const int row = map.Y(v);
            if (row < r.Top || row > r.Bottom)
                continue;
            if (i % 5 == 0) {
                f.p.setPen(gridPen);
                f.p.drawLine(r.Left, row, r.Right, row);
                f.p.setPen(Qt::black);
            }
            if (i % 5 == 0 && Labelled(i, every)) {
                const QString label = Text(FormatGeneral(v, 4, 2));
                if (f.o.UprightDepthLabels)
                    DrawAt(f.p, r.Left - fm.horizontalAdvance(label) - Px / 32 - 1, row - fm.height() / 2, label);
                else
                    DrawUpwards(f.p, r.Left - fm.height() - Px / 32, row + fm.horizontalAdvance(label) / 2, label);
            }
            f.p.setPen(tickPen);
            f.p.drawLine(r.Left, row, r.Left + Px / 16, row);
        }
    }
}

void DrawMarker(QPainter& p, int index, int x, int y, int rx, int ry)
{
    const std::vector<TPixelPoint> v = MarkerVertices(index, x, y, rx, ry);
    QPolygon outline;
    for (const TPixelPoint& q : v)
        outline << QPoint(q.X, q.Y);
    p.drawPolyline(outline);
}

void DrawCurves(Frame& f, int panel)
{
    const TGraphPlot& g = f.plot;
    const auto& lines = PanelLines(g, panel);
    if (lines.empty() || lines.front()->PointCount() < 2)
        return;
    const TPanelMapping map = Mapping(f, panel);
    f.p.save();
    f.p.setClipRect(ToQRect(f.layout.Panels[panel]).adjusted(0, 0, 1, 1));
    // In the three-panel layout a panel of several load cases leaves out the
    // last point of every curve.
    const bool dropLast = g.ShowThree && lines.size() > 1;
    const int rx = f.o.Px / 32, ry = f.o.Py / 32;
    int colour = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (static_cast<int>(i) >= g.LineCount())
            break;
        const TLine& flags = g.Lines(static_cast<int>(i));
        if (!flags.Active)
            continue;
        const Qt::PenStyle dash = TGraphPainter::Dash(colour);
        const QColor c = TGraphPainter::Color(colour++);
        if (!flags.Visible)
            continue;
        const TLine& line = *lines[i];
        const int n = line.PointCount() - (dropLast ? 1 : 0);
        if (n < 1)
            continue;
        // A one-pixel pen takes the painter's fast path for thin lines; wider
        // pens get round joins so that thick curves have no notches.
        QPen pen(c, f.penWidth, dash, Qt::RoundCap, Qt::RoundJoin);
        if (f.penWidth <= 1 && dash == Qt::SolidLine) {
            pen.setCapStyle(Qt::FlatCap);
            pen.setJoinStyle(Qt::MiterJoin);
        }
        f.p.setPen(pen);
        f.p.setBrush(c);
        QPolygon poly(n);
        for (int j = 0; j < n; ++j)
            poly.setPoint(j, map.X(line.Points[static_cast<size_t>(j)].X), map.Y(line.Points[static_cast<size_t>(j)].Y));
        f.p.drawPolyline(poly);
        if (g.Markers > 0) {
            // All outlines of a curve in one call: thousands of markers stay fast.
            const std::vector<TPixelPoint> v = MarkerOffsets(static_cast<int>(i), rx, ry);
            QVector<QLine> edges;
            for (int j = 0; j < n; ++j)
                if (j == 0 || j % g.Markers == 0) {
                    const QPoint at = poly.point(j);
                    for (size_t e = 1; e < v.size(); ++e)
                        edges.append(QLine(at.x() + v[e - 1].X, at.y() + v[e - 1].Y, at.x() + v[e].X, at.y() + v[e].Y));
                }
            f.p.drawLines(edges);
        }
    }
    f.p.restore();
    f.p.setPen(Qt::black);
    f.p.setBrush(Qt::white);
}

void DrawLegendBox(Frame& f)
{
    const TGraphPlot& g = f.plot;
    struct Shown {
        int position;
        int curve;
        QString text;
    };
    std::vector<Shown> shown;
    const std::vector<TLegendEntry> entries = LegendEntries(g);
    for (size_t e = 0; e < entries.size(); ++e)
        if (g.Lines(entries[e].Curve).Visible)
            shown.push_back({static_cast<int>(e), entries[e].Curve, Text(entries[e].Text)});
    if (shown.empty())
        return;
    f.p.setFont(f.normal);
    const QFontMetrics fm(f.normal);
    int w = 0;
    for (const Shown& s : shown)
        w = std::max(w, fm.horizontalAdvance(s.text));
    const int h = fm.height(), Px = f.o.Px, Py = f.o.Py;
    const int n = static_cast<int>(shown.size());
    const TPixelRect& r = f.layout.Plot;
    // The box ends just inside the frame's lower right corner, unless the
    // curves of a single panel fill it and another corner is freer.
    const int width = w + 3 * Px / 16, height = (Py / 32 + h) * n + Py / 32;
    TLegendPlace place{r.Right - width, r.Bottom - height};
    if (f.layout.PanelCount == 1)
        place = LeastCoveringCorner(r, width, height, CurvePixels(g, Mapping(f, 0)));
    const QRect box(place.X, place.Y, width - 1, height - 1);
    f.p.setPen(QPen(Qt::black, 1));
    f.p.setBrush(Qt::white);
    f.p.drawRect(box);
    int y = box.top() + Py / 32;
    for (const Shown& s : shown) {
        const QColor c = TGraphPainter::Color(s.position);
        f.p.setPen(QPen(c, f.penWidth));
        // The curve's own marker shape, so that legend and curve agree; a short
        // line stands for the curve when markers are off, or when its dashes
        // tell it from a curve of the same colour.
        const int x = box.left() + Px / 16, my = y + h / 2;
        if (g.Markers > 0 && CurveDash(s.position) == TCurveDash::Solid) {
            DrawMarker(f.p, s.curve, x, my, Px / 32, Py / 32);
        } else {
            f.p.setPen(QPen(c, f.penWidth, TGraphPainter::Dash(s.position)));
            f.p.drawLine(x - Px / 32, my, x + Px / 32, my);
        }
        const TRgb text = LegendTextColor(s.position);
        f.p.setPen(QColor(text.R, text.G, text.B));
        DrawAt(f.p, box.left() + Px / 16 + Px / 16, y, s.text);
        y += Py / 32 + h;
    }
    f.p.setPen(Qt::black);
}

QBrush FillBrush(int code, bool print)
{
    switch (code) {
    case 2: return QBrush(Qt::black, Qt::FDiagPattern);
    case 3: return QBrush(Qt::black, Qt::CrossPattern);
    case 4: return QBrush(Qt::black, Qt::DiagCrossPattern);
    case 5: return QBrush(Qt::black, Qt::HorPattern);
    case 6: return QBrush(Qt::black, Qt::VerPattern);
    default: break;
    }
    const QImage picture = TGraphPainter::FillPattern(code, print);
    return picture.isNull() ? QBrush(Qt::NoBrush) : QBrush(picture);
}

void DrawSoilStrip(Frame& f)
{
    const TGraphPlot& g = f.plot;
    const TPixelRect& s = f.layout.Strip;
    const std::vector<TStripBand> bands = SoilStripBands(g, s, Mapping(f, 0), f.layout.Plot.Bottom);
    if (bands.empty())
        return;
    const bool print = f.o.Target == TPlotTarget::Printer;
    f.p.save();
    f.p.setClipRect(ToQRect(s).adjusted(0, 0, 1, 1));
    f.p.setBrushOrigin(s.Left, s.Top);
    QFont nameFont = TGraphPainter::GraphFont(std::max(1, TGraphPainter::BaseFontPixels(f.o.Target, *f.p.device())), false);
    if (f.o.BaseFontPixels > 0)
        nameFont.setPixelSize(f.o.BaseFontPixels);
    f.p.setFont(nameFont);
    for (const TStripBand& b : bands) {
        // A band's outline covers pixels Left..Right-1 and Top..Bottom-1.
        const int top = std::min(b.Top, b.Bottom), bottom = std::max(b.Top, b.Bottom);
        const QRect rect(b.Left, top, b.Right - 1 - b.Left, bottom - 1 - top);
        f.p.setPen(QPen(Qt::black, 1));
        if (b.IsWall) {
            f.p.setBrush(QColor(128, 128, 128));
        } else {
            f.p.fillRect(rect, Qt::white);
            f.p.setBrush(FillBrush(b.Code, print));
        }
        f.p.drawRect(rect);
        if (b.Labelled) {
            const QString name = Text(g.Layers(b.Entry).GetName()).trimmed();
            const QFontMetrics fm(nameFont);
            const QRect textRect = fm.boundingRect(name).adjusted(-2, 0, 2, 0);
            if (textRect.width() <= rect.width()) {
                QRect at(0, 0, textRect.width(), fm.height());
                at.moveCenter(rect.center());
                f.p.fillRect(at, Qt::white);
                f.p.drawText(at, Qt::AlignCenter, name);
            } else {
                // A band narrower than its name (the strip of a small picture)
                // writes it upwards, in a font no taller than the band is wide.
                QFont upFont = nameFont;
                upFont.setPixelSize(std::max(1, std::min(fm.height(), rect.width() - 2) * 4 / 5));
                const QFontMetrics um(upFont);
                const QString shown = um.elidedText(name, Qt::ElideRight, std::max(0, rect.height() - 4));
                const int length = um.horizontalAdvance(shown) + 2;
                f.p.save();
                f.p.setFont(upFont);
                f.p.translate(rect.center().x() - um.height() / 2, rect.center().y() + length / 2);
                f.p.rotate(-90);
                const QRect at(0, 0, length, um.height());
                f.p.fillRect(at, Qt::white);
                f.p.drawText(at, Qt::AlignCenter, shown);
                f.p.restore();
            }
        }
    }
    f.p.restore();
    f.p.setBrush(Qt::white);
}

void DrawFrames(Frame& f)
{
    f.p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    f.p.setBrush(Qt::NoBrush);
    for (int k = 0; k < f.layout.PanelCount; ++k) {
        const TPixelRect& r = f.layout.Panels[k];
        // The outline runs along the panel's edge pixels, left..right and top..bottom.
        f.p.drawRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
    }
}

}  // namespace

int TGraphPainter::BaseFontPixels(TPlotTarget target, const QPaintDevice& device)
{
    if (target == TPlotTarget::Screen)
        return 14;
    return static_cast<int>(std::lround(8.0 * device.logicalDpiY() / 72.0));
}

TLayoutInput TGraphPainter::LayoutInput(const TGraphPlot& plot, const TGraphRenderOptions& options,
                                        const QPaintDevice& device)
{
    const int base = options.BaseFontPixels > 0 ? options.BaseFontPixels : BaseFontPixels(options.Target, device);
    TLayoutInput in{options.Target, options.Client, ScaledTextHeight(base, plot.SizeFont), options.Px, options.Py};
    if (options.UprightDepthLabels)
        in.UprightLabelWidth = UprightLabelWidth(in.TextHeight);
    return in;
}

QFont TGraphPainter::GraphFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif, QFont::PreferAntialias);
    font.setPixelSize(std::max(1, pixels));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QColor TGraphPainter::Color(int c)
{
    const TRgb rgb = PaletteColor(c);
    return QColor(rgb.R, rgb.G, rgb.B);
}

Qt::PenStyle TGraphPainter::Dash(int c)
{
    switch (CurveDash(c)) {
    case TCurveDash::Dash: return Qt::DashLine;
    case TCurveDash::Dot: return Qt::DotLine;
    case TCurveDash::DashDot: return Qt::DashDotLine;
    case TCurveDash::Solid: break;
    }
    return Qt::SolidLine;
}

void TGraphPainter::Render(QPainter& painter, const TGraphPlot& plot, const TGraphRenderOptions& options)
{
    const TLayoutInput in = LayoutInput(plot, options, *painter.device());
    Frame f{painter, plot, options, ComputeLayout(plot, in), in.TextHeight, CurvePenWidth(options.Px, plot.WidthLine),
            GraphFont(in.TextHeight, false), GraphFont(in.TextHeight, true)};
    const TPixelRect& c = options.Client;
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(QRect(QPoint(c.Left, c.Top), QPoint(c.Right - 1, c.Bottom - 1)), Qt::white);
    if (c.Right - c.Left < options.Px || c.Bottom - c.Top < options.Py) {
        painter.restore();
        return;
    }
    DrawCaptions(f);
    for (int k = 0; k < f.layout.PanelCount; ++k)
        DrawGrid(f, k);
    for (int k = 0; k < f.layout.PanelCount; ++k)
        DrawCurves(f, k);
    if (options.Target != TPlotTarget::Screen)
        DrawLegendBox(f);
    if (plot.ShowLayers)
        DrawSoilStrip(f);
    DrawFrames(f);
    painter.restore();
}
