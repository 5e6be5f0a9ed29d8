#include "tables/widgets/TableForm.h"

#include "tables/EnumColumn.h"
#include "tables/GridTable.h"
#include "tables/TableColumn.h"
#include "tables/WallTables.h"
#include "tables/widgets/CellDelegate.h"
#include "tables/widgets/TableModel.h"
#include "units/Prompt.h"
#include "units/TorvikError.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <map>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// How long the frame must rest before a drag counts as settled and the window
// snaps to whole rows and columns (platforms without a sizing message).
constexpr int SnapDelayMs = 200;

// The editors open now and the hosts given to some of them, by table: every
// table is one object, whichever document it belongs to.
struct EditorHost {
    std::map<const TGridTable*, TTableForm*> open;
    std::map<const TGridTable*, QPointer<QWidget>> parents;
    std::function<void(const std::string&)> edited;
};

EditorHost& Host()
{
    static EditorHost host;
    return host;
}

// A modal editor: closing it, by its frame or by Escape, first stores the current cell.
class TableDialog : public QDialog {
public:
    using QDialog::QDialog;
    TTableForm* form = nullptr;
    void reject() override
    {
        if (!form || form->CommitCurrent())
            QDialog::reject();
    }

#ifdef Q_OS_WIN
protected:
    // While the user drags the frame, Windows asks for the rectangle to use:
    // the window snaps to whole rows and columns as it is dragged.
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override
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
};

QString Trimmed(const std::string& s) { return QString::fromStdString(s).trimmed(); }

}  // namespace

struct TTableForm::Place {
    QPointer<QMdiArea> area;
    Prompt& prompt;
    PictureFactory pictures;
    TTableModel::NodeDepths depths;
};

TEditorOpener TTableForm::Opener(QMdiArea* area, Prompt& prompt, PictureFactory pictures,
                                 TTableModel::NodeDepths depths)
{
    auto place = std::make_shared<const Place>(Place{area, prompt, std::move(pictures), std::move(depths)});
    return [place](TGridTable& table, bool modal) { Open(place, table, modal); };
}

void TTableForm::Install(WallTables& tables, QMdiArea& area, Prompt& prompt, PictureFactory pictures,
                         TTableModel::NodeDepths depths)
{
    tables.SetEditorOpener(Opener(&area, prompt, std::move(pictures), std::move(depths)));
}

void TTableForm::Install(QMdiArea* area, Prompt* prompt, PictureFactory pictures)
{
    if (area && prompt)
        TGridTable::SetEditorOpener(Opener(area, *prompt, std::move(pictures), {}));
    else
        TGridTable::SetEditorOpener(nullptr);
}

void TTableForm::SetEditListener(std::function<void(const std::string& caption)> listener)
{
    Host().edited = std::move(listener);
}

void TTableForm::Edited(const char* what)
{
    if (table_ && Host().edited)
        Host().edited(std::string(what) + " in " + Trimmed(table_->Caption()).toStdString());
}

TTableForm* TTableForm::Of(const TGridTable& table)
{
    auto it = Host().open.find(&table);
    return it == Host().open.end() ? nullptr : it->second;
}

void TTableForm::SetFormParent(const TGridTable& table, QWidget* parent)
{
    if (parent)
        Host().parents[&table] = parent;
    else
        Host().parents.erase(&table);
}

void TTableForm::Open(const std::shared_ptr<const Place>& place, TGridTable& table, bool modal)
{
    EditorHost& host = Host();
    QMdiArea* const area = place->area;
    if (TTableForm* form = Of(table)) {
        // A second request shows the open editor again.
        if (form->subWindow_) {
            form->subWindow_->showNormal();
            if (area)
                area->setActiveSubWindow(form->subWindow_);
        } else {
            form->Frame()->show();
            form->Frame()->raise();
            form->Frame()->activateWindow();
        }
        return;
    }
    if (table.RowCount() < table.MinRows())
        table.SetRowCount(table.MinRows());

    auto parentIt = host.parents.find(&table);
    QWidget* formParent = parentIt != host.parents.end() ? parentIt->second.data() : nullptr;
    if (formParent) {
        auto* form = new TTableForm(table, place, formParent);
        form->move(0, 0);
        form->Attach();
        form->show();
        return;
    }
    if (modal || !area) {
        TableDialog dialog(area ? area->window() : nullptr);
        dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint);
        auto* form = new TTableForm(table, place, &dialog);
        dialog.form = form;
        form->dialog_ = &dialog;
        dialog.installEventFilter(form);
        form->Attach();
        dialog.exec();
        dialog.form = nullptr;
        delete form;
        return;
    }
    auto* form = new TTableForm(table, place);
    QMdiSubWindow* sub = area->addSubWindow(
        form, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(area->window()->windowIcon());
    sub->installEventFilter(form);
    form->subWindow_ = sub;
    form->Attach();
    sub->showNormal();
    // The frame's size is known once it is shown.
    form->ApplyLayout();
    // Placed beside the windows already open, the editor may reach past the
    // area's right or bottom edge: it is moved back into view.
    const QSize view = area->viewport()->size();
    const int x = std::max(0, std::min(sub->x(), view.width() - sub->width()));
    const int y = std::max(0, std::min(sub->y(), view.height() - sub->height()));
    sub->move(x, y);
    area->setActiveSubWindow(sub);
    form->grid_->setFocus();
}

TTableForm::TTableForm(TGridTable& table, std::shared_ptr<const Place> place, QWidget* parent)
    : QWidget(parent), table_(&table), place_(std::move(place)), prompt_(place_->prompt)
{
    setWindowTitle("TableForm");
    model_ = new TTableModel(table, place_->depths, this);
    grid_ = new QTableView(this);
    grid_->setModel(model_);
    delegate_ = new TCellDelegate(*model_, this);
    grid_->setItemDelegate(delegate_);
    connect(delegate_, &TCellDelegate::EnterAccepted, this, &TTableForm::MoveOnEnter);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::DoubleClicked);
    grid_->setWordWrap(false);
    grid_->setCornerButtonEnabled(false);
    grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setHighlightSections(false);
    grid_->setAccessibleName(Trimmed(table.Caption()));
    grid_->installEventFilter(this);
    auto* corner = new QLabel(Trimmed(table.TopLeft()), grid_);
    corner->setObjectName("TopLeft");
    corner->setAlignment(Qt::AlignCenter);

    btnAdd_ = new QPushButton("&Add Row", this);
    btnIns_ = new QPushButton("&Insert Row", this);
    btnDel_ = new QPushButton("&Delete Row", this);
    for (QPushButton* b : {btnAdd_, btnIns_, btnDel_}) {
        b->setAccessibleName(b->text().remove('&'));
        b->setAutoDefault(false);
    }
    setTabOrder(btnDel_, btnAdd_);
    setTabOrder(btnAdd_, btnIns_);
    setTabOrder(btnIns_, grid_);
    connect(btnAdd_, &QPushButton::clicked, this, &TTableForm::BtnAddClick);
    connect(btnIns_, &QPushButton::clicked, this, &TTableForm::BtnInsClick);
    connect(btnDel_, &QPushButton::clicked, this, &TTableForm::BtnDelClick);

    const QString comments = QString::fromStdString(CommentText(table)).replace('\r', '\n');
    lblComments_ = new QLabel(comments, this);
    lblComments_->setAccessibleName(comments);
    lblComments_->setVisible(!comments.isEmpty());
    if (!table.HelpPicture().empty() && place_->pictures)
        imgHelp_ = place_->pictures(table.HelpPicture(), this);

    connect(model_, &TTableModel::AssignmentRefused, this, &TTableForm::AssignmentRefused);
    connect(model_, &TTableModel::CellStored, this, [this] { Edited("Edit Cell"); });
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, &TTableForm::ScrollChanged);
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TTableForm::ScrollChanged);
    snapTimer_ = new QTimer(this);
    snapTimer_->setSingleShot(true);
    snapTimer_->setInterval(SnapDelayMs);
    connect(snapTimer_, &QTimer::timeout, this, &TTableForm::FrameResized);

    view_.rowsInView = InitialRowsInView(table.RowCount());
    view_.columnsInView = model_ ? model_->columnCount() : table.VisibleColumnCount();
}

TTableForm::~TTableForm() { Detach(); }

QWidget* TTableForm::Frame() const
{
    if (subWindow_)
        return subWindow_;
    if (dialog_)
        return dialog_;
    return const_cast<TTableForm*>(this);
}

void TTableForm::Attach()
{
    TGridTable& table = *table_;
    Host().open[&table] = this;
    Retitle();
    table.OnChange = [this] { Refresh(); };
    table.OnCellChange = [this](int index, int row) {
        model_->CellChanged(index, row);
        RefreshControl(index, row);
    };
    table.OnFocusCell = [this](int index, int row) { FocusCell(index, row); };
    table.OnRetitle = [this] { Retitle(); };
    for (int c = 0; c < table.ColumnCount(); ++c)
        if (auto* rows = dynamic_cast<TTableColumn*>(&table.Column(c)))
            rows->ButtonCaptionChangedHook = [this](TTableColumn& column, int row) {
                RefreshControl(column.Index(), row);
            };
    table.SetEditorState(true, dialog_ != nullptr, [this] {
        // The table closes its editor (or is being destroyed): let go of it first.
        QWidget* frame = Frame();
        Detach();
        if (dialog_)
            dialog_->done(QDialog::Rejected);
        else if (frame != this)
            frame->deleteLater();
        else
            deleteLater();
    });
    Refresh();
    grid_->setCurrentIndex(model_->index(0, 0));
}

void TTableForm::Detach()
{
    if (!table_)
        return;
    TGridTable* table = table_;
    table_ = nullptr;
    snapTimer_->stop();
    Host().open.erase(table);
    for (int c = 0; c < table->ColumnCount(); ++c)
        if (auto* rows = dynamic_cast<TTableColumn*>(&table->Column(c)))
            rows->ButtonCaptionChangedHook = nullptr;
    table->SetEditorState(false, false);
    DestroyControls();
    model_->Detach();
}

void TTableForm::Retitle()
{
    if (!table_)
        return;
    // The title ends with the table's path: a sub-table shows its row in the owning table.
    const QString title = QString::fromStdString(table_->EditorTitle());
    setWindowTitle(title);
    if (subWindow_)
        subWindow_->setWindowTitle(title);
    if (dialog_)
        dialog_->setWindowTitle(title);
}

QSize TTableForm::ComboMetrics() const
{
    if (comboMetrics_.isEmpty()) {
        bool controls = false;
        for (int k = 0; k < table_->VisibleColumnCount(); ++k)
            controls = controls || table_->VisibleColumn(k).NeedsControls();
        if (!controls)
            return {};
        // A drop-down list's height and the width of its frame and arrow around
        // its text; measured once, not at every layout.
        QComboBox probe;
        probe.addItem("M");
        comboMetrics_ = QSize(std::max(8, probe.sizeHint().width() - probe.fontMetrics().horizontalAdvance("M")),
                              probe.sizeHint().height() - 1);
    }
    return comboMetrics_;
}

TableFormMetrics TTableForm::Metrics() const
{
    TableFormMetrics m;
    const int ppi = std::max(1, logicalDpiX());
    const QFontMetrics fm = grid_->fontMetrics();
    const QFontMetrics hfm = grid_->horizontalHeader()->fontMetrics();
    m.margin = std::max(1, ppi / 20);
    int rowHeight = fm.height() + 6;
    int comboExtra = 0;
    if (const QSize combo = ComboMetrics(); combo.isValid()) {
        rowHeight = std::max(rowHeight, combo.height());
        comboExtra = combo.width();
    }
    m.rowHeight = rowHeight;
    const TTextMeasure measure = [&hfm](const std::string& text) {
        return hfm.horizontalAdvance(QString::fromStdString(text));
    };
    int rowHeader = std::max(measure(table_->TopLeft() + "  "), ppi / 3);
    for (int r = 0; r < table_->RowCount() && IsLayerParameterTable(*table_); ++r)
        rowHeader = std::max(rowHeader, measure(RowNumberText(*table_, r) + "  "));
    m.columnWidths.push_back(rowHeader);
    for (int k = 0; k < model_->columnCount(); ++k) {
        if (model_->IsDepthColumn(k)) {
            // A computed depth: its caption or a number of eight digits, whichever is wider.
            m.columnWidths.push_back(std::max(measure(model_->headerData(k, Qt::Horizontal, Qt::DisplayRole)
                                                          .toString()
                                                          .toStdString() +
                                                      "  "),
                                              fm.horizontalAdvance("-1234.5678") + 8));
            continue;
        }
        const TColumn& column = model_->ColumnAt(k);
        int width = column.Width(ppi, measure);
        // Room for the widest number the cell can show, so that nothing is cut off.
        if (column.Kind() == ColumnReal)
            width = std::max(width, fm.horizontalAdvance("-1.2345678E-05") + 8);
        else if (column.Kind() == ColumnInteger)
            width = std::max(width, fm.horizontalAdvance("-2147483648") + 8);
        else if (const auto* choices = dynamic_cast<const TEnumColumn*>(&column))
            for (const std::string& choice : choices->Choices())
                width = std::max(width, fm.horizontalAdvance(Trimmed(choice)) + comboExtra);
        m.columnWidths.push_back(width);
    }
    m.gridExtraWidth = 2 * grid_->frameWidth();
    m.gridExtraHeight = 2 * grid_->frameWidth();
    m.vScrollWidth = grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    m.hScrollHeight = m.vScrollWidth;
    const QSize button = btnAdd_->sizeHint().expandedTo(btnIns_->sizeHint()).expandedTo(btnDel_->sizeHint());
    m.buttonWidth = std::max(81, button.width());
    m.buttonHeight = std::max(21, button.height());
    m.buttonsVisible = btnAdd_->isVisibleTo(const_cast<TTableForm*>(this));
    if (!lblComments_->text().isEmpty()) {
        const QSize label = lblComments_->sizeHint();
        m.commentWidth = label.width();
        m.commentHeight = label.height();
    }
    if (imgHelp_) {
        const QSize picture = imgHelp_->sizeHint();
        m.pictureWidth = std::max(0, picture.width());
        m.pictureHeight = std::max(0, picture.height());
    }
    if (subWindow_) {
        m.frameWidth = subWindow_->width() - subWindow_->contentsRect().width();
        m.frameHeight = subWindow_->height() - subWindow_->contentsRect().height();
    }
    return m;
}

void TTableForm::Refresh()
{
    if (!table_)
        return;
    DestroyControls();
    const QModelIndex current = grid_->currentIndex();
    model_->Reload();
    view_ = ClampView(view_, table_->RowCount(), model_->columnCount());

    const TableFormMetrics m = Metrics();
    const int pitch = m.rowHeight + 1;
    grid_->verticalHeader()->setDefaultSectionSize(pitch);
    grid_->verticalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setFixedWidth(m.columnWidths.front() + 1);
    grid_->horizontalHeader()->setFixedHeight(pitch * std::max(1, model_->HeaderRows()));
    for (int k = 0; k < model_->columnCount(); ++k)
        grid_->setColumnWidth(k, m.columnWidths[static_cast<std::size_t>(k) + 1] + 1);
    if (auto* corner = grid_->findChild<QLabel*>("TopLeft"))
        corner->setGeometry(grid_->frameWidth(), grid_->frameWidth(), m.columnWidths.front() + 1,
                            pitch * std::max(1, model_->HeaderRows()));

    const TableFormButtons buttons = RowButtons(*table_);
    for (QPushButton* b : {btnAdd_, btnIns_, btnDel_})
        b->setVisible(buttons.visible);
    btnAdd_->setEnabled(buttons.addEnabled);
    btnIns_->setEnabled(buttons.insertEnabled);
    btnDel_->setEnabled(buttons.deleteEnabled);

    if (current.isValid())
        grid_->setCurrentIndex(model_->index(std::min(current.row(), model_->rowCount() - 1),
                                             std::min(current.column(), model_->columnCount() - 1)));
    ApplyLayout();
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

void TTableForm::ScrollChanged()
{
    if (!scrollAttached_ || !table_)
        return;
    view_.topRow = grid_->verticalScrollBar()->value();
    view_.leftColumn = grid_->horizontalScrollBar()->value();
    SyncControls();
}

void TTableForm::DestroyControls()
{
    if (!table_ && model_->rowCount() == 0)
        return;
    for (int k = 0; k < model_->columnCount(); ++k)
        for (int r = 0; r < model_->rowCount(); ++r)
            if (grid_->indexWidget(model_->index(r, k)))
                grid_->setIndexWidget(model_->index(r, k), nullptr);
}

void TTableForm::SyncControls()
{
    if (!table_)
        return;
    const int rows = model_->rowCount();
    // Controls exist only for the rows in view; scrolling moves them along.
    const int first = std::max(0, grid_->verticalScrollBar()->value());
    const int last = std::min(rows, first + std::max(1, view_.rowsInView)) - 1;
    for (int k = 0; k < model_->columnCount(); ++k) {
        TColumn& column = model_->ColumnAt(k);
        if (!column.NeedsControls())
            continue;
        for (int r = 0; r < rows; ++r) {
            const QModelIndex cell = model_->index(r, k);
            QWidget* control = grid_->indexWidget(cell);
            if (r < first || r > last) {
                if (control)
                    grid_->setIndexWidget(cell, nullptr);
                continue;
            }
            if (control)
                continue;
            const QString name = model_->headerData(k, Qt::Horizontal, Qt::AccessibleTextRole).toString() +
                                 QString(" row %1").arg(r + 1);
            if (auto* choices = dynamic_cast<TEnumColumn*>(&column)) {
                auto* combo = new QComboBox;
                combo->setAccessibleName(name);
                combo->setMaxVisibleItems(11);
                for (const std::string& choice : choices->Choices())
                    combo->addItem(Trimmed(choice));
                combo->setCurrentIndex(choices->GetInteger(r) - 1);
                combo->installEventFilter(this);
                combo->setProperty("tableRow", r);
                connect(combo, &QComboBox::activated, this, [this, choices, combo](int item) {
                    if (!table_)
                        return;
                    const int row = combo->property("tableRow").toInt();
                    table_->SetChanged(true);
                    choices->SetInteger(row, item + 1);
                    Edited("Choice");
                });
                grid_->setIndexWidget(cell, combo);
            } else if (auto* subTables = dynamic_cast<TTableColumn*>(&column)) {
                auto* button = new QPushButton(QString::fromStdString(subTables->ButtonCaption(r)));
                button->setAccessibleName(button->text());
                button->setAutoDefault(false);
                button->setProperty("tableRow", r);
                button->installEventFilter(this);
                connect(button, &QPushButton::clicked, this, [this, subTables, button] {
                    if (table_ && CommitCurrent())
                        subTables->ButtonClick(button->property("tableRow").toInt());
                });
                grid_->setIndexWidget(cell, button);
            }
        }
    }
}

void TTableForm::RefreshControl(int index, int row)
{
    const int k = model_->ModelColumn(index);
    // A row being inserted from outside the editor (Undo refilling the table)
    // is not in its column yet; the refresh after the insert shows it.
    if (k < 0 || row >= model_->rowCount() || row >= model_->ColumnAt(k).RowCount())
        return;
    QWidget* control = grid_->indexWidget(model_->index(row, k));
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(model_->ColumnAt(k).GetInteger(row) - 1);
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        if (auto* subTables = dynamic_cast<TTableColumn*>(&model_->ColumnAt(k))) {
            button->setText(QString::fromStdString(subTables->ButtonCaption(row)));
            button->setAccessibleName(button->text());
        }
    }
}

void TTableForm::FocusCell(int index, int row)
{
    const int k = model_->ModelColumn(index);
    if (k >= 0 && row >= 0 && row < model_->rowCount())
        grid_->setCurrentIndex(model_->index(row, k));
}

bool TTableForm::CommitCurrent()
{
    if (!table_)
        return true;
    return delegate_->CommitOpenEditor();
}

void TTableForm::MoveOnEnter()
{
    const QModelIndex current = grid_->currentIndex();
    int row = current.isValid() ? current.row() : 0;
    int column = current.isValid() ? current.column() : 0;
    NextCellOnEnter(model_->rowCount(), model_->columnCount(), row, column);
    // Computed depths take no entry: Enter passes them by.
    while (model_->IsDepthColumn(column))
        NextCellOnEnter(model_->rowCount(), model_->columnCount(), row, column);
    grid_->setCurrentIndex(model_->index(row, column));
}

void TTableForm::AssignmentRefused(const QModelIndex& index, const QString& text, const QString& message)
{
    const QPersistentModelIndex cell(index);
    delegate_->SetRefusing(true);
    // The message waits until the grid has finished with the event that
    // committed the cell; then the cursor goes back into the refused cell with
    // the refused text, so that the user can mend it.
    QTimer::singleShot(0, this, [this, cell, text, message] {
        prompt_.Information(message.toStdString());
        if (!table_ || !cell.isValid()) {
            delegate_->SetRefusing(false);
            return;
        }
        // Still refusing while the focus finds its way back: the editor that
        // holds the refused text must not store it as it loses the focus.
        if (subWindow_ && place_->area)
            place_->area->setActiveSubWindow(subWindow_);
        grid_->setCurrentIndex(cell);
        if (!delegate_->OpenEditor()) {
            grid_->setFocus();
            grid_->edit(cell);
        }
        delegate_->SetEditorText(text);
        delegate_->SetRefusing(false);
    });
}

void TTableForm::keyPressEvent(QKeyEvent* event)
{
    // A modal editor's dialog closes itself on Escape.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !dialog_ && Frame() != this) {
        Frame()->close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TTableForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Frame() && watched != this) {
        if (event->type() == QEvent::Close && table_) {
            if (!CommitCurrent()) {
                event->ignore();
                return true;
            }
            // The table lets go of its editor as the window closes, not when it is freed later.
            TGridTable* table = table_;
            Detach();
            // The windows of its rows' sub-tables (a layer's parameters) close with it.
            for (int c = 0; c < table->ColumnCount(); ++c)
                table->Column(c).CloseRowObjects();
        }
        if (event->type() == QEvent::Resize && !applying_ && table_)
            snapTimer_->start();
        return false;
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            CopySelection();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            PasteClipboard();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            MoveOnEnter();
            return true;
        }
        // From the keyboard, Space or F2 on a drop-down list or row button uses it.
        if (key->key() == Qt::Key_Space || key->key() == Qt::Key_F2 ||
            (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
            QWidget* control = grid_->indexWidget(grid_->currentIndex());
            if (auto* combo = qobject_cast<QComboBox*>(control)) {
                combo->setFocus();
                combo->showPopup();
                return true;
            }
            if (auto* button = qobject_cast<QPushButton*>(control)) {
                button->click();
                return true;
            }
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        // Entering a drop-down list or a row button makes its cell the current one.
        if (auto* control = qobject_cast<QWidget*>(watched); control && control->property("tableRow").isValid()) {
            const QModelIndex cell = grid_->indexAt(control->geometry().center());
            if (cell.isValid() && cell != grid_->currentIndex())
                grid_->setCurrentIndex(cell);
        }
    }
    return QWidget::eventFilter(watched, event);
}
