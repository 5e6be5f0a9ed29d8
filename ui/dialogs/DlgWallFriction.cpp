#include "ui/dialogs/DlgWallFriction.h"

#include "model/ProgramData.h"
#include "model/WallDocument.h"
#include "ui/dialogs/SettingsTable.h"
#include "ui/rules/WallFrictionRules.h"
#include "units/Prompt.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

TDlgWallFriction::TDlgWallFriction(TWallDocument& document, QWidget* parent)
    : TInputDialog(document, "Wall Friction", parent),
      table_(NewSettingsTable(this, "Wall friction of the soil layers")),
      empty_(new QLabel("This stage has no soil layers: give them in Data > Soil Layer Data.", this))
{
    empty_->setAccessibleName("No soil layers");
    empty_->setWordWrap(true);
    auto* note = new QLabel(
        "The contact of each soil layer with the wall: the wall friction delta = ratio x phi' gives Coulomb's active "
        "and the curved-surface passive coefficients; the adhesion a = ratio x c enters the cohesion terms. "
        "0 is a smooth wall. The values hold for the layer of the same number in every stage.",
        this);
    note->setWordWrap(true);
    note->setAccessibleName("About wall friction");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(table_);
    layout->addWidget(empty_);
    connect(table_, &QTableWidget::itemChanged, this, &TDlgWallFriction::ItemChanged);
}

void TDlgWallFriction::Load(const TProgramData& wall)
{
    filling_ = true;
    const std::vector<TWallFrictionRow> rows = WallFrictionRows(wall, document_.Settings());
    table_->clearContents();
    SetSettingsCaptions(*table_, WallFrictionColumnCaptions(wall.UnitSystem()));
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const TWallFrictionRow& row = rows[static_cast<std::size_t>(r)];
        table_->setItem(r, 0, ShownItem(std::to_string(row.layer)));
        table_->setItem(r, 1, ShownItem(row.soil, false));
        table_->setItem(r, 2, ShownItem(row.bottom));
        // A ratio the soil has no strength for is shown, not typed into.
        table_->setItem(r, WallFrictionFixedColumns, row.friction ? EntryItem("") : ShownItem(""));
        table_->setItem(r, WallFrictionFixedColumns + 1, row.cohesion ? EntryItem("") : ShownItem(""));
        ShowLayer(r);
    }
    FitSettingsTable(*table_, 10);
    empty_->setVisible(rows.empty());
    filling_ = false;
}

void TDlgWallFriction::ShowLayer(int r)
{
    const bool filling = filling_;
    filling_ = true;
    const std::vector<TWallFrictionRow> rows = WallFrictionRows(document_.Wall(), document_.Settings());
    if (r < static_cast<int>(rows.size())) {
        const TWallFrictionRow& row = rows[static_cast<std::size_t>(r)];
        for (int f = 0; f < WallFrictionFieldCount; ++f)
            if (QTableWidgetItem* item = table_->item(r, WallFrictionFixedColumns + f))
                item->setText(QString::fromStdString(WallFrictionFieldText(row, static_cast<TWallFrictionField>(f))));
    }
    filling_ = filling;
}

void TDlgWallFriction::ItemChanged(QTableWidgetItem* item)
{
    if (filling_ || item->column() < WallFrictionFixedColumns)
        return;
    const int row = item->row();
    const auto field = static_cast<TWallFrictionField>(item->column() - WallFrictionFixedColumns);
    TWallSettings settings = document_.Settings();
    const std::string problem = SetWallFrictionField(settings, row + 1, field, item->text().toStdString());
    if (!problem.empty()) {
        ShowLayer(row);
        document_.UserPrompt().Information(problem);
        return;
    }
    // The same value again is no change of the wall.
    auto contact = [row](const TWallSettings& s) {
        const TWallFrictionSettings* w = s.WallFriction(row + 1);
        return w ? *w : TWallFrictionSettings{row + 1, 0, 0};
    };
    if (contact(settings) == contact(document_.Settings())) {
        ShowLayer(row);
        return;
    }
    document_.SetSettings(settings);
    ShowLayer(row);
    emit Committed(QString::fromStdString(WallFrictionFieldCaption(field)));
}

void TDlgWallFriction::Store(TProgramData&)
{
    CommitOpenEntry(*table_);
}
