#pragma once
#include <string>
#include <vector>

class TColumn;
class TGridTable;

// The rules of a table's editor window that do not need a window: how many
// header rows and rows in view it has, which row buttons it offers, where its
// parts go and what size it snaps to when its frame is dragged. All sizes are
// in pixels; the window measures its font and frames and applies the results.

// What the window measured: its grid's rows and columns, its scroll bars, frames and parts.
struct TableFormMetrics {
    int margin = 0;                 // pixels per inch div 20
    int rowHeight = 0;              // height of every grid row, without its grid line
    std::vector<int> columnWidths;  // grid column 0 (row numbers), then each visible table column
    int gridExtraWidth = 3;         // grid borders across
    int gridExtraHeight = 5;        // grid borders down
    int vScrollWidth = 0;           // a vertical scroll bar's width
    int hScrollHeight = 0;          // a horizontal scroll bar's height
    int buttonWidth = 81;
    int buttonHeight = 21;
    bool buttonsVisible = true;
    int commentHeight = 0;          // 0 when there is no comment text
    int commentWidth = 0;
    int pictureWidth = 0;           // 0 when there is no help picture
    int pictureHeight = 0;
    int frameWidth = 0;             // the window frame across (both sides)
    int frameHeight = 0;            // the window frame down (title bar and borders)
};

// The scroll state of the grid: the first table row and visible column shown
// and how many of each are kept in view.
struct TableFormView {
    int topRow = 0;        // first scrolled table row
    int leftColumn = 0;    // first scrolled visible column (0-based, not counting row numbers)
    int rowsInView = 0;
    int columnsInView = 0;
};

// Where the parts of the window go, in client coordinates.
struct TableFormLayout {
    int gridLeft = 0, gridTop = 0, gridWidth = 0, gridHeight = 0;
    bool vScroll = false, hScroll = false;
    int buttonsTop = 0;
    int buttonLeft[3] = {0, 0, 0};  // add, insert, delete
    int commentTop = 0;
    int pictureTop = 0;
    int clientWidth = 0, clientHeight = 0;
};

// Which row buttons the editor shows and enables.
struct TableFormButtons {
    bool visible = false;
    bool addEnabled = false;
    bool insertEnabled = false;
    bool deleteEnabled = false;
};

// The edges of the frame that the user drags.
struct DraggedEdges {
    bool left = false, top = false, right = false, bottom = false;
};

// The size a dragged frame snaps to and the scroll state that goes with it.
struct TableFormSnap {
    int variant = 0;  // 0 no scroll bars, 1 vertical, 2 horizontal, 3 both
    TableFormView view;
    int windowWidth = 0;
    int windowHeight = 0;
};

// Largest number of header lines among the visible columns.
int HeaderRows(const TGridTable& table);
// Text of the row-number cell of table row r: r div RowGroup + 1; in the
// two-row parameter table of a soil layer the rows also say which end of the
// layer they give ("1  top of layer", "2  bottom of layer").
std::string RowNumberText(const TGridTable& table, int r);
// One column of a table editor's grid: a visible column of the table, or the
// read-only depth computed from the node numbers of the column before it.
struct TGridColumn {
    int visible = 0;     // index among the table's visible columns
    bool depth = false;  // the depth of the node numbers of that column
};
// Whether a column takes node numbers (an integer column whose caption says node).
bool IsNodeColumn(const TColumn& column);
// The grid's columns: every visible column of `table`, each node column
// followed by its depth column when `withDepths`.
std::vector<TGridColumn> GridColumns(const TGridTable& table, bool withDepths);

// Whether a table holds the parameters of one soil layer: two fixed rows, the
// values at the top and at the bottom of the layer.
bool IsLayerParameterTable(const TGridTable& table);
// The comment shown under a table: its own comments, and under a soil
// layer's parameters the typical values of k(py) and E50 with their sources.
std::string CommentText(const TGridTable& table);
// Row buttons: shown unless MinRows equals MaxRows; add and insert until MaxRows; delete above MinRows.
TableFormButtons RowButtons(const TGridTable& table);
// Rows in view when the editor opens: the row count, at most 10.
int InitialRowsInView(int rowCount);
// Rows in view after adding a row group: one group more when all rows were in view, at most 10.
int RowsInViewAfterAdd(int rowsInView, int rowCount, int rowGroup);
// The view kept within `rowCount` rows and `columnCount` visible columns.
TableFormView ClampView(TableFormView view, int rowCount, int columnCount);

// The window's layout for a scroll state.
TableFormLayout LayoutTableForm(const TableFormMetrics& metrics, int headerRows, int rowCount,
                                const TableFormView& view);

// The size that a frame dragged to `width` x `height` (window size, frame
// included) snaps to: the best of the four scroll-bar variants.
// TorvikError "There must be at least 2 columns in grid" without a data column.
TableFormSnap SnapTableForm(const TableFormMetrics& metrics, int headerRows, int rowCount,
                            const TableFormView& current, DraggedEdges edges, int width, int height);

// The cell Enter moves to from (row, column) of the data cells: the next row,
// from the last row the first row of the next column, from the last column column 0.
void NextCellOnEnter(int rowCount, int columnCount, int& row, int& column);
