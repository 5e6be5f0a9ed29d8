#include "ui/dialogs/DlgExcavationSide.h"

#include "model/ProgramData.h"
#include "model/WallDocument.h"
#include "ui/dialogs/SettingsTable.h"
#include "ui/rules/ExcavationSideRules.h"
#include "units/Prompt.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

TDlgExcavationSide::TDlgExcavationSide(TWallDocument& document, QWidget* parent)
    : TInputDialog(document, "Excavation Side", parent), table_(NewSettingsTable(this, "Excavation side"))
{
    auto* note = new QLabel(
        "The ground in front of the wall in each stage. A berm stands on the excavation level against the wall; "
        "its weight over the passive wedge acts as a surcharge on the soil below the excavation level. A sloping "
        "surface falls away from the wall at the excavation level and reduces the soil's resistance by the "
        "planar wedge. Both apply to the generated p-y curves, their passive limit and the limit-equilibrium estimate.",
        this);
    note->setWordWrap(true);
    note->setAccessibleName("About the excavation side");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(table_);
    connect(table_, &QTableWidget::itemChanged, this, &TDlgExcavationSide::ItemChanged);
}

void TDlgExcavationSide::Load(const TProgramData& wall)
{
    filling_ = true;
    const int stages = std::max(1, static_cast<int>(wall.StageCount));
    table_->clearContents();
    SetSettingsCaptions(*table_, ExcavationSideCaptions(wall.UnitSystem()));
    table_->setRowCount(stages);
    for (int r = 0; r < stages; ++r) {
        const int stage = r + 1;
        table_->setItem(r, 0, ShownItem(std::to_string(stage)));
        auto* kind = new QComboBox(table_);
        for (const std::string& name : GroundKindNames())
            kind->addItem(QString::fromStdString(name));
        kind->setAccessibleName(QString("Ground of stage %1").arg(stage));
        table_->setCellWidget(r, 1, kind);
        connect(kind, qOverload<int>(&QComboBox::activated), this,
                [this, stage](int index) { KindChosen(stage, index); });
        for (int f = 0; f < GroundFieldCount; ++f)
            table_->setItem(r, GroundFixedColumns + f, EntryItem(""));
        ShowStage(stage);
    }
    FitSettingsTable(*table_, 6);
    filling_ = false;
}

void TDlgExcavationSide::ShowStage(int stage)
{
    const bool filling = filling_;
    filling_ = true;
    const int r = stage - 1;
    const TExcavationSideSettings row =
        ExcavationSideRows(stage, document_.Settings()).back();
    if (auto* kind = qobject_cast<QComboBox*>(table_->cellWidget(r, 1)))
        kind->setCurrentIndex(static_cast<int>(row.kind));
    const UnitSystem system = document_.Wall().UnitSystem();
    for (int f = 0; f < GroundFieldCount; ++f)
        if (QTableWidgetItem* item = table_->item(r, GroundFixedColumns + f))
            item->setText(QString::fromStdString(GroundFieldText(row, static_cast<TGroundField>(f), system)));
    filling_ = filling;
}

void TDlgExcavationSide::KindChosen(int stage, int kind)
{
    TWallSettings settings = document_.Settings();
    SetGroundKind(settings, stage, static_cast<ExcavationGroundKind>(kind));
    if (settings == document_.Settings())
        return;
    document_.SetSettings(settings);
    ShowStage(stage);
    emit Committed("Excavation Ground");
}

void TDlgExcavationSide::ItemChanged(QTableWidgetItem* item)
{
    if (filling_ || item->column() < GroundFixedColumns)
        return;
    const int stage = item->row() + 1;
    const auto field = static_cast<TGroundField>(item->column() - GroundFixedColumns);
    if (item->text().trimmed().isEmpty()) {
        ShowStage(stage);
        return;
    }
    TWallSettings settings = document_.Settings();
    const std::string problem =
        SetGroundField(settings, stage, field, item->text().toStdString(), document_.Wall().UnitSystem());
    if (!problem.empty()) {
        ShowStage(stage);
        document_.UserPrompt().Information(problem);
        return;
    }
    document_.SetSettings(settings);
    ShowStage(stage);
    emit Committed(QString::fromStdString(GroundFieldCaption(field)));
}

void TDlgExcavationSide::Store(TProgramData&)
{
    CommitOpenEntry(*table_);
}
