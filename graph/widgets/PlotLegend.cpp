#include "graph/widgets/PlotLegend.h"

#include "graph/widgets/GraphPainter.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Paints an entry on white in its curve colour (a light one darkened so that it
// reads), 4 pixels from the left edge.
class LegendDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        painter->fillRect(option.rect, Qt::white);
        QString text = index.data(Qt::DisplayRole).toString();
        if (index.data(PlotLegend::VisibleRole).toBool())
            text += " *";
        const TRgb colour = LegendTextColor(index.row());
        painter->setPen(QColor(colour.R, colour.G, colour.B));
        painter->setFont(option.font);
        const QRect textRect = option.rect.adjusted(4, 0, 0, 0);
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
        // Beyond the palette a colour returns: the curve's dashes under its
        // name tell the two apart.
        const Qt::PenStyle dash = TGraphPainter::Dash(index.row());
        if (dash != Qt::SolidLine) {
            const QFontMetrics fm(option.font);
            const int y = textRect.center().y() + fm.ascent() / 2 + 2;
            painter->setPen(QPen(painter->pen().color(), 1, dash));
            painter->drawLine(textRect.left(), y, textRect.left() + fm.horizontalAdvance(text), y);
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        auto* list = static_cast<const PlotLegend*>(parent());
        return {QStyledItemDelegate::sizeHint(option, index).width(), list->ItemHeight()};
    }
};

}  // namespace

PlotLegend::PlotLegend(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new LegendDelegate(this));
    // What the marks mean, for the pointer and for screen readers.
    setAccessibleName("Legend");
    setToolTip("* marks a curve that is drawn; double-click an entry to hide or show its curve, drag to move the legend");
    setAccessibleDescription(toolTip());
    // A plain one-pixel black border, as on the printed legend box.
    setStyleSheet("PlotLegend { border: 1px solid black; background: white; }");
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setCursor(Qt::SizeAllCursor);
    setFocusPolicy(Qt::NoFocus);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
    QFont f("Times New Roman");
    f.setPixelSize(15);
    setFont(f);
    if (parent) {
        key_ = new QLabel(QStringLiteral("* drawn; double-click to hide"), parent);
        key_->setAccessibleName(QStringLiteral("Legend key"));
        key_->setStyleSheet(QStringLiteral("QLabel { background: white; color: black; padding: 0 3px; }"));
        QFont small("Times New Roman");
        small.setPixelSize(12);
        key_->setFont(small);
        key_->adjustSize();
        key_->hide();
    }
}

void PlotLegend::PlaceKey()
{
    if (!key_)
        return;
    key_->setVisible(isVisible() && count() > 0);
    const int above = y() - key_->height();
    key_->move(x() + width() - key_->width(), above >= 0 ? above : y() + height());
    key_->raise();
}

void PlotLegend::moveEvent(QMoveEvent* event)
{
    QListWidget::moveEvent(event);
    PlaceKey();
}

void PlotLegend::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    PlaceKey();
}

void PlotLegend::showEvent(QShowEvent* event)
{
    QListWidget::showEvent(event);
    PlaceKey();
}

void PlotLegend::hideEvent(QHideEvent* event)
{
    QListWidget::hideEvent(event);
    if (key_)
        key_->hide();
}

void PlotLegend::SetFontSize(int points, int itemHeight)
{
    QFont f = font();
    f.setPointSize(std::max(1, points));
    setFont(f);
    itemHeight_ = std::max(1, itemHeight);
    doItemsLayout();
}

void PlotLegend::FitSize(int startWidth, int margin)
{
    int w = startWidth;
    QFontMetrics fm(font());
    for (int i = 0; i < count(); ++i)
        w = std::max(w, fm.horizontalAdvance(item(i)->text() + " *") + margin);
    resize(w + 2 * frameWidth(), count() * itemHeight_ + 3);
}

void PlotLegend::KeepInside()
{
    if (!parentWidget())
        return;
    QPoint p = pos();
    const QSize area = parentWidget()->size();
    if (p.x() + width() > area.width())
        p.setX(area.width() - width());
    if (p.x() < 0)
        p.setX(0);
    if (p.y() + height() > area.height())
        p.setY(area.height() - height());
    if (p.y() < 0)
        p.setY(0);
    move(p);
}

void PlotLegend::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        grab_ = event->position().toPoint();
    }
}

void PlotLegend::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    move(mapToParent(event->position().toPoint()) - grab_);
    KeepInside();
}

void PlotLegend::mouseReleaseEvent(QMouseEvent* event)
{
    dragging_ = false;
    QListWidget::mouseReleaseEvent(event);
}

void PlotLegend::mouseDoubleClickEvent(QMouseEvent* event)
{
    dragging_ = false;
    QListWidgetItem* it = itemAt(event->position().toPoint());
    if (it)
        setCurrentItem(it);
    if (currentRow() >= 0)
        emit EntryToggled(currentRow());
}
