// The size of an editor's frame: the layout that sizes the window to the rows
// and columns kept in view, and the snapping of a dragged frame to whole rows
// and columns.
#include "tables/widgets/TableFormFrame.h"

#include "tables/GridTable.h"
#include "tables/widgets/TableForm.h"
#include "tables/widgets/TableModel.h"
#include "units/Prompt.h"
#include "units/TorvikError.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

void TTableDialog::reject()
{
    if (!form || form->CommitCurrent())
        QDialog::reject();
}

#ifdef Q_OS_WIN
// While the user drags the frame, Windows asks for the rectangle to use:
// the window snaps to whole rows and columns as it is dragged.
bool TTableDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    auto* msg = static_cast<MSG*>(message);
    if (form && msg->message == WM_SIZING) {
        auto* rect = reinterpret_cast<RECT*>(msg->lParam);
        const WPARAM edge = msg->wParam;
        DraggedEdges edges;
        edges.left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
        edges.right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
        edges.top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
        edges.bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
        const qreal ratio = devicePixelRatioF();
        const QRect dragged(QPoint(qRound(rect->left / ratio), qRound(rect->top / ratio)),
                            QSize(qRound((rect->right - rect->left) / ratio), qRound((rect->bottom - rect->top) / ratio)));
        const QRect snapped = form->SnappedFrame(dragged, edges, frameGeometry().size() - size());
        rect->left = static_cast<LONG>(qRound(snapped.left() * ratio));
        rect->top = static_cast<LONG>(qRound(snapped.top() * ratio));
        rect->right = static_cast<LONG>(qRound((snapped.left() + snapped.width()) * ratio));
        rect->bottom = static_cast<LONG>(qRound((snapped.top() + snapped.height()) * ratio));
        *result = TRUE;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

void MoveIntoView(QMdiSubWindow& window, const QMdiArea& area)
{
    const QSize view = area.viewport()->size();
    const int x = std::max(0, std::min(window.x(), view.width() - window.width()));
    const int y = std::max(0, std::min(window.y(), view.height() - window.height()));
    window.move(x, y);
}

void TTableForm::ApplyLayout()
{
    if (!table_)
        return;
    const TableFormMetrics m = Metrics();
    const TableFormLayout l = LayoutTableForm(m, model_->HeaderRows(), table_->RowCount(), view_);
    applying_ = true;
    grid_->setVerticalScrollBarPolicy(l.vScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    grid_->setHorizontalScrollBarPolicy(l.hScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    grid_->setGeometry(l.gridLeft, l.gridTop, l.gridWidth, l.gridHeight);
    scrollAttached_ = false;
    grid_->verticalScrollBar()->setValue(view_.topRow);
    grid_->horizontalScrollBar()->setValue(view_.leftColumn);
    scrollAttached_ = true;
    btnAdd_->setGeometry(l.buttonLeft[0], l.buttonsTop, m.buttonWidth, m.buttonHeight);
    btnIns_->setGeometry(l.buttonLeft[1], l.buttonsTop, m.buttonWidth, m.buttonHeight);
    btnDel_->setGeometry(l.buttonLeft[2], l.buttonsTop, m.buttonWidth, m.buttonHeight);
    lblComments_->setGeometry(m.margin, l.commentTop, m.commentWidth, m.commentHeight);
    if (imgHelp_)
        imgHelp_->setGeometry(m.margin, l.pictureTop, m.pictureWidth, m.pictureHeight);
    setMinimumSize(0, 0);
    resize(l.clientWidth, l.clientHeight);
    if (QWidget* frame = Frame(); frame != this) {
        frame->resize(l.clientWidth + m.frameWidth, l.clientHeight + m.frameHeight);
        appliedFrame_ = frame->geometry();
    }
    applying_ = false;
    SyncControls();
    if (table_->OnResize)
        table_->OnResize(*table_);
}

QRect TTableForm::SnappedFrame(const QRect& dragged, DraggedEdges edges, QSize decorations)
{
    if (!table_)
        return dragged;
    TableFormMetrics m = Metrics();
    m.frameWidth += decorations.width();
    m.frameHeight += decorations.height();
    TableFormSnap snap;
    try {
        snap = SnapTableForm(m, model_->HeaderRows(), table_->RowCount(), view_, edges, dragged.width(),
                             dragged.height());
    } catch (const TorvikError& e) {
        prompt_.Information(e.what());
        return dragged;
    }
    view_ = snap.view;
    ApplyLayout();
    // The edge opposite the dragged one stays where it is.
    QRect frame = dragged;
    if (edges.left)
        frame.setLeft(dragged.right() + 1 - snap.windowWidth);
    else
        frame.setWidth(snap.windowWidth);
    if (edges.top)
        frame.setTop(dragged.bottom() + 1 - snap.windowHeight);
    else
        frame.setHeight(snap.windowHeight);
    return frame;
}

void TTableForm::SnapFrame(const QRect& dragged, DraggedEdges edges)
{
    const QRect frame = SnappedFrame(dragged, edges, QSize());
    if (QWidget* window = Frame(); window != this && table_) {
        applying_ = true;
        window->setGeometry(frame);
        appliedFrame_ = frame;
        applying_ = false;
    }
}

void TTableForm::FrameResized()
{
    QWidget* window = Frame();
    if (window == this || !table_)
        return;
    const QRect now = window->geometry();
    if (now == appliedFrame_ || window->isMinimized() || window->isMaximized())
        return;
    DraggedEdges edges;
    edges.left = now.left() != appliedFrame_.left();
    edges.top = now.top() != appliedFrame_.top();
    edges.right = now.right() != appliedFrame_.right();
    edges.bottom = now.bottom() != appliedFrame_.bottom();
    SnapFrame(now, edges);
}
