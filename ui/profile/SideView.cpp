#include "ui/profile/SideView.h"

#include "graph/widgets/GraphExport.h"
#include "model/WallDocument.h"
#include "model/ProgramData.h"
#include "model/SoilType.h"
#include "units/Prompt.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace {

const char* const SaveFilter = "PNG Image (*.png);;SVG Drawing (*.svg);;PDF Document (*.pdf)";
// Saved pictures have twice the window's pixels, so that a PNG stays sharp in a report.
constexpr int SavePpi = 192;

// The font for a device `scale` times finer than the screen: point sizes follow
// the device's resolution by themselves, pixel sizes must be scaled.
QFont DeviceFont(QFont font, double scale)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * scale))));
    return font;
}

// The tint of a soil type, from the kinds' own table.
QColor SoilTintColor(int type)
{
    const SoilTypeTraits* traits = FindSoilType(type);
    const SoilTint tint = traits ? traits->Tint : kUnknownSoilTint;
    return QColor(tint.Red, tint.Green, tint.Blue);
}

}  // namespace

TDlgSideView::TDlgSideView(TWallDocument& document, Prompt& prompt, QWidget* parent)
    : QWidget(parent), document_(document), prompt_(prompt)
{
    setWindowTitle("Side View");
    setAccessibleName("Side View");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackgroundRole(QPalette::Button);
    setMouseTracking(true);
    setMinimumSize(MinimumWidth, 180);

    label_ = new QLabel("Wall Profile", this);
    label_->setAccessibleName("Wall Profile");
    QFont heading = label_->font();
    heading.setBold(true);
    label_->setFont(heading);
    label_->adjustSize();

    print_ = new QPushButton("Print", this);
    print_->setAccessibleName("Print");
    connect(print_, &QPushButton::clicked, this, &TDlgSideView::PrintClick);
    save_ = new QPushButton("Save As...", this);
    save_->setAccessibleName("Save As...");
    save_->setToolTip("Save the profile as a PNG, SVG or PDF file");
    connect(save_, &QPushButton::clicked, this, &TDlgSideView::SaveClick);
    for (QPushButton* b : {print_, save_}) {
        b->setFocusPolicy(Qt::TabFocus);
        b->resize(std::max(57, b->sizeHint().width()), std::max(25, b->sizeHint().height()));
    }
    resize(572, 404);
}

QIcon TDlgSideView::ToolIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.scale(size / 32.0, size / 32.0);
        p.setRenderHint(QPainter::Antialiasing);
        // Retained soil on the left up to the wall top, excavated soil on the right.
        // Stronger than the view's tints, to read at toolbar size.
        const QColor soil(220, 180, 105);
        p.fillRect(QRectF(2, 8, 13, 22), soil);
        p.fillRect(QRectF(17, 19, 13, 11), soil);
        p.setPen(QPen(QColor(90, 70, 40), 1.5));
        p.drawLine(QPointF(2, 8), QPointF(15, 8));
        p.drawLine(QPointF(17, 19), QPointF(30, 19));
        p.fillRect(QRectF(14, 3, 4, 27), Qt::black);
        // A water table on the retained side.
        p.setPen(QPen(QColor(0, 96, 200), 1.5));
        p.drawLine(QPointF(4, 15), QPointF(12, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 96, 200));
        p.drawPolygon(QPolygonF({QPointF(5.5, 11.5), QPointF(10.5, 11.5), QPointF(8, 15)}));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

TDlgSideView* TDlgSideView::Find(const QMdiArea& area)
{
    for (QMdiSubWindow* w : area.subWindowList())
        if (auto* view = qobject_cast<TDlgSideView*>(w->widget()))
            return view;
    return nullptr;
}

TDlgSideView* TDlgSideView::Open(QMdiArea& area, TWallDocument& document, Prompt& prompt)
{
    TDlgSideView* view = Find(area);
    QMdiSubWindow* sub = nullptr;
    if (view) {
        sub = qobject_cast<QMdiSubWindow*>(view->parentWidget());
    } else {
        view = new TDlgSideView(document, prompt);
        sub = area.addSubWindow(view);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->resize(580, 431);
        connect(&area, &QMdiArea::subWindowActivated, view, [view, sub](QMdiSubWindow* active) {
            if (active != sub)
                return;
            view->FormActivate();
            // The window left behind stores its edits once this activation is
            // complete (an input dialog does): the view reads the wall again after it.
            QTimer::singleShot(0, view, &TDlgSideView::FormActivate);
        });
    }
    sub->show();
    area.setActiveSubWindow(sub);
    view->FormActivate();
    return view;
}

void TDlgSideView::FormActivate()
{
    scene_ = ReadProfileScene(document_.Wall(), document_.Tables(), document_.Settings());
    // Without a wall outline the previous world window stays, and the ground
    // and the layers are drawn against it.
    if (scene_.Outline)
        world_ = WorldWindowFor(*scene_.Outline);
    print_->setEnabled(!world_.Degenerate());
    save_->setEnabled(!world_.Degenerate());
    update();
}

QSize TDlgSideView::DrawingSize() const
{
    // The sketch ends above the buttons, so that they never hide the tip.
    return QSize(width(), std::max(1, print_->y() - 4));
}

TWorldWindow TDlgSideView::View() const
{
    const QSize drawing = DrawingSize();
    return ViewWindow(world_, drawing.width(), drawing.height());
}

bool TDlgSideView::event(QEvent* event)
{
    // Returning to the main window from another window counts as activation too.
    if (event->type() == QEvent::WindowActivate) {
        auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
        if (sub && sub->mdiArea() && sub->mdiArea()->activeSubWindow() == sub)
            FormActivate();
    }
    return QWidget::event(event);
}

std::vector<TProfileItem> TDlgSideView::Layout(QPainter& painter, const QFont& font, QSize pixels, double scale,
                                              bool page) const
{
    TProfileDevice device;
    device.Width = pixels.width();
    device.Height = pixels.height();
    device.Page = page;
    device.TextHeight = QFontMetrics(font, painter.device()).height();
    device.Scale = scale;
    // The printed page keeps the screen's view window; other targets have its proportions.
    const TWorldWindow view = page ? View() : ViewWindow(world_, pixels.width(), pixels.height());
    return LayoutProfile(scene_, view, device);
}

void TDlgSideView::Render(QPainter& painter, const std::vector<TProfileItem>& items, const QFont& font,
                          const TProfileColors& colors)
{
    painter.save();
    if (colors.Background.isValid())
        painter.fillRect(QRect(QPoint(0, 0), QSize(painter.device()->width(), painter.device()->height())),
                         colors.Background);
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const QFontMetrics metrics(font, painter.device());
    for (const TProfileItem& item : items) {
        const QColor color = item.Ink == TProfileInk::Water ? colors.Water : colors.Ink;
        QPen pen(color, item.Pen, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        switch (item.Shape) {
        case TProfileShape::Line: {
            // A pen of odd width is centred on a pixel, so that straight lines stay sharp.
            const double shift = item.Pen % 2 ? 0.5 : 0;
            painter.setPen(pen);
            painter.drawLine(QPointF(item.Points[0].X + shift, item.Points[0].Y + shift),
                             QPointF(item.Points[1].X + shift, item.Points[1].Y + shift));
            break;
        }
        case TProfileShape::Polygon: {
            if (item.Ink == TProfileInk::Soil && !colors.SoilTints)
                break;
            QPolygon polygon;
            for (const TProfilePoint& p : item.Points)
                polygon << QPoint(p.X, p.Y);
            painter.setPen(Qt::NoPen);
            painter.setBrush(item.Ink == TProfileInk::Soil ? SoilTintColor(item.Tone) : color);
            // Tints meet edge to edge: no smoothing seams between them.
            painter.setRenderHint(QPainter::Antialiasing, item.Ink != TProfileInk::Soil);
            painter.drawPolygon(polygon);
            painter.setRenderHint(QPainter::Antialiasing, true);
            break;
        }
        case TProfileShape::Box: {
            const double shift = item.Pen % 2 ? 0.5 : 0;
            painter.setPen(pen);
            painter.setBrush(colors.Paper);
            painter.drawRect(QRectF(QPointF(item.Points[0].X + shift, item.Points[0].Y + shift),
                                    QPointF(item.Points[1].X + shift, item.Points[1].Y + shift)));
            break;
        }
        case TProfileShape::Circle:
            painter.setPen(pen);
            painter.setBrush(colors.Paper);
            painter.drawEllipse(QPoint(item.Points[0].X, item.Points[0].Y), item.Radius, item.Radius);
            break;
        case TProfileShape::Text:
            painter.setPen(color);
            painter.drawText(QPoint(item.Points[0].X, item.Points[0].Y + metrics.ascent()),
                             QString::fromStdString(item.Text));
            break;
        }
    }
    painter.restore();
}

void TDlgSideView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    if (world_.Degenerate())
        return;
    const TProfileColors colors{QColor(), palette().color(QPalette::WindowText), QColor(0, 96, 200),
                                palette().color(QPalette::Base), true};
    Render(painter, Layout(painter, font(), DrawingSize(), 1, false), font(), colors);
}

void TDlgSideView::resizeEvent(QResizeEvent* event)
{
    // The controls keep their distance from the top and the bottom right corner.
    const int margin = 10;
    label_->move(margin, 6);
    print_->move(width() - margin - print_->width(), height() - margin - print_->height());
    save_->move(print_->x() - 6 - save_->width(), print_->y());
    QWidget::resizeEvent(event);
}

void TDlgSideView::mouseMoveEvent(QMouseEvent* event)
{
    if (world_.Degenerate())
        return;
    const TProfileMapping map{View(), DrawingSize().width(), DrawingSize().height(), false};
    const int row = static_cast<int>(std::lround(event->position().y()));
    setWindowTitle(QString::fromStdString(DepthTitle(map.Depth(row) - scene_.Top)));
}

void TDlgSideView::SetUpPrinter(QPrinter& printer)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName("Soil-Pile Profile");
}

void TDlgSideView::PrintClick()
{
    if (world_.Degenerate())
        return;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted && !PrintTo(printer))
        prompt_.Information("The profile could not be printed.");
}

bool TDlgSideView::PrintTo(QPrinter& printer)
{
    if (world_.Degenerate())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The label's font at the printer's resolution; black on white.
    const double scale = printer.resolution() / 96.0;
    QFont font = DeviceFont(label_->font(), scale);
    font.setBold(false);
    const QSize page(printer.width(), printer.height());
    Render(painter, Layout(painter, font, page, scale, true), font,
           TProfileColors{Qt::white, Qt::black, Qt::black, Qt::white, false});
    return painter.end();
}

bool TDlgSideView::SaveImage(const QString& path, QString* error)
{
    if (world_.Degenerate()) {
        if (error)
            *error = "There is no wall to draw.";
        return false;
    }
    const QString title = QString::fromStdString(document_.Wall().Title);
    return TGraphExport::Save(path, width() / 96.0, height() / 96.0, SavePpi, title,
                              [this](QPainter& painter, QSize pixels) {
                                  const double scale = static_cast<double>(pixels.width()) / width();
                                  const QFont f = DeviceFont(font(), scale);
                                  Render(painter, Layout(painter, f, pixels, scale, false), f,
                                         TProfileColors{Qt::white, Qt::black, QColor(0, 96, 200), Qt::white, true});
                              },
                              error);
}

void TDlgSideView::SaveClick()
{
    std::optional<std::string> chosen = prompt_.SaveFileName("Save Profile As", SaveFilter, "");
    if (!chosen)
        return;
    QString name = QString::fromStdString(*chosen);
    if (QFileInfo(name).suffix().isEmpty())
        name += ".png";
    QString error;
    if (!SaveImage(name, &error))
        prompt_.Information("The profile could not be written to " + name.toStdString() + ": " + error.toStdString());
}
