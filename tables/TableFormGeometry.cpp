#include "tables/TableFormGeometry.h"

#include "tables/Column.h"
#include "tables/GridTable.h"
#include "units/TorvikError.h"

#include <algorithm>

namespace {

// Most rows an editor keeps in view when it opens or grows by itself.
constexpr int MaxRowsInView = 10;

// Width of visible columns first .. first + count - 1, each with its grid line.
int ColumnsWidth(const TableFormMetrics& m, int first, int count)
{
    int width = 0;
    for (int k = first; k < first + count; ++k)
        width += m.columnWidths[static_cast<std::size_t>(k) + 1] + 1;
    return width;
}

int VisibleColumns(const TableFormMetrics& m) { return static_cast<int>(m.columnWidths.size()) - 1; }

// The layout with the scroll bars given rather than derived from the view, so
// that each snapping variant is measured with the bars it has.
TableFormLayout Layout(const TableFormMetrics& m, int headerRows, const TableFormView& view, bool vScroll, bool hScroll)
{
    TableFormLayout l;
    l.vScroll = vScroll;
    l.hScroll = hScroll;
    l.gridLeft = m.margin;
    l.gridTop = m.margin;
    l.gridWidth = m.gridExtraWidth + m.columnWidths.front() + 1 + ColumnsWidth(m, view.leftColumn, view.columnsInView) +
                  (vScroll ? m.vScrollWidth : 0);
    l.gridHeight = (m.rowHeight + 1) * (headerRows + view.rowsInView) + m.gridExtraHeight + (hScroll ? m.hScrollHeight : 0);
    l.buttonsTop = l.gridTop + l.gridHeight + m.margin;
    for (int i = 0; i < 3; ++i)
        l.buttonLeft[i] = m.margin + i * (m.buttonWidth + m.margin);
    // The comment and the picture widen the window rather than being cut off.
    const int right = std::max({l.gridLeft + l.gridWidth, l.buttonLeft[2] + m.buttonWidth, m.margin + m.commentWidth,
                                m.margin + m.pictureWidth});
    l.clientWidth = right + m.margin;
    l.commentTop = l.buttonsTop + (m.buttonsVisible ? m.buttonHeight + m.margin : 0);
    l.pictureTop = l.commentTop + (m.commentHeight > 0 ? m.commentHeight + m.margin : 0);
    l.clientHeight = l.pictureTop + (m.pictureHeight > 0 ? m.pictureHeight + m.margin : 0);
    return l;
}

}  // namespace

int HeaderRows(const TGridTable& table)
{
    int rows = 0;
    for (int n = 0; n < table.VisibleColumnCount(); ++n)
        rows = std::max(rows, table.VisibleColumn(n).CaptionCount());
    return rows;
}

std::string RowNumberText(const TGridTable& table, int r)
{
    const std::string number = std::to_string(r / table.RowGroup() + 1);
    if (!IsLayerParameterTable(table) || r > 1)
        return number;
    return number + (r == 0 ? "  top of layer" : "  bottom of layer");
}

namespace {

// Typical values of the p-y parameters by soil, from the published tables
// the criteria come with.
const char* const SandNote =
    "Typical k(py), static loading (Reese, Cox and Koop 1974; API RP 2A): loose sand 20 lb/in^3 below and\r"
    "25 above the water table (5400 and 6800 kN/m^3), medium 60 and 90 (16300 and 24400 kN/m^3),\r"
    "dense 125 and 225 (33900 and 61100 kN/m^3).";
const char* const ClayNote =
    "Typical E50: soft clay 0.02, medium 0.01, stiff 0.005 to 0.004 (Matlock 1970; Reese, Cox and Koop 1975).\r"
    "Typical k(py), static loading: soft clay 30 lb/in^3 (8000 kN/m^3); stiff clay 500, 1000 and 2000 lb/in^3\r"
    "(135000, 270000 and 540000 kN/m^3) for a cohesion of 1-2, 2-4 and 4-8 ksf (50-100, 100-200, 200-400 kPa).";
const char* const SiltNote =
    "Typical E50 as for clay of the same strength (0.02 soft to 0.004 stiff); typical k(py) as for sand\r"
    "of the same density (20 to 225 lb/in^3, 5400 to 61100 kN/m^3) (Reese and Van Impe 2001).";
const char* const WeakRockNote = "Typical krm 0.0005 to 0.00005 (Reese 1997).";

const char* LayerNote(const std::string& caption)
{
    if (caption == "Sand")
        return SandNote;
    if (caption == "Clay")
        return ClayNote;
    if (caption == "Silt")
        return SiltNote;
    if (caption == "Weak Rock")
        return WeakRockNote;
    return nullptr;
}

}  // namespace

bool IsNodeColumn(const TColumn& column)
{
    if (column.Kind() != ColumnInteger)
        return false;
    for (int i = 0; i < column.CaptionCount(); ++i) {
        const std::string line = column.CaptionLine(i);
        if (line.find("Node") != std::string::npos || line.find("Nodal") != std::string::npos)
            return true;
    }
    return false;
}

std::vector<TGridColumn> GridColumns(const TGridTable& table, bool withDepths)
{
    std::vector<TGridColumn> columns;
    for (int k = 0; k < table.VisibleColumnCount(); ++k) {
        columns.push_back({k, false});
        if (withDepths && IsNodeColumn(table.VisibleColumn(k)))
            columns.push_back({k, true});
    }
    return columns;
}

bool IsLayerParameterTable(const TGridTable& table)
{
    const std::string& c = table.Caption();
    return table.MinRows() == 2 && table.MaxRows() == 2 && table.RowGroup() == 1 &&
           (c == "Sand" || c == "Clay" || c == "Silt" || c == "Strong Rock" || c == "Weak Rock");
}

std::string CommentText(const TGridTable& table)
{
    const char* note = IsLayerParameterTable(table) ? LayerNote(table.Caption()) : nullptr;
    if (!note)
        return table.Comments();
    return table.Comments().empty() ? note : table.Comments() + "\r" + note;
}

TableFormButtons RowButtons(const TGridTable& table)
{
    TableFormButtons b;
    b.visible = table.MinRows() != table.MaxRows();
    b.addEnabled = table.RowCount() != table.MaxRows();
    b.insertEnabled = b.addEnabled;
    b.deleteEnabled = table.RowCount() > table.MinRows();
    return b;
}

int InitialRowsInView(int rowCount) { return std::min(rowCount, MaxRowsInView); }

int RowsInViewAfterAdd(int rowsInView, int rowCount, int rowGroup)
{
    if (rowsInView >= rowCount)
        return std::min(rowCount + rowGroup, MaxRowsInView);
    return rowsInView;
}

TableFormView ClampView(TableFormView view, int rowCount, int columnCount)
{
    view.rowsInView = std::clamp(view.rowsInView, 0, rowCount);
    view.columnsInView = std::clamp(view.columnsInView, 0, columnCount);
    view.topRow = std::clamp(view.topRow, 0, std::max(0, rowCount - view.rowsInView));
    view.leftColumn = std::clamp(view.leftColumn, 0, std::max(0, columnCount - view.columnsInView));
    return view;
}

TableFormLayout LayoutTableForm(const TableFormMetrics& metrics, int headerRows, int rowCount, const TableFormView& view)
{
    return Layout(metrics, headerRows, view, view.rowsInView < rowCount, view.columnsInView < VisibleColumns(metrics));
}

TableFormSnap SnapTableForm(const TableFormMetrics& m, int headerRows, int rowCount, const TableFormView& current,
                            DraggedEdges edges, int width, int height)
{
    const int columns = VisibleColumns(m);
    if (columns < 1)
        throw TorvikError("There must be at least 2 columns in grid");
    const int buttonsWidth = m.frameWidth + 3 * m.buttonWidth + 4 * m.margin;

    TableFormSnap best;
    long long bestScore = -1;
    for (int variant = 0; variant < 4; ++variant) {
        const bool vScroll = variant & 1;
        const bool hScroll = variant & 2;
        TableFormView view;

        if (!hScroll) {
            view.leftColumn = 0;
            view.columnsInView = columns;
        } else if (!edges.left && !edges.right) {
            view.leftColumn = current.leftColumn;
            view.columnsInView = current.columnsInView;
        } else {
            // Whole columns from the first scrolled one rightwards, then leftwards, while they fit.
            const int fixed = m.frameWidth + 2 * m.margin + m.gridExtraWidth + m.columnWidths.front() + 1 +
                              (vScroll ? m.vScrollWidth : 0);
            int left = std::clamp(current.leftColumn, 0, columns - 1);
            int used = fixed;
            int right = left;
            while (right < columns) {
                const int next = m.columnWidths[static_cast<std::size_t>(right) + 1] + 1;
                if (right > left && used + next > width && used >= buttonsWidth)
                    break;
                used += next;
                ++right;
            }
            while (left > 0 && used + m.columnWidths[static_cast<std::size_t>(left)] + 1 <= width) {
                --left;
                used += m.columnWidths[static_cast<std::size_t>(left) + 1] + 1;
            }
            view.leftColumn = left;
            view.columnsInView = right - left;
        }

        if (!vScroll) {
            view.topRow = 0;
            view.rowsInView = rowCount;
        } else if (!edges.top && !edges.bottom) {
            view.topRow = current.topRow;
            view.rowsInView = current.rowsInView;
        } else {
            TableFormView none = view;
            none.rowsInView = 0;
            const int fixed = m.frameHeight + Layout(m, headerRows, none, vScroll, hScroll).clientHeight;
            view.rowsInView = std::clamp((height - fixed) / (m.rowHeight + 1), 1, std::max(1, rowCount));
            view.topRow = std::max(0, std::min(current.topRow, rowCount - view.rowsInView));
        }
        view.rowsInView = std::min(view.rowsInView, rowCount);

        const TableFormLayout l = Layout(m, headerRows, view, vScroll, hScroll);
        const long long w = l.clientWidth + m.frameWidth;
        const long long h = l.clientHeight + m.frameHeight;
        long long score = 0;
        if (w > width && h > height)
            score = w * h - static_cast<long long>(width) * height;
        else if (w > width)
            score = (w - width) * height;
        else if (h > height)
            score = (h - height) * width;
        if (bestScore < 0 || score < bestScore) {
            bestScore = score;
            best.variant = variant;
            best.view = view;
            best.windowWidth = static_cast<int>(w);
            best.windowHeight = static_cast<int>(h);
        }
    }
    return best;
}

void NextCellOnEnter(int rowCount, int columnCount, int& row, int& column)
{
    if (row + 1 < rowCount) {
        ++row;
        return;
    }
    row = 0;
    column = column + 1 < columnCount ? column + 1 : 0;
}
