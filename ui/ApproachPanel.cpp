#include "ui/ApproachPanel.h"

#include "ui/rules/ApproachRules.h"
#include "units/NumberFormat.h"
#include "units/Prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr DesignApproach kApproaches[] = {DesignApproach::None, DesignApproach::DA1, DesignApproach::DA2,
                                          DesignApproach::DA3};
constexpr int kValueColumn = 2;

QTableWidgetItem* Cell(const std::string& text, bool editable)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(editable ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
                            : Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace

TApproachPanel::TApproachPanel(QWidget* parent, Prompt& prompt)
    : QWidget(parent),
      prompt_(prompt),
      approach_(new QComboBox(this)),
      unplanned_(new QCheckBox("Unplanned e&xcavation in the combinations", this)),
      factors_(new QTableWidget(this)),
      recommended_(new QPushButton("Recommended &values", this))
{
    auto* approachLabel = new QLabel("Design &approach", this);
    approachLabel->setBuddy(approach_);
    for (DesignApproach a : kApproaches)
        approach_->addItem(a == DesignApproach::None ? QString("None") : QString(DesignApproachName(a)));
    approach_->setAccessibleName("Design approach");
    unplanned_->setAccessibleName("Unplanned excavation");
    recommended_->setAccessibleName("Recommended values");
    recommended_->setAutoDefault(false);
    factors_->setAccessibleName("Partial factors");
    factors_->setColumnCount(3);
    factors_->setHorizontalHeaderLabels({"Partial factor", "Set", "Value"});
    factors_->verticalHeader()->hide();
    factors_->horizontalHeader()->setStretchLastSection(true);
    factors_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);

    connect(approach_, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        settings_.designApproach = kApproaches[index];
        Changed();
    });
    connect(unplanned_, &QCheckBox::clicked, this, [this](bool on) {
        settings_.unplannedExcavation = on;
        Changed();
    });
    connect(recommended_, &QPushButton::clicked, this, [this] {
        settings_.partialFactors = TPartialFactors{};
        FillFactors();
        Changed();
    });
    connect(factors_, &QTableWidget::cellChanged, this, &TApproachPanel::FactorEdited);

    auto* row = new QHBoxLayout;
    row->addWidget(approachLabel);
    row->addWidget(approach_);
    row->addWidget(unplanned_);
    row->addStretch(1);
    row->addWidget(recommended_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addWidget(factors_, 1);
}

void TApproachPanel::SetSettings(const TWallSettings& settings)
{
    settings_ = settings;
    approach_->setCurrentIndex(static_cast<int>(settings.designApproach));
    unplanned_->setChecked(settings.unplannedExcavation);
    FillFactors();
}

void TApproachPanel::FillFactors()
{
    filling_ = true;
    const std::vector<TPartialFactorEntry>& entries = PartialFactorEntries();
    factors_->setRowCount(static_cast<int>(entries.size()));
    for (int r = 0; r < factors_->rowCount(); ++r) {
        const TPartialFactorEntry& e = entries[static_cast<std::size_t>(r)];
        factors_->setItem(r, 0, Cell(e.label, false));
        factors_->setItem(r, 1, Cell(FactorSetName(e), false));
        factors_->setItem(r, kValueColumn, Cell(FormatGeneral(settings_.partialFactors.*e.value, 6), true));
    }
    factors_->resizeColumnsToContents();
    filling_ = false;
}

void TApproachPanel::FactorEdited(int row, int column)
{
    if (filling_ || column != kValueColumn)
        return;
    const TPartialFactorEntry& e = PartialFactorEntries()[static_cast<std::size_t>(row)];
    const std::optional<double> value = TypedFactor(factors_->item(row, column)->text().trimmed().toStdString());
    if (value)
        settings_.partialFactors.*e.value = *value;
    // A value that is no factor from 1 to 10 goes back to the one in force.
    filling_ = true;
    factors_->item(row, column)->setText(QString::fromStdString(FormatGeneral(settings_.partialFactors.*e.value, 6)));
    filling_ = false;
    if (value)
        Changed();
    else
        prompt_.Information(std::string("A partial factor is a number from ") + FormatGeneral(kLowestPartialFactor, 4) +
                            " to " + FormatGeneral(kHighestPartialFactor, 4) + ": " + e.label + " stays " +
                            FormatGeneral(settings_.partialFactors.*e.value, 6) + ".");
}

void TApproachPanel::Changed()
{
    if (changed_)
        changed_(settings_);
}
