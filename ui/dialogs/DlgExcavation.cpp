#include "ui/dialogs/DlgExcavation.h"

#include "model/ProgramData.h"
#include "model/WallDocument.h"
#include "ui/dialogs/SettingsTable.h"
#include "ui/rules/ExcavationRules.h"
#include "units/Prompt.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

TDlgExcavation::TDlgExcavation(TWallDocument& document, QWidget* parent)
    : TInputDialog(document, "Excavation Plan", parent), table_(NewSettingsTable(this, "Excavation plan"))
{
    auto* note = new QLabel(
        "The excavation in plan: its width across the wall and its length along it. With the width given, the "
        "design checks check its base against heave where the base is clay; a length of 0 is an infinitely long "
        "excavation (plane strain). The targets are the factors asked of the base and of the block of soil between "
        "the wall and each anchor.",
        this);
    note->setWordWrap(true);
    note->setAccessibleName("About the excavation plan");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(table_);
    table_->setRowCount(1);
    for (int f = 0; f < ExcavationFieldCount; ++f)
        table_->setItem(0, f, EntryItem(""));
    connect(table_, &QTableWidget::itemChanged, this, &TDlgExcavation::ItemChanged);
}

void TDlgExcavation::Load(const TProgramData& wall)
{
    filling_ = true;
    SetSettingsCaptions(*table_, ExcavationColumnCaptions(wall.UnitSystem()));
    ShowValues();
    FitSettingsTable(*table_, 1);
    filling_ = false;
}

void TDlgExcavation::ShowValues()
{
    const bool filling = filling_;
    filling_ = true;
    const UnitSystem system = document_.Wall().UnitSystem();
    for (int f = 0; f < ExcavationFieldCount; ++f)
        table_->item(0, f)->setText(QString::fromStdString(
            ExcavationFieldText(document_.Settings().excavation, static_cast<TExcavationField>(f), system)));
    filling_ = filling;
}

void TDlgExcavation::ItemChanged(QTableWidgetItem* item)
{
    if (filling_)
        return;
    const auto field = static_cast<TExcavationField>(item->column());
    TWallSettings settings = document_.Settings();
    const std::string problem =
        SetExcavationField(settings, field, item->text().toStdString(), document_.Wall().UnitSystem());
    if (!problem.empty()) {
        ShowValues();
        document_.UserPrompt().Information(problem);
        return;
    }
    if (settings == document_.Settings()) {
        ShowValues();
        return;
    }
    document_.SetSettings(settings);
    ShowValues();
    emit Committed(QString::fromStdString(ExcavationFieldCaption(field)));
}

void TDlgExcavation::Store(TProgramData&)
{
    CommitOpenEntry(*table_);
}
