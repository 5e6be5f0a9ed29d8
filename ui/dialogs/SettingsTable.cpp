#include "ui/dialogs/SettingsTable.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

QTableWidget* NewSettingsTable(QWidget* parent, const QString& accessibleName)
{
    auto* table = new QTableWidget(parent);
    table->setAccessibleName(accessibleName);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // Its width is that of its columns; where the window has less room (a
    // small screen, double scale) it scrolls sideways.
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    return table;
}

void SetSettingsCaptions(QTableWidget& table, const std::vector<std::string>& captions)
{
    QStringList labels;
    for (const std::string& c : captions) {
        QString text = QString::fromStdString(c);
        const int bracket = text.lastIndexOf(QLatin1String(" ("));
        if (bracket > 0)
            text[bracket] = QLatin1Char('\n');
        labels << text;
    }
    table.setColumnCount(static_cast<int>(labels.size()));
    table.setHorizontalHeaderLabels(labels);
}

QTableWidgetItem* ShownItem(const std::string& text, bool numeric)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    // Shown only: the window's background tells it from the cells one types into.
    item->setBackground(QApplication::palette().window());
    return item;
}

QTableWidgetItem* EntryItem(const std::string& text, bool numeric)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    item->setTextAlignment((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return item;
}

void FitSettingsTable(QTableWidget& table, int rows)
{
    table.resizeColumnsToContents();
    table.resizeRowsToContents();
    int width = 2 * table.frameWidth();
    for (int c = 0; c < table.columnCount(); ++c)
        width += table.columnWidth(c);
    const int rowHeight = table.verticalHeader()->defaultSectionSize();
    const int shown = std::max(3, std::min(rows, table.rowCount()));
    int height = 2 * table.frameWidth() + table.horizontalHeader()->sizeHint().height() + shown * rowHeight;
    if (table.rowCount() > shown) {
        // Room for the vertical scroll bar, so that no column is cut.
        width += table.verticalScrollBar()->sizeHint().width();
    }
    table.setFixedHeight(height);
    table.setMinimumWidth(0);
    table.setMaximumWidth(width);
}

void CommitOpenEntry(QTableWidget& table)
{
    const QModelIndex index = table.currentIndex();
    QWidget* editor = index.isValid() ? table.indexWidget(index) : nullptr;
    if (!editor)
        return;
    QAbstractItemDelegate* delegate = table.itemDelegateForIndex(index);
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}
