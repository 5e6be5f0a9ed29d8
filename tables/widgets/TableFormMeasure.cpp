#include "tables/widgets/TableFormMeasure.h"

#include "tables/EnumColumn.h"
#include "tables/GridTable.h"
#include "tables/widgets/TableModel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace {

// The widths of grid column 0 (row numbers) and of every model column.
std::vector<int> ColumnWidths(const TableFormParts& parts, int rowHeaderMinimum, int comboExtra)
{
    const QFontMetrics fm = parts.grid.fontMetrics();
    const QFontMetrics hfm = parts.grid.horizontalHeader()->fontMetrics();
    const TTextMeasure measure = [&hfm](const std::string& text) {
        return hfm.horizontalAdvance(QString::fromStdString(text));
    };
    const TGridTable& table = parts.table;
    const TTableModel& model = parts.model;
    std::vector<int> widths;
    int rowHeader = std::max(measure(table.TopLeft() + "  "), rowHeaderMinimum);
    for (int r = 0; r < table.RowCount() && IsLayerParameterTable(table); ++r)
        rowHeader = std::max(rowHeader, measure(RowNumberText(table, r) + "  "));
    widths.push_back(rowHeader);
    for (int k = 0; k < model.columnCount(); ++k) {
        if (model.IsDepthColumn(k)) {
            // A computed depth: its caption or a number of eight digits, whichever is wider.
            const std::string caption = model.headerData(k, Qt::Horizontal, Qt::DisplayRole).toString().toStdString();
            widths.push_back(std::max(measure(caption + "  "), fm.horizontalAdvance("-1234.5678") + 8));
            continue;
        }
        const TColumn& column = model.ColumnAt(k);
        int width = column.Width(parts.ppi, measure);
        // Room for the widest number the cell can show, so that nothing is cut off.
        if (column.Kind() == ColumnReal)
            width = std::max(width, fm.horizontalAdvance("-1.2345678E-05") + 8);
        else if (column.Kind() == ColumnInteger)
            width = std::max(width, fm.horizontalAdvance("-2147483648") + 8);
        else if (const auto* choices = dynamic_cast<const TEnumColumn*>(&column))
            for (const std::string& choice : choices->Choices())
                width = std::max(width, fm.horizontalAdvance(QString::fromStdString(choice).trimmed()) + comboExtra);
        widths.push_back(width);
    }
    return widths;
}

} // namespace

TableFormMetrics MeasureTableForm(const TableFormParts& parts)
{
    TableFormMetrics m;
    const QTableView& grid = parts.grid;
    m.margin = std::max(1, parts.ppi / 20);
    m.rowHeight = grid.fontMetrics().height() + 6;
    int comboExtra = 0;
    if (parts.combo.isValid()) {
        m.rowHeight = std::max(m.rowHeight, parts.combo.height());
        comboExtra = parts.combo.width();
    }
    m.columnWidths = ColumnWidths(parts, parts.ppi / 3, comboExtra);
    m.gridExtraWidth = 2 * grid.frameWidth();
    m.gridExtraHeight = 2 * grid.frameWidth();
    m.vScrollWidth = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
    m.hScrollHeight = m.vScrollWidth;
    QSize button;
    for (const QPushButton* b : parts.buttons)
        button = button.expandedTo(b->sizeHint());
    m.buttonWidth = std::max(81, button.width());
    m.buttonHeight = std::max(21, button.height());
    m.buttonsVisible = parts.buttonsVisible;
    if (!parts.comments.text().isEmpty()) {
        const QSize label = parts.comments.sizeHint();
        m.commentWidth = label.width();
        m.commentHeight = label.height();
    }
    if (parts.picture) {
        const QSize picture = parts.picture->sizeHint();
        m.pictureWidth = std::max(0, picture.width());
        m.pictureHeight = std::max(0, picture.height());
    }
    if (parts.frame) {
        m.frameWidth = parts.frame->width() - parts.frame->contentsRect().width();
        m.frameHeight = parts.frame->height() - parts.frame->contentsRect().height();
    }
    return m;
}

QSize MeasureComboBox(const TGridTable& table)
{
    bool controls = false;
    for (int k = 0; k < table.VisibleColumnCount(); ++k)
        controls = controls || table.VisibleColumn(k).NeedsControls();
    if (!controls)
        return {};
    QComboBox probe;
    probe.addItem("M");
    return QSize(std::max(8, probe.sizeHint().width() - probe.fontMetrics().horizontalAdvance("M")),
                 probe.sizeHint().height() - 1);
}
