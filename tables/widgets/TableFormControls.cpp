#include "tables/widgets/TableFormControls.h"

#include "tables/EnumColumn.h"
#include "tables/TableColumn.h"
#include "tables/widgets/TableModel.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

TTableFormControls::TTableFormControls(QTableView& grid, TTableModel& model, QObject& filter, ChoiceMade choiceMade,
                                       ButtonPressed buttonPressed)
    : grid_(grid), model_(model), filter_(filter), choiceMade_(std::move(choiceMade)),
      buttonPressed_(std::move(buttonPressed))
{
}

void TTableFormControls::Clear()
{
    for (int k = 0; k < model_.columnCount(); ++k)
        for (int r = 0; r < model_.rowCount(); ++r)
            if (grid_.indexWidget(model_.index(r, k)))
                grid_.setIndexWidget(model_.index(r, k), nullptr);
}

void TTableFormControls::Sync(int first, int count)
{
    const int rows = model_.rowCount();
    const int last = std::min(rows, first + std::max(1, count)) - 1;
    for (int k = 0; k < model_.columnCount(); ++k) {
        if (!model_.ColumnAt(k).NeedsControls())
            continue;
        for (int r = 0; r < rows; ++r) {
            const QModelIndex cell = model_.index(r, k);
            QWidget* control = grid_.indexWidget(cell);
            if (r < first || r > last) {
                if (control)
                    grid_.setIndexWidget(cell, nullptr);
            } else if (!control) {
                Create(k, r);
            }
        }
    }
}

void TTableFormControls::Create(int k, int row)
{
    TColumn& column = model_.ColumnAt(k);
    const QModelIndex cell = model_.index(row, k);
    if (auto* choices = dynamic_cast<TEnumColumn*>(&column)) {
        auto* combo = new QComboBox;
        combo->setAccessibleName(model_.headerData(k, Qt::Horizontal, Qt::AccessibleTextRole).toString() +
                                 QString(" row %1").arg(row + 1));
        combo->setMaxVisibleItems(11);
        for (const std::string& choice : choices->Choices())
            combo->addItem(QString::fromStdString(choice).trimmed());
        combo->setCurrentIndex(choices->GetInteger(row) - 1);
        combo->installEventFilter(&filter_);
        combo->setProperty("tableRow", row);
        QObject::connect(combo, &QComboBox::activated, combo, [made = choiceMade_, choices, combo](int item) {
            made(*choices, combo->property("tableRow").toInt(), item);
        });
        grid_.setIndexWidget(cell, combo);
    } else if (auto* subTables = dynamic_cast<TTableColumn*>(&column)) {
        auto* button = new QPushButton(QString::fromStdString(subTables->ButtonCaption(row)));
        button->setAccessibleName(button->text());
        button->setAutoDefault(false);
        button->setProperty("tableRow", row);
        button->installEventFilter(&filter_);
        QObject::connect(button, &QPushButton::clicked, button, [pressed = buttonPressed_, subTables, button] {
            pressed(*subTables, button->property("tableRow").toInt());
        });
        grid_.setIndexWidget(cell, button);
    }
}

void TTableFormControls::Refresh(int index, int row)
{
    const int k = model_.ModelColumn(index);
    // A row being inserted from outside the editor (Undo refilling the table)
    // is not in its column yet; the refresh after the insert shows it.
    if (k < 0 || row >= model_.rowCount() || row >= model_.ColumnAt(k).RowCount())
        return;
    QWidget* control = grid_.indexWidget(model_.index(row, k));
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(model_.ColumnAt(k).GetInteger(row) - 1);
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        if (auto* subTables = dynamic_cast<TTableColumn*>(&model_.ColumnAt(k))) {
            button->setText(QString::fromStdString(subTables->ButtonCaption(row)));
            button->setAccessibleName(button->text());
        }
    }
}
