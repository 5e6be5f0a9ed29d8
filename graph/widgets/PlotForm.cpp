#include "graph/widgets/PlotForm.h"

#include "graph/GraphPlot.h"
#include "graph/LegendPlacement.h"
#include "graph/widgets/PlotLegend.h"
#include "graph/widgets/PlotZoom.h"
#include "units/NumberFormat.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinterInfo>
#include <QRubberBand>
#include <QTimer>

#include <cmath>

namespace {

// Curves beyond this count start inactive when the graph limits its legend.
constexpr int LegendLimitCount = 20;
// The window's font height in pixels, the base of every text size on screen.
constexpr int ScreenFontPixels = 14;

}  // namespace

// The window object a graph owns: it shows the child window and, when the graph
// goes first, closes it. The child window itself belongs to the QMdiArea.
class PlotWindow : public TGraphWindow {
public:
    PlotWindow(QMdiSubWindow* window, TPlotForm* form) : window_(window), form_(form) {}

    ~PlotWindow() override
    {
        if (!form_ || form_->closing_)
            return;
        form_->graph_ = nullptr;
        delete window_.data();
    }

    void ShowWindow() override
    {
        if (!window_)
            return;
        if (window_->isMinimized())
            window_->showNormal();
        else
            window_->show();
        window_->mdiArea()->setActiveSubWindow(window_);
    }

    void Reload() override
    {
        if (form_)
            form_->Reload();
    }

private:
    QPointer<QMdiSubWindow> window_;
    QPointer<TPlotForm> form_;
};

std::unique_ptr<TGraphWindow> TPlotForm::Create(TGraphPlot& graph, QMdiArea& area, Prompt& prompt)
{
    auto* form = new TPlotForm(graph, prompt);
    QMdiSubWindow* window = area.addSubWindow(form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->installEventFilter(form);
    window->resize(347, 391);
    window->setWindowIcon(area.window()->windowIcon());
    window->showMaximized();
    return std::make_unique<PlotWindow>(window, form);
}

TPlotForm* TPlotForm::Of(QMdiSubWindow* window)
{
    return window ? qobject_cast<TPlotForm*>(window->widget()) : nullptr;
}

TPlotForm::TPlotForm(TGraphPlot& graph, Prompt& prompt, QWidget* parent)
    : QWidget(parent), graph_(&graph), prompt_(prompt),
      pageLayout_(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(1, 1, 1, 1), QPageLayout::Inch)
{
    setWindowTitle(Titled(StartTitle()));
    setAccessibleName(QString::fromStdString(graph.ShownName()));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(120, 120);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(false);
    QFont f("Times New Roman");
    f.setPixelSize(ScreenFontPixels);
    setFont(f);

    // Over the drawing, never part of it: the drawing starts below it.
    banner_ = new QLabel(this);
    banner_->setWordWrap(true);
    banner_->setAutoFillBackground(true);
    banner_->setStyleSheet("background: rgb(255, 236, 179); color: black; padding: 4px; "
                           "border-bottom: 1px solid rgb(200, 150, 0);");
    banner_->setAccessibleName("Results not current");
    banner_->hide();

    CreateMenu();
    legend_ = new PlotLegend(this);
    legend_->hide();
    connect(legend_, &PlotLegend::EntryToggled, this, [this](int row) {
        ToggleCurve(legend_->item(row)->data(PlotLegend::CurveRole).toInt());
    });
    rubberBand_ = new QRubberBand(QRubberBand::Rectangle, this);

    for (int i = 0; i < graph.LineCount(); ++i)
        graph.Lines(i).Active = !(graph.LegendLimit && graph.LineCount() > LegendLimitCount && i >= LegendLimitCount);
    // The axes fit the curves the window draws.
    std::optional<TGraphRanges> full = GraphRanges(graph);
    if (full) {
        fullRanges_ = *full;
        ranges_ = *full;
    } else {
        // A range with no step cannot be drawn: the window closes itself.
        QTimer::singleShot(0, this, [this] {
            if (auto* w = qobject_cast<QMdiSubWindow*>(parentWidget()))
                w->close();
        });
    }

    BuildLegend();
    // The legend's 15-pixel font, in points at the screen's resolution.
    graph.LegendFont = static_cast<int>(std::lround(15.0 * 72.0 / std::max(1, logicalDpiY())));
    FitLegend(21);
    legend_->setVisible(graph.LineCount() > 0 && graph.ShowLegend);
    actShowLegend_->setVisible(legend_->isVisibleTo(this));

    hasPrinter_ = !QPrinterInfo::availablePrinters().isEmpty();
    actPrint_->setEnabled(hasPrinter_);
    actPageSetup_->setEnabled(hasPrinter_);
    resize(347, 391);
    ReLayout(true);
}

TPlotForm::~TPlotForm() = default;

void TPlotForm::Reload()
{
    if (!graph_)
        return;
    std::optional<TGraphRanges> full = GraphRanges(*graph_);
    if (!full) {
        // Nothing left to draw: the window closes once this call has returned.
        QTimer::singleShot(0, this, [this] {
            if (auto* w = qobject_cast<QMdiSubWindow*>(parentWidget()))
                w->close();
        });
        return;
    }
    fullRanges_ = *full;
    ranges_ = *full;
    for (QAction* a : curveActions_) {
        menu_->removeAction(a);
        delete a;
    }
    curveActions_.clear();
    legend_->clear();
    for (int i = 0; i < graph_->LineCount(); ++i)
        graph_->Lines(i).Active =
            !(graph_->LegendLimit && graph_->LineCount() > LegendLimitCount && i >= LegendLimitCount);
    BuildLegend();
    FitLegend(21);
    legend_->setVisible(graph_->LineCount() > 0 && graph_->ShowLegend);
    actShowLegend_->setVisible(legend_->isVisibleTo(this));
    setWindowTitle(Titled(StartTitle()));
    PlaceBanner();
    ReLayout(true);
    update();
}

void TPlotForm::PlaceBanner()
{
    const QString text = graph_ ? QString::fromStdString(graph_->Banner) : QString();
    banner_->setText(text);
    banner_->setAccessibleDescription(text);
    banner_->setVisible(!text.isEmpty());
    if (!text.isEmpty())
        banner_->setGeometry(0, 0, width(), banner_->heightForWidth(width()));
}

void TPlotForm::BuildLegend()
{
    for (const TLegendEntry& e : LegendEntries(*graph_)) {
        auto* item = new QListWidgetItem(QString::fromStdString(e.Text), legend_);
        item->setData(PlotLegend::CurveRole, e.Curve);
        item->setData(PlotLegend::VisibleRole, graph_->Lines(e.Curve).Visible);
        AddCurveAction(QString::fromStdString(e.Text), e.Curve);
    }
    ShowLegendNote();
}

QString TPlotForm::StartTitle() const
{
    // The graph window's own title, after the graph's name so that the title
    // bar, the main window's title and the Window menu say which graph it is.
    if (!graph_ || graph_->ShownName().empty())
        return QStringLiteral("PlotForm");
    return QString::fromStdString(graph_->ShownName()) + QStringLiteral(" - PlotForm");
}

QString TPlotForm::Titled(const QString& title) const
{
    if (!graph_ || graph_->Note.empty())
        return title;
    return title + " (" + QString::fromStdString(graph_->Note) + ")";
}

void TPlotForm::ShowLegendNote()
{
    // The note is the legend's last entry, belonging to no curve.
    for (int i = legend_->count() - 1; i >= 0; --i)
        if (legend_->item(i)->data(PlotLegend::CurveRole).toInt() < 0)
            delete legend_->takeItem(i);
    if (!graph_ || graph_->Note.empty())
        return;
    auto* item = new QListWidgetItem("(" + QString::fromStdString(graph_->Note) + ")", legend_);
    item->setData(PlotLegend::CurveRole, -1);
    item->setData(PlotLegend::VisibleRole, false);
}

QAction* TPlotForm::AddCurveAction(const QString& caption, int curve)
{
    QAction* a = menu_->addAction(caption);
    a->setCheckable(true);
    a->setChecked(graph_->Lines(curve).Visible);
    a->setData(curve);
    connect(a, &QAction::triggered, this, [this, a] { ToggleCurve(a->data().toInt()); });
    curveActions_.push_back(a);
    return a;
}

void TPlotForm::FitLegend(int startWidth)
{
    legend_->FitSize(startWidth, logicalDpiX() / 4);
}

void TPlotForm::UpdateLegendMarks()
{
    for (int i = 0; i < legend_->count(); ++i) {
        QListWidgetItem* item = legend_->item(i);
        item->setData(PlotLegend::VisibleRole, CurveVisible(item->data(PlotLegend::CurveRole).toInt()));
    }
    legend_->viewport()->update();
}

bool TPlotForm::CurveVisible(int curve) const
{
    // A plot data file read while the window is open may leave fewer curves.
    return graph_ && curve >= 0 && curve < graph_->LineCount() && graph_->Lines(curve).Visible;
}

void TPlotForm::ToggleCurve(int curve)
{
    if (!graph_ || curve < 0 || curve >= graph_->LineCount())
        return;
    TLine& line = graph_->Lines(curve);
    line.Visible = !line.Visible;
    for (QAction* a : curveActions_)
        if (a->data().toInt() == curve)
            a->setChecked(line.Visible);
    UpdateLegendMarks();
    update();
}

TLayoutInput TPlotForm::ScreenInput() const
{
    TLayoutInput in;
    in.Target = TPlotTarget::Screen;
    // The drawing starts below the banner, when one is shown.
    in.Client = {0, banner_ && !banner_->isHidden() ? banner_->height() : 0, width(), height()};
    in.TextHeight = ScaledTextHeight(ScreenFontPixels, graph_->SizeFont);
    in.Px = logicalDpiX();
    in.Py = logicalDpiY();
    return in;
}

TLayoutInput TPlotForm::BitmapInput(QSize size) const
{
    // A saved bitmap is laid out at the window's own resolution; its text
    // starts from the 8-point default font at that resolution.
    TLayoutInput in;
    in.Target = TPlotTarget::Bitmap;
    in.Client = {0, 0, size.width(), size.height()};
    in.Px = logicalDpiX();
    in.Py = logicalDpiY();
    in.TextHeight = ScaledTextHeight(static_cast<int>(std::lround(8.0 * in.Py / 72.0)), graph_->SizeFont);
    return in;
}

std::vector<TPixelPoint> TPlotForm::CurvePixels() const
{
    return ::CurvePixels(*graph_, TPanelMapping{layout_.Plot, ranges_.Panel[0], graph_->XOnTop});
}

void TPlotForm::ReLayout(bool placeLegend)
{
    if (!graph_)
        return;
    layout_ = ComputeLayout(*graph_, ScreenInput());
    if (placeLegend) {
        TLegendPlace place{layout_.Plot.Right - legend_->width(), layout_.Plot.Bottom - legend_->height()};
        // Where the curves fill that corner, the legend goes where it hides the fewest points.
        if (layout_.PanelCount == 1)
            place = LeastCoveringCorner(layout_.Plot, legend_->width(), legend_->height(), CurvePixels());
        legend_->move(place.X, place.Y);
    }
    legend_->KeepInside();
    update();
}

void TPlotForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceBanner();
    ReLayout(placeLegendOnResize_);
}

void TPlotForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A new window is shown maximised: its legend belongs in the corner of the
    // size it opens with, and from then on stays where the user puts it.
    if (placeLegendOnResize_)
        QTimer::singleShot(0, this, [this] { placeLegendOnResize_ = false; });
}

void TPlotForm::paintEvent(QPaintEvent*)
{
    if (!graph_)
        return;
    QPainter painter(this);
    Render(painter, ScreenInput());
}

QRect TPlotForm::PlotRect() const
{
    const TPixelRect& r = layout_.Plot;
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom));
}

QPoint TPlotForm::LimitToPlot(QPoint p) const
{
    const TPixelRect& r = layout_.Plot;
    return {std::clamp(p.x(), r.Left, std::max(r.Left, r.Right)), std::clamp(p.y(), r.Top, std::max(r.Top, r.Bottom))};
}

std::pair<long double, long double> TPlotForm::DataAt(QPoint p) const
{
    p = LimitToPlot(p);
    if (layout_.PanelCount == 1) {
        TPanelMapping m{layout_.Plot, ranges_.Panel[0], graph_->XOnTop};
        return {m.DataX(p.x()), m.DataY(p.y())};
    }
    for (int i = 0; i < layout_.PanelCount; ++i) {
        const TPixelRect& r = layout_.Panels[i];
        if (p.x() >= r.Left && p.x() <= r.Right) {
            TPanelMapping m{r, ranges_.Panel[i], graph_->XOnTop};
            return {m.DataX(p.x()), m.DataY(p.y())};
        }
    }
    return {0, 0};
}

void TPlotForm::mouseMoveEvent(QMouseEvent* event)
{
    if (!graph_)
        return;
    const QPoint p = event->position().toPoint();
    auto [x, y] = DataAt(p);
    setWindowTitle(Titled(QString::fromStdString((graph_->Caption.empty() ? graph_->ShownName() : graph_->Caption) +
                                                 " X: " + FormatGeneral(x, 5, 2) + " Y: " + FormatGeneral(y, 5, 2))));
    if (zooming_)
        rubberBand_->setGeometry(QRect(zoomStart_, LimitToPlot(p)).normalized());
}

void TPlotForm::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (!graph_ || !PlotRect().contains(p))
        return;
    if (event->button() == Qt::LeftButton && layout_.PanelCount == 1) {
        zooming_ = true;
        zoomStart_ = p;
        rubberBand_->setGeometry(QRect(p, QSize()));
        rubberBand_->show();
    } else if (event->button() == Qt::RightButton) {
        ZoomOut(p);
    }
}

void TPlotForm::mouseReleaseEvent(QMouseEvent* event)
{
    if (!zooming_ || event->button() != Qt::LeftButton)
        return;
    zooming_ = false;
    rubberBand_->hide();
    ZoomIn(zoomStart_, event->position().toPoint());
}

void TPlotForm::ZoomIn(QPoint a, QPoint b)
{
    // A line instead of a rectangle selects nothing.
    if (a.x() == b.x() || a.y() == b.y())
        return;
    b = LimitToPlot(b);
    TPanelMapping m{layout_.Plot, ranges_.Panel[0], graph_->XOnTop};
    TPanelRange& cur = ranges_.Panel[0];
    const TPanelRange& full = fullRanges_.Panel[0];
    ZoomSpan x = ZoomInSpan(m.DataX(a.x()), m.DataX(b.x()), {full.X.Min, full.X.Max});
    ZoomSpan y = ZoomInSpan(m.DataY(a.y()), m.DataY(b.y()), {full.Y.Min, full.Y.Max});
    cur.X = {x.Min, x.Max};
    cur.Y = {y.Min, y.Max};
    update();
}

void TPlotForm::ZoomOut(QPoint p)
{
    TPanelMapping m{layout_.Plot, ranges_.Panel[0], graph_->XOnTop};
    TPanelRange& cur = ranges_.Panel[0];
    const TPanelRange& full = fullRanges_.Panel[0];
    ZoomSpan x = ZoomOutSpan(m.DataX(p.x()), {cur.X.Min, cur.X.Max}, {full.X.Min, full.X.Max});
    ZoomSpan y = ZoomOutSpan(m.DataY(p.y()), {cur.Y.Min, cur.Y.Max}, {full.Y.Min, full.Y.Max});
    cur.X = {x.Min, x.Max};
    cur.Y = {y.Min, y.Max};
    update();
}

bool TPlotForm::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the child window destroys this window object's owner link, so
    // the next Execute builds a fresh window from the data.
    if (event->type() == QEvent::Close && watched == parentWidget() && graph_ && !closing_) {
        closing_ = true;
        TGraphPlot* graph = graph_;
        graph_ = nullptr;
        graph->PlotFormClosed();
    }
    return QWidget::eventFilter(watched, event);
}
