#include "ui/dialogs/DlgWater.h"

#include "model/ProgramData.h"
#include "model/WallDocument.h"
#include "ui/dialogs/SettingsTable.h"
#include "ui/rules/WaterRules.h"
#include "units/Prompt.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

TWaterSide SideOf(int side)
{
    return side == 0 ? TWaterSide::Retained : TWaterSide::Excavation;
}

QLineEdit* FactorEdit(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setAccessibleName(name);
    return edit;
}

}  // namespace

TDlgWater::TDlgWater(TWallDocument& document, QWidget* parent)
    : TInputDialog(document, "Ground Water", parent),
      stage_(new QLabel(this)),
      regime_(new QComboBox(this)),
      retained_(NewSettingsTable(this, "Pore pressure behind the wall")),
      excavation_(NewSettingsTable(this, "Pore pressure in front of the wall")),
      dst_(FactorEdit(this, "gamma_G;dst, on the destabilising pore pressure")),
      stb_(FactorEdit(this, "gamma_G;stb, on the stabilising weight"))
{
    stage_->setAccessibleName("Stage");
    regime_->setAccessibleName("Water regime");
    for (const std::string& caption : WaterRegimeCaptions())
        regime_->addItem(QString::fromStdString(caption));
    auto* note = new QLabel(
        "Seepage: the head difference between the water depths DWb and DWe is lost along the flow path down the "
        "retained side and up the excavation side in proportion to its length (the simplified method of CIRIA C760 "
        "and the EAU). A table holds a flow net's pore pressures against depth; a side without rows keeps still "
        "water. The heave check's factors hold for every stage.",
        this);
    note->setWordWrap(true);
    note->setAccessibleName("About the ground water");
    auto* tables = new QHBoxLayout;
    tables->addWidget(retained_);
    tables->addWidget(excavation_);
    auto* factors = new QFormLayout;
    factors->addRow("Water regime", regime_);
    factors->addRow("Hydraulic heave gamma_G;dst", dst_);
    factors->addRow("Hydraulic heave gamma_G;stb", stb_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stage_);
    layout->addWidget(note);
    layout->addLayout(factors);
    layout->addLayout(tables);
    connect(regime_, qOverload<int>(&QComboBox::currentIndexChanged), this, &TDlgWater::RegimeChosen);
    connect(retained_, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* i) { CellChanged(*retained_, 0, i); });
    connect(excavation_, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* i) { CellChanged(*excavation_, 1, i); });
    connect(dst_, &QLineEdit::editingFinished, this, [this] { FactorTyped(true); });
    connect(stb_, &QLineEdit::editingFinished, this, [this] { FactorTyped(false); });
}

int TDlgWater::Stage() const
{
    const TProgramData& wall = document_.Wall();
    return wall.StageCount > 1 ? wall.CurrentStage : 1;
}

void TDlgWater::Load(const TProgramData&)
{
    Show();
}

void TDlgWater::Show()
{
    filling_ = true;
    const TProgramData& wall = document_.Wall();
    stage_->setText(wall.StageCount > 1 ? QString("Stage %1 of %2").arg(wall.CurrentStage).arg(wall.StageCount)
                                        : QString("The wall"));
    const TStageWater water = document_.Settings().water.Stage(Stage());
    regime_->setCurrentIndex(static_cast<int>(water.regime));
    FillTable(*retained_, 0);
    FillTable(*excavation_, 1);
    dst_->setText(QString::fromStdString(HydraulicFactorText(document_.Settings(), true)));
    stb_->setText(QString::fromStdString(HydraulicFactorText(document_.Settings(), false)));
    filling_ = false;
}

void TDlgWater::FillTable(QTableWidget& table, int side)
{
    const UnitSystem system = document_.Wall().UnitSystem();
    const auto rows = PoreRowsText(document_.Settings(), Stage(), SideOf(side), system);
    table.clearContents();
    SetSettingsCaptions(table, PoreColumnCaptions(system));
    // One empty row more, to type a new one into.
    table.setRowCount(static_cast<int>(rows.size()) + 1);
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < 2; ++c)
            table.setItem(r, c,
                          EntryItem(r < static_cast<int>(rows.size())
                                        ? rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]
                                        : ""));
    table.setEnabled(document_.Settings().water.Stage(Stage()).regime == WaterRegime::Table);
    FitSettingsTable(table, 8);
}

void TDlgWater::RegimeChosen(int index)
{
    if (filling_ || index < 0)
        return;
    TWallSettings settings = document_.Settings();
    SetStageRegime(settings, Stage(), static_cast<WaterRegime>(index));
    document_.SetSettings(settings);
    Show();
    emit Committed("Water Regime");
}

void TDlgWater::CellChanged(QTableWidget&, int side, QTableWidgetItem* item)
{
    if (filling_)
        return;
    TWallSettings settings = document_.Settings();
    const std::string problem = SetPoreCell(settings, Stage(), SideOf(side), item->row(), item->column(),
                                            item->text().toStdString(), document_.Wall().UnitSystem());
    if (!problem.empty()) {
        // Shown again first: the message's window takes the focus from the table.
        Show();
        document_.UserPrompt().Information(problem);
        return;
    }
    document_.SetSettings(settings);
    Show();
    emit Committed("Pore Pressure");
}

void TDlgWater::FactorTyped(bool destabilising)
{
    if (filling_)
        return;
    QLineEdit* edit = destabilising ? dst_ : stb_;
    if (edit->text().toStdString() == HydraulicFactorText(document_.Settings(), destabilising))
        return;
    TWallSettings settings = document_.Settings();
    const std::string problem = SetHydraulicFactor(settings, destabilising, edit->text().toStdString());
    if (!problem.empty()) {
        Show();
        document_.UserPrompt().Information(problem);
        return;
    }
    document_.SetSettings(settings);
    Show();
    emit Committed(destabilising ? "Heave Factor gamma_G;dst" : "Heave Factor gamma_G;stb");
}

void TDlgWater::Store(TProgramData&)
{
    CommitOpenEntry(*retained_);
    CommitOpenEntry(*excavation_);
}
