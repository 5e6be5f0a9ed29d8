// The editor's commands on whole rows and blocks: the Add, Insert and Delete
// row buttons, and copying and pasting tab-separated blocks.
#include "tables/widgets/TableForm.h"

#include "tables/GridTable.h"
#include "tables/TablePaste.h"
#include "tables/widgets/TableModel.h"
#include "units/Prompt.h"
#include "units/TorvikError.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>

int TTableForm::CurrentDataRow()
{
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid() || current.row() >= table_->RowCount()) {
        prompt_.Information("Grid.Row not in valid range");
        return -1;
    }
    return current.row();
}

void TTableForm::BtnAddClick()
{
    if (!table_ || !CommitCurrent())
        return;
    TGridTable& table = *table_;
    auto onChange = std::move(table.OnChange);
    table.OnChange = nullptr;
    scrollAttached_ = false;
    view_.rowsInView = RowsInViewAfterAdd(view_.rowsInView, table.RowCount(), table.RowGroup());
    table.AppendRowGroup();
    // New rows below the view scroll it so that the last row is the bottom row in view.
    if (view_.topRow + view_.rowsInView < table.RowCount())
        view_.topRow = table.RowCount() - view_.rowsInView;
    table.SetChanged(true);
    table.OnChange = std::move(onChange);
    scrollAttached_ = true;
    Refresh();
    grid_->setCurrentIndex(model_->index(table.RowCount() - 1, std::max(0, grid_->currentIndex().column())));
}

void TTableForm::BtnInsClick()
{
    if (!table_ || !CommitCurrent())
        return;
    const int row = CurrentDataRow();
    if (row < 0)
        return;
    TGridTable& table = *table_;
    table.SetChanged(true);
    view_.rowsInView = RowsInViewAfterAdd(view_.rowsInView, table.RowCount(), table.RowGroup());
    table.InsertRowGroup(row);
    Refresh();
}

void TTableForm::BtnDelClick()
{
    if (!table_ || !CommitCurrent())
        return;
    const int row = CurrentDataRow();
    if (row < 0)
        return;
    table_->SetChanged(true);
    table_->DeleteRowGroup(row);
    Refresh();
}

void TTableForm::CopySelection()
{
    if (!table_)
        return;
    const QModelIndexList cells = grid_->selectionModel()->selectedIndexes();
    if (cells.isEmpty())
        return;
    int top = cells.front().row(), bottom = top, left = cells.front().column(), right = left;
    for (const QModelIndex& cell : cells) {
        top = std::min(top, cell.row());
        bottom = std::max(bottom, cell.row());
        left = std::min(left, cell.column());
        right = std::max(right, cell.column());
    }
    // Depth columns are computed: the block is that of the table's own columns.
    QApplication::clipboard()->setText(QString::fromStdString(
        CopyTableText(*table_, top, bottom, model_->VisibleColumn(left), model_->VisibleColumn(right))));
}

void TTableForm::PasteClipboard()
{
    if (!table_ || !CommitCurrent())
        return;
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid())
        return;
    TGridTable& table = *table_;
    // One refresh after the whole block, not one per added row.
    auto onChange = std::move(table.OnChange);
    auto onCellChange = std::move(table.OnCellChange);
    table.OnChange = nullptr;
    table.OnCellChange = nullptr;
    PasteResult result;
    try {
        result = PasteTableText(table, current.row(), model_->VisibleColumn(current.column()),
                                QApplication::clipboard()->text().toStdString());
    } catch (const TorvikError& e) {
        result.error = e.what();
    }
    if (result.stored > 0 || result.rowsAdded > 0)
        table.SetChanged(true);
    table.OnChange = std::move(onChange);
    table.OnCellChange = std::move(onCellChange);
    if (result.rowsAdded > 0)
        view_.rowsInView = std::min(table.RowCount(), std::max(view_.rowsInView, InitialRowsInView(table.RowCount())));
    Refresh();
    if (!result.error.empty())
        prompt_.Information(result.error);
}
