#include "tables/widgets/TableForm.h"

#include "tables/EnumColumn.h"
#include "tables/GridTable.h"
#include "tables/TableColumn.h"
#include "tables/WallTables.h"
#include "tables/widgets/CellDelegate.h"
#include "tables/widgets/TableEditors.h"
#include "tables/widgets/TableFormControls.h"
#include "tables/widgets/TableFormFrame.h"
#include "tables/widgets/TableFormMeasure.h"
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
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace {

// How long the frame must rest before a drag counts as settled and the window
// snaps to whole rows and columns (platforms without a sizing message).
constexpr int SnapDelayMs = 200;

QString Trimmed(const std::string& s) { return QString::fromStdString(s).trimmed(); }

}  // namespace

struct TTableForm::Place {
    TTableEditors& editors;
    QPointer<QMdiArea> area;
    Prompt& prompt;
    PictureFactory pictures;
    TTableModel::NodeDepths depths;
};

void TTableForm::Install(TTableEditors& editors, WallTables& tables, QMdiArea& area, Prompt& prompt,
                         PictureFactory pictures, TTableModel::NodeDepths depths)
{
    auto place = std::make_shared<const Place>(Place{editors, &area, prompt, std::move(pictures), std::move(depths)});
    tables.SetEditorOpener([place](TGridTable& table, bool modal) { Open(place, table, modal); });
}

void TTableForm::Edited(const char* what)
{
    if (table_)
        place_->editors.Edited(std::string(what) + " in " + Trimmed(table_->Caption()).toStdString());
}

void TTableForm::Open(const std::shared_ptr<const Place>& place, TGridTable& table, bool modal)
{
    QMdiArea* const area = place->area;
    if (TTableForm* form = place->editors.Of(table)) {
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

    if (QWidget* formParent = place->editors.FormParent(table)) {
        auto* form = new TTableForm(table, place, formParent);
        form->move(0, 0);
        form->Attach();
        form->show();
        return;
    }
    if (modal || !area) {
        TTableDialog dialog(area ? area->window() : nullptr);
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
    // area's right or bottom edge.
    MoveIntoView(*sub, *area);
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
    controls_ = std::make_unique<TTableFormControls>(
        *grid_, *model_, *this,
        [this](TEnumColumn& choices, int row, int item) {
            if (!table_)
                return;
            table_->SetChanged(true);
            choices.SetInteger(row, item + 1);
            Edited("Choice");
        },
        [this](TTableColumn& subTables, int row) {
            if (table_ && CommitCurrent())
                subTables.ButtonClick(row);
        });
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
    place_->editors.Opened(table, *this);
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
    place_->editors.Closed(*table);
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

TableFormMetrics TTableForm::Metrics() const
{
    // Measured once, not at every layout.
    if (comboMetrics_.isEmpty())
        comboMetrics_ = MeasureComboBox(*table_);
    const TableFormParts parts{*table_,
                               *model_,
                               *grid_,
                               {btnAdd_, btnIns_, btnDel_},
                               btnAdd_->isVisibleTo(const_cast<TTableForm*>(this)),
                               *lblComments_,
                               imgHelp_,
                               subWindow_.data(),
                               std::max(1, logicalDpiX()),
                               comboMetrics_};
    return MeasureTableForm(parts);
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
    controls_->Clear();
}

void TTableForm::SyncControls()
{
    if (!table_)
        return;
    // Controls exist only for the rows in view; scrolling moves them along.
    controls_->Sync(std::max(0, grid_->verticalScrollBar()->value()), view_.rowsInView);
}

void TTableForm::RefreshControl(int index, int row) { controls_->Refresh(index, row); }

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
