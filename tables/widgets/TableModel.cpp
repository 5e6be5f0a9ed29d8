#include "tables/widgets/TableModel.h"

#include "tables/EnumColumn.h"
#include "tables/GridTable.h"
#include "tables/TableColumn.h"
#include "tables/TableFormGeometry.h"
#include "units/TorvikError.h"

#include <QStringList>

TTableModel::TTableModel(TGridTable& table, QObject* parent) : QAbstractTableModel(parent), table_(&table)
{
    headerRows_ = ::HeaderRows(table);
}

void TTableModel::Detach()
{
    beginResetModel();
    table_ = nullptr;
    endResetModel();
}

TColumn& TTableModel::ColumnAt(int column) const { return table_->VisibleColumn(column); }

int TTableModel::ModelColumn(int index) const
{
    if (!table_)
        return -1;
    int visible = 0;
    for (int c = 0; c < table_->ColumnCount(); ++c) {
        if (!table_->Column(c).Visible())
            continue;
        if (c == index)
            return visible;
        ++visible;
    }
    return -1;
}

void TTableModel::Reload()
{
    beginResetModel();
    if (table_)
        headerRows_ = ::HeaderRows(*table_);
    endResetModel();
}

void TTableModel::CellChanged(int index, int row)
{
    const int column = ModelColumn(index);
    if (column < 0 || row < 0 || row >= rowCount())
        return;
    const QModelIndex cell = this->index(row, column);
    emit dataChanged(cell, cell);
}

int TTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !table_ ? 0 : table_->RowCount();
}

int TTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !table_ ? 0 : table_->VisibleColumnCount();
}

QVariant TTableModel::data(const QModelIndex& index, int role) const
{
    if (!table_ || !index.isValid() || index.row() >= table_->RowCount())
        return {};
    const TColumn& column = ColumnAt(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        if (const auto* choices = dynamic_cast<const TEnumColumn*>(&column)) {
            const int choice = choices->GetInteger(index.row());
            if (role != Qt::EditRole && choice >= 1 && choice <= static_cast<int>(choices->Choices().size()))
                return QString::fromStdString(choices->Choices()[static_cast<std::size_t>(choice) - 1]).trimmed();
            return QString::number(choice);
        }
        if (const auto* rows = dynamic_cast<const TTableColumn*>(&column))
            return QString::fromStdString(rows->ButtonCaption(index.row()));
        return QString::fromStdString(column.GetText(index.row()));
    case Qt::TextAlignmentRole:
        // Numbers line up on their last digit, as in any engineering table.
        if (column.Kind() == ColumnInteger || column.Kind() == ColumnReal)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!table_)
        return {};
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section < table_->RowCount())
            return QString::fromStdString(RowNumberText(*table_, section));
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignCenter);
        return {};
    }
    if (section >= table_->VisibleColumnCount())
        return {};
    const TColumn& column = ColumnAt(section);
    if (role == Qt::DisplayRole) {
        // Every header has HeaderRows lines, the column's own lines at the top.
        QStringList lines;
        for (int i = 0; i < headerRows_; ++i)
            lines << (i < column.CaptionCount() ? QString::fromStdString(column.CaptionLine(i)).trimmed() : QString());
        return lines.join('\n');
    }
    if (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole) {
        QStringList lines;
        for (int i = 0; i < column.CaptionCount(); ++i)
            lines << QString::fromStdString(column.CaptionLine(i)).trimmed();
        return lines.join(' ');
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignTop);
    return {};
}

Qt::ItemFlags TTableModel::flags(const QModelIndex& index) const
{
    if (!table_ || !index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Choice and sub-table cells are edited through their drop-down lists and buttons.
    if (!ColumnAt(index.column()).NeedsControls())
        f |= Qt::ItemIsEditable;
    return f;
}

bool TTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!table_ || role != Qt::EditRole || !index.isValid() || index.row() >= table_->RowCount())
        return false;
    TColumn& column = ColumnAt(index.column());
    if (column.NeedsControls())
        return false;
    const std::string text = value.toString().toStdString();
    // Leaving a cell unchanged is not an edit: the wall stays unmodified.
    if (text == column.GetText(index.row())) {
        lastAccepted_ = true;
        return true;
    }
    try {
        column.SetText(index.row(), text);
    } catch (const TorvikError& e) {
        lastAccepted_ = false;
        emit AssignmentRefused(index, value.toString(), QString::fromStdString(e.what()));
        return false;
    }
    lastAccepted_ = true;
    table_->SetChanged(true);
    emit dataChanged(index, index);
    return true;
}
