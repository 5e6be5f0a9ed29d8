#pragma once
#include "tables/TableFormGeometry.h"
#include "tables/widgets/TableModel.h"

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QTableView;
class QTimer;
class Prompt;
class TCellDelegate;
class TTableEditors;
class TTableFormControls;
class WallTables;
class TGridTable;
class TTableModel;

// The editor window of one input table: a grid with a row-number column and
// the table's header lines, drop-down lists in choice columns and buttons in
// sub-table columns, the Add, Insert and Delete row buttons, the table's
// comment and its help picture. What the grid shows is always what the table
// holds: typed text is checked and stored as each cell is left.
class TTableForm : public QWidget {
    Q_OBJECT
public:
    // Makes the help picture of a name (or null); the program installs one.
    using PictureFactory = std::function<QWidget*(const std::string& name, QWidget* parent)>;

    // Lets every table of `tables` (a document's) open its editor: non-modal
    // editors become child windows of `area`; messages go to `prompt`; the
    // editors open are found, and report their changes, in `editors`, which
    // must outlive them. `depths` gives the depths of node numbers in the
    // units of those tables' wall.
    static void Install(TTableEditors& editors, WallTables& tables, QMdiArea& area, Prompt& prompt,
                        PictureFactory pictures = {}, TTableModel::NodeDepths depths = {});

    ~TTableForm() override;

    // The table shown; null once the table was destroyed.
    TGridTable* Table() const { return table_; }
    QTableView* Grid() const { return grid_; }
    QPushButton* BtnAdd() const { return btnAdd_; }
    QPushButton* BtnIns() const { return btnIns_; }
    QPushButton* BtnDel() const { return btnDel_; }
    // The window that carries the frame: the child window, the modal dialog or the form itself.
    QWidget* Frame() const;
    // Rows and columns kept in view and the scroll position.
    const TableFormView& View() const { return view_; }

    // Stores the text of the cell being edited; false (after the message) when it is refused.
    bool CommitCurrent();
    // Snaps the window to whole rows and columns after its frame was dragged to `dragged`.
    void SnapFrame(const QRect& dragged, DraggedEdges edges);
    // The frame rectangle that a frame dragged to `dragged` (window decorations
    // of `decorations` included) snaps to; the grid takes the rows and columns it holds.
    QRect SnappedFrame(const QRect& dragged, DraggedEdges edges, QSize decorations);
    // Copies the selected cells to the clipboard as tab-separated text.
    void CopySelection();
    // Pastes tab-separated text from the clipboard at the current cell.
    void PasteClipboard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape that no cell or control took closes the editor's window, as its close button does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Where the editors of one set of tables open.
    struct Place;
    TTableForm(TGridTable& table, std::shared_ptr<const Place> place, QWidget* parent = nullptr);
    static void Open(const std::shared_ptr<const Place>& place, TGridTable& table, bool modal);

    void Attach();
    void Detach();
    void Refresh();
    void ApplyLayout();
    TableFormMetrics Metrics() const;
    void SyncControls();
    void DestroyControls();
    void RefreshControl(int index, int row);
    void Retitle();
    void FocusCell(int index, int row);
    void MoveOnEnter();
    void AssignmentRefused(const QModelIndex& index, const QString& text, const QString& message);
    // Tells the edit listener of a change: `what` and the table's caption.
    void Edited(const char* what);
    void BtnAddClick();
    void BtnInsClick();
    void BtnDelClick();
    // The current table row, or -1 with "Grid.Row not in valid range" shown.
    int CurrentDataRow();
    void ScrollChanged();
    void FrameResized();

    TGridTable* table_;
    std::shared_ptr<const Place> place_;
    Prompt& prompt_;
    TTableModel* model_;
    TCellDelegate* delegate_;
    QTableView* grid_;
    QPushButton* btnAdd_;
    QPushButton* btnIns_;
    QPushButton* btnDel_;
    QLabel* lblComments_;
    QWidget* imgHelp_ = nullptr;
    std::unique_ptr<TTableFormControls> controls_;
    QPointer<QMdiSubWindow> subWindow_;
    QPointer<QDialog> dialog_;
    TableFormView view_;
    bool scrollAttached_ = true;
    bool applying_ = false;
    QTimer* snapTimer_;
    QRect appliedFrame_;
    // A drop-down list's metrics (MeasureComboBox), measured at the first layout.
    mutable QSize comboMetrics_;
};
