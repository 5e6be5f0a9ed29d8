#include "tables/widgets/TableModel.h"

#include "tables/EnumColumn.h"
#include "tables/GridTable.h"
#include "tables/TableColumn.h"
#include "tables/TableFormGeometry.h"
#include "units/TorvikError.h"

#include <QColor>
#include <QStringList>

TTableModel::TTableModel(TGridTable& table, QObject* parent) : TTableModel(table, NodeDepths(), parent) {}

TTableModel::TTableModel(TGridTable& table, NodeDepths depths, QObject* parent)
    : QAbstractTableModel(parent), table_(&table), depths_(std::move(depths))
{
    headerRows_ = ::HeaderRows(table);
    MapColumns();
}

void TTableModel::MapColumns()
{
    columns_ = table_ ? GridColumns(*table_, depths_.Text && depths_.Caption) : std::vector<TGridColumn>();
}

void TTableModel::Detach()
{
    beginResetModel();
    table_ = nullptr;
    columns_.clear();
    endResetModel();
}

TColumn& TTableModel::ColumnAt(int column) const { return table_->VisibleColumn(VisibleColumn(column)); }

bool TTableModel::IsDepthColumn(int column) const
{
    return column >= 0 && column < static_cast<int>(columns_.size()) && columns_[static_cast<std::size_t>(column)].depth;
}

int TTableModel::VisibleColumn(int column) const
{
    if (column < 0 || column >= static_cast<int>(columns_.size()))
        return column;  // out of range as asked: the table reports it
    return columns_[static_cast<std::size_t>(column)].visible;
}

int TTableModel::ModelColumn(int index) const
{
    if (!table_)
        return -1;
    int visible = 0;
    for (int c = 0; c < table_->ColumnCount(); ++c) {
        if (!table_->Column(c).Visible())
            continue;
        if (c == index)
            break;
        ++visible;
    }
    for (std::size_t m = 0; m < columns_.size(); ++m)
        if (columns_[m].visible == visible && !columns_[m].depth)
            return static_cast<int>(m);
    return -1;
}

void TTableModel::Reload()
{
    beginResetModel();
    if (table_)
        headerRows_ = ::HeaderRows(*table_);
    MapColumns();
    endResetModel();
}

void TTableModel::CellChanged(int index, int row)
{
    const int column = ModelColumn(index);
    if (column < 0 || row < 0 || row >= rowCount())
        return;
    // The depth beside a node number changes with it.
    emit dataChanged(this->index(row, column), this->index(row, IsDepthColumn(column + 1) ? column + 1 : column));
}

int TTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !table_ ? 0 : table_->RowCount();
}

int TTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !table_ ? 0 : static_cast<int>(columns_.size());
}

QVariant TTableModel::data(const QModelIndex& index, int role) const
{
    if (!table_ || !index.isValid() || index.row() >= table_->RowCount())
        return {};
    const TColumn& column = ColumnAt(index.column());
    if (IsDepthColumn(index.column())) {
        // The depth of the node number beside it, read-only and greyed.
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return QString::fromStdString(depths_.Text(column.GetInteger(index.row())));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::ForegroundRole:
            return QColor(Qt::darkGray);
        default:
            return {};
        }
    }
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
    if (section >= columnCount())
        return {};
    if (IsDepthColumn(section)) {
        const QString caption = QString::fromStdString(depths_.Caption());
        if (role == Qt::DisplayRole)
            return caption;
        if (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
            return caption + " of " + headerData(section - 1, orientation, Qt::AccessibleTextRole).toString();
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignTop);
        return {};
    }
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
    // Choice and sub-table cells are edited through their drop-down lists and
    // buttons; depths are computed, never typed.
    if (!IsDepthColumn(index.column()) && !ColumnAt(index.column()).NeedsControls())
        f |= Qt::ItemIsEditable;
    return f;
}

bool TTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!table_ || role != Qt::EditRole || !index.isValid() || index.row() >= table_->RowCount())
        return false;
    TColumn& column = ColumnAt(index.column());
    if (column.NeedsControls() || IsDepthColumn(index.column()))
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
    const int last = IsDepthColumn(index.column() + 1) ? index.column() + 1 : index.column();
    emit dataChanged(index, this->index(index.row(), last));
    emit CellStored();
    return true;
}
