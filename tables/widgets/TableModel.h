#pragma once
#include "tables/TableFormGeometry.h"

#include <QAbstractTableModel>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class TColumn;
class TGridTable;

// The cells of an input table as an item model: one row per table row, one
// column per visible table column, and after each column of node numbers a
// read-only column of their depths (when the program gives them). Header
// texts are the columns' header lines and the row numbers. Typed text is
// handed to the column's check; a refused text leaves the cell as it was and
// is reported with its message.
class TTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The depth of node numbers: the text of a node's depth and the depth
    // column's caption ("Depth (m)"), in the units of the wall the table
    // belongs to. Without it the grid has no depth columns.
    struct NodeDepths {
        std::function<std::string(long long node)> Text;
        std::function<std::string()> Caption;
    };

    // A model of `table`; `depths` gives the depths of its node numbers.
    explicit TTableModel(TGridTable& table, QObject* parent = nullptr);
    TTableModel(TGridTable& table, NodeDepths depths, QObject* parent = nullptr);

    // The table shown; the model no longer touches it once Detach() was called.
    TGridTable* Table() const { return table_; }
    void Detach();

    // The table column shown in model column `column` (for a depth column, its node column).
    TColumn& ColumnAt(int column) const;
    // Whether model column `column` holds the depths of the node numbers before it.
    bool IsDepthColumn(int column) const;
    // The visible table column that model column `column` shows (a depth column: its node column's).
    int VisibleColumn(int column) const;
    // The model column of table column `index`, -1 when it is not visible.
    int ModelColumn(int index) const;
    // Header rows: the largest number of header lines of the visible columns.
    int HeaderRows() const { return headerRows_; }
    // False after setData refused a text, until the next accepted one.
    bool LastCommitAccepted() const { return lastAccepted_; }

    // The whole table changed (rows or units): every cell and header is read again.
    void Reload();
    // One cell of table column `index`, row `row`, changed.
    void CellChanged(int index, int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // A typed text was refused; `message` says why.
    void AssignmentRefused(const QModelIndex& index, const QString& text, const QString& message);
    // A typed text was stored into the table.
    void CellStored();

private:
    void MapColumns();

    TGridTable* table_;
    NodeDepths depths_;
    std::vector<TGridColumn> columns_;
    int headerRows_ = 0;
    bool lastAccepted_ = true;
};
